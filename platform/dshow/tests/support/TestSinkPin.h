#pragma once

#include "BaseInputPin.h"
#include "CritSection.h"
#include "SyncEvent.h"

#include <vector>

// What CTestSinkPin saw of one sample.
struct TestSampleRecord
{
    bool hasTime;
    REFERENCE_TIME start;
    REFERENCE_TIME stop;
    bool discontinuity;
    long length;
    BYTE firstByte;
};

// The input pin of CTestSink: takes any FORMAT_VideoInfo video type and records what arrives.
class CTestSinkPin : public CBaseInputPin
{
public:
    explicit CTestSinkPin(CBaseFilter& filter);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;

    // Refuse every media type (set while stopped).
    void RefuseAll(bool refuse) { m_refuseAll = refuse; }
    // True once count samples have arrived, false after the time-out.
    bool WaitForSamples(size_t count, DWORD milliseconds);
    std::vector<TestSampleRecord> Samples();
    int EndOfStreamCount();
    int FlushCount();
    ALLOCATOR_PROPERTIES AllocatorProperties();

protected:
    HRESULT OnReceive(IMediaSample* sample) override;
    HRESULT OnEndOfStream() override;
    HRESULT OnBeginFlush() override;

private:
    bool m_refuseAll = false;

    // Guards the records below; taken on the streaming thread and by the test.
    CCritSection m_recordLock;
    std::vector<TestSampleRecord> m_samples;
    int m_endOfStreams = 0;
    int m_flushes = 0;
    ALLOCATOR_PROPERTIES m_allocatorProperties = {};
    // Auto-reset. Set by the streaming thread after each sample; WaitForSamples waits on it.
    CSyncEvent m_received{CSyncEvent::AutoReset};
};
