#include "StillCaptureFilter.h"

#include "ComRef.h"

CStillCaptureFilter::CStillCaptureFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CStillCaptureFilter::CStillCaptureFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}

namespace
{
BOOL CallParam(IBaseFilter* filter, BOOL set, LONG id, LONG* value)
{
    CComRef<IIviParams> params;
    if (filter == NULL || FAILED(filter->QueryInterface(IID_IIviParams, params.ReceiveVoid())))
        return FALSE;
    HRESULT hr = set ? params->SetParam(id, *value) : params->GetParam(id, value);
    return SUCCEEDED(hr);
}

BOOL WriteBitmapFile(const char* path, const BYTE* dib, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    // The file's true length: the DIB already holds its 40-byte info header.
    header.bfSize = sizeof(header) + size;
    // The pixels follow the two headers: a colour table is not counted.
    header.bfOffBits = 54;
    DWORD written = 0;
    BOOL ok = WriteFile(file, &header, sizeof(header), &written, NULL) && written == sizeof(header) &&
              WriteFile(file, dib, size, &written, NULL) && written == size;
    CloseHandle(file);
    if (!ok)
        DeleteFileA(path);
    return ok;
}
}

BOOL CStillCaptureFilter::GetParam(int id, LONG* value)
{
    return value != NULL && CallParam(GetFilter(), FALSE, id, value);
}

BOOL CStillCaptureFilter::SetParam(int id, LONG value)
{
    return CallParam(GetFilter(), TRUE, id, &value);
}

BOOL CStillCaptureFilter::GetPictureSize(LONG* bytes)
{
    return GetParam(kPictureSize, bytes);
}

BOOL CStillCaptureFilter::GetPicture(BYTE* buffer)
{
    return buffer != NULL && CallParam(GetFilter(), FALSE, kPicture, reinterpret_cast<LONG*>(buffer));
}

BOOL CStillCaptureFilter::SaveBitmap(const char* path)
{
    LONG size = 0;
    if (path == NULL || !GetPictureSize(&size) || size <= 0)
        return FALSE;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    BYTE* dib = memory != NULL ? static_cast<BYTE*>(GlobalLock(memory)) : NULL;
    BOOL ok = dib != NULL && GetPicture(dib) && WriteBitmapFile(path, dib, (DWORD)size);
    if (dib != NULL)
        GlobalUnlock(memory);
    if (memory != NULL)
        GlobalFree(memory);
    return ok;
}
