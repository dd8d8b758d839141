#include "CSimMpegPin.h"

#include "CSimFilter.h"
#include "CSimInstanceKeys.h"
#include "CSimText.h"
#include "CritGuard.h"

#include <dvdmedia.h>
#include <string.h>

#include <string>
#include <vector>

namespace
{
const GUID GO_MPEG2_SUBTYPE = { 0xE06D8026, 0xDB46, 0x11CF, { 0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA } };
const GUID GO_MPEG2_FORMAT = { 0xE06D80E3, 0xDB46, 0x11CF, { 0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA } };

enum Layout { LAYOUT_MPEG1, LAYOUT_MPEG2, LAYOUT_VIDEOINFO };

struct Kind
{
    const char* label;
    Layout layout;
    DWORD fourcc;       // MPEG-4 only
};

const Kind KINDS[] = {
    // label     layout            code
    { "MPEG1",   LAYOUT_MPEG1,     0 },
    { "MPEG2",   LAYOUT_MPEG2,     0 },
    { "WMP4",    LAYOUT_VIDEOINFO, 0x04504D57 },
    { "DX50",    LAYOUT_VIDEOINFO, MAKEFOURCC('D', 'X', '5', '0') },
    { "MP4S",    LAYOUT_VIDEOINFO, MAKEFOURCC('M', 'P', '4', 'S') },
    { "DIVX",    LAYOUT_VIDEOINFO, MAKEFOURCC('D', 'I', 'V', 'X') },
};
const int KIND_COUNT = sizeof(KINDS) / sizeof(KINDS[0]);

struct Size
{
    LONG width, height;
    bool roomForRows;
};
const Size SIZES[] = { { 720, 576, true }, { 720, 480, true }, { 352, 288, true }, { 320, 240, false } };
const int SIZE_COUNT = sizeof(SIZES) / sizeof(SIZES[0]);

// The driver's profile rows: stream 356, frame rate 348, resolution 368, bitrate 356 bytes,
// each beginning with a 64-byte name; the bitrate row's target at 328.
const DWORD ROWS_BYTES = 1428;
const DWORD ROW_OFFSETS[] = { 0, 356, 704, 1072 };
const DWORD TARGET_OFFSET = 1072 + 328;
// Where the rows end in an MPEG-4 block: biSize - 1380 from the block's start.
const LONG MPEG4_ROWS_FROM_BISIZE = 1380;

const BYTE SEQUENCE_HEADER[12] = { 0x00, 0x00, 0x01, 0xB3, 0, 0, 0, 0x23, 0xFF, 0xFF, 0xF2, 0xA8 };
const LONGLONG DEFAULT_INTERVAL = 400000;
// The faults a test asks for in the card's instance values: the one capability whose
// GetStreamCaps fails, and what SetFormat answers instead of taking a format.
const char FAIL_CAPS_VALUE[] = "Go7007FailCaps";
const char FAIL_SET_FORMAT_VALUE[] = "Go7007FailSetFormat";
const DWORD DEFAULT_BITRATE = 4000000;

// An MPEG-1 or MPEG-2 format block: the header, the sequence header at its offset, then room
// for the rows.
template <class Info>
BITMAPINFOHEADER* SequenceBlock(size_t sequenceAt, DWORD rows, std::vector<BYTE>* block, REFERENCE_TIME** interval,
                                DWORD** bitRate)
{
    block->assign(sequenceAt + sizeof(SEQUENCE_HEADER) + rows, 0);
    Info* info = (Info*)block->data();
    info->cbSequenceHeader = sizeof(SEQUENCE_HEADER);
    memcpy(block->data() + sequenceAt, SEQUENCE_HEADER, sizeof(SEQUENCE_HEADER));
    *interval = &info->hdr.AvgTimePerFrame;
    *bitRate = &info->hdr.dwBitRate;
    return &info->hdr.bmiHeader;
}

GUID FourccSubtype(DWORD code)
{
    GUID g = MEDIASUBTYPE_YUY2;
    g.Data1 = code;
    return g;
}

// The rows' place in the block, -1 when they do not fit in it whole.
LONGLONG RowsOffset(const AM_MEDIA_TYPE& type, Layout layout)
{
    LONGLONG at = -1;
    LONGLONG header = 0;
    if (layout == LAYOUT_MPEG1 && type.cbFormat >= sizeof(MPEG1VIDEOINFO)) {
        header = offsetof(MPEG1VIDEOINFO, bSequenceHeader);
        at = header + ((const MPEG1VIDEOINFO*)type.pbFormat)->cbSequenceHeader;
    } else if (layout == LAYOUT_MPEG2 && type.cbFormat >= sizeof(MPEG2VIDEOINFO)) {
        header = offsetof(MPEG2VIDEOINFO, dwSequenceHeader);
        at = header + ((const MPEG2VIDEOINFO*)type.pbFormat)->cbSequenceHeader;
    } else if (layout == LAYOUT_VIDEOINFO && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        header = sizeof(VIDEOINFOHEADER);
        at = (LONGLONG)((const VIDEOINFOHEADER*)type.pbFormat)->bmiHeader.biSize - MPEG4_ROWS_FROM_BISIZE;
    }
    return at >= header && at + ROWS_BYTES <= (LONGLONG)type.cbFormat ? at : -1;
}

const BITMAPINFOHEADER* BitmapOf(const AM_MEDIA_TYPE& type, Layout layout)
{
    if (layout == LAYOUT_MPEG2)
        return type.cbFormat >= sizeof(MPEG2VIDEOINFO) ? &((const MPEG2VIDEOINFO*)type.pbFormat)->hdr.bmiHeader : nullptr;
    return type.cbFormat >= sizeof(VIDEOINFOHEADER) ? &((const VIDEOINFOHEADER*)type.pbFormat)->bmiHeader : nullptr;
}
}

CSimMpegPin::CSimMpegPin(CSimFilter& filter, const WCHAR* name, const GUID& category, const char* traceName)
    : CBaseOutputPin(filter, name, &category), m_owner(filter), m_traceName(traceName)
{
    MakeType(0, m_format);
}

void* CSimMpegPin::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMStreamConfig))
        return static_cast<IAMStreamConfig*>(this);
    return CBaseOutputPin::FindInterface(iid);
}

HRESULT CSimMpegPin::MakeType(int index, CAmMediaType& type)
{
    const Kind& kind = KINDS[index / SIZE_COUNT];
    const Size& size = SIZES[index % SIZE_COUNT];
    DWORD rows = size.roomForRows ? ROWS_BYTES : 0;
    std::vector<BYTE> block;
    BITMAPINFOHEADER* bitmap = nullptr;
    REFERENCE_TIME* interval = nullptr;
    DWORD* bitRate = nullptr;
    GUID subtype, format;
    if (kind.layout == LAYOUT_MPEG1) {
        bitmap = SequenceBlock<MPEG1VIDEOINFO>(offsetof(MPEG1VIDEOINFO, bSequenceHeader), rows, &block, &interval,
                                               &bitRate);
        subtype = MEDIASUBTYPE_MPEG1Payload;
        format = FORMAT_MPEGVideo;
    } else if (kind.layout == LAYOUT_MPEG2) {
        bitmap = SequenceBlock<MPEG2VIDEOINFO>(offsetof(MPEG2VIDEOINFO, dwSequenceHeader), rows, &block, &interval,
                                               &bitRate);
        subtype = GO_MPEG2_SUBTYPE;
        format = GO_MPEG2_FORMAT;
    } else {
        block.assign(sizeof(VIDEOINFOHEADER) + rows, 0);
        VIDEOINFOHEADER* info = (VIDEOINFOHEADER*)block.data();
        bitmap = &info->bmiHeader;
        interval = &info->AvgTimePerFrame;
        bitRate = &info->dwBitRate;
        subtype = FourccSubtype(kind.fourcc);
        format = FORMAT_VideoInfo;
    }
    // The small MPEG-4 blocks still claim the rows in biSize: a host must check the block.
    bitmap->biSize = (DWORD)sizeof(BITMAPINFOHEADER) + (kind.layout == LAYOUT_VIDEOINFO ? ROWS_BYTES : 0);
    bitmap->biWidth = size.width;
    bitmap->biHeight = size.height;
    bitmap->biPlanes = 1;
    bitmap->biBitCount = 12;
    bitmap->biCompression = kind.fourcc;
    bitmap->biSizeImage = (DWORD)(size.width * size.height * 3 / 2);
    *interval = DEFAULT_INTERVAL;
    *bitRate = DEFAULT_BITRATE;
    type.Clear();
    type.majortype = MEDIATYPE_Video;
    type.subtype = subtype;
    type.bFixedSizeSamples = FALSE;
    type.bTemporalCompression = TRUE;
    return type.SetFormat(format, block.data(), (ULONG)block.size());
}

int CSimMpegPin::CapabilityOf(const AM_MEDIA_TYPE& type)
{
    for (int index = 0; index < KIND_COUNT * SIZE_COUNT; ++index) {
        CAmMediaType candidate;
        if (FAILED(MakeType(index, candidate)))
            return -1;
        if (!IsEqualGUID(type.majortype, candidate.majortype) || !IsEqualGUID(type.subtype, candidate.subtype) ||
            !IsEqualGUID(type.formattype, candidate.formattype) || type.pbFormat == nullptr)
            continue;
        const Kind& kind = KINDS[index / SIZE_COUNT];
        const BITMAPINFOHEADER* bitmap = BitmapOf(type, kind.layout);
        const Size& size = SIZES[index % SIZE_COUNT];
        if (bitmap && bitmap->biWidth == size.width && bitmap->biHeight == size.height &&
            bitmap->biCompression == kind.fourcc)
            return index;
    }
    return -1;
}

void CSimMpegPin::TraceFormat(const AM_MEDIA_TYPE& type, int index)
{
    const Kind& kind = KINDS[index / SIZE_COUNT];
    const BITMAPINFOHEADER* bitmap = BitmapOf(type, kind.layout);
    REFERENCE_TIME interval = 0;
    DWORD bitRate = 0;
    if (kind.layout == LAYOUT_MPEG2) {
        const MPEG2VIDEOINFO* info = (const MPEG2VIDEOINFO*)type.pbFormat;
        interval = info->hdr.AvgTimePerFrame;
        bitRate = info->hdr.dwBitRate;
    } else {
        const VIDEOINFOHEADER* info = (const VIDEOINFOHEADER*)type.pbFormat;
        interval = info->AvgTimePerFrame;
        bitRate = info->dwBitRate;
    }
    std::string text = CSimText::Format("V go %s %s %ldx%ld %lld %lu", m_traceName, kind.label, bitmap->biWidth,
                                         bitmap->biHeight, (long long)interval, bitRate);
    if (kind.layout == LAYOUT_MPEG2) {
        const MPEG2VIDEOINFO* info = (const MPEG2VIDEOINFO*)type.pbFormat;
        text += CSimText::Format(" ar=%lu:%lu", info->hdr.dwPictAspectRatioX, info->hdr.dwPictAspectRatioY);
    }
    LONGLONG at = RowsOffset(type, kind.layout);
    if (at < 0) {
        text += " rows -";
    } else {
        const BYTE* rows = type.pbFormat + at;
        DWORD target = 0;
        memcpy(&target, rows + TARGET_OFFSET, sizeof(target));
        text += CSimText::Format(" rows@%lld", (long long)at);
        for (DWORD offset : ROW_OFFSETS)
            text += " " + std::string((const char*)rows + offset, strnlen((const char*)rows + offset, 10));
        text += CSimText::Format(" t=%lu", target);
    }
    m_owner.Card().AddTrace(text.substr(0, SIM_TRACE_TEXT - 1).c_str());
}

STDMETHODIMP CSimMpegPin::SetFormat(AM_MEDIA_TYPE* type)
{
    if (type == nullptr)
        return E_POINTER;
    DWORD fault = 0;
    if (CSimInstanceKeys(m_owner.Card().Number()).GetDword(FAIL_SET_FORMAT_VALUE, &fault) && FAILED((HRESULT)fault))
        return (HRESULT)fault;
    CCritGuard guard(Filter().StateLock());
    if (Filter().State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    int index = CapabilityOf(*type);
    if (index < 0)
        return VFW_E_INVALIDMEDIATYPE;
    HRESULT hr = m_format.Set(*type);
    if (FAILED(hr))
        return hr;
    MediaTypesChanged();
    TraceFormat(*type, index);
    return S_OK;
}

STDMETHODIMP CSimMpegPin::GetFormat(AM_MEDIA_TYPE** type)
{
    if (type == nullptr)
        return E_POINTER;
    CCritGuard guard(Filter().StateLock());
    *type = CAmMediaType::NewCopy(m_format);
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CSimMpegPin::GetNumberOfCapabilities(int* count, int* size)
{
    if (count == nullptr || size == nullptr)
        return E_POINTER;
    *count = KIND_COUNT * SIZE_COUNT;
    *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CSimMpegPin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps)
{
    if (type == nullptr || caps == nullptr)
        return E_POINTER;
    *type = nullptr;
    if (index < 0)
        return E_INVALIDARG;
    if (index >= KIND_COUNT * SIZE_COUNT)
        return S_FALSE;
    DWORD failing = 0;
    if (CSimInstanceKeys(m_owner.Card().Number()).GetDword(FAIL_CAPS_VALUE, &failing) && failing == (DWORD)index)
        return E_FAIL;
    CAmMediaType made;
    HRESULT hr = MakeType(index, made);
    if (FAILED(hr))
        return hr;
    const Size& size = SIZES[index % SIZE_COUNT];
    VIDEO_STREAM_CONFIG_CAPS c = {};
    c.guid = made.formattype;
    c.VideoStandard = AnalogVideo_NTSC_M | AnalogVideo_PAL_B | AnalogVideo_PAL_D;
    c.InputSize = c.MinCroppingSize = c.MaxCroppingSize = {size.width, size.height};
    c.MinOutputSize = c.MaxOutputSize = {size.width, size.height};
    c.MinFrameInterval = 166833;
    c.MaxFrameInterval = 10000000;
    c.MinBitsPerSecond = 64000;
    c.MaxBitsPerSecond = 15000000;
    memcpy(caps, &c, sizeof(c));
    *type = CAmMediaType::NewCopy(made);
    return *type ? S_OK : E_OUTOFMEMORY;
}

HRESULT CSimMpegPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return m_format.Equals(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimMpegPin::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return E_INVALIDARG;
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    return type.Set(m_format);
}

HRESULT CSimMpegPin::DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES*)
{
    return E_NOTIMPL;
}
