#include <gtest/gtest.h>

#include "ModulePaths.h"
#include "TempFolder.h"

namespace {

TEST(SplitPath, GivesEachPartOfAPath)
{
    struct Case { const char* path; int part; const char* expected; };
    const Case cases[] = {
        {"C:\\Media\\Video\\clip.avi", 1, "C:"},
        {"C:\\Media\\Video\\clip.avi", 2, "C:\\Media\\Video"},
        {"C:\\Media\\Video\\clip.avi", 3, "clip.avi"},
        {"C:\\Media\\Video\\clip.avi", 4, "clip"},
        {"C:\\Media\\Video\\clip.avi", 5, "avi"},
        {"C:\\Media\\Video\\clip.avi", 0, ""},
        {"C:\\Media\\Video\\clip.avi", 6, ""},
        {"C:\\Media\\Video\\clip", 3, "clip"},
        {"C:\\Media\\Video\\clip", 4, "clip"},
        {"C:\\Media\\Video\\clip", 5, ""},
        {"C:\\Media\\a.b.jpg", 4, "a.b"},
        {"C:\\Media\\a.b.jpg", 5, "jpg"},
        {"C:\\Media\\folder\\", 2, "C:\\Media\\folder"},
        {"C:\\Media\\folder\\", 3, ""},
        {"C:\\", 2, "C:"},
        {"clip.avi", 1, ""},
        {"clip.avi", 2, ""},
        {"\\\\server\\share\\clip.avi", 2, "\\\\server\\share"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_STREQ(cases[i].expected, (LPCTSTR)SplitPath(cases[i].path, cases[i].part))
            << "row " << i;
}

TEST(GetModuleDir, IsTheExecutablesFolderWithoutATrailingBackslash)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, MAX_PATH);
    CString folder = GetModuleDir();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_NE('\\', folder[folder.GetLength() - 1]);
    EXPECT_EQ(CString(exe), folder + "\\" + SplitPath(exe, 3));
    EXPECT_TRUE(IsDirectory(folder));
}

TEST(IsDirectory, TellsFoldersFromFilesAndMissingPaths)
{
    TempFolder temp;
    std::string file = temp.Write("a.txt", "x");
    EXPECT_TRUE(IsDirectory(temp.Path().c_str()));
    EXPECT_FALSE(IsDirectory(file.c_str()));
    EXPECT_FALSE(IsDirectory(temp.FilePath("missing").c_str()));
}

}  // namespace
