#include "CBitmap.h"

#include "CDC.h"
#include "CDialog.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCTSTR)RT_BITMAP);
    return AttachNew(::LoadBitmapA(hInst, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return AttachNew(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}
