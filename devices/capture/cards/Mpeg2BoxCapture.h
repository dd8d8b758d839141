#pragma once

#include "CaptureDevice.h"

// "Quorvex MPEG-2 Box": the MPEG encoder box whose chips are reached through the encoder
// driver's register command (CEncoderCardControl); its EEPROM answers at 0xA2.
class CMpeg2BoxCapture : public CCaptureDevice
{
public:
    enum { kAccessMode = 10 };

    using CCaptureDevice::CCaptureDevice;

    void Configure() override;
    // The base's opening, then the capture filter's property set: TRUE only when both worked.
    BOOL InitDevice() override;
    HRESULT OpenDeviceAccess() override;
    // The box switches its sound itself: E_NOTIMPL.
    HRESULT SetAudioInput(int input, BOOL on) override;
    BOOL ReadRemoteKey(BYTE* key) override;

    BOOL HasTunerFilter() const { return GetTunerFilter() != NULL; }
    IKsPropertySet* GetPropertySet() const { return m_propertySet.Get(); }

private:
    CComRef<IKsPropertySet> m_propertySet;
};
