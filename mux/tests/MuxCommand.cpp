// gantrix_mux OUTPUT PRESET INPUT...: muxes elementary stream files through the registered
// multiplexer into OUTPUT with the preset's settings, in a graph of file sources and the
// filter in file mode, and prints how long the graph ran (Run to Stop) and the process's CPU
// time over that span.
#include "CMuxFileSource.h"
#include "ComRef.h"
#include "MpegMuxInterfaces.h"
#include "MuxGuids.h"
#include "MuxStreamTypes.h"

#include <dshow.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace
{

double CpuSeconds()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

int Fail(const char* what, HRESULT hr)
{
    fprintf(stderr, "gantrix_mux: %s (0x%08lx)\n", what, static_cast<unsigned long>(hr));
    return 1;
}

int Mux(const char* output, int preset, char** inputs, int count)
{
    CComRef<IGraphBuilder> graph;
    CComRef<IBaseFilter> mux;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  graph.ReceiveVoid());
    if (FAILED(hr))
        return Fail("no filter graph", hr);
    hr = CoCreateInstance(CLSID_MpegMultiplexer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, mux.ReceiveVoid());
    if (FAILED(hr))
        return Fail("the multiplexer is not registered", hr);
    CComRef<IMpegMuxSettings> settings;
    CComRef<IFileSinkFilter> sink;
    mux->QueryInterface(IID_IMpegMuxSettings, settings.ReceiveVoid());
    mux->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid());
    if (!settings || !sink || FAILED(hr = settings->LoadPreset(preset)))
        return Fail("the preset is refused", hr);
    WCHAR name[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, output, -1, name, MAX_PATH);
    if (FAILED(hr = sink->SetFileName(name, nullptr)))
        return Fail("the output name is refused", hr);
    graph->AddFilter(mux.Get(), L"Gantrix");

    std::vector<CComRef<IBaseFilter>> sources;
    for (int i = 0; i < count; ++i) {
        CAmMediaType type;
        if (!StreamTypeOfFile(inputs[i], &type)) {
            fprintf(stderr, "gantrix_mux: %s: not a stream form this tool knows\n", inputs[i]);
            return 1;
        }
        auto* source = new CMuxFileSource();
        CComRef<IBaseFilter> filter;
        source->InnerUnknown()->QueryInterface(IID_IBaseFilter, filter.ReceiveVoid());
        source->InnerRelease();
        if (!source->Pin().Load(inputs[i], type, 0)) {
            fprintf(stderr, "gantrix_mux: %s: cannot be read\n", inputs[i]);
            return 1;
        }
        graph->AddFilter(filter.Get(), nullptr);
        CComRef<IPin> in;
        mux->FindPin((L"Input" + std::to_wstring(i + 1)).c_str(), in.Receive());
        if (!in || FAILED(hr = graph->ConnectDirect(&source->Pin(), in.Get(), nullptr)))
            return Fail(inputs[i], hr);
        sources.push_back(filter);
    }

    CComRef<IMediaControl> control;
    CComRef<IMediaEvent> events;
    graph->QueryInterface(IID_IMediaControl, control.ReceiveVoid());
    graph->QueryInterface(IID_IMediaEvent, events.ReceiveVoid());
    double cpu = CpuSeconds();
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (FAILED(hr = control->Run()))
        return Fail("the graph does not run", hr);
    long code = 0;
    hr = events->WaitForCompletion(600000, &code);
    control->Stop();
    QueryPerformanceCounter(&stop);
    cpu = CpuSeconds() - cpu;
    for (auto& source : sources)
        graph->RemoveFilter(source.Get());
    graph->RemoveFilter(mux.Get());
    if (hr != S_OK || code != EC_COMPLETE)
        return Fail("the graph did not complete", hr);
    printf("run %.3f s, cpu %.3f s\n", double(stop.QuadPart - start.QuadPart) / frequency.QuadPart, cpu);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: gantrix_mux OUTPUT PRESET INPUT...\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    int result = Mux(argv[1], atoi(argv[2]), argv + 3, argc - 3);
    CoUninitialize();
    return result;
}
