#pragma once

#include <dshow.h>

// The media-type pairs the multiplexer must offer and register, written out as the
// filter's users know them.
struct ExpectedPair
{
    const GUID* major;
    const GUID* subtype;
};

extern const ExpectedPair kExpectedInputPairs[24];
extern const ExpectedPair kExpectedOutputPairs[3];
