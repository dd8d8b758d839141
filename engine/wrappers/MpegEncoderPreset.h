#pragma once

#include <windows.h>

// The settings one MPEG record format gives the encoder: twelve 32-bit words, the two rates
// as doubles in words 4-5 and 6-7.
struct MpegEncoderPreset
{
    int streamType;    // the encoder's type: 0 MPEG-1, 1 VCD, 2 MPEG-2, 3 SVCD, 4 DVD
    int frames25;      // nonzero: 25 fps (576/288 lines), else 30 fps (480/240 lines)
    int word2;         // 0 or 1; not applied
    int videoBits;     // bits 1-4 of byte 812 of the video record
    double bitRate;    // bit/s
    double maxBitRate; // bit/s
    int width;
    int height;
    int audioRateIndex; // Layer II bit-rate index (11 = 224 kbit/s)
    int word11;         // 2 or 4; not applied
};

// Fill the caller's preset for one record format; FALSE only for a missing preset.
BOOL PresetMpeg1(MpegEncoderPreset* preset, BOOL frames25);
BOOL PresetMpeg2(MpegEncoderPreset* preset, BOOL frames25);
BOOL PresetVcd(MpegEncoderPreset* preset, BOOL frames25);
BOOL PresetSvcd(MpegEncoderPreset* preset, BOOL frames25);
BOOL PresetDvd(MpegEncoderPreset* preset, BOOL frames25);
BOOL PresetHiDvd(MpegEncoderPreset* preset, BOOL frames25);
