#pragma once

#include "CSimFilter.h"
#include "CSimWiredPin.h"

// The TV-audio object a driver wires before its crossbar: IAMTVAudio with a stored mode,
// each change in the card's trace.
class CSimUpstreamTvAudio : public CSimFilter, public IAMTVAudio
{
public:
    explicit CSimUpstreamTvAudio(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN

    CSimWiredPin& Output() { return m_output; }
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_output : nullptr; }

    STDMETHODIMP GetHardwareSupportedTVAudioModes(long* modes) override;
    STDMETHODIMP GetAvailableTVAudioModes(long* modes) override;
    STDMETHODIMP get_TVAudioMode(long* mode) override;
    STDMETHODIMP put_TVAudioMode(long mode) override;
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification* notify, long events) override;
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification* notify) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    CSimWiredPin m_output;
    long m_mode = AMTVAUDIO_MODE_STEREO;
};
