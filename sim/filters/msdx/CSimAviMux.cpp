#include "CSimAviMux.h"

#include "CritGuard.h"

#include <mmreg.h>
#include <new>
#include <stdio.h>
#include <string.h>

const CLSID CLSID_SimAviMux = { 0x389CA86E, 0xDC62, 0x4D09, { 0x80, 0xE8, 0x0B, 0xBF, 0xFD, 0x64, 0xE2, 0x5A } };

namespace
{
std::string FourccText(DWORD fourcc)
{
    if (fourcc == BI_RGB)
        return "RGB";
    char text[5] = { (char)(fourcc & 0xFF), (char)(fourcc >> 8 & 0xFF), (char)(fourcc >> 16 & 0xFF),
                     (char)(fourcc >> 24 & 0xFF), 0 };
    return text;
}
}

CSimAviMux::CSimAviMux(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimAviMux, "avimux", "simmsdx:avimux 1"), m_output(*this, L"AVI Out", PIN_OUTPUT)
{
    AddFreeInput();
}

CSimAviMux::~CSimAviMux() = default;

CBasePin* CSimAviMux::GetPin(int index)
{
    if (index == 0)
        return &m_output;
    return index > 0 && index <= (int)m_inputs.size() ? m_inputs[index - 1].get() : nullptr;
}

void CSimAviMux::AddFreeInput()
{
    int number = (int)m_inputs.size() + 1;
    WCHAR name[16];
    swprintf(name, 16, L"Input %02d", number);
    m_inputs.emplace_back(new CSimInputPin(*this, name, number));
    IncrementPinVersion();
}

void* CSimAviMux::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IConfigAviMux))
        return static_cast<IConfigAviMux*>(this);
    if (IsEqualIID(iid, IID_IConfigInterleaving))
        return static_cast<IConfigInterleaving*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimAviMux::SetMasterStream(LONG stream)
{
    m_masterStream = stream;
    return S_OK;
}

STDMETHODIMP CSimAviMux::GetMasterStream(LONG* stream)
{
    if (stream == nullptr)
        return E_POINTER;
    *stream = m_masterStream;
    return S_OK;
}

STDMETHODIMP CSimAviMux::SetOutputCompatibilityIndex(BOOL oldIndex)
{
    m_compatibilityIndex = oldIndex;
    return S_OK;
}

STDMETHODIMP CSimAviMux::GetOutputCompatibilityIndex(BOOL* oldIndex)
{
    if (oldIndex == nullptr)
        return E_POINTER;
    *oldIndex = m_compatibilityIndex;
    return S_OK;
}

STDMETHODIMP CSimAviMux::put_Mode(InterleavingMode mode)
{
    if (mode < INTERLEAVE_NONE || mode > INTERLEAVE_NONE_BUFFERED)
        return E_INVALIDARG;
    m_mode = mode;
    return S_OK;
}

STDMETHODIMP CSimAviMux::get_Mode(InterleavingMode* mode)
{
    if (mode == nullptr)
        return E_POINTER;
    *mode = m_mode;
    return S_OK;
}

STDMETHODIMP CSimAviMux::put_Interleaving(const REFERENCE_TIME* interleave, const REFERENCE_TIME* preroll)
{
    if (interleave != nullptr)
        m_interleave = *interleave;
    if (preroll != nullptr)
        m_preroll = *preroll;
    return S_OK;
}

STDMETHODIMP CSimAviMux::get_Interleaving(REFERENCE_TIME* interleave, REFERENCE_TIME* preroll)
{
    if (interleave == nullptr || preroll == nullptr)
        return E_POINTER;
    *interleave = m_interleave;
    *preroll = m_preroll;
    return S_OK;
}

HRESULT CSimAviMux::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    if (IsEqualGUID(type.majortype, MEDIATYPE_Video))
        return CAmMediaType::VideoInfoOf(type) != nullptr ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    if (IsEqualGUID(type.majortype, MEDIATYPE_Audio))
        return CAmMediaType::WaveFormatOf(type) != nullptr ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    return VFW_E_TYPE_NOT_ACCEPTED;
}

void CSimAviMux::PinConnected(int pin, bool connected)
{
    if (pin == PIN_OUTPUT || !connected)
        return;
    const CAmMediaType& type = m_inputs[pin - 1]->ConnectionType();
    if (const VIDEOINFOHEADER* video = type.VideoInfo()) {
        Log().Line("C Input %02d vids %s %ldx%ld", pin, FourccText(video->bmiHeader.biCompression).c_str(),
                   video->bmiHeader.biWidth, labs(video->bmiHeader.biHeight));
    } else if (const WAVEFORMATEX* wave = type.WaveFormat()) {
        Log().Line("C Input %02d auds tag=%u %lu/%u/%u", pin, wave->wFormatTag, (unsigned long)wave->nSamplesPerSec,
                   wave->nChannels, wave->wBitsPerSample);
    }
    // One input is always free for the next stream.
    for (const auto& input : m_inputs) {
        if (!input->IsConnected())
            return;
    }
    AddFreeInput();
}

HRESULT CSimAviMux::GetOutputType(int, int index, CAmMediaType& type)
{
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    type.Clear();
    type.majortype = MEDIATYPE_Stream;
    type.subtype = MEDIASUBTYPE_Avi;
    type.bFixedSizeSamples = FALSE;
    type.lSampleSize = 1;
    return S_OK;
}

HRESULT CSimAviMux::CheckOutputType(int, const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, MEDIATYPE_Stream) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimAviMux::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = request->cBuffers > 4 ? request->cBuffers : 4;
    wanted.cbBuffer = request->cbBuffer > BUFFER_SIZE ? request->cbBuffer : (long)BUFFER_SIZE;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

CSimAviLayout::Stream CSimAviMux::StreamOf(const AM_MEDIA_TYPE& type) const
{
    CSimAviLayout::Stream stream;
    if (const VIDEOINFOHEADER* video = CAmMediaType::VideoInfoOf(type)) {
        stream.video = true;
        stream.frameTime = video->AvgTimePerFrame;
        const BYTE* header = reinterpret_cast<const BYTE*>(&video->bmiHeader);
        stream.format.assign(header, header + sizeof(BITMAPINFOHEADER));
    } else {
        const WAVEFORMATEX* wave = CAmMediaType::WaveFormatOf(type);
        stream.video = false;
        size_t extra = wave->wFormatTag == WAVE_FORMAT_PCM ? 0 : wave->cbSize;
        const BYTE* format = reinterpret_cast<const BYTE*>(wave);
        stream.format.assign(format, format + sizeof(WAVEFORMATEX) + extra);
        if (extra == 0)
            reinterpret_cast<WAVEFORMATEX*>(stream.format.data())->cbSize = 0;
    }
    return stream;
}

// A new file: the connected inputs become its streams, in pin order.
HRESULT CSimAviMux::OnPrepare()
{
    CCritGuard guard(m_receiveLock);
    std::vector<CSimAviLayout::Stream> streams;
    m_streamOf.assign(m_inputs.size() + 1, -1);
    for (const auto& input : m_inputs) {
        if (!input->IsConnected())
            continue;
        m_streamOf[input->Number()] = (int)streams.size();
        streams.push_back(StreamOf(input->ConnectionType()));
    }
    m_layout.Reset(streams);
    m_started = false;
    m_pendingClose = false;
    m_halted = false;
    Log().Line("X compat=%d mode=%d interleave=%ld preroll=%ld", (int)m_compatibilityIndex, (int)m_mode,
               (long)m_interleave, (long)m_preroll);
    return S_OK;
}

HRESULT CSimAviMux::OnStart(REFERENCE_TIME)
{
    CCritGuard guard(m_receiveLock);
    m_halted = false;
    return S_OK;
}

// The filter still reads as running until this returns: a sample that comes in after the
// closing writes must not land behind the index.
HRESULT CSimAviMux::OnHalt()
{
    CCritGuard guard(m_receiveLock);
    m_halted = true;
    if (m_pendingClose)
        WriteClosing();
    return S_OK;
}

HRESULT CSimAviMux::ReceiveSample(int pin, IMediaSample* sample)
{
    CCritGuard guard(m_receiveLock);
    // A live source delivers while running only; anything later belongs to no run.
    if (State() != State_Running || m_halted || pin <= 0 || pin >= (int)m_streamOf.size() || m_streamOf[pin] < 0)
        return S_OK;
    if (!m_output.IsConnected())
        return S_OK;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)))
        return S_OK;
    long size = sample->GetActualDataLength();
    HRESULT hr = S_OK;
    if (!m_started) {
        std::vector<BYTE> headers;
        m_layout.BuildHeaders(headers);
        hr = WriteAt(0, headers.data(), headers.size());
        if (FAILED(hr))
            return hr;
        m_started = true;
    }
    std::vector<BYTE> chunk;
    LONGLONG offset = 0;
    if (!m_layout.AddChunk(m_streamOf[pin], data, (DWORD)size, sample->IsSyncPoint() == S_OK, chunk, &offset))
        return S_OK;
    m_pendingClose = true;
    Log().Sample("W chunk stream=%d size=%ld at=%lld", m_streamOf[pin], size, offset);
    return WriteAt(offset, chunk.data(), chunk.size());
}

HRESULT CSimAviMux::WriteClosing()
{
    std::vector<BYTE> index, headers;
    m_layout.BuildIndex(index);
    m_layout.BuildHeaders(headers);
    HRESULT hr = WriteAt(m_layout.IndexOffset(), index.data(), index.size());
    if (SUCCEEDED(hr))
        hr = WriteAt(0, headers.data(), headers.size());
    m_pendingClose = FAILED(hr);
    Log().Line("W close chunks=%lu %s", (unsigned long)m_layout.ChunkCount(), SUCCEEDED(hr) ? "ok" : "fail");
    return hr;
}

// The writer puts each sample at the byte offset its start time gives.
HRESULT CSimAviMux::WriteAt(LONGLONG offset, const BYTE* data, size_t size)
{
    while (size > 0) {
        CComRef<IMediaSample> sample;
        HRESULT hr = m_output.GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0);
        if (FAILED(hr))
            return hr;
        BYTE* buffer = nullptr;
        sample->GetPointer(&buffer);
        size_t piece = size < (size_t)sample->GetSize() ? size : (size_t)sample->GetSize();
        memcpy(buffer, data, piece);
        sample->SetActualDataLength((long)piece);
        REFERENCE_TIME start = offset, stop = offset + (LONGLONG)piece;
        sample->SetTime(&start, &stop);
        hr = m_output.Deliver(sample.Get());
        if (FAILED(hr))
            return hr;
        offset += piece;
        data += piece;
        size -= piece;
    }
    return S_OK;
}
