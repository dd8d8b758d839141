#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IniFile.h"
#include "IniSection.h"

namespace {

// Each getter case: the stored text and what the getter gives (ok FALSE: output unchanged).
struct PointCase { const char* text; BOOL ok; long x, y; };
struct RectCase { const char* text; BOOL ok; long left, top, right, bottom; };
struct ColorCase { const char* text; BOOL ok; int r, g, b; };

std::vector<std::string> ToVector(const CStringArray& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.GetSize(); ++i)
        out.push_back((LPCTSTR)list[i]);
    return out;
}

} // namespace

TEST(IniSection, GetPointNeedsACommaAndReadsAMissingNumberAsZero)
{
    const PointCase cases[] = {
        {"3,4", TRUE, 3, 4},
        {"5,", TRUE, 5, 0},
        {"-7,12", TRUE, -7, 12},
        {"5", FALSE, 0, 0},
        {"12345", FALSE, 0, 0},
        {"", FALSE, 0, 0},
    };
    CIniSection section("S");
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].text);
        section.SetString("p", cases[i].text);
        POINT point = {99, 99};
        SIZE size = {99, 99};
        EXPECT_EQ(cases[i].ok, section.GetPoint("p", point));
        EXPECT_EQ(cases[i].ok, section.GetSize("p", size));
        EXPECT_EQ(cases[i].ok ? cases[i].x : 99, point.x);
        EXPECT_EQ(cases[i].ok ? cases[i].y : 99, point.y);
        EXPECT_EQ(cases[i].ok ? cases[i].y : 99, size.cy);
    }
    POINT point = {99, 99};
    EXPECT_FALSE(section.GetPoint("missing", point));
}

TEST(IniSection, GetRectNeedsSevenCharactersAndReadsMissingFieldsAsZero)
{
    const RectCase cases[] = {
        {"1,2,3,4", TRUE, 1, 2, 3, 4},
        {"10,20,3", TRUE, 10, 20, 3, 0},
        {"1,2,3,4,5", TRUE, 1, 2, 3, 4},
        {"-1,-2,-3,-4", TRUE, -1, -2, -3, -4},
        {"1,2,34", FALSE, 0, 0, 0, 0},
    };
    CIniSection section("S");
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].text);
        section.SetString("r", cases[i].text);
        RECT rect = {99, 99, 99, 99};
        EXPECT_EQ(cases[i].ok, section.GetRect("r", rect));
        if (!cases[i].ok) {
            EXPECT_EQ(99, rect.left);
            continue;
        }
        EXPECT_EQ(cases[i].left, rect.left);
        EXPECT_EQ(cases[i].top, rect.top);
        EXPECT_EQ(cases[i].right, rect.right);
        EXPECT_EQ(cases[i].bottom, rect.bottom);
    }
}

TEST(IniSection, GetColorNeedsTwoCommasAndKeepsLowBytes)
{
    const ColorCase cases[] = {
        {"1,2,3", TRUE, 1, 2, 3},
        {"256,257,-1", TRUE, 0, 1, 255},
        {"12,34,", TRUE, 12, 34, 0},
        {"1,2,3,4", TRUE, 1, 2, 3},
        {"12,345", FALSE, 0, 0, 0},
        {"1,2,", FALSE, 0, 0, 0},  // two commas, but under five characters
        {"12345", FALSE, 0, 0, 0},
    };
    CIniSection section("S");
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].text);
        section.SetString("c", cases[i].text);
        CIniColor color(9, 9, 9);
        EXPECT_EQ(cases[i].ok, section.GetColor("c", color));
        EXPECT_EQ(cases[i].ok ? cases[i].r : 9, color.m_red);
        EXPECT_EQ(cases[i].ok ? cases[i].g : 9, color.m_green);
        EXPECT_EQ(cases[i].ok ? cases[i].b : 9, color.m_blue);
    }
    EXPECT_EQ(RGB(1, 2, 3), CIniColor(1, 2, 3).ToCOLORREF());
}

TEST(IniSection, SettersWriteTheFileForms)
{
    CIniSection section("S");
    POINT point = {-3, 4};
    SIZE size = {640, 480};
    RECT rect = {1, 2, 3, 4};
    section.SetInt("int", -12);
    section.SetUInt("uint", 4294967295u);
    section.SetLong("long", 123456789L);
    section.SetFloat("float", 1.5f);
    section.SetDouble("double", 2.25);
    section.SetPoint("point", point);
    section.SetSize("size", size);
    section.SetRect("rect", rect);
    section.SetColor("color", CIniColor(RGB(10, 20, 30)));

    const char* expected[][2] = {
        {"int", "-12"}, {"uint", "-1"}, {"long", "123456789"}, {"float", "1.500000"},
        {"double", "2.250000"}, {"point", "-3,4"}, {"size", "640,480"}, {"rect", "1,2,3,4"},
        {"color", "10,20,30"},
    };
    for (auto& row : expected) {
        CString text;
        EXPECT_TRUE(section.GetString(row[0], text));
        EXPECT_STREQ(row[1], (LPCTSTR)text) << row[0];
    }
    UINT uintValue = 0;
    EXPECT_TRUE(section.GetUInt("uint", uintValue));
    EXPECT_EQ(4294967295u, uintValue);
    float floatValue = 0;
    EXPECT_TRUE(section.GetFloat("float", floatValue));
    EXPECT_EQ(1.5f, floatValue);
}

TEST(IniSection, NumbersReadWithTheRuntimesLenientRules)
{
    CIniSection section("S");
    section.SetString("n", "12abc");
    int intValue = 0;
    long longValue = 0;
    double doubleValue = 0;
    EXPECT_TRUE(section.GetInt("n", intValue));
    EXPECT_TRUE(section.GetLong("n", longValue));
    EXPECT_TRUE(section.GetDouble("n", doubleValue));
    EXPECT_EQ(12, intValue);
    EXPECT_EQ(12, longValue);
    EXPECT_EQ(12.0, doubleValue);
    intValue = 5;
    EXPECT_FALSE(section.GetInt("missing", intValue));
    EXPECT_EQ(5, intValue);
}

TEST(IniSection, StringArraysKeepEmptyFields)
{
    struct Case { const char* text; char separator; std::vector<std::string> fields; };
    const Case cases[] = {
        {"a,,b", ',', {"a", "", "b"}},
        {"a,", ',', {"a", ""}},
        {",", ',', {"", ""}},
        {"one", ',', {"one"}},
        // '|' is also the second byte of some Chinese characters.
        {"\x81\x7C|x", '|', {"\x81\x7C", "x"}},
    };
    CIniSection section("S");
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].text);
        section.SetString("list", cases[i].text);
        CStringArray list;
        EXPECT_TRUE(section.GetStringArray("list", list, cases[i].separator));
        EXPECT_EQ(cases[i].fields, ToVector(list));

        CStringArray fields;
        for (const std::string& field : cases[i].fields)
            fields.Add(field.c_str());
        section.SetStringArray("back", fields, cases[i].separator);
        CString text;
        section.GetString("back", text);
        EXPECT_STREQ(cases[i].text, (LPCTSTR)text);
    }
}

TEST(IniSection, StringArrayOfAnEmptyValueFailsAndReadsAppend)
{
    CIniSection section("S");
    CStringArray empty;
    section.SetStringArray("list", empty, ',');
    CStringArray list;
    list.Add("kept");
    EXPECT_FALSE(section.GetStringArray("list", list, ','));
    EXPECT_FALSE(section.GetStringArray("missing", list, ','));
    section.SetString("list", "a,b");
    EXPECT_TRUE(section.GetStringArray("list", list, ','));
    EXPECT_EQ((std::vector<std::string>{"kept", "a", "b"}), ToVector(list));
}

TEST(IniSection, TimeIsWrittenAsCommaSeparatedFieldsAndReadBack)
{
    CIniSection section("S");
    CTime when(2005, 12, 24, 20, 15, 0);
    section.SetTime("t", when);
    CString text;
    section.GetString("t", text);
    EXPECT_STREQ("2005,12,24,20,15,00", (LPCTSTR)text);
    CTime read;
    EXPECT_TRUE(section.GetTime("t", read));
    EXPECT_TRUE(read == when);
}

TEST(IniFile, ParseTimeAcceptsOnlyValidTimes)
{
    struct Case { const char* text; BOOL ok; };
    const Case cases[] = {
        {"2005,12,24,20,15,30", TRUE},
        {"2004,2,29,0,0,0", TRUE},
        {"2005,12,24", TRUE},  // hour, minute and second missing: midnight
        {"2005,2,29,0,0,0", FALSE},
        {"2005,13,1,0,0,0", FALSE},
        {"2005,0,1,0,0,0", FALSE},
        {"2005,4,31,0,0,0", FALSE},
        {"2005,12,24,24,0,0", FALSE},
        {"2005,12,24,20,60,0", FALSE},
        {"2005,12,24,20,15,60", FALSE},
        {"2005,12", FALSE},
        {"abcdefghijkl", FALSE},
        {"1969,12,31,23,59,59", FALSE},
    };
    const CTime before(2001, 1, 1, 0, 0, 0);
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].text);
        CTime time = before;
        EXPECT_EQ(cases[i].ok, CIniFile::ParseTime(cases[i].text, time));
        if (!cases[i].ok) {
            EXPECT_TRUE(time == before);
        }
    }
    CTime time;
    ASSERT_TRUE(CIniFile::ParseTime("2005,12,24", time));
    EXPECT_STREQ("2005-12-24 00:00:00", (LPCTSTR)time.Format("%Y-%m-%d %H:%M:%S"));
    ASSERT_TRUE(CIniFile::ParseTime("2005,12,24,20,15,30", time));
    EXPECT_STREQ("2005-12-24 20:15:30", (LPCTSTR)time.Format("%Y-%m-%d %H:%M:%S"));
}

// Values of megabytes, as a damaged file may hold: the getters that want a few fields read
// just those, and a list of a million fields comes back whole.
TEST(IniSection, LongValuesOfCommasReadTheirFields)
{
    CIniSection section("S");
    const std::string commas(2000000, ',');
    section.SetString("rect", ("1,2,3,4" + commas).c_str());
    section.SetString("point", ("5,6" + commas).c_str());
    section.SetString("color", ("7,8,9" + commas).c_str());
    section.SetString("list", commas.c_str());

    RECT rect = {};
    ASSERT_TRUE(section.GetRect("rect", rect));
    EXPECT_EQ(1, rect.left);
    EXPECT_EQ(4, rect.bottom);
    POINT point = {};
    ASSERT_TRUE(section.GetPoint("point", point));
    EXPECT_EQ(6, point.y);
    CIniColor color;
    ASSERT_TRUE(section.GetColor("color", color));
    EXPECT_EQ(9, color.m_blue);
    CStringArray list;
    ASSERT_TRUE(section.GetStringArray("list", list, ','));
    EXPECT_EQ((int)commas.size() + 1, (int)list.GetSize());
    EXPECT_TRUE(list[list.GetSize() - 1].IsEmpty());
}

// A count far beyond the section's keys, as an edited Total gives: only the keys present are
// read, in number order, and keys that only look numbered are not theirs.
TEST(IniSection, NumberedValuesAreTheKeysPresentBelowTheCount)
{
    CIniSection section("S");
    const char* const keys[] = {"Channel-12", "Channel-0", "Channel-3", "Channel-01",
                                "Channel--1", "Channel-3x", "Channel-", "channel-1",
                                "Channel-99999999999", "Channel-2147483647", "Total"};
    for (const char* key : keys)
        section.SetString(key, key);

    struct Case { int count; std::vector<std::string> values; };
    const Case cases[] = {
        {2147483647, {"Channel-0", "Channel-3", "Channel-12"}},
        {12, {"Channel-0", "Channel-3"}},
        {0, {}},
        {-5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        CStringList values;
        section.GetNumberedValues("Channel-", c.count, values);
        std::vector<std::string> got;
        for (POSITION position = values.GetHeadPosition(); position;)
            got.push_back((LPCTSTR)values.GetNext(position));
        EXPECT_EQ(c.values, got);
    }
}
