#pragma once

#include "UpstreamTunerCapture.h"

// "BlackBird Video Capture": the MPEG encoder card whose chips are reached through its tuner
// filter when it has one, else through the capture filter. Its EEPROM holds no remote.
class CBlackbirdCapture : public CUpstreamTunerCapture
{
public:
    enum { kAccessMode = 11 };

    using CUpstreamTunerCapture::CUpstreamTunerCapture;

    void Configure() override;
    HRESULT OpenDeviceAccess() override;
    // The card switches its sound itself: E_NOTIMPL.
    HRESULT SetAudioInput(int input, BOOL on) override;
    // The card has no remote: never a key.
    BOOL ReadRemoteKey(BYTE* key) override;
    BYTE ReadEepromConfigByte() override;
};
