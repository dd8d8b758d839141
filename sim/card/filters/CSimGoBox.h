#pragma once

#include "CSimFilter.h"

// The GO7007 box driver's interfaces on its capture filter, in their slot order.
struct ISimGoRegisters : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    virtual HRESULT STDMETHODCALLTYPE RegisterWrite(DWORD device, DWORD width, DWORD sub, DWORD data, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE RegisterRead(DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE BlockWrite(DWORD device, DWORD width, DWORD sub, DWORD count, BYTE* data,
                                                 DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
    virtual HRESULT STDMETHODCALLTYPE Command(DWORD code, BYTE* request, DWORD count, DWORD* value, DWORD flags) = 0;
};

struct ISimGoProfiles : public IUnknown
{
    // name: 64 bytes.
    virtual HRESULT STDMETHODCALLTYPE GetCurrentProfileName(char* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    // catalogue: the driver's profile catalogue block.
    virtual HRESULT STDMETHODCALLTYPE GetProfileCatalogue(void* catalogue) = 0;
};

struct ISimGoMediaType : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetMediaType(AM_MEDIA_TYPE* type) = 0;
};

// The GO7007 front end of the capture filter: the register interface onto the card's bus,
// the profile interface handing out the catalogue and current profile name that the
// instance values "Go7007Catalogue" (binary) and "Go7007Profile" hold, and the media-type
// interface, which only traces. Part of its filter's COM object.
class CSimGoBox : public ISimGoRegisters, public ISimGoProfiles, public ISimGoMediaType
{
public:
    // The catalogue bytes the driver fills: all but the host's combination count and array.
    enum { CATALOGUE_BYTES = 43940, PROFILE_NAME = 64 };

    explicit CSimGoBox(CSimFilter& filter);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterWrite(DWORD device, DWORD width, DWORD sub, DWORD data, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE RegisterRead(DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE BlockWrite(DWORD device, DWORD width, DWORD sub, DWORD count, BYTE* data,
                                         DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Command(DWORD code, BYTE* request, DWORD count, DWORD* value, DWORD flags) override;

    HRESULT STDMETHODCALLTYPE GetCurrentProfileName(char* name) override;
    HRESULT STDMETHODCALLTYPE GetProfileCatalogue(void* catalogue) override;

    HRESULT STDMETHODCALLTYPE SetMediaType(AM_MEDIA_TYPE* type) override;

    void* Registers() { return static_cast<ISimGoRegisters*>(this); }
    void* Profiles() { return static_cast<ISimGoProfiles*>(this); }
    void* MediaType() { return static_cast<ISimGoMediaType*>(this); }

private:
    // Weak: this object is a member of its filter.
    CSimFilter& m_filter;
};
