// The framework's modal loop: the pre-translate walk, nested dialogs and message boxes, WM_QUIT,
// and modeless dialogs beside it.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "FinishesWithin.h"
#include "ScriptedDialog.h"
#include "WndTestResources.h"

namespace {

typedef std::vector<std::string> Log;

// Logs the test key when the walk offers it; takes nothing.
template <class Base>
class CKeyLogger : public Base {
public:
    template <class... Args>
    CKeyLogger(Log& log, const char* name, Args... args) : Base(args...), m_log(log), m_name(name)
    {
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == kTestKey)
            m_log.push_back(m_name);
        return FALSE;
    }
    enum { kTestKey = VK_F7 };

private:
    Log& m_log;
    std::string m_name;
};

// A modal dialog whose own PreTranslateMessage (IsDialogMessage) runs after it logs.
class CLoggingMain : public CScriptedDialog {
public:
    CLoggingMain(Log& log, std::vector<Step> steps) : CScriptedDialog(IDD_MAIN, steps), m_log(log) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F7)
            m_log.push_back("main");
        return CScriptedDialog::PreTranslateMessage(pMsg);
    }

private:
    Log& m_log;
};

TEST(ModalLoop, AKeyIsOfferedOnceToEachWindowOfTheWalk)
{
    CWinApp app("WndTests");
    CScriptedDialog::RegisterTestDialogClass();
    Log log;
    Log afterModeless, afterOutside;
    CKeyLogger<CDialog> modeless(log, "modeless");
    CKeyLogger<CWnd> edit(log, "edit");
    CKeyLogger<CWnd> outside(log, "outside");
    CLoggingMain main(log, {
        [&](CScriptedDialog& dlg) {
            // A modeless dialog owned by the main window, and a window of nobody's.
            ASSERT_TRUE(modeless.Create(IDD_MODELESS, &dlg));
            ASSERT_TRUE(edit.SubclassDlgItem(IDC_EDIT, &modeless));
            ASSERT_TRUE(outside.CreateEx(0, NULL, "outside", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
            ::PostMessageA(edit.m_hWnd, WM_KEYDOWN, VK_F7, 1);
        },
        [&](CScriptedDialog&) {
            afterModeless = log;
            log.clear();
            ::PostMessageA(outside.m_hWnd, WM_KEYDOWN, VK_F7, 1);
        },
        [&](CScriptedDialog& dlg) {
            afterOutside = log;
            modeless.DestroyWindow();
            outside.DestroyWindow();
            dlg.EndDialog(IDOK);
        },
    });
    INT_PTR result = -2;
    FinishesWithin(20000, [&] {
        app.m_nThreadID = GetCurrentThreadId();
        app.m_pMainWnd = &main;
        result = main.DoModal();
        app.m_pMainWnd = NULL;
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ((Log{"edit", "modeless", "main"}), afterModeless);
    // The walk missed the main window: it gets the key after the window's own objects.
    EXPECT_EQ((Log{"outside", "main"}), afterOutside);
}

TEST(ModalLoop, NestedDialogsAndMessageBoxesReturnIntoTheLoop)
{
    DialogWatcher watcher;
    BOOL ownerEnabledInside = TRUE, ownerEnabledAfter = FALSE;
    int boxResult = 0;
    INT_PTR innerResult = 0;
    CScriptedDialog outer(IDD_MAIN, [&](CScriptedDialog& dlg) {
        boxResult = AfxMessageBox("内部消息");
        CScriptedDialog inner(IDD_MODELESS, [&](CScriptedDialog& innerDlg) {
            ownerEnabledInside = dlg.IsWindowEnabled();
            innerDlg.EndDialog(42);
        }, &dlg);
        innerResult = inner.DoModal();
        ownerEnabledAfter = dlg.IsWindowEnabled();
        dlg.EndDialog(7);
    });
    EXPECT_EQ(7, outer.RunModal());
    EXPECT_EQ(IDOK, boxResult);
    EXPECT_EQ(42, innerResult);
    EXPECT_FALSE(ownerEnabledInside) << "the owner is disabled while the inner dialog runs";
    EXPECT_TRUE(ownerEnabledAfter);
    std::vector<ShownDialog> shown = watcher.Dialogs();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("内部消息", shown[0].text);
}

TEST(ModalLoop, AQuitEndsEveryLoopWithMinusOneAndIsQueuedAgain)
{
    INT_PTR innerResult = 0;
    BOOL quitQueued = FALSE;
    WPARAM quitCode = 0;
    CScriptedDialog outer(IDD_MAIN, [&](CScriptedDialog& dlg) {
        CScriptedDialog inner(IDD_MODELESS, [](CScriptedDialog&) { ::PostQuitMessage(5); }, &dlg);
        innerResult = inner.DoModal();
    });
    FinishesWithin(20000, [&] {
        EXPECT_EQ(-1, outer.DoModal());
        MSG msg;
        quitQueued = ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
        quitCode = msg.wParam;
    });
    EXPECT_EQ(-1, innerResult);
    EXPECT_TRUE(quitQueued);
    EXPECT_EQ(5u, quitCode);
}

// A child page inside a dialog gets its own controls' commands.
class CPage : public CDialog {
public:
    int clicks = 0;

protected:
    afx_msg void OnPageButton() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPage, CDialog)
    ON_BN_CLICKED(IDC_PAGE_BUTTON, OnPageButton)
END_MESSAGE_MAP()

TEST(ModalLoop, AModelessDialogCanBeAChildPage)
{
    CPage page;
    BOOL isChild = FALSE;
    HWND parent = NULL, pageHandle = NULL, hostHandle = NULL;
    CScriptedDialog host(IDD_MAIN, [&](CScriptedDialog& dlg) {
        ASSERT_TRUE(page.Create(IDD_PAGE, &dlg));
        pageHandle = page.m_hWnd;
        hostHandle = dlg.m_hWnd;
        isChild = (page.GetStyle() & WS_CHILD) != 0;
        parent = ::GetParent(page.m_hWnd);
        ::SendMessageA(::GetDlgItem(page.m_hWnd, IDC_PAGE_BUTTON), BM_CLICK, 0, 0);
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, host.RunModal());
    EXPECT_TRUE(isChild);
    EXPECT_EQ(hostHandle, parent);
    EXPECT_EQ(1, page.clicks);
    EXPECT_EQ(NULL, page.m_hWnd) << "the page went with its host";
    EXPECT_FALSE(IsWindow(pageHandle));
}

TEST(ModalLoop, AMissingTemplateEndsAtOnce)
{
    CDialog missing(999);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_FALSE(missing.Create(999));
}

} // namespace
