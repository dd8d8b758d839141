// The engine's registration list: one record per wrapper class, in declaration order (the
// list runs the other way, and the first record a lookup meets wins). Records whose names
// the drivers and codecs give are matched exactly, so their texts must stay byte for byte.
#include "AudioRenderFilter.h"
#include "DirectSoundFilter.h"
#include "FilterClassRecord.h"
#include "Mpeg2DemuxFilter.h"
#include "MpegAudioDecoderFilter.h"
#include "MpegEncoderFilter.h"
#include "MpegVideoDecoderFilter.h"
#include "TimeShiftFilter.h"

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

static CFilterClassRecord s_mpegAudioDecoder(&CLSID_MpegAudioDecoder, NULL, "Stelvark Demo MPEG Audio Decoder",
                                             CFilterClassRecord::CreateWrapper<CMpegAudioDecoderFilter>);
static CFilterClassRecord s_mpegEncoder(&CLSID_MpegEncoder, NULL, "Stelvark Demo MPEG Encoder",
                                        CFilterClassRecord::CreateWrapper<CMpegEncoderFilter>);
static CFilterClassRecord s_mpegVideoDecoder(&CLSID_MpegVideoDecoder, NULL, "Stelvark Demo MPEG Video Decoder",
                                             CFilterClassRecord::CreateWrapper<CMpegVideoDecoderFilter>);

static CFilterClassRecord s_mpeg2Demux(&CLSID_Mpeg2Demultiplexer, NULL, "MPEG-2 Demultiplexer",
                                       CFilterClassRecord::CreateWrapper<CMpeg2DemuxFilter>);
static CFilterClassRecord s_timeShift(&CLSID_TimeShift, NULL, "TimeShift",
                                      CFilterClassRecord::CreateWrapper<CTimeShiftFilter>);
