#pragma once

#include "BaseInputPin.h"
#include "CritSection.h"

#include <vector>

// The input pin of CMuxStreamSink: takes any stream type and records each sample's length
// and times. It can refuse every sample with a result of the test's choosing, or insist on
// its own allocator, which grants only half the buffer size asked of it.
class CMuxStreamSinkPin : public CBaseInputPin
{
public:
    struct Sample
    {
        long length;
        REFERENCE_TIME start;
        REFERENCE_TIME stop;
    };

    explicit CMuxStreamSinkPin(CBaseFilter& filter);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;

    // Set while stopped.
    void FailReceive(HRESULT result) { m_receiveResult = result; }
    void GrantHalf(bool half) { m_grantHalf = half; }

    std::vector<Sample> Samples();
    int EndOfStreamCount();

protected:
    HRESULT OnReceive(IMediaSample* sample) override;
    HRESULT OnEndOfStream() override;

private:
    HRESULT m_receiveResult = S_OK;
    bool m_grantHalf = false;
    CComRef<IMemAllocator> m_halfAllocator;

    // Guards the records; taken on the streaming thread and by the test.
    CCritSection m_recordLock;
    std::vector<Sample> m_samples;
    int m_endOfStreams = 0;
};
