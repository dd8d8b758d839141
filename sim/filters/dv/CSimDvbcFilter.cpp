#include "CSimDvbcFilter.h"

#include <new>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

const CLSID CLSID_SimDvbcCapture = {0x7E41C0B2, 0x5D93, 0x4A6C, {0x8F, 0x17, 0x2B, 0xD0, 0x6E, 0x94, 0x3A, 0x51}};

CSimDvbcFilter::CSimDvbcFilter(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimDvbcCapture, "dvbc", "simdvbc:dvbc 1"),
      m_failMethod(strtoul(Switches().Text("FailMethod", "0").c_str(), nullptr, 0))
{
}

void* CSimDvbcFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IDvbcTsControl))
        return static_cast<IDvbcTsControl*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

HRESULT CSimDvbcFilter::Logged(int method, const char* format, ...)
{
    char text[64];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    HRESULT hr = (DWORD)method == m_failMethod ? E_FAIL : S_OK;
    Log().Line("%s -> %08lX", text, (unsigned long)hr);
    return hr;
}

HRESULT CSimDvbcFilter::Unnamed(int method, DWORD value)
{
    Log().Line("M%d %lu -> %08lX", method, value, (unsigned long)E_NOTIMPL);
    return E_NOTIMPL;
}
