#pragma once

#include <windows.h>

// Where a card's on-GPIO controller puts its frames in the 32-bit GPIO word. The data byte
// travels in two runs of lines: its low bits from lowShift up, the rest from highShift up.
// The kind of a word (a key or command, a high byte, a low byte) is on lines 9-10, the
// controller's strobe on line 11, and the host's frame flag on line 15.
struct GpioFrameLayout
{
    BYTE lowBits;          // mask of the byte bits in the low run
    int lowShift;
    int highShift;
    DWORD frameMask;       // lines a frame is written with
    DWORD answerMask;      // lines of an answer word whose byte is compared
    BYTE readHighCommand;
    BYTE readLowCommand;
    BYTE armCommand;
    BYTE disarmCommand;
    BYTE armAnswer;
    BYTE disarmAnswer;
    LONG keyHoldMs;        // how long a held key may keep the reader polling
    const char* lock;      // named mutex around the controller exchanges, NULL for none

    DWORD Pack(BYTE value) const
    {
        return ((DWORD)(value & lowBits) << lowShift) | ((DWORD)(value & ~lowBits & 0xFF) << highShift);
    }
    BYTE Unpack(DWORD word) const
    {
        return (BYTE)(((word >> lowShift) & lowBits) | ((word >> highShift) & ~lowBits & 0xFF));
    }

    enum : DWORD {
        kKindMask = 0xE00,
        kKindKey = 0x600,       // a key, or a command to the controller
        kKindHighByte = 0x400,
        kKindLowByte = 0x200,
        kStrobeLine = 0x800,    // low while the controller presents a word
        kFrameIdle = 0x8600,    // the frame flag with the kind lines, between frames
    };
    enum : DWORD { kFrameHoldMs = 10 };
};

// The byte on lines 16-23: the Conexant cards and the controller-tuner pair.
extern const GpioFrameLayout kGpioFrames2388x;
// The byte on lines 19-23 and 25-27, line 24 left clear: the SAA713x controller cards and
// the Dorin pair.
extern const GpioFrameLayout kGpioFrames713x;
