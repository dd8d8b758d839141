// A 60-second DVD recording (720 x 576, PAL) over the simulated card: prints the frames the
// graph failed to take from the card, at the start of the recording and during it, the
// pictures the encoder lacked at the start and repeated later for want of a new frame, the
// CPU time the process spent per second of video, and the file's bit rate against the
// preset's. A measurement: it asserts nothing.
//
// The card paces its frames by the graph's clock and sends a frame late rather than none
// when the graph downstream holds it up; what it could not send by a moment is what the
// recording lost so far: the frames the clock asks for less those the card has sent.
#include "TVGraph.h"

#include "SimDeviceSupport.h"
#include "SimLogTail.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{

const char kFolder[] = "C:\\sim\\out\\bench";
const DWORD kRecordMs = 60000;
const double kFramesPerSecond = 25.0;
// How far the card falls behind in this first part counts as the start's; the encoder's
// rate control finds its footing there.
const DWORD kStartMs = 10000;
const DWORD kPollMs = 250;
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

// Frames the card's capture pin has sent since it was made.
long CardFrames()
{
    std::string state;
    if (FAILED(SimControl(0).Run("state", &state)))
        return -1;
    size_t at = state.find("cap_frames=");
    return at == std::string::npos ? -1 : strtol(state.c_str() + at + 11, NULL, 10);
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
    long cardStart = CardFrames();
    // The most frames behind the clock in the start; after it, the most the card fell
    // further behind than it had been at some earlier moment, which a start's lag being
    // made up leaves out.
    long behindAtStart = 0, fellLater = 0, behind = 0, leastLater = LONG_MAX;
    for (DWORD elapsed = 0; elapsed < kRecordMs; elapsed = GetTickCount() - start) {
        Sleep(kPollMs);
        DWORD now = GetTickCount() - start;
        behind = (long)(now * kFramesPerSecond / 1000) - (CardFrames() - cardStart);
        if (now <= kStartMs) {
            behindAtStart = behind > behindAtStart ? behind : behindAtStart;
            continue;
        }
        leastLater = behind < leastLater ? behind : leastLater;
        fellLater = behind - leastLater > fellLater ? behind - leastLater : fellLater;
    }
    if (behind < 0)
        behind = 0;
    double cpu = ProcessCpuSeconds() - cpuStart;
    double seconds = (GetTickCount() - start) / 1000.0;
    long cardFrames = CardFrames() - cardStart;
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
    printf("frames: %ld expected from the card, %ld sent, %ld taken by the recording, %ld pictures encoded\n",
           expected, cardFrames, frames, pictures);
    printf("dropped: %ld frames by the end; the card fell up to %ld frames behind in the first %.0f s, and "
           "after them up to %ld further behind than before\n",
           behind, behindAtStart, kStartMs / 1000.0, fellLater);
    // The graph's stream time starts a moment after the run is asked for, and the card sends
    // each frame at its end time: a lag that never shrinks below this much is that offset.
    printf("lag: at least %ld frames behind the clock after the first %.0f s\n", leastLater == LONG_MAX ? 0 : leastLater,
           kStartMs / 1000.0);
    printf("encoder: %ld pictures missing at the start, %ld repeated during the recording\n", firstSlot, repeated);
    printf("CPU time: %.2f s in all, %.3f s per second of video\n", cpu, cpu / seconds);
    // Over the time the file's pictures span too, which differs once pictures are lost.
    double pictureSeconds = pictures > 0 ? pictures / kFramesPerSecond : seconds;
    printf("file: %.0f bytes, %.2f Mbit/s over the recording, %.2f Mbit/s over its pictures, against the "
           "preset's %.2f Mbit/s (sound included, packing not)\n",
           bytes, bytes * 8 / seconds / 1e6, bytes * 8 / pictureSeconds / 1e6, kPresetBitRate / 1e6);
    graph.CloseTV();
    DestroyWindow(window);
    return 0;
}
