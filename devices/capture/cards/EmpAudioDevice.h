#pragma once

#include "FilterWrapper.h"

// The USB boxes' audio capture filter and its companion COM object, which must be told to
// start before the box gives sound.
class CEmpAudioDevice : public CFilterWrapper
{
public:
    CEmpAudioDevice(CGraphBuilder* graph, REFCLSID clsid);
    CEmpAudioDevice(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    // The filter, then the companion told 1; FALSE when either is missing or refuses.
    BOOL Init() override;
    // The named input pin's mixer enable; TRUE on success.
    BOOL EnableInputPin(const char* pinName, BOOL on);

private:
    CComRef<IUnknown> m_companion;
};
