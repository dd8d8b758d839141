#pragma once

#include "ComRef.h"
#include "FilterWrapper.h"

#include <dshow.h>

class CStringList;

// One DirectShow filter graph and what the engine needs to drive it: the filter graph
// manager, the capture graph builder, media control, events, video window, seeking and basic
// video, the wrappers of the filters it placed in the graph, and the state it last set.
//
// Filters enter the graph only through AddFilter and AddFilterByName; connections are made
// between the wrappers' pin records. The builder owns its wrappers and deletes them when it
// removes them. It is used on the user-interface thread only, which initialises COM
// (apartment threaded) for it in MakeGraph.
class CGraphBuilder
{
public:
    enum { kMaxDeviceNames = 64, kDeviceNameSize = 128, kLastErrorSize = 1024 };
    // Graph states as the builder last set them.
    enum { kStopped = 0, kRunning = 1, kPaused = 2 };
    // Device kinds of EnumDeviceNames.
    enum { kAudioCapture = 0, kVideoCapture = 1, kAudioCompressor = 2, kVideoCompressor = 3 };
    typedef char DeviceName[kDeviceNameSize];

    CGraphBuilder();
    virtual ~CGraphBuilder();

    // Initialises COM and makes the graph; on failure the reason goes to GetLastErrorText and
    // everything made so far is torn down again.
    BOOL MakeGraph();
    // Stops, detaches the video window, deletes every wrapper, releases the graph and
    // uninitialises COM. Every wrapper pointer kept elsewhere is stale afterwards.
    void TearDown();
    static const char* GetLastErrorText() { return s_lastError; }

    // The wrapper (of the class a record names, else a plain one), added to the graph under
    // name; null when the filter cannot be made or the graph refuses it.
    CFilterWrapper* AddFilter(REFCLSID clsid, const char* name);
    // The same for a device of the category by FriendlyName; deviceIndex chooses among the
    // devices that match (see CDeviceSearch).
    CFilterWrapper* AddFilterByName(REFCLSID category, const char* friendlyName, const char* name, int matchMode,
                                    int deviceIndex);

    BOOL AddToGraph(CFilterWrapper* wrapper);
    BOOL RemoveFromGraph(CFilterWrapper* wrapper);
    BOOL RemoveFromGraphByName(const char* name);
    void RemoveWrapper(CFilterWrapper* wrapper);
    void RemoveAllWrappers();
    // Stops and takes every wrapper's filter out of the graph; the wrappers stay listed.
    virtual void RemoveAllFromGraph();
    CFilterWrapper* FindWrapper(const char* name);
    CFilterWrapper* FindWrapperByFilter(IBaseFilter* filter);
    CFilterWrapper* GetFirstWrapper() const { return m_firstWrapper; }

    // Connects two free pins, letting the graph insert converters; both records then name
    // each other as peers.
    BOOL Connect(CFilterPin* output, CFilterPin* input);
    // An empty or null pin name means the first free pin of that direction.
    BOOL ConnectFilters(CFilterWrapper* source, CFilterWrapper* destination, const char* outputName,
                        const char* inputName);
    // Breaks the pin's connection in the graph and in the pin records.
    void DisconnectPin(CFilterPin* pin);
    void DisconnectWrapper(CFilterWrapper* wrapper);
    void StopAndDisconnectAll();
    // Keeps stopping the graph and retrying until the graph disconnects the pin (at most
    // 200 tries, 200 ms apart).
    void DisconnectWithRetry(IPin* pin);
    BOOL RenderPin(CFilterPin* pin, DWORD flags);
    void RefreshAllPins();

    HRESULT SetState(int state);
    BOOL Run();
    BOOL Pause();
    BOOL Stop();
    int GetState() const { return m_state; }

    HRESULT ShowVideo(BOOL show);
    BOOL IsVideoVisible();
    HRESULT SetVideoOwner(HWND owner);
    HRESULT SetMessageDrain(HWND drain);
    HRESULT SetVideoWindowStyle(long style);
    HRESULT SetVideoPosition(long left, long top, long right, long bottom);
    HRESULT GetVideoPosition(POINT* position, SIZE* size);

    HRESULT GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long milliseconds);
    HRESULT SetNotifyWindow(HWND window, long message, LONG_PTR instanceData);
    HRESULT FreeEventParams(long code, LONG_PTR param1, LONG_PTR param2);
    // Turns the pending size-change, pause and abort events into WM_GRAPH_EVENT for window.
    // Nothing in the program starts it.
    HRESULT DrainEvents(HWND window);

    HRESULT SetRate(double rate);
    // In 100 ns units; 0 when the graph cannot tell.
    LONGLONG GetCurrentPosition();
    LONGLONG GetDuration();
    LONGLONG GetStopPosition();
    HRESULT SetCurrentPosition(LONGLONG position);
    HRESULT GetCurrentImage(long* size, long* image);
    HRESULT SyncUsingStreamOffset(BOOL useOffset);

    static BOOL GetFilterClassId(IBaseFilter* filter, CLSID* clsid);
    // Wraps a filter that stands in the graph without a wrapper; the filter is not added again.
    BOOL WrapFilter(IBaseFilter* filter);
    BOOL WrapAllFilters();

    // The FriendlyNames of one kind of device in the builder's table (at most 64, each cut to
    // 127 bytes), or null when there is none. The table is overwritten by the next call.
    const DeviceName* EnumDeviceNames(int kind, int* count);

    IGraphBuilder* GetGraph() const { return m_graph.Get(); }
    ICaptureGraphBuilder2* GetCaptureBuilder() const { return m_captureBuilder.Get(); }

private:
    CGraphBuilder(const CGraphBuilder&);
    CGraphBuilder& operator=(const CGraphBuilder&);

    BOOL MakeInterfaces();
    void ReleaseInterfaces();
    CFilterWrapper* Adopt(CFilterWrapper* wrapper, const char* name);
    void PushWrapper(CFilterWrapper* wrapper);
    BOOL UnlinkWrapper(CFilterWrapper* wrapper);
    HRESULT PostAbortEvent(HWND window, LONG_PTR result, LONG_PTR param2);

    DeviceName m_deviceNames[kMaxDeviceNames];
    CFilterWrapper* m_firstWrapper;

    CComRef<ICaptureGraphBuilder2> m_captureBuilder;
    CComRef<IGraphBuilder> m_graph;
    CComRef<IMediaEventEx> m_events;
    CComRef<IMediaControl> m_control;
    CComRef<IVideoWindow> m_videoWindow;
    CComRef<IMediaSeeking> m_seeking;
    CComRef<IBasicVideo> m_basicVideo;
    // Optional: Wine's filter graph has none.
    CComRef<IAMGraphStreams> m_graphStreams;

    int m_state;
    BOOL m_initialised;

    static char s_lastError[kLastErrorSize];
};

// The FriendlyNames of a device category, in the enumerator's order, appended to names.
// S_FALSE (names unchanged) when the category has no device.
HRESULT ListDeviceNames(REFCLSID category, CStringList& names);
