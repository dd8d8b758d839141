#include "Mpeg2DemuxFilter.h"

#include "TimeShiftInterfaces.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <uuids.h>
#ifndef OUR_GUID_ENTRY
#define OUR_GUID_ENTRY(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8);
#endif
#include <ksuuids.h>
#include <string.h>

namespace
{
const ULONG kVideoStreamId = 0xE0;
const int kWideNameSize = 128;

// An ANSI name in the code page, as the filter takes it; FALSE for a missing or too long one.
BOOL ToWide(WCHAR* wide, const char* name)
{
    return name != NULL && MultiByteToWideChar(CP_ACP, 0, name, -1, wide, kWideNameSize) != 0;
}
const ULONG kAudioStreamId = 0xC0;

// Sequence header and sequence extension of a 720 x 480 Main@Main stream.
const BYTE kSequenceHeader[] = {
    0x00, 0x00, 0x01, 0xB3, 0x2D, 0x01, 0xE0, 0x24, 0x09, 0xC4, 0x23, 0x81, 0x10, 0x11, 0x11, 0x12, 0x12, 0x12,
    0x13, 0x13, 0x13, 0x13, 0x14, 0x14, 0x14, 0x14, 0x14, 0x15, 0x15, 0x15, 0x15, 0x15, 0x15, 0x16, 0x16, 0x16,
    0x16, 0x16, 0x16, 0x16, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17, 0x18, 0x18, 0x18, 0x19, 0x18, 0x18,
    0x18, 0x19, 0x1A, 0x1A, 0x1A, 0x1A, 0x19, 0x1B, 0x1B, 0x1B, 0x1B, 0x1B, 0x1C, 0x1C, 0x1C, 0x1C, 0x1E, 0x1E,
    0x1E, 0x1F, 0x1F, 0x21, 0x00, 0x00, 0x01, 0xB5, 0x14, 0x82, 0x00, 0x01, 0x00, 0x00,
};
static_assert(sizeof(kSequenceHeader) == 86, "sequence header and extension");

const size_t kVideoFormatSize = FIELD_OFFSET(MPEG2VIDEOINFO, dwSequenceHeader) + sizeof(kSequenceHeader);
static_assert(kVideoFormatSize == 218, "MPEG2VIDEOINFO with its sequence header");

struct VideoFormat
{
    BYTE bytes[kVideoFormatSize];
    VideoFormat()
    {
        memset(bytes, 0, sizeof(bytes));
        MPEG2VIDEOINFO* info = reinterpret_cast<MPEG2VIDEOINFO*>(bytes);
        SetRect(&info->hdr.rcSource, 0, 0, 720, 480);
        info->hdr.dwBitRate = 4000000;
        info->hdr.AvgTimePerFrame = 333667;
        info->hdr.dwPictAspectRatioX = 4;
        info->hdr.dwPictAspectRatioY = 3;
        info->hdr.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->hdr.bmiHeader.biWidth = 720;
        info->hdr.bmiHeader.biHeight = 480;
        info->hdr.bmiHeader.biXPelsPerMeter = 2000;
        info->hdr.bmiHeader.biYPelsPerMeter = 53031;
        info->dwStartTimeCode = 455832;
        info->cbSequenceHeader = sizeof(kSequenceHeader);
        info->dwProfile = 2;
        info->dwLevel = 2;
        memcpy(info->dwSequenceHeader, kSequenceHeader, sizeof(kSequenceHeader));
    }
};

MPEG1WAVEFORMAT AudioFormat()
{
    MPEG1WAVEFORMAT f;
    memset(&f, 0, sizeof(f));
    f.wfx.wFormatTag = WAVE_FORMAT_MPEG;
    f.wfx.nChannels = 2;
    f.wfx.nSamplesPerSec = 48000;
    f.wfx.nAvgBytesPerSec = 32000;
    f.wfx.nBlockAlign = 768;
    f.wfx.cbSize = sizeof(MPEG1WAVEFORMAT) - sizeof(WAVEFORMATEX);
    f.fwHeadLayer = ACM_MPEG_LAYER2;
    f.dwHeadBitrate = 256000;
    f.fwHeadMode = ACM_MPEG_STEREO;
    f.fwHeadModeExt = 1;
    f.wHeadEmphasis = 1;
    f.fwHeadFlags = 0x1C;
    return f;
}

const VideoFormat kVideoFormat;
const MPEG1WAVEFORMAT kAudioFormat = AudioFormat();
static_assert(sizeof(MPEG1WAVEFORMAT) == 40, "MPEG-1 wave format with its 22 extra bytes");
}

CMpeg2DemuxFilter::CMpeg2DemuxFilter(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMpeg2DemuxFilter::CMpeg2DemuxFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CMpeg2DemuxFilter::~CMpeg2DemuxFilter()
{
}

// The demultiplexer's pins appear as they are made.
BOOL CMpeg2DemuxFilter::Init()
{
    SetDynamicPins(TRUE);
    m_demux.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(Check("QueryInterface IMpeg2Demultiplexer",
                           GetFilter()->QueryInterface(IID_IMpeg2Demultiplexer, m_demux.ReceiveVoid()))) && m_demux;
}

void CMpeg2DemuxFilter::GetPinMediaType(BOOL isAudio, AM_MEDIA_TYPE* type)
{
    memset(type, 0, sizeof(*type));
    type->bFixedSizeSamples = TRUE;
    type->bTemporalCompression = FALSE;
    type->lSampleSize = 0;
    if (isAudio) {
        type->majortype = MEDIATYPE_Audio;
        type->subtype = MEDIASUBTYPE_MPEG2_AUDIO;
        type->formattype = FORMAT_WaveFormatEx;
        type->cbFormat = sizeof(kAudioFormat);
        type->pbFormat = (BYTE*)&kAudioFormat;
    } else {
        type->majortype = MEDIATYPE_Video;
        type->subtype = MEDIASUBTYPE_MPEG2_VIDEO;
        type->formattype = FORMAT_MPEG2Video;
        type->cbFormat = sizeof(kVideoFormat.bytes);
        type->pbFormat = (BYTE*)kVideoFormat.bytes;
    }
}

BOOL CMpeg2DemuxFilter::CreateOutputPin(const char* name, BOOL isAudio)
{
    WCHAR wide[kWideNameSize];
    if (!m_demux || !ToWide(wide, name))
        return FALSE;
    AM_MEDIA_TYPE type;
    GetPinMediaType(isAudio, &type);
    CComRef<IPin> pin;
    if (FAILED(Check("CreateOutputPin", m_demux->CreateOutputPin(&type, wide, pin.Receive()))))
        return FALSE;
    return RefreshPins();
}

BOOL CMpeg2DemuxFilter::SetOutputPinMediaType(const char* name, AM_MEDIA_TYPE* type)
{
    WCHAR wide[kWideNameSize];
    return m_demux && ToWide(wide, name) &&
           SUCCEEDED(Check("SetOutputPinMediaType", m_demux->SetOutputPinMediaType(wide, type)));
}

BOOL CMpeg2DemuxFilter::DeleteOutputPin(const char* name)
{
    WCHAR wide[kWideNameSize];
    if (!m_demux || !ToWide(wide, name) || FAILED(Check("DeleteOutputPin", m_demux->DeleteOutputPin(wide))))
        return FALSE;
    return RefreshPins();
}

BOOL CMpeg2DemuxFilter::MapStreamId(const char* pinName, BOOL isAudio)
{
    CFilterPin* pin = FindPin(pinName);
    if (pin == NULL)
        return FALSE;
    CComRef<IMPEG2StreamIdMap> map;
    if (FAILED(Check("QueryInterface IMPEG2StreamIdMap",
                     pin->GetPin()->QueryInterface(IID_IMPEG2StreamIdMap, map.ReceiveVoid()))) || !map)
        return FALSE;
    ULONG streamId = isAudio ? kAudioStreamId : kVideoStreamId;
    return SUCCEEDED(Check("MapStreamId", map->MapStreamId(streamId, MPEG2_PROGRAM_ELEMENTARY_STREAM, 0, 0)));
}
