#include "TestSource.h"

#include "TestGuids.h"

#include <new>

CTestSource::CTestSource(IUnknown* outer, const GUID* category)
    : CBaseFilter(outer, CLSID_DshowTestSource), m_pin(*this, category)
{
}

CComIdentity* CTestSource::Create(IUnknown* outer, HRESULT* result)
{
    auto* filter = new (std::nothrow) CTestSource(outer);
    *result = filter ? S_OK : E_OUTOFMEMORY;
    return filter;
}
