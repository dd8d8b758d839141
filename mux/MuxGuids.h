#pragma once

#include <guiddef.h>

// Identifiers the platform headers lack.
extern const GUID KSCATEGORY_MULTIPLEXER;
extern const GUID MEDIASUBTYPE_H264Video; // H.264 elementary stream
extern const GUID MEDIASUBTYPE_WaveA106;  // the wave-format subtype of format tag 0xA106 (AAC)
