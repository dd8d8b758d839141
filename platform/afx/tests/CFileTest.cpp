#include <gtest/gtest.h>

#include <afx.h>

#include "TempFolder.h"

namespace {

// Wine maps this path to the host's /dev/full, where every write fails with ERROR_DISK_FULL.
const char kFullDisk[] = "\\\\?\\unix\\dev\\full";

} // namespace

TEST(CFile, OpenOfAMissingFileFailsWithTheCause)
{
    TempFolder folder;
    std::string path = folder.FilePath("missing.ini");
    CFile file;
    CFileException e;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead, &e));
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, e.m_lOsError);
    EXPECT_STREQ(path.c_str(), e.m_strFileName);
    EXPECT_EQ((UINT)CFile::hFileNull, file.m_hFile);
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead));
}

TEST(CFile, ConstructorThrowsWhenTheFileCannotBeOpened)
{
    TempFolder folder;
    int cause = -1;
    try {
        CFile file(folder.FilePath("no\\such\\folder.bin").c_str(), CFile::modeRead);
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CFileException::badPath, cause);
}

TEST(CFile, WriteSeekReadAndLength)
{
    TempFolder folder;
    std::string path = folder.FilePath("data.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(10u, file.GetPosition());
    EXPECT_EQ(2, file.Seek(2, CFile::begin));
    char buffer[8] = {};
    EXPECT_EQ(3u, file.Read(buffer, 3));
    EXPECT_STREQ("234", buffer);
    EXPECT_EQ(6, file.Seek(1, CFile::current));
    EXPECT_EQ(9, file.Seek(-1, CFile::end));
    EXPECT_EQ(1u, file.Read(buffer, 8));
    EXPECT_EQ(0u, file.Read(buffer, 8));
    file.SeekToBegin();
    EXPECT_EQ(0u, file.GetPosition());
    EXPECT_EQ(10u, file.SeekToEnd());
    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    file.Flush();
    file.Close();
    EXPECT_EQ((UINT)CFile::hFileNull, file.m_hFile);
    EXPECT_EQ("0123", TempFolder::ReadWholeFile(path));
}

TEST(CFile, CreateTruncatesUnlessNoTruncate)
{
    TempFolder folder;
    std::string path = folder.Write("keep.txt", "abc");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(3u, file.GetLength());
    }
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, file.GetLength());
    }
    EXPECT_EQ("", TempFolder::ReadWholeFile(path));
}

TEST(CFile, NamesTheFileByFullPathAndName)
{
    TempFolder folder;
    std::string path = folder.FilePath("TVParam.ini");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_STREQ(path.c_str(), file.GetFilePath());
    EXPECT_STREQ("TVParam.ini", file.GetFileName());
}

TEST(CFile, WriteThroughAReadOnlyHandleThrows)
{
    TempFolder folder;
    std::string path = folder.Write("read.txt", "abc");
    CFile file(path.c_str(), CFile::modeRead);
    int cause = -1;
    LONG lOsError = 0;
    try {
        file.Write("x", 1);
    } catch (CFileException* e) {
        cause = e->m_cause;
        lOsError = e->m_lOsError;
        e->Delete();
    }
    EXPECT_EQ(CFileException::accessDenied, cause);
    EXPECT_EQ(ERROR_ACCESS_DENIED, lOsError);
}

TEST(CFile, WriteOnAFullDiskThrowsDiskFull)
{
    CFile file;
    ASSERT_TRUE(file.Open(kFullDisk, CFile::modeWrite));
    int cause = -1;
    try {
        file.Write("x", 1);
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CFileException::diskFull, cause);
}

TEST(CFile, ShareExclusiveKeepsOthersOut)
{
    TempFolder folder;
    std::string path = folder.Write("locked.txt", "abc");
    CFile first(path.c_str(), CFile::modeRead | CFile::shareExclusive);
    CFile second;
    CFileException e;
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone, &e));
    EXPECT_EQ(CFileException::sharingViolation, e.m_cause);

    CFile shared(folder.Write("shared.txt", "abc").c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CFile reader;
    EXPECT_TRUE(reader.Open(folder.FilePath("shared.txt").c_str(), CFile::modeRead | CFile::shareDenyNone));
    CFile writer;
    EXPECT_FALSE(writer.Open(folder.FilePath("shared.txt").c_str(), CFile::modeWrite | CFile::shareDenyNone));
}

TEST(CFile, GetStatusOfAFile)
{
    TempFolder folder;
    std::string path = folder.Write("status.txt", "12345");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(5, status.m_size);
    EXPECT_EQ(CFile::readOnly, status.m_attribute & CFile::readOnly);
    EXPECT_STREQ(path.c_str(), status.m_szFullName);
    EXPECT_GE(status.m_mtime.GetYear(), 2020);
    EXPECT_NE(0, status.m_ctime.GetTime());
    EXPECT_NE(0, status.m_atime.GetTime());

    CFile file(path.c_str(), CFile::modeRead);
    CFileStatus open;
    ASSERT_TRUE(file.GetStatus(open));
    EXPECT_EQ(5, open.m_size);
    EXPECT_EQ(status.m_mtime, open.m_mtime);
}

TEST(CFile, GetStatusOfAFolderAndOfNothing)
{
    TempFolder folder;
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(folder.Path().c_str(), status));
    EXPECT_EQ(CFile::directory, status.m_attribute & CFile::directory);
    EXPECT_FALSE(CFile::GetStatus(folder.FilePath("nothing").c_str(), status));
}

TEST(CFile, RenameAndRemove)
{
    TempFolder folder;
    std::string from = folder.Write("from.txt", "x");
    std::string to = folder.FilePath("to.txt");
    CFile::Rename(from.c_str(), to.c_str());
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(from.c_str(), status));
    EXPECT_TRUE(CFile::GetStatus(to.c_str(), status));
    CFile::Remove(to.c_str());
    EXPECT_FALSE(CFile::GetStatus(to.c_str(), status));

    int cause = -1;
    CString strFileName;
    try {
        CFile::Remove(to.c_str());
    } catch (CFileException* e) {
        cause = e->m_cause;
        strFileName = e->m_strFileName;
        e->Delete();
    }
    EXPECT_EQ(CFileException::fileNotFound, cause);
    EXPECT_STREQ(to.c_str(), strFileName);
}
