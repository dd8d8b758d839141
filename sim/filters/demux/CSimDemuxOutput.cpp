#include "CSimDemuxOutput.h"

#include "CSimLog.h"
#include "CritGuard.h"

#include <algorithm>

namespace
{
const long kPayloadBytes = 65536;
}

CSimDemuxOutput::CSimDemuxOutput(CBaseFilter& filter, const WCHAR* name, const AM_MEDIA_TYPE& type, const CSimLog& log)
    : CBaseOutputPin(filter, name), m_type(type), m_log(log)
{
}

void* CSimDemuxOutput::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IMPEG2StreamIdMap))
        return static_cast<IMPEG2StreamIdMap*>(this);
    return CBaseOutputPin::FindInterface(iid);
}

STDMETHODIMP CSimDemuxOutput::MapStreamId(ULONG streamId, DWORD content, ULONG substreamFilter, int dataOffset)
{
    if (content != MPEG2_PROGRAM_ELEMENTARY_STREAM)
        return E_INVALIDARG;
    CCritGuard guard(m_mapLock);
    if (std::find(m_streams.begin(), m_streams.end(), streamId) == m_streams.end())
        m_streams.push_back(streamId);
    char name[128] = "";
    WideCharToMultiByte(CP_ACP, 0, Name(), -1, name, sizeof(name), nullptr, nullptr);
    m_log.Line("P map %s %02lX %lu sub=%lu offset=%d", name, streamId, content, substreamFilter, dataOffset);
    return S_OK;
}

STDMETHODIMP CSimDemuxOutput::UnmapStreamId(ULONG count, ULONG* streamIds)
{
    if (streamIds == nullptr)
        return E_POINTER;
    CCritGuard guard(m_mapLock);
    for (ULONG i = 0; i < count; ++i)
        m_streams.erase(std::remove(m_streams.begin(), m_streams.end(), streamIds[i]), m_streams.end());
    return S_OK;
}

STDMETHODIMP CSimDemuxOutput::EnumStreamIdMap(IEnumStreamIdMap** streamIdMap)
{
    if (streamIdMap != nullptr)
        *streamIdMap = nullptr;
    m_log.Line("! EnumStreamIdMap not implemented");
    return E_NOTIMPL;
}

bool CSimDemuxOutput::Carries(ULONG streamId)
{
    CCritGuard guard(m_mapLock);
    return std::find(m_streams.begin(), m_streams.end(), streamId) != m_streams.end();
}

HRESULT CSimDemuxOutput::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, m_type.majortype) && IsEqualGUID(type.subtype, m_type.subtype)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimDemuxOutput::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return E_INVALIDARG;
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    return type.Set(m_type);
}

HRESULT CSimDemuxOutput::SetType(const AM_MEDIA_TYPE& type)
{
    if (IsConnected())
        return VFW_E_ALREADY_CONNECTED;
    HRESULT hr = m_type.Set(type);
    if (SUCCEEDED(hr))
        MediaTypesChanged();
    return hr;
}

HRESULT CSimDemuxOutput::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = wanted.cBuffers > 16 ? wanted.cBuffers : 16;
    wanted.cbBuffer = wanted.cbBuffer > kPayloadBytes ? wanted.cbBuffer : kPayloadBytes;
    wanted.cbAlign = wanted.cbAlign > 0 ? wanted.cbAlign : 1;
    return RequireBuffers(allocator, wanted);
}

HRESULT CSimDemuxOutput::DeliverPayload(const BYTE* data, size_t size)
{
    IMediaSample* sample = nullptr;
    HRESULT hr = GetDeliveryBuffer(&sample, nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    BYTE* out = nullptr;
    sample->GetPointer(&out);
    size_t take = size < (size_t)sample->GetSize() ? size : (size_t)sample->GetSize();
    memcpy(out, data, take);
    sample->SetActualDataLength((long)take);
    sample->SetTime(nullptr, nullptr);
    sample->SetDiscontinuity(m_discontinuity);
    m_discontinuity = false;
    hr = Deliver(sample);
    sample->Release();
    return hr;
}
