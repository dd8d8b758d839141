#include "PinCategorySet.h"

#include <string.h>

CPinCategorySet::CPinCategorySet(IPin& owner, REFGUID category)
    : m_owner(owner), m_category(category)
{
}

HRESULT CPinCategorySet::CheckProperty(REFGUID set, DWORD id) const
{
    if (!IsEqualGUID(set, AMPROPSETID_Pin))
        return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY)
        return E_PROP_ID_UNSUPPORTED;
    return S_OK;
}

STDMETHODIMP CPinCategorySet::Set(REFGUID set, DWORD id, void*, DWORD, void*, DWORD)
{
    HRESULT hr = CheckProperty(set, id);
    // The category is fixed by the pin's role.
    return FAILED(hr) ? hr : E_PROP_ID_UNSUPPORTED;
}

STDMETHODIMP CPinCategorySet::Get(REFGUID set, DWORD id, void*, DWORD, void* data, DWORD dataSize, DWORD* returned)
{
    HRESULT hr = CheckProperty(set, id);
    if (FAILED(hr))
        return hr;
    if (!data)
        return E_POINTER;
    if (dataSize < sizeof(GUID))
        return E_UNEXPECTED;
    memcpy(data, &m_category, sizeof(GUID));
    if (returned)
        *returned = sizeof(GUID);
    return S_OK;
}

STDMETHODIMP CPinCategorySet::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    HRESULT hr = CheckProperty(set, id);
    if (FAILED(hr))
        return hr;
    if (support)
        *support = KSPROPERTY_SUPPORT_GET;
    return S_OK;
}
