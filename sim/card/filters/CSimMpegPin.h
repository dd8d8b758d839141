#pragma once

#include "BaseOutputPin.h"

class CSimFilter;

// "Video Capture" and "Video Preview" of the GO7007 box: MPEG-1, MPEG-2 and four MPEG-4
// codes at a few sizes, each format block with room for the driver's 1,428 bytes of profile
// rows (not at 320x240, whose blocks are too small for them). SetFormat traces the format
// and the rows found where the driver keeps them. The instance values "Go7007FailCaps" (a
// capability index) and "Go7007FailSetFormat" (an HRESULT) make that capability's
// GetStreamCaps or every SetFormat fail. The box streams nothing here.
class CSimMpegPin : public CBaseOutputPin, public IAMStreamConfig
{
public:
    CSimMpegPin(CSimFilter& filter, const WCHAR* name, const GUID& category, const char* traceName);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBasePin::Release(); }

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void* FindInterface(REFIID iid) override;

private:
    // The capability a type stands for (kind and size); -1 for none.
    static int CapabilityOf(const AM_MEDIA_TYPE& type);
    static HRESULT MakeType(int index, CAmMediaType& type);
    void TraceFormat(const AM_MEDIA_TYPE& type, int index);

    CSimFilter& m_owner;
    const char* const m_traceName;
    // Capability 0 until SetFormat. Guarded by the filter's state lock.
    CAmMediaType m_format;
};
