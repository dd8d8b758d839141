// CBitmap: a GDI bitmap.
#pragma once

#include "CGdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() {}

    static CBitmap* PASCAL FromHandle(HBITMAP hBitmap) { return (CBitmap*)CGdiObject::FromHandle(hBitmap); }
    operator HBITMAP() const { return (HBITMAP)m_hObject; }

    // From the resource module when it has the bitmap, else from the program.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
    BOOL LoadOEMBitmap(UINT nIDBitmap) { return AttachNew(::LoadBitmapA(NULL, MAKEINTRESOURCEA(nIDBitmap))); }

    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
    {
        return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
    }
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap) { return AttachNew(::CreateBitmapIndirect(lpBitmap)); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
    {
        return CreateCompatibleBitmap(pDC, nWidth, nHeight);
    }

    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits) { return ::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const { return ::GetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
};
