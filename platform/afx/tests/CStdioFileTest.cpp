#include <gtest/gtest.h>

#include <afx.h>

#include <string>
#include <vector>

#include "GbkText.h"
#include "TempFolder.h"

namespace {

const char kFullDisk[] = "\\\\?\\unix\\dev\\full";  // Wine: the host's /dev/full

std::vector<std::string> ReadLines(const std::string& path, UINT nOpenFlags = CFile::modeRead)
{
    std::vector<std::string> lines;
    CStdioFile file(path.c_str(), nOpenFlags);
    CString line;
    while (file.ReadString(line))
        lines.push_back((LPCTSTR)line);
    EXPECT_STREQ("", line);
    return lines;
}

// The cause of the CFileException that call throws, -1 when it throws none.
template <class CALL>
int CauseOf(CALL call)
{
    try {
        call();
    } catch (CFileException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

} // namespace

TEST(CStdioFile, WriteStringWritesCrLfInTextMode)
{
    TempFolder folder;
    std::string path = folder.FilePath("text.ini");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("[General]\n");
        file.WriteString("Path=C:\\" GBK_CHENG "\\\nTotal=2\n");
        file.Close();
    }
    EXPECT_EQ("[General]\r\nPath=C:\\" GBK_CHENG "\\\r\nTotal=2\r\n", TempFolder::ReadWholeFile(path));
}

TEST(CStdioFile, TextIsTheDefaultModeAndBinaryWritesLf)
{
    TempFolder folder;
    {
        CStdioFile text(folder.FilePath("default.txt").c_str(), CFile::modeCreate | CFile::modeWrite);
        text.WriteString("a\n");
        CStdioFile binary(folder.FilePath("binary.txt").c_str(),
                          CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        binary.WriteString("a\n");
    }
    EXPECT_EQ("a\r\n", folder.Read("default.txt"));
    EXPECT_EQ("a\n", folder.Read("binary.txt"));
}

TEST(CStdioFile, ReadStringRemovesLfAndCrLf)
{
    TempFolder folder;
    std::string path = folder.Write("lines.txt", "a\r\nb\n\r\nlast");
    std::vector<std::string> expected = {"a", "b", "", "last"};
    EXPECT_EQ(expected, ReadLines(path));
}

TEST(CStdioFile, CrLfRoundTripOfGbkLines)
{
    TempFolder folder;
    std::string path = folder.FilePath("round.ini");
    std::vector<std::string> lines = {"[" GBK_PINDAO "]", GBK_CHENG "=" GBK_BING "\\", "", GBK_QING "A"};
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        for (const std::string& line : lines)
            file.WriteString((line + "\n").c_str());
    }
    EXPECT_EQ(lines, ReadLines(path, CFile::modeRead | CFile::typeText));
}

TEST(CStdioFile, ReadStringInBinaryModeKeepsTheCr)
{
    TempFolder folder;
    std::string path = folder.Write("crlf.txt", "a\r\nb");
    std::vector<std::string> expected = {"a\r", "b"};
    EXPECT_EQ(expected, ReadLines(path, CFile::modeRead | CFile::typeBinary));
}

TEST(CStdioFile, ReadStringOfAnEmptyFileIsFalse)
{
    TempFolder folder;
    EXPECT_TRUE(ReadLines(folder.Write("empty.txt", "")).empty());
}

TEST(CStdioFile, LinesLongerThanTheReadBufferAndACrLfAcrossIt)
{
    TempFolder folder;
    std::string longLine(4095, 'x');
    std::string path = folder.Write("long.txt", longLine + "\r\n" + std::string(10000, 'y') + "\r\ntail");
    std::vector<std::string> expected = {longLine, std::string(10000, 'y'), "tail"};
    EXPECT_EQ(expected, ReadLines(path));
}

TEST(CStdioFile, CtrlZEndsTextModeReading)
{
    TempFolder folder;
    std::string path = folder.Write("ctrlz.txt", "a\r\nb\x1A" "c\r\n");
    std::vector<std::string> text = {"a", "b"};
    EXPECT_EQ(text, ReadLines(path));
    std::vector<std::string> binary = {"a\r", "b\x1A" "c\r"};
    EXPECT_EQ(binary, ReadLines(path, CFile::modeRead | CFile::typeBinary));
}

TEST(CStdioFile, ReadStringIntoABufferKeepsTheLfAndWholeCharacters)
{
    TempFolder folder;
    std::string path = folder.Write("buffer.txt", "ab" GBK_CHENG "cd\r\n");
    CStdioFile file(path.c_str(), CFile::modeRead);
    char buffer[4];
    EXPECT_STREQ("ab", file.ReadString(buffer, 4));  // the lead byte waits for the next read
    EXPECT_STREQ(GBK_CHENG "c", file.ReadString(buffer, 4));
    EXPECT_STREQ("d\n", file.ReadString(buffer, 4));
    EXPECT_EQ(nullptr, file.ReadString(buffer, 4));
}

TEST(CStdioFile, PositionsAreFileOffsets)
{
    TempFolder folder;
    std::string path = folder.Write("pos.txt", "ab\r\ncd\r\n");
    CStdioFile file(path.c_str(), CFile::modeRead);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(4u, file.GetPosition());
    file.Seek(1, CFile::begin);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("b", line);
    file.SeekToBegin();
    char bytes[16] = {};
    EXPECT_EQ(6u, file.Read(bytes, sizeof(bytes)));
    EXPECT_STREQ("ab\ncd\n", bytes);
}

TEST(CStdioFile, WriteAfterReadingContinuesAtTheReadPosition)
{
    TempFolder folder;
    std::string path = folder.Write("rw.txt", "a\r\nb\r\n");
    {
        CStdioFile file(path.c_str(), CFile::modeReadWrite);
        CString line;
        ASSERT_TRUE(file.ReadString(line));
        file.WriteString("X\n");
    }
    EXPECT_EQ("a\r\nX\r\n", TempFolder::ReadWholeFile(path));
}

TEST(CStdioFile, WritingWithoutCreateOrWithNoTruncateAppends)
{
    TempFolder folder;
    std::string path = folder.Write("log.txt", "one\r\n");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        file.WriteString("two\n");
    }
    {
        CStdioFile file(path.c_str(), CFile::modeWrite);
        file.SeekToBegin();
        file.WriteString("three\n");
    }
    EXPECT_EQ("one\r\ntwo\r\nthree\r\n", TempFolder::ReadWholeFile(path));
}

TEST(CStdioFile, WriteStringThroughAReadOnlyHandleThrows)
{
    TempFolder folder;
    std::string path = folder.Write("ro.txt", "a\r\n");
    {
        CStdioFile file(path.c_str(), CFile::modeRead);
        EXPECT_EQ(CFileException::accessDenied, CauseOf([&] { file.WriteString("x\n"); }));
    }
    EXPECT_EQ("a\r\n", TempFolder::ReadWholeFile(path));
}

TEST(CStdioFile, WriteStringOnAFullDiskThrowsDiskFull)
{
    CStdioFile file;
    ASSERT_TRUE(file.Open(kFullDisk, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    EXPECT_EQ(CFileException::diskFull, CauseOf([&] { file.WriteString("[General]\n"); }));
}

TEST(CStdioFile, ReadStringThroughAWriteOnlyHandleThrows)
{
    TempFolder folder;
    std::string path = folder.Write("wo.txt", "a\r\n");
    CStdioFile file(path.c_str(), CFile::modeWrite);
    CString line;
    EXPECT_EQ(CFileException::accessDenied, CauseOf([&] { file.ReadString(line); }));
}
