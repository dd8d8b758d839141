#pragma once

#include "ShortBlockBoxCapture.h"

// "TridVid Capture": GPIO frames go straight to the box's GPIO lines, and an EEPROM that
// names no letter or tuner stands for the box's usual tuner.
class CTridVidCapture : public CShortBlockBoxCapture
{
public:
    // The fallbacks of an EEPROM without a letter or tuner model.
    enum { kFallbackLetter = 'A', kFallbackTunerType = 133 };

    using CShortBlockBoxCapture::CShortBlockBoxCapture;

    void ReadTunerInfo() override;
    // value: the level, mask: the GPIO line; the pause is not used.
    BOOL SendGpioFrame(DWORD value, DWORD mask, DWORD ms) override;

protected:
    BridgeBox Box() const override { return kTridVid; }
};
