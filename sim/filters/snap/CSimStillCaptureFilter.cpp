#include "CSimStillCaptureFilter.h"

#include "CSimPictureFile.h"

#include <new>
#include <string.h>

const CLSID CLSID_SimStillCapture = { 0x14DCDA2E, 0xE2AC, 0x498C, { 0xA6, 0xCF, 0xB5, 0x94, 0x33, 0x2F, 0x9A, 0xB7 } };

CSimStillCaptureFilter::CSimStillCaptureFilter(IUnknown* outer)
    : CSimPictureTapFilter(outer, CLSID_SimStillCapture, "still", "simsnap:still 1")
{
}

void* CSimStillCaptureFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IIviParams))
        return static_cast<IIviParams*>(this);
    return CSimPictureTapFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimStillCaptureFilter::GetParam(LONG id, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    if (id >= FIRST_SETTING && id <= LAST_SETTING) {
        *value = m_settings[id - FIRST_SETTING];
        return S_OK;
    }
    if (id != PICTURE_SIZE && id != PICTURE)
        return E_INVALIDARG;
    CSimFrame picture;
    std::vector<BYTE> dib;
    if (LastPicture(picture))
        CSimPictureFile::MakeDib(picture, dib);
    if (id == PICTURE_SIZE) {
        *value = (LONG)dib.size();
        return S_OK;
    }
    // The caller sized its buffer by 1543; no picture, nothing to give.
    if (dib.empty())
        return E_FAIL;
    memcpy(value, dib.data(), dib.size());
    Log().Line("P still %lu bytes", (unsigned long)dib.size());
    return S_OK;
}

STDMETHODIMP CSimStillCaptureFilter::SetParam(LONG id, LONG value)
{
    if (id < FIRST_SETTING || id > LAST_SETTING)
        return E_INVALIDARG;
    m_settings[id - FIRST_SETTING] = value;
    Log().Line("S %ld=%ld", (long)id, (long)value);
    return S_OK;
}
