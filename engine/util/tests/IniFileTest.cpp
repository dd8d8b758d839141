#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HelperProcess.h"
#include "IniFile.h"
#include "TempFolder.h"

// Run by IniSaveWriteFailure.sh under a file-size limit of 64 KB, so that writing more fails
// part-way, as on a full disk. Prints what went wrong; the exit code is the number of faults.
SUITE_HELPER(SaveBeyondFileSizeLimit)
{
    TempFolder temp;
    const std::string old = "[Old]\r\nk=v\r\n";
    std::string path = temp.Write("TVParam.ini", old);
    CIniFile ini(path.c_str());
    ini.Load();
    ini.SetValue("Old", "big", std::string(200000, 'x').c_str());

    int faults = 0;
    auto check = [&faults](bool ok, const char* what) {
        if (!ok) {
            printf("fault: %s\n", what);
            ++faults;
        }
    };
    check(!ini.Save(), "the save reported success");
    check(ini.GetLastErrorText() == "Unable to write file!", "wrong error text");
    check(temp.Read("TVParam.ini") == old, "the old file was changed");
    check(GetFileAttributesA((path + ".tmp").c_str()) == INVALID_FILE_ATTRIBUTES,
          "the temporary file was left behind");
    return faults;
}

namespace {

// Every section in file order with its keys sorted: what a reader of the file sees.
std::string Contents(const CIniFile& ini)
{
    std::string text;
    for (int i = 0; i < ini.GetSectionCount(); ++i) {
        const CIniSection* section = ini.GetSectionAt(i);
        std::vector<std::string> lines;
        CString key, value;
        for (POSITION position = section->GetFirstKeyPosition(); position;) {
            section->GetNextKey(position, key, value);
            lines.push_back(std::string(key) + "=" + (LPCTSTR)value);
        }
        std::sort(lines.begin(), lines.end());
        text += "[" + std::string(section->GetName()) + "]";
        for (const std::string& line : lines)
            text += " " + line;
        text += "\n";
    }
    return text;
}

class IniFileTest : public testing::Test
{
protected:
    IniFileTest() : m_path(m_temp.FilePath("TVParam.ini")), m_ini(m_path.c_str()) {}

    BOOL LoadText(const std::string& text)
    {
        m_temp.Write("TVParam.ini", text);
        return m_ini.Load();
    }
    std::string Value(const char* section, const char* key)
    {
        CString value("<missing>");
        m_ini.GetValue(section, key, value);
        return (LPCTSTR)value;
    }
    std::string SavedText() { return m_temp.Read("TVParam.ini"); }

    TempFolder m_temp;
    std::string m_path;
    CIniFile m_ini;
};

} // namespace

TEST_F(IniFileTest, ReadsHeadersAndKeysExactlyAsWritten)
{
    struct Case { const char* text; const char* section; const char* key; const char* value; };
    const Case cases[] = {
        {"[Video]\r\nk=v\r\n", "Video", "k", "v"},
        {"[Video\r\nk=v\r\n", "Vide", "k", "v"},  // the closing bracket is not checked
        {"[A]\r\na=b=c\r\n", "A", "a", "b=c"},
        {"[A]\r\n a = b \r\n", "A", " a ", " b "},
        {"[A]\r\nk=1\r\nk=2\r\n", "A", "k", "2"},
        {"[A]\r\n\r\nno equals sign\r\nk=\r\n", "A", "k", ""},
        {"[A]\r\nk=last line", "A", "k", "last line"},
        {"[a]\r\nk=v\r\n", "A", "k", "<missing>"},
        {"[A]\r\nK=v\r\n", "A", "k", "<missing>"},
        {"[\xB5\xE7\xCA\xD3]\r\n\xC3\xFB=\xD6\xD0\r\n", "\xB5\xE7\xCA\xD3", "\xC3\xFB", "\xD6\xD0"},
        // Unclosed: the last character goes whole, both of its bytes.
        {"[\xB5\xE7\xCA\xD3\r\nk=v\r\n", "\xB5\xE7", "k", "v"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        m_ini.RemoveAll();
        ASSERT_TRUE(LoadText(cases[i].text));
        EXPECT_EQ(cases[i].value, Value(cases[i].section, cases[i].key));
        EXPECT_STREQ("No error", (LPCTSTR)m_ini.GetLastErrorText());
    }
}

TEST_F(IniFileTest, SectionTwiceIsReadFirstAndSavedTwice)
{
    ASSERT_TRUE(LoadText("[A]\r\nk=1\r\n[B]\r\nx=y\r\n[A]\r\nk=2\r\n"));
    EXPECT_EQ(3, m_ini.GetSectionCount());
    EXPECT_EQ("1", Value("A", "k"));
    ASSERT_TRUE(m_ini.Save());
    EXPECT_EQ("[A]\r\nk=1\r\n[B]\r\nx=y\r\n[A]\r\nk=2\r\n", SavedText());
}

TEST_F(IniFileTest, KeyLineBeforeTheFirstHeaderIsDroppedAndTheRestKept)
{
    ASSERT_TRUE(LoadText("stray=1\r\n[A]\r\na=1\r\n[B]\r\nb=2\r\n"));
    EXPECT_STREQ("Unable to read file!", (LPCTSTR)m_ini.GetLastErrorText());
    EXPECT_EQ("1", Value("A", "a"));
    EXPECT_EQ("2", Value("B", "b"));
    ASSERT_TRUE(m_ini.Save());
    EXPECT_EQ("[A]\r\na=1\r\n[B]\r\nb=2\r\n", SavedText());
}

TEST_F(IniFileTest, LoadOfAMissingFileFails)
{
    EXPECT_FALSE(m_ini.Load());
    EXPECT_STREQ("File not exist!", (LPCTSTR)m_ini.GetLastErrorText());
    EXPECT_EQ(0, m_ini.GetSectionCount());
}

// Keys come out in the order of the section's hash map (10 buckets, each newest first),
// not in the order they were set.
TEST_F(IniFileTest, SavedKeysFollowTheMapOrder)
{
    m_ini.SetInt("General", "Total", 3);
    m_ini.SetValue("Channel", "Channel-0", "CCTV-1,49750,1");
    m_ini.SetValue("Channel", "Channel-1", "CCTV-2,77250,3");
    m_ini.SetValue("Channel", "Channel-2", "\xD6\xD0\xCE\xC4,112250,1");
    m_ini.SetValue("Channel", "Total", "3");
    ASSERT_TRUE(m_ini.Save());
    EXPECT_EQ("[General]\r\n"
              "Total=3\r\n"
              "[Channel]\r\n"
              "Total=3\r\n"
              "Channel-0=CCTV-1,49750,1\r\n"
              "Channel-1=CCTV-2,77250,3\r\n"
              "Channel-2=\xD6\xD0\xCE\xC4,112250,1\r\n",
              SavedText());
}

TEST_F(IniFileTest, TypedReadOfAMissingSectionAddsItEmpty)
{
    int value = 7;
    EXPECT_FALSE(m_ini.GetInt("New", "k", value));
    EXPECT_EQ(7, value);
    EXPECT_TRUE(m_ini.HasSection("New"));
    EXPECT_EQ(0, m_ini.GetKeyCount("Other"));
    ASSERT_TRUE(m_ini.Save());
    EXPECT_EQ("[New]\r\n[Other]\r\n", SavedText());
}

// Whatever stands in the way, the file that was there before stays as it was.
TEST_F(IniFileTest, FailedSaveKeepsTheOldFile)
{
    const std::string old = "[Old]\r\nk=v\r\n";
    enum Blocker { kPathIsAFolder, kTemporaryNameIsAFolder, kFileLockedByAnother };
    const Blocker blockers[] = {kPathIsAFolder, kTemporaryNameIsAFolder, kFileLockedByAnother};
    for (Blocker blocker : blockers) {
        SCOPED_TRACE(blocker);
        HANDLE locked = INVALID_HANDLE_VALUE;
        if (blocker == kPathIsAFolder)
            CreateDirectoryA(m_path.c_str(), NULL);
        else
            m_temp.Write("TVParam.ini", old);
        if (blocker == kTemporaryNameIsAFolder)
            CreateDirectoryA((m_path + ".tmp").c_str(), NULL);
        if (blocker == kFileLockedByAnother)
            locked = CreateFileA(m_path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);

        m_ini.SetValue("New", "k", "v");
        EXPECT_FALSE(m_ini.Save());
        EXPECT_STREQ("Unable to open ini File!", (LPCTSTR)m_ini.GetLastErrorText());

        if (locked != INVALID_HANDLE_VALUE)
            CloseHandle(locked);
        if (blocker == kPathIsAFolder) {
            EXPECT_TRUE(RemoveDirectoryA(m_path.c_str())) << "the folder was replaced";
        } else {
            RemoveDirectoryA((m_path + ".tmp").c_str());
            EXPECT_EQ(old, SavedText());
        }
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_path + ".tmp").c_str()));
    }
}

TEST_F(IniFileTest, SaveReplacesTheOldFileWhole)
{
    m_temp.Write("TVParam.ini", "[Old]\r\nlong old content=that must not survive\r\n");
    m_ini.SetValue("A", "k", "v");
    ASSERT_TRUE(m_ini.Save());
    EXPECT_EQ("[A]\r\nk=v\r\n", SavedText());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_path + ".tmp").c_str()));
}

// Damaged bytes read as the line rules say, and what was read is written so that reading the
// save gives the same sections, keys and values: a line that cannot be kept is dropped both
// times. A line ends at a NUL byte, so a key cut there after half a Chinese character ("\xD6")
// no longer has its "=" and cannot take the one a save would write after it.
TEST_F(IniFileTest, DamagedBytesReadTheSameAfterASave)
{
    struct Case { std::string text; const char* contents; };
    const Case cases[] = {
        {std::string("[Channel]\r\nChannel-0=a\r\nChann\xD6\0el-1=b\r\nChannel-2=c\r\n", 52),
         "[Channel] Channel-0=a Channel-2=c\n"},
        {std::string("[A]\r\nk=ab\0cd\r\nx=y\r\n", 19), "[A] k=ab x=y\n"},
        {std::string("[Vi\0deo]\r\nk=v\r\n", 15), "[V] k=v\n"},
        // UTF-16 with its byte-order mark: every line holds NUL bytes.
        {std::string("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22), ""},
        {"[A]\r\nk=v\xD6", "[A] k=v\xD6\n"},               // ends in half a character
        {"[A]\r\nk\xD6=v\r\nx=y\r\n", "[A] x=y\n"},       // "\xD6=" is one character
        // Lone CRs end no line: this is one header that loses its last character.
        {"[A]\rk=v\rx=y\r", "[A]\rk=v\rx=y]\n"},
        {"[A]\nk=v\n\n[B]\nx=y", "[A] k=v\n[B] x=y\n"},
        {"[A]\r\nk=a\x1A\r\nx=y\r\n", "[A] k=a\n"},     // Ctrl+Z ends a text file
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        m_ini.RemoveAll();
        ASSERT_TRUE(LoadText(cases[i].text));
        std::string read = Contents(m_ini);
        EXPECT_EQ(cases[i].contents, read);
        ASSERT_TRUE(m_ini.Save());
        CIniFile again(m_path.c_str());
        ASSERT_TRUE(again.Load());
        EXPECT_EQ(read, Contents(again));
    }
}
