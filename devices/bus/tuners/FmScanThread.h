#pragma once

#include "WorkerThread.h"

class CTunerModel;

// Steps the model's FM receiver through a range and posts WM_SCAN_PROGRESS after every
// step that tuned, then WM_SCAN_DONE, to the model's notify window. A found station moves
// the next try by the found skip, anything else by the step.
class CFmScanThread : public CWorkerThread
{
public:
    explicit CFmScanThread(CTunerModel* model);
    virtual ~CFmScanThread();

    virtual BOOL CanRun();

    void SetRange(int low, int high);
    // The model's FM step, read as the scan starts, takes precedence.
    void SetStep(int step);
    // Ignored when skip <= 0.
    void SetFoundSkip(int skip);

protected:
    virtual DWORD Run();
    virtual DWORD OnExit();

private:
    // Stations need this long after a tuning before the status shows their lock.
    enum { kTuneWaitMs = 150 };

    CTunerModel* m_model;           // not owned: the model owns this thread
    // Written with interlocked exchanges by the user-interface thread, read by the scan.
    LONG m_rangeLow;
    LONG m_rangeHigh;
    LONG m_step;
    LONG m_foundSkip;
};
