#include "TestSinkPin.h"

#include "BaseFilter.h"
#include "CritGuard.h"

CTestSinkPin::CTestSinkPin(CBaseFilter& filter)
    : CBaseInputPin(filter, L"In")
{
}

HRESULT CTestSinkPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    if (m_refuseAll || !IsEqualGUID(type.majortype, MEDIATYPE_Video))
        return S_FALSE;
    return CAmMediaType::VideoInfoOf(type) ? S_OK : S_FALSE;
}

STDMETHODIMP CTestSinkPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly)
{
    HRESULT hr = CBaseInputPin::NotifyAllocator(allocator, readOnly);
    if (SUCCEEDED(hr)) {
        CCritGuard guard(m_recordLock);
        allocator->GetProperties(&m_allocatorProperties);
    }
    return hr;
}

HRESULT CTestSinkPin::OnReceive(IMediaSample* sample)
{
    TestSampleRecord record = {};
    record.hasTime = SUCCEEDED(sample->GetTime(&record.start, &record.stop));
    record.discontinuity = sample->IsDiscontinuity() == S_OK;
    record.length = sample->GetActualDataLength();
    BYTE* data = nullptr;
    if (SUCCEEDED(sample->GetPointer(&data)) && record.length > 0)
        record.firstByte = data[0];
    {
        CCritGuard guard(m_recordLock);
        m_samples.push_back(record);
    }
    m_received.Set();
    return S_OK;
}

HRESULT CTestSinkPin::OnEndOfStream()
{
    {
        CCritGuard guard(m_recordLock);
        ++m_endOfStreams;
    }
    IBaseFilter* filter = &Filter();
    // Outside a graph there is nobody to tell; the end of stream is taken all the same.
    HRESULT hr = Filter().NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(filter));
    return FAILED(hr) ? hr : S_OK;
}

HRESULT CTestSinkPin::OnBeginFlush()
{
    CCritGuard guard(m_recordLock);
    ++m_flushes;
    return S_OK;
}

bool CTestSinkPin::WaitForSamples(size_t count, DWORD milliseconds)
{
    DWORD begin = GetTickCount();
    for (;;) {
        {
            CCritGuard guard(m_recordLock);
            if (m_samples.size() >= count)
                return true;
        }
        DWORD spent = GetTickCount() - begin;
        if (spent >= milliseconds)
            return false;
        m_received.Wait(milliseconds - spent);
    }
}

std::vector<TestSampleRecord> CTestSinkPin::Samples()
{
    CCritGuard guard(m_recordLock);
    return m_samples;
}

int CTestSinkPin::EndOfStreamCount()
{
    CCritGuard guard(m_recordLock);
    return m_endOfStreams;
}

int CTestSinkPin::FlushCount()
{
    CCritGuard guard(m_recordLock);
    return m_flushes;
}

ALLOCATOR_PROPERTIES CTestSinkPin::AllocatorProperties()
{
    CCritGuard guard(m_recordLock);
    return m_allocatorProperties;
}
