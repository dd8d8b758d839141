#pragma once

#include "ComRef.h"

#include <dshow.h>
#include <qedit.h>

#include <mutex>
#include <string>
#include <vector>

// One picture or block a sample grabber saw, with its times.
struct GrabbedSample
{
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    std::vector<BYTE> bytes;
};

// Keeps what a sample grabber sees, on the streaming thread. Declare it before the graph that
// calls it, so that it outlives the graph's streaming threads.
class SampleCollector : public ISampleGrabberCB
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double time, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    // Waits (at most 20 s) until count samples arrived after this call, and returns the last.
    bool WaitForNext(size_t count, GrabbedSample* last = nullptr);
    std::vector<GrabbedSample> Samples();

private:
    std::mutex m_lock;
    std::vector<GrabbedSample> m_samples;
    size_t m_total = 0;
};

// A filter graph over the simulated card (a card of the tests' own, number 5, tuned to its
// first station) with the stand-in under test behind it. Everything made here is released
// by the destructor, the graph stopped first.
class StandInGraph
{
public:
    enum { CARD = 5 };
    // The ID word of the station the card shows (tuner source, station 0, 49750 kHz).
    static constexpr DWORD STATION_ID = 0x1000C256;

    StandInGraph();
    ~StandInGraph();

    // Makes the graph (COM must be set up by now), registers the card afresh, binds its capture filter at width x height YUY2 (25 fps)
    // and tunes it. S_OK or the first failure.
    HRESULT AddCard(LONG width, LONG height);
    // The card's audio capture filter (44.1 kHz stereo 16-bit), after AddCard.
    HRESULT AddCardAudio();
    HRESULT Add(IBaseFilter* filter, const WCHAR* name);
    HRESULT AddNew(REFCLSID clsid, const WCHAR* name, CComRef<IBaseFilter>* filter);
    // A null pin name means the filter's first pin of that direction.
    HRESULT Connect(IBaseFilter* from, const WCHAR* output, IBaseFilter* to, const WCHAR* input);
    // from's pin -> sample grabber -> null renderer; the collector gets every sample. With a
    // subtype the grabber is connected with the first type of that subtype the pin offers.
    HRESULT Grab(IBaseFilter* from, const WCHAR* output, SampleCollector* collector, const GUID* subtype = nullptr);
    // S_OK for any success (Wine's graph often answers S_FALSE while a live source starts).
    HRESULT Run();
    HRESULT Stop();

    IBaseFilter* Capture() const { return m_capture.Get(); }
    IBaseFilter* Audio() const { return m_audio.Get(); }
    IGraphBuilder* Graph() const { return m_graph.Get(); }

private:
    HRESULT Tune();
    HRESULT ConnectWithSubtype(IBaseFilter* from, const WCHAR* output, IBaseFilter* to, REFGUID subtype);

    bool m_cardInstalled = false;
    CComRef<IGraphBuilder> m_graph;
    CComRef<IBaseFilter> m_capture;
    CComRef<IBaseFilter> m_tuner;
    CComRef<IBaseFilter> m_audio;
};

// The ID band of a YUY2 picture (top-down): bit 31 - i in cell i, white = 1.
DWORD ReadIdWord(const BYTE* yuy2, LONG width, LONG height);
// The same band in a 24-bit bottom-up DIB's rows.
DWORD ReadIdWordBgr(const BYTE* rows, LONG width, LONG height, LONG stride, bool bottomUp);
