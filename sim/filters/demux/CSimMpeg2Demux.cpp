#include "CSimMpeg2Demux.h"

#include "CritGuard.h"
#include "simmpegguids.h"

#include <new>

namespace
{
const CLSID CLSID_SimMpeg2Demux = {0xAFB6C280, 0x2C41, 0x11D3, {0x8A, 0x60, 0x00, 0x00, 0xF8, 0x1E, 0x0E, 0x4A}};

const char* SubtypeName(REFGUID subtype)
{
    if (IsEqualGUID(subtype, MEDIASUBTYPE_MPEG2_VIDEO))
        return "MPEG2_VIDEO";
    if (IsEqualGUID(subtype, MEDIASUBTYPE_MPEG2_AUDIO))
        return "MPEG2_AUDIO";
    if (IsEqualGUID(subtype, MEDIASUBTYPE_MPEG1Payload))
        return "MPEG1Payload";
    if (IsEqualGUID(subtype, MEDIASUBTYPE_MPEG1AudioPayload))
        return "MPEG1AudioPayload";
    return "other";
}
}

CSimMpeg2Demux::CSimMpeg2Demux(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimMpeg2Demux, "demux", "simdemux:demux 1"), m_input(*this, L"MPEG-2 Stream", 0)
{
}

CBasePin* CSimMpeg2Demux::GetPin(int index)
{
    if (index == 0)
        return &m_input;
    if (index > 0 && index <= (int)m_outputs.size())
        return m_outputs[index - 1].get();
    return nullptr;
}

void* CSimMpeg2Demux::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IMpeg2Demultiplexer))
        return Switches().Omits("IMpeg2Demultiplexer") ? nullptr : static_cast<IMpeg2Demultiplexer*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

CSimDemuxOutput* CSimMpeg2Demux::FindOutput(const WCHAR* name)
{
    for (const std::unique_ptr<CSimDemuxOutput>& pin : m_outputs)
        if (wcscmp(pin->Name(), name) == 0)
            return pin.get();
    return nullptr;
}

STDMETHODIMP CSimMpeg2Demux::CreateOutputPin(AM_MEDIA_TYPE* type, LPWSTR name, IPin** pin)
{
    if (type == nullptr || name == nullptr || pin == nullptr)
        return E_POINTER;
    *pin = nullptr;
    CCritGuard state(StateLock());
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (FindOutput(name) != nullptr)
        return E_INVALIDARG;
    std::unique_ptr<CSimDemuxOutput> created(new (std::nothrow) CSimDemuxOutput(*this, name, *type, Log()));
    if (!created)
        return E_OUTOFMEMORY;
    *pin = created.get();
    (*pin)->AddRef();
    m_outputs.push_back(std::move(created));
    IncrementPinVersion();
    char ansi[128] = "";
    WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof(ansi), nullptr, nullptr);
    Log().Line("P create %s %s fmt=%lu", ansi, SubtypeName(type->subtype), type->cbFormat);
    return S_OK;
}

STDMETHODIMP CSimMpeg2Demux::SetOutputPinMediaType(LPWSTR name, AM_MEDIA_TYPE* type)
{
    if (name == nullptr || type == nullptr)
        return E_POINTER;
    CCritGuard state(StateLock());
    CSimDemuxOutput* pin = FindOutput(name);
    if (pin == nullptr)
        return E_INVALIDARG;
    return pin->SetType(*type);
}

STDMETHODIMP CSimMpeg2Demux::DeleteOutputPin(LPWSTR name)
{
    if (name == nullptr)
        return E_POINTER;
    CCritGuard state(StateLock());
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    for (auto it = m_outputs.begin(); it != m_outputs.end(); ++it) {
        if (wcscmp((*it)->Name(), name) != 0)
            continue;
        if ((*it)->IsConnected())
            return VFW_E_ALREADY_CONNECTED;
        m_retired.push_back(std::move(*it));
        m_outputs.erase(it);
        IncrementPinVersion();
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT CSimMpeg2Demux::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, MEDIATYPE_Stream) &&
                   (IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG2_PROGRAM) ||
                    IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG1System))
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimMpeg2Demux::OnPrepare()
{
    CCritGuard guard(m_receiveLock);
    m_parser.Reset();
    MarkDiscontinuity();
    return S_OK;
}

void CSimMpeg2Demux::MarkDiscontinuity()
{
    for (const std::unique_ptr<CSimDemuxOutput>& pin : m_outputs)
        pin->MarkDiscontinuity();
}

HRESULT CSimMpeg2Demux::ReceiveSample(int, IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)))
        return E_POINTER;
    CCritGuard guard(m_receiveLock);
    if (sample->IsDiscontinuity() == S_OK) {
        m_parser.Reset();
        MarkDiscontinuity();
    }
    m_parser.Feed(data, (size_t)sample->GetActualDataLength());
    return DeliverPackets();
}

HRESULT CSimMpeg2Demux::DeliverPackets()
{
    SimPsPayload packet;
    while (m_parser.NextPacket(packet)) {
        if (packet.hasPts)
            Log().Sample("T %02X pts=%I64d", packet.streamId, packet.pts);
        for (const std::unique_ptr<CSimDemuxOutput>& pin : m_outputs) {
            if (!pin->IsConnected() || !pin->Carries(packet.streamId))
                continue;
            HRESULT hr = pin->DeliverPayload(packet.payload.data(), packet.payload.size());
            if (FAILED(hr))
                return hr;
        }
    }
    return S_OK;
}

HRESULT CSimMpeg2Demux::EndOfInput(int)
{
    {
        CCritGuard guard(m_receiveLock);
        m_parser.Finish();
        DeliverPackets();
    }
    for (const std::unique_ptr<CSimDemuxOutput>& pin : m_outputs)
        if (pin->IsConnected())
            pin->DeliverEndOfStream();
    return S_OK;
}

HRESULT CSimMpeg2Demux::BeginInputFlush(int)
{
    for (const std::unique_ptr<CSimDemuxOutput>& pin : m_outputs)
        if (pin->IsConnected())
            pin->DeliverBeginFlush();
    return S_OK;
}

HRESULT CSimMpeg2Demux::EndInputFlush(int)
{
    {
        CCritGuard guard(m_receiveLock);
        m_parser.Reset();
        MarkDiscontinuity();
    }
    for (const std::unique_ptr<CSimDemuxOutput>& pin : m_outputs)
        if (pin->IsConnected())
            pin->DeliverEndFlush();
    return S_OK;
}
