#include <gtest/gtest.h>

#include <string>

#include "SkinList.h"
#include "TempFolder.h"

namespace {

std::string Joined(const CStringList& names)
{
    std::string text;
    for (POSITION position = names.GetHeadPosition(); position;)
        text += std::string(text.empty() ? "" : "|") + (LPCTSTR)names.GetNext(position);
    return text;
}

} // namespace

TEST(SkinListTest, ListsThePresentNamesAndTheFilesOfEachSkin)
{
    TempFolder temp;
    std::string path = temp.Write("SkinSet.ini", "[General]\r\nTotal=3\r\n"
                                                 "Skin-0=Blue\r\nSkin-2=\xC0\xB6\xC9\xAB\r\n"
                                                 "[Blue]\r\nIni=Skins\\Blue\\Skin.ini\r\n"
                                                 "Dll=Skins\\Blue\\Vellumpack.dll\r\n"
                                                 "[Half]\r\nIni=Half.ini\r\n");
    CSkinList list;
    ASSERT_TRUE(list.Open(path.c_str()));
    CStringList names;
    ASSERT_TRUE(list.ReadSkinList(names));
    EXPECT_EQ("Blue|\xC0\xB6\xC9\xAB", Joined(names));

    CString ini = "old ini", dll = "old dll";
    ASSERT_TRUE(list.GetSkinFiles("Blue", ini, dll));
    EXPECT_STREQ("Skins\\Blue\\Skin.ini", (LPCTSTR)ini);
    EXPECT_STREQ("Skins\\Blue\\Vellumpack.dll", (LPCTSTR)dll);
    ASSERT_TRUE(list.GetSkinFiles("Half", ini, dll));
    EXPECT_STREQ("Half.ini", (LPCTSTR)ini);
    EXPECT_STREQ("Skins\\Blue\\Vellumpack.dll", (LPCTSTR)dll);
    ASSERT_TRUE(list.GetSkinFiles("blue", ini, dll));
    EXPECT_STREQ("Half.ini", (LPCTSTR)ini);
}

// An edited Total far beyond the keys lists the names present, in number order, at once.
TEST(SkinListTest, HugeTotalListsTheNamesPresent)
{
    TempFolder temp;
    std::string path = temp.Write("SkinSet.ini", "[General]\r\nTotal=2147483647\r\n"
                                                 "Skin-7=Green\r\nSkin-0=Blue\r\n");
    CSkinList list;
    ASSERT_TRUE(list.Open(path.c_str()));
    CStringList names;
    ASSERT_TRUE(list.ReadSkinList(names));
    EXPECT_EQ("Blue|Green", Joined(names));
}

// Opening the same path again reads the file as it is now, and only once.
TEST(SkinListTest, OpeningAgainReadsTheFileAfresh)
{
    TempFolder temp;
    std::string path = temp.Write("SkinSet.ini", "[General]\r\nTotal=1\r\nSkin-0=Old\r\n");
    CSkinList list;
    ASSERT_TRUE(list.Open(path.c_str()));
    temp.Write("SkinSet.ini", "[General]\r\nTotal=1\r\nSkin-0=New\r\n");
    ASSERT_TRUE(list.Open(path.c_str()));
    CStringList names;
    ASSERT_TRUE(list.ReadSkinList(names));
    EXPECT_EQ("New", Joined(names));
}

TEST(SkinListTest, NothingToReadWithoutAFileAndAnEmptyListWithoutGeneral)
{
    CSkinList list;
    CStringList names;
    CString ini, dll;
    EXPECT_FALSE(list.ReadSkinList(names));
    EXPECT_FALSE(list.GetSkinFiles("Blue", ini, dll));

    TempFolder temp;
    EXPECT_FALSE(list.Open(temp.FilePath("SkinSet.ini").c_str()));
    EXPECT_FALSE(list.ReadSkinList(names));
    std::string path = temp.Write("SkinSet.ini", "[Blue]\r\nIni=Skin.ini\r\n");
    ASSERT_TRUE(list.Open(path.c_str()));
    EXPECT_TRUE(list.ReadSkinList(names));
    EXPECT_EQ(0, (int)names.GetCount());
}
