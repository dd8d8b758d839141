#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <thread>

#include "CFileChooser.h"
#include "TempFolder.h"

namespace {

// Presses a button of the first dialog that shows on the thread, as the user would.
class DialogAnswer
{
public:
    DialogAnswer(DWORD thread, int button)
        : m_worker([thread, button] {
              for (int tries = 0; tries < 500; ++tries) {
                  HWND dialog = NULL;
                  EnumThreadWindows(thread, FindDialog, (LPARAM)&dialog);
                  if (dialog) {
                      Sleep(100);  // the chooser selects its start folder as it opens
                      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                      return;
                  }
                  Sleep(10);
              }
          })
    {
    }
    ~DialogAnswer() { m_worker.join(); }

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM lParam)
    {
        char name[16];
        GetClassNameA(window, name, sizeof(name));
        if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window))
            return TRUE;
        *(HWND*)lParam = window;
        return FALSE;
    }

    std::thread m_worker;
};

const UINT kFolderFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;

TEST(FileChooser, TheFolderChooserStartsAtTheGivenFolderAndKeepsAChoice)
{
    CoInitialize(NULL);
    TempFolder temp;
    CFileChooser chooser(TRUE, "exe", "Executable Files (*.exe)|*.exe||", OFN_FILEMUSTEXIST);
    {
        DialogAnswer answer(GetCurrentThreadId(), IDOK);
        EXPECT_EQ(1, chooser.BrowseForFolder("选择视频文件夹", temp.Path().c_str(), kFolderFlags, NULL));
    }
    EXPECT_EQ(0, lstrcmpiA(temp.Path().c_str(), chooser.GetPath())) << chooser.GetPath();

    {
        DialogAnswer answer(GetCurrentThreadId(), IDCANCEL);
        EXPECT_EQ(0, chooser.BrowseForFolder("选择视频文件夹", "C:\\", kFolderFlags, NULL));
    }
    EXPECT_EQ(0, lstrcmpiA(temp.Path().c_str(), chooser.GetPath())) << "a cancel keeps the choice";
    CoUninitialize();
}

}  // namespace
