#include "MpegEncoderPreset.h"

static_assert(sizeof(MpegEncoderPreset) == 48, "twelve 32-bit words");

namespace
{
enum Format { kMpeg1, kMpeg2, kVcd, kSvcd, kDvd, kHiDvd, kFormatCount };

struct PresetRow
{
    int streamType;
    int word2;
    int videoBits;
    double bitRate;
    double maxBitRate;
    int width;
    int height30;
    int height25;
    int audioRateIndex;
    int word11;
};

const PresetRow kRows[] = {
    // type word2 bits  bitRate  maxBitRate width h30  h25  audio word11
    {0, 0, 2, 4500000, 9800000, 352, 240, 288, 11, 2}, // Mpeg1
    {2, 1, 2, 4500000, 9800000, 720, 480, 576, 11, 2}, // Mpeg2
    {1, 0, 1, 1150000, 9800000, 352, 240, 288, 11, 2}, // VCD
    {3, 1, 1, 2200000, 9800000, 480, 480, 576, 11, 2}, // SVCD
    {4, 1, 1, 4500000, 9800000, 720, 480, 576, 11, 4}, // DVD
    {4, 1, 1, 7200000, 9800000, 720, 480, 576, 11, 4}, // HIDVD
};
static_assert(sizeof(kRows) / sizeof(kRows[0]) == kFormatCount, "one row per MPEG record format");

BOOL Fill(Format format, MpegEncoderPreset* preset, BOOL frames25)
{
    if (preset == NULL)
        return FALSE;
    const PresetRow& row = kRows[format];
    preset->streamType = row.streamType;
    preset->frames25 = frames25;
    preset->word2 = row.word2;
    preset->videoBits = row.videoBits;
    preset->bitRate = row.bitRate;
    preset->maxBitRate = row.maxBitRate;
    preset->width = row.width;
    preset->height = frames25 ? row.height25 : row.height30;
    preset->audioRateIndex = row.audioRateIndex;
    preset->word11 = row.word11;
    return TRUE;
}
}

BOOL PresetMpeg1(MpegEncoderPreset* preset, BOOL frames25) { return Fill(kMpeg1, preset, frames25); }
BOOL PresetMpeg2(MpegEncoderPreset* preset, BOOL frames25) { return Fill(kMpeg2, preset, frames25); }
BOOL PresetVcd(MpegEncoderPreset* preset, BOOL frames25) { return Fill(kVcd, preset, frames25); }
BOOL PresetSvcd(MpegEncoderPreset* preset, BOOL frames25) { return Fill(kSvcd, preset, frames25); }
BOOL PresetDvd(MpegEncoderPreset* preset, BOOL frames25) { return Fill(kDvd, preset, frames25); }
BOOL PresetHiDvd(MpegEncoderPreset* preset, BOOL frames25) { return Fill(kHiDvd, preset, frames25); }
