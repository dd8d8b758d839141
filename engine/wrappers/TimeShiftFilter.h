#pragma once

#include "FilterWrapper.h"
#include "TimeShiftInterfaces.h"

// The "TimeShift" filter: keeps the encoded stream in a data file with an index file beside it
// and plays it out again. Each operation answers TRUE only when the call returns S_OK.
class CTimeShiftFilter : public CFilterWrapper
{
public:
    CTimeShiftFilter(CGraphBuilder* graph, REFCLSID clsid);
    CTimeShiftFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CTimeShiftFilter() override;

    BOOL Init() override;

    BOOL SetPosition(LONGLONG position);
    BOOL GetPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current);
    BOOL SetBufferSize(const LONGLONG* size, LONG reserve);
    BOOL TogglePause();
    // The index file lies beside the data file, named after it with ".idx" in place of the
    // part from its last '.'; a path without a '.', or whose index path would not fit
    // MAX_PATH, is refused.
    BOOL SetTimeShiftFile(const char* dataPath);

    // The index path of a data path; FALSE when it cannot be made.
    static BOOL IndexPathOf(const char* dataPath, char* indexPath, int size);

private:
    CComRef<ITimeShiftControl> m_control;
};
