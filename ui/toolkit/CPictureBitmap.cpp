#include "CPictureBitmap.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <vector>

CPictureBitmap::~CPictureBitmap()
{
    DeleteObject();
}

BOOL CPictureBitmap::LoadFromResource(UINT resourceId, LPCTSTR resourceType, HMODULE module,
                                      COLORREF background)
{
    if (m_hObject != NULL)
        return FALSE;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), resourceType);
    HGLOBAL loaded = found != NULL ? LoadResource(module, found) : NULL;
    const void* data = loaded != NULL ? LockResource(loaded) : NULL;
    if (data == NULL)
        return FALSE;
    return LoadFromBytes(data, SizeofResource(module, found), background);
}

BOOL CPictureBitmap::LoadFromFile(LPCTSTR path, COLORREF background)
{
    if (m_hObject != NULL)
        return FALSE;
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return FALSE;
    std::vector<char> bytes;
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof(block), file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    fclose(file);
    return !bytes.empty() && LoadFromBytes(bytes.data(), (DWORD)bytes.size(), background);
}

BOOL CPictureBitmap::LoadFromBytes(const void* bytes, DWORD size, COLORREF background)
{
    if (m_hObject != NULL)
        return FALSE;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == NULL)
        return FALSE;
    memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    IStream* stream = NULL;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return FALSE;
    }
    IPicture* picture = NULL;
    HRESULT hr = OleLoadPicture(stream, (LONG)size, FALSE, IID_IPicture, (void**)&picture);
    stream->Release();
    if (FAILED(hr) || picture == NULL)
        return FALSE;

    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    HDC dc = CreateCompatibleDC(screen);
    // HIMETRIC is hundredths of a millimetre: 2540 to the inch.
    int width = MulDiv(himetricWidth, GetDeviceCaps(dc, LOGPIXELSX), 2540);
    int height = MulDiv(himetricHeight, GetDeviceCaps(dc, LOGPIXELSY), 2540);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    BOOL rendered = FALSE;
    if (bitmap != NULL) {
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        if (background != 0xFFFFFFFF) {
            HBRUSH brush = CreateSolidBrush(background);
            RECT whole = {0, 0, width, height};
            FillRect(dc, &whole, brush);
            ::DeleteObject(brush);
        }
        // Pictures keep their rows bottom-up in HIMETRIC: render from the bottom, upwards.
        rendered = SUCCEEDED(picture->Render(dc, 0, 0, width, height, 0, himetricHeight,
                                             himetricWidth, -himetricHeight, NULL));
        ::SelectObject(dc, old);
    }
    DeleteDC(dc);
    ReleaseDC(desktop, screen);
    picture->Release();
    if (!rendered) {
        if (bitmap != NULL)
            ::DeleteObject(bitmap);
        return FALSE;
    }
    return Attach(bitmap);
}
