#include <gtest/gtest.h>

#include <afx.h>
#include <CArchive.h>
#include <afxcoll.h>

#include "TempFolder.h"

namespace {

// Stores through an archive with write, then gives the file's bytes.
template <class Fn>
std::string StoreBytes(const TempFolder& folder, Fn write)
{
    std::string path = folder.FilePath("archive.bin");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    {
        CArchive ar(&file, CArchive::store, 4096);
        write(ar);
    }
    file.Close();
    return TempFolder::ReadWholeFile(path);
}

// The cause of the archive exception read throws, none when it throws nothing.
template <class Fn>
int LoadCause(const TempFolder& folder, const std::string& bytes, Fn read)
{
    std::string path = folder.Write("archive.bin", bytes);
    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load, 4096);
    try {
        read(ar);
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return CArchiveException::none;
}

} // namespace

TEST(CArchive, IntegersAreLittleEndianAtTheirOwnWidth)
{
    TempFolder folder;
    std::string bytes = StoreBytes(folder, [](CArchive& ar) {
        ar << (int)-2 << (LONG)0x01020304 << (DWORD)0xA0B0C0D0 << (WORD)0x1234 << (BYTE)0x7F;
    });
    EXPECT_EQ(std::string("\xFE\xFF\xFF\xFF\x04\x03\x02\x01\xD0\xC0\xB0\xA0\x34\x12\x7F", 15), bytes);

    int i = 0;
    LONG l = 0;
    DWORD dw = 0;
    WORD w = 0;
    BYTE by = 0;
    EXPECT_EQ(CArchiveException::none, LoadCause(folder, bytes, [&](CArchive& ar) {
        ar >> i >> l >> dw >> w >> by;
    }));
    EXPECT_EQ(-2, i);
    EXPECT_EQ(0x01020304, l);
    EXPECT_EQ(0xA0B0C0D0u, dw);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(0x7F, by);
}

TEST(CArchive, StringLengthFormsAtTheirBoundaries)
{
    struct Case {
        DWORD length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, std::string("\x00", 1)},
        {1, std::string("\x01", 1)},
        {254, std::string("\xFE", 1)},
        {255, std::string("\xFF\xFF\x00", 3)},
        {256, std::string("\xFF\x00\x01", 3)},
        {0xFFFD, std::string("\xFF\xFD\xFF", 3)},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {0x10000, std::string("\xFF\xFF\xFF\x00\x00\x01\x00", 7)},
    };
    TempFolder folder;
    for (size_t row = 0; row < sizeof(cases) / sizeof(cases[0]); ++row) {
        const Case& c = cases[row];
        std::string text(c.length, 'a');
        for (DWORD k = 0; k < c.length; ++k)
            text[k] = (char)('a' + k % 26);
        std::string bytes = StoreBytes(folder, [&](CArchive& ar) {
            ar << CString(text.c_str()) << (int)7;
        });
        EXPECT_EQ(c.prefix + text + std::string("\x07\x00\x00\x00", 4), bytes) << "row " << row;

        CString read("old");
        int after = 0;
        EXPECT_EQ(CArchiveException::none, LoadCause(folder, bytes, [&](CArchive& ar) {
            ar >> read >> after;
        })) << "row " << row;
        EXPECT_EQ(text, std::string(read, read.GetLength())) << "row " << row;
        EXPECT_EQ(7, after) << "row " << row;
    }
}

TEST(CArchive, GbkStringsKeepTheirBytes)
{
    TempFolder folder;
    const char gbk[] = "\xCE\xD2\xB5\xC4\xB5\xE7\xCA\xD3";  // four double-byte characters
    std::string bytes = StoreBytes(folder, [&](CArchive& ar) { ar << CString(gbk); });
    EXPECT_EQ(std::string("\x08") + gbk, bytes);
}

TEST(CArchive, ShortOrDamagedDataThrowsEndOfFile)
{
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"int cut short", std::string("\x01\x02\x03", 3)},
        {"one-byte length past the end", std::string("\x05" "abc", 4)},
        {"16-bit length past the end", std::string("\xFF\x00\x01" "abc", 6)},
        {"32-bit length past the end", std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F" "abc", 10)},
        {"16-bit length cut short", std::string("\xFF\x10", 2)},
        {"nothing at all", std::string()},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        CString text("kept");
        int cause = LoadCause(folder, c.bytes, [&](CArchive& ar) {
            if (c.bytes.size() == 3) {
                int i;
                ar >> i;
            } else {
                ar >> text;
            }
        });
        EXPECT_EQ(CArchiveException::endOfFile, cause) << c.what;
        EXPECT_STREQ("kept", text) << c.what;
    }
}

TEST(CArchive, LargeDataCrossesTheBufferBothWays)
{
    TempFolder folder;
    std::string big(10000, 'x');
    std::string bytes = StoreBytes(folder, [&](CArchive& ar) {
        for (int i = 0; i < 3000; ++i)
            ar << (int)i;
        ar << CString(big.c_str());
    });
    ASSERT_EQ(12000u + 3 + 10000, bytes.size());
    int last = -1;
    bool ordered = true;
    CString read;
    EXPECT_EQ(CArchiveException::none, LoadCause(folder, bytes, [&](CArchive& ar) {
        for (int i = 0; i < 3000; ++i) {
            ar >> last;
            ordered = ordered && last == i;
        }
        ar >> read;
    }));
    EXPECT_TRUE(ordered);
    EXPECT_EQ(10000, read.GetLength());
}

TEST(CArchive, StoreArchiveRefusesToReadAndLoadArchiveToWrite)
{
    TempFolder folder;
    std::string path = folder.Write("archive.bin", "abcd");
    int cause = CArchiveException::none;
    {
        CFile file(path.c_str(), CFile::modeReadWrite);
        try {
            CArchive ar(&file, CArchive::load);
            ar << (int)1;
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
    }
    EXPECT_EQ(CArchiveException::readOnly, cause);
    EXPECT_EQ("abcd", TempFolder::ReadWholeFile(path));
}

namespace {

// A string array is its count in the collection form, then each string.
TEST(CArchive, StringArrayCountFormsAndDamagedCounts)
{
    TempFolder folder;
    CStringArray two;
    two.Add("ab");
    two.Add("");
    std::string bytes = StoreBytes(folder, [&](CArchive& ar) { two.Serialize(ar); });
    EXPECT_EQ(std::string("\x02\x00\x02" "ab" "\x00", 6), bytes);
    CStringArray read;
    read.Add("old");
    EXPECT_EQ(CArchiveException::none, LoadCause(folder, bytes, [&](CArchive& ar) { read.Serialize(ar); }));
    ASSERT_EQ(2, read.GetSize());
    EXPECT_STREQ("ab", read[0]);
    EXPECT_STREQ("", read[1]);

    // 0xFFFF and more take the long form.
    CStringArray many;
    many.SetSize(0xFFFF);
    bytes = StoreBytes(folder, [&](CArchive& ar) { many.Serialize(ar); });
    EXPECT_EQ(std::string("\xFF\xFF\xFF\xFF\x00\x00", 6), bytes.substr(0, 6));
    EXPECT_EQ(6u + 0xFFFF, bytes.size());
    EXPECT_EQ(CArchiveException::none, LoadCause(folder, bytes, [&](CArchive& ar) { read.Serialize(ar); }));
    EXPECT_EQ(0xFFFF, read.GetSize());

    // A count beyond the bytes left is refused before anything is made.
    const std::string damaged[] = {
        std::string("\x03\x00\x01" "a", 4),
        std::string("\xFF\xFF\xFF\xFF\xFF\x7F" "abc", 9),
        std::string("\x01", 1),
    };
    for (const std::string& data : damaged)
        EXPECT_EQ(CArchiveException::endOfFile, LoadCause(folder, data, [&](CArchive& ar) { read.Serialize(ar); }))
            << data.size();
}

} // namespace
