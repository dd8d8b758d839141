#pragma once

#include "CSimPictureTapFilter.h"

// The maker's snap-picture filter, in the video path: each request (the 272-byte record of
// ISnapPicture) writes the next picture as a BMP or a JPEG of the quality asked for.
class CSimSnapPictureFilter : public CSimPictureTapFilter, public ISnapPicture
{
public:
    explicit CSimSnapPictureFilter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    // ISnapPicture
    STDMETHODIMP Unnamed3(DWORD) override;
    STDMETHODIMP TakePicture(LONG count, const BYTE* request) override;

protected:
    void* FindFilterInterface(REFIID iid) override;
};

// {CCEE5929-126A-4AF0-8535-8FA02225C4A6}
extern const CLSID CLSID_SimSnapPicture;
