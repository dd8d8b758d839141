#include <gtest/gtest.h>

#include "DialogWatcher.h"
#include "FolderDialog.h"
#include "TempFolder.h"

namespace {

class FolderDialogTest : public testing::Test
{
protected:
    void SetUp() override { CoInitialize(NULL); }
    void TearDown() override { CoUninitialize(); }
};

// Stands for the user: picks another folder in the browser once it is open, and presses OK
// once the browser shows that folder as chosen. A browser in a fresh prefix may still be
// filling its tree when it reports itself ready, so the choice is repeated until it holds.
class PickingFolderDialog : public CFolderDialog
{
public:
    PickingFolderDialog(LPCTSTR initial, LPCTSTR pick)
        : CFolderDialog(initial, BIF_RETURNONLYFSDIRS, NULL, "录像文件夹"), m_pick(pick)
    {
    }

    std::string caption;

protected:
    void OnInitialized() override
    {
        CFolderDialog::OnInitialized();
        char text[64] = "";
        GetWindowTextA(m_browseWnd, text, sizeof(text));
        caption = text;
        s_current = this;
        m_timer = SetTimer(NULL, 0, kStepMs, Step);
    }

    void OnSelChanged(LPITEMIDLIST item) override
    {
        CFolderDialog::OnSelChanged(item);
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(item, path))
            m_selected = path;
    }

private:
    // A loaded machine can take many seconds to fill the tree.
    enum { kStepMs = 50, kMaxSteps = 600 };

    static void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) { s_current->Step(); }

    void Step()
    {
        if (!m_pick.IsEmpty() && m_selected != m_pick && ++m_steps < kMaxSteps) {
            SetSelection(m_pick);
            return;
        }
        KillTimer(NULL, m_timer);
        PostMessageA(m_browseWnd, WM_COMMAND, IDOK, 0);
    }

    static PickingFolderDialog* s_current;
    CString m_pick;
    CString m_selected;
    UINT_PTR m_timer = 0;
    int m_steps = 0;
};

PickingFolderDialog* PickingFolderDialog::s_current = NULL;

TEST_F(FolderDialogTest, OKReturnsTheFolderTheUserChose)
{
    TempFolder folder;
    std::string initial = folder.Path();
    std::string chosen = folder.FilePath("Video");
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), NULL));

    PickingFolderDialog dialog(initial.c_str(), chosen.c_str());
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ(chosen.c_str(), dialog.GetFolderPath());
    EXPECT_EQ("录像文件夹", dialog.caption);

    PickingFolderDialog unchanged(initial.c_str(), "");
    EXPECT_EQ(IDOK, unchanged.DoModal());
    EXPECT_STREQ(initial.c_str(), unchanged.GetFolderPath());
}

TEST_F(FolderDialogTest, CancelReturnsNoFolder)
{
    TempFolder folder;
    DialogWatcher watcher;
    watcher.PressId(IDCANCEL);
    CFolderDialog dialog(folder.Path().c_str(), BIF_RETURNONLYFSDIRS, NULL, NULL);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_STREQ("", dialog.GetFolderPath());
    ASSERT_EQ(1u, watcher.Dialogs().size());
    EXPECT_EQ("Folder", watcher.Dialogs()[0].caption);
}

TEST(FolderDialogStatus, LongTextsShowTheirFirst35CharactersWhole)
{
    struct Case { const char* text; const char* shown; };
    const Case cases[] = {
        {"D:\\Video\\abcdefghijklmnopqrstuvwxyz01234", "D:\\Video\\abcdefghijklmnopqrstuvwxyz..."},
        {"D:\\Video\\abcdefghijklmnopqrstuvwxyz", "D:\\Video\\abcdefghijklmnopqrstuvwxyz"},
        // The 35th byte starts a two-byte character: the whole character goes.
        {"D:\\Video\\abcdefghijklmnopqrstuvwxy录像", "D:\\Video\\abcdefghijklmnopqrstuvwxy..."},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.shown, CFolderDialog::ShortStatusText(c.text)) << c.text;
}

} // namespace
