#include "AmMediaType.h"

#include <string.h>

namespace {

void ZeroType(AM_MEDIA_TYPE& type)
{
    memset(&type, 0, sizeof(type));
}

} // namespace

CAmMediaType::CAmMediaType()
{
    ZeroType(*this);
}

CAmMediaType::CAmMediaType(const AM_MEDIA_TYPE& other)
{
    ZeroType(*this);
    CopyInto(*this, other);
}

CAmMediaType::CAmMediaType(const CAmMediaType& other)
    : CAmMediaType(static_cast<const AM_MEDIA_TYPE&>(other))
{
}

CAmMediaType& CAmMediaType::operator=(const CAmMediaType& other)
{
    if (this != &other)
        Set(other);
    return *this;
}

CAmMediaType::~CAmMediaType()
{
    FreeFormat(*this);
}

HRESULT CAmMediaType::Set(const AM_MEDIA_TYPE& other)
{
    if (&other == this)
        return S_OK;
    Clear();
    return CopyInto(*this, other);
}

void CAmMediaType::Clear()
{
    FreeFormat(*this);
    ZeroType(*this);
}

HRESULT CAmMediaType::SetFormat(REFGUID type, const void* data, ULONG size)
{
    BYTE* copy = nullptr;
    if (size) {
        copy = static_cast<BYTE*>(CoTaskMemAlloc(size));
        if (!copy)
            return E_OUTOFMEMORY;
        memcpy(copy, data, size);
    }
    CoTaskMemFree(pbFormat);
    pbFormat = copy;
    cbFormat = size;
    formattype = type;
    return S_OK;
}

HRESULT CAmMediaType::SetVideoInfo(REFGUID videoSubtype, const VIDEOINFOHEADER& format)
{
    Clear();
    majortype = MEDIATYPE_Video;
    subtype = videoSubtype;
    bFixedSizeSamples = TRUE;
    lSampleSize = format.bmiHeader.biSizeImage;
    return SetFormat(FORMAT_VideoInfo, &format, sizeof(format));
}

HRESULT CAmMediaType::SetWaveFormat(const WAVEFORMATEX& format)
{
    Clear();
    majortype = MEDIATYPE_Audio;
    // The wave-format subtypes carry the format tag in Data1 of the PCM subtype.
    subtype = MEDIASUBTYPE_PCM;
    subtype.Data1 = format.wFormatTag;
    bFixedSizeSamples = TRUE;
    lSampleSize = format.nBlockAlign;
    ULONG size = sizeof(WAVEFORMATEX) + (format.wFormatTag == WAVE_FORMAT_PCM ? 0 : format.cbSize);
    HRESULT hr = SetFormat(FORMAT_WaveFormatEx, &format, size);
    if (SUCCEEDED(hr) && format.wFormatTag == WAVE_FORMAT_PCM)
        reinterpret_cast<WAVEFORMATEX*>(pbFormat)->cbSize = 0;
    return hr;
}

HRESULT CAmMediaType::CopyInto(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source)
{
    target = source;
    target.pbFormat = nullptr;
    target.pUnk = nullptr;
    if (source.cbFormat && source.pbFormat) {
        target.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
        if (!target.pbFormat) {
            target.cbFormat = 0;
            return E_OUTOFMEMORY;
        }
        memcpy(target.pbFormat, source.pbFormat, source.cbFormat);
    } else {
        target.cbFormat = 0;
    }
    if (source.pUnk) {
        target.pUnk = source.pUnk;
        target.pUnk->AddRef();
    }
    return S_OK;
}

void CAmMediaType::FreeFormat(AM_MEDIA_TYPE& type)
{
    CoTaskMemFree(type.pbFormat);
    type.pbFormat = nullptr;
    type.cbFormat = 0;
    if (type.pUnk) {
        type.pUnk->Release();
        type.pUnk = nullptr;
    }
}

AM_MEDIA_TYPE* CAmMediaType::NewCopy(const AM_MEDIA_TYPE& source)
{
    auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!copy)
        return nullptr;
    if (FAILED(CopyInto(*copy, source))) {
        CoTaskMemFree(copy);
        return nullptr;
    }
    return copy;
}

void CAmMediaType::Delete(AM_MEDIA_TYPE* type)
{
    if (!type)
        return;
    FreeFormat(*type);
    CoTaskMemFree(type);
}

bool CAmMediaType::Equal(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    if (!IsEqualGUID(a.majortype, b.majortype) || !IsEqualGUID(a.subtype, b.subtype)
        || !IsEqualGUID(a.formattype, b.formattype) || a.cbFormat != b.cbFormat)
        return false;
    return a.cbFormat == 0 || memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0;
}

bool CAmMediaType::MatchesPattern(const AM_MEDIA_TYPE& candidate, const AM_MEDIA_TYPE& pattern)
{
    auto matches = [](const GUID& value, const GUID& wanted) {
        return IsEqualGUID(wanted, GUID_NULL) || IsEqualGUID(value, wanted);
    };
    return matches(candidate.majortype, pattern.majortype) && matches(candidate.subtype, pattern.subtype)
        && matches(candidate.formattype, pattern.formattype);
}

bool CAmMediaType::IsPartial(const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, GUID_NULL) || IsEqualGUID(type.subtype, GUID_NULL)
        || IsEqualGUID(type.formattype, GUID_NULL);
}

const VIDEOINFOHEADER* CAmMediaType::VideoInfoOf(const AM_MEDIA_TYPE& type)
{
    if (!IsEqualGUID(type.formattype, FORMAT_VideoInfo) || !type.pbFormat
        || type.cbFormat < sizeof(VIDEOINFOHEADER))
        return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

const WAVEFORMATEX* CAmMediaType::WaveFormatOf(const AM_MEDIA_TYPE& type)
{
    if (!IsEqualGUID(type.formattype, FORMAT_WaveFormatEx) || !type.pbFormat
        || type.cbFormat < sizeof(WAVEFORMATEX))
        return nullptr;
    auto* format = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    // A PCM block's cbSize is ignored; any other must fit its extra bytes.
    if (format->wFormatTag != WAVE_FORMAT_PCM && type.cbFormat < sizeof(WAVEFORMATEX) + format->cbSize)
        return nullptr;
    return format;
}
