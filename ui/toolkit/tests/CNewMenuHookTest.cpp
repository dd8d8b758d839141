// Popups of owner-drawn menus tracked headless from a window that routes the menu messages to
// CNewMenu: the hook's subclassing, the flat border, the system commands on XP, and the
// library's start-up with and without its hook.
#include <gtest/gtest.h>

#include <CMenuStyle.h>
#include <CNewMenu.h>
#include <CNewMenuHook.h>
#include <DialogWatcher.h>
#include <HelperProcess.h>
#include <MenuLoopStep.h>
#include <MenuSystemCode.h>
#include <ParentWindow.h>
#include <WindowPixels.h>

#include "MenuTestResources.h"
#include "MenuTestSupport.h"
#include "NewMenuTestResources.h"

namespace {

const COLORREF kMenu = RGB(200, 100, 0);
const COLORREF kWindow = RGB(240, 240, 240);
const COLORREF kOuterFrame = RGB(100, 50, 0);      // the menu colour darkened by 128
const COLORREF kInnerFrame = RGB(234, 220, 206);  // mix 86 of the window and menu colours
const COLORREF kDarkenedRed = RGB(205, 0, 0);     // the toolbar's second icon at rest

enum { kFirst, kSeparator, kSecond, kMore, kRestore, kClose, kMinimize };

// The resource's "&File" popup with the toolbar's icons, shown from a window that routes the
// menu messages as the program's windows do.
class RoutedMenu
{
public:
    RoutedMenu()
        : m_colors({COLOR_MENU, 30 /* COLOR_MENUBAR */, COLOR_WINDOW}, {kMenu, kMenu, kWindow}),
          m_shadow(TRUE)
    {
        CNewMenu::SetCurrentStyle(2);
        m_menu.LoadMenu(IDM_NEWMENU_TEST);
        m_menu.LoadToolbar(IDR_MENU_TOOLBAR);
        m_pFile = (CNewMenu*)CMenu::FromHandlePermanent(::GetSubMenu(m_menu.m_hMenu, 0));
        m_owner.SetAnswer([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
            MSG msg = {m_owner.Handle(), message, wParam, lParam, 0, {0, 0}};
            switch (message) {
            case WM_INITMENUPOPUP:
                CNewMenu::HandleInitMenuPopup(m_owner.Handle(), CMenu::FromHandle((HMENU)wParam));
                *pResult = 0;
                return TRUE;
            case WM_UNINITMENUPOPUP:
                CNewMenu::HandleUninitMenuPopup(m_owner.Handle(), (HMENU)wParam);
                *pResult = 0;
                return TRUE;
            case WM_MEASUREITEM:
                *pResult = CNewMenu::MeasureForWindow(&msg);
                return TRUE;
            case WM_DRAWITEM: {
                LPDRAWITEMSTRUCT lpDIS = (LPDRAWITEMSTRUCT)lParam;
                CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDIS->hwndItem);
                if (pMenu != NULL)
                    pMenu->DrawItem(lpDIS);
                *pResult = TRUE;
                return TRUE;
            }
            case WM_MENUCHAR:
                *pResult = CNewMenu::FindMnemonic(LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
                return TRUE;
            }
            return FALSE;
        });
    }

    CNewMenu* File() { return m_pFile; }

    // Opens the popup and runs the check while it is shown; TRUE when it ran.
    bool Show(const std::function<void(HWND menuWindow)>& check)
    {
        SetForegroundWindow(m_owner.Handle());
        MenuLoopStep step(check);
        m_pFile->TrackPopupMenu(TPM_LEFTALIGN, 120, 120, CWnd::FromHandle(m_owner.Handle()));
        return step.Ran();
    }

private:
    FixedSysColors m_colors;
    FixedDropShadow m_shadow;
    ParentWindow m_owner;
    CNewMenu m_menu;
    CNewMenu* m_pFile = NULL;
};

TEST(NewMenuHook, ShownPopupIsSubclassedAndFramedAndLetGoWhenItCloses)
{
    RoutedMenu menu;
    HWND hShown = NULL;
    ASSERT_TRUE(menu.Show([&](HWND menuWindow) {
        hShown = menuWindow;
        EXPECT_EQ(0, GetWindowLongPtrA(menuWindow, GWL_STYLE) & WS_BORDER);
        EXPECT_EQ(0, GetWindowLongPtrA(menuWindow, GWL_EXSTYLE) & 0x101);
        EXPECT_NE(nullptr, GetPropA(menuWindow, "OldMenuProc"));
        EXPECT_NE(0, GlobalFindAtomA("OldMenuProc"));
        MenuWindowRecord* pRecord = CNewMenuHook::FindRecord(menuWindow);
        ASSERT_NE(nullptr, pRecord);
        EXPECT_EQ(menu.File()->m_hMenu, pRecord->hMenu);

        WindowPixels pixels(menuWindow);
        EXPECT_EQ(kOuterFrame, pixels.At(0, 0));
        EXPECT_EQ(kInnerFrame, pixels.At(1, 1));
        CRect window, second;
        GetWindowRect(menuWindow, &window);
        GetMenuItemRect(menuWindow, menu.File()->m_hMenu, kSecond, &second);
        second.OffsetRect(-window.left, -window.top);
        EXPECT_EQ(kDarkenedRed, pixels.At(second.left + 3 + 8, second.top + second.Height() / 2))
            << "the toolbar's icon on its command";
        EXPECT_EQ(kOuterFrame, pixels.At(pixels.Width() - 1, pixels.Height() - 1))
            << "the system's shadow: the frame takes the whole window";
        if (::testing::Test::HasFailure())
            pixels.SaveBmp("newmenu-failure.bmp");

        // WM_PRINT composes the border with the items.
        HDC hScreen = GetDC(NULL);
        HDC hMemory = CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, window.Width(), window.Height());
        ReleaseDC(NULL, hScreen);
        HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
        SendMessageA(menuWindow, WM_PRINT, (WPARAM)hMemory, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        EXPECT_EQ(kOuterFrame, GetPixel(hMemory, 0, 0));
        EXPECT_EQ(kInnerFrame, GetPixel(hMemory, 1, 1));
        EXPECT_EQ(kDarkenedRed, GetPixel(hMemory, second.left + 3 + 8, second.top + second.Height() / 2));
        EXPECT_FALSE(pRecord->bDrawBorder) << "until the next WM_NCPAINT";
        SelectObject(hMemory, hOld);
        DeleteObject(hBitmap);
        DeleteDC(hMemory);

        SendMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(pRecord->dwFlags & MenuWindowRecord::kEscape);

        // Caught late, when the window is already shown (Wine never sends this itself).
        CNewMenuHook::UnsubclassMenuWindow(menuWindow);
        EXPECT_EQ(nullptr, CNewMenuHook::FindRecord(menuWindow));
        SendMessageA(menuWindow, 0x01E2, 0, 0);
        pRecord = CNewMenuHook::FindRecord(menuWindow);
        ASSERT_NE(nullptr, pRecord);
        EXPECT_TRUE(pRecord->dwFlags & MenuWindowRecord::kLate);

        // Moved alone it keeps its record and the shadow follows; moved and resized it is let go.
        SetWindowPos(menuWindow, NULL, window.left + 5, window.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(pRecord, CNewMenuHook::FindRecord(menuWindow));
        EXPECT_EQ(window.left + 5, pRecord->x);
        SetWindowPos(menuWindow, NULL, window.left, window.top, window.Width() + 10, window.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(nullptr, CNewMenuHook::FindRecord(menuWindow));
        EXPECT_EQ(nullptr, GetPropA(menuWindow, "OldMenuProc"));
    }));
    EXPECT_EQ(nullptr, CNewMenuHook::FindRecord(hShown));
    EXPECT_EQ(0, GlobalFindAtomA("OldMenuProc"));
    CNewMenu* pBar = (CNewMenu*)CMenu::FromHandlePermanent(menu.File()->GetParent());
    EXPECT_EQ(0, pBar->GetOpenMenuCount());
}

// 1 when the three system commands of a shown popup carried the next id while it was shown and
// their own ids again after it closed, 0 when they kept their own ids throughout, -1 otherwise.
SUITE_HELPER(SystemCommandIdsWhileShown)
{
    RoutedMenu menu;
    HMENU hFile = menu.File()->m_hMenu;
    const int items[] = {kRestore, kClose, kMinimize};
    const UINT commands[] = {SC_RESTORE, SC_CLOSE, SC_MINIMIZE};
    int shift = -1;
    bool same = true;
    BOOL shown = menu.Show([&](HWND) {
        shift = GetMenuItemID(hFile, kRestore) - SC_RESTORE;
        for (int i = 0; i < 3; i++)
            same = same && GetMenuItemID(hFile, items[i]) == commands[i] + shift;
    });
    for (int i = 0; i < 3; i++)
        same = same && GetMenuItemID(hFile, items[i]) == commands[i];
    same = same && menu.File()->GetItemData(kClose)->m_nID == SC_CLOSE;
    return shown && same && (shift == 0 || shift == 1) ? shift : -1;
}

TEST(NewMenuHook, SystemCommandsCarryTheNextIdOnlyWhileShownOnXP)
{
    {
        ProgramVersionSetting xp("winxp");
        EXPECT_EQ(1, HelperProcess::Run("SystemCommandIdsWhileShown"));
    }
    ProgramVersionSetting seven("win7");
    EXPECT_EQ(0, HelperProcess::Run("SystemCommandIdsWhileShown")) << "only XP's code shifts them";
}

TEST(NewMenuHook, ASecondStartUpInstallsNoSecondHook)
{
    HHOOK hHook = CNewMenuHook::GetHook();
    ASSERT_NE(nullptr, hHook) << "the program's own start-up installed it";
    {
        CNewMenuHook second;
        EXPECT_EQ(hHook, CNewMenuHook::GetHook());
    }
    EXPECT_EQ(hHook, CNewMenuHook::GetHook()) << "it goes only with the start-up that made it";
    EXPECT_NE(nullptr, CMenuStyle::GetCurrent());
}

HHOOK WINAPI RefuseHook(int, HOOKPROC, HINSTANCE, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return NULL;
}

HHOOK WINAPI RefuseHookSilently(int, HOOKPROC, HINSTANCE, DWORD)
{
    SetLastError(0x2FFFFFFF);
    return NULL;
}

TEST(NewMenuHook, WithTheHookRefusedTheProgramRunsOnWithSystemBorders)
{
    CNewMenuHook::RemoveHook();
    CNewMenuHook::HookInstaller pfnOld = CNewMenuHook::SetHookInstaller(RefuseHook);
    {
        DialogWatcher watcher;
        { CNewMenuHook startUp; }
        CNewMenuHook::SetHookInstaller(RefuseHookSilently);
        EXPECT_FALSE(CNewMenuHook::InstallHook());
        std::vector<ShownDialog> shown = watcher.Dialogs();
        ASSERT_EQ(2u, shown.size());
        EXPECT_EQ("Error", shown[0].caption);
        EXPECT_FALSE(shown[0].text.empty());
        EXPECT_EQ(std::string::npos, shown[0].text.find("not found")) << "the system's own text";
        EXPECT_EQ("Error message 0x2fffffff not found", shown[1].text);
    }
    EXPECT_EQ(nullptr, CNewMenuHook::GetHook());
    {
        RoutedMenu menu;
        ASSERT_TRUE(menu.Show([&](HWND menuWindow) {
            EXPECT_EQ(nullptr, GetPropA(menuWindow, "OldMenuProc"));
            EXPECT_EQ(nullptr, CNewMenuHook::FindRecord(menuWindow));
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            GetMenuItemInfoA(menu.File()->m_hMenu, kFirst, TRUE, &info);
            EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
            EXPECT_EQ(1, CMenu::FromHandlePermanent(menu.File()->GetParent()) != NULL
                             ? ((CNewMenu*)CMenu::FromHandlePermanent(menu.File()->GetParent()))->GetOpenMenuCount()
                             : -1);
        }));
        CNewMenu* pBar = (CNewMenu*)CMenu::FromHandlePermanent(menu.File()->GetParent());
        EXPECT_EQ(0, pBar->GetOpenMenuCount()) << "told of the closing without the hook";
    }
    CNewMenuHook::SetHookInstaller(pfnOld);
    EXPECT_TRUE(CNewMenuHook::InstallHook());
}

} // namespace
