#pragma once

#include "713xControllerCapture.h"

// The Dorin card: the 713x controller cards' access, keys and controller frames, its tuner
// entry at EEPROM bytes 0xA0 and 0xA1, and one sound line for every input.
class CDorinCapture : public C713xControllerCapture
{
public:
    using C713xControllerCapture::C713xControllerCapture;

    BOOL InitDevice() override;
    // Lines 12-14: 0x1000 for inputs 0 to 2 alike, 0x7000 when off, clear for any other
    // input. No lock: the access object's own guards the word.
    HRESULT SetAudioInput(int input, BOOL on) override;
};
