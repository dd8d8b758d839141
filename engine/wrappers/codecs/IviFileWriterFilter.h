#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"

// InterVideo's file writer for the FM recordings: the file name, and parameter 1280, the file-size
// limit, set as two halves.
class CIviFileWriterFilter : public CFilterWrapper
{
public:
    CIviFileWriterFilter(CGraphBuilder* graph, REFCLSID clsid);
    CIviFileWriterFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CIviFileWriterFilter() override;

    BOOL Init() override;

    enum { kSizeLimit = 1280 };

    BOOL SetFileName(const char* name);
    BOOL SetSizeLimit(LONG low, LONG high);
    BOOL GetSizeLimit(LONG* value);

private:
    CComRef<IIviWriter> m_writer;
};
