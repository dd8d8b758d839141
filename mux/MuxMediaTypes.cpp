#include "MuxMediaTypes.h"

#include "MuxGuids.h"
#include "MuxPresetTable.h"

#include <uuids.h>

const REGPINTYPES MuxInputMediaTypes[kMuxInputTypeCount] = {
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG1Video},
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG2_VIDEO},
    {&MEDIATYPE_Video, &MEDIASUBTYPE_MPEG1Video},
    {&MEDIATYPE_Video, &MEDIASUBTYPE_MPEG2_VIDEO},
    {&MEDIATYPE_Video, &MEDIASUBTYPE_MPEG1Packet},
    {&MEDIATYPE_Video, &MEDIASUBTYPE_MPEG1Payload},
    {&MEDIATYPE_MPEG2_PES, &MEDIASUBTYPE_MPEG2_VIDEO},
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_H264Video},
    {&MEDIATYPE_Video, &MEDIASUBTYPE_H264Video},
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG1Audio},
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG2_AUDIO},
    {&MEDIATYPE_Audio, &MEDIASUBTYPE_MPEG1Audio},
    {&MEDIATYPE_Audio, &MEDIASUBTYPE_MPEG1Payload},
    {&MEDIATYPE_Audio, &MEDIASUBTYPE_MPEG1AudioPayload},
    // Repeats the fifth pair; the list is kept as callers have always seen it.
    {&MEDIATYPE_Video, &MEDIASUBTYPE_MPEG1Packet},
    {&MEDIATYPE_Audio, &MEDIASUBTYPE_MPEG2_AUDIO},
    {&MEDIATYPE_Audio, &MEDIASUBTYPE_DVD_LPCM_AUDIO},
    {&MEDIATYPE_Audio, &MEDIASUBTYPE_DOLBY_AC3},
    {&MEDIATYPE_Audio, &MEDIASUBTYPE_PCM},
    {&MEDIATYPE_MPEG2_PES, &MEDIASUBTYPE_DOLBY_AC3},
    {&MEDIATYPE_MPEG2_PES, &MEDIASUBTYPE_MPEG2_AUDIO},
    {&MEDIATYPE_MPEG2_PES, &MEDIASUBTYPE_DVD_LPCM_AUDIO},
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_WaveA106},
    {&MEDIATYPE_Audio, &MEDIASUBTYPE_WaveA106},
};

static_assert(MuxPresetEntry::kMpeg1System == 0 && MuxPresetEntry::kMpeg2Program == 1 &&
                  MuxPresetEntry::kMpeg2Transport == 2,
              "a preset's output indexes the output pairs");
const REGPINTYPES MuxOutputMediaTypes[kMuxOutputTypeCount] = {
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG1System},
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG2_PROGRAM},
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG2_TRANSPORT},
};

const REGPINTYPES& MuxOutputMediaType(int muxType)
{
    return MuxOutputMediaTypes[MuxFindPreset(muxType).output];
}

bool MuxHasPair(const REGPINTYPES* list, int count, const AM_MEDIA_TYPE& type)
{
    for (int i = 0; i < count; ++i) {
        if (IsEqualGUID(type.majortype, *list[i].clsMajorType) && IsEqualGUID(type.subtype, *list[i].clsMinorType))
            return true;
    }
    return false;
}

void MuxSetPair(const REGPINTYPES& pair, CAmMediaType& type)
{
    type.Clear();
    type.majortype = *pair.clsMajorType;
    type.subtype = *pair.clsMinorType;
    type.formattype = FORMAT_None;
}
