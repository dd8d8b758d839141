#include "StandInGraph.h"

#include "AmMediaType.h"
#include "SimDeviceSupport.h"

namespace
{
const CLSID CLSID_SampleGrabberFilter = { 0xC1F400A0, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
const CLSID CLSID_NullRendererFilter = { 0xC1F400A4, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
const DWORD WAIT_MS = 20000;

// A named pin, or the filter's first pin of that direction when name is null.
HRESULT FindPin(IBaseFilter* filter, const WCHAR* name, PIN_DIRECTION direction, CComRef<IPin>& pin);
}

STDMETHODIMP SampleCollector::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISampleGrabberCB)) {
        *out = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP SampleCollector::SampleCB(double, IMediaSample* sample)
{
    GrabbedSample grabbed;
    sample->GetTime(&grabbed.start, &grabbed.stop);
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    grabbed.bytes.assign(data, data + sample->GetActualDataLength());
    std::lock_guard<std::mutex> guard(m_lock);
    // Only the recent past matters to the tests.
    if (m_samples.size() >= 16)
        m_samples.erase(m_samples.begin());
    m_samples.push_back(std::move(grabbed));
    ++m_total;
    return S_OK;
}

bool SampleCollector::WaitForNext(size_t count, GrabbedSample* last)
{
    size_t target;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        target = m_total + count;
    }
    for (DWORD waited = 0; waited < WAIT_MS; waited += 10) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_total >= target) {
                if (last)
                    *last = m_samples.back();
                return true;
            }
        }
        Sleep(10);
    }
    return false;
}

std::vector<GrabbedSample> SampleCollector::Samples()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_samples;
}

StandInGraph::StandInGraph() = default;

StandInGraph::~StandInGraph()
{
    Stop();
    m_graph.Reset();
    m_capture.Reset();
    m_tuner.Reset();
    m_audio.Reset();
    if (m_cardInstalled)
        SimControl::Install(FALSE, L"card=5");
}

HRESULT StandInGraph::AddCard(LONG width, LONG height)
{
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  m_graph.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    SimControl::Install(FALSE, L"card=5");
    hr = SimControl::Install(TRUE, L"card=5");
    if (FAILED(hr))
        return hr;
    m_cardInstalled = true;
    SimControl control(CARD);
    control.Run("reset");
    hr = control.Run("tv 49750 471250");
    if (FAILED(hr))
        return hr;
    m_tuner = SimDevices::Bind(AM_KSCATEGORY_TVTUNER, "Conexant 2388x_1 Tuner", CARD);
    m_capture = SimDevices::Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture", CARD);
    if (!m_tuner || !m_capture)
        return E_FAIL;
    hr = Tune();
    if (SUCCEEDED(hr))
        hr = Add(m_capture.Get(), L"Capture");
    CComRef<IPin> pin;
    if (SUCCEEDED(hr))
        hr = m_capture->FindPin(L"Capture", pin.Receive());
    CComRef<IAMStreamConfig> config;
    if (SUCCEEDED(hr))
        hr = pin->QueryInterface(IID_IAMStreamConfig, config.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    VIDEOINFOHEADER v = {};
    v.AvgTimePerFrame = 400000;
    v.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    v.bmiHeader.biWidth = width;
    v.bmiHeader.biHeight = height;
    v.bmiHeader.biPlanes = 1;
    v.bmiHeader.biBitCount = 16;
    v.bmiHeader.biCompression = MAKEFOURCC('Y', 'U', 'Y', '2');
    v.bmiHeader.biSizeImage = width * height * 2;
    CAmMediaType type;
    type.SetVideoInfo(MEDIASUBTYPE_YUY2, v);
    return config->SetFormat(&type);
}

HRESULT StandInGraph::AddCardAudio()
{
    m_audio = SimDevices::Bind(CLSID_AudioInputDeviceCategory, "Conexant 2388x_1 Audio Capture", CARD);
    return m_audio ? Add(m_audio.Get(), L"Audio Capture") : E_FAIL;
}

// 49750 kHz, the first station: the divider bytes the card's tuner profile decodes.
HRESULT StandInGraph::Tune()
{
    SimFilterRequests bus(m_tuner.Get());
    return bus.Write({ 0xC0, 0x05, 0x8A, 0xCE, 0xA0 });
}

HRESULT StandInGraph::Add(IBaseFilter* filter, const WCHAR* name)
{
    return m_graph->AddFilter(filter, name);
}

HRESULT StandInGraph::AddNew(REFCLSID clsid, const WCHAR* name, CComRef<IBaseFilter>* filter)
{
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter->ReceiveVoid());
    return SUCCEEDED(hr) ? Add(filter->Get(), name) : hr;
}

namespace
{
HRESULT FindPin(IBaseFilter* filter, const WCHAR* name, PIN_DIRECTION direction, CComRef<IPin>& pin)
{
    if (name != nullptr)
        return filter->FindPin(name, pin.Receive());
    CComRef<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(pins.Receive());
    while (SUCCEEDED(hr) && pins->Next(1, pin.Receive(), nullptr) == S_OK) {
        PIN_DIRECTION found;
        if (SUCCEEDED(pin->QueryDirection(&found)) && found == direction)
            return S_OK;
    }
    pin.Reset();
    return VFW_E_NOT_FOUND;
}
}

HRESULT StandInGraph::Connect(IBaseFilter* from, const WCHAR* output, IBaseFilter* to, const WCHAR* input)
{
    CComRef<IPin> out, in;
    HRESULT hr = FindPin(from, output, PINDIR_OUTPUT, out);
    if (SUCCEEDED(hr))
        hr = FindPin(to, input, PINDIR_INPUT, in);
    if (SUCCEEDED(hr))
        hr = m_graph->ConnectDirect(out.Get(), in.Get(), nullptr);
    return hr;
}

// The first type the output offers with that subtype, connected directly: Wine's sample
// grabber takes whatever is offered first.
HRESULT StandInGraph::ConnectWithSubtype(IBaseFilter* from, const WCHAR* output, IBaseFilter* to, REFGUID subtype)
{
    CComRef<IPin> out, in;
    CComRef<IEnumMediaTypes> types;
    HRESULT hr = FindPin(from, output, PINDIR_OUTPUT, out);
    if (SUCCEEDED(hr))
        hr = FindPin(to, nullptr, PINDIR_INPUT, in);
    if (SUCCEEDED(hr))
        hr = out->EnumMediaTypes(types.Receive());
    AM_MEDIA_TYPE* type = nullptr;
    while (SUCCEEDED(hr) && types->Next(1, &type, nullptr) == S_OK) {
        bool match = IsEqualGUID(type->subtype, subtype);
        if (match)
            hr = m_graph->ConnectDirect(out.Get(), in.Get(), type);
        CAmMediaType::Delete(type);
        if (match)
            return hr;
    }
    return FAILED(hr) ? hr : VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT StandInGraph::Grab(IBaseFilter* from, const WCHAR* output, SampleCollector* collector, const GUID* subtype)
{
    CComRef<IBaseFilter> grabber, sink;
    HRESULT hr = AddNew(CLSID_SampleGrabberFilter, L"Grabber", &grabber);
    if (SUCCEEDED(hr))
        hr = AddNew(CLSID_NullRendererFilter, L"Sink", &sink);
    CComRef<ISampleGrabber> control;
    if (SUCCEEDED(hr))
        hr = grabber->QueryInterface(IID_ISampleGrabber, control.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = control->SetCallback(collector, 0);
    if (SUCCEEDED(hr))
        hr = subtype != nullptr ? ConnectWithSubtype(from, output, grabber.Get(), *subtype)
                                : Connect(from, output, grabber.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = Connect(grabber.Get(), nullptr, sink.Get(), nullptr);
    return hr;
}

HRESULT StandInGraph::Run()
{
    CComRef<IMediaControl> control;
    HRESULT hr = m_graph->QueryInterface(IID_IMediaControl, control.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = control->Run();
    return SUCCEEDED(hr) ? S_OK : hr;
}

HRESULT StandInGraph::Stop()
{
    CComRef<IMediaControl> control;
    if (!m_graph || FAILED(m_graph->QueryInterface(IID_IMediaControl, control.ReceiveVoid())))
        return E_FAIL;
    return control->Stop();
}

DWORD ReadIdWord(const BYTE* yuy2, LONG width, LONG height)
{
    LONG row = height / 16;
    DWORD word = 0;
    for (int cell = 0; cell < 32; ++cell) {
        LONG x = (2 * cell + 1) * width / 64;
        word = word << 1 | (yuy2[(size_t)row * width * 2 + 2 * x] > 128 ? 1 : 0);
    }
    return word;
}

DWORD ReadIdWordBgr(const BYTE* rows, LONG width, LONG height, LONG stride, bool bottomUp)
{
    LONG row = height / 16;
    const BYTE* line = rows + (size_t)(bottomUp ? height - 1 - row : row) * stride;
    DWORD word = 0;
    for (int cell = 0; cell < 32; ++cell) {
        LONG x = (2 * cell + 1) * width / 64;
        word = word << 1 | (line[3 * x + 2] > 128 ? 1 : 0);
    }
    return word;
}
