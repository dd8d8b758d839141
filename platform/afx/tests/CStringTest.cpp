#include <gtest/gtest.h>

#include <afx.h>

#include "AfxTestResources.h"
#include "GbkText.h"

namespace {

// The UTF-16 form of an ANSI text, to confirm what the code page makes of the test bytes.
std::wstring Wide(const char* text)
{
    wchar_t buffer[64];
    int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text, -1, buffer, 64);
    return n > 0 ? std::wstring(buffer, n - 1) : std::wstring(L"<invalid>");
}

} // namespace

TEST(CStringGbk, TestCharactersAreSingleGbkCharactersWithAsciiTrailBytes)
{
    EXPECT_EQ(std::wstring(L"\x8AA0"), Wide(GBK_CHENG));
    EXPECT_EQ(std::wstring(L"\x661E"), Wide(GBK_BING));
    EXPECT_EQ(std::wstring(L"\x50BE"), Wide(GBK_QING));
    EXPECT_EQ(std::wstring(L"\x4E64"), Wide(GBK_HA));
    EXPECT_EQ(std::wstring(L"\xFF41"), Wide(GBK_FULLWIDTH_A_LOWER));
}

TEST(CString, IsOnePointerAndSharesCharactersUntilWritten)
{
    EXPECT_EQ(sizeof(char*), sizeof(CString));
    CString original("channel");
    CString copy(original);
    EXPECT_EQ((LPCTSTR)original, (LPCTSTR)copy);
    copy.SetAt(0, 'C');
    EXPECT_STREQ("channel", original);
    EXPECT_STREQ("Channel", copy);
}

TEST(CString, Constructors)
{
    EXPECT_STREQ("", CString());
    EXPECT_STREQ("---", CString('-', 3));
    EXPECT_STREQ("", CString('-', 0));
    EXPECT_STREQ("abc", CString("abcdef", 3));
    EXPECT_STREQ("", CString((LPCSTR)NULL));
    EXPECT_STREQ(GBK_CHENG "x", CString(L"\x8AA0x"));
    EXPECT_STREQ(GBK_PINDAO, CString(MAKEINTRESOURCEA(IDS_SHORT)));
    EXPECT_EQ(3, CString("abc").GetLength());
    EXPECT_EQ(4, CString(GBK_CHENG GBK_QING).GetLength());
}

TEST(CString, EmptyAndIsEmpty)
{
    CString s("x");
    EXPECT_FALSE(s.IsEmpty());
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ("", s);
}

TEST(CString, AssignmentAndConcatenation)
{
    CString s;
    s = "ab";
    s += 'c';
    s += CString("de");
    s += "f";
    EXPECT_STREQ("abcdef", s);
    s = 'z';
    EXPECT_STREQ("z", s);
    s = s;
    EXPECT_STREQ("z", s);
    s += s;
    EXPECT_STREQ("zz", s);
    EXPECT_STREQ("zz!", s + "!");
    EXPECT_STREQ("!zz", "!" + s);
    EXPECT_STREQ("zz.", s + '.');
    EXPECT_STREQ(".zz", '.' + s);
    EXPECT_STREQ("zzzz", s + s);
}

TEST(CString, AppendingManyPiecesKeepsThemAll)
{
    CString s;
    for (int i = 0; i < 1000; ++i)
        s += GBK_CHENG;
    EXPECT_EQ(2000, s.GetLength());
    EXPECT_EQ(0, s.Find(GBK_CHENG));
    EXPECT_EQ(1998, s.Find(GBK_CHENG, 1998));
}

TEST(CString, ComparisonOperatorsAndCompare)
{
    CString b("b");
    EXPECT_TRUE(b == "b");
    EXPECT_TRUE("b" == b);
    EXPECT_TRUE(b != "a");
    EXPECT_TRUE(b > "a");
    EXPECT_TRUE(b < CString("c"));
    EXPECT_TRUE("a" < b);
    EXPECT_TRUE(b <= "b");
    EXPECT_TRUE(b >= "b");
    EXPECT_EQ(1, b.Compare("a"));
    EXPECT_EQ(-1, b.Compare("ba"));
    EXPECT_EQ(0, b.Compare("b"));
    EXPECT_EQ(1, CString("\x81\x40").Compare("z"));  // lead bytes sort after ASCII
}

TEST(CString, CompareNoCaseFoldsLettersButNotTrailBytes)
{
    EXPECT_EQ(0, CString("Channel").CompareNoCase("cHANNEL"));
    EXPECT_EQ(-1, CString("abc").CompareNoCase("ABD"));
    // Trail bytes 'a' and 'A' belong to two different characters.
    EXPECT_NE(0, CString(GBK_HA).CompareNoCase("\x81\x41"));
    EXPECT_EQ(0, CString(GBK_FULLWIDTH_A_LOWER).CompareNoCase(GBK_FULLWIDTH_A_UPPER));
}

TEST(CString, CollateOrdersByLocale)
{
    EXPECT_EQ(0, CString("abc").Collate("abc"));
    EXPECT_EQ(-1, CString("abc").Collate("abd"));
    EXPECT_EQ(1, CString("b").Collate("a"));
    EXPECT_EQ(0, CString("ABC").CollateNoCase("abc"));
}

struct FindCase {
    const char* text;
    char ch;
    int start;
    int expected;
};

TEST(CString, FindCharacterSkipsTrailBytes)
{
    const FindCase cases[] = {
        {GBK_CHENG "\\", '\\', 0, 2},
        {GBK_CHENG "\\", '\\', 1, 2},  // a start inside a character moves to the next one
        {GBK_CHENG, '\\', 0, -1},
        {GBK_QING "A", 'A', 0, 2},
        {GBK_HA "a", 'a', 0, 2},
        {"abcabc", 'c', 3, 5},
        {"abc", 'c', 3, -1},
        {"abc", 'z', 0, -1},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].expected, CString(cases[i].text).Find(cases[i].ch, cases[i].start)) << "case " << i;
    EXPECT_EQ(2, CString(GBK_CHENG "\\").Find('\\'));
}

struct FindTextCase {
    const char* text;
    const char* sub;
    int start;
    int expected;
};

TEST(CString, FindTextMatchesWholeCharactersOnly)
{
    const FindTextCase cases[] = {
        {"C:\\" GBK_CHENG "\\x", "\\", 3, 5},
        {GBK_CHENG "\\", "\\", 0, 2},
        {GBK_CHENG "\\", "\x5C\\", 0, -1},        // would start on a trail byte
        {GBK_QING GBK_CHENG, "A\xD5", 0, -1},     // would start on a trail byte
        {"x" GBK_QING GBK_CHENG, "x\x83", 0, -1},  // would end inside a character
        {"a" GBK_CHENG, GBK_CHENG, 0, 1},
        {"abcabc", "bc", 2, 4},
        {"abc", "", 1, 1},
        {"abc", "c", 4, -1},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].expected, CString(cases[i].text).Find(cases[i].sub, cases[i].start)) << "case " << i;
    EXPECT_EQ(1, CString("abc").Find("bc"));
}

TEST(CString, ReverseFindAndFindOneOfSkipTrailBytes)
{
    EXPECT_EQ(2, CString("C:\\" GBK_CHENG).ReverseFind('\\'));
    EXPECT_EQ(-1, CString(GBK_CHENG GBK_BING).ReverseFind('\\'));
    EXPECT_EQ(4, CString(GBK_CHENG GBK_QING "A").FindOneOf("\\A"));
    EXPECT_EQ(2, CString("ab" GBK_QING).FindOneOf(GBK_QING "z"));
    EXPECT_EQ(-1, CString(GBK_QING).FindOneOf("A"));
}

TEST(CString, SpanIncludingAndExcludingStopAtWholeCharacters)
{
    EXPECT_STREQ(GBK_CHENG, CString(GBK_CHENG "\\abc").SpanExcluding("\\"));
    EXPECT_STREQ(GBK_CHENG, CString(GBK_CHENG "\\abc").SpanIncluding(GBK_CHENG));
    EXPECT_STREQ("", CString(GBK_CHENG "\\").SpanIncluding("\\"));
    EXPECT_STREQ("1234", CString("1234,5").SpanIncluding("0123456789"));
}

struct MidCase {
    int first;
    int count;
    const char* expected;
};

// "ab", a character with a '\\' trail byte at bytes 2-3, "cd".
TEST(CString, MidNeverReturnsHalfACharacter)
{
    const CString text("ab" GBK_CHENG "cd");
    const MidCase cases[] = {
        {0, 3, "ab"},              // would end on the lead byte
        {0, 4, "ab" GBK_CHENG},
        {1, 2, "b"},
        {2, 1, ""},
        {3, 3, "cd"},              // would start on the trail byte
        {2, 4, GBK_CHENG "cd"},
        {-1, 2, "ab"},
        {4, 100, "cd"},
        {10, 1, ""},
        {0, -1, ""},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_STREQ(cases[i].expected, text.Mid(cases[i].first, cases[i].count)) << "case " << i;
    EXPECT_STREQ("cd", text.Mid(3));
    EXPECT_STREQ("", text.Mid(10));
}

TEST(CString, LeftAndRightNeverReturnHalfACharacter)
{
    const CString text("ab" GBK_CHENG "cd");
    EXPECT_STREQ("ab", text.Left(3));
    EXPECT_STREQ("ab" GBK_CHENG, text.Left(4));
    EXPECT_STREQ("ab" GBK_CHENG "cd", text.Left(100));
    EXPECT_STREQ("", text.Left(-2));
    EXPECT_STREQ("cd", text.Right(3));
    EXPECT_STREQ(GBK_CHENG "cd", text.Right(4));
    EXPECT_STREQ("ab" GBK_CHENG "cd", text.Right(6));
    EXPECT_STREQ("", text.Right(0));
}

TEST(CString, MakeUpperAndLowerLeaveTrailBytesAlone)
{
    CString upper(GBK_HA "abc" GBK_FULLWIDTH_A_LOWER);
    upper.MakeUpper();
    EXPECT_STREQ(GBK_HA "ABC" GBK_FULLWIDTH_A_UPPER, upper);

    CString lower(GBK_QING "ABC" GBK_FULLWIDTH_A_UPPER);
    lower.MakeLower();
    EXPECT_STREQ(GBK_QING "abc" GBK_FULLWIDTH_A_LOWER, lower);
}

TEST(CString, MakeReverseKeepsEachCharacterWhole)
{
    CString s("a" GBK_CHENG "b");
    s.MakeReverse();
    EXPECT_STREQ("b" GBK_CHENG "a", s);
}

TEST(CString, ReplaceCharacterSkipsTrailBytes)
{
    CString path("C:\\" GBK_CHENG "\\x");
    EXPECT_EQ(2, path.Replace('\\', '/'));
    EXPECT_STREQ("C:/" GBK_CHENG "/x", path);

    CString letters(GBK_QING "A");
    EXPECT_EQ(1, letters.Replace('A', 'B'));
    EXPECT_STREQ(GBK_QING "B", letters);
}

TEST(CString, ReplaceTextSkipsTrailBytes)
{
    CString path(GBK_CHENG "\\" GBK_BING "\\");
    EXPECT_EQ(2, path.Replace("\\", "\\\\"));
    EXPECT_STREQ(GBK_CHENG "\\\\" GBK_BING "\\\\", path);

    CString s("one two one");
    EXPECT_EQ(2, s.Replace("one", "1"));
    EXPECT_STREQ("1 two 1", s);
    EXPECT_EQ(1, s.Replace("two ", NULL));
    EXPECT_STREQ("1 1", s);
    EXPECT_EQ(0, s.Replace("", "x"));
    EXPECT_EQ(0, s.Replace("zz", "x"));
    EXPECT_STREQ("1 1", s);
}

TEST(CString, RemoveSkipsTrailBytes)
{
    CString s("C:\\" GBK_CHENG "\\");
    EXPECT_EQ(2, s.Remove('\\'));
    EXPECT_STREQ("C:" GBK_CHENG, s);
}

TEST(CString, InsertAndDeleteAtBytePositions)
{
    CString s("ac");
    EXPECT_EQ(3, s.Insert(1, 'b'));
    EXPECT_STREQ("abc", s);
    EXPECT_EQ(6, s.Insert(100, "def"));
    EXPECT_STREQ("abcdef", s);
    EXPECT_EQ(8, s.Insert(-5, GBK_CHENG));
    EXPECT_STREQ(GBK_CHENG "abcdef", s);
    EXPECT_EQ(5, s.Delete(0, 3));
    EXPECT_STREQ("bcdef", s);
    EXPECT_EQ(4, s.Delete(4));
    EXPECT_STREQ("bcde", s);
    EXPECT_EQ(2, s.Delete(2, 100));
    EXPECT_STREQ("bc", s);
    EXPECT_EQ(2, s.Delete(5, 1));
}

TEST(CString, TrimWhiteSpace)
{
    CString s(" \t\r\n value \r\n");
    s.TrimLeft();
    EXPECT_STREQ("value \r\n", s);
    s.TrimRight();
    EXPECT_STREQ("value", s);
}

TEST(CString, TrimTargetsLeavesTrailBytesAlone)
{
    CString s(GBK_CHENG);
    s.TrimRight('\\');
    EXPECT_STREQ(GBK_CHENG, s);

    CString t("\\ a" GBK_CHENG " \\\\");
    t.TrimRight("\\ ");
    EXPECT_STREQ("\\ a" GBK_CHENG, t);
    t.TrimLeft("\\ ");
    EXPECT_STREQ("a" GBK_CHENG, t);

    CString u("xx" GBK_QING "x");
    u.TrimLeft('x');
    u.TrimRight('x');
    EXPECT_STREQ(GBK_QING, u);

    CString v(GBK_QING GBK_QING "A");
    v.TrimRight('A');
    EXPECT_STREQ(GBK_QING GBK_QING, v);
}

TEST(CString, FormatProducesTheWholeTextWithoutCuttingCharacters)
{
    CString chinese;
    for (int i = 0; i < 300; ++i)
        chinese += GBK_CHENG;
    CString s;
    s.Format("%s-%d-%05.1f", (LPCTSTR)chinese, 42, 3.14159);
    EXPECT_EQ(609, s.GetLength());
    EXPECT_STREQ(chinese + "-42-003.1", s);

    s.Format("[%s]", (LPCTSTR)s);  // the string itself as an argument
    EXPECT_EQ(611, s.GetLength());
    EXPECT_EQ('[', s[0]);

    s.Format("%I64d %lld %s", (__int64)1 << 40, 5LL, "");
    EXPECT_STREQ("1099511627776 5 ", s);
}

TEST(CString, FormatFromAStringResource)
{
    CString s;
    s.Format(IDS_CHANNEL_COUNT, 12);
    EXPECT_STREQ("12 \xB8\xF6" GBK_PINDAO, s);
}

TEST(CString, FormatMessageInsertsArguments)
{
    CString s;
    s.FormatMessage("%2 and %1!d!", 7, "x");
    EXPECT_STREQ("x and 7", s);
}

TEST(CString, LoadStringLoadsAnyLengthWholeCharacters)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_LONG));
    CString expected = CString('x', 255) + GBK_CHENG + CString('y', 200) + GBK_BING;
    EXPECT_EQ(459, s.GetLength());
    EXPECT_STREQ(expected, s);
}

TEST(CString, LoadStringOfAMissingIdFailsAndEmpties)
{
    CString s("before");
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_STREQ("", s);
}

TEST(CString, GetBufferAndReleaseBuffer)
{
    CString s("abc");
    CString shared(s);
    LPTSTR p = s.GetBuffer(10);
    strcpy(p, "wxyz");
    s.ReleaseBuffer();
    EXPECT_STREQ("wxyz", s);
    EXPECT_STREQ("abc", shared);

    p = s.GetBuffer(0);
    p[1] = '\0';
    s.ReleaseBuffer(3);
    EXPECT_EQ(3, s.GetLength());

    p = s.GetBufferSetLength(2);
    p[0] = 'q';
    s.ReleaseBuffer();
    EXPECT_STREQ("q", s);

    CString e;
    lstrcpyA(e.GetBufferSetLength(5), "12345");
    EXPECT_STREQ("12345", e);
    e.FreeExtra();
    EXPECT_STREQ("12345", e);
}

TEST(CString, LockedBufferIsNotShared)
{
    CString s("abc");
    LPTSTR p = s.LockBuffer();
    CString copy(s);
    EXPECT_NE((LPCTSTR)copy, (LPCTSTR)s);
    p[0] = 'X';
    EXPECT_STREQ("Xbc", s);
    EXPECT_STREQ("abc", copy);
    s.UnlockBuffer();
    CString second(s);
    EXPECT_EQ((LPCTSTR)second, (LPCTSTR)s);
}

TEST(CString, GetAtAndSetAtAreBytes)
{
    CString s(GBK_CHENG "a");
    EXPECT_EQ('\x5C', s.GetAt(1));
    EXPECT_EQ('a', s[2]);
    s.SetAt(2, 'b');
    EXPECT_STREQ(GBK_CHENG "b", s);
}

TEST(CString, AllocSysStringConvertsFromTheCodePage)
{
    BSTR bstr = CString(GBK_CHENG "x").AllocSysString();
    ASSERT_NE(nullptr, bstr);
    EXPECT_EQ(2u, SysStringLen(bstr));
    EXPECT_EQ(std::wstring(L"\x8AA0x"), std::wstring(bstr));
    SysFreeString(bstr);
}
