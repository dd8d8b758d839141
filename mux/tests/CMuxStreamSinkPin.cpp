#include "CMuxStreamSinkPin.h"

#include "BaseFilter.h"
#include "CMuxHalfAllocator.h"
#include "CritGuard.h"

CMuxStreamSinkPin::CMuxStreamSinkPin(CBaseFilter& filter) : CBaseInputPin(filter, L"In")
{
}

HRESULT CMuxStreamSinkPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, MEDIATYPE_Stream) ? S_OK : S_FALSE;
}

STDMETHODIMP CMuxStreamSinkPin::GetAllocator(IMemAllocator** allocator)
{
    if (!m_grantHalf)
        return CBaseInputPin::GetAllocator(allocator);
    if (!allocator)
        return E_POINTER;
    if (!m_halfAllocator) {
        HRESULT hr = CMuxHalfAllocator::Create(m_halfAllocator.Receive());
        if (FAILED(hr))
            return hr;
    }
    m_halfAllocator.CopyTo(allocator);
    return S_OK;
}

// A sink that insists on its own allocator refuses any other.
STDMETHODIMP CMuxStreamSinkPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly)
{
    if (m_grantHalf && allocator != m_halfAllocator.Get())
        return E_FAIL;
    return CBaseInputPin::NotifyAllocator(allocator, readOnly);
}

HRESULT CMuxStreamSinkPin::OnReceive(IMediaSample* sample)
{
    if (FAILED(m_receiveResult))
        return m_receiveResult;
    Sample record = {sample->GetActualDataLength(), -1, -1};
    sample->GetTime(&record.start, &record.stop);
    CCritGuard guard(m_recordLock);
    m_samples.push_back(record);
    return S_OK;
}

HRESULT CMuxStreamSinkPin::OnEndOfStream()
{
    CCritGuard guard(m_recordLock);
    ++m_endOfStreams;
    return S_OK;
}

std::vector<CMuxStreamSinkPin::Sample> CMuxStreamSinkPin::Samples()
{
    CCritGuard guard(m_recordLock);
    return m_samples;
}

int CMuxStreamSinkPin::EndOfStreamCount()
{
    CCritGuard guard(m_recordLock);
    return m_endOfStreams;
}
