#pragma once

#include "CaptureDevice.h"

// "Quorvex Lunet Device": the twin MPEG encoder card, reached through the encoder driver's
// register command in its block form (CEncoderCardControlB).
class CLunetCapture : public CCaptureDevice
{
public:
    enum { kAccessMode = 15 };
    enum { kTunerModel = 91, kSystemLetter = 'E' };

    using CCaptureDevice::CCaptureDevice;

    BOOL InitDevice() override;
    HRESULT OpenDeviceAccess() override;
    BOOL ReadRemoteKey(BYTE* key) override;
};
