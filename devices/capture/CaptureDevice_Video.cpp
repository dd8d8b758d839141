#include "CaptureDevice.h"

#include "AmMediaType.h"
#include "GraphBuilder.h"

namespace {

const CCaptureFormatTable kFormats(kStandardSubtypes, CaptureFormat::kYuy2);

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
    HRESULT hr = builder->FindInterface(CCaptureFormatTable::PinCategory(pin), &MEDIATYPE_Video, GetFilter(),
                                        IID_IAMStreamConfig, config.ReceiveVoid());
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
    hr = kFormats.Read(*type, format);
    CAmMediaType::Delete(type);
    return hr;
}

HRESULT CCaptureDevice::SetCaptureFormat(const CaptureFormat& format, int pin)
{
    return WriteCaptureFormat(kFormats, format, pin);
}

HRESULT CCaptureDevice::WriteCaptureFormat(const CCaptureFormatTable& formats, const CaptureFormat& format, int pin)
{
    ICaptureGraphBuilder2* builder = GetGraph() ? GetGraph()->GetCaptureBuilder() : NULL;
    if (!builder || !GetFilter())
        return E_FAIL;
    CComRef<IAMStreamConfig> config;
    HRESULT hr = builder->FindInterface(CCaptureFormatTable::PinCategory(pin), &MEDIATYPE_Video, GetFilter(),
                                        IID_IAMStreamConfig, config.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    AM_MEDIA_TYPE* type = NULL;
    hr = GetMediaType(&type, pin);
    if (FAILED(hr))
        return hr;
    hr = formats.Write(format, type);
    if (SUCCEEDED(hr))
        hr = config->SetFormat(type);
    CAmMediaType::Delete(type);
    return hr;
}
