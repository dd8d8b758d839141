#pragma once

#include <objbase.h>

// The identity of one COM object: its only reference count and its inner (non-delegating)
// IUnknown. Every other interface of the object forwards IUnknown to ControllingUnknown(),
// which is the outer object when aggregated, so aggregation needs nothing more.
// A new object starts at reference count 1, owned by its creator; the destructor is the
// one teardown function. Live objects keep the module from unloading (CComServer).
class CComIdentity
{
public:
    explicit CComIdentity(IUnknown* outer);
    virtual ~CComIdentity();
    CComIdentity(const CComIdentity&) = delete;
    CComIdentity& operator=(const CComIdentity&) = delete;

    IUnknown* InnerUnknown() { return &m_inner; }
    IUnknown* ControllingUnknown() const { return m_controlling; }

    // The non-delegating QueryInterface: clears the out pointer, matches, AddRefs once.
    HRESULT InnerQueryInterface(REFIID iid, void** out);
    ULONG InnerAddRef();
    ULONG InnerRelease();

protected:
    // The interface this object serves for iid, not AddRef'd, or null. IUnknown is
    // answered before this is asked. Overrides ask their base class last.
    virtual void* FindInterface(REFIID iid);

private:
    class CInner : public IUnknown
    {
    public:
        explicit CInner(CComIdentity& owner) : m_owner(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return m_owner.InnerQueryInterface(iid, out); }
        STDMETHODIMP_(ULONG) AddRef() override { return m_owner.InnerAddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_owner.InnerRelease(); }

    private:
        CComIdentity& m_owner;
    };

    CInner m_inner;
    LONG m_refs = 1;
    // Weak: the outer object owns us, or this is &m_inner.
    IUnknown* m_controlling;
};

// The IUnknown part of every interface an object implements: forwards to the controlling unknown.
#define DSHOW_DELEGATING_UNKNOWN                                                                      \
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override                                      \
    {                                                                                                 \
        return ControllingUnknown()->QueryInterface(iid, out);                                        \
    }                                                                                                 \
    STDMETHODIMP_(ULONG) AddRef() override { return ControllingUnknown()->AddRef(); }                 \
    STDMETHODIMP_(ULONG) Release() override { return ControllingUnknown()->Release(); }
