// The system's open dialog behind CFileDialog: the record it is given and the path it returns.
#include <gtest/gtest.h>

#include <afxdlgs.h>

#include <atomic>
#include <string>
#include <thread>

#include "FinishesWithin.h"
#include "TempFolder.h"

namespace {

TEST(CFileDialog, TurnsTheFilterIntoTheSystemsListAndKeepsExtensionNameAndFlags)
{
    CFileDialog dialog(TRUE, "EXE", "*.exe", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "Exe Files (*.exe)|*.exe|All Files (*.*)|*.*||");
    const char expected[] = "Exe Files (*.exe)\0*.exe\0All Files (*.*)\0*.*\0";
    ASSERT_NE(nullptr, dialog.m_ofn.lpstrFilter);
    EXPECT_EQ(std::string(expected, sizeof(expected)),
              std::string(dialog.m_ofn.lpstrFilter, sizeof(expected)));
    EXPECT_STREQ("EXE", dialog.m_ofn.lpstrDefExt);
    EXPECT_STREQ("*.exe", dialog.m_ofn.lpstrFile);
    EXPECT_GE(dialog.m_ofn.nMaxFile, (DWORD)MAX_PATH);
    EXPECT_EQ((DWORD)(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST),
              dialog.m_ofn.Flags & (OFN_HIDEREADONLY | OFN_FILEMUSTEXIST));
    EXPECT_EQ((DWORD)sizeof(OPENFILENAMEA), dialog.m_ofn.lStructSize);

    CFileDialog bare(FALSE);
    EXPECT_EQ(nullptr, bare.m_ofn.lpstrFilter);
    EXPECT_EQ(nullptr, bare.m_ofn.lpstrDefExt);
    EXPECT_STREQ("", bare.m_ofn.lpstrFile);
}

// The open dialog shown for real: a file's path typed into its name field and OK.
TEST(CFileDialog, ReturnsThePathChosenInTheOpenDialog)
{
    TempFolder folder;
    std::string file = folder.FilePath("chosen.exe");
    TempFolder::WriteWholeFile(file, "MZ");
    std::atomic<bool> done(false);
    std::thread chooser([&] {
        while (!done) {
            HWND shown = FindWindowA("#32770", NULL);
            DWORD process = 0;
            if (shown != NULL)
                GetWindowThreadProcessId(shown, &process);
            if (process == GetCurrentProcessId()) {
                // The name field: an edit in explorer-style dialogs' combo, or the edit itself.
                HWND name = GetDlgItem(shown, 0x47c);  // cmb13
                if (name == NULL)
                    name = GetDlgItem(shown, 0x480);  // edt1
                if (name != NULL) {
                    SetWindowTextA(name, file.c_str());
                    PostMessageA(shown, WM_COMMAND, IDOK, 0);
                    return;
                }
            }
            Sleep(50);
        }
    });
    CFileDialog dialog(TRUE, "EXE", "*.exe", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "Exe Files (*.exe)|*.exe|All Files (*.*)|*.*||");
    INT_PTR result = -2;
    bool finished = FinishesWithin(30000, [&] { result = dialog.DoModal(); });
    done = true;
    chooser.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ(file.c_str(), dialog.GetPathName());
    EXPECT_STREQ("chosen.exe", dialog.GetFileName());
    EXPECT_STREQ("exe", dialog.GetFileExt());
}

} // namespace
