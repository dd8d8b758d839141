#pragma once

#include "CSimFilter.h"

// The USB box driver's private interface: after IUnknown one method nobody calls, then Set and
// Get of a numbered property in the caller's memory.
struct ISimBoxProperties : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved() = 0;
    virtual HRESULT STDMETHODCALLTYPE Set(DWORD id, void* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Get(DWORD id, void* buffer) = 0;
};

// The USB box front end of the capture filter: decodes the properties onto the card.
// Part of its filter's COM object.
class CSimBoxProperties : public ISimBoxProperties
{
public:
    explicit CSimBoxProperties(CSimFilter& filter);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    HRESULT STDMETHODCALLTYPE Reserved() override;
    HRESULT STDMETHODCALLTYPE Set(DWORD id, void* value) override;
    HRESULT STDMETHODCALLTYPE Get(DWORD id, void* buffer) override;

private:
    // Weak: this object is a member of its filter.
    CSimFilter& m_filter;
};
