#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "AutoComplete.h"
#include "ShortcutTarget.h"

namespace {

TEST(EnableAutoComplete, WorksOnAnEditAndFailsWithoutAWindow)
{
    HWND edit = CreateWindowA("EDIT", "", WS_POPUP, 0, 0, 100, 20, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, edit);
    EXPECT_TRUE(SUCCEEDED(EnableAutoComplete(edit, SHACF_FILESYS_DIRS)));
    DestroyWindow(edit);
    EXPECT_EQ(E_FAIL, EnableAutoComplete(edit, SHACF_FILESYS_ONLY));
    EXPECT_EQ(E_FAIL, EnableAutoComplete(NULL, SHACF_FILESYS_ONLY));
}

// A shortcut of its own under the common Start-menu Programs folder, removed afterwards.
class ShortcutTargetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        char programs[MAX_PATH];
        ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, programs, CSIDL_COMMON_PROGRAMS, TRUE));
        folder = std::string(programs) + "\\Velmora kit test";
        CreateDirectoryA(folder.c_str(), NULL);
        link = folder + "\\Player.lnk";
        GetModuleFileNameA(NULL, self, MAX_PATH);
        ASSERT_TRUE(Write(self, "-old"));
    }
    void TearDown() override
    {
        DeleteFileA(link.c_str());
        RemoveDirectoryA(folder.c_str());
        CoUninitialize();
    }
    bool Write(const char* target, const char* arguments)
    {
        IShellLinkA* shortcut = NULL;
        IPersistFile* file = NULL;
        std::wstring wide(link.begin(), link.end());
        bool ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                             (void**)&shortcut))
                  && SUCCEEDED(shortcut->SetPath(target)) && SUCCEEDED(shortcut->SetArguments(arguments))
                  && SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, (void**)&file))
                  && SUCCEEDED(file->Save(wide.c_str(), TRUE));
        if (file)
            file->Release();
        if (shortcut)
            shortcut->Release();
        return ok;
    }
    // The target and arguments the shortcut file holds.
    std::string Read(std::string* arguments)
    {
        IShellLinkA* shortcut = NULL;
        IPersistFile* file = NULL;
        std::wstring wide(link.begin(), link.end());
        char path[MAX_PATH] = "", args[MAX_PATH] = "";
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       (void**)&shortcut))
            && SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, (void**)&file))
            && SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            shortcut->GetPath(path, MAX_PATH, NULL, 0);
            shortcut->GetArguments(args, MAX_PATH);
        }
        if (file)
            file->Release();
        if (shortcut)
            shortcut->Release();
        *arguments = args;
        return path;
    }

    std::string folder;
    std::string link;
    char self[MAX_PATH];
};

TEST_F(ShortcutTargetTest, PointsTheShortcutAtTheNewTargetWithoutArguments)
{
    char target[MAX_PATH];
    GetSystemDirectoryA(target, MAX_PATH);
    strcat(target, "\\notepad.exe");
    EXPECT_TRUE(UpdateShortcutTarget("\\Velmora kit test\\Player.lnk", target));
    std::string arguments = "?";
    EXPECT_STREQ(target, Read(&arguments).c_str());
    EXPECT_EQ("", arguments);
}

TEST_F(ShortcutTargetTest, LeavesAMissingShortcutAlone)
{
    EXPECT_FALSE(UpdateShortcutTarget("\\Velmora kit test\\Missing.lnk", self));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\Missing.lnk").c_str()));
    std::string arguments;
    EXPECT_STREQ(self, Read(&arguments).c_str());
    EXPECT_EQ("-old", arguments);
}

}  // namespace
