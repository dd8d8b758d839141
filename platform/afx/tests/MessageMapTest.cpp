// Message maps on real windows of this thread: handler signatures, base chaining, commands and
// their update handlers, reflection to controls' objects and temporary objects.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "PumpMessages.h"

namespace {

typedef std::vector<std::string> Log;

std::string Format(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

class CBaseProbe : public CWnd {
public:
    Log log;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent) { log.push_back(Format("base timer %u", (UINT)nIDEvent)); }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        log.push_back(Format("base size %u %dx%d", nType, cx, cy));
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg LRESULT OnSum(WPARAM wParam, LPARAM lParam) { return wParam + lParam; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_MESSAGE(WM_APP, OnSum)
END_MESSAGE_MAP()

class CDerivedProbe : public CBaseProbe {
protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        log.push_back(Format("create %s", lpCreateStruct->lpszName));
        return CBaseProbe::OnCreate(lpCreateStruct);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        log.push_back("derived size");
        CBaseProbe::OnSize(nType, cx, cy);
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        log.push_back(Format("move %u %d,%d", nFlags, point.x, point.y));
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        log.push_back(Format("key %u %u %x", nChar, nRepCnt, nFlags));
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        log.push_back(Format("erase %d", pDC->GetSafeHdc() != NULL));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(MessageMap, HandlersGetTheirMessagesUnpackedAndChainToTheirBase)
{
    CDerivedProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, NULL, "probe", WS_POPUP, 0, 0, 100, 80, NULL, NULL));
    ASSERT_FALSE(probe.log.empty());
    EXPECT_EQ("create probe", probe.log[0]);
    probe.log.clear();

    probe.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200));
    probe.SendMessage(WM_TIMER, 7);
    probe.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 12));
    probe.SendMessage(WM_KEYDOWN, 'A', MAKELPARAM(3, 0x1E));
    HDC hDC = GetDC(probe.m_hWnd);
    probe.SendMessage(WM_ERASEBKGND, (WPARAM)hDC);
    ReleaseDC(probe.m_hWnd, hDC);
    const Log expected = {"derived size", "base size 2 300x200", "base timer 7", "move 1 -5,12",
                          "key 65 3 1e", "erase 1"};
    EXPECT_EQ(expected, probe.log);
    EXPECT_EQ(5, probe.SendMessage(WM_APP, 2, 3));
    // No entry: the window's own handling.
    char title[16] = "";
    probe.SendMessage(WM_GETTEXT, sizeof(title), (LPARAM)title);
    EXPECT_STREQ("probe", title);
}

TEST(MessageMap, AWindowWithoutAClassNameGetsTheDefaultClass)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ((UINT)CS_DBLCLKS, (UINT)GetClassLongA(wnd.m_hWnd, GCL_STYLE));
    EXPECT_EQ((ULONG_PTR)LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
              (ULONG_PTR)GetClassLongPtrA(wnd.m_hWnd, GCLP_HCURSOR));
    EXPECT_EQ(0u, (ULONG_PTR)GetClassLongPtrA(wnd.m_hWnd, GCLP_HBRBACKGROUND));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
}

TEST(MessageMap, OtherWindowsGetTemporaryObjectsUntilTheLoopGoesIdle)
{
    HWND hWnd = CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE((HWND)NULL, hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE((CWnd*)NULL, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    AfxDeleteTempMaps();
    // The window outlives its temporary object.
    EXPECT_TRUE(IsWindow(hWnd));
    CWnd* pAgain = CWnd::FromHandle(hWnd);
    EXPECT_EQ(hWnd, pAgain->m_hWnd);
    EXPECT_EQ((CWnd*)NULL, CWnd::FromHandle(NULL));
    DestroyWindow(hWnd);
    AfxDeleteTempMaps();
}

// Commands, range commands and update handlers of a window's menu items.
class CCommandProbe : public CWnd {
public:
    Log log;
    UINT_PTR stepTimer = 0;
    std::vector<UINT> seenStates;
    HMENU hPopup = NULL;

protected:
    afx_msg void OnPlay() { log.push_back("play"); }
    afx_msg void OnFormat(UINT nID) { log.push_back(Format("format %u", nID)); }
    afx_msg void OnUpdateMute(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(1);
    }
    afx_msg void OnUpdateRecord(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnRecord() { log.push_back("record"); }
    afx_msg void OnUpdateVanishing(CCmdUI* pCmdUI)
    {
        ::RemoveMenu(pCmdUI->m_pMenu->m_hMenu, pCmdUI->m_nIndex, MF_BYPOSITION);
    }
    afx_msg void OnUpdateInSubMenu(CCmdUI* pCmdUI)
    {
        log.push_back(Format("sub %u %d", pCmdUI->m_nID, pCmdUI->m_pSubMenu != NULL));
    }
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
    {
        CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
        if (!bSysMenu && pPopupMenu->m_hMenu == hPopup)
            AfxUpdatePopupMenu(this, pPopupMenu, NULL);
    }
    DECLARE_MESSAGE_MAP()
};

enum {
    ID_PLAY = 100, ID_MUTE, ID_NOTHING, ID_VANISHING, ID_AFTER_VANISHING, ID_RECORD,
    ID_FORMAT_FIRST = 200, ID_FORMAT_LAST = 209, ID_IN_SUBMENU = 300
};

BEGIN_MESSAGE_MAP(CCommandProbe, CWnd)
    ON_COMMAND(ID_PLAY, OnPlay)
    ON_COMMAND_RANGE(ID_FORMAT_FIRST, ID_FORMAT_LAST, OnFormat)
    ON_UPDATE_COMMAND_UI(ID_MUTE, OnUpdateMute)
    ON_UPDATE_COMMAND_UI(ID_RECORD, OnUpdateRecord)
    ON_COMMAND(ID_RECORD, OnRecord)
    ON_UPDATE_COMMAND_UI(ID_VANISHING, OnUpdateVanishing)
    ON_UPDATE_COMMAND_UI(ID_IN_SUBMENU, OnUpdateInSubMenu)
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

struct MenuStep {
    CCommandProbe* probe;
};
MenuStep g_menuStep;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    KillTimer(NULL, idEvent);
    CCommandProbe* probe = g_menuStep.probe;
    for (int i = 0; i < GetMenuItemCount(probe->hPopup); ++i)
        probe->seenStates.push_back(GetMenuState(probe->hPopup, i, MF_BYPOSITION));
    EndMenu();
}

TEST(MessageMap, APopupOpenedByTheUserIsUpdatedThroughTheCommandHandlers)
{
    CCommandProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, NULL, "commands", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL));
    HMENU hSub = CreatePopupMenu();
    AppendMenuA(hSub, MF_STRING, ID_IN_SUBMENU, "inner");
    probe.hPopup = CreatePopupMenu();
    const struct { UINT flags; UINT_PTR id; } items[] = {
        {MF_STRING, ID_PLAY}, {MF_STRING, ID_MUTE}, {MF_STRING, ID_NOTHING},
        {MF_STRING, ID_VANISHING}, {MF_STRING, ID_AFTER_VANISHING}, {MF_STRING, ID_RECORD},
        {MF_STRING, 205}, {MF_SEPARATOR, 0}, {MF_STRING, SC_CLOSE}, {MF_POPUP, (UINT_PTR)hSub},
    };
    for (const auto& item : items)
        AppendMenuA(probe.hPopup, item.flags, item.id, "item");
    // The state the system gives a separator (Wine: grayed and disabled), for the update to keep.
    const UINT separator = GetMenuState(probe.hPopup, 7, MF_BYPOSITION);
    ASSERT_TRUE(separator & MF_SEPARATOR);
    SetForegroundWindow(probe.m_hWnd);

    g_menuStep.probe = &probe;
    SetTimer(NULL, 0, 50, ReadOpenMenu);
    TrackPopupMenu(probe.hPopup, TPM_LEFTALIGN, 10, 10, 0, probe.m_hWnd, NULL);

    // The vanishing item took itself out; the item after it was still looked at.
    const UINT disabled = MF_GRAYED | MF_DISABLED;
    const UINT shown = disabled | MF_CHECKED | MF_SEPARATOR;
    const std::vector<UINT> expected = {0, MF_CHECKED, disabled, disabled, disabled, 0,
                                        separator & shown, 0};
    ASSERT_EQ(9u, probe.seenStates.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], probe.seenStates[i] & shown) << "item " << i;
    EXPECT_EQ(0u, probe.seenStates[8] & disabled) << "a popup item is not disabled";
    const Log expectedLog = {"sub 300 1"};
    EXPECT_EQ(expectedLog, probe.log);
    DestroyMenu(probe.hPopup);
}

TEST(MessageMap, MenuCommandsRunUnlessTheirUpdateHandlerDisablesThem)
{
    CCommandProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, NULL, "commands", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    const UINT commands[] = {ID_PLAY, 203, ID_RECORD, ID_NOTHING, ID_FORMAT_LAST};
    for (UINT id : commands)
        probe.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0));
    const Log expected = {"play", "format 203", "format 209"};
    EXPECT_EQ(expected, probe.log);
}

// A control's object that handles what its parent reflects to it.
class CReflectingButton : public CWnd {
public:
    Log log;
    HBRUSH brush = (HBRUSH)GetStockObject(BLACK_BRUSH);

protected:
    afx_msg void OnClicked() { log.push_back("clicked"); }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        log.push_back(Format("draw %u", lpDrawItemStruct->CtlID));
    }
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        log.push_back(Format("colour %u %d", nCtlColor, pDC->GetSafeHdc() != NULL));
        return brush;
    }
    afx_msg void OnNotifyClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        log.push_back(Format("notify %u", (UINT)pNMHDR->idFrom));
        *pResult = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_CTLCOLOR_REFLECT()
    ON_NOTIFY_REFLECT(NM_CLICK, OnNotifyClick)
END_MESSAGE_MAP()

class CReflectingParent : public CWnd {
public:
    Log log;
    CScrollBar* lastScrollBar = NULL;

protected:
    afx_msg void OnPlainClicked() { log.push_back("plain clicked"); }
    afx_msg void OnOwnClicked() { log.push_back("parent saw own click"); }
    afx_msg void OnPlainNotify(NMHDR*, LRESULT* pResult)
    {
        log.push_back("plain notify");
        *pResult = 7;
    }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        log.push_back(Format("hscroll %u %u", nSBCode, nPos));
        lastScrollBar = pScrollBar;
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
    }
    DECLARE_MESSAGE_MAP()
};

enum { IDC_OWN = 10, IDC_PLAIN = 11 };

BEGIN_MESSAGE_MAP(CReflectingParent, CWnd)
    ON_BN_CLICKED(IDC_PLAIN, OnPlainClicked)
    ON_BN_CLICKED(IDC_OWN, OnOwnClicked)
    ON_NOTIFY(NM_CLICK, IDC_PLAIN, OnPlainNotify)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

// A left click at the centre of a window, through the system's input queue.
void ClickAt(HWND hWnd)
{
    RECT rect;
    GetWindowRect(hWnd, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

class ReflectionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                    NULL, NULL));
        ASSERT_TRUE(own.CreateEx(0, "BUTTON", "own", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10,
                                 10, 80, 30, parent.m_hWnd, (HMENU)IDC_OWN));
        hPlain = CreateWindowExA(0, "BUTTON", "plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                                 60, 80, 30, parent.m_hWnd, (HMENU)IDC_PLAIN, NULL, NULL);
        ASSERT_NE((HWND)NULL, hPlain);
        SetForegroundWindow(parent.m_hWnd);
        UpdateWindow(parent.m_hWnd);
        PumpMessagesUntil([] { return false; }, 50);
    }

    LRESULT Notify(HWND hWndFrom, UINT id, UINT code)
    {
        NMHDR nmhdr = {hWndFrom, id, code};
        return parent.SendMessage(WM_NOTIFY, id, (LPARAM)&nmhdr);
    }

    CReflectingParent parent;
    CReflectingButton own;
    HWND hPlain = NULL;
};

TEST_F(ReflectionTest, ClicksReachTheControlsObjectElseTheParent)
{
    own.log.clear();
    ClickAt(own.m_hWnd);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !own.log.empty() && own.log.back() == "clicked"; }, 5000));
    ClickAt(hPlain);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !parent.log.empty(); }, 5000));
    const Log expected = {"plain clicked"};
    EXPECT_EQ(expected, parent.log) << "the own button's click stays with its object";
}

TEST_F(ReflectionTest, DrawingColoursAndNotificationsReachTheControlsObject)
{
    own.log.clear();
    own.Invalidate();
    own.UpdateWindow();
    ASSERT_FALSE(own.log.empty());
    EXPECT_EQ(Format("draw %d", IDC_OWN), own.log.back());

    HDC hDC = GetDC(parent.m_hWnd);
    EXPECT_EQ((LRESULT)own.brush, parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)hDC, (LPARAM)own.m_hWnd));
    EXPECT_EQ(Format("colour %d 1", CTLCOLOR_BTN), own.log.back());
    // A control without an object gets the parent's default colours.
    LRESULT plainBrush = parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)hDC, (LPARAM)hPlain);
    EXPECT_NE((LRESULT)own.brush, plainBrush);
    ReleaseDC(parent.m_hWnd, hDC);

    EXPECT_EQ(42, Notify(own.m_hWnd, IDC_OWN, NM_CLICK));
    EXPECT_EQ(Format("notify %d", IDC_OWN), own.log.back());
    EXPECT_EQ(7, Notify(hPlain, IDC_PLAIN, NM_CLICK));
    const Log expected = {"plain notify"};
    EXPECT_EQ(expected, parent.log);
}

TEST_F(ReflectionTest, AScrollMessageWhoseLParamIsNoWindowReachesTheParentUnchanged)
{
    // What a slider that sends its own object as lParam puts there.
    int sender = 0;
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(255, 0), (LPARAM)&sender);
    ASSERT_EQ(1u, parent.log.size());
    EXPECT_EQ("hscroll 255 0", parent.log[0]);
    EXPECT_EQ((void*)&sender, (void*)parent.lastScrollBar);

    // A real scroll bar arrives as an object holding its window.
    HWND hScroll = CreateWindowExA(0, "SCROLLBAR", NULL, WS_CHILD | SBS_HORZ, 0, 100, 100, 16,
                                   parent.m_hWnd, NULL, NULL, NULL);
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), (LPARAM)hScroll);
    EXPECT_EQ("hscroll 5 30", parent.log.back());
    ASSERT_NE((CScrollBar*)NULL, parent.lastScrollBar);
    EXPECT_EQ(hScroll, reinterpret_cast<CWnd*>(parent.lastScrollBar)->m_hWnd);
}

} // namespace
