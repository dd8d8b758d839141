#include "CSimTimeShiftOutput.h"

#include "CSimTimeShiftFilter.h"

CSimTimeShiftOutput::CSimTimeShiftOutput(CSimTimeShiftFilter& filter)
    : CLiveSourcePin(filter, L"Output"), m_owner(filter)
{
}

HRESULT CSimTimeShiftOutput::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, MEDIATYPE_Stream) &&
                   (IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG2_PROGRAM) || IsEqualGUID(type.subtype, GUID_NULL))
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimTimeShiftOutput::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return E_INVALIDARG;
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    type.Clear();
    type.majortype = MEDIATYPE_Stream;
    type.subtype = MEDIASUBTYPE_MPEG2_PROGRAM;
    return S_OK;
}

HRESULT CSimTimeShiftOutput::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = wanted.cBuffers > 16 ? wanted.cBuffers : 16;
    wanted.cbBuffer = wanted.cbBuffer > (long)CSimTimeShiftStore::kMaxUnit ? wanted.cbBuffer : (long)CSimTimeShiftStore::kMaxUnit;
    wanted.cbAlign = wanted.cbAlign > 0 ? wanted.cbAlign : 1;
    return RequireBuffers(allocator, wanted);
}

HRESULT CSimTimeShiftOutput::Nap(REFERENCE_TIME duration)
{
    REFERENCE_TIME now = 0;
    if (GetStreamTime(&now) != S_OK)
        return S_FALSE;
    return WaitForStreamTime(now + duration);
}

HRESULT CSimTimeShiftOutput::FillBuffer(IMediaSample* sample)
{
    return m_owner.PlayOut(sample);
}
