// The engine's registration list: one record per wrapper class, in declaration order (the
// list runs the other way, and the first record a lookup meets wins). Records whose names
// the drivers and codecs give are matched exactly, so their texts must stay byte for byte.
#include "AudioRenderFilter.h"
#include "DirectSoundFilter.h"
#include "FilterClassRecord.h"
#include "MpegEncoderFilter.h"

// Defined here, beside the records, so that every program that walks the list links them.
CFilterClassRecord* CFilterClassRecord::s_first = NULL;

CFilterClassRecord* CFilterClassRecord::First()
{
    return s_first;
}

static CFilterClassRecord s_audioRender(&CLSID_AudioRender, NULL, "Audio Render",
                                        CFilterClassRecord::CreateWrapper<CAudioRenderFilter>);
static CFilterClassRecord s_directSound(&CLSID_DSoundRender, NULL, "Direct Sound Filter",
                                        CFilterClassRecord::CreateWrapper<CDirectSoundFilter>);

static CFilterClassRecord s_mpegEncoder(&CLSID_MpegEncoder, NULL, "Stelvark Demo MPEG Encoder",
                                        CFilterClassRecord::CreateWrapper<CMpegEncoderFilter>);
