#pragma once

#include "CSimStandInFilter.h"

#include <ks.h>
#include <ksproxy.h>

#include <map>
#include <vector>

// The classes the cards' encoder devices register under; the program finds them by
// FriendlyName in the encoder device category.
extern const CLSID CLSID_SimBlackbirdEncoder;
extern const CLSID CLSID_SimRaptorEncoder;

// A card's MPEG encoder device: no pins, only its driver's property set, which keeps what each
// id was last set to and gives it back. An id never set is unsupported; another set is not the
// driver's. Every call is logged ("cardenc": "S 7 4 -> 00000000").
class CSimCardEncoderFilter : public CSimStandInFilter, public IKsPropertySet
{
public:
    CSimCardEncoderFilter(IUnknown* outer, REFCLSID clsid, const GUID& set, const char* identity);

    DSHOW_DELEGATING_UNKNOWN

    static CComIdentity* CreateBlackbird(IUnknown* outer, HRESULT* result);
    static CComIdentity* CreateRaptor(IUnknown* outer, HRESULT* result);

    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    // IKsPropertySet
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD size) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD size,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

protected:
    HRESULT PausedStateResult() override { return VFW_S_CANT_CUE; }
    void* FindFilterInterface(REFIID iid) override;

private:
    HRESULT Logged(char call, DWORD id, DWORD size, HRESULT hr);

    const GUID& m_set;
    std::map<DWORD, std::vector<BYTE>> m_values;
};
