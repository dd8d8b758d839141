#include "MenuTestSupport.h"

#include <WindowPixels.h>

#ifndef SPI_SETDROPSHADOW
#define SPI_SETDROPSHADOW 0x1025
#endif
#ifndef SPI_GETDROPSHADOW
#define SPI_GETDROPSHADOW 0x1024
#endif

FixedSysColors::FixedSysColors(const std::vector<int>& elements, const std::vector<COLORREF>& colors)
    : m_elements(elements)
{
    for (int element : elements)
        m_saved.push_back(GetSysColor(element));
    SetSysColors((int)elements.size(), elements.data(), colors.data());
}

FixedSysColors::~FixedSysColors()
{
    SetSysColors((int)m_elements.size(), m_elements.data(), m_saved.data());
}

FixedDropShadow::FixedDropShadow(BOOL bOn)
{
    SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &m_bSaved, 0);
    SystemParametersInfoA(SPI_SETDROPSHADOW, 0, (PVOID)(INT_PTR)bOn, 0);
}

FixedDropShadow::~FixedDropShadow()
{
    SystemParametersInfoA(SPI_SETDROPSHADOW, 0, (PVOID)(INT_PTR)m_bSaved, 0);
}

CNewMenuItemData* CHandMadeMenu::Append(UINT nFlags, UINT_PTR nID, const char* text, DWORD dwTitleFlags)
{
    CNewMenuItemData* pData = new CNewMenuItemData;
    pData->m_szMenuText = text;
    pData->m_nFlags = nFlags | MF_OWNERDRAW;
    pData->m_nID = nID;
    pData->m_nTitleFlags = dwTitleFlags;
    m_MenuItemList.Add(pData);
    CMenu::AppendMenu(nFlags | MF_OWNERDRAW, nID, (LPCTSTR)pData);
    return pData;
}

COLORREF ImagePixel(HIMAGELIST hImageList, int nImage, int x, int y)
{
    int cx = 0, cy = 0;
    ImageList_GetIconSize(hImageList, &cx, &cy);
    HDC hScreen = GetDC(NULL);
    HDC hDC = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, cx, cy);
    ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    RECT all = {0, 0, cx, cy};
    FillRect(hDC, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    ImageList_Draw(hImageList, nImage, hDC, 0, 0, ILD_TRANSPARENT);
    COLORREF cr = GetPixel(hDC, x, y);
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    return cr;
}

ProgramVersionSetting::ProgramVersionSetting(const char* version)
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string name = path;
    m_key = "Software\\Wine\\AppDefaults\\" + name.substr(name.find_last_of("\\/") + 1);
    HKEY hKey = NULL;
    RegCreateKeyA(HKEY_CURRENT_USER, m_key.c_str(), &hKey);
    RegSetValueExA(hKey, "Version", 0, REG_SZ, (const BYTE*)version, lstrlenA(version) + 1);
    RegCloseKey(hKey);
}

ProgramVersionSetting::~ProgramVersionSetting()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str());
}
