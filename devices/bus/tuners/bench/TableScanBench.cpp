// How long a channel-table scan of the built-in table takes against the simulated card, and
// how much of that the scan spends in its settle waits. Run it in the build's prefix:
//   SUITE_BUILD=... scripts/wine-run .../bustuners_scan_bench.exe

#include "CaptureDevice.h"
#include "ScanMessages.h"
#include "SimTunerCard.h"
#include "TunerModel.h"

#include <cstdio>

namespace {

// Its own card number, so a test run in the same prefix does not disturb it.
const DWORD kCard = 4;
const DWORD kScanTimeoutMs = 600000;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// The base model, counting what the scan spends outside the bus.
class MeasuredModel : public CTunerModel
{
public:
    explicit MeasuredModel(CI2CAccess* access)
        : CTunerModel(access), m_tunings(0), m_lockChecks(0), m_lockSeconds(0)
    {
    }

    // The TV scan waits the settle time after every tuning that succeeded.
    BOOL SetTvFrequency(float kHz) override
    {
        BOOL tuned = CTunerModel::SetTvFrequency(kHz);
        if (tuned)
            ++m_tunings;
        return tuned;
    }

    // Includes the short wait before the owner is asked again.
    BOOL IsSignalLocked(int* locked) override
    {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        BOOL answered = CTunerModel::IsSignalLocked(locked);
        QueryPerformanceCounter(&end);
        ++m_lockChecks;
        m_lockSeconds += Seconds(start, end);
        return answered;
    }

    int SettleMs() const { return m_settleTime; }

    // Read once the scan thread has ended.
    int m_tunings;
    int m_lockChecks;
    double m_lockSeconds;
};

int RunBench(HWND window)
{
    SimTunerCard card(kCard);
    HRESULT hr = card.Open(L"Profile=4;audio=0");
    if (FAILED(hr)) {
        printf("The simulated card is not ready (0x%08lX): set the prefix up first.\n", hr);
        return 1;
    }
    SimSignalDevice device;
    MeasuredModel model(card.Access());
    model.SetNotifyWnd(window);
    model.SetOwnerDevice(&device);

    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    if (!model.StartScan(TRUE, FALSE)) {
        printf("The scan did not start.\n");
        return 1;
    }
    ScanMessages messages;
    messages.CollectUntilDone(window, kScanTimeoutMs);
    QueryPerformanceCounter(&end);
    model.StopScan();
    if (!messages.done) {
        printf("The scan did not end within %lu s.\n", kScanTimeoutMs / 1000);
        return 1;
    }

    double total = Seconds(start, end);
    double settle = model.m_tunings * model.SettleMs() / 1000.0;
    printf("Table scan of the built-in table: %u channels, %u found, %.2f s\n",
           (unsigned)messages.progress.size(), (unsigned)messages.Found().size(), total);
    printf("  settle waits:       %d tunings x %d ms = %.2f s (%.1f %%)\n", model.m_tunings,
           model.SettleMs(), settle, 100.0 * settle / total);
    printf("  lock confirmations: %d, %.3f s (%.1f %%)\n", model.m_lockChecks, model.m_lockSeconds,
           100.0 * model.m_lockSeconds / total);
    printf("  the rest (bus, status reads, messages): %.3f s\n", total - settle - model.m_lockSeconds);
    return 0;
}

} // namespace

int main()
{
    if (FAILED(CoInitialize(NULL)))
        return 1;
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                  GetModuleHandleA(NULL), NULL);
    int result = RunBench(window);
    DestroyWindow(window);
    CoUninitialize();
    return result;
}
