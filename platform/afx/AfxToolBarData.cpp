#include "AfxToolBarData.h"

#include "afxres.h"

const AfxToolBarData* PASCAL AfxToolBarData::Load(HINSTANCE hInst, LPCTSTR lpszResourceName)
{
    HRSRC hResource = FindResourceA(hInst, lpszResourceName, RT_TOOLBAR);
    HGLOBAL hData = hResource != NULL ? LoadResource(hInst, hResource) : NULL;
    const AfxToolBarData* pData = hData != NULL ? (const AfxToolBarData*)LockResource(hData) : NULL;
    DWORD dwSize = hResource != NULL ? SizeofResource(hInst, hResource) : 0;
    if (pData == NULL || dwSize < sizeof(AfxToolBarData) ||
        dwSize < sizeof(AfxToolBarData) + pData->wItemCount * sizeof(WORD))
        return NULL;
    return pData;
}
