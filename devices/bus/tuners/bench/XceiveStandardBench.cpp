// How long one SetVideoStandard of each register-table tuner model takes over a bus that
// takes every transfer at once, and how much of that is the waits after the table chunks.
// Run it in the build's prefix:
//   SUITE_BUILD=... scripts/wine-run .../tunermodels_xceive_bench.exe

#include "CaptureDevice.h"
#include "ChipWait.h"
#include "NullI2C.h"
#include "TunerXCEIVE2028.h"
#include "TunerXCEIVE3028.h"
#include "TunerXCEIVE3028AF.h"
#include "TunerXCEIVE3028SIF.h"

#include <strmif.h>

#include <cstdio>
#include <memory>

namespace {

// A bus where every transfer succeeds.
class AcceptingBus : public CNullI2C
{
public:
    HRESULT Write(BYTE*, int) override { return S_OK; }
    HRESULT Read(BYTE*, int) override { return S_OK; }
    HRESULT SetControlLine(int) override { return S_OK; }
};

class ModeDevice : public CCaptureDevice
{
public:
    explicit ModeDevice(int mode) : CCaptureDevice(NULL, (IBaseFilter*)NULL) { SetAccess(new CNullI2C, mode); }
};

// The waits spent, and those of the chunk length being measured.
DWORD g_chunkWaitMs = 0;
DWORD g_chunkWaits = 0;
DWORD g_chunkMs = 0;

void CountingWait(DWORD ms)
{
    if (ms == g_chunkWaitMs) {
        ++g_chunkWaits;
        g_chunkMs += ms;
    }
    Sleep(ms);
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

struct Row
{
    const char* name;
    int accessMode;
    DWORD chunkWaitMs;
    CTunerModel* (*make)(CI2CAccess* access);
};

template <class Model>
CTunerModel* Make(CI2CAccess* access)
{
    return new Model(access);
}

} // namespace

int main()
{
    const Row rows[] = {
        {"XCEIVE2028 (access mode 3)", 3, 10, Make<CTunerXCEIVE2028>},
        {"XCEIVE2028 (access mode 13)", 13, 10, Make<CTunerXCEIVE2028>},
        {"XCEIVE3028 (access mode 3)", 3, 10, Make<CTunerXCEIVE3028>},
        {"XCEIVE3028AF", 3, 10, Make<CTunerXCEIVE3028AF>},
        {"XCEIVE3028SIF", 3, 20, Make<CTunerXCEIVE3028SIF>},
    };
    ReplaceChipWait(CountingWait);
    AcceptingBus bus;
    printf("SetVideoStandard(PAL_B): base and standard table\n");
    for (const Row& row : rows) {
        ModeDevice owner(row.accessMode);
        std::unique_ptr<CTunerModel> model(row.make(&bus));
        model->SetOwnerDevice(&owner);
        g_chunkWaitMs = row.chunkWaitMs;
        g_chunkWaits = 0;
        g_chunkMs = 0;
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        BOOL loaded = model->SetVideoStandard(AnalogVideo_PAL_B);
        QueryPerformanceCounter(&to);
        double total = Seconds(from, to);
        printf("  %-28s %s %6.3f s, chunk waits %3lu x %2lu ms = %5.3f s (%4.1f %%)\n", row.name,
               loaded ? "ok    " : "FAILED", total, g_chunkWaits, row.chunkWaitMs, g_chunkMs / 1000.0,
               total > 0 ? 100.0 * g_chunkMs / 1000.0 / total : 0.0);
    }
    ReplaceChipWait(NULL);
    return 0;
}
