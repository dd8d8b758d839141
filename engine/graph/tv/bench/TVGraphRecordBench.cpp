// A 60-second DVD recording (720 x 576, PAL) over the simulated card: prints the frames the
// graph failed to take from the card, the pictures the encoder lacked at the start and
// repeated later for want of a new frame, the CPU time the process spent per second of
// video, and the file's bit rate against the preset's. A measurement: it asserts nothing.
#include "TVGraph.h"

#include "SimLogTail.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

const char kFolder[] = "C:\\sim\\out\\bench";
const DWORD kRecordMs = 60000;
const double kFramesPerSecond = 25.0;
// The DVD preset: 4.5 Mbit/s of video and 224 kbit/s of Layer II sound.
const double kPresetBitRate = 4500000 + 224000;

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

// The last count a stand-in logged under that prefix ("N frames=" and the like), or -1.
long LastCount(const SimLogTail& tail, const char* prefix)
{
    long count = -1;
    for (const std::string& line : tail.Lines()) {
        size_t at = line.find(prefix);
        if (at != std::string::npos)
            count = strtol(line.c_str() + at + strlen(prefix), NULL, 10);
    }
    return count;
}

} // namespace

int main()
{
    CreateDirectoryA("C:\\sim", NULL);
    CreateDirectoryA("C:\\sim\\out", NULL);
    CreateDirectoryA(kFolder, NULL);
    HWND window = CreateWindowExA(0, "STATIC", "benchmark", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    CTVGraph graph;
    if (!graph.GetBuilder().MakeGraph()) {
        printf("no graph: %s\n", CGraphBuilder::GetLastErrorText());
        return 1;
    }
    graph.SetOwnerWnd(window);
    if (!graph.BuildPreview() || !graph.RebuildPreview()) {
        printf("no preview\n");
        return 1;
    }
    graph.SetRecordFormat(CTVGraph::kRecordDvd);
    std::string file = std::string(kFolder) + "\\dvd60.mpg";
    graph.SetRecordFileName(file.c_str());
    if (!graph.StartRecord()) {
        printf("the DVD recording did not start\n");
        return 1;
    }
    // Made after the start, so that only the recording graph's counts are read.
    SimLogTail deinterlace("deint");
    SimLogTail encoder("mpegenc");
    DWORD start = GetTickCount();
    double cpuStart = ProcessCpuSeconds();
    Sleep(kRecordMs);
    double cpu = ProcessCpuSeconds() - cpuStart;
    double seconds = (GetTickCount() - start) / 1000.0;
    graph.StopRecord();
    long frames = LastCount(deinterlace, "N frames=");
    long pictures = LastCount(encoder, "N pictures=");
    long firstSlot = LastCount(encoder, " first=");
    long repeated = LastCount(encoder, " repeated=");
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &attributes);
    double bytes = (double)attributes.nFileSizeHigh * 4294967296.0 + attributes.nFileSizeLow;
    long expected = (long)(seconds * kFramesPerSecond + 0.5);
    printf("DVD 720x576 PAL, %.1f s recorded\n", seconds);
    printf("frames: %ld expected from the card, %ld taken, %ld dropped; %ld pictures encoded\n", expected, frames,
           frames < 0 ? -1 : (expected > frames ? expected - frames : 0), pictures);
    printf("drops: %ld pictures missing at the start, %ld repeated during the recording\n", firstSlot, repeated);
    printf("CPU time: %.2f s in all, %.3f s per second of video\n", cpu, cpu / seconds);
    printf("file: %.0f bytes, %.2f Mbit/s against the preset's %.2f Mbit/s\n", bytes, bytes * 8 / seconds / 1e6,
           kPresetBitRate / 1e6);
    graph.CloseTV();
    DestroyWindow(window);
    return 0;
}
