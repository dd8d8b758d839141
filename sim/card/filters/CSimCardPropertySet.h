#pragma once

#include "CSimFilter.h"

// IKsPropertySet of the card's private sets, as the tuner and capture filters serve them: the
// sets of the family the card is registered as. Every other set, the kernel-streaming
// device-control set included, is unsupported: claiming that one would send the host to a
// transport Wine cannot run.
// Part of its filter's COM object.
class CSimCardPropertySet : public IKsPropertySet
{
public:
    explicit CSimCardPropertySet(CSimFilter& filter);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

private:
    HRESULT Call(bool get, REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize,
                 DWORD* returned);

    // Weak: this object is a member of its filter.
    CSimFilter& m_filter;
};
