#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include <string>

#include "HelperProcess.h"
#include "IniDocument.h"
#include "TempFolder.h"

// Run by IniSaveWriteFailure.sh under a file-size limit of 64 KB, so that writing more fails
// part-way, as on a full disk. Prints what went wrong; the exit code is the number of faults.
SUITE_HELPER(SaveBeyondFileSizeLimit)
{
    TempFolder temp;
    const std::string old = "[General]\r\nTotal=0\r\n";
    std::string path = temp.Write("Service.ini", old);
    CIniDocument ini(path.c_str());
    ini.Load();
    ini.SetValue("General", "big", std::string(200000, 'x').c_str());

    int faults = 0;
    auto check = [&faults](bool ok, const char* what) {
        if (!ok) {
            printf("fault: %s\n", what);
            ++faults;
        }
    };
    check(!ini.Save(), "the save reported success");
    check(ini.GetLastErrorText() == "Unable to write file!", "wrong error text");
    check(temp.Read("Service.ini") == old, "the old file was changed");
    check(GetFileAttributesA((path + ".new").c_str()) == INVALID_FILE_ATTRIBUTES,
          "the partial file was left behind");
    return faults;
}

namespace {

class IniDocumentTest : public testing::Test
{
protected:
    IniDocumentTest() : m_path(m_temp.FilePath("Service.ini")), m_ini(m_path.c_str()) {}

    BOOL LoadText(const std::string& text)
    {
        m_temp.Write("Service.ini", text);
        return m_ini.Load();
    }
    std::string Value(const char* section, const char* key)
    {
        CString value("<missing>");
        m_ini.GetValue(section, key, value);
        return (LPCTSTR)value;
    }
    std::string String(const char* section, const char* key)
    {
        CIniDocSection* found = m_ini.FindSection(section);
        CString value("<missing>");
        if (found)
            found->GetString(key, value);
        return (LPCTSTR)value;
    }
    TempFolder m_temp;
    std::string m_path;
    CIniDocument m_ini;
};

TEST_F(IniDocumentTest, ReadsTheFileByItsOwnRules)
{
    ASSERT_TRUE(LoadText("lost=before any header\r\n"
                         "[Main]  ; a note\r\n"
                         "Count=12 ;twelve\r\n"
                         "Width =5\r\n"
                         " Height=6\r\n"
                         "/Hidden=1\r\n"
                         "//Also=2\r\n"
                         ";Semi=3\r\n"
                         "no equals sign\r\n"
                         "\r\n"
                         "Path=a=b\r\n"
                         "Count=13\r\n"
                         "[broken header\r\n"
                         "Late=7\r\n"
                         "[]\r\n"
                         "Empty=1\r\n"
                         "[a]b] x\r\n"
                         "[Main]\r\n"
                         "Count=99\r\n"));
    EXPECT_EQ("No error", std::string(m_ini.GetLastErrorText()));

    // The name runs to the last "]"; "[]" names an empty section; a repeated header makes a
    // second section, which lookups never reach.
    ASSERT_EQ(4, m_ini.GetSectionCount());
    EXPECT_TRUE(m_ini.HasSection("Main"));
    EXPECT_TRUE(m_ini.HasSection(""));
    EXPECT_TRUE(m_ini.HasSection("a]b"));
    EXPECT_FALSE(m_ini.HasSection("broken header"));

    CIniDocSection* main = m_ini.FindSection("Main");
    ASSERT_NE(nullptr, main);
    // Kept as written, in file order; the repeated key took the new value in its place; a
    // key line under a broken header belongs to the section before it.
    ASSERT_EQ(6, main->GetKeyCount());
    const char* keys[] = {"Count", "Width ", " Height", ";Semi", "Path", "Late"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(keys[i], std::string(main->GetKeyAt(i))) << i;
    EXPECT_EQ("13", Value("Main", "Count"));

    // Found without trailing blanks; leading blanks count.
    EXPECT_EQ("5", Value("Main", "Width"));
    EXPECT_EQ("<missing>", Value("Main", "Height"));
    EXPECT_EQ("6", Value("Main", " Height"));
    EXPECT_EQ("3", Value("Main", ";Semi"));
    EXPECT_EQ("<missing>", Value("Main", "/Hidden"));
    EXPECT_EQ("a=b", Value("Main", "Path"));
    EXPECT_EQ("<missing>", Value("Main", "lost"));
    EXPECT_EQ("1", Value("", "Empty"));
}

TEST_F(IniDocumentTest, ValueEndsAtSemicolonOnlyWhenRead)
{
    ASSERT_TRUE(LoadText("[S]\r\nCount=12 ;twelve\r\n"));
    EXPECT_EQ("12 ;twelve", Value("S", "Count"));
    EXPECT_EQ("12 ", String("S", "Count"));
    int count = 0;
    EXPECT_TRUE(m_ini.GetInt("S", "Count", count));
    EXPECT_EQ(12, count);
}

TEST_F(IniDocumentTest, SaveWritesSectionsAndKeysInTheirOrderWithoutComments)
{
    ASSERT_TRUE(LoadText("[Zeta]\nzz=1\n/ comment\n\naa=2;kept\nmm=3\n"
                         "[Alpha]\nk=v\n[Zeta]\nagain=4\n"));
    ASSERT_TRUE(m_ini.Save());
    EXPECT_EQ("[Zeta]\r\nzz=1\r\naa=2;kept\r\nmm=3\r\n[Alpha]\r\nk=v\r\n[Zeta]\r\nagain=4\r\n",
              m_temp.Read("Service.ini"));
}

TEST_F(IniDocumentTest, LoadAppendsToTheSectionsHeld)
{
    m_ini.SetValue("Own", "k", "1");
    ASSERT_TRUE(LoadText("[File]\r\nk=2\r\n"));
    EXPECT_EQ(2, m_ini.GetSectionCount());
    EXPECT_EQ("1", Value("Own", "k"));
    EXPECT_EQ("2", Value("File", "k"));
}

TEST_F(IniDocumentTest, DocumentGettersCreateTheMissingSection)
{
    int value = 42;
    EXPECT_FALSE(m_ini.GetInt("Missing", "Key", value));
    EXPECT_EQ(42, value);
    CString text;
    EXPECT_FALSE(m_ini.GetValue("Other", "Key", text));
    EXPECT_FALSE(m_ini.HasSection("Other"));
    ASSERT_TRUE(m_ini.Save());
    EXPECT_EQ("[Missing]\r\n", m_temp.Read("Service.ini"));
}

TEST_F(IniDocumentTest, ErrorTexts)
{
    EXPECT_EQ("No error", std::string(m_ini.GetLastErrorText()));
    EXPECT_FALSE(m_ini.Load());
    EXPECT_EQ("File not exist!", std::string(m_ini.GetLastErrorText()));

    // A folder stands where the file should go: it can be neither opened nor written.
    CreateDirectoryA(m_path.c_str(), NULL);
    m_ini.SetValue("S", "k", "v");
    EXPECT_FALSE(m_ini.Save());
    EXPECT_EQ("Unable to open ini File!", std::string(m_ini.GetLastErrorText()));
    CIniDocument inMissingFolder(m_temp.FilePath("no such folder\\Service.ini").c_str());
    inMissingFolder.SetValue("S", "k", "v");
    EXPECT_FALSE(inMissingFolder.Save());
    EXPECT_EQ("Unable to open ini File!", std::string(inMissingFolder.GetLastErrorText()));
}

// Each typed getter on a stored text: whether it reads and what it gives.
class IniDocSectionTest : public testing::Test
{
protected:
    IniDocSectionTest() : m_section("S") {}

    CIniDocSection& With(const char* text)
    {
        m_section.SetString("k", text);
        return m_section;
    }

    CIniDocSection m_section;
};

TEST_F(IniDocSectionTest, PointAndSizeNeedThreeCharactersAndAComma)
{
    struct Case
    {
        const char* text;
        bool reads;
        int x, y;
    } cases[] = {
        {"1,2", true, 1, 2},     {"-5,70;note", true, -5, 70}, {"1,", false, 0, 0},
        {"123", false, 0, 0},    {"7,,", true, 7, 0},          {"3,4,5", true, 3, 4},
        {"x,9", true, 0, 9},
    };
    for (const Case& c : cases) {
        POINT point = {-1, -1};
        SIZE size = {-1, -1};
        EXPECT_EQ(c.reads, !!With(c.text).GetPoint("k", point)) << c.text;
        EXPECT_EQ(c.reads, !!m_section.GetSize("k", size)) << c.text;
        EXPECT_EQ(c.reads ? c.x : -1, (int)point.x) << c.text;
        EXPECT_EQ(c.reads ? c.y : -1, (int)point.y) << c.text;
        EXPECT_EQ(c.reads ? c.x : -1, (int)size.cx) << c.text;
        EXPECT_EQ(c.reads ? c.y : -1, (int)size.cy) << c.text;
    }
}

TEST_F(IniDocSectionTest, RectAndTimeSpanNeedSevenCharacters)
{
    struct Case
    {
        const char* text;
        bool reads;
        int a, b, c, d;
    } cases[] = {
        {"1,2,3,4", true, 1, 2, 3, 4},   {"10,20,30", true, 10, 20, 30, 0},
        {"1,2,34", false, 0, 0, 0, 0},   {"1234567", true, 1234567, 0, 0, 0},
        {"1,2,3,4,5", true, 1, 2, 3, 4}, {"1,2,3;4,5,6,7", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        RECT rect = {-1, -1, -1, -1};
        EXPECT_EQ(c.reads, !!With(c.text).GetRect("k", rect)) << c.text;
        if (c.reads) {
            EXPECT_EQ(c.a, (int)rect.left) << c.text;
            EXPECT_EQ(c.b, (int)rect.top) << c.text;
            EXPECT_EQ(c.c, (int)rect.right) << c.text;
            EXPECT_EQ(c.d, (int)rect.bottom) << c.text;
        } else {
            EXPECT_EQ(-1, (int)rect.left) << c.text;
        }
        CTimeSpan span(99);
        EXPECT_EQ(c.reads, !!m_section.GetTimeSpan("k", span)) << c.text;
        EXPECT_EQ(c.reads ? CTimeSpan(c.a, c.b, c.c, c.d) : CTimeSpan(99), span) << c.text;
    }
}

TEST_F(IniDocSectionTest, ColorNeedsFiveCharactersAndTwoCommasAndMasksEachPart)
{
    struct Case
    {
        const char* text;
        bool reads;
        int r, g, b;
    } cases[] = {
        {"1,2,3", true, 1, 2, 3},       {"300,2,-1", true, 44, 2, 255},
        {"1,2", false, 0, 0, 0},        {"255,256", false, 0, 0, 0},
        {"1,,", false, 0, 0, 0},        {"10,20,", true, 10, 20, 0},
    };
    for (const Case& c : cases) {
        CIniDocColor color(7, 7, 7);
        EXPECT_EQ(c.reads, !!With(c.text).GetColor("k", color)) << c.text;
        EXPECT_EQ(c.reads ? RGB(c.r, c.g, c.b) : RGB(7, 7, 7), color.ToCOLORREF()) << c.text;
    }
    EXPECT_EQ(RGB(1, 2, 3), CIniDocColor(RGB(1, 2, 3)).ToCOLORREF());
}

TEST_F(IniDocSectionTest, StringArraySplitsAtEverySeparatorUnlessItLeads)
{
    struct Case
    {
        const char* text;
        char separator;
        std::vector<std::string> items;
    } cases[] = {
        {"a,b,c", ',', {"a", "b", "c"}},
        {"a,b,", ',', {"a", "b", ""}},
        {",a,b", ',', {",a,b"}},
        {"one", ',', {"one"}},
        // "|" is also the second byte of some Chinese characters, which stay whole.
        {"\x81|x|y", '|', {"\x81|x", "y"}},
    };
    for (const Case& c : cases) {
        CStringArray list;
        list.Add("kept");
        EXPECT_TRUE(With(c.text).GetStringArray("k", list, c.separator)) << c.text;
        ASSERT_EQ(c.items.size() + 1, (size_t)list.GetSize()) << c.text;
        EXPECT_EQ("kept", std::string(list[0]));
        for (size_t i = 0; i < c.items.size(); ++i)
            EXPECT_EQ(c.items[i], std::string(list[(int)i + 1])) << c.text;
    }
    CStringArray list;
    EXPECT_FALSE(With("").GetStringArray("k", list, ','));
    EXPECT_FALSE(m_section.GetStringArray("missing", list, ','));

    CStringArray items;
    items.Add("x");
    items.Add("y");
    EXPECT_TRUE(m_section.SetStringArray("k", items, ';'));
    EXPECT_EQ("x;y", std::string(m_section.GetValueAt(m_section.FindKey("k"))));
}

TEST_F(IniDocSectionTest, TimeNeedsTenCharactersAndChoosesDaylightSavingByDate)
{
    CTime time(12345);
    EXPECT_FALSE(With("2026,7,1").GetTime("k", time));
    EXPECT_EQ(CTime(12345), time);
    EXPECT_TRUE(With("2026,07,01").GetTime("k", time));
    EXPECT_EQ(CTime(2026, 7, 1, 0, 0, 0), time);
    EXPECT_TRUE(With("2026,7,1,12,30,15").GetTime("k", time));
    EXPECT_EQ(CTime(2026, 7, 1, 12, 30, 15), time);
    ASSERT_TRUE(m_section.SetTime("k", time));
    EXPECT_EQ("2026,07,01,12,30,15", std::string(m_section.GetValueAt(0)));

    // Under a zone with summer time, a July noon is an hour nearer to a January noon than
    // the calendar says.
    _putenv("TZ=CET-1CEST");
    _tzset();
    CTime winter, summer;
    EXPECT_TRUE(With("2026,1,1,12,0,0").GetTime("k", winter));
    EXPECT_TRUE(With("2026,7,1,12,0,0").GetTime("k", summer));
    _putenv("TZ=");
    _tzset();
    EXPECT_EQ(181 * 24 * 3600 - 3600, (summer - winter).GetTotalSeconds());
}

TEST_F(IniDocSectionTest, NumbersReadWithTheRuntimeAndWriteAsDecimal)
{
    int i = 0;
    EXPECT_TRUE(With("12abc").GetInt("k", i));
    EXPECT_EQ(12, i);
    EXPECT_TRUE(With("abc").GetInt("k", i));
    EXPECT_EQ(0, i);
    i = 5;
    EXPECT_FALSE(m_section.GetInt("missing", i));
    EXPECT_EQ(5, i);
    UINT u = 0;
    EXPECT_TRUE(With("-1").GetUInt("k", u));
    EXPECT_EQ(0xFFFFFFFFu, u);
    m_section.SetUInt("k", 4000000000u);
    EXPECT_EQ("-294967296", std::string(m_section.GetValueAt(0)));
    long l = 0;
    m_section.SetLong("k", -77);
    EXPECT_TRUE(m_section.GetLong("k", l));
    EXPECT_EQ(-77, l);
    double d = 0;
    float f = 0;
    m_section.SetDouble("k", 1.5);
    EXPECT_EQ("1.500000", std::string(m_section.GetValueAt(0)));
    EXPECT_TRUE(m_section.GetDouble("k", d));
    EXPECT_TRUE(m_section.GetFloat("k", f));
    EXPECT_EQ(1.5, d);
    EXPECT_EQ(1.5f, f);
    EXPECT_FALSE(m_section.GetDouble("missing", d));
}

TEST_F(IniDocSectionTest, SettersReplaceTheKeyFoundOrAppend)
{
    m_section.SetString("Width ", "1");
    m_section.SetString("Other", "2");
    POINT point = {3, 4};
    EXPECT_TRUE(m_section.SetPoint("Width", point));
    EXPECT_TRUE(m_section.SetInt(" Width", 9));
    ASSERT_EQ(3, m_section.GetKeyCount());
    EXPECT_EQ("Width ", std::string(m_section.GetKeyAt(0)));
    EXPECT_EQ("3,4", std::string(m_section.GetValueAt(0)));
    EXPECT_EQ(" Width", std::string(m_section.GetKeyAt(2)));

    RECT rect = {1, -2, 3, 4};
    m_section.SetRect("r", rect);
    SIZE size = {5, 6};
    m_section.SetSize("s", size);
    m_section.SetColor("c", CIniDocColor(1, 2, 255));
    m_section.SetTimeSpan("t", CTimeSpan(2, 3, 4, 5));
    CString text;
    const char* expected[][2] = {{"r", "1,-2,3,4"}, {"s", "5,6"}, {"c", "1,2,255"}, {"t", "2,3,4,5"}};
    for (const auto& pair : expected) {
        EXPECT_TRUE(m_section.GetString(pair[0], text));
        EXPECT_EQ(pair[1], std::string(text));
    }
}

} // namespace
