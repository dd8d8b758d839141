#pragma once

#include "BaseFilter.h"
#include "CSimCard.h"

#include <ocidl.h>

#include <atomic>
#include <new>

// What the card's four filters share: the card they sit on, chosen by the instance values
// the device enumerator hands to IPersistPropertyBag::Load. A filter made without a bag
// sits on card 0.
class CSimFilter : public CBaseFilter, public IPersistPropertyBag
{
public:
    CSimFilter(IUnknown* outer, REFCLSID clsid, const char* who);

    DSHOW_DELEGATING_UNKNOWN

    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IPersistPropertyBag
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // Card 0, with its registered instance values.
    HRESULT AttachDefault();
    // The card of the filter that made this object, for objects no enumerator makes.
    void ShareCard(CSimCard& card) { m_card = &card; }
    // Set from creation on; the card outlives every filter of the process.
    CSimCard& Card() const { return *m_card.load(); }
    const char* Who() const { return m_who; }

    // The create function of a class table entry.
    template <class T>
    static CComIdentity* Create(IUnknown* outer, HRESULT* result)
    {
        T* filter = new (std::nothrow) T(outer);
        if (filter == nullptr) {
            *result = E_OUTOFMEMORY;
            return nullptr;
        }
        *result = filter->AttachDefault();
        if (FAILED(*result)) {
            filter->InnerRelease();
            return nullptr;
        }
        return filter;
    }

protected:
    void* FindInterface(REFIID iid) override;

private:
    const char* const m_who;
    std::atomic<CSimCard*> m_card{nullptr};
};
