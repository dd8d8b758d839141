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
// The VCD stream's fixed rate: 75 sectors of 2352 bytes a second, in 50-byte units.
const uint32_t VCD_MUX_RATE = 3528;
// Presentation starts half a second in, so each pack's clock stays below its time stamps.
const int64_t START_PTS = 45000;
}

CSimIviMux::CSimIviMux(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimIviMux, "ivi", "simivi:mux 1")
    , m_output(*this, L"Output", PIN_OUTPUT)
    , m_params(Log(), 'M')
{
    AddFreeInput();
}

CSimIviMux::~CSimIviMux() = default;

CComIdentity* CSimIviMux::Create(IUnknown* outer, HRESULT* result)
{
    auto* filter = new (std::nothrow) CSimIviMux(outer);
    *result = filter != nullptr ? S_OK : E_OUTOFMEMORY;
    return filter;
}

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

SimPsSettings CSimIviMux::Settings() const
{
    SimPsSettings settings;
    settings.mpeg2 = !SystemStream();
    settings.packSize = PackSize();
    settings.hasVideo = false;
    settings.hasAudio = true;
    settings.audioFramePerPacket = false;
    DWORD bytesPerSecond = 0;
    for (const auto& input : m_inputs) {
        const WAVEFORMATEX* wave = input->IsConnected() ? input->ConnectionType().WaveFormat() : nullptr;
        if (wave != nullptr)
            bytesPerSecond += wave->nAvgBytesPerSec;
    }
    // Room for the pack and packet headers beside the audio.
    uint32_t computed = (uint32_t)((bytesPerSecond + bytesPerSecond / 4) / 50 + 1);
    settings.muxRate = m_params.Get(PARAM_TYPE) == 2 ? VCD_MUX_RATE : computed;
    return settings;
}

HRESULT CSimIviMux::OnPrepare()
{
    SimPsSettings settings = Settings();
    CCritGuard guard(m_receiveLock);
    m_muxer.reset(new CSimPsMuxer(settings));
    m_finished = false;
    Log().Line("M start %s pack=%d rate=%lu", settings.mpeg2 ? "program" : "system", settings.packSize,
               (unsigned long)settings.muxRate);
    return S_OK;
}

HRESULT CSimIviMux::OnHalt()
{
    CCritGuard guard(m_receiveLock);
    if (!m_muxer || m_finished || !m_output.IsConnected())
        return S_OK;
    std::vector<SimPack> packs;
    m_muxer->Finish(packs);
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
    int64_t pts = START_PTS;
    if (SUCCEEDED(sample->GetTime(&start, &stop)))
        pts += start * 9 / 1000;
    m_muxer->AddAudio(data, (size_t)sample->GetActualDataLength(), pts);
    std::vector<SimPack> packs;
    m_muxer->Drain(packs);
    return Deliver(packs);
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
