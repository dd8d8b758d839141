#pragma once

#include "BasePropertyPage.h"

// The one property page the simulated drivers show, on the filters and pins that have pages:
// a text and nothing to change, so that a property frame has something to show.
class CSimDriverPage : public CBasePropertyPage
{
public:
    explicit CSimDriverPage(IUnknown* outer);

    // The create function of its class table entry.
    static CComIdentity* Create(IUnknown* outer, HRESULT* result);
    // The page list of ISpecifyPropertyPages::GetPages: this page alone.
    static HRESULT List(CAUUID* pages);
};
