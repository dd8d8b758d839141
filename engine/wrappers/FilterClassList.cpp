// The engine's registration list: one record per wrapper class, in declaration order (the
// list runs the other way, and the first record a lookup meets wins). Records whose names
// the drivers and codecs give are matched exactly, so their texts must stay byte for byte.
#include "AudioRenderFilter.h"
#include "AvSwitchFilter.h"
#include "CaptureEncoderFilter.h"
#include "CodecClassIds.h"
#include "ColorConvertFilter.h"
#include "DeinterlaceFilter.h"
#include "DirectSoundFilter.h"
#include "DownScaleFilter.h"
#include "DumpFilter.h"
#include "FileWriteFilter.h"
#include "FilterClassRecord.h"
#include "IviAudioEncoderFilter.h"
#include "IviFileWriterFilter.h"
#include "IviMuxFilter.h"
#include "IviTimeShiftFilter.h"
#include "IviVideoDecoderFilter.h"
#include "IviVideoEncoderFilter.h"
#include "Mpeg1SplitterFilter.h"
#include "Mpeg2DemuxFilter.h"
#include "Mpeg2SplitterFilter.h"
#include "Mpeg4CodecV1Filter.h"
#include "Mpeg4CodecV2Filter.h"
#include "Mpeg4CodecV3Filter.h"
#include "MpegAudioDecoderFilter.h"
#include "MpegAudioEncoderFilter.h"
#include "MpegEncoderFilter.h"
#include "MpegMuxWrapper.h"
#include "MpegSplitterFilter.h"
#include "MpegVideoDecoderFilter.h"
#include "MpegVideoEncoderFilter.h"
#include "MsMuxFilter.h"
#include "OverlayMixerFilter.h"
#include "Proteus3TvAudioFilter.h"
#include "ProteusTvAudioFilter.h"
#include "SampleGrabberFilter.h"
#include "SnapPictureFilter.h"
#include "StillCaptureFilter.h"
#include "TimeDelayFilter.h"
#include "TimeShiftFilter.h"
#include "TranscodeFilter.h"

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
static CFilterClassRecord s_ligosEncoder(&CLSID_LigosCaptureEncoder, NULL, "Ligos GoMotion Capture Encoder Filter (Quorvex)",
                                         CFilterClassRecord::CreateWrapper<CCaptureEncoderFilter>);
static CFilterClassRecord s_ligosTranscode(&CLSID_LigosTranscode, NULL, "Ligos GoMotion.MPG SDK Transcode Sample",
                                           CFilterClassRecord::CreateWrapper<CTranscodeFilter>);
static CFilterClassRecord s_deinterlace(&CLSID_QuorvexDeinterlace, NULL, "Quorvex Deinterlace Filter",
                                        CFilterClassRecord::CreateWrapper<CDeinterlaceFilter>);
static CFilterClassRecord s_snapPicture(&CLSID_QuorvexSnapPicture, NULL, "Quorvex Snap Picture Filter",
                                        CFilterClassRecord::CreateWrapper<CSnapPictureFilter>);
static CFilterClassRecord s_mpegMultiplexer(&CLSID_StelvarkMultiplexer, NULL, "Stelvark Demo MPEG Multiplexer",
                                            CFilterClassRecord::CreateWrapper<CMpegMuxWrapper>);

static CFilterClassRecord s_mpegAudioDecoder(&CLSID_MpegAudioDecoder, NULL, "Stelvark Demo MPEG Audio Decoder",
                                             CFilterClassRecord::CreateWrapper<CMpegAudioDecoderFilter>);
static CFilterClassRecord s_mpegAudioEncoder(&CLSID_StelvarkAudioEncoder, NULL, "Stelvark Demo MPEG Audio Encoder",
                                             CFilterClassRecord::CreateWrapper<CMpegAudioEncoderFilter>);
static CFilterClassRecord s_mpegEncoder(&CLSID_MpegEncoder, NULL, "Stelvark Demo MPEG Encoder",
                                        CFilterClassRecord::CreateWrapper<CMpegEncoderFilter>);
static CFilterClassRecord s_mpegSplitter(&CLSID_StelvarkSplitter, NULL, "Stelvark Demo MPEG Splitter",
                                         CFilterClassRecord::CreateWrapper<CMpegSplitterFilter>);
static CFilterClassRecord s_mpegVideoDecoder(&CLSID_MpegVideoDecoder, NULL, "Stelvark Demo MPEG Video Decoder",
                                             CFilterClassRecord::CreateWrapper<CMpegVideoDecoderFilter>);
static CFilterClassRecord s_mpegVideoEncoder(&CLSID_StelvarkVideoEncoder, NULL, "Stelvark Demo MPEG Video Encoder",
                                             CFilterClassRecord::CreateWrapper<CMpegVideoEncoderFilter>);
static CFilterClassRecord s_overlayMixer(&CLSID_OverlayMixerFilter, NULL, "Overlay Mixer",
                                         CFilterClassRecord::CreateWrapper<COverlayMixerFilter>);
static CFilterClassRecord s_iviAudioEncoder(&CLSID_IviAudioEncoder, NULL, "InterVideo Audio Encoder for Quorvex",
                                            CFilterClassRecord::CreateWrapper<CIviAudioEncoderFilter>);
static CFilterClassRecord s_iviVideoEncoder(&CLSID_IviVideoEncoder, NULL, "InterVideo Video Encoder for Quorvex",
                                            CFilterClassRecord::CreateWrapper<CIviVideoEncoderFilter>);
static CFilterClassRecord s_iviFileWriter(&CLSID_IviFileWriter, NULL, "InterVideo File Writer for Quorvex",
                                          CFilterClassRecord::CreateWrapper<CIviFileWriterFilter>);
static CFilterClassRecord s_iviMultiplexer(&CLSID_IviMux, NULL, "InterVideo Multiplexer for Quorvex",
                                           CFilterClassRecord::CreateWrapper<CIviMuxFilter>);
static CFilterClassRecord s_iviStillCapture(&CLSID_IviStillCapture, NULL, "InterVideo Still Capture for Quorvex",
                                            CFilterClassRecord::CreateWrapper<CStillCaptureFilter>);
static CFilterClassRecord s_iviDownScale(&CLSID_IviDownScale, NULL, "InterVideo Down Scale Filter for Quorvex",
                                         CFilterClassRecord::CreateWrapper<CDownScaleFilter>);
static CFilterClassRecord s_fileWriter(&CLSID_FileWriteFilter, NULL, "File Write Filter",
                                       CFilterClassRecord::CreateWrapper<CFileWriteFilter>);
static CFilterClassRecord s_msMux(&CLSID_MsMuxFilter, NULL, "Microsoft Mux Filter",
                                  CFilterClassRecord::CreateWrapper<CMsMuxFilter>);
static CFilterClassRecord s_avSwitch(&CLSID_QuorvexAvSwitch, NULL, "Quorvex AV Switch",
                                     CFilterClassRecord::CreateWrapper<CAvSwitchFilter>);
static CFilterClassRecord s_mpeg4CodecV1(NULL, &CLSID_VideoCompressorCategoryId, "Microsoft MPEG-4  VKI  Codec V1",
                                         CFilterClassRecord::CreateWrapper<CMpeg4CodecV1Filter>);
static CFilterClassRecord s_mpeg4CodecV2(NULL, &CLSID_VideoCompressorCategoryId, "Microsoft MPEG-4  VKI  Codec V2",
                                         CFilterClassRecord::CreateWrapper<CMpeg4CodecV2Filter>);
static CFilterClassRecord s_mpeg4CodecV3(NULL, &CLSID_VideoCompressorCategoryId, "Microsoft MPEG-4  VKI  Codec V3",
                                         CFilterClassRecord::CreateWrapper<CMpeg4CodecV3Filter>);
static CFilterClassRecord s_sampleGrabber(&CLSID_SampleGrabberFilter, NULL, "SampleGrabber",
                                          CFilterClassRecord::CreateWrapper<CSampleGrabberFilter>);
static CFilterClassRecord s_dump(&CLSID_DumpFilter, NULL, "Dump",
                                 CFilterClassRecord::CreateWrapper<CDumpFilter>);
static CFilterClassRecord s_timeDelay(&CLSID_TimeDelay, NULL, "Time Delay",
                                      CFilterClassRecord::CreateWrapper<CTimeDelayFilter>);
static CFilterClassRecord s_colorConvert(&CLSID_ColorConvert, NULL, "Color Convert",
                                         CFilterClassRecord::CreateWrapper<CColorConvertFilter>);
static CFilterClassRecord s_mpeg2Splitter(&CLSID_Mpeg2Splitter, NULL, "Mpeg2 Splitter",
                                          CFilterClassRecord::CreateWrapper<CMpeg2SplitterFilter>);
static CFilterClassRecord s_iviVideoDecoder(&CLSID_IviVideoDecoder, NULL, "InterVideo Video Decoder",
                                            CFilterClassRecord::CreateWrapper<CIviVideoDecoderFilter>);
static CFilterClassRecord s_iviTimeShift(&CLSID_IviTimeShift, NULL, "InterVideo Time Shift Filter for Quorvex",
                                         CFilterClassRecord::CreateWrapper<CIviTimeShiftFilter>);
static CFilterClassRecord s_mpeg1Splitter(&CLSID_Mpeg1Splitter, NULL, "Mpeg1 Splitter",
                                          CFilterClassRecord::CreateWrapper<CMpeg1SplitterFilter>);
static CFilterClassRecord s_proteusTvAudio(NULL, &CLSID_TvAudioCategoryId, "713x TV Card TV Audio (Proteus)",
                                           CFilterClassRecord::CreateWrapper<CProteusTvAudioFilter>);
static CFilterClassRecord s_proteus3TvAudio(NULL, &CLSID_TvAudioCategoryId, "713x_3 TV Card TV Audio (Proteus)",
                                            CFilterClassRecord::CreateWrapper<CProteus3TvAudioFilter>);

static CFilterClassRecord s_mpeg2Demux(&CLSID_Mpeg2Demultiplexer, NULL, "MPEG-2 Demultiplexer",
                                       CFilterClassRecord::CreateWrapper<CMpeg2DemuxFilter>);
static CFilterClassRecord s_timeShift(&CLSID_TimeShift, NULL, "TimeShift",
                                      CFilterClassRecord::CreateWrapper<CTimeShiftFilter>);
