// The menu-hosting windows: the six classes made and routing their menus to CNewMenu, the
// frames' LoadFrame, the dialog's command updating, the document template's shared menu, and
// hot tracking of the menu bar under the real mouse.
#include <gtest/gtest.h>

#include <CNewDialog.h>
#include <CNewFrameWnd.h>
#include <CNewMDIChildWnd.h>
#include <CNewMDIFrameWnd.h>
#include <CNewMiniDockFrameWnd.h>
#include <CNewMiniFrameWnd.h>
#include <CNewMultiDocTemplate.h>
#include <HelperProcess.h>
#include <PumpMessages.h>
#include <UserInput.h>

#include "MenuFrameTestResources.h"
#include "MenuTestResources.h"
#include "MenuTestSupport.h"

#include <functional>
#include <memory>
#include <vector>

namespace {

int PositionOf(HMENU hMenu, UINT nID)
{
    for (int i = 0; i < GetMenuItemCount(hMenu); i++) {
        if (GetMenuItemID(hMenu, i) == nID)
            return i;
    }
    return -1;
}

bool IsOwnerDrawn(HMENU hMenu, int nPos)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoA(hMenu, nPos, TRUE, &info) && (info.fType & MFT_OWNERDRAW);
}

ULONG_PTR ItemData(HMENU hMenu, int nPos)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    return GetMenuItemInfoA(hMenu, nPos, TRUE, &info) ? info.dwItemData : 0;
}

// One window of each class, made and later destroyed; what the routing test reads of it.
struct HostWindow {
    HWND hWnd;
    CNewMenu* pSystemMenu;
};

struct HostCase {
    const char* name;
    std::function<HostWindow()> make;
};

TEST(MenuHostFrame, EachClassConvertsItsSystemMenuAndRoutesTheMenuMessages)
{
    CNewMDIFrameWnd* pMDIParent = new CNewMDIFrameWnd;
    ASSERT_TRUE(pMDIParent->LoadFrame(IDR_HOST_FRAME));
    CNewDialog dialog;
    const HostCase cases[] = {
        {"CNewDialog", [&] {
             dialog.Create(IDD_HOST_DIALOG);
             return HostWindow{dialog.m_hWnd, &dialog.m_SystemNewMenu};
         }},
        {"CNewMiniFrameWnd", [] {
             CNewMiniFrameWnd* p = new CNewMiniFrameWnd;
             p->Create(NULL, "mini", WS_POPUP | WS_CAPTION | WS_SYSMENU, CRect(10, 10, 200, 120));
             return HostWindow{p->m_hWnd, &p->m_SystemNewMenu};
         }},
        {"CNewMDIChildWnd", [&] {
             CNewMDIChildWnd* p = new CNewMDIChildWnd;
             p->Create(NULL, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                       CFrameWnd::rectDefault, pMDIParent);
             return HostWindow{p->m_hWnd, &p->m_SystemNewMenu};
         }},
        {"CNewMiniDockFrameWnd", [] {
             CNewMiniDockFrameWnd* p = new CNewMiniDockFrameWnd;
             p->Create(NULL, 0);
             return HostWindow{p->m_hWnd, &p->m_SystemNewMenu};
         }},
        {"CNewFrameWnd", [] {
             CNewFrameWnd* p = new CNewFrameWnd;
             p->LoadFrame(IDR_HOST_FRAME);
             return HostWindow{p->m_hWnd, &p->m_SystemNewMenu};
         }},
        {"CNewMDIFrameWnd", [] {
             CNewMDIFrameWnd* p = new CNewMDIFrameWnd;
             p->LoadFrame(IDR_HOST_FRAME);
             return HostWindow{p->m_hWnd, &p->m_SystemNewMenu};
         }},
    };
    for (const HostCase& c : cases) {
        SCOPED_TRACE(c.name);
        HostWindow host = c.make();
        ASSERT_NE(nullptr, host.hWnd);
        HMENU hSystem = GetSystemMenu(host.hWnd, FALSE);
        ASSERT_NE(nullptr, hSystem);
        EXPECT_EQ(hSystem, host.pSystemMenu->m_hMenu);

        SendMessageA(host.hWnd, WM_INITMENUPOPUP, (WPARAM)hSystem, MAKELPARAM(0, TRUE));
        int nClose = PositionOf(hSystem, SC_CLOSE);
        ASSERT_GE(nClose, 0);
        EXPECT_TRUE(IsOwnerDrawn(hSystem, nClose));
        EXPECT_EQ(GetMenuItemCount(hSystem), host.pSystemMenu->GetItemDataCount());
        EXPECT_EQ((ULONG_PTR)host.pSystemMenu->GetItemData(nClose), ItemData(hSystem, nClose));

        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, SC_CLOSE, 0, 0, ItemData(hSystem, nClose)};
        EXPECT_TRUE(SendMessageA(host.hWnd, WM_MEASUREITEM, 0, (LPARAM)&mis));
        EXPECT_GT(mis.itemWidth, 0u) << "measured by the current style";

        LRESULT mnemonic = SendMessageA(host.hWnd, WM_MENUCHAR, MAKEWPARAM('C', MF_SYSMENU), (LPARAM)hSystem);
        EXPECT_EQ(MAKELRESULT(nClose, MNC_EXECUTE), mnemonic);
        DestroyWindow(host.hWnd);
    }
    pMDIParent->DestroyWindow();
}

// A window that counts the WM_INITIALUPDATE it is sent.
class CUpdateCounter : public CWnd
{
public:
    int m_nUpdates = 0;

protected:
    LRESULT OnInitialUpdate(WPARAM, LPARAM)
    {
        m_nUpdates++;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateCounter, CWnd)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

// A frame with a child and a grandchild made in its WM_CREATE, that tells when it is deleted.
class CCountingFrame : public CNewFrameWnd
{
public:
    explicit CCountingFrame(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CCountingFrame() override { *m_pDeleted = true; }

    CUpdateCounter m_child;
    CUpdateCounter m_grandChild;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CNewFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_child.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), this, 1);
        m_grandChild.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &m_child, 2);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    bool* m_pDeleted;
};

BEGIN_MESSAGE_MAP(CCountingFrame, CNewFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(MenuHostFrame, LoadFrameGivesTitleOwnerDrawnMenuAndAcceleratorsAndUpdatesTheChildren)
{
    bool bDeleted = false;
    CCountingFrame* pFrame = new CCountingFrame(&bDeleted);
    ASSERT_TRUE(pFrame->LoadFrame(IDR_HOST_FRAME));
    char title[64] = "";
    GetWindowTextA(pFrame->m_hWnd, title, sizeof(title));
    EXPECT_STREQ("Menu Host Frame", title);

    HMENU hMenu = GetMenu(pFrame->m_hWnd);
    EXPECT_EQ(pFrame->m_NewMenu.m_hMenu, hMenu);
    ASSERT_EQ(4, GetMenuItemCount(hMenu));
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE(IsOwnerDrawn(hMenu, i)) << i;
    EXPECT_TRUE(IsOwnerDrawn(GetSubMenu(hMenu, 0), 0));

    ACCEL accel[4];
    ASSERT_EQ(1, CopyAcceleratorTableA(pFrame->GetDefaultAccelerator(), accel, 4));
    EXPECT_EQ(ID_HOST_OPEN, accel[0].cmd);
    EXPECT_EQ('O', accel[0].key);

    EXPECT_EQ(1, pFrame->m_child.m_nUpdates);
    EXPECT_EQ(1, pFrame->m_grandChild.m_nUpdates);

    pFrame->DestroyWindow();
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(IsMenu(hMenu)) << "the menu went with the frame";
}

TEST(MenuHostFrame, LoadFrameOfAnIdWithoutMenuFailsAndEndsTheFrame)
{
    for (int mdi = 0; mdi < 2; mdi++) {
        bool bDeleted = false;
        BOOL bLoaded;
        if (mdi) {
            struct CFrame : CNewMDIFrameWnd {
                bool* p;
                ~CFrame() override { *p = true; }
            };
            CFrame* pFrame = new CFrame;
            pFrame->p = &bDeleted;
            bLoaded = pFrame->LoadFrame(IDR_HOST_NO_MENU);
        } else {
            bLoaded = (new CCountingFrame(&bDeleted))->LoadFrame(IDR_HOST_NO_MENU);
        }
        EXPECT_FALSE(bLoaded) << mdi;
        EXPECT_TRUE(bDeleted) << mdi;
    }
}

TEST(MenuHostFrame, AMultiDocTemplatesSharedMenuIsConvertedWithToolbarIconsAndDestroyedOnce)
{
    CNewMultiDocTemplate* pTemplate = new CNewMultiDocTemplate(IDR_MENU_TOOLBAR, NULL, NULL, NULL);
    HMENU hShared = pTemplate->m_hMenuShared;
    ASSERT_NE(nullptr, hShared);
    EXPECT_EQ(hShared, pTemplate->m_NewMenuShared.m_hMenu);
    CNewMenuItemData* pFirst = pTemplate->m_NewMenuShared.FindItemData(ID_MENU_FIRST);
    ASSERT_NE(nullptr, pFirst);
    EXPECT_TRUE(pFirst->HasIcon());
    EXPECT_EQ(0, pFirst->GetIconIndex());
    EXPECT_EQ(3, pTemplate->m_NewMenuShared.FindItemData(ID_MENU_SECOND)->GetIconIndex());

    SetLastError(0);
    delete pTemplate;
    EXPECT_EQ(0u, GetLastError()) << "a second DestroyMenu of the handle would fail";
    EXPECT_FALSE(IsMenu(hShared));
    // What the check above relies on.
    EXPECT_FALSE(DestroyMenu(hShared));
    EXPECT_EQ((DWORD)ERROR_INVALID_MENU_HANDLE, GetLastError());
}

// A dialog that handles one command of its menu.
class CHandlingDialog : public CNewDialog
{
public:
    CHandlingDialog() : CNewDialog(IDD_HOST_DIALOG) {}

protected:
    afx_msg void OnHandled() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHandlingDialog, CNewDialog)
    ON_COMMAND(ID_HOST_HANDLED, OnHandled)
END_MESSAGE_MAP()

TEST(MenuHostFrame, ADialogDisablesItemsWithoutHandlerBelowTheSystemRangeWhenTheirPopupOpens)
{
    CHandlingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_HOST_DIALOG));
    HMENU hBar = GetMenu(dialog.m_hWnd);
    ASSERT_EQ(hBar, dialog.m_NewMenu.m_hMenu);
    HMENU hPopup = GetSubMenu(hBar, 0);
    EXPECT_EQ(0u, GetMenuState(hPopup, ID_HOST_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);

    SendMessageA(dialog.m_hWnd, WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(0, FALSE));
    struct Case {
        UINT id;
        bool grayed;
    };
    const Case cases[] = {
        // id                grayed
        {ID_HOST_HANDLED,   false},
        {ID_HOST_UNHANDLED, true},
        {ID_HOST_HIGH,      false},
        {ID_HOST_NESTED,    false},  // the sub-menu's item waits for its own popup
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.grayed, (GetMenuState(hPopup, c.id, MF_BYCOMMAND) & MF_GRAYED) != 0) << c.id;
    EXPECT_TRUE(IsOwnerDrawn(hPopup, 0)) << "then shown as a CNewMenu";
    dialog.DestroyWindow();
}

// A frame that records the states its menu-bar items are drawn in.
class CDrawRecordingFrame : public CNewFrameWnd
{
public:
    struct Draw {
        ULONG_PTR itemData;
        UINT state;
    };
    std::vector<Draw> m_draws;

    // The state of the last drawing of the bar item, -1 when it was not drawn.
    int LastState(ULONG_PTR itemData) const
    {
        for (auto it = m_draws.rbegin(); it != m_draws.rend(); ++it) {
            if (it->itemData == itemData)
                return (int)it->state;
        }
        return -1;
    }

protected:
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS)
    {
        if (lpDIS->CtlType == ODT_MENU && (HMENU)lpDIS->hwndItem == m_NewMenu.m_hMenu)
            m_draws.push_back({lpDIS->itemData, lpDIS->itemState});
        CNewFrameWnd::OnDrawItem(nIDCtl, lpDIS);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawRecordingFrame, CNewFrameWnd)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// The centre of a bar item in the frame's client coordinates.
POINT BarItemCentre(HWND hWnd, int nItem)
{
    RECT rect = {};
    GetMenuItemRect(hWnd, GetMenu(hWnd), nItem, &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ScreenToClient(hWnd, &centre);
    return centre;
}

CDrawRecordingFrame* ShowRecordingFrame()
{
    CDrawRecordingFrame* pFrame = new CDrawRecordingFrame;
    if (!pFrame->LoadFrame(IDR_HOST_FRAME, WS_OVERLAPPEDWINDOW))
        return NULL;
    pFrame->SetWindowPos(NULL, 100, 100, 400, 300, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    UserInput::BringToFront(pFrame->m_hWnd);
    pFrame->SetFocus();
    UserInput::MoveTo(pFrame->m_hWnd, {200, 150});
    UserInput::Settle(200);
    return pFrame;
}

bool IsHot(int state)
{
    return state >= 0 && (state & ODS_HOTLIGHT);
}

TEST(MenuHostFrame, TheMouseOverTheMenuBarDrawsItemsHotWithOneTimer)
{
    CDrawRecordingFrame* pFrame = ShowRecordingFrame();
    ASSERT_NE(nullptr, pFrame);
    HWND hWnd = pFrame->m_hWnd;
    HMENU hBar = GetMenu(hWnd);
    const CMenuBarHotTrack& track = pFrame->GetHotTrack();
    ULONG_PTR file = ItemData(hBar, 0), edit = ItemData(hBar, 1);

    UserInput::MoveTo(hWnd, BarItemCentre(hWnd, 0));
    EXPECT_TRUE(PumpMessagesUntil([&] { return IsHot(pFrame->LastState(file)); }, 2000));
    EXPECT_EQ(0, track.GetHotItem());
    UINT_PTR nTimer = track.GetTimerId();
    EXPECT_GE(nTimer, 31u);
    EXPECT_LE(nTimer, 99u);

    UserInput::MoveTo(hWnd, BarItemCentre(hWnd, 1));
    EXPECT_TRUE(PumpMessagesUntil([&] { return IsHot(pFrame->LastState(edit)); }, 2000));
    EXPECT_EQ(0, pFrame->LastState(file) & ODS_HOTLIGHT) << "the first drawn normal again";
    EXPECT_EQ(1, track.GetHotItem());
    EXPECT_EQ(nTimer, track.GetTimerId()) << "the one timer kept";

    UserInput::MoveTo(hWnd, {200, 150});
    EXPECT_TRUE(PumpMessagesUntil([&] { return track.GetTimerId() == 0; }, 2000));
    EXPECT_EQ(-1, track.GetHotItem());
    EXPECT_FALSE(IsHot(pFrame->LastState(edit)));
    pFrame->DestroyWindow();
}

// 1 when the mouse over the bar drew nothing hot and made no timer, 0 when it did.
SUITE_HELPER(HotTrackingOfTheMenuBar)
{
    CDrawRecordingFrame* pFrame = ShowRecordingFrame();
    if (pFrame == NULL)
        return -1;
    HWND hWnd = pFrame->m_hWnd;
    ULONG_PTR file = ItemData(GetMenu(hWnd), 0);
    UserInput::MoveTo(hWnd, BarItemCentre(hWnd, 0));
    bool bHot = PumpMessagesUntil([&] { return IsHot(pFrame->LastState(file)); }, 1000);
    bool bTimer = pFrame->GetHotTrack().GetTimerId() != 0;
    pFrame->DestroyWindow();
    return !bHot && !bTimer ? 1 : 0;
}

TEST(MenuHostFrame, OnXPTheSystemTracksTheMenuBarItself)
{
    ProgramVersionSetting xp("winxp");
    EXPECT_EQ(1, HelperProcess::Run("HotTrackingOfTheMenuBar"));
}

} // namespace
