#include "CSimSnapPictureFilter.h"

#include "CSimPictureFile.h"
#include "CDebugLog.h"

#include <new>
#include <string.h>

const CLSID CLSID_SimSnapPicture = { 0xCCEE5929, 0x126A, 0x4AF0, { 0x85, 0x35, 0x8F, 0xA0, 0x22, 0x25, 0xC4, 0xA6 } };

namespace
{
const DWORD REQUEST_SIZE = 272;
const DWORD PATH_SIZE = 260;
const DWORD PICTURE_WAIT_MS = 2000;

DWORD Word(const BYTE* request, size_t offset)
{
    DWORD value = 0;
    memcpy(&value, request + offset, 4);
    return value;
}
}

CSimSnapPictureFilter::CSimSnapPictureFilter(IUnknown* outer)
    : CSimPictureTapFilter(outer, CLSID_SimSnapPicture, "snap", "simsnap:snap 1")
{
}

void* CSimSnapPictureFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_ISnapPicture))
        return static_cast<ISnapPicture*>(this);
    return CSimPictureTapFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimSnapPictureFilter::Unnamed3(DWORD)
{
    static LONG reported = 0;
    return CDebugLog::NotImplemented("ISnapPicture slot 3", reported);
}

STDMETHODIMP CSimSnapPictureFilter::TakePicture(LONG count, const BYTE* request)
{
    if (request == nullptr)
        return E_POINTER;
    DWORD kind = Word(request, 4);
    char path[PATH_SIZE + 1] = "";
    memcpy(path, request + 8, PATH_SIZE);
    LONG quality = (LONG)Word(request, 268);
    if (count != 1 || Word(request, 0) != REQUEST_SIZE || (kind != 1 && kind != 2) || path[0] == '\0')
        return E_INVALIDARG;
    if (State() == State_Stopped)
        return VFW_E_NOT_RUNNING;
    WCHAR wide[PATH_SIZE + 1];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, PATH_SIZE + 1) == 0)
        return E_INVALIDARG;
    CSimFrame picture;
    HRESULT hr = NextPicture(picture, PICTURE_WAIT_MS) ? S_OK : E_FAIL;
    if (SUCCEEDED(hr))
        hr = kind == 1 ? CSimPictureFile::SaveBmp(wide, picture) : CSimPictureFile::SaveJpeg(wide, picture, quality);
    Log().Line("P snap kind=%lu q=%ld %s %s", (unsigned long)kind, (long)quality, path, SUCCEEDED(hr) ? "ok" : "fail");
    return hr;
}
