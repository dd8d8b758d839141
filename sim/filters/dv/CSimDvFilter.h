#pragma once

#include "CSimStandInFilter.h"

#include <strmif.h>

// The class the DV device registers under; the program finds it by FriendlyName.
extern const CLSID CLSID_SimDvCamera;

// A DV camcorder or VCR on a 1394 card: no pins, only its external-device interfaces. The
// module's switches (HKLM\Software\Sim\dv, text values, C notation for numbers) set what it
// reports: "DeviceType" (ED_DEVCAP_DEVICE_TYPE's answer, default ED_DEVTYPE_VCR) and
// "TimeCode" (the time code's dwFrames, hours in the top byte) are read on every call, so
// a test may change them while the program watches; "TransportMode" is the mode a new
// object starts in, which put_Mode then changes. "Omit" switches interfaces off.
// Pause means a live source: nothing to cue.
class CSimDvFilter : public CSimStandInFilter, public IAMExtDevice, public IAMExtTransport, public IAMTimecodeReader
{
public:
    explicit CSimDvFilter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    // IAMExtDevice and IAMExtTransport
    STDMETHODIMP GetCapability(LONG capability, LONG* value, double* number) override;
    STDMETHODIMP get_ExternalDeviceID(LPOLESTR* id) override;
    STDMETHODIMP get_ExternalDeviceVersion(LPOLESTR* version) override;
    STDMETHODIMP put_DevicePower(LONG mode) override;
    STDMETHODIMP get_DevicePower(LONG* mode) override;
    STDMETHODIMP Calibrate(HEVENT event, LONG mode, LONG* status) override;
    STDMETHODIMP put_DevicePort(LONG port) override;
    STDMETHODIMP get_DevicePort(LONG* port) override;

    // IAMExtTransport
    STDMETHODIMP put_MediaState(LONG state) override;
    STDMETHODIMP get_MediaState(LONG* state) override;
    STDMETHODIMP put_LocalControl(LONG state) override;
    STDMETHODIMP get_LocalControl(LONG* state) override;
    STDMETHODIMP GetStatus(LONG item, LONG* value) override;
    STDMETHODIMP GetTransportBasicParameters(LONG param, LONG* value, LPOLESTR* data) override;
    STDMETHODIMP SetTransportBasicParameters(LONG param, LONG value, LPCOLESTR data) override;
    STDMETHODIMP GetTransportVideoParameters(LONG param, LONG* value) override;
    STDMETHODIMP SetTransportVideoParameters(LONG param, LONG value) override;
    STDMETHODIMP GetTransportAudioParameters(LONG param, LONG* value) override;
    STDMETHODIMP SetTransportAudioParameters(LONG param, LONG value) override;
    STDMETHODIMP put_Mode(LONG mode) override;
    STDMETHODIMP get_Mode(LONG* mode) override;
    STDMETHODIMP put_Rate(double rate) override;
    STDMETHODIMP get_Rate(double* rate) override;
    STDMETHODIMP GetChase(LONG* enabled, LONG* offset, HEVENT* event) override;
    STDMETHODIMP SetChase(LONG enable, LONG offset, HEVENT event) override;
    STDMETHODIMP GetBump(LONG* speed, LONG* duration) override;
    STDMETHODIMP SetBump(LONG speed, LONG duration) override;
    STDMETHODIMP get_AntiClogControl(LONG* enabled) override;
    STDMETHODIMP put_AntiClogControl(LONG enable) override;
    STDMETHODIMP GetEditPropertySet(LONG editId, LONG* state) override;
    STDMETHODIMP SetEditPropertySet(LONG* editId, LONG state) override;
    STDMETHODIMP GetEditProperty(LONG editId, LONG param, LONG* value) override;
    STDMETHODIMP SetEditProperty(LONG editId, LONG param, LONG value) override;
    STDMETHODIMP get_EditStart(LONG* value) override;
    STDMETHODIMP put_EditStart(LONG value) override;

    // IAMTimecodeReader
    STDMETHODIMP GetTCRMode(LONG param, LONG* value) override;
    STDMETHODIMP SetTCRMode(LONG param, LONG value) override;
    STDMETHODIMP put_VITCLine(LONG line) override;
    STDMETHODIMP get_VITCLine(LONG* line) override;
    STDMETHODIMP GetTimecode(PTIMECODE_SAMPLE sample) override;

protected:
    HRESULT PausedStateResult() override { return VFW_S_CANT_CUE; }
    void* FindFilterInterface(REFIID iid) override;

private:
    DWORD Number(const char* name, DWORD fallback) const;

    // Guards the transport's mode and rate, which the program's threads set and read.
    CCritSection m_transportLock;
    LONG m_mode;
    double m_rate;
};
