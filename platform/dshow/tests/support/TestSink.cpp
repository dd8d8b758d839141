#include "TestSink.h"

#include "TestGuids.h"

#include <new>

CTestSink::CTestSink(IUnknown* outer)
    : CBaseFilter(outer, CLSID_DshowTestSink), m_pin(*this), m_seeking(*ControllingUnknown(), m_pin)
{
}

CComIdentity* CTestSink::Create(IUnknown* outer, HRESULT* result)
{
    auto* filter = new (std::nothrow) CTestSink(outer);
    *result = filter ? S_OK : E_OUTOFMEMORY;
    return filter;
}

void* CTestSink::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IMediaSeeking))
        return static_cast<IMediaSeeking*>(&m_seeking);
    return CBaseFilter::FindInterface(iid);
}
