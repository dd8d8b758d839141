#include "CSimFilter.h"

#include "CSimBagValues.h"
#include "CSimCardTable.h"
#include "CSimInstanceKeys.h"
#include "CDebugLog.h"

CSimFilter::CSimFilter(IUnknown* outer, REFCLSID clsid, const char* who) : CBaseFilter(outer, clsid), m_who(who)
{
}

STDMETHODIMP CSimFilter::GetClassID(CLSID* clsid)
{
    return CBaseFilter::GetClassID(clsid);
}

STDMETHODIMP CSimFilter::InitNew()
{
    return S_OK;
}

STDMETHODIMP CSimFilter::Load(IPropertyBag* bag, IErrorLog*)
{
    if (bag == nullptr)
        return E_POINTER;
    CSimBagValues values(bag);
    CSimCard* card = nullptr;
    HRESULT hr = CSimCardTable::Attach(values, &card);
    if (SUCCEEDED(hr))
        m_card = card;
    return hr;
}

STDMETHODIMP CSimFilter::Save(IPropertyBag*, BOOL, BOOL)
{
    static LONG reported = 0;
    return CDebugLog::NotImplemented("IPersistPropertyBag::Save", reported);
}

HRESULT CSimFilter::AttachDefault()
{
    CSimInstanceKeys values(0);
    CSimCard* card = nullptr;
    HRESULT hr = CSimCardTable::Attach(values, &card);
    if (SUCCEEDED(hr))
        m_card = card;
    return hr;
}

void* CSimFilter::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IPersistPropertyBag))
        return static_cast<IPersistPropertyBag*>(this);
    return CBaseFilter::FindInterface(iid);
}
