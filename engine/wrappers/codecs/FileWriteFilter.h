#pragma once

#include "FilterWrapper.h"
#include "ComRef.h"

#include <dshow.h>

// The system's file writer behind the AVI and MPEG-4 multiplexers and the FM recordings. A writer
// without IFileSinkFilter2 (Wine's has only IFileSinkFilter) serves as well: the engine uses
// nothing of the second interface but what the first has.
class CFileWriteFilter : public CFilterWrapper
{
public:
    CFileWriteFilter(CGraphBuilder* graph, REFCLSID clsid);
    CFileWriteFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CFileWriteFilter() override;

    BOOL Init() override;

    BOOL SetFileName(const char* name);
    // The current file name in the ANSI code page; FALSE when there is none or it does not fit.
    BOOL GetFileName(char* buffer, int size);

private:
    CComRef<IFileSinkFilter> m_sink;
};
