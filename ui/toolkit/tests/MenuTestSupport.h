// What the menu tests share: fixed system settings that are put back, a menu of hand-made
// owner-drawn items, and an image's pixels.
#pragma once

#include <CNewMenu.h>

#include <string>
#include <vector>

// System colours fixed for a test and put back after it.
class FixedSysColors
{
public:
    FixedSysColors(const std::vector<int>& elements, const std::vector<COLORREF>& colors);
    ~FixedSysColors();

private:
    std::vector<int> m_elements;
    std::vector<COLORREF> m_saved;
};

// The system's drop-shadow setting for a test, put back after it.
class FixedDropShadow
{
public:
    explicit FixedDropShadow(BOOL bOn);
    ~FixedDropShadow();

private:
    BOOL m_bSaved = FALSE;
};

// A popup of owner-drawn items whose records the test makes.
class CHandMadeMenu : public CNewMenu
{
public:
    CHandMadeMenu() { CreatePopupMenu(); }
    // Appends an owner-drawn item carrying the record, which the menu then owns.
    CNewMenuItemData* Append(UINT nFlags, UINT_PTR nID, const char* text, DWORD dwTitleFlags = 0);
};

// The colour of a pixel of an image-list image drawn on white.
COLORREF ImagePixel(HIMAGELIST hImageList, int nImage, int x, int y);

// The per-program release setting of this test program (Wine's Windows
// version), read by the processes it starts and removed afterwards.
class ProgramVersionSetting
{
public:
    explicit ProgramVersionSetting(const char* version);
    ~ProgramVersionSetting();

private:
    std::string m_key;
};
