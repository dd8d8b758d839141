#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"

// InterVideo's time-shift filter: its settings record, filled from the data file's path and size,
// and calls the engine passes on unchanged. Registered, never requested.
class CIviTimeShiftFilter : public CFilterWrapper
{
public:
    CIviTimeShiftFilter(CGraphBuilder* graph, REFCLSID clsid);
    CIviTimeShiftFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CIviTimeShiftFilter() override;

    BOOL Init() override;

    // The record: path split at its last '\\' into folder and file name, buffer size
    // (sizeA * sizeB / 8) KiB, value; then reserve goes to method 9.
    BOOL SetupTimeShift(const char* path, LONG sizeA, LONG sizeB, LONG value, LONG reserve);
    BOOL Call13(LONG value);
    BOOL Call14();
    BOOL Call15(LONG value);
    BOOL Call16(LONG value);
    BOOL Call17(LONG value);
    BOOL Call19();
    BOOL Call20();
    BOOL Call21();

private:
    CComRef<IIviTimeShift> m_shift;
};
