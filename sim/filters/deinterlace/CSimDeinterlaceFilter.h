#pragma once

#include "AmMediaType.h"
#include "CSimFrame.h"
#include "CSimInputPin.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "CritSection.h"

#include <atomic>

// The class the program asks for, {C5683497-12D5-4ED1-BF8D-E53B349B0981}.
extern const CLSID CLSID_SimDeinterlace;

// The maker's deinterlace filter as the program uses it: behind the capture filter, it
// takes the card's picture on "Input", turns it into progressive YUY2 and gives it to
// "Preview" and "Capture" (the latter at half size when small frame is on as it connects),
// with the quality switches of IDeinterlaceControl, and writes snapshots of the picture it
// shows. Both outputs are there from the start, as the program looks them up by name before
// it connects the input; they offer their type once the input is connected. Pause means
// ready: the filter holds no data of its own.
class CSimDeinterlaceFilter : public CSimStandInFilter, public IDeinterlaceControl
{
public:
    explicit CSimDeinterlaceFilter(IUnknown* outer);
    ~CSimDeinterlaceFilter() override;

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return 3; }
    CBasePin* GetPin(int index) override;

    // IDeinterlaceControl
    STDMETHODIMP GetHighQuality(LONG* on) override;
    STDMETHODIMP SetHighQuality(LONG on) override;
    STDMETHODIMP GetNoiseReduce(VARIANT_BOOL* on) override;
    STDMETHODIMP SetNoiseReduce(VARIANT_BOOL on) override;
    STDMETHODIMP GetHalfRate(VARIANT_BOOL* on) override;
    STDMETHODIMP SetHalfRate(VARIANT_BOOL on) override;
    STDMETHODIMP GetReduceValue(LONG* value) override;
    STDMETHODIMP SetReduceValue(LONG value) override;
    STDMETHODIMP SaveSnapshot(LPCWSTR path, LONG kind, LONG quality) override;
    STDMETHODIMP GetSmallFrame(VARIANT_BOOL* on) override;
    STDMETHODIMP SetSmallFrame(VARIANT_BOOL on) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT BeginInputFlush(int pin) override;
    HRESULT EndInputFlush(int pin) override;
    void PinConnected(int pin, bool connected) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void OnTeardown() override;
    void* FindFilterInterface(REFIID iid) override;

private:
    enum { PIN_INPUT, PIN_PREVIEW, PIN_CAPTURE };

    struct Switches
    {
        bool highQuality;
        bool noiseReduce;
        bool halfRate;
        LONG reduce;
    };

    Switches CurrentSwitches() const;
    void LogSwitches() const;
    // Called with the receive lock held.
    void MakeProgressive(int keptParity, const Switches& switches);
    void ReduceNoise(LONG strength);
    void OfferSnapshot();
    HRESULT DeliverPicture(CSimOutputPin& pin, REFERENCE_TIME start, REFERENCE_TIME stop, bool timed);
    HRESULT WaitForSnapshot(CSimFrame& picture);

    CSimInputPin m_input;
    CSimOutputPin m_preview;
    CSimOutputPin m_capture;

    // Set while connected, under the state lock; read by the streaming thread.
    CAmMediaType m_inputType;

    // The switches, read by the streaming thread at each frame.
    std::atomic<LONG> m_highQuality{0};
    std::atomic<bool> m_noiseReduce{false};
    std::atomic<bool> m_halfRate{true};
    std::atomic<LONG> m_reduce{0};
    std::atomic<bool> m_smallFrame{false};

    // Serialises samples, flushes and Stop. Guards the frames below and the count. Taken
    // after the state lock and before the snapshot lock.
    CCritSection m_receiveLock;
    CSimFrame m_in;
    CSimFrame m_previousIn;
    CSimFrame m_out;
    CSimFrame m_previousOut;
    CSimFrame m_half;
    DWORD m_frames = 0;

    // Guards m_snapWanted and m_snapFrame; the last lock taken.
    CCritSection m_snapLock;
    bool m_snapWanted = false;
    CSimFrame m_snapFrame;
    // Set by the streaming thread when it has copied a picture for SaveSnapshot, which waits.
    HANDLE m_snapReady;
};
