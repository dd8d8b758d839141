#include "CSimAcmFilter.h"

#include "AmMediaType.h"
#include "ComRef.h"
#include "CritGuard.h"
#include "CDebugLog.h"
#include "SimAcmClasses.h"

#include <new>
#include <stdio.h>

namespace
{
// Output buffers hold half a second, so the card's 20 ms blocks fit at any rate.
const DWORD kBufferMilliseconds = 500;
const long kBufferCount = 4;

void DescribeFormat(const WAVEFORMATEX& format, char* text, size_t size)
{
    snprintf(text, size, "%lu/%u/%u", format.nSamplesPerSec, format.nChannels, format.wBitsPerSample);
}
}

CSimAcmFilter::CSimAcmFilter(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimAcm, "acm", "simacm:acm 1"),
      m_formats(Switches().Text("Rates", "").c_str()),
      m_input(*this, L"Input", kInputPin),
      m_output(*this, L"Output", kOutputPin)
{
}

CSimAcmFilter::~CSimAcmFilter() = default;

CBasePin* CSimAcmFilter::GetPin(int index)
{
    switch (index) {
    case kInputPin: return &m_input;
    case kOutputPin: return &m_output;
    default: return nullptr;
    }
}

void* CSimAcmFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMStreamConfig))
        return static_cast<IAMStreamConfig*>(this);
    if (IsEqualIID(iid, IID_IPersistPropertyBag))
        return static_cast<IPersistPropertyBag*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

void* CSimAcmFilter::FindPinInterface(int pin, REFIID iid)
{
    if (pin == kOutputPin && IsEqualIID(iid, IID_IAMStreamConfig))
        return static_cast<IAMStreamConfig*>(this);
    return nullptr;
}

STDMETHODIMP CSimAcmFilter::GetClassID(CLSID* clsid)
{
    return CSimStandInFilter::GetClassID(clsid);
}

STDMETHODIMP CSimAcmFilter::InitNew()
{
    return S_OK;
}

STDMETHODIMP CSimAcmFilter::Load(IPropertyBag* bag, IErrorLog*)
{
    if (bag == nullptr)
        return E_POINTER;
    VARIANT value;
    VariantInit(&value);
    if (FAILED(bag->Read(L"Codec", &value, nullptr)))
        return S_OK;
    char name[32] = "";
    if (value.vt == VT_BSTR && value.bstrVal)
        WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, name, sizeof(name), nullptr, nullptr);
    VariantClear(&value);
    CCritGuard guard(StateLock());
    if (m_input.IsConnected() || m_output.IsConnected())
        return VFW_E_ALREADY_CONNECTED;
    if (!m_formats.SetCodec(name))
        return E_INVALIDARG;
    m_chosen = false;
    Log().Line("L codec=%s", m_formats.CodecName());
    return S_OK;
}

STDMETHODIMP CSimAcmFilter::Save(IPropertyBag*, BOOL, BOOL)
{
    static LONG reported = 0;
    return CDebugLog::NotImplemented("IPersistPropertyBag::Save", reported);
}

const WAVEFORMATEX* CSimAcmFilter::InputFormat() const
{
    return m_input.IsConnected() ? m_input.ConnectionType().WaveFormat() : nullptr;
}

std::vector<SimAcmFormat> CSimAcmFilter::Formats()
{
    return m_formats.List(InputFormat());
}

const SimAcmFormat* CSimAcmFilter::FindListed(const std::vector<SimAcmFormat>& formats, const WAVEFORMATEX& format)
{
    for (const SimAcmFormat& listed : formats) {
        if (CSimAcmFormats::SameFormat(listed.wave, format))
            return &listed;
    }
    return nullptr;
}

bool CSimAcmFilter::Listed(const WAVEFORMATEX& format)
{
    return FindListed(Formats(), format) != nullptr;
}

// A connected format is one of the listed ones, whose extra bytes the list holds.
bool CSimAcmFilter::CurrentFormat(SimAcmFormat* format)
{
    const WAVEFORMATEX* connected = m_output.IsConnected() ? m_output.ConnectionType().WaveFormat() : nullptr;
    if (connected) {
        std::vector<SimAcmFormat> formats = Formats();
        const SimAcmFormat* listed = FindListed(formats, *connected);
        if (listed)
            *format = *listed;
        else
            format->wave = *connected;
        return true;
    }
    if (m_chosen) {
        *format = m_chosenFormat;
        return true;
    }
    std::vector<SimAcmFormat> formats = Formats();
    if (formats.empty())
        return false;
    *format = formats[0];
    return true;
}

HRESULT CSimAcmFilter::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    const WAVEFORMATEX* format = CAmMediaType::WaveFormatOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Audio) || format == nullptr || !m_formats.AcceptsInput(*format))
        return VFW_E_TYPE_NOT_ACCEPTED;
    SimAcmFormat output;
    if (m_output.IsConnected() && CurrentFormat(&output) && !CSimAcmConverter::CanConvert(*format, output.wave))
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CSimAcmFilter::CheckOutputType(int, const AM_MEDIA_TYPE& type)
{
    const WAVEFORMATEX* format = CAmMediaType::WaveFormatOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Audio) || format == nullptr || !Listed(*format))
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (m_chosen && !CSimAcmFormats::SameFormat(*format, m_chosenFormat.wave))
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CSimAcmFilter::GetOutputType(int, int index, CAmMediaType& type)
{
    std::vector<SimAcmFormat> formats = Formats();
    if (index >= (int)formats.size())
        return VFW_S_NO_MORE_ITEMS;
    return type.SetWaveFormat(formats[index].wave);
}

HRESULT CSimAcmFilter::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    const WAVEFORMATEX* format = m_output.ConnectionType().WaveFormat();
    if (format == nullptr)
        return VFW_E_TYPE_NOT_ACCEPTED;
    ALLOCATOR_PROPERTIES wanted = *request;
    long size = (long)(format->nAvgBytesPerSec * kBufferMilliseconds / 1000);
    size -= size % format->nBlockAlign;
    if (wanted.cbBuffer < size)
        wanted.cbBuffer = size;
    if (wanted.cBuffers < kBufferCount)
        wanted.cBuffers = kBufferCount;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

STDMETHODIMP CSimAcmFilter::SetFormat(AM_MEDIA_TYPE* type)
{
    CCritGuard guard(StateLock());
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (type == nullptr) {
        m_chosen = false;
        return S_OK;
    }
    const WAVEFORMATEX* format = CAmMediaType::WaveFormatOf(*type);
    std::vector<SimAcmFormat> formats = Formats();
    const SimAcmFormat* listed = format ? FindListed(formats, *format) : nullptr;
    if (!IsEqualGUID(type->majortype, MEDIATYPE_Audio) || listed == nullptr)
        return VFW_E_INVALIDMEDIATYPE;
    if (m_output.IsConnected() && !CSimAcmFormats::SameFormat(*format, *m_output.ConnectionType().WaveFormat()))
        return VFW_E_ALREADY_CONNECTED;
    m_chosen = true;
    m_chosenFormat = *listed;
    char text[32];
    DescribeFormat(m_chosenFormat.wave, text, sizeof(text));
    Log().Line("F out=%s", text);
    return S_OK;
}

STDMETHODIMP CSimAcmFilter::GetFormat(AM_MEDIA_TYPE** type)
{
    if (type == nullptr)
        return E_POINTER;
    *type = nullptr;
    CCritGuard guard(StateLock());
    SimAcmFormat format;
    if (!CurrentFormat(&format))
        return VFW_E_NOT_CONNECTED;
    CAmMediaType current;
    HRESULT hr = current.SetWaveFormat(format.wave);
    if (FAILED(hr))
        return hr;
    *type = CAmMediaType::NewCopy(current);
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CSimAcmFilter::GetNumberOfCapabilities(int* count, int* size)
{
    if (count == nullptr || size == nullptr)
        return E_POINTER;
    CCritGuard guard(StateLock());
    *count = (int)Formats().size();
    *size = sizeof(AUDIO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CSimAcmFilter::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps)
{
    if (type == nullptr || caps == nullptr)
        return E_POINTER;
    *type = nullptr;
    CCritGuard guard(StateLock());
    std::vector<SimAcmFormat> formats = Formats();
    if (index < 0 || index >= (int)formats.size())
        return S_FALSE;
    const WAVEFORMATEX& format = formats[index].wave;
    CAmMediaType listed;
    HRESULT hr = listed.SetWaveFormat(format);
    if (FAILED(hr))
        return hr;
    *type = CAmMediaType::NewCopy(listed);
    if (*type == nullptr)
        return E_OUTOFMEMORY;
    AUDIO_STREAM_CONFIG_CAPS* audio = reinterpret_cast<AUDIO_STREAM_CONFIG_CAPS*>(caps);
    ZeroMemory(audio, sizeof(*audio));
    audio->guid = MEDIATYPE_Audio;
    audio->MinimumChannels = audio->MaximumChannels = format.nChannels;
    audio->ChannelsGranularity = 1;
    audio->MinimumBitsPerSample = audio->MaximumBitsPerSample = format.wBitsPerSample;
    audio->BitsPerSampleGranularity = 8;
    audio->MinimumSampleFrequency = audio->MaximumSampleFrequency = format.nSamplesPerSec;
    audio->SampleFrequencyGranularity = 1;
    return S_OK;
}

HRESULT CSimAcmFilter::OnPrepare()
{
    const WAVEFORMATEX* input = InputFormat();
    const WAVEFORMATEX* output = m_output.IsConnected() ? m_output.ConnectionType().WaveFormat() : nullptr;
    if (input == nullptr || output == nullptr)
        return S_OK;
    CCritGuard guard(m_receiveLock);
    m_inputFormat = *input;
    m_outputFormat = *output;
    HRESULT hr = m_converter.Open(m_inputFormat, m_outputFormat);
    char in[32], out[32];
    DescribeFormat(m_inputFormat, in, sizeof(in));
    DescribeFormat(m_outputFormat, out, sizeof(out));
    Log().Line("C codec=%s in=%s out=%s%s", m_formats.CodecName(), in, out, SUCCEEDED(hr) ? "" : " refused");
    return hr;
}

void CSimAcmFilter::OnTeardown()
{
    CCritGuard guard(m_receiveLock);
    m_converter.Close();
}

HRESULT CSimAcmFilter::ReceiveSample(int, IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)))
        return E_POINTER;
    CCritGuard guard(m_receiveLock);
    if (!m_output.IsConnected())
        return S_OK;
    return DeliverConverted(sample, data, (DWORD)sample->GetActualDataLength());
}

// Converts in pieces that fit an output buffer; each piece is stamped with the part of the
// input's time span it came from.
HRESULT CSimAcmFilter::DeliverConverted(IMediaSample* input, const BYTE* data, DWORD bytes)
{
    REFERENCE_TIME start = 0, stop = 0;
    bool timed = input->GetTime(&start, &stop) == S_OK;
    DWORD done = 0;
    bool first = true;
    while (done < bytes) {
        CComRef<IMediaSample> output;
        HRESULT hr = m_output.GetDeliveryBuffer(output.Receive(), nullptr, nullptr, 0);
        if (FAILED(hr))
            return hr;
        BYTE* target = nullptr;
        output->GetPointer(&target);
        DWORD room = (DWORD)output->GetSize();
        DWORD piece = bytes - done;
        while (piece > m_inputFormat.nBlockAlign && m_converter.OutputSize(piece) > room)
            piece = (piece / 2) - (piece / 2) % m_inputFormat.nBlockAlign;
        DWORD used = 0, written = 0;
        hr = m_converter.Convert(data + done, piece, target, room, &used, &written);
        if (FAILED(hr) || used == 0)
            return FAILED(hr) ? hr : S_OK;
        done += used;
        if (written == 0)
            continue;
        output->SetActualDataLength((long)written);
        output->SetSyncPoint(TRUE);
        output->SetDiscontinuity(first && input->IsDiscontinuity() == S_OK);
        if (timed) {
            REFERENCE_TIME from = start + (stop - start) * (LONGLONG)(done - used) / bytes;
            REFERENCE_TIME to = start + (stop - start) * (LONGLONG)done / bytes;
            output->SetTime(&from, &to);
        }
        Log().Sample("S in=%lu out=%lu", used, written);
        hr = m_output.Deliver(output.Get());
        if (hr != S_OK)
            return hr;
        first = false;
    }
    return S_OK;
}

HRESULT CSimAcmFilter::EndOfInput(int)
{
    CCritGuard guard(m_receiveLock);
    return m_output.IsConnected() ? m_output.DeliverEndOfStream() : S_OK;
}

HRESULT CSimAcmFilter::BeginInputFlush(int)
{
    return m_output.IsConnected() ? m_output.DeliverBeginFlush() : S_OK;
}

HRESULT CSimAcmFilter::EndInputFlush(int)
{
    CCritGuard guard(m_receiveLock);
    return m_output.IsConnected() ? m_output.DeliverEndFlush() : S_OK;
}
