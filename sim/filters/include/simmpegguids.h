#pragma once

// The MPEG media types of mingw's ksuuids.h (defined in libstrmiids), which expects its
// includer to say how an entry becomes a declaration.
#include <uuids.h>

#ifndef OUR_GUID_ENTRY
#define OUR_GUID_ENTRY(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8);
#endif
#include <ksuuids.h>
