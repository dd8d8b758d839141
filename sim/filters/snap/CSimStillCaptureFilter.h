#pragma once

#include "CSimPictureTapFilter.h"

// The still-capture filter built for the maker, in the video path: numbered parameters 1537
// to 1541 are kept; 1543 reports the size of the current picture as a packed 24-bit DIB and
// 1544 copies that DIB into the caller's buffer.
class CSimStillCaptureFilter : public CSimPictureTapFilter, public IIviParams
{
public:
    enum { FIRST_SETTING = 1537, LAST_SETTING = 1541, PICTURE_SIZE = 1543, PICTURE = 1544 };

    explicit CSimStillCaptureFilter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    // IIviParams
    STDMETHODIMP GetParam(LONG id, LONG* value) override;
    STDMETHODIMP SetParam(LONG id, LONG value) override;

protected:
    void* FindFilterInterface(REFIID iid) override;

private:
    // Set by the application's thread.
    LONG m_settings[LAST_SETTING - FIRST_SETTING + 1] = {};
};

// {14DCDA2E-E2AC-498C-A6CF-B594332F9AB7}
extern const CLSID CLSID_SimStillCapture;
