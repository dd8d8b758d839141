#pragma once

#include "BaseOutputPin.h"
#include "CritSection.h"
#include "StreamThread.h"
#include "SyncEvent.h"

#include <vector>

// The output pin of CMuxFileSource: one fixture file offered with one media type, cut into
// samples of a fixed size and stamped in proportion to their byte offset over the stream's
// duration, delivered as fast as the peer takes them once the filter runs, then one end of
// stream. It answers IMediaSeeking with the stream's duration and position.
class CMuxFileSourcePin : public CBaseOutputPin, public IMediaSeeking
{
public:
    explicit CMuxFileSourcePin(CBaseFilter& filter);
    ~CMuxFileSourcePin() override;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBasePin::Release(); }

    // Set while stopped and unconnected. start: the first sample's time (100 ns).
    bool Load(const char* path, const AM_MEDIA_TYPE& type, REFERENCE_TIME duration, REFERENCE_TIME start = 0,
              long sampleBytes = 8192);
    // Samples go out no faster than speed times their play rate; 0: as fast as taken.
    void SetPace(double speed) { m_pace = speed; }
    void SetSampleBytes(long bytes) { m_sampleBytes = bytes; }
    bool Loaded() const { return !m_data.empty(); }
    // Only the type, for connection tests.
    void Offer(const AM_MEDIA_TYPE& type) { m_type.Set(type); }
    // The end of stream waits until Release is called (for tests of the order of ends).
    void HoldEnd() { m_holdEnd = true; }
    void ReleaseEnd() { m_endGate.Set(); }
    // Set once the pin has delivered its last sample (before its end of stream).
    bool Delivered() const { return m_delivered; }
    HRESULT LastResult() const { return m_lastResult; }

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;
    HRESULT Active() override;
    HRESULT Inactive() override;
    void AwaitInactive() override;
    void RunStarted(REFERENCE_TIME start) override;

    // IMediaSeeking
    STDMETHODIMP GetCapabilities(DWORD* capabilities) override;
    STDMETHODIMP CheckCapabilities(DWORD* capabilities) override;
    STDMETHODIMP IsFormatSupported(const GUID* format) override;
    STDMETHODIMP QueryPreferredFormat(GUID* format) override;
    STDMETHODIMP GetTimeFormat(GUID* format) override;
    STDMETHODIMP IsUsingTimeFormat(const GUID* format) override;
    STDMETHODIMP SetTimeFormat(const GUID* format) override;
    STDMETHODIMP GetDuration(LONGLONG* duration) override;
    STDMETHODIMP GetStopPosition(LONGLONG* stop) override;
    STDMETHODIMP GetCurrentPosition(LONGLONG* current) override;
    STDMETHODIMP ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                   const GUID* sourceFormat) override;
    STDMETHODIMP SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override;
    STDMETHODIMP GetPositions(LONGLONG* current, LONGLONG* stop) override;
    STDMETHODIMP GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
    STDMETHODIMP SetRate(double rate) override;
    STDMETHODIMP GetRate(double* rate) override;
    STDMETHODIMP GetPreroll(LONGLONG* preroll) override;

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void* FindInterface(REFIID iid) override;

private:
    void StreamMain();
    REFERENCE_TIME TimeAt(size_t offset) const;

    std::vector<BYTE> m_data;
    CAmMediaType m_type;
    REFERENCE_TIME m_duration = 0;
    REFERENCE_TIME m_start = 0;
    long m_sampleBytes = 8192;
    bool m_holdEnd = false;
    double m_pace = 0;
    DWORD m_runStartMs = 0;

    // Who signals: RunStarted and Inactive; who waits: the streaming thread.
    CSyncEvent m_wake{CSyncEvent::ManualReset};
    // Who signals: the test; who waits: the streaming thread before its end of stream.
    CSyncEvent m_endGate{CSyncEvent::ManualReset};
    volatile bool m_stopping = false;
    volatile bool m_delivered = false;
    volatile size_t m_position = 0;
    volatile HRESULT m_lastResult = S_OK;
    CStreamThread m_thread;
};
