#pragma once

#include "GpioFrameProtocol.h"

// A card class whose remote keys and on-card controller travel in GPIO frames: Base's
// operations with the frame protocol in the card's layout.
template <class Base>
class CGpioFrameCapture : public Base
{
public:
    using Base::Base;

    BOOL ReadRemoteKey(BYTE* key) override { return Protocol().ReadRemoteKey(key, GetRemoteHoldTime()); }
    BOOL SendGpioFrame(DWORD value, DWORD mask, DWORD ms) override { return Protocol().SendFrame(value, mask, ms); }
    BOOL ReadGpioStrobed(DWORD* value) override
    {
        return this->ReadGpioStrobedOn(GpioFrameLayout::kStrobeLine, value);
    }
    BOOL WriteMcuWord(WORD value) override { return Protocol().WriteWord(value); }
    BOOL ReadMcuWord(WORD* value) override { return Protocol().ReadWord(value); }
    BOOL McuHandshake(BOOL on) override { return Protocol().Handshake(on); }

protected:
    virtual const GpioFrameLayout& FrameLayout() const = 0;
    // The layout's, until a card class stores its own.
    LONG GetRemoteHoldTime()
    {
        LONG ms = InterlockedCompareExchange(&m_holdMs, 0, 0);
        return ms > 0 ? ms : FrameLayout().keyHoldMs;
    }
    // Ignored below 1 ms. An interlocked store: the remote poll thread reads it.
    void StoreRemoteHoldTime(int ms)
    {
        if (ms >= 1)
            InterlockedExchange(&m_holdMs, ms);
    }

private:
    CGpioFrameProtocol Protocol() { return CGpioFrameProtocol(*this, FrameLayout()); }

    volatile LONG m_holdMs = 0;
};
