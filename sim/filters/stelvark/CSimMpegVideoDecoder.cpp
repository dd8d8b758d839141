#include "CSimMpegVideoDecoder.h"

#include "AmMediaType.h"
#include "CritGuard.h"
#include "SimStelvarkClasses.h"

#include <dvdmedia.h>
#include "simmpegguids.h"
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <new>
#include <string>

namespace
{
// The formats in their default order; bit i of the enabled mask is kFourccs[i].
const DWORD kFourccs[CSimMpegVideoDecoder::kFormatCount] = {
    MAKEFOURCC('Y', 'U', 'Y', '2'), MAKEFOURCC('U', 'Y', 'V', 'Y'), MAKEFOURCC('Y', 'V', '1', '2'),
    MAKEFOURCC('B', 'G', 'R', '4'), MAKEFOURCC('B', 'G', 'R', '3'), MAKEFOURCC('R', '5', '6', '5'),
    MAKEFOURCC('R', '5', '5', '5'),
};
const DWORD kYuy2 = MAKEFOURCC('Y', 'U', 'Y', '2');
const DWORD kAllFormats = (1u << CSimMpegVideoDecoder::kFormatCount) - 1;

std::string FourccText(DWORD fourcc)
{
    char text[5] = {(char)fourcc, (char)(fourcc >> 8), (char)(fourcc >> 16), (char)(fourcc >> 24), 0};
    return text;
}

// The picture size an input type's format block names.
bool BlockSize(const AM_MEDIA_TYPE& type, LONG* width, LONG* height)
{
    const BITMAPINFOHEADER* header = nullptr;
    if (IsEqualGUID(type.formattype, FORMAT_MPEG2Video) && type.cbFormat >= sizeof(VIDEOINFOHEADER2))
        header = &reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat)->bmiHeader;
    else if (IsEqualGUID(type.formattype, FORMAT_VideoInfo) && type.cbFormat >= sizeof(VIDEOINFOHEADER))
        header = &reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
    if (header == nullptr || header->biWidth <= 0 || header->biHeight == 0)
        return false;
    *width = header->biWidth;
    *height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    return true;
}
}

CSimMpegVideoDecoder::CSimMpegVideoDecoder(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimMpegVideoDecoder, "mpegdec", "simstelvark:mpegvdec 1"),
      m_input(*this, L"Video In", 0), m_output(*this, L"Video Out", 1), m_enabled(kAllFormats)
{
    memcpy(m_order, kFourccs, sizeof(m_order));
}

CBasePin* CSimMpegVideoDecoder::GetPin(int index)
{
    return index == 0 ? static_cast<CBasePin*>(&m_input) : index == 1 ? static_cast<CBasePin*>(&m_output) : nullptr;
}

void* CSimMpegVideoDecoder::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IMpegDecoderFormats))
        return Switches().Omits("IMpegDecoderFormats") ? nullptr : static_cast<IMpegDecoderFormats*>(this);
    if (IsEqualIID(iid, IID_IMpegDecoderParams))
        return Switches().Omits("IMpegDecoderParams") ? nullptr : static_cast<IMpegDecoderParams*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

int CSimMpegVideoDecoder::FormatIndex(DWORD fourcc) const
{
    for (int i = 0; i < kFormatCount; ++i)
        if (kFourccs[i] == fourcc)
            return i;
    return -1;
}

// The "Refuse" switch names FOURCCs whose switch fails, as a decoder without them would.
bool CSimMpegVideoDecoder::Refused(DWORD fourcc) const
{
    std::string refused = Switches().Text("Refuse", "");
    return refused.find(FourccText(fourcc)) != std::string::npos;
}

STDMETHODIMP CSimMpegVideoDecoder::GetFormatEnabled(DWORD fourcc, LONG* enabled)
{
    if (enabled == nullptr)
        return E_POINTER;
    int i = FormatIndex(fourcc);
    if (i < 0)
        return E_INVALIDARG;
    CCritGuard guard(m_settingsLock);
    *enabled = (m_enabled >> i) & 1;
    return S_OK;
}

STDMETHODIMP CSimMpegVideoDecoder::SetFormatOrder(DWORD fourcc, LONG position)
{
    if (FormatIndex(fourcc) < 0 || position < 0 || position >= kFormatCount)
        return E_INVALIDARG;
    CCritGuard guard(m_settingsLock);
    DWORD* end = m_order + kFormatCount;
    DWORD* at = std::find(m_order, end, fourcc);
    std::copy(at + 1, end, at);
    DWORD* to = m_order + position;
    std::copy_backward(to, end - 1, end);
    *to = fourcc;
    Log().Line("V order %s %ld", FourccText(fourcc).c_str(), position);
    return S_OK;
}

STDMETHODIMP CSimMpegVideoDecoder::EnableFormat(DWORD fourcc, LONG enable)
{
    int i = FormatIndex(fourcc);
    if (i < 0)
        return E_INVALIDARG;
    if (Refused(fourcc)) {
        Log().Line("! refuse %s", FourccText(fourcc).c_str());
        return E_FAIL;
    }
    CCritGuard guard(m_settingsLock);
    m_enabled = enable ? (m_enabled | (1u << i)) : (m_enabled & ~(1u << i));
    Log().Line("V format %s %ld", FourccText(fourcc).c_str(), enable);
    return S_OK;
}

STDMETHODIMP CSimMpegVideoDecoder::GetDecoderConfig(BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    DWORD words[kConfigSize / 4] = {kConfigSize, m_enabled, (DWORD)m_width, (DWORD)m_height, m_repeat ? 1u : 0u};
    memcpy(record, words, kConfigSize);
    return S_OK;
}

STDMETHODIMP CSimMpegVideoDecoder::SetDecoderConfig(const BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    DWORD words[kConfigSize / 4];
    memcpy(words, record, kConfigSize);
    if (words[0] != kConfigSize)
        return E_INVALIDARG;
    CCritGuard guard(m_settingsLock);
    m_enabled = words[1] & kAllFormats;
    m_width = (LONG)words[2];
    m_height = (LONG)words[3];
    m_repeat = words[4] != 0;
    Log().Line("V config mask=%02lX size=%ldx%ld repeat=%d", m_enabled, m_width, m_height, m_repeat ? 1 : 0);
    return S_OK;
}

STDMETHODIMP CSimMpegVideoDecoder::GetDecoderParam(LONG id, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    auto it = m_params.find(id);
    *value = it == m_params.end() ? 0 : it->second;
    return S_OK;
}

STDMETHODIMP CSimMpegVideoDecoder::SetDecoderParam(LONG id, LONG value)
{
    CCritGuard guard(m_settingsLock);
    m_params[id] = value;
    Log().Line("V param %ld=%ld", id, value);
    return S_OK;
}

HRESULT CSimMpegVideoDecoder::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    LONG w = 0, h = 0;
    bool subtype = IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG2_VIDEO) || IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG1Payload);
    return IsEqualGUID(type.majortype, MEDIATYPE_Video) && subtype && BlockSize(type, &w, &h) ? S_OK
                                                                                                : VFW_E_TYPE_NOT_ACCEPTED;
}

bool CSimMpegVideoDecoder::OutputSize(LONG* width, LONG* height)
{
    {
        CCritGuard guard(m_settingsLock);
        if (m_width > 0 && m_height > 0) {
            *width = m_width & ~1;
            *height = m_height;
            return true;
        }
    }
    if (!m_input.IsConnected() || !BlockSize(m_input.ConnectionType(), width, height))
        return false;
    *width &= ~1;
    return true;
}

HRESULT CSimMpegVideoDecoder::GetOutputType(int, int index, CAmMediaType& type)
{
    LONG width = 0, height = 0;
    bool yuy2 = false;
    {
        CCritGuard guard(m_settingsLock);
        yuy2 = (m_enabled & 1) != 0;
    }
    if (index > 0 || !yuy2 || !OutputSize(&width, &height))
        return VFW_S_NO_MORE_ITEMS;
    VIDEOINFOHEADER v = {};
    v.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    v.bmiHeader.biWidth = width;
    v.bmiHeader.biHeight = height;
    v.bmiHeader.biPlanes = 1;
    v.bmiHeader.biBitCount = 16;
    v.bmiHeader.biCompression = kYuy2;
    v.bmiHeader.biSizeImage = (DWORD)(width * height * 2);
    const VIDEOINFOHEADER2* in = IsEqualGUID(m_input.ConnectionType().formattype, FORMAT_MPEG2Video)
                                     ? reinterpret_cast<const VIDEOINFOHEADER2*>(m_input.ConnectionType().pbFormat)
                                     : nullptr;
    v.AvgTimePerFrame = in ? in->AvgTimePerFrame : 400000;
    return type.SetVideoInfo(MEDIASUBTYPE_YUY2, v);
}

HRESULT CSimMpegVideoDecoder::CheckOutputType(int pin, const AM_MEDIA_TYPE& type)
{
    CAmMediaType offered;
    if (GetOutputType(pin, 0, offered) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    const VIDEOINFOHEADER* v = CAmMediaType::VideoInfoOf(type);
    return IsEqualGUID(type.subtype, MEDIASUBTYPE_YUY2) && v != nullptr &&
                   v->bmiHeader.biWidth == offered.VideoInfo()->bmiHeader.biWidth &&
                   labs(v->bmiHeader.biHeight) == offered.VideoInfo()->bmiHeader.biHeight
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimMpegVideoDecoder::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    const VIDEOINFOHEADER* v = m_output.ConnectionType().VideoInfo();
    if (v == nullptr)
        return E_UNEXPECTED;
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = wanted.cBuffers > 2 ? wanted.cBuffers : 2;
    wanted.cbBuffer = (long)v->bmiHeader.biSizeImage > wanted.cbBuffer ? (long)v->bmiHeader.biSizeImage : wanted.cbBuffer;
    wanted.cbAlign = wanted.cbAlign > 0 ? wanted.cbAlign : 1;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

HRESULT CSimMpegVideoDecoder::OnPrepare()
{
    CCritGuard guard(m_receiveLock);
    m_decoder.Reset();
    m_discontinuity = true;
    m_announced = false;
    return S_OK;
}

HRESULT CSimMpegVideoDecoder::ReceiveSample(int, IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)))
        return E_POINTER;
    CCritGuard guard(m_receiveLock);
    if (sample->IsDiscontinuity() == S_OK) {
        m_decoder.Reset();
        m_discontinuity = true;
    }
    m_deliverResult = S_OK;
    m_decoder.Feed(data, (size_t)sample->GetActualDataLength(),
                   [this](AVFrame* picture) { return (m_deliverResult = DeliverPicture(picture)) == S_OK; });
    return SUCCEEDED(m_deliverResult) ? S_OK : m_deliverResult;
}

// Caller holds the receive lock. S_FALSE when downstream takes no more.
HRESULT CSimMpegVideoDecoder::DeliverPicture(const AVFrame* picture)
{
    if (!m_output.IsConnected())
        return S_OK;
    const VIDEOINFOHEADER* v = m_output.ConnectionType().VideoInfo();
    LONG width = v->bmiHeader.biWidth, height = labs(v->bmiHeader.biHeight);
    if (!m_announced) {
        m_announced = true;
        Log().Line("V out YUY2 %ldx%ld in=%dx%d", width, height, picture->width, picture->height);
    }
    IMediaSample* out = nullptr;
    HRESULT hr = m_output.GetDeliveryBuffer(&out, nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    BYTE* frame = nullptr;
    out->GetPointer(&frame);
    m_scaler.FromPicture(picture, frame, kYuy2, width, height);
    out->SetActualDataLength(width * height * 2);
    out->SetTime(nullptr, nullptr);
    out->SetSyncPoint(TRUE);
    out->SetDiscontinuity(m_discontinuity);
    m_discontinuity = false;
    hr = m_output.Deliver(out);
    out->Release();
    return hr;
}

HRESULT CSimMpegVideoDecoder::EndOfInput(int)
{
    {
        CCritGuard guard(m_receiveLock);
        m_decoder.Flush([this](AVFrame* picture) { return DeliverPicture(picture) == S_OK; });
    }
    return m_output.IsConnected() ? m_output.DeliverEndOfStream() : S_OK;
}

HRESULT CSimMpegVideoDecoder::BeginInputFlush(int)
{
    return m_output.IsConnected() ? m_output.DeliverBeginFlush() : S_OK;
}

HRESULT CSimMpegVideoDecoder::EndInputFlush(int)
{
    {
        CCritGuard guard(m_receiveLock);
        m_decoder.Reset();
        m_discontinuity = true;
    }
    return m_output.IsConnected() ? m_output.DeliverEndFlush() : S_OK;
}
