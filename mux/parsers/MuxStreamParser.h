#pragma once

#include "muxlib.h"

#include <windows.h>

// One elementary stream form: takes the bytes of each received sample, puts the stream's
// access units into the writing face of the pin's input buffer and tells the engine of each
// unit, with its times on the 27 MHz clock, through the same face's auxiliary entry. Every
// byte a parser puts into the buffer belongs to a unit it reports, since the engine cuts the
// buffer by the unit records alone. Used by one streaming thread at a time.
class MuxStreamParser
{
public:
    static const LONGLONG kClock = 27000000;

    virtual ~MuxStreamParser() = default;

    // The face the parser writes to; null while the output is closed.
    void SetOutput(MuxBufStream* output) { m_output = output; }
    // A new run: every counter, carry and pending record back to its start.
    virtual void Reset() = 0;
    // The upstream filter says data went missing: bytes carried over from the last sample
    // no longer continue, so they go. The times count on, for the engine needs them rising.
    virtual void Discontinuity() = 0;
    // One sample's bytes, and its start time (100 ns, 0 when it has none).
    virtual HRESULT Parse(const uint8_t* data, int bytes, LONGLONG sampleStart) = 0;
    // The stream ends: the record of a unit still open goes out.
    virtual HRESULT EndOfStream() = 0;
    // The stream ended with its own end code; nothing is pending after it.
    bool Ended() const { return m_ended; }
    // Bytes in the buffer that no unit record covers yet. The engine cannot drain them, so
    // no more room than the buffer's size less these ever comes free.
    virtual LONGLONG PendingBytes() const { return 0; }

protected:
    // All or nothing into the output: E_FAIL when the buffer has no room (the engine drains
    // it as records arrive, so only a unit larger than the buffer gets here).
    HRESULT Write(const uint8_t* data, int bytes);
    void Aux(uint32_t command, void* data, int length);

    MuxBufStream* m_output = nullptr;
    bool m_ended = false;
};
