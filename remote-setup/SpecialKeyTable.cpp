#include "SpecialKeyTable.h"

#include "TandrilResource.h"

namespace {

struct SpecialKeyRow
{
    int virtualKey;
    UINT textId;
};

const SpecialKeyRow kSpecialKeys[SpecialKeyTable::kCount] = {
    {0, IDS_SPECIAL_NONE},
    {VK_ESCAPE, IDS_KEY_ESC},
    {VK_SPACE, IDS_SPECIAL_SPACE},
    {VK_BACK, IDS_SPECIAL_BACK},
    {VK_RETURN, IDS_SPECIAL_ENTER},
    {VK_F1, IDS_SPECIAL_F1},
    {VK_F2, IDS_SPECIAL_F1 + 1},
    {VK_F3, IDS_SPECIAL_F1 + 2},
    {VK_F4, IDS_SPECIAL_F1 + 3},
    {VK_F5, IDS_SPECIAL_F1 + 4},
    {VK_F6, IDS_SPECIAL_F1 + 5},
    {VK_F7, IDS_SPECIAL_F1 + 6},
    {VK_F8, IDS_SPECIAL_F1 + 7},
    {VK_F9, IDS_SPECIAL_F1 + 8},
    {VK_F10, IDS_SPECIAL_F1 + 9},
    {VK_F11, IDS_SPECIAL_F1 + 10},
    {VK_F12, IDS_SPECIAL_F1 + 11},
    {VK_NUMPAD0, IDS_SPECIAL_NUMPAD0},
    {VK_NUMPAD1, IDS_SPECIAL_NUMPAD0 + 1},
    {VK_NUMPAD2, IDS_SPECIAL_NUMPAD0 + 2},
    {VK_NUMPAD3, IDS_SPECIAL_NUMPAD0 + 3},
    {VK_NUMPAD4, IDS_SPECIAL_NUMPAD0 + 4},
    {VK_NUMPAD5, IDS_SPECIAL_NUMPAD0 + 5},
    {VK_NUMPAD6, IDS_SPECIAL_NUMPAD0 + 6},
    {VK_NUMPAD7, IDS_SPECIAL_NUMPAD0 + 7},
    {VK_NUMPAD8, IDS_SPECIAL_NUMPAD0 + 8},
    {VK_NUMPAD9, IDS_SPECIAL_NUMPAD0 + 9},
    {VK_TAB, IDS_KEY_TAB},
    {VK_LWIN, IDS_SPECIAL_LEFT_WIN},
    {VK_RWIN, IDS_SPECIAL_RIGHT_WIN},
    {VK_SLEEP, IDS_SPECIAL_SLEEP},
    {VK_NUMLOCK, IDS_SPECIAL_NUM_LOCK},
    {VK_CAPITAL, IDS_SPECIAL_CAPS_LOCK},
    {VK_INSERT, IDS_SPECIAL_INSERT},
    {VK_DELETE, IDS_SPECIAL_DELETE},
    {VK_PRIOR, IDS_SPECIAL_PAGE_UP},
    {VK_NEXT, IDS_SPECIAL_PAGE_DOWN},
    {VK_END, IDS_SPECIAL_END},
    {VK_HOME, IDS_SPECIAL_HOME},
    {VK_LEFT, IDS_SPECIAL_LEFT},
    {VK_UP, IDS_SPECIAL_UP},
    {VK_RIGHT, IDS_SPECIAL_RIGHT},
    {VK_DOWN, IDS_SPECIAL_DOWN},
};

bool InTable(int index)
{
    return index >= 0 && index < SpecialKeyTable::kCount;
}

} // namespace

int SpecialKeyTable::GetVirtualKey(int index)
{
    return InTable(index) ? kSpecialKeys[index].virtualKey : 0;
}

UINT SpecialKeyTable::GetStringId(int index)
{
    return InTable(index) ? kSpecialKeys[index].textId : 0;
}

CString SpecialKeyTable::GetText(int index)
{
    CString text;
    if (InTable(index))
        text.LoadString(kSpecialKeys[index].textId);
    return text;
}
