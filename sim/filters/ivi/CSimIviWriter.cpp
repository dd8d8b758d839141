#include "CSimIviWriter.h"

#include <new>

const CLSID CLSID_SimIviWriter = { 0xA5258D74, 0x8ED8, 0x4606, { 0x87, 0x68, 0xDC, 0x53, 0x60, 0xE5, 0xFC, 0x8E } };

CSimIviWriter::CSimIviWriter(IUnknown* outer) : CSimDumpFilter(outer, CLSID_SimIviWriter, "ivi", "simivi:writer 1")
{
}

void* CSimIviWriter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IIviWriter))
        return static_cast<IIviWriter*>(this);
    return CSimDumpFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimIviWriter::GetParam(LONG id, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    if (id != PARAM_SIZE_LIMIT)
        return E_INVALIDARG;
    ULONGLONG limit = SizeLimit();
    *value = limit == ~0ULL ? 0 : (LONG)(DWORD)limit;
    return S_OK;
}

STDMETHODIMP CSimIviWriter::SetParam(LONG id, LONG low, LONG high)
{
    if (id != PARAM_SIZE_LIMIT)
        return E_INVALIDARG;
    ULONGLONG limit = (ULONGLONG)(DWORD)high << 32 | (DWORD)low;
    SetSizeLimit(limit != 0 ? limit : ~0ULL);
    Log().Line("W set %ld=%llu", (long)id, limit);
    return S_OK;
}
