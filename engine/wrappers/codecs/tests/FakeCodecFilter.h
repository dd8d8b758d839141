#pragma once

#include "BaseFilter.h"
#include "CodecInterfaces.h"

#include <string>
#include <vector>

// A filter without pins that answers the outside filters' private interfaces the way the
// tests set it up, and writes down every call it gets ("Set 258=224"). One IIviParams serves
// every InterVideo parameter interface, since they share its layout.
class FakeCodecFilter : public CBaseFilter, public IIviParams, public ISnapPicture, public IDeinterlaceControl
{
public:
    explicit FakeCodecFilter(REFCLSID clsid);

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    // IIviParams
    STDMETHODIMP GetParam(LONG id, LONG* value) override;
    STDMETHODIMP SetParam(LONG id, LONG value) override;
    // ISnapPicture
    STDMETHODIMP Method3(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TakePicture(LONG count, const BYTE* request) override;
    // IDeinterlaceControl
    STDMETHODIMP GetHighQuality(LONG* on) override;
    STDMETHODIMP SetHighQuality(LONG on) override;
    STDMETHODIMP GetNoiseReduce(VARIANT_BOOL* on) override;
    STDMETHODIMP SetNoiseReduce(VARIANT_BOOL on) override;
    STDMETHODIMP GetHalfRate(VARIANT_BOOL* on) override;
    STDMETHODIMP SetHalfRate(VARIANT_BOOL on) override;
    STDMETHODIMP GetReduceValue(LONG* value) override;
    STDMETHODIMP SetReduceValue(LONG value) override;
    STDMETHODIMP SaveSnapshot(LPCWSTR path, LONG kind, LONG quality) override;
    STDMETHODIMP GetSmallFrame(VARIANT_BOOL* on) override;
    STDMETHODIMP SetSmallFrame(VARIANT_BOOL on) override;

    // The interfaces QueryInterface answers besides the filter's own (all of them when empty).
    std::vector<IID> offered;
    // What GetParam(1543) reports; GetParam(1544) fills that many bytes with 0x5A.
    LONG pictureBytes = 0;
    std::vector<std::string> calls;
    std::vector<BYTE> lastRequest;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    bool Offers(REFIID iid) const;
    HRESULT Note(const char* format, ...);
};
