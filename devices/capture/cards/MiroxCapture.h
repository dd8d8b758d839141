#pragma once

#include "UpstreamTunerCapture.h"

// "QUORVEX Mirox Audio/Video Capture": a card whose driver takes I2C transfers as device I/O
// controls on its own device file; its tuner filter stands upstream of the capture filter.
class CMiroxCapture : public CUpstreamTunerCapture
{
public:
    enum { kTunerModel = 91, kSystemLetter = 'E' };
    enum { kKeyController = 0xBB, kKeyWaiting = 48, kKeyCode = 49, kNoKey = 255 };

    using CUpstreamTunerCapture::CUpstreamTunerCapture;

    // Opens the device and makes the tuner of its fixed model: TRUE only when both worked.
    BOOL InitDevice() override;
    HRESULT OpenDeviceAccess() override;
    BOOL ReadRemoteKey(BYTE* key) override;
    // The card reports no lock: always locked.
    HRESULT IsSignalLocked(long* locked) override;
    // Marks the key read, so the next poll finds none.
    BOOL ClearRemoteKey();
};
