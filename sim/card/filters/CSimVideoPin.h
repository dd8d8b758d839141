#pragma once

#include "CSimPicture.h"
#include "CSimVideoFormats.h"
#include "LiveSourcePin.h"

class CSimFilter;

// "Capture" and "Preview" of the capture filter: the card's picture, one frame per frame
// time, self-paced, in the format chosen through IAMStreamConfig (each pin its own). A
// camera's pins also offer I420, and property pages on their stream configuration.
class CSimVideoPin : public CLiveSourcePin, public IAMStreamConfig, public ISpecifyPropertyPages
{
public:
    CSimVideoPin(CSimFilter& filter, const WCHAR* name, const GUID& category, int index);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBasePin::Release(); }

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;
    HRESULT Active() override;
    // The decoder's TV format changed: the default size and frame time follow it.
    // Caller holds the state lock.
    void TvFormatChanged() { MediaTypesChanged(); }

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT FillBuffer(IMediaSample* sample) override;
    void* FindInterface(REFIID iid) override;

private:
    struct Checked
    {
        const SimVideoFormatInfo* info;
        VIDEOINFOHEADER header;
        bool corrected;
    };

    HRESULT Check(const AM_MEDIA_TYPE& type, Checked* checked);
    HRESULT MakeType(const SimVideoFormatInfo& info, LONG width, LONG height, LONGLONG interval, CAmMediaType& type);
    HRESULT DefaultType(int index, CAmMediaType& type);
    HRESULT CurrentType(CAmMediaType& type);
    bool Lines525();
    LONGLONG DefaultInterval();
    bool IsCamera();
    // How many formats the pin offers: the card's, and I420 on a camera.
    int FormatCount();
    const SimVideoFormatInfo* FormatOfSubtype(REFGUID subtype);

    CSimFilter& m_owner;
    const int m_index;

    // The format chosen through SetFormat. Guarded by the filter's state lock.
    bool m_formatSet = false;
    const SimVideoFormatInfo* m_format = nullptr;
    LONG m_width = 0;
    LONG m_height = 0;
    LONGLONG m_interval = 0;            // 0: the TV format's

    // Streaming thread only, set up by Active before the thread starts.
    const SimVideoFormatInfo* m_streamFormat = nullptr;
    LONG m_streamWidth = 0;
    LONG m_streamHeight = 0;
    DWORD m_imageSize = 0;
    LONGLONG m_frameTime = 0;
    DWORD m_frame = 0;
    SimPictureInput m_lastPicture = {};
};
