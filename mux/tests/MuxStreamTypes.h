#pragma once

#include "AmMediaType.h"

#include <dshow.h>

// The media types a source of each elementary stream form offers the multiplexer, with the
// format blocks its input pins check.
CAmMediaType Mpeg2Video();
CAmMediaType Mpeg1Video();
CAmMediaType H264Video();
CAmMediaType Audio(const GUID& subtype, WORD tag, DWORD rate, WORD bits, WORD channels);
CAmMediaType Mp2();
CAmMediaType Ac3();
CAmMediaType Pcm(DWORD rate = 48000, WORD bits = 16, WORD channels = 2);
// The AAC form: a wave format of tag 0xFF with 22 extra bytes, the first six of them the
// configuration the engine is given.
CAmMediaType Aac(WORD tag = 0xFF, WORD extra = 22);
// The type of a stream file by its extension (.m2v, .m1v, .264, .mp2, .ac3, .pcm for 48 kHz
// 16-bit stereo, .aac); false for another.
bool StreamTypeOfFile(const char* path, CAmMediaType* type);
