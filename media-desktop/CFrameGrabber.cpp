// The framework's headers come before the system's DirectShow headers (tchar.h before strsafe.h).
#include "ModulePaths.h"

#include "CFrameGrabber.h"

namespace {

// qedit's Sample Grabber, which mingw-w64's headers do not name.
const CLSID kClsidSampleGrabber = {0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// Releases on scope exit: every interface of a grab is let go on each road out.
template <typename T>
class ComPtr
{
public:
    ComPtr() : m_p(NULL) {}
    ~ComPtr()
    {
        if (m_p)
            m_p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    void** Out() { return (void**)&m_p; }
    T** Address() { return &m_p; }

private:
    T* m_p;
};

// The n-th pin of that direction; NULL when there is none.
IPin* GetPin(IBaseFilter* filter, PIN_DIRECTION direction, int n)
{
    IEnumPins* pins = NULL;
    if (FAILED(filter->EnumPins(&pins)))
        return NULL;
    IPin* pin = NULL;
    IPin* found = NULL;
    while (!found && pins->Next(1, &pin, NULL) == S_OK) {
        PIN_DIRECTION dir;
        if (SUCCEEDED(pin->QueryDirection(&dir)) && dir == direction && n-- == 0)
            found = pin;
        else
            pin->Release();
    }
    pins->Release();
    return found;
}

void FreeMediaType(AM_MEDIA_TYPE& type)
{
    if (type.cbFormat)
        CoTaskMemFree(type.pbFormat);
    if (type.pUnk)
        type.pUnk->Release();
    type.pbFormat = NULL;
    type.cbFormat = 0;
    type.pUnk = NULL;
}

}  // namespace

CFrameGrabber::CFrameGrabber() : m_width(0), m_height(0), m_timeoutMs(kDefaultTimeoutMs)
{
}

CFrameGrabber::~CFrameGrabber()
{
}

STDMETHODIMP CFrameGrabber::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = NULL;
    if (iid != IID_IUnknown && iid != __uuidof(ISampleGrabberCB))
        return E_NOINTERFACE;
    *out = static_cast<ISampleGrabberCB*>(this);
    return S_OK;
}

STDMETHODIMP CFrameGrabber::SampleCB(double, IMediaSample*)
{
    return S_OK;
}

STDMETHODIMP CFrameGrabber::BufferCB(double sampleTime, BYTE* buffer, long size)
{
    return SaveBitmap(sampleTime, buffer, size);
}

HRESULT CFrameGrabber::SaveBitmap(double, BYTE* buffer, long size)
{
    if (!buffer || size < 0)
        return S_OK;
    CString path = GetModuleDir() + "\\Grab.bmp";
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return S_OK;
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fileHeader.bfSize = fileHeader.bfOffBits + size;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = m_width;
    info.biHeight = m_height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    DWORD written;
    WriteFile(file, &fileHeader, sizeof(fileHeader), &written, NULL);
    WriteFile(file, &info, sizeof(info), &written, NULL);
    WriteFile(file, buffer, size, &written, NULL);
    CloseHandle(file);
    return S_OK;
}

BOOL CFrameGrabber::GrabFrame(LPCSTR path)
{
    m_width = 0;
    m_height = 0;
    ComPtr<IBaseFilter> grabberFilter;
    ComPtr<ISampleGrabber> grabber;
    ComPtr<IBaseFilter> source;
    ComPtr<IGraphBuilder> graph;
    if (!path
        || FAILED(CoCreateInstance(kClsidSampleGrabber, NULL, CLSCTX_INPROC_SERVER,
                                   __uuidof(ISampleGrabber), grabber.Out()))
        || FAILED(grabber->QueryInterface(IID_IBaseFilter, grabberFilter.Out()))
        || FAILED(CoCreateInstance(CLSID_AsyncReader, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                   source.Out()))
        || FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                   graph.Out())))
        return FALSE;
    if (FAILED(graph->AddFilter(source.Get(), L"Source"))
        || FAILED(graph->AddFilter(grabberFilter.Get(), L"Grabber")))
        return FALSE;

    WCHAR widePath[MAX_PATH];
    ComPtr<IFileSourceFilter> fileSource;
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH)
        || FAILED(source->QueryInterface(IID_IFileSourceFilter, fileSource.Out()))
        || FAILED(fileSource->Load(widePath, NULL)))
        return FALSE;

    AM_MEDIA_TYPE type = {};
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB32;
    if (FAILED(grabber->SetMediaType(&type)))
        return FALSE;

    ComPtr<IPin> sourceOut;
    ComPtr<IPin> grabberIn;
    ComPtr<IPin> grabberOut;
    *sourceOut.Address() = GetPin(source.Get(), PINDIR_OUTPUT, 0);
    *grabberIn.Address() = GetPin(grabberFilter.Get(), PINDIR_INPUT, 0);
    *grabberOut.Address() = GetPin(grabberFilter.Get(), PINDIR_OUTPUT, 0);
    if (!sourceOut.Get() || !grabberIn.Get() || !grabberOut.Get()
        || FAILED(graph->Connect(sourceOut.Get(), grabberIn.Get()))
        || FAILED(graph->Render(grabberOut.Get())))
        return FALSE;

    AM_MEDIA_TYPE connected = {};
    if (FAILED(grabber->GetConnectedMediaType(&connected)))
        return FALSE;
    if (connected.formattype == FORMAT_VideoInfo && connected.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        const VIDEOINFOHEADER* video = (const VIDEOINFOHEADER*)connected.pbFormat;
        m_width = video->bmiHeader.biWidth;
        m_height = video->bmiHeader.biHeight;
    }
    FreeMediaType(connected);

    grabber->SetBufferSamples(FALSE);
    grabber->SetOneShot(TRUE);
    grabber->SetCallback(this, 1);

    ComPtr<IVideoWindow> window;
    if (SUCCEEDED(graph->QueryInterface(IID_IVideoWindow, window.Out())))
        window->put_AutoShow(OAFALSE);
    ComPtr<IMediaSeeking> seeking;
    LONGLONG start = 0;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaSeeking, seeking.Out())))
        seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, NULL, AM_SEEKING_NoPositioning);
    ComPtr<IMediaControl> control;
    ComPtr<IMediaEvent> events;
    if (FAILED(graph->QueryInterface(IID_IMediaControl, control.Out()))
        || FAILED(graph->QueryInterface(IID_IMediaEvent, events.Out()))
        || FAILED(control->Run()))
        return FALSE;
    // A graph that never ends must not hold the desktop: it is stopped after the time-out.
    long code = 0;
    const HRESULT waited = events->WaitForCompletion(m_timeoutMs, &code);
    control->Stop();
    grabber->SetCallback(NULL, 1);
    return waited == S_OK && code == EC_COMPLETE;
}
