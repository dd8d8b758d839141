#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"

// The maker's A/V switch of the MPEG recordings: the sound on or off.
class CAvSwitchFilter : public CFilterWrapper
{
public:
    CAvSwitchFilter(CGraphBuilder* graph, REFCLSID clsid);
    CAvSwitchFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CAvSwitchFilter() override;

    BOOL Init() override;

    BOOL SetAudioMute(BOOL mute);
    BOOL GetAudioMute(BOOL* mute);

private:
    CComRef<IAvSwitch> m_switch;
};
