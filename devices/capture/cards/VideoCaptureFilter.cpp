#include "VideoCaptureFilter.h"

#include "GraphBuilder.h"

#include <olectl.h>

namespace {

GUID FourccSubtype(DWORD fourcc)
{
    GUID guid = {fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    return guid;
}

struct SubtypeCode
{
    int code;
    GUID subtype;
    BOOL rgb;       // rows DWORD-aligned
    BOOL readable;  // a format of this subtype reads back as its code
};

const SubtypeCode kSubtypes[] = {
    // code, subtype, rgb, readable
    {CVideoCaptureFilter::kRgb555, MEDIASUBTYPE_RGB555, TRUE, TRUE},
    {CVideoCaptureFilter::kRgb24, MEDIASUBTYPE_RGB24, TRUE, TRUE},
    {CVideoCaptureFilter::kYuy2, MEDIASUBTYPE_YUY2, FALSE, TRUE},
    {CVideoCaptureFilter::kYvu9, MEDIASUBTYPE_YVU9, FALSE, TRUE},
    {CVideoCaptureFilter::kYv12, MEDIASUBTYPE_YV12, FALSE, TRUE},
    {CVideoCaptureFilter::kI420, FourccSubtype(MAKEFOURCC('I', '4', '2', '0')), FALSE, FALSE},
};

const SubtypeCode* FindCode(int code)
{
    for (const SubtypeCode& entry : kSubtypes) {
        if (entry.code == code)
            return &entry;
    }
    return NULL;
}

int CodeOf(REFGUID subtype)
{
    for (const SubtypeCode& entry : kSubtypes) {
        if (entry.readable && IsEqualGUID(entry.subtype, subtype))
            return entry.code;
    }
    return CVideoCaptureFilter::kOther;
}

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

CVideoCaptureFilter::CVideoCaptureFilter(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid), m_i420(FALSE)
{
}

CVideoCaptureFilter::CVideoCaptureFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode), m_i420(FALSE)
{
}

CVideoCaptureFilter::CVideoCaptureFilter(CGraphBuilder* graph, IBaseFilter* filter)
    : CFilterWrapper(graph, filter), m_i420(FALSE)
{
}

HRESULT CVideoCaptureFilter::GetTVFormat(long* current, long* available)
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

HRESULT CVideoCaptureFilter::SetTVFormat(long format)
{
    CComRef<IAMAnalogVideoDecoder> decoder;
    if (!GetFilter() || FAILED(GetFilter()->QueryInterface(IID_IAMAnalogVideoDecoder, decoder.ReceiveVoid())))
        return E_FAIL;
    return decoder->put_TVFormat(format);
}

HRESULT CVideoCaptureFilter::SetVideoProcAmp(long property, long value)
{
    CComRef<IAMVideoProcAmp> procAmp;
    if (!GetFilter() || FAILED(GetFilter()->QueryInterface(IID_IAMVideoProcAmp, procAmp.ReceiveVoid())))
        return E_FAIL;
    return procAmp->Set(property, value, VideoProcAmp_Flags_Manual);
}

HRESULT CVideoCaptureFilter::GetVideoProcAmp(long property, ProcAmpValue* record)
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

HRESULT CVideoCaptureFilter::FindStreamConfig(int pin, IAMStreamConfig** config)
{
    ICaptureGraphBuilder2* builder = GetGraph() ? GetGraph()->GetCaptureBuilder() : NULL;
    if (!builder || !GetFilter())
        return E_FAIL;
    return builder->FindInterface(PinCategory(pin), &MEDIATYPE_Video, GetFilter(), IID_IAMStreamConfig,
                                  (void**)config);
}

HRESULT CVideoCaptureFilter::GetMediaType(AM_MEDIA_TYPE** type, int pin)
{
    if (!type)
        return E_POINTER;
    *type = NULL;
    if (!GetGraph() || !GetFilter())
        return E_FAIL;
    CComRef<IAMStreamConfig> config;
    if (SUCCEEDED(FindStreamConfig(pin, config.Receive())) && SUCCEEDED(config->GetFormat(type)) && *type)
        return S_OK;
    CFilterPin* record = FindPin(pin == 1 ? "Capture" : "Preview");
    CComRef<IEnumMediaTypes> types;
    if (!record || FAILED(record->EnumMediaTypes(types.Receive())) || !types)
        return E_FAIL;
    ULONG fetched = 0;
    return types->Next(1, type, &fetched) == S_OK && fetched == 1 ? S_OK : E_FAIL;
}

HRESULT CVideoCaptureFilter::GetCaptureFormat(CaptureFormat* format, int pin)
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
        format->subtype = CodeOf(type->subtype);
    } else {
        hr = E_INVALIDARG;
    }
    FreeMediaType(type);
    return hr;
}

HRESULT CVideoCaptureFilter::SetCaptureFormat(const CaptureFormat& format, int pin)
{
    CComRef<IAMStreamConfig> config;
    HRESULT hr = FindStreamConfig(pin, config.Receive());
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
    const SubtypeCode* code = FindCode(format.subtype);
    if (!code)
        code = FindCode(kYuy2);
    VIDEOINFOHEADER* header = (VIDEOINFOHEADER*)type->pbFormat;
    *header = format.header;
    header->bmiHeader.biSizeImage = ImageSize(header->bmiHeader, code->rgb);
    type->subtype = code->subtype;
    type->lSampleSize = header->bmiHeader.biSizeImage;
    hr = config->SetFormat(type);
    FreeMediaType(type);
    return hr;
}

BOOL CVideoCaptureFilter::SetCaptureSize(long width, long height)
{
    CaptureFormat format;
    if (FAILED(GetCaptureFormat(&format, 1)))
        return FALSE;
    if (width > kMaxWidth || height > kMaxHeight) {
        width = kMaxWidth;
        height = kMaxHeight;
    }
    format.header.bmiHeader.biWidth = width;
    format.header.bmiHeader.biHeight = height;
    return SetCaptureFormat(format, 1) == S_OK;
}

BOOL CVideoCaptureFilter::ShowPropertyPage(int kind, HWND parent, const char* caption, int pin)
{
    if (!GetFilter() || (GetGraph() && GetGraph()->GetState() == CGraphBuilder::kRunning))
        return FALSE;
    CComRef<IUnknown> object;
    if (kind == kFilterPages) {
        object = GetFilter();
    } else if (kind == kStreamConfigPages) {
        CComRef<IAMStreamConfig> config;
        if (FAILED(FindStreamConfig(pin, config.Receive())))
            return FALSE;
        object = config.Get();
    } else {
        return FALSE;
    }
    CComRef<ISpecifyPropertyPages> specify;
    if (FAILED(object->QueryInterface(IID_ISpecifyPropertyPages, specify.ReceiveVoid())))
        return FALSE;
    CAUUID pages = {0, NULL};
    if (FAILED(specify->GetPages(&pages)))
        return FALSE;
    WCHAR wideCaption[MAX_PATH] = L"";
    if (caption)
        MultiByteToWideChar(CP_ACP, 0, caption, -1, wideCaption, MAX_PATH - 1);
    IUnknown* objects[] = {object.Get()};
    HRESULT hr = OleCreatePropertyFrame(parent, 30, 30, caption ? wideCaption : NULL, 1, objects, pages.cElems,
                                        pages.pElems, 0, 0, NULL);
    CoTaskMemFree(pages.pElems);
    return hr == S_OK;
}

BOOL CVideoCaptureFilter::DetectI420()
{
    m_i420 = FALSE;
    if (!GetFilter())
        return FALSE;
    const GUID i420 = FourccSubtype(MAKEFOURCC('I', '4', '2', '0'));
    CComRef<IEnumPins> pins;
    if (FAILED(GetFilter()->EnumPins(pins.Receive())) || !pins)
        return FALSE;
    CComRef<IPin> pin;
    while (!m_i420 && pins->Next(1, pin.Receive(), NULL) == S_OK) {
        PIN_DIRECTION direction = PINDIR_INPUT;
        if (FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_OUTPUT)
            continue;
        CComRef<IEnumMediaTypes> types;
        if (FAILED(pin->EnumMediaTypes(types.Receive())) || !types)
            continue;
        AM_MEDIA_TYPE* type = NULL;
        while (!m_i420 && types->Next(1, &type, NULL) == S_OK) {
            m_i420 = IsEqualGUID(type->subtype, i420);
            FreeMediaType(type);
        }
    }
    return m_i420;
}
