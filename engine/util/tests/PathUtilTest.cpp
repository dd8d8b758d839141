#include <gtest/gtest.h>

#include <string>

#include "PathUtil.h"
#include "TempFolder.h"

namespace {

std::string WithForwardSlashes(std::string path)
{
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

} // namespace

TEST(PathUtil, FolderExistsTrimsBlanksAndAcceptsEitherSlash)
{
    TempFolder temp;
    const std::string folder = temp.Path();
    temp.Write("file.txt", "x");

    struct Case { std::string path; BOOL exists; };
    const Case cases[] = {
        {folder, TRUE},
        {folder + "\\", TRUE},
        {WithForwardSlashes(folder) + " ", TRUE},
        {WithForwardSlashes(folder) + "/", TRUE},
        {"  \t" + folder + "  ", TRUE},
        {folder + "\\missing", FALSE},
        {"", FALSE},
        {"   ", FALSE},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].exists, CPathUtil::FolderExists(cases[i].path.c_str())) << "case " << i;
    EXPECT_FALSE(CPathUtil::FolderExists(NULL));
}

TEST(PathUtil, FileExistsFindsFilesAndFolders)
{
    TempFolder temp;
    std::string file = temp.Write("a.ini", "");
    EXPECT_TRUE(CPathUtil::FileExists(file.c_str()));
    EXPECT_TRUE(CPathUtil::FileExists(temp.Path().c_str()));
    EXPECT_FALSE(CPathUtil::FileExists(temp.FilePath("b.ini").c_str()));
    EXPECT_FALSE(CPathUtil::FileExists(NULL));
}

TEST(PathUtil, MakeDirMakesOneLevel)
{
    TempFolder temp;
    std::string one = temp.FilePath("one");
    EXPECT_TRUE(CPathUtil::MakeDir(one.c_str()));
    EXPECT_TRUE(CPathUtil::FolderExists(one.c_str()));
    EXPECT_TRUE(CPathUtil::MakeDir(one.c_str()));
    EXPECT_FALSE(CPathUtil::MakeDir(temp.FilePath("two\\levels").c_str()));
    EXPECT_FALSE(CPathUtil::FolderExists(temp.FilePath("two").c_str()));
}

TEST(PathUtil, FindStringComparesWholeCharacters)
{
    CStringArray list;
    list.Add("Video");
    list.Add("\xB5\xE7\xCA\xD3" "Abc");  // Chinese text, then ASCII letters
    list.Add("\x81\x61");             // a character whose second byte is 'a'

    struct Case { const char* text; int exact; int noCase; };
    const Case cases[] = {
        {"Video", 0, 0},
        {"VIDEO", -1, 0},
        {"\xB5\xE7\xCA\xD3" "ABC", -1, 1},
        {"\xB5\xE7\xCA\xD3" "Abc", 1, 1},
        {"\x81\x41", -1, -1},  // differs from "\x81\x61" only in a second byte
        {"\x81\x61", 2, 2},
        {"", -1, -1},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        EXPECT_EQ(cases[i].exact, CPathUtil::FindString(list, cases[i].text)) << "case " << i;
        EXPECT_EQ(cases[i].noCase, CPathUtil::FindStringNoCase(list, cases[i].text))
            << "case " << i;
    }
}

TEST(PathUtil, ModuleDirHoldsTheProgramWithoutTrailingBackslash)
{
    CString dir;
    CPathUtil::GetModuleDir(dir);
    ASSERT_FALSE(dir.IsEmpty());
    EXPECT_NE('\\', dir[dir.GetLength() - 1]);
    EXPECT_TRUE(CPathUtil::FileExists(dir + "\\engineutil_tests.exe"));
}

TEST(PathUtil, ShortPathOfAMissingFileIsEmpty)
{
    TempFolder temp;
    std::string file = temp.Write("a long file name.ini", "");
    EXPECT_FALSE(CPathUtil::GetShortPath(file.c_str()).IsEmpty());
    EXPECT_TRUE(CPathUtil::GetShortPath(temp.FilePath("missing.ini").c_str()).IsEmpty());
}
