#include "IviTimeShiftFilter.h"

#include <string.h>

CIviTimeShiftFilter::CIviTimeShiftFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CIviTimeShiftFilter::CIviTimeShiftFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CIviTimeShiftFilter::~CIviTimeShiftFilter() = default;

BOOL CIviTimeShiftFilter::Init()
{
    m_shift.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IIviTimeShift, m_shift.ReceiveVoid()));
}

namespace
{
BSTR WideString(const char* text, int length)
{
    WCHAR wide[MAX_PATH] = L"";
    int count = length > 0 ? MultiByteToWideChar(CP_ACP, 0, text, length, wide, MAX_PATH - 1) : 0;
    wide[count] = L'\0';
    return SysAllocString(wide);
}
}

BOOL CIviTimeShiftFilter::SetupTimeShift(const char* path, LONG sizeA, LONG sizeB, LONG value, LONG reserve)
{
    IviTimeShiftRecord record = {};
    if (!m_shift || path == NULL || FAILED(m_shift->GetSettings(reinterpret_cast<BYTE*>(&record))))
        return FALSE;
    const char* slash = strrchr(path, '\\');
    int folderLength = slash != NULL ? (int)(slash - path) : 0;
    const char* name = slash != NULL ? slash + 1 : path;
    // The strings the filter reported are its own; the ones sent here are freed after the call.
    record.folder = WideString(path, folderLength);
    record.file = WideString(name, (int)strlen(name));
    record.bufferBytes = (LONGLONG)((LONGLONG)sizeA * sizeB / 8) * 1024;
    record.value = value;
    HRESULT hr = m_shift->SetSettings(reinterpret_cast<const BYTE*>(&record));
    SysFreeString(record.folder);
    SysFreeString(record.file);
    return SUCCEEDED(hr) && SUCCEEDED(m_shift->SetReserve(reserve));
}

BOOL CIviTimeShiftFilter::Call13(LONG value)
{
    return m_shift && SUCCEEDED(m_shift->Call13(value));
}

BOOL CIviTimeShiftFilter::Call14()
{
    return m_shift && SUCCEEDED(m_shift->Call14());
}

BOOL CIviTimeShiftFilter::Call15(LONG value)
{
    return m_shift && SUCCEEDED(m_shift->Call15(value));
}

BOOL CIviTimeShiftFilter::Call16(LONG value)
{
    return m_shift && SUCCEEDED(m_shift->Call16(value));
}

BOOL CIviTimeShiftFilter::Call17(LONG value)
{
    return m_shift && SUCCEEDED(m_shift->Call17(value));
}

BOOL CIviTimeShiftFilter::Call19()
{
    return m_shift && SUCCEEDED(m_shift->Call19());
}

BOOL CIviTimeShiftFilter::Call20()
{
    return m_shift && SUCCEEDED(m_shift->Call20());
}

BOOL CIviTimeShiftFilter::Call21()
{
    return m_shift && SUCCEEDED(m_shift->Call21());
}
