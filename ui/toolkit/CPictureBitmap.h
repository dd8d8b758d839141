#pragma once

#include <afxwin.h>

// A bitmap filled from any picture the system's OLE picture loader reads (BMP, JPEG, GIF...),
// rendered at the picture's own size in pixels of the screen. Only an empty object loads.
class CPictureBitmap : public CBitmap
{
public:
    CPictureBitmap() {}
    ~CPictureBitmap() override;

    // background 0xFFFFFFFF: the bitmap is not filled before the picture is rendered (what a
    // transparent picture leaves shows as the new bitmap's own content).
    BOOL LoadFromResource(UINT resourceId, LPCTSTR resourceType, HMODULE module,
                          COLORREF background);
    BOOL LoadFromFile(LPCTSTR path, COLORREF background);

protected:
    BOOL LoadFromBytes(const void* bytes, DWORD size, COLORREF background);
};
