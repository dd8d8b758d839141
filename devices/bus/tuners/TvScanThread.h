#pragma once

#include "WorkerThread.h"

#include <vector>

class CTunerModel;

// Visits the channels of the model's channel table, or sweeps a frequency range, and
// centres each channel with an AFC search on the tuner's status byte. Posts
// WM_SCAN_PROGRESS per table entry and per sweep search, then WM_SCAN_DONE, to the model's
// notify window. A search cut short by Stop posts no progress.
class CTvScanThread : public CWorkerThread
{
public:
    // Takes a copy of the model's channel table: the scan never reads the model's own.
    explicit CTvScanThread(CTunerModel* model);
    virtual ~CTvScanThread();

    virtual BOOL CanRun();

    void SetTableWindow(int kHz);
    void SetStep2(int kHz);
    void SetSweepJump(int kHz);
    // Ignored when kHz <= 0: the sweep would never advance.
    void SetSweepHalfWidth(int kHz);
    void SetSweepRange(int low, int high);
    // Non-zero: sweep the range; zero: scan the channel table.
    void SetMode(int mode);
    void SetSettleTime(int ms);

protected:
    virtual DWORD Run();
    virtual DWORD OnExit();

private:
    enum { kHistorySize = 4 };

    // The AFC result of one search.
    struct Found
    {
        float kHz;
        int found;
    };

    // The last frequencies the AFC search visited; the oldest gives way to a new one.
    struct AfcHistory
    {
        float visited[kHistorySize];
        int count;
        int next;

        BOOL Contains(float kHz) const;
        void Add(float kHz);
    };

    void ScanTable(HWND window);
    void SweepRange(HWND window);
    // FALSE when stopped or the window [lo, hi] is empty; else *result says what was found.
    BOOL AfcSearch(float lo, float hi, float centre, Found* result);
    // Where the status code sends the search next; *done when it ends found at c.
    float NextAfcStep(float c, BOOL* done);
    BOOL ConfirmLock();
    // FALSE when the stop event ended the wait.
    BOOL Settle();

    CTunerModel* m_model;           // not owned: the model owns this thread
    std::vector<float> m_table;     // MHz

    // Written with interlocked exchanges by the user-interface thread, read by the scan.
    LONG m_tableWindow;
    LONG m_step2;
    LONG m_sweepJump;
    LONG m_sweepHalfWidth;
    LONG m_sweepLow;
    LONG m_sweepHigh;
    LONG m_settleTime;
    LONG m_mode;
};
