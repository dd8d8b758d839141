#pragma once

#include "LiveSourcePin.h"

#include <atomic>

// The live output pin of CTestSource: RGB32 frames of 16 x 8 pixels every 10 ms of
// stream time, frame k filled with the byte k & 0xFF and stamped [k*T, (k+1)*T).
// Controls are set while the filter is stopped.
class CTestSourcePin : public CLiveSourcePin
{
public:
    static const LONG kWidth = 16;
    static const LONG kHeight = 8;
    static const LONG kFrameBytes = kWidth * kHeight * 4;
    static const REFERENCE_TIME kFrameTime = 100000;

    CTestSourcePin(CBaseFilter& filter, const GUID* category);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;

    // After this many frames of a run, one end of stream and no more frames.
    void SetFrameLimit(LONG frames) { m_limit = frames; }
    // FillBuffer fails with hr at frame number frame.
    void FailFrame(LONG frame, HRESULT hr);
    // DecideBufferSize fails with hr.
    void FailBufferSize(HRESULT hr) { m_bufferFailure = hr; }
    LONG FramesFilled() const { return m_frame; }
    LONG FillingThreads() const { return m_threads; }

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT FillBuffer(IMediaSample* sample) override;
    void OnThreadStart() override;
    void OnThreadEnd() override;

private:
    HRESULT EndStream();

    std::atomic<LONG> m_frame{0};
    std::atomic<LONG> m_limit{-1};
    std::atomic<LONG> m_threads{0};
    bool m_endSent = false; // streaming thread only
    LONG m_failFrame = -1;
    HRESULT m_failure = S_OK;
    HRESULT m_bufferFailure = S_OK;
};
