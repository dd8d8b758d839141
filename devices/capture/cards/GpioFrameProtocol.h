#pragma once

#include "GpioFrameLayout.h"

#include <functional>

class CCaptureDevice;

// The exchanges with a controller on a card's GPIO lines, in one layout: remote keys, frames
// sent between idle writes, strobed answers, and the 16-bit word and arming kept by the
// controller. Frames and answers go through the device's own operations, so a card class
// that replaces one of them is heard here too.
class CGpioFrameProtocol
{
public:
    CGpioFrameProtocol(CCaptureDevice& device, const GpioFrameLayout& layout) : m_device(device), m_layout(layout) {}

    // A key while the word presents one; it stays presented while held, so the reader
    // polls until it goes (at most holdMs) and it counts once.
    BOOL ReadRemoteKey(BYTE* key, LONG holdMs);
    BOOL SendFrame(DWORD value, DWORD mask, DWORD ms);
    BOOL WriteWord(WORD value);
    BOOL ReadWord(WORD* value);
    BOOL Handshake(BOOL on);

private:
    // Up to five attempts at an exchange under the layout's lock; FALSE without access or lock.
    BOOL Exchange(const std::function<BOOL()>& attempt);
    // Sends a command frame and waits for the controller's answer word.
    BOOL Ask(BYTE command, DWORD* answer);
    BOOL SendByte(BYTE value, DWORD kind);

    CCaptureDevice& m_device;
    const GpioFrameLayout& m_layout;
};
