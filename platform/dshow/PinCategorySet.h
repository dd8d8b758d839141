#pragma once

#include <dshow.h>

// IKsPropertySet answering the pin category (AMPROPSETID_Pin / AMPROPERTY_PIN_CATEGORY)
// of an output pin, read-only, which is how capture graph builders tell a "Capture"
// pin from a "Preview" pin. Part of the pin's COM object: IUnknown goes to the pin.
class CPinCategorySet : public IKsPropertySet
{
public:
    CPinCategorySet(IPin& owner, REFGUID category);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return m_owner.QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner.Release(); }

    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    const GUID& Category() const { return m_category; }

private:
    HRESULT CheckProperty(REFGUID set, DWORD id) const;

    // Weak: this object is a member of its pin.
    IPin& m_owner;
    const GUID m_category;
};
