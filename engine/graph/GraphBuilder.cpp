// The framework first: its text headers must come before the SDK's safe-string header.
#include <afx.h>
#include <afxcoll.h>

#include "GraphBuilder.h"

#include "AppMessages.h"
#include "FilterClassRecord.h"
#include "NameBuffer.h"

#include <cstring>
#include <vector>

namespace
{
// lParam of WM_GRAPH_EVENT: which graph event it reports.
const LPARAM kEventDiskFull = 4661;
const LPARAM kEventVideoSize = 4662;
const LPARAM kEventPaused = 4663;
const LPARAM kEventAbort = 4664;
const HRESULT kDiskFull = (HRESULT)0x80070070;

// An event parameter carries a 32-bit value (an HRESULT, a packed size) in a LONG_PTR: a 64-bit
// build sees it sign- or zero-extended as the sender cast it, so only its low 32 bits count,
// and wParam gets them as a 32-bit build would.
DWORD EventValue(LONG_PTR param)
{
    return (DWORD)(DWORD_PTR)param;
}

const int kDisconnectTries = 200;
const DWORD kDisconnectPauseMs = 200;

// Not every interface of the SDK's headers names its identifier for __uuidof.
template <class T>
HRESULT Query(IUnknown* object, REFIID iid, CComRef<T>& result)
{
    result.Reset();
    return object ? object->QueryInterface(iid, result.ReceiveVoid()) : E_POINTER;
}

// Breaks whatever connection the pin has in the graph, from both ends.
void BreakConnection(IPin* pin)
{
    CComRef<IPin> other;
    if (pin == NULL || pin->ConnectedTo(other.Receive()) != S_OK || !other)
        return;
    pin->Disconnect();
    other->Disconnect();
}

CComRef<IEnumMoniker> EnumerateCategory(REFCLSID category, HRESULT* result)
{
    CComRef<ICreateDevEnum> devices;
    CComRef<IEnumMoniker> monikers;
    *result = CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                               devices.ReceiveVoid());
    if (SUCCEEDED(*result))
        *result = devices->CreateClassEnumerator(category, monikers.Receive(), 0);
    if (*result != S_OK)
        monikers.Reset();
    return monikers;
}

// The moniker's FriendlyName in the ANSI code page, cut to size; empty when it has none.
void ReadFriendlyName(IMoniker* moniker, char* name, int size)
{
    name[0] = '\0';
    CComRef<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(NULL, NULL, IID_IPropertyBag, bag.ReceiveVoid())))
        return;
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(bag->Read(L"FriendlyName", &value, NULL)) && value.vt == VT_BSTR)
        CNameBuffer::FromWide(name, size, value.bstrVal);
    VariantClear(&value);
}
}

char CGraphBuilder::s_lastError[kLastErrorSize];

CGraphBuilder::CGraphBuilder()
    : m_firstWrapper(NULL)
    , m_state(kStopped)
    , m_initialised(FALSE)
{
    memset(m_deviceNames, 0, sizeof(m_deviceNames));
    MakeGraph();
}

CGraphBuilder::~CGraphBuilder()
{
    TearDown();
}

BOOL CGraphBuilder::MakeGraph()
{
    if (m_initialised)
        TearDown();
    if (FAILED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)))
        return FALSE;
    m_initialised = TRUE;
    m_firstWrapper = NULL;
    m_state = kStopped;
    if (MakeInterfaces())
        return TRUE;
    TearDown();
    return FALSE;
}

BOOL CGraphBuilder::MakeInterfaces()
{
    const char* failure = NULL;
    if (FAILED(CoCreateInstance(CLSID_CaptureGraphBuilder2, NULL, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                                m_captureBuilder.ReceiveVoid())))
        failure = "MakeBuilder() fail : Cannot instantiate graph builder";
    else if (FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     m_graph.ReceiveVoid())))
        failure = "MakeGraph() fail : Cannot instantiate filtergraph";
    else if (FAILED(m_captureBuilder->SetFiltergraph(m_graph.Get())))
        failure = "Cannot give graph to builder";
    else if (FAILED(Query(m_graph.Get(), IID_IMediaEventEx, m_events)))
        failure = "Cannot get IID_IMediaEventEx interface";
    else if (FAILED(Query(m_graph.Get(), IID_IMediaControl, m_control)))
        failure = "Cannot get IID_IMediaControl interface";
    else if (FAILED(Query(m_graph.Get(), IID_IVideoWindow, m_videoWindow)))
        failure = "Cannot get IVideoWindow interface";
    else if (FAILED(Query(m_graph.Get(), IID_IMediaSeeking, m_seeking)))
        failure = "Cannot get IID_IMediaSeeking interface";
    else if (FAILED(Query(m_control.Get(), IID_IBasicVideo, m_basicVideo)))
        failure = "Cannot get IID_IBasicVideo interface";
    if (failure) {
        lstrcpynA(s_lastError, failure, sizeof(s_lastError));
        return FALSE;
    }
    // Stream offsets are a refinement; without the interface the graph still runs.
    Query(m_graph.Get(), IID_IAMGraphStreams, m_graphStreams);
    return TRUE;
}

void CGraphBuilder::TearDown()
{
    if (!m_initialised)
        return;
    SetState(kStopped);
    if (m_videoWindow) {
        m_videoWindow->put_Visible(OAFALSE);
        m_videoWindow->put_Owner((OAHWND)0);
    }
    RemoveAllWrappers();
    ReleaseInterfaces();
    m_state = kStopped;
    m_initialised = FALSE;
    CoUninitialize();
}

void CGraphBuilder::ReleaseInterfaces()
{
    m_basicVideo.Reset();
    m_seeking.Reset();
    m_videoWindow.Reset();
    m_control.Reset();
    m_events.Reset();
    m_graph.Reset();
    m_captureBuilder.Reset();
    m_graphStreams.Reset();
}

CFilterWrapper* CGraphBuilder::AddFilter(REFCLSID clsid, const char* name)
{
    if (name == NULL)
        return NULL;
    CFilterClassRecord* record = CFilterClassRecord::First();
    while (record && !record->MatchClsid(clsid))
        record = record->GetNext();
    return Adopt(record ? record->Create(this, 0) : new CFilterWrapper(this, clsid), name);
}

CFilterWrapper* CGraphBuilder::AddFilterByName(REFCLSID category, const char* friendlyName, const char* name,
                                               int matchMode, int deviceIndex)
{
    if (name == NULL)
        return NULL;
    CFilterClassRecord* record = CFilterClassRecord::First();
    while (record && !record->MatchCategoryAndName(category, friendlyName))
        record = record->GetNext();
    CFilterWrapper::SetDeviceIndex(deviceIndex);
    return Adopt(record ? record->Create(this, matchMode) : new CFilterWrapper(this, category, friendlyName, 0),
                 name);
}

// Takes a newly made wrapper into the graph and the list, or deletes it.
CFilterWrapper* CGraphBuilder::Adopt(CFilterWrapper* wrapper, const char* name)
{
    if (wrapper == NULL)
        return NULL;
    if (!wrapper->IsValid()) {
        delete wrapper;
        return NULL;
    }
    wrapper->SetName(name);
    if (!AddToGraph(wrapper)) {
        delete wrapper;
        return NULL;
    }
    PushWrapper(wrapper);
    return wrapper;
}

void CGraphBuilder::PushWrapper(CFilterWrapper* wrapper)
{
    wrapper->SetNext(m_firstWrapper);
    m_firstWrapper = wrapper;
}

BOOL CGraphBuilder::UnlinkWrapper(CFilterWrapper* wrapper)
{
    CFilterWrapper* previous = NULL;
    for (CFilterWrapper* current = m_firstWrapper; current; previous = current, current = current->GetNext()) {
        if (current != wrapper)
            continue;
        if (previous)
            previous->SetNext(current->GetNext());
        else
            m_firstWrapper = current->GetNext();
        current->SetNext(NULL);
        return TRUE;
    }
    return FALSE;
}

BOOL CGraphBuilder::AddToGraph(CFilterWrapper* wrapper)
{
    if (!m_graph || wrapper == NULL || wrapper->GetFilter() == NULL)
        return FALSE;
    WCHAR name[MAX_FILTER_NAME] = L"";
    MultiByteToWideChar(CP_ACP, 0, wrapper->GetName(), -1, name, MAX_FILTER_NAME - 1);
    HRESULT hr = m_graph->AddFilter(wrapper->GetFilter(), name);
    return hr == S_OK || hr == VFW_S_DUPLICATE_NAME;
}

BOOL CGraphBuilder::RemoveFromGraph(CFilterWrapper* wrapper)
{
    if (!m_graph || wrapper == NULL || !wrapper->IsInGraph())
        return FALSE;
    return m_graph->RemoveFilter(wrapper->GetFilter()) == S_OK;
}

BOOL CGraphBuilder::RemoveFromGraphByName(const char* name)
{
    return RemoveFromGraph(FindWrapper(name));
}

void CGraphBuilder::RemoveWrapper(CFilterWrapper* wrapper)
{
    // Only wrappers of this builder's list are its to delete.
    if (wrapper == NULL || !UnlinkWrapper(wrapper))
        return;
    DisconnectWrapper(wrapper);
    RemoveFromGraph(wrapper);
    delete wrapper;
}

void CGraphBuilder::RemoveAllWrappers()
{
    Stop();
    while (m_firstWrapper)
        RemoveWrapper(m_firstWrapper);
}

void CGraphBuilder::RemoveAllFromGraph()
{
    Stop();
    StopAndDisconnectAll();
    for (CFilterWrapper* wrapper = m_firstWrapper; wrapper; wrapper = wrapper->GetNext())
        RemoveFromGraph(wrapper);
}

CFilterWrapper* CGraphBuilder::FindWrapper(const char* name)
{
    if (name == NULL)
        return NULL;
    for (CFilterWrapper* wrapper = m_firstWrapper; wrapper; wrapper = wrapper->GetNext()) {
        if (strcmp(wrapper->GetName(), name) == 0)
            return wrapper;
    }
    return NULL;
}

CFilterWrapper* CGraphBuilder::FindWrapperByFilter(IBaseFilter* filter)
{
    for (CFilterWrapper* wrapper = m_firstWrapper; wrapper; wrapper = wrapper->GetNext()) {
        if (wrapper->GetFilter() == filter)
            return wrapper;
    }
    return NULL;
}

BOOL CGraphBuilder::Connect(CFilterPin* output, CFilterPin* input)
{
    if (!m_graph || output == NULL || input == NULL || output->GetPeer() || input->GetPeer())
        return FALSE;
    if (FAILED(m_graph->Connect(output->GetPin(), input->GetPin())))
        return FALSE;
    output->SetPeer(input);
    input->SetPeer(output);
    CFilterWrapper* source = output->GetOwner();
    CFilterWrapper* destination = input->GetOwner();
    source->RefreshPins();
    destination->RefreshPins();
    return TRUE;
}

BOOL CGraphBuilder::ConnectFilters(CFilterWrapper* source, CFilterWrapper* destination, const char* outputName,
                                   const char* inputName)
{
    if (source == NULL || destination == NULL)
        return FALSE;
    CFilterPin* output = (outputName && *outputName) ? source->FindPin(outputName) : source->FindFreePin(1, TRUE);
    CFilterPin* input = (inputName && *inputName) ? destination->FindPin(inputName)
                                                  : destination->FindFreePin(0, TRUE);
    if (output == NULL || input == NULL)
        return FALSE;
    return Connect(output, input);
}

void CGraphBuilder::DisconnectPin(CFilterPin* pin)
{
    if (pin == NULL)
        return;
    CFilterPin* peer = pin->GetPeer();
    BreakConnection(pin->GetPin());
    if (peer == NULL)
        return;
    // With converters between them, the peer is connected to a converter, not to this pin.
    BreakConnection(peer->GetPin());
    pin->SetPeer(NULL);
    peer->SetPeer(NULL);
    // A refresh may delete records that lost their pin: this one too.
    CFilterWrapper* owner = pin->GetOwner();
    CFilterWrapper* peerOwner = peer->GetOwner();
    owner->RefreshPins();
    peerOwner->RefreshPins();
}

void CGraphBuilder::DisconnectWrapper(CFilterWrapper* wrapper)
{
    if (wrapper == NULL)
        return;
    // Disconnecting refreshes pin lists, which may drop records: walk the pins, not the records.
    std::vector<CComRef<IPin> > pins;
    for (CFilterPin* pin = wrapper->GetFirstPin(); pin; pin = pin->GetNext())
        pins.push_back(pin->GetPin());
    for (size_t i = 0; i < pins.size(); ++i)
        DisconnectPin(wrapper->FindPinByIPin(pins[i].Get()));
}

void CGraphBuilder::StopAndDisconnectAll()
{
    Stop();
    for (CFilterWrapper* wrapper = m_firstWrapper; wrapper; wrapper = wrapper->GetNext())
        DisconnectWrapper(wrapper);
}

void CGraphBuilder::DisconnectWithRetry(IPin* pin)
{
    if (!m_graph || pin == NULL)
        return;
    for (int attempt = 0; attempt < kDisconnectTries; ++attempt) {
        if (m_graph->Disconnect(pin) == S_OK)
            return;
        SetState(kStopped);
        Stop();
        Sleep(kDisconnectPauseMs);
    }
}

BOOL CGraphBuilder::RenderPin(CFilterPin* pin, DWORD flags)
{
    if (!m_graph || pin == NULL)
        return FALSE;
    HRESULT hr = E_NOINTERFACE;
    CComRef<IFilterGraph2> graph;
    if (SUCCEEDED(Query(m_graph.Get(), IID_IFilterGraph2, graph)))
        hr = graph->RenderEx(pin->GetPin(), flags, NULL);
    RefreshAllPins();
    return hr >= 0;
}

void CGraphBuilder::RefreshAllPins()
{
    for (CFilterWrapper* wrapper = m_firstWrapper; wrapper; wrapper = wrapper->GetNext()) {
        if (wrapper->HasDynamicPins())
            wrapper->RefreshPins();
    }
}

HRESULT CGraphBuilder::SetState(int state)
{
    if (!m_control)
        return E_POINTER;
    HRESULT hr;
    switch (state) {
    case kStopped:
        hr = m_control->Stop();
        break;
    case kRunning:
        hr = m_control->Run();
        break;
    case kPaused:
        hr = m_control->Pause();
        break;
    default:
        return E_FAIL;
    }
    if (SUCCEEDED(hr))
        m_state = state;
    return hr;
}

BOOL CGraphBuilder::Run()
{
    return m_state == kRunning || SUCCEEDED(SetState(kRunning));
}

BOOL CGraphBuilder::Pause()
{
    return m_state == kPaused || SUCCEEDED(SetState(kPaused));
}

BOOL CGraphBuilder::Stop()
{
    return m_state == kStopped || SUCCEEDED(SetState(kStopped));
}

HRESULT CGraphBuilder::ShowVideo(BOOL show)
{
    return m_videoWindow ? m_videoWindow->put_Visible(show ? OATRUE : OAFALSE) : E_POINTER;
}

BOOL CGraphBuilder::IsVideoVisible()
{
    long visible = OAFALSE;
    return m_videoWindow && SUCCEEDED(m_videoWindow->get_Visible(&visible)) && visible == OATRUE;
}

HRESULT CGraphBuilder::SetVideoOwner(HWND owner)
{
    return m_videoWindow ? m_videoWindow->put_Owner((OAHWND)owner) : E_POINTER;
}

HRESULT CGraphBuilder::SetMessageDrain(HWND drain)
{
    return m_videoWindow ? m_videoWindow->put_MessageDrain((OAHWND)drain) : E_POINTER;
}

HRESULT CGraphBuilder::SetVideoWindowStyle(long style)
{
    return m_videoWindow ? m_videoWindow->put_WindowStyle(style) : E_POINTER;
}

HRESULT CGraphBuilder::SetVideoPosition(long left, long top, long right, long bottom)
{
    return m_videoWindow ? m_videoWindow->SetWindowPosition(left, top, right - left, bottom - top) : E_POINTER;
}

HRESULT CGraphBuilder::GetVideoPosition(POINT* position, SIZE* size)
{
    if (!m_videoWindow || position == NULL || size == NULL)
        return E_POINTER;
    return m_videoWindow->GetWindowPosition(&position->x, &position->y, &size->cx, &size->cy);
}

HRESULT CGraphBuilder::GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long milliseconds)
{
    return m_events ? m_events->GetEvent(code, param1, param2, milliseconds) : E_POINTER;
}

HRESULT CGraphBuilder::SetNotifyWindow(HWND window, long message, LONG_PTR instanceData)
{
    return m_events ? m_events->SetNotifyWindow((OAHWND)window, message, instanceData) : E_POINTER;
}

HRESULT CGraphBuilder::FreeEventParams(long code, LONG_PTR param1, LONG_PTR param2)
{
    return m_events ? m_events->FreeEventParams(code, param1, param2) : E_POINTER;
}

HRESULT CGraphBuilder::DrainEvents(HWND window)
{
    if (!m_events)
        return S_OK;
    for (;;) {
        long code = 0;
        LONG_PTR param1 = 0, param2 = 0;
        HRESULT hr = m_events->GetEvent(&code, &param1, &param2, 0);
        if (hr != S_OK)
            return hr;
        if (code == EC_ERRORABORT) {
            if ((HRESULT)EventValue(param1) == kDiskFull)
                PostMessageA(window, WM_GRAPH_EVENT, 0, kEventDiskFull);
            else
                PostMessageA(window, WM_GRAPH_EVENT, EventValue(param1), kEventAbort);
            return m_events->FreeEventParams(code, param1, param2);
        }
        if (code == EC_VIDEO_SIZE_CHANGED)
            PostMessageA(window, WM_GRAPH_EVENT, EventValue(param1), kEventVideoSize);
        else if (code == EC_PAUSED)
            PostMessageA(window, WM_GRAPH_EVENT, 0, kEventPaused);
        m_events->FreeEventParams(code, param1, param2);
    }
}

HRESULT CGraphBuilder::SetRate(double rate)
{
    return m_seeking ? m_seeking->SetRate(rate) : E_POINTER;
}

LONGLONG CGraphBuilder::GetCurrentPosition()
{
    LONGLONG position = 0;
    return m_seeking && SUCCEEDED(m_seeking->GetCurrentPosition(&position)) ? position : 0;
}

LONGLONG CGraphBuilder::GetDuration()
{
    LONGLONG duration = 0;
    return m_seeking && SUCCEEDED(m_seeking->GetDuration(&duration)) ? duration : 0;
}

LONGLONG CGraphBuilder::GetStopPosition()
{
    LONGLONG position = 0;
    return m_seeking && SUCCEEDED(m_seeking->GetStopPosition(&position)) ? position : 0;
}

HRESULT CGraphBuilder::SetCurrentPosition(LONGLONG position)
{
    if (!m_seeking)
        return E_POINTER;
    return m_seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, NULL, AM_SEEKING_NoPositioning);
}

HRESULT CGraphBuilder::GetCurrentImage(long* size, long* image)
{
    return m_basicVideo ? m_basicVideo->GetCurrentImage(size, image) : E_POINTER;
}

HRESULT CGraphBuilder::SyncUsingStreamOffset(BOOL useOffset)
{
    return m_graphStreams ? m_graphStreams->SyncUsingStreamOffset(useOffset) : E_POINTER;
}

BOOL CGraphBuilder::GetFilterClassId(IBaseFilter* filter, CLSID* clsid)
{
    CComRef<IPersist> persist;
    if (filter == NULL || FAILED(filter->QueryInterface(IID_IPersist, persist.ReceiveVoid())))
        return FALSE;
    return SUCCEEDED(persist->GetClassID(clsid));
}

BOOL CGraphBuilder::WrapFilter(IBaseFilter* filter)
{
    if (filter == NULL || FindWrapperByFilter(filter))
        return FALSE;
    FILTER_INFO info;
    if (FAILED(filter->QueryFilterInfo(&info)))
        return FALSE;
    char name[CFilterWrapper::kNameSize];
    CNameBuffer::FromWide(name, sizeof(name), info.achName);
    if (info.pGraph)
        info.pGraph->Release();
    CLSID clsid;
    if (!GetFilterClassId(filter, &clsid))
        return FALSE;
    // The wrapper holds the graph's own filter: a record's class would make a new filter of
    // that class, which stands in no graph.
    CFilterWrapper* wrapper = new CFilterWrapper(this, filter);
    if (!wrapper->IsValid()) {
        delete wrapper;
        return FALSE;
    }
    wrapper->SetName(name);
    wrapper->RefreshPins();
    PushWrapper(wrapper);
    return TRUE;
}

BOOL CGraphBuilder::WrapAllFilters()
{
    CComRef<IFilterGraph> graph;
    CComRef<IEnumFilters> filters;
    if (FAILED(Query(m_graph.Get(), IID_IFilterGraph, graph)) || FAILED(graph->EnumFilters(filters.Receive())))
        return FALSE;
    CComRef<IBaseFilter> filter;
    while (filters->Next(1, filter.Receive(), NULL) == S_OK)
        WrapFilter(filter.Get());
    return TRUE;
}

const CGraphBuilder::DeviceName* CGraphBuilder::EnumDeviceNames(int kind, int* count)
{
    static const CLSID* const kCategories[] = {
        &CLSID_AudioInputDeviceCategory,  // kAudioCapture
        &CLSID_VideoInputDeviceCategory,  // kVideoCapture
        &CLSID_AudioCompressorCategory,   // kAudioCompressor
        &CLSID_VideoCompressorCategory,   // kVideoCompressor
    };
    memset(m_deviceNames, 0, sizeof(m_deviceNames));
    if (count)
        *count = 0;
    if (kind < 0 || kind >= (int)(sizeof(kCategories) / sizeof(kCategories[0])))
        return NULL;
    HRESULT hr;
    CComRef<IEnumMoniker> monikers = EnumerateCategory(*kCategories[kind], &hr);
    int found = 0;
    CComRef<IMoniker> moniker;
    while (monikers && found < kMaxDeviceNames && monikers->Next(1, moniker.Receive(), NULL) == S_OK)
        ReadFriendlyName(moniker.Get(), m_deviceNames[found++], kDeviceNameSize);
    if (count)
        *count = found;
    return found ? m_deviceNames : NULL;
}

HRESULT ListDeviceNames(REFCLSID category, CStringList& names)
{
    HRESULT hr;
    CComRef<IEnumMoniker> monikers = EnumerateCategory(category, &hr);
    if (hr != S_OK)
        return hr;
    CComRef<IMoniker> moniker;
    while (monikers->Next(1, moniker.Receive(), NULL) == S_OK) {
        char name[CGraphBuilder::kDeviceNameSize];
        ReadFriendlyName(moniker.Get(), name, sizeof(name));
        if (name[0] != '\0')
            names.AddTail(CString(name));
    }
    return S_OK;
}
