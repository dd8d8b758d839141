#pragma once

#include "CSimStandInFilter.h"

// The class the DVB-C capture filter registers under; the program finds it by FriendlyName.
extern const CLSID CLSID_SimDvbcCapture;

// The DVB-C card's transport-stream capture filter: no pins, only the driver's control
// interface, whose every call is logged ("dvbc": "M5 1 2"). The named slots answer S_OK, the
// others E_NOTIMPL; the switch "FailMethod" (text, C notation) makes the slot of that number answer
// E_FAIL. Pause means a live source: nothing to cue.
class CSimDvbcFilter : public CSimStandInFilter, public IDvbcTsControl
{
public:
    explicit CSimDvbcFilter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    // IDvbcTsControl
    STDMETHODIMP Call3() override { return Logged(3, "M3"); }
    STDMETHODIMP Call4() override { return Logged(4, "M4"); }
    STDMETHODIMP Call5(DWORD a, DWORD b) override { return Logged(5, "M5 %lu %lu", a, b); }
    STDMETHODIMP Unnamed6(DWORD a) override { return Unnamed(6, a); }
    STDMETHODIMP Call7() override { return Logged(7, "M7"); }
    STDMETHODIMP Call8(DWORD a) override { return Logged(8, "M8 %lu", a); }
    STDMETHODIMP Call9(DWORD a) override { return Logged(9, "M9 %lu", a); }
    STDMETHODIMP Call10(DWORD a) override { return Logged(10, "M10 %lu", a); }
    STDMETHODIMP Call11(DWORD a) override { return Logged(11, "M11 %lu", a); }
    STDMETHODIMP Call12(DWORD a) override { return Logged(12, "M12 %lu", a); }
    STDMETHODIMP Unnamed13(DWORD a) override { return Unnamed(13, a); }
    STDMETHODIMP Call14(DWORD a) override { return Logged(14, "M14 %lu", a); }
    STDMETHODIMP Unnamed15(DWORD a) override { return Unnamed(15, a); }
    STDMETHODIMP Unnamed16(DWORD a) override { return Unnamed(16, a); }
    STDMETHODIMP Unnamed17(DWORD a) override { return Unnamed(17, a); }
    STDMETHODIMP Unnamed18(DWORD a) override { return Unnamed(18, a); }
    STDMETHODIMP Unnamed19(DWORD a) override { return Unnamed(19, a); }
    STDMETHODIMP Call20(DWORD a, DWORD b) override { return Logged(20, "M20 %lu %lu", a, b); }

protected:
    HRESULT PausedStateResult() override { return VFW_S_CANT_CUE; }
    void* FindFilterInterface(REFIID iid) override;

private:
    HRESULT Logged(int method, const char* format, ...);
    HRESULT Unnamed(int method, DWORD value);

    DWORD m_failMethod;
};
