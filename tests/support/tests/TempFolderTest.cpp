#include <gtest/gtest.h>
#include <windows.h>

#include "TempFolder.h"

TEST(TempFolder, WritesAndReadsBytesUnchanged)
{
    TempFolder folder;
    const std::string bytes("a\r\nb\n\0\xC4\xE3", 8);
    std::string path = folder.Write("x.bin", bytes);
    EXPECT_EQ(folder.Path() + "\\x.bin", path);
    EXPECT_EQ(bytes, folder.Read("x.bin"));
    EXPECT_EQ("", folder.Read("missing"));
}

TEST(TempFolder, IsRemovedWithReadOnlyContentsAndSubfolders)
{
    std::string path;
    {
        TempFolder folder;
        path = folder.Path();
        ASSERT_TRUE(CreateDirectoryA(folder.FilePath("sub").c_str(), NULL));
        std::string locked = folder.Write("sub\\locked.txt", "x");
        SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesA(folder.FilePath("sub").c_str(), FILE_ATTRIBUTE_READONLY);
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
}

TEST(TempFolder, TwoFoldersDiffer)
{
    TempFolder a, b;
    EXPECT_NE(a.Path(), b.Path());
}
