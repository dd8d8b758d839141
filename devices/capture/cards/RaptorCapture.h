#pragma once

#include "UpstreamTunerCapture.h"

// "Conexant Raptor Video Capture": the MPEG encoder card on the 16-byte transport of its
// capture filter, with its tuner, crossbar and TV-audio filters upstream.
class CRaptorCapture : public CUpstreamTunerCapture
{
public:
    enum { kAccessMode = 13 };
    enum { kKeyController = 0xBA, kKeyWaiting = 0xAA, kKeyCode = 0xAB };

    using CUpstreamTunerCapture::CUpstreamTunerCapture;

    void Configure() override;
    HRESULT OpenDeviceAccess() override;
    // The card switches its sound itself: E_NOTIMPL.
    HRESULT SetAudioInput(int input, BOOL on) override;
    BOOL ReadRemoteKey(BYTE* key) override;
    // The EEPROM keeps no configuration byte: 0.
    BYTE ReadEepromConfigByte() override;
};
