#include "CSimIviMux.h"

#include "CritGuard.h"

#include <new>
#include <stdio.h>
#include <string.h>

const CLSID CLSID_SimIviMux = { 0x31FDD5E8, 0x68AD, 0x4D29, { 0xA2, 0xA5, 0xA4, 0x29, 0x0C, 0x37, 0x21, 0xA1 } };

namespace
{
const int DEFAULT_PACK_SIZE = 2048;
// The largest pack the presets ask for (VCD and SVCD). The pack size may be set after the
// output is connected, so the buffers are made big enough for it from the start.
const int LARGEST_PRESET_PACK_SIZE = 2324;
// The VCD stream's fixed rate: 75 sectors of 2352 bytes a second, in bit/s.
const int VCD_MUX_RATE = 1411200;
}

CSimIviMux::CSimIviMux(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimIviMux, "ivi", "simivi:mux 1")
    , m_output(*this, L"Output", PIN_OUTPUT)
    , m_params(Log(), 'M')
{
    AddFreeInput();
}

CSimIviMux::~CSimIviMux() = default;

CBasePin* CSimIviMux::GetPin(int index)
{
    if (index == 0)
        return &m_output;
    return index > 0 && index <= (int)m_inputs.size() ? m_inputs[index - 1].get() : nullptr;
}

void CSimIviMux::AddFreeInput()
{
    int number = (int)m_inputs.size() + 1;
    WCHAR name[16];
    swprintf(name, 16, L"Input %d", number);
    m_inputs.emplace_back(new CSimInputPin(*this, name, number));
    IncrementPinVersion();
}

void* CSimIviMux::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IIviMuxParams))
        return static_cast<IIviParams*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimIviMux::GetParam(LONG id, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = m_params.Get(id);
    return S_OK;
}

STDMETHODIMP CSimIviMux::SetParam(LONG id, LONG value)
{
    m_params.Set(id, value);
    return S_OK;
}

bool CSimIviMux::SystemStream() const
{
    LONG type = m_params.Get(PARAM_TYPE);
    return type == 0 || type == 2;
}

int CSimIviMux::PackSize() const
{
    LONG size = m_params.Get(PARAM_PACK_SIZE);
    return size > 0 ? (int)size : DEFAULT_PACK_SIZE;
}

HRESULT CSimIviMux::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    bool mpegAudio = IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG1AudioPayload) ||
                     IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG1Payload);
    return IsEqualGUID(type.majortype, MEDIATYPE_Audio) && mpegAudio ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

void CSimIviMux::PinConnected(int pin, bool connected)
{
    if (pin == PIN_OUTPUT || !connected)
        return;
    for (const auto& input : m_inputs) {
        if (!input->IsConnected())
            return;
    }
    AddFreeInput();
}

HRESULT CSimIviMux::GetOutputType(int, int index, CAmMediaType& type)
{
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    type.Clear();
    type.majortype = MEDIATYPE_Stream;
    type.subtype = SystemStream() ? MEDIASUBTYPE_MPEG1System : MEDIASUBTYPE_MPEG2_PROGRAM;
    type.lSampleSize = 1;
    return S_OK;
}

HRESULT CSimIviMux::CheckOutputType(int, const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, MEDIATYPE_Stream) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimIviMux::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = request->cBuffers > 8 ? request->cBuffers : 8;
    long size = (PackSize() > LARGEST_PRESET_PACK_SIZE ? PackSize() : LARGEST_PRESET_PACK_SIZE) + 4;
    wanted.cbBuffer = request->cbBuffer > size ? request->cbBuffer : size;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

CSimAvMuxer::Settings CSimIviMux::Settings() const
{
    CSimAvMuxer::Settings settings;
    settings.format = SystemStream() ? "mpeg" : "vob";
    settings.packSize = PackSize();
    DWORD bytesPerSecond = 0;
    for (const auto& input : m_inputs) {
        const WAVEFORMATEX* wave = input->IsConnected() ? input->ConnectionType().WaveFormat() : nullptr;
        if (wave != nullptr)
            bytesPerSecond += wave->nAvgBytesPerSec;
    }
    // Room for the pack and packet headers beside the audio.
    int computed = (int)((bytesPerSecond + bytesPerSecond / 4) * 8 + 400);
    settings.muxRate = m_params.Get(PARAM_TYPE) == 2 ? VCD_MUX_RATE : computed;
    return settings;
}

bool CSimIviMux::AddSoundStream(CSimAvMuxer& muxer)
{
    for (const auto& input : m_inputs) {
        const WAVEFORMATEX* wave = input->IsConnected() ? input->ConnectionType().WaveFormat() : nullptr;
        if (wave == nullptr)
            continue;
        AVCodecParameters* parameters = avcodec_parameters_alloc();
        if (parameters == nullptr)
            return false;
        parameters->codec_type = AVMEDIA_TYPE_AUDIO;
        parameters->codec_id = AV_CODEC_ID_MP2;
        parameters->sample_rate = (int)wave->nSamplesPerSec;
        av_channel_layout_default(&parameters->ch_layout, wave->nChannels);
        parameters->bit_rate = (int64_t)wave->nAvgBytesPerSec * 8;
        m_stream = muxer.AddStream(parameters, AVRational{1, 10000000});
        avcodec_parameters_free(&parameters);
        return m_stream >= 0 && muxer.Start();
    }
    return false;
}

HRESULT CSimIviMux::OnPrepare()
{
    CSimAvMuxer::Settings settings = Settings();
    CCritGuard guard(m_receiveLock);
    m_muxer.reset(new CSimAvMuxer(settings));
    m_finished = false;
    m_nextTime = 0;
    Log().Line("M start %s pack=%d rate=%d", settings.format.c_str(), settings.packSize, settings.muxRate);
    if (!AddSoundStream(*m_muxer)) {
        Log().Line("! streams refused by the codec library");
        m_muxer.reset();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CSimIviMux::OnHalt()
{
    CCritGuard guard(m_receiveLock);
    if (!m_muxer || m_finished || !m_output.IsConnected())
        return S_OK;
    std::vector<SimPack> packs;
    if (!m_muxer->Finish(packs, true))
        Log().Line("! multiplexer failed");
    m_finished = true;
    Log().Line("M finish packs=%lu", (unsigned long)packs.size());
    Deliver(packs);
    return S_OK;
}

void CSimIviMux::OnTeardown()
{
    CCritGuard guard(m_receiveLock);
    m_muxer.reset();
}

HRESULT CSimIviMux::ReceiveSample(int, IMediaSample* sample)
{
    CCritGuard guard(m_receiveLock);
    BYTE* data = nullptr;
    if (!m_muxer || m_finished || State() != State_Running || FAILED(sample->GetPointer(&data)))
        return S_OK;
    REFERENCE_TIME start = 0, stop = 0;
    AVPacket* packet = av_packet_alloc();
    if (packet == nullptr || av_new_packet(packet, (int)sample->GetActualDataLength()) < 0) {
        av_packet_free(&packet);
        return E_OUTOFMEMORY;
    }
    memcpy(packet->data, data, packet->size);
    // The muxer takes only rising times.
    REFERENCE_TIME time = SUCCEEDED(sample->GetTime(&start, &stop)) ? start : m_nextTime;
    packet->pts = packet->dts = time > m_nextTime ? time : m_nextTime;
    m_nextTime = packet->pts + 1;
    bool written = m_muxer->Write(m_stream, packet);
    av_packet_free(&packet);
    std::vector<SimPack> packs;
    m_muxer->Drain(packs);
    HRESULT hr = Deliver(packs);
    return written ? hr : E_FAIL;
}

// The writer appends what it gets: the packs go out without time stamps.
HRESULT CSimIviMux::Deliver(const std::vector<SimPack>& packs)
{
    for (const SimPack& pack : packs) {
        CComRef<IMediaSample> sample;
        HRESULT hr = m_output.GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0);
        if (FAILED(hr))
            return hr;
        BYTE* buffer = nullptr;
        sample->GetPointer(&buffer);
        if ((size_t)sample->GetSize() < pack.bytes.size())
            return E_UNEXPECTED;
        memcpy(buffer, pack.bytes.data(), pack.bytes.size());
        sample->SetActualDataLength((long)pack.bytes.size());
        sample->SetTime(nullptr, nullptr);
        hr = m_output.Deliver(sample.Get());
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
