#pragma once

#include "AmMediaType.h"

#include <dshow.h>

// The (major type, subtype) pairs of the multiplexer's pins, in the order the pins offer
// them and the registration lists them.
enum { kMuxInputTypeCount = 24, kMuxOutputTypeCount = 3 };
extern const REGPINTYPES MuxInputMediaTypes[kMuxInputTypeCount];
extern const REGPINTYPES MuxOutputMediaTypes[kMuxOutputTypeCount];

// The output pair of a multiplex type (MuxPresetEntry::Output indexes the output list).
const REGPINTYPES& MuxOutputMediaType(int muxType);

// Whether the type's pair is one of count pairs of list.
bool MuxHasPair(const REGPINTYPES* list, int count, const AM_MEDIA_TYPE& type);
// The pair as a media type with format type FORMAT_None.
void MuxSetPair(const REGPINTYPES& pair, CAmMediaType& type);
