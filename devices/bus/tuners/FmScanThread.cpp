#include "FmScanThread.h"

#include "AppMessages.h"
#include "TunerModel.h"

CFmScanThread::CFmScanThread(CTunerModel* model)
    : m_model(model), m_rangeLow(0), m_rangeHigh(0), m_step(100), m_foundSkip(100)
{
}

CFmScanThread::~CFmScanThread()
{
    Stop();
}

BOOL CFmScanThread::CanRun()
{
    if (!m_model || !m_model->IsFmSupported())
        return FALSE;
    return CWorkerThread::CanRun();
}

void CFmScanThread::SetRange(int low, int high)
{
    InterlockedExchange(&m_rangeLow, low);
    InterlockedExchange(&m_rangeHigh, high);
}

void CFmScanThread::SetStep(int step)
{
    InterlockedExchange(&m_step, step);
}

void CFmScanThread::SetFoundSkip(int skip)
{
    if (skip > 0)
        InterlockedExchange(&m_foundSkip, skip);
}

DWORD CFmScanThread::Run()
{
    HWND window = m_model->GetNotifyWnd();
    InterlockedExchange(&m_step, m_model->GetFmStep());
    for (LONG f = m_rangeLow; f <= m_rangeHigh && !IsStopping(); f += m_step) {
        if (!m_model->SetFmFrequency((float)f))
            continue;
        if (WaitForSingleObject(GetStopEvent(), kTuneWaitMs) != WAIT_TIMEOUT)
            break;
        int code = CTunerModel::kNoCode;
        BOOL found = m_model->GetFmStatus(&code) && code == m_model->GetFmLockCode();
        PostMessageA(window, WM_SCAN_PROGRESS, (WPARAM)f, found);
        if (found)
            f += m_foundSkip - m_step;
    }
    m_model->EndScan();
    PostMessageA(window, WM_SCAN_DONE, 0, 0);
    return 0;
}

DWORD CFmScanThread::OnExit()
{
    return DefaultOnExit();
}
