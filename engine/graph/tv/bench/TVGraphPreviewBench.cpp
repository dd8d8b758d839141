// Preview speed over the simulated card: frames per second and CPU time per frame of the whole
// preview graph (capture, deinterlace, decompressor, renderer into a shown window), next to a
// bare graph that takes the same 640 x 480 YUY2 frames from the capture pin into the null
// renderer. A measurement, not a test: it prints figures and asserts nothing.
#include "TVGraph.h"

#include "RendererPicture.h"
#include "SimDeviceSupport.h"

#include <cstdio>
#include <string>

#include <dshow.h>

namespace
{

const DWORD kWarmUpMs = 2000;
const DWORD kMeasureMs = 10000;
const LONG kWidth = 640;
const LONG kHeight = 480;
const CLSID kNullRendererClsid = {0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

double ProcessCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (k.QuadPart + u.QuadPart) / 1e7;
}

// Dispatches messages for that long: the renderer's window lives on this thread.
void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

DWORD CardFrames()
{
    std::string state;
    SimControl(0).Run("state", &state);
    size_t at = state.find("cap_frames=");
    return at == std::string::npos ? 0 : strtoul(state.c_str() + at + 11, NULL, 10);
}

// The frame number the video window shows, or -1 when it shows no readable picture.
long ShownFrame(HWND owner)
{
    RendererPicture picture;
    DWORD frame = 0;
    if (!picture.GrabWindow(RendererPicture::VideoWindow(owner)) ||
        !picture.Band(RendererPicture::kFrameBand, &frame))
        return -1;
    return (long)frame;
}

struct Figures
{
    DWORD sent;
    long shown;
    double seconds;
    double cpuSeconds;
};

// Card frames, shown frames and CPU time over the measuring time, after the warm-up.
Figures Measure(HWND owner)
{
    PumpFor(kWarmUpMs);
    Figures figures = {};
    DWORD sent = CardFrames();
    long shown = owner ? ShownFrame(owner) : -1;
    double cpu = ProcessCpuSeconds();
    DWORD start = GetTickCount();
    PumpFor(kMeasureMs);
    figures.seconds = (GetTickCount() - start) / 1000.0;
    figures.cpuSeconds = ProcessCpuSeconds() - cpu;
    figures.sent = CardFrames() - sent;
    long shownAfter = owner ? ShownFrame(owner) : -1;
    figures.shown = shown >= 0 && shownAfter >= 0 ? shownAfter - shown : -1;
    return figures;
}

void Print(const char* name, const Figures& f)
{
    printf("%-34s %7.2f frames/s sent", name, f.sent / f.seconds);
    if (f.shown >= 0)
        printf(", %7.2f frames/s shown", f.shown / f.seconds);
    if (f.shown >= 0 && f.sent)
        printf(", %5.3f frames shown per frame sent", (double)f.shown / f.sent);
    printf(", %7.2f ms CPU per frame\n", f.sent ? 1000.0 * f.cpuSeconds / f.sent : 0.0);
}

bool MeasurePreview(Figures* figures)
{
    HWND window = CreateWindowExA(0, "STATIC", "preview", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    CTVGraph graph;
    if (!graph.GetBuilder().MakeGraph())
        return false;
    graph.SetOwnerWnd(window);
    if (!graph.BuildPreview() || !graph.RebuildPreview() || !graph.SetFrequency(471250))
        return false;
    *figures = Measure(window);
    graph.CloseTV();
    DestroyWindow(window);
    return true;
}

// The capture pin's format, at the preview's size and frame rate.
HRESULT SetPreviewFormat(IPin* pin)
{
    CComRef<IAMStreamConfig> config;
    HRESULT hr = pin->QueryInterface(IID_IAMStreamConfig, (void**)config.Receive());
    AM_MEDIA_TYPE* type = NULL;
    if (SUCCEEDED(hr))
        hr = config->GetFormat(&type);
    if (FAILED(hr))
        return hr;
    VIDEOINFOHEADER* info = (VIDEOINFOHEADER*)type->pbFormat;
    info->bmiHeader.biWidth = kWidth;
    info->bmiHeader.biHeight = kHeight;
    info->bmiHeader.biSizeImage = kWidth * kHeight * 2;
    info->AvgTimePerFrame = 400000;
    hr = config->SetFormat(type);
    CoTaskMemFree(type->pbFormat);
    CoTaskMemFree(type);
    return hr;
}

CComRef<IPin> FindPin(IBaseFilter* filter, const wchar_t* name)
{
    CComRef<IPin> pin;
    filter->FindPin(name, pin.Receive());
    return pin;
}

bool MeasureBareGraph(Figures* figures)
{
    CComRef<IGraphBuilder> graph;
    CComRef<IBaseFilter> renderer;
    CComRef<IBaseFilter> capture =
        SimDevices::Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture", 0);
    if (!capture ||
        FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                (void**)graph.Receive())) ||
        FAILED(CoCreateInstance(kNullRendererClsid, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                (void**)renderer.Receive())))
        return false;
    graph->AddFilter(capture.Get(), L"Capture");
    graph->AddFilter(renderer.Get(), L"Null");
    CComRef<IPin> output = FindPin(capture.Get(), L"Capture");
    CComRef<IPin> input = FindPin(renderer.Get(), L"In");
    if (!output || !input || FAILED(SetPreviewFormat(output.Get())) ||
        FAILED(graph->ConnectDirect(output.Get(), input.Get(), NULL)))
        return false;
    CComRef<IMediaControl> control;
    graph->QueryInterface(IID_IMediaControl, (void**)control.Receive());
    if (!control || FAILED(control->Run()))
        return false;
    *figures = Measure(NULL);
    control->Stop();
    return true;
}

} // namespace

int main()
{
    CoInitialize(NULL);
    printf("640 x 480 YUY2 at 25 frames/s from the simulated card; %lu s each after %lu s warm-up\n",
           kMeasureMs / 1000, kWarmUpMs / 1000);
    Figures preview = {}, bare = {};
    if (!MeasurePreview(&preview)) {
        printf("no preview graph\n");
        return 1;
    }
    Print("whole preview graph", preview);
    if (!MeasureBareGraph(&bare)) {
        printf("no bare capture graph\n");
        return 1;
    }
    Print("capture pin into null renderer", bare);
    if (bare.sent && preview.sent)
        printf("the preview graph costs %.2f ms CPU per frame more than the bare graph\n",
               1000.0 * (preview.cpuSeconds / preview.sent - bare.cpuSeconds / bare.sent));
    CoUninitialize();
    return 0;
}
