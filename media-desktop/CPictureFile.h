#pragma once

#include "afxwin.h"

#include <ocidl.h>
#include <olectl.h>

// A picture file loaded by the system's picture loader (BMP, JPEG, GIF, icons, metafiles),
// drawn whole or in part into a device context.
class CPictureFile
{
public:
    CPictureFile();
    ~CPictureFile();
    CPictureFile(const CPictureFile&) = delete;
    CPictureFile& operator=(const CPictureFile&) = delete;

    // Releases any earlier picture first; FALSE when the file did not load.
    BOOL LoadPictureFile(LPCTSTR path);
    BOOL IsLoaded() const { return m_picture != NULL; }
    // In pixels of the screen; -1 by -1 without a picture.
    CSize GetSize() const;
    const CString& GetPath() const { return m_path; }

    // Draws the source rectangle (in the picture's pixels, clipped to it; srcX or srcY of -1
    // for the whole picture) stretched over the destination.
    BOOL Draw(CDC* pDC, int x, int y, int width, int height, int srcX = -1, int srcY = -1,
              int srcWidth = -1, int srcHeight = -1);

private:
    void Release();

    IPicture* m_picture;  // owned
    SIZE m_himetric;
    SIZE m_pixels;
    CString m_path;
};
