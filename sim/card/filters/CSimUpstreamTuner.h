#pragma once

#include "CSimCardPropertySet.h"
#include "CSimFilter.h"
#include "CSimWiredPin.h"

// The TV tuner object a driver wires before its crossbar: IAMTVTuner, whose settings go into
// the card's trace, and on the CARD_EX family the driver's register set as well.
class CSimUpstreamTuner : public CSimFilter, public IAMTVTuner
{
public:
    explicit CSimUpstreamTuner(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN

    CSimWiredPin& Output() { return m_output; }
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_output : nullptr; }

    // IAMTuner
    STDMETHODIMP put_Channel(long channel, long videoSubChannel, long audioSubChannel) override;
    STDMETHODIMP get_Channel(long* channel, long* videoSubChannel, long* audioSubChannel) override;
    STDMETHODIMP ChannelMinMax(long* min, long* max) override;
    STDMETHODIMP put_CountryCode(long country) override;
    STDMETHODIMP get_CountryCode(long* country) override;
    STDMETHODIMP put_TuningSpace(long space) override;
    STDMETHODIMP get_TuningSpace(long* space) override;
    STDMETHODIMP Logon(HANDLE user) override;
    STDMETHODIMP Logout() override;
    STDMETHODIMP SignalPresent(long* strength) override;
    STDMETHODIMP put_Mode(AMTunerModeType mode) override;
    STDMETHODIMP get_Mode(AMTunerModeType* mode) override;
    STDMETHODIMP GetAvailableModes(long* modes) override;
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification* notify, long events) override;
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification* notify) override;
    // IAMTVTuner
    STDMETHODIMP get_AvailableTVFormats(long* formats) override;
    STDMETHODIMP get_TVFormat(long* format) override;
    STDMETHODIMP AutoTune(long channel, long* found) override;
    STDMETHODIMP StoreAutoTune() override;
    STDMETHODIMP get_NumInputConnections(long* count) override;
    STDMETHODIMP put_InputType(long index, TunerInputType type) override;
    STDMETHODIMP get_InputType(long index, TunerInputType* type) override;
    STDMETHODIMP put_ConnectInput(long index) override;
    STDMETHODIMP get_ConnectInput(long* index) override;
    STDMETHODIMP get_VideoFrequency(long* frequency) override;
    STDMETHODIMP get_AudioFrequency(long* frequency) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    CSimCardPropertySet m_properties;
    CSimWiredPin m_output;
    long m_mode = AMTUNER_MODE_TV;
    long m_channel = 0;
    long m_videoSub = 0;
    long m_audioSub = 0;
    long m_country = 1;
    long m_space = 0;
};
