#include "TvScanThread.h"

#include "AppMessages.h"
#include "TunerModel.h"

namespace {

// AFC moves of the search: the status codes ask for 125 or 62.5 kHz (the divider's step).
const float kAfcStep = 125.0f;
const float kAfcHalfStep = 62.5f;
// Past a frequency the tuner refused, and past one whose status could not be read.
const float kTuneFailSkip = 125.0f;
const float kStatusFailSkip = 375.0f;
// Table entries whose window reaches this far beyond the band are not searched.
const float kBandMargin = 1000.0f;
// Status reads in a row that confirm an in-tune code when the device cannot tell.
const int kConfirmReads = 3;

// The history catches an AFC that swings between up to four frequencies. A search that
// circles through more has visited every 62.5 kHz point of its window twice by this bound.
int MaxAfcSteps(float lo, float hi)
{
    return 2 * ((int)((hi - lo) / kAfcHalfStep) + 1);
}

} // namespace

CTvScanThread::CTvScanThread(CTunerModel* model)
    : m_model(model), m_tableWindow(625), m_step2(125), m_sweepJump(3000), m_sweepHalfWidth(1000),
      m_sweepLow(model ? model->GetBandLow() : 0), m_sweepHigh(model ? model->GetBandHigh() : 0),
      m_settleTime(60), m_mode(0)
{
    if (model)
        m_table = model->GetChannelTable();
}

CTvScanThread::~CTvScanThread()
{
    Stop();
}

BOOL CTvScanThread::CanRun()
{
    if (!m_model)
        return FALSE;
    return CWorkerThread::CanRun();
}

void CTvScanThread::SetTableWindow(int kHz)
{
    InterlockedExchange(&m_tableWindow, kHz);
}

void CTvScanThread::SetStep2(int kHz)
{
    InterlockedExchange(&m_step2, kHz);
}

void CTvScanThread::SetSweepJump(int kHz)
{
    InterlockedExchange(&m_sweepJump, kHz);
}

void CTvScanThread::SetSweepHalfWidth(int kHz)
{
    if (kHz > 0)
        InterlockedExchange(&m_sweepHalfWidth, kHz);
}

void CTvScanThread::SetSweepRange(int low, int high)
{
    InterlockedExchange(&m_sweepLow, low);
    InterlockedExchange(&m_sweepHigh, high);
}

void CTvScanThread::SetMode(int mode)
{
    InterlockedExchange(&m_mode, mode);
}

void CTvScanThread::SetSettleTime(int ms)
{
    InterlockedExchange(&m_settleTime, ms);
}

DWORD CTvScanThread::Run()
{
    HWND window = m_model->GetNotifyWnd();
    if (m_mode)
        SweepRange(window);
    else
        ScanTable(window);
    m_model->EndScan();
    PostMessageA(window, WM_SCAN_DONE, 0, 0);
    return 0;
}

DWORD CTvScanThread::OnExit()
{
    return DefaultOnExit();
}

void CTvScanThread::ScanTable(HWND window)
{
    float bandLow = (float)m_model->GetBandLow() - kBandMargin;
    float bandHigh = (float)m_model->GetBandHigh() + kBandMargin;
    for (size_t i = 0; i < m_table.size() && !IsStopping(); ++i) {
        float f = m_table[i] * 1000.0f;
        float lo = f - m_tableWindow;
        float hi = f + m_tableWindow;
        Found result = {f, 0};
        if (lo > bandLow && hi < bandHigh) {
            AfcSearch(lo, hi, f, &result);
            if (IsStopping())
                break;
        }
        PostMessageA(window, WM_SCAN_PROGRESS, (WPARAM)(int)result.kHz, result.found);
    }
}

void CTvScanThread::SweepRange(HWND window)
{
    float c = (float)m_sweepLow;
    while (c < m_sweepHigh && !IsStopping()) {
        float halfWidth = (float)m_sweepHalfWidth;
        Found result = {c, 0};
        if (AfcSearch(c - halfWidth, c + halfWidth, c, &result))
            PostMessageA(window, WM_SCAN_PROGRESS, (WPARAM)(int)result.kHz, result.found);
        c = result.found ? result.kHz + m_sweepJump : c + 2 * halfWidth;
    }
}

BOOL CTvScanThread::AfcSearch(float lo, float hi, float centre, Found* result)
{
    result->kHz = centre;
    result->found = 0;
    if (lo >= hi)
        return FALSE;
    if (m_model->SetTvFrequency(centre)) {
        if (!Settle())
            return FALSE;
        if (m_model->IsTvLocked() && ConfirmLock()) {
            result->kHz = (float)(int)centre;
            result->found = 1;
            return TRUE;
        }
    }
    AfcHistory history = {{0}, 0, 0};
    int stepsLeft = MaxAfcSteps(lo, hi);
    float c = lo;
    while (c <= hi) {
        BOOL done = history.Contains(c);
        if (!done) {
            if (stepsLeft-- == 0)
                return TRUE;
            history.Add(c);
            if (!m_model->SetTvFrequency(c))
                c += kTuneFailSkip;
            else if (!Settle())
                return FALSE;
            else
                c = NextAfcStep(c, &done);
        }
        if (done) {
            result->kHz = (float)(int)c;
            result->found = 1;
            return TRUE;
        }
        if (c < lo)
            return TRUE;
    }
    return TRUE;
}

float CTvScanThread::NextAfcStep(float c, BOOL* done)
{
    int code = CTunerModel::kNoCode;
    if (!m_model->GetTvStatus(&code))
        return c + kStatusFailSkip;
    // In-tune first: on modules whose in-tune code equals a step code the search must still
    // be able to end found.
    if (code == m_model->GetInTuneCode()) {
        *done = ConfirmLock();
        return c;
    }
    if (code == m_model->GetAfcCodeDown125())
        return c - kAfcStep;
    if (code == m_model->GetAfcCodeDown62())
        return c - kAfcHalfStep;
    if (code == m_model->GetAfcCodeUp62())
        return c + kAfcHalfStep;
    return c + kAfcStep;
}

BOOL CTvScanThread::ConfirmLock()
{
    int locked = 0;
    if (m_model->IsSignalLocked(&locked))
        return locked != 0;
    for (int i = 0; i < kConfirmReads; ++i) {
        int code = CTunerModel::kNoCode;
        if (!m_model->GetTvStatus(&code) || code != m_model->GetInTuneCode())
            return FALSE;
    }
    return TRUE;
}

BOOL CTvScanThread::AfcHistory::Contains(float kHz) const
{
    for (int i = 0; i < count; ++i) {
        if (visited[i] == kHz)
            return TRUE;
    }
    return FALSE;
}

void CTvScanThread::AfcHistory::Add(float kHz)
{
    visited[next] = kHz;
    next = (next + 1) % kHistorySize;
    if (count < kHistorySize)
        ++count;
}

BOOL CTvScanThread::Settle()
{
    return WaitForSingleObject(GetStopEvent(), (DWORD)m_settleTime) == WAIT_TIMEOUT;
}
