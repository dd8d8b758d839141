#include <gtest/gtest.h>

#include <afx.h>

#include <string>

#include "GbkText.h"

namespace {

std::string Joined(const CStringArray& array)
{
    std::string text;
    for (int i = 0; i < array.GetSize(); ++i)
        text += std::string(i ? "|" : "") + (LPCTSTR)array[i];
    return text;
}

std::string Joined(const CDWordArray& array)
{
    std::string text;
    for (int i = 0; i < array.GetSize(); ++i)
        text += (i ? "|" : "") + std::to_string(array[i]);
    return text;
}

} // namespace

TEST(CStringArray, AddReturnsTheIndexAndGetAtReadsIt)
{
    CStringArray array;
    EXPECT_EQ(0, array.GetSize());
    EXPECT_EQ(-1, array.GetUpperBound());
    EXPECT_EQ(0, array.Add("zero"));
    EXPECT_EQ(1, array.Add(CString(GBK_PINDAO)));
    EXPECT_EQ(2, array.GetSize());
    EXPECT_EQ(1, array.GetUpperBound());
    EXPECT_STREQ("zero", array.GetAt(0));
    EXPECT_STREQ(GBK_PINDAO, array[1]);
}

TEST(CStringArray, SetSizeAddsEmptyStringsAndDropsTheTail)
{
    CStringArray array;
    array.Add("a");
    array.SetSize(3);
    EXPECT_EQ("a||", Joined(array));
    array.SetSize(1);
    EXPECT_EQ("a", Joined(array));
    array.SetSize(0);
    EXPECT_EQ(0, array.GetSize());
}

TEST(CStringArray, SetAtGrowFillsTheGapWithEmptyStrings)
{
    CStringArray array;
    array.SetAtGrow(2, "c");
    EXPECT_EQ("||c", Joined(array));
    array.SetAt(0, "a");
    array.ElementAt(1) = "b";
    EXPECT_EQ("a|b|c", Joined(array));
    array[1] = "B";
    EXPECT_STREQ("B", array.GetData()[1]);
}

TEST(CStringArray, AddingAnElementOfTheSameArraySurvivesGrowing)
{
    CStringArray array;
    array.Add("first");
    for (int i = 0; i < 100; ++i)
        array.Add(array[0]);
    EXPECT_EQ(101, array.GetSize());
    EXPECT_STREQ("first", array[100]);
}

TEST(CStringArray, InsertAtShiftsOrGrows)
{
    CStringArray array;
    array.Add("a");
    array.Add("d");
    array.InsertAt(1, "b");
    EXPECT_EQ("a|b|d", Joined(array));
    array.InsertAt(2, "c", 2);
    EXPECT_EQ("a|b|c|c|d", Joined(array));
    array.InsertAt(7, "z");
    EXPECT_EQ("a|b|c|c|d|||z", Joined(array));
    array.InsertAt(0, "<");
    EXPECT_EQ("<|a|b|c|c|d|||z", Joined(array));
}

TEST(CStringArray, InsertAtWithAnArray)
{
    CStringArray array;
    array.Add("a");
    array.Add("d");
    CStringArray middle;
    middle.Add("b");
    middle.Add("c");
    array.InsertAt(1, &middle);
    EXPECT_EQ("a|b|c|d", Joined(array));
}

TEST(CStringArray, RemoveAtClosesTheGap)
{
    CStringArray array;
    for (const char* s : {"a", "b", "c", "d", "e"})
        array.Add(s);
    array.RemoveAt(1);
    EXPECT_EQ("a|c|d|e", Joined(array));
    array.RemoveAt(1, 2);
    EXPECT_EQ("a|e", Joined(array));
    array.RemoveAll();
    EXPECT_EQ(0, array.GetSize());
}

TEST(CStringArray, AppendReturnsTheFirstNewIndexAndCopyReplaces)
{
    CStringArray first;
    first.Add("a");
    CStringArray second;
    second.Add("b");
    second.Add("c");
    EXPECT_EQ(1, first.Append(second));
    EXPECT_EQ("a|b|c", Joined(first));
    second.Copy(first);
    EXPECT_EQ("a|b|c", Joined(second));
    first.SetAt(0, "x");
    EXPECT_STREQ("a", second[0]);
}

TEST(CDWordArray, NewElementsAreZero)
{
    CDWordArray array;
    array.SetSize(2, 8);
    EXPECT_EQ("0|0", Joined(array));
    array.SetAtGrow(4, 0xFFFFFFFFu);
    EXPECT_EQ("0|0|0|0|4294967295", Joined(array));
    array.InsertAt(1, 7, 2);
    EXPECT_EQ("0|7|7|0|0|0|4294967295", Joined(array));
    array.RemoveAt(0, 3);
    EXPECT_EQ("0|0|0|4294967295", Joined(array));
    array.FreeExtra();
    EXPECT_EQ(4, array.GetSize());
}

TEST(CUIntArray, GrowsAndKeepsValues)
{
    CUIntArray array;
    for (UINT i = 0; i < 1000; ++i)
        array.Add(i * 3);
    EXPECT_EQ(1000, array.GetSize());
    EXPECT_EQ(2997u, array[999]);
    EXPECT_EQ(1500u, array.GetAt(500));
}

TEST(CByteArray, HoldsBytes)
{
    CByteArray array;
    BYTE bytes[] = {0x00, 0x5C, 0xFF};
    for (BYTE b : bytes)
        array.Add(b);
    EXPECT_EQ(0, memcmp(bytes, array.GetData(), 3));
}

TEST(CPtrArray, HoldsPointers)
{
    int a = 1;
    int b = 2;
    CPtrArray array;
    array.Add(&a);
    array.InsertAt(0, &b);
    array.SetAtGrow(3, NULL);
    EXPECT_EQ(4, array.GetSize());
    EXPECT_EQ(&b, array[0]);
    EXPECT_EQ(&a, array.GetAt(1));
    EXPECT_EQ(nullptr, array[2]);
}
