#include <gtest/gtest.h>

#include "CMusicPrefsPage.h"
#include "CPicturePrefsPage.h"
#include "CPrefsDlg.h"
#include "CTvPrefsPage.h"
#include "CWinApp.h"
#include "ParentWindow.h"
#include "PumpMessages.h"

namespace {

// The dialog made modeless over a host that stands as the main window, with three pages.
class PrefsDlgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        main.Attach(host.Handle());
        app.m_pMainWnd = &main;
        app.WriteProfileInt("Settings", "nCurPage", 0);
        ASSERT_TRUE(dialog.AddPage(tv, "TV"));
        ASSERT_TRUE(dialog.AddPage(pictures, "Pictures"));
        ASSERT_TRUE(dialog.AddPage(music, "Music"));
    }
    void TearDown() override
    {
        if (dialog.m_hWnd)
            dialog.DestroyWindow();
        app.m_pMainWnd = NULL;
        main.Detach();
    }
    CString Caption() const
    {
        char text[64] = "";
        ::GetDlgItemTextA(dialog.m_hWnd, CPrefsDlg::kCaptionId, text, sizeof(text));
        return text;
    }

    CWinApp app;
    ParentWindow host;
    CWnd main;
    CPrefsDlg dialog;
    CTvPrefsPage tv;
    CPicturePrefsPage pictures;
    CMusicPrefsPage music;
};

}  // namespace

TEST_F(PrefsDlgTest, PagesAreMadeWhenFirstShownAndTheTreeSelectsThem)
{
    // The start page shows when the profile's page lies outside the pages.
    app.WriteProfileInt("Settings", "nCurPage", 7);
    dialog.SetStartPage(&pictures);
    ASSERT_TRUE(dialog.Create(CPrefsDlg::IDD, &main));
    dialog.ShowWindow(SW_SHOW);
    EXPECT_FALSE(dialog.AddPage(tv, "again"));
    EXPECT_EQ(3, dialog.GetPageCount());
    EXPECT_EQ(1, dialog.GetCurrentPage());
    EXPECT_EQ(CString("Pictures"), Caption());
    EXPECT_TRUE(pictures.m_hWnd != NULL);
    EXPECT_TRUE(tv.m_hWnd == NULL);
    EXPECT_TRUE(music.m_hWnd == NULL);

    // Outside the pages: the page shown before is hidden and the caption emptied.
    EXPECT_FALSE(dialog.ShowPage(3));
    EXPECT_FALSE(pictures.IsWindowVisible());
    EXPECT_EQ(CString(""), Caption());
    EXPECT_TRUE(dialog.ShowPageOf(&music));
    EXPECT_EQ(CString("Music"), Caption());
    EXPECT_TRUE(music.IsWindowVisible());

    // A click in the tree shows its page through the posted page change.
    HWND tree = ::GetDlgItem(dialog.m_hWnd, CPrefsDlg::kTreeId);
    HTREEITEM first = (HTREEITEM)::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)first);
    EXPECT_TRUE(PumpMessagesUntil([&] { return dialog.GetCurrentPage() == 0; }, 2000));
    EXPECT_TRUE(tv.IsWindowVisible());
    EXPECT_FALSE(music.IsWindowVisible());
    EXPECT_EQ(CString("TV"), Caption());

    dialog.DestroyWindow();
    EXPECT_EQ(0u, app.GetProfileInt("Settings", "nCurPage", 9));
}

TEST_F(PrefsDlgTest, TheProfilesPageWinsAndOneOutsideThePagesIsIgnored)
{
    const struct
    {
        int saved;
        int shown;
    } cases[] = {{2, 2}, {3, 0}, {-1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        app.WriteProfileInt("Settings", "nCurPage", c.saved);
        ASSERT_TRUE(dialog.Create(CPrefsDlg::IDD, &main));
        EXPECT_EQ(c.shown, dialog.GetCurrentPage());
        dialog.DestroyWindow();
        EXPECT_EQ((UINT)c.shown, app.GetProfileInt("Settings", "nCurPage", 9));
    }
}

TEST_F(PrefsDlgTest, PagesSwallowEscapeAndGiveEnterToAMultiLineEdit)
{
    ASSERT_TRUE(dialog.Create(CPrefsDlg::IDD, &main));
    HWND notes = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN,
                                   0, 0, 100, 40, tv.m_hWnd, NULL, NULL, NULL);
    ::SetFocus(notes);
    MSG escape = {notes, WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    EXPECT_TRUE(tv.PreTranslateMessage(&escape));
    EXPECT_TRUE(dialog.PreTranslateMessage(&escape));
    MSG enter = {notes, WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}};
    EXPECT_TRUE(tv.PreTranslateMessage(&enter));
    char text[16] = "";
    ::GetWindowTextA(notes, text, sizeof(text));
    EXPECT_STREQ("\r\n", text);

    // A one-line edit leaves Enter to the dialog's default button.
    HWND program = ::GetDlgItem(tv.m_hWnd, 1010);
    ::SetFocus(program);
    MSG enterInProgram = {program, WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}};
    EXPECT_FALSE(tv.PreTranslateMessage(&enterInProgram));
    EXPECT_TRUE(dialog.m_hWnd != NULL);
}
