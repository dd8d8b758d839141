#include "CSimVideoPin.h"

#include "CSimDriverPage.h"

#include "CSimFilter.h"
#include "CSimText.h"
#include "CritGuard.h"

#include <string.h>

namespace
{
const LONGLONG MIN_INTERVAL = 333333;
const LONGLONG MAX_INTERVAL = 10000000;
const LONGLONG INTERVAL_25 = 400000;
const LONGLONG INTERVAL_30 = 333333;
const LONG LINES_625_HEIGHT = 576;
const LONG LINES_525_HEIGHT = 480;
const LONG DEFAULT_WIDTH = 720;
const DWORD BUFFERS = 4;
// AnalogVideo_NTSC_M, _NTSC_M_J, _NTSC_433, _PAL_M, _PAL_60: 525 lines, 30 frames.
const LONG FORMATS_525 = 0x00000001 | 0x00000002 | 0x00000004 | 0x00000200 | 0x00000400;
const LONG AVAILABLE_TV_FORMATS = 0x001FFFF7;

GUID SubtypeOf(const SimVideoFormatInfo& info)
{
    if (info.compression == BI_RGB)
        return info.bitCount == 24 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_RGB555;
    GUID g = { info.compression, 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
    return g;
}
}

CSimVideoPin::CSimVideoPin(CSimFilter& filter, const WCHAR* name, const GUID& category, int index)
    : CLiveSourcePin(filter, name, &category), m_owner(filter), m_index(index)
{
}

void* CSimVideoPin::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMStreamConfig))
        return static_cast<IAMStreamConfig*>(this);
    if (IsEqualIID(iid, IID_ISpecifyPropertyPages) && IsCamera())
        return static_cast<ISpecifyPropertyPages*>(this);
    return CLiveSourcePin::FindInterface(iid);
}

bool CSimVideoPin::IsCamera()
{
    return m_owner.Card().Family() == SIM_FAMILY_USBCAM;
}

int CSimVideoPin::FormatCount()
{
    return IsCamera() ? CSimVideoFormats::WITH_I420 : CSimVideoFormats::COUNT;
}

const SimVideoFormatInfo* CSimVideoPin::FormatOfSubtype(REFGUID subtype)
{
    const SimVideoFormatInfo* all[CSimVideoFormats::WITH_I420];
    int count = FormatCount();
    CSimVideoFormats::InOrder("", count, all);
    for (int i = 0; i < count; ++i) {
        if (IsEqualGUID(SubtypeOf(*all[i]), subtype))
            return all[i];
    }
    return nullptr;
}

STDMETHODIMP CSimVideoPin::GetPages(CAUUID* pages)
{
    m_owner.Card().AddTrace("U pages pin");
    return CSimDriverPage::List(pages);
}

bool CSimVideoPin::Lines525()
{
    LONG format = 0;
    return SUCCEEDED(m_owner.Card().GetTvFormat(&format)) && (format & FORMATS_525) != 0;
}

LONGLONG CSimVideoPin::DefaultInterval()
{
    return Lines525() ? INTERVAL_30 : INTERVAL_25;
}

HRESULT CSimVideoPin::MakeType(const SimVideoFormatInfo& info, LONG width, LONG height, LONGLONG interval,
                               CAmMediaType& type)
{
    LONG absHeight = height < 0 ? -height : height;
    VIDEOINFOHEADER v = {};
    v.AvgTimePerFrame = interval;
    v.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    v.bmiHeader.biWidth = width;
    v.bmiHeader.biHeight = height;
    v.bmiHeader.biPlanes = 1;
    v.bmiHeader.biBitCount = info.bitCount;
    v.bmiHeader.biCompression = info.compression;
    v.bmiHeader.biSizeImage = CSimVideoFormats::ImageSize(info, width, absHeight);
    v.dwBitRate = (DWORD)((ULONGLONG)v.bmiHeader.biSizeImage * 8 * 10000000 / (ULONGLONG)interval);
    return type.SetVideoInfo(SubtypeOf(info), v);
}

// Format number index of the list the pin offers before SetFormat: VideoSubtype first,
// at the TV format's default size and frame time.
HRESULT CSimVideoPin::DefaultType(int index, CAmMediaType& type)
{
    SimConfig config;
    HRESULT hr = m_owner.Card().GetConfig(&config);
    if (FAILED(hr))
        return hr;
    const SimVideoFormatInfo* order[CSimVideoFormats::WITH_I420];
    CSimVideoFormats::InOrder(config.videoSubtype, FormatCount(), order);
    return MakeType(*order[index], DEFAULT_WIDTH, Lines525() ? LINES_525_HEIGHT : LINES_625_HEIGHT,
                    DefaultInterval(), type);
}

// The format GetFormat reports: the one set, else the default.
HRESULT CSimVideoPin::CurrentType(CAmMediaType& type)
{
    if (!m_formatSet)
        return DefaultType(0, type);
    return MakeType(*m_format, m_width, m_height, m_interval != 0 ? m_interval : DefaultInterval(), type);
}

// The type as the card would capture it: the subtype decides bit count, compression
// and image size, whatever the caller put there.
HRESULT CSimVideoPin::Check(const AM_MEDIA_TYPE& type, Checked* checked)
{
    const VIDEOINFOHEADER* v = CAmMediaType::VideoInfoOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Video) || v == nullptr)
        return VFW_E_INVALIDMEDIATYPE;
    const SimVideoFormatInfo* info = FormatOfSubtype(type.subtype);
    if (info == nullptr)
        return VFW_E_INVALIDMEDIATYPE;
    LONG width = v->bmiHeader.biWidth;
    LONG height = v->bmiHeader.biHeight;
    if (height < 0 && !CSimVideoFormats::IsRgb(*info))
        return VFW_E_INVALIDMEDIATYPE;
    LONG absHeight = height < 0 ? -height : height;
    if (!CSimVideoFormats::SizeAllowed(*info, width, absHeight))
        return VFW_E_INVALIDMEDIATYPE;
    LONGLONG interval = v->AvgTimePerFrame;
    if (interval != 0 && (interval < MIN_INTERVAL || interval > MAX_INTERVAL))
        return VFW_E_INVALIDMEDIATYPE;
    checked->info = info;
    checked->header = *v;
    BITMAPINFOHEADER& bi = checked->header.bmiHeader;
    DWORD size = CSimVideoFormats::ImageSize(*info, width, absHeight);
    checked->corrected = bi.biBitCount != info->bitCount || bi.biCompression != info->compression ||
                         bi.biSizeImage != size;
    bi.biSize = sizeof(BITMAPINFOHEADER);
    bi.biPlanes = 1;
    bi.biBitCount = info->bitCount;
    bi.biCompression = info->compression;
    bi.biSizeImage = size;
    return S_OK;
}

STDMETHODIMP CSimVideoPin::SetFormat(AM_MEDIA_TYPE* type)
{
    if (type == nullptr)
        return E_POINTER;
    CCritGuard guard(Filter().StateLock());
    if (Filter().State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    Checked checked;
    HRESULT hr = Check(*type, &checked);
    if (FAILED(hr))
        return hr;
    const BITMAPINFOHEADER& bi = checked.header.bmiHeader;
    if (IsConnected()) {
        // Connected, only the frame time may change.
        const VIDEOINFOHEADER* now = ConnectionType().VideoInfo();
        if (now == nullptr || !IsEqualGUID(ConnectionType().subtype, type->subtype) ||
            now->bmiHeader.biWidth != bi.biWidth || now->bmiHeader.biHeight != bi.biHeight)
            return VFW_E_ALREADY_CONNECTED;
    }
    if (checked.corrected) {
        m_owner.Card().AddTrace(CSimText::Format("V fixup %s %ldx%ld size=%lu", checked.info->name, bi.biWidth,
                                                 bi.biHeight, bi.biSizeImage).c_str());
    }
    m_formatSet = true;
    m_format = checked.info;
    m_width = bi.biWidth;
    m_height = bi.biHeight;
    m_interval = checked.header.AvgTimePerFrame;
    MediaTypesChanged();
    return m_owner.Card().NoteVideoFormat(m_index, m_format->name, m_format->code, m_width, m_height,
                                          m_interval != 0 ? m_interval : DefaultInterval());
}

STDMETHODIMP CSimVideoPin::GetFormat(AM_MEDIA_TYPE** type)
{
    if (type == nullptr)
        return E_POINTER;
    *type = nullptr;
    CCritGuard guard(Filter().StateLock());
    CAmMediaType current;
    HRESULT hr = IsConnected() && !m_formatSet ? current.Set(ConnectionType()) : CurrentType(current);
    if (FAILED(hr))
        return hr;
    *type = CAmMediaType::NewCopy(current);
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CSimVideoPin::GetNumberOfCapabilities(int* count, int* size)
{
    if (count == nullptr || size == nullptr)
        return E_POINTER;
    *count = FormatCount();
    *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CSimVideoPin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps)
{
    if (type == nullptr || caps == nullptr)
        return E_POINTER;
    *type = nullptr;
    if (index < 0)
        return E_INVALIDARG;
    if (index >= FormatCount())
        return S_FALSE;
    CCritGuard guard(Filter().StateLock());
    // With a format set the pin offers only that one; the caps still list them all.
    CAmMediaType candidate;
    HRESULT hr = DefaultType(index, candidate);
    if (FAILED(hr))
        return hr;
    const SimVideoFormatInfo* info = FormatOfSubtype(candidate.subtype);
    VIDEO_STREAM_CONFIG_CAPS c = {};
    c.guid = FORMAT_VideoInfo;
    c.VideoStandard = AVAILABLE_TV_FORMATS;
    c.InputSize.cx = CSimVideoFormats::MAX_WIDTH;
    c.InputSize.cy = CSimVideoFormats::MAX_HEIGHT;
    c.MinCroppingSize = c.InputSize;
    c.MaxCroppingSize = c.InputSize;
    c.CropGranularityX = 1;
    c.CropGranularityY = 1;
    c.MinOutputSize.cx = CSimVideoFormats::MIN_WIDTH;
    c.MinOutputSize.cy = CSimVideoFormats::MIN_HEIGHT;
    c.MaxOutputSize = c.InputSize;
    c.OutputGranularityX = info->granularityX;
    c.OutputGranularityY = info->granularityY;
    c.MinFrameInterval = MIN_INTERVAL;
    c.MaxFrameInterval = MAX_INTERVAL;
    c.MinBitsPerSecond = (LONG)((ULONGLONG)CSimVideoFormats::ImageSize(*info, c.MinOutputSize.cx, c.MinOutputSize.cy) * 8);
    c.MaxBitsPerSecond = (LONG)((ULONGLONG)CSimVideoFormats::ImageSize(*info, c.MaxOutputSize.cx, c.MaxOutputSize.cy) * 8 * 30);
    memcpy(caps, &c, sizeof(c));
    *type = CAmMediaType::NewCopy(candidate);
    return *type ? S_OK : E_OUTOFMEMORY;
}

HRESULT CSimVideoPin::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return E_INVALIDARG;
    if (m_formatSet)
        return index == 0 ? CurrentType(type) : VFW_S_NO_MORE_ITEMS;
    if (index >= FormatCount())
        return VFW_S_NO_MORE_ITEMS;
    return DefaultType(index, type);
}

HRESULT CSimVideoPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    Checked checked;
    HRESULT hr = Check(type, &checked);
    if (FAILED(hr))
        return hr;
    if (m_formatSet && (checked.info != m_format || checked.header.bmiHeader.biWidth != m_width ||
                        checked.header.bmiHeader.biHeight != m_height))
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CSimVideoPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES*)
{
    const VIDEOINFOHEADER* v = ConnectionType().VideoInfo();
    if (v == nullptr)
        return VFW_E_INVALIDMEDIATYPE;
    ALLOCATOR_PROPERTIES wanted = {};
    wanted.cBuffers = BUFFERS;
    wanted.cbBuffer = (LONG)v->bmiHeader.biSizeImage;
    wanted.cbAlign = 1;
    return RequireBuffers(allocator, wanted);
}

HRESULT CSimVideoPin::Active()
{
    const VIDEOINFOHEADER* v = ConnectionType().VideoInfo();
    if (IsConnected() && v != nullptr) {
        m_streamFormat = FormatOfSubtype(ConnectionType().subtype);
        m_streamWidth = v->bmiHeader.biWidth;
        m_streamHeight = v->bmiHeader.biHeight;
        m_imageSize = v->bmiHeader.biSizeImage;
        // A frame time set after connecting wins over the connection's.
        m_frameTime = m_formatSet && m_interval != 0 ? m_interval : v->AvgTimePerFrame;
        if (m_frameTime == 0)
            m_frameTime = DefaultInterval();
        m_frame = 0;
    }
    return CLiveSourcePin::Active();
}

HRESULT CSimVideoPin::FillBuffer(IMediaSample* sample)
{
    REFERENCE_TIME start = (REFERENCE_TIME)m_frame * m_frameTime;
    REFERENCE_TIME stop = start + m_frameTime;
    HRESULT hr = WaitForStreamTime(stop);
    if (hr != S_OK)
        return S_FALSE;
    // The card lock timed out: show the last picture again rather than stall the stream.
    SimPictureInput picture;
    if (SUCCEEDED(m_owner.Card().TakePicture(&picture)))
        m_lastPicture = picture;
    BYTE* buffer = nullptr;
    hr = sample->GetPointer(&buffer);
    if (FAILED(hr))
        return hr;
    if ((DWORD)sample->GetSize() < m_imageSize || m_streamFormat == nullptr)
        return VFW_E_BUFFER_OVERFLOW;
    LONG height = m_streamHeight < 0 ? -m_streamHeight : m_streamHeight;
    CSimPicture::Render(m_lastPicture, m_frame, *m_streamFormat, m_streamWidth, height, m_streamHeight < 0, buffer);
    sample->SetActualDataLength((LONG)m_imageSize);
    sample->SetTime(&start, &stop);
    LONGLONG mediaStart = m_frame;
    LONGLONG mediaStop = m_frame + 1;
    sample->SetMediaTime(&mediaStart, &mediaStop);
    sample->SetDiscontinuity(m_frame == 0);
    sample->SetSyncPoint(TRUE);
    m_owner.Card().CountFrame(m_index);
    ++m_frame;
    return S_OK;
}
