#pragma once

#include "FilterWrapper.h"
#include "ComRef.h"

#include <dshow.h>

// The base of the TV-audio devices' wrappers: the sound mode of the card's TV audio filter. A
// device without IAMTVAudio makes no wrapper (Init fails), so the operations need not test for it.
class CTvAudioWrapper : public CFilterWrapper
{
public:
    CTvAudioWrapper(CGraphBuilder* graph, REFCLSID clsid);
    CTvAudioWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CTvAudioWrapper() override;

    BOOL Init() override;

    BOOL GetTVAudioMode(long* mode);
    BOOL GetAvailableTVAudioModes(long* modes);
    BOOL GetHardwareSupportedTVAudioModes(long* modes);
    BOOL SetTVAudioMode(long mode);

private:
    CComRef<IAMTVAudio> m_tvAudio;
};
