#include "CaptureDevice.h"

#include "GraphBuilder.h"

namespace {

// A FOURCC media subtype: {fourcc-0000-0010-8000-00AA00389B71}.
GUID FourccSubtype(DWORD fourcc)
{
    GUID guid = {fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    return guid;
}

struct SubtypeCode
{
    int code;
    GUID subtype;
    BOOL rgb;  // rows DWORD-aligned
};

const SubtypeCode kSubtypes[] = {
    // code, subtype, rgb
    {CaptureFormat::kRgb555, MEDIASUBTYPE_RGB555, TRUE},
    {CaptureFormat::kRgb24, MEDIASUBTYPE_RGB24, TRUE},
    {CaptureFormat::kYuy2, MEDIASUBTYPE_YUY2, FALSE},
    {CaptureFormat::kYvu9, MEDIASUBTYPE_YVU9, FALSE},
    {CaptureFormat::kYv12, MEDIASUBTYPE_YV12, FALSE},
    {CaptureFormat::kUyvy, MEDIASUBTYPE_UYVY, FALSE},
    {CaptureFormat::kCxf1, FourccSubtype(MAKEFOURCC('C', 'X', 'F', '1')), FALSE},
    {CaptureFormat::kCxf2, FourccSubtype(MAKEFOURCC('C', 'X', 'F', '2')), FALSE},
};

const SubtypeCode* FindSubtypeCode(int code)
{
    for (const SubtypeCode& entry : kSubtypes) {
        if (entry.code == code)
            return &entry;
    }
    return NULL;
}

int CodeOfSubtype(REFGUID subtype)
{
    for (const SubtypeCode& entry : kSubtypes) {
        if (IsEqualGUID(entry.subtype, subtype))
            return entry.code;
    }
    return CaptureFormat::kOther;
}

// The bytes of one image: RGB rows are padded to whole DWORDs, YUV images are packed.
DWORD ImageSize(const BITMAPINFOHEADER& bitmap, BOOL rgb)
{
    DWORD width = (DWORD)abs(bitmap.biWidth);
    DWORD height = (DWORD)abs(bitmap.biHeight);
    if (rgb)
        return ((width * bitmap.biBitCount + 31) / 32 * 4) * height;
    return width * height * bitmap.biBitCount / 8;
}

void FreeMediaType(AM_MEDIA_TYPE* type)
{
    if (!type)
        return;
    if (type->cbFormat)
        CoTaskMemFree(type->pbFormat);
    if (type->pUnk)
        type->pUnk->Release();
    CoTaskMemFree(type);
}

const GUID* PinCategory(int pin)
{
    return pin == 1 ? &PIN_CATEGORY_CAPTURE : &PIN_CATEGORY_PREVIEW;
}

} // namespace

HRESULT CCaptureDevice::GetTVFormat(long* current, long* available)
{
    CComRef<IAMAnalogVideoDecoder> decoder;
    if (!GetFilter() || FAILED(GetFilter()->QueryInterface(IID_IAMAnalogVideoDecoder, decoder.ReceiveVoid())))
        return E_FAIL;
    HRESULT hr = S_OK;
    if (available)
        hr = decoder->get_AvailableTVFormats(available);
    if (SUCCEEDED(hr) && current)
        hr = decoder->get_TVFormat(current);
    return hr;
}

HRESULT CCaptureDevice::SetTVFormat(long format)
{
    CComRef<IAMAnalogVideoDecoder> decoder;
    if (!GetFilter() || FAILED(GetFilter()->QueryInterface(IID_IAMAnalogVideoDecoder, decoder.ReceiveVoid())))
        return E_FAIL;
    return decoder->put_TVFormat(format);
}

HRESULT CCaptureDevice::IsSignalLocked(long* locked)
{
    CComRef<IAMAnalogVideoDecoder> decoder;
    if (!GetFilter())
        return E_FAIL;
    HRESULT hr = GetFilter()->QueryInterface(IID_IAMAnalogVideoDecoder, decoder.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    return decoder->get_HorizontalLocked(locked);
}

HRESULT CCaptureDevice::SetVideoProcAmp(long property, long value)
{
    CComRef<IAMVideoProcAmp> procAmp;
    if (!GetFilter() || FAILED(GetFilter()->QueryInterface(IID_IAMVideoProcAmp, procAmp.ReceiveVoid())))
        return E_FAIL;
    return procAmp->Set(property, value, VideoProcAmp_Flags_Manual);
}

HRESULT CCaptureDevice::GetVideoProcAmp(long property, ProcAmpValue* record)
{
    if (!record)
        return E_INVALIDARG;
    CComRef<IAMVideoProcAmp> procAmp;
    if (!GetFilter() || FAILED(GetFilter()->QueryInterface(IID_IAMVideoProcAmp, procAmp.ReceiveVoid())))
        return E_FAIL;
    HRESULT hr = procAmp->GetRange(property, &record->min, &record->max, &record->step, &record->defaultValue,
                                   &record->caps);
    if (FAILED(hr))
        return hr;
    long flags = 0;
    return procAmp->Get(property, &record->value, &flags);
}

void CCaptureDevice::FindCapturePins()
{
    m_capturePin = NULL;
    m_previewPin = NULL;
    ICaptureGraphBuilder2* builder = GetGraph() ? GetGraph()->GetCaptureBuilder() : NULL;
    if (!builder || !GetFilter())
        return;
    CComRef<IPin> pin;
    if (SUCCEEDED(builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, GetFilter(), IID_IPin,
                                         pin.ReceiveVoid())))
        m_capturePin = FindPinByIPin(pin.Get());
    pin.Reset();
    if (SUCCEEDED(builder->FindInterface(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, GetFilter(), IID_IPin,
                                         pin.ReceiveVoid())))
        m_previewPin = FindPinByIPin(pin.Get());
}

HRESULT CCaptureDevice::GetMediaType(AM_MEDIA_TYPE** type, int pin)
{
    if (!type)
        return E_POINTER;
    *type = NULL;
    ICaptureGraphBuilder2* builder = GetGraph() ? GetGraph()->GetCaptureBuilder() : NULL;
    if (!builder || !GetFilter())
        return E_FAIL;
    CComRef<IAMStreamConfig> config;
    HRESULT hr = builder->FindInterface(PinCategory(pin), &MEDIATYPE_Video, GetFilter(), IID_IAMStreamConfig,
                                        config.ReceiveVoid());
    if (SUCCEEDED(hr) && SUCCEEDED(config->GetFormat(type)) && *type)
        return S_OK;
    CFilterPin* record = FindPin(pin == 1 ? "Capture" : "Preview");
    CComRef<IEnumMediaTypes> types;
    if (!record || FAILED(record->EnumMediaTypes(types.Receive())) || !types)
        return E_FAIL;
    ULONG fetched = 0;
    return types->Next(1, type, &fetched) == S_OK && fetched == 1 ? S_OK : E_FAIL;
}

HRESULT CCaptureDevice::GetCaptureFormat(CaptureFormat* format, int pin)
{
    if (!format)
        return E_INVALIDARG;
    memset(format, 0, sizeof(*format));
    AM_MEDIA_TYPE* type = NULL;
    HRESULT hr = GetMediaType(&type, pin);
    if (FAILED(hr))
        return hr;
    if (IsEqualGUID(type->formattype, FORMAT_VideoInfo) && type->cbFormat >= sizeof(VIDEOINFOHEADER) &&
        type->pbFormat) {
        memcpy(&format->header, type->pbFormat, sizeof(VIDEOINFOHEADER));
        format->subtype = CodeOfSubtype(type->subtype);
    } else {
        hr = E_INVALIDARG;
    }
    FreeMediaType(type);
    return hr;
}

HRESULT CCaptureDevice::SetCaptureFormat(const CaptureFormat& format, int pin)
{
    ICaptureGraphBuilder2* builder = GetGraph() ? GetGraph()->GetCaptureBuilder() : NULL;
    if (!builder || !GetFilter())
        return E_FAIL;
    CComRef<IAMStreamConfig> config;
    HRESULT hr = builder->FindInterface(PinCategory(pin), &MEDIATYPE_Video, GetFilter(), IID_IAMStreamConfig,
                                        config.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    AM_MEDIA_TYPE* type = NULL;
    hr = GetMediaType(&type, pin);
    if (FAILED(hr))
        return hr;
    if (!IsEqualGUID(type->formattype, FORMAT_VideoInfo) || type->cbFormat < sizeof(VIDEOINFOHEADER)) {
        FreeMediaType(type);
        return E_INVALIDARG;
    }
    const SubtypeCode* code = FindSubtypeCode(format.subtype);
    if (!code)
        code = FindSubtypeCode(CaptureFormat::kYuy2);
    VIDEOINFOHEADER* header = (VIDEOINFOHEADER*)type->pbFormat;
    *header = format.header;
    header->bmiHeader.biSizeImage = ImageSize(header->bmiHeader, code->rgb);
    type->subtype = code->subtype;
    type->lSampleSize = header->bmiHeader.biSizeImage;
    hr = config->SetFormat(type);
    FreeMediaType(type);
    return hr;
}
