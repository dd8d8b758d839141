#pragma once

#include "CSimDumpFilter.h"

// InterVideo's writer of the FM recordings: the "Dump" writer's work (appending every sample
// to its file), with the file-size limit of parameter 1280 (64 bits, set as two halves;
// 0 means none).
class CSimIviWriter : public CSimDumpFilter, public IIviWriter
{
public:
    enum { PARAM_SIZE_LIMIT = 1280 };

    explicit CSimIviWriter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    // IIviWriter
    STDMETHODIMP GetParam(LONG id, LONG* value) override;
    STDMETHODIMP SetParam(LONG id, LONG low, LONG high) override;

protected:
    void* FindFilterInterface(REFIID iid) override;
};

// {A5258D74-8ED8-4606-8768-DC5360E5FC8E}
extern const CLSID CLSID_SimIviWriter;
