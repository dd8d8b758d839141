#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <commctrl.h>

#include <string>
#include <thread>

#include "CFileChooser.h"
#include "TempFolder.h"

namespace {

// The text of the tree's selected item: the folder the browser shows as chosen.
std::string SelectedFolder(HWND dialog)
{
    HWND tree = FindWindowExA(dialog, NULL, "SysTreeView32", NULL);
    for (HWND child = GetWindow(dialog, GW_CHILD); tree == NULL && child; child = GetWindow(child, GW_HWNDNEXT))
        tree = FindWindowExA(child, NULL, "SysTreeView32", NULL);
    if (tree == NULL)
        return "";
    HTREEITEM item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    char text[MAX_PATH] = "";
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof(text);
    if (item == NULL || !SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&data))
        return "";
    return text;
}

// Presses a button of the first dialog that shows on the thread, as the user would; with a
// folder name, once the browser shows that folder as chosen (it selects its start folder only
// after it opens, later on a busy machine).
class DialogAnswer
{
public:
    DialogAnswer(DWORD thread, int button, const std::string& folder = std::string())
        : m_worker([thread, button, folder] {
              for (int tries = 0; tries < 500; ++tries) {
                  HWND dialog = NULL;
                  EnumThreadWindows(thread, FindDialog, (LPARAM)&dialog);
                  if (dialog) {
                      for (int wait = 0; wait < 600 && !folder.empty() && SelectedFolder(dialog) != folder; ++wait)
                          Sleep(50);
                      Sleep(100);
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
        std::string name = temp.Path().substr(temp.Path().rfind('\\') + 1);
        DialogAnswer answer(GetCurrentThreadId(), IDOK, name);
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
