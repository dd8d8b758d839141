#include <gtest/gtest.h>

#include <afx.h>

#include <string>

namespace {

std::string Forward(const CStringList& list)
{
    std::string text;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        if (!text.empty())
            text += "|";
        text += (LPCTSTR)list.GetNext(pos);
    }
    return text;
}

std::string Backward(const CStringList& list)
{
    std::string text;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;) {
        if (!text.empty())
            text += "|";
        text += (LPCTSTR)list.GetPrev(pos);
    }
    return text;
}

} // namespace

TEST(CStringList, AddHeadAndAddTailOrderTheElements)
{
    CStringList list;
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail("b");
    list.AddHead("a");
    list.AddTail(CString("c"));
    EXPECT_EQ(3, list.GetCount());
    EXPECT_FALSE(list.IsEmpty());
    EXPECT_EQ("a|b|c", Forward(list));
    EXPECT_EQ("c|b|a", Backward(list));
    EXPECT_STREQ("a", list.GetHead());
    EXPECT_STREQ("c", list.GetTail());
}

TEST(CStringList, RemoveHeadAndTailReturnTheElement)
{
    CStringList list;
    list.AddTail("a");
    list.AddTail("b");
    list.AddTail("c");
    EXPECT_STREQ("a", list.RemoveHead());
    EXPECT_STREQ("c", list.RemoveTail());
    EXPECT_EQ("b", Forward(list));
    EXPECT_STREQ("b", list.RemoveTail());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    list.AddTail("again");
    EXPECT_EQ("again", Forward(list));
}

TEST(CStringList, InsertBeforeAndAfter)
{
    CStringList list;
    POSITION b = list.AddTail("b");
    list.InsertBefore(b, "a");
    POSITION c = list.InsertAfter(b, "c");
    list.InsertAfter(c, "d");
    list.InsertBefore(NULL, "^");
    list.InsertAfter(NULL, "$");
    EXPECT_EQ("^|a|b|c|d|$", Forward(list));
    EXPECT_EQ("$|d|c|b|a|^", Backward(list));
}

TEST(CStringList, RemoveAtWhileIterating)
{
    CStringList list;
    for (const char* s : {"keep", "drop", "keep", "drop"})
        list.AddTail(s);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        POSITION current = pos;
        if (list.GetNext(pos) == "drop")
            list.RemoveAt(current);
    }
    EXPECT_EQ("keep|keep", Forward(list));
    EXPECT_EQ("keep|keep", Backward(list));
}

TEST(CStringList, FindAndFindIndex)
{
    CStringList list;
    for (const char* s : {"a", "b", "a", "c"})
        list.AddTail(s);
    POSITION first = list.Find("a");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(list.GetHeadPosition(), first);
    POSITION second = list.Find("a", first);
    EXPECT_EQ(list.FindIndex(2), second);
    EXPECT_EQ(nullptr, list.Find("a", second));
    EXPECT_EQ(nullptr, list.Find("z"));
    EXPECT_STREQ("c", list.GetAt(list.FindIndex(3)));
    EXPECT_EQ(nullptr, list.FindIndex(4));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
}

TEST(CStringList, SetAtAndGetAt)
{
    CStringList list;
    POSITION pos = list.AddTail("old");
    list.SetAt(pos, "new");
    EXPECT_STREQ("new", list.GetAt(pos));
    list.GetAt(pos) += "er";
    EXPECT_STREQ("newer", list.GetHead());
}

TEST(CStringList, AddListAtHeadOrTailKeepsItsOrder)
{
    CStringList list;
    list.AddTail("m");
    CStringList other;
    other.AddTail("x");
    other.AddTail("y");
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ("x|y|m|x|y", Forward(list));
    EXPECT_EQ(2, other.GetCount());
}

TEST(CStringList, RemoveAllAndReuse)
{
    CStringList list(2);
    for (int i = 0; i < 25; ++i)
        list.AddTail("x");
    EXPECT_EQ(25, list.GetCount());
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    list.AddHead("y");
    EXPECT_EQ("y", Forward(list));
}

TEST(CPtrList, HoldsPointersInOrder)
{
    int a = 0;
    int b = 0;
    int c = 0;
    CPtrList list;
    list.AddTail(&b);
    list.AddHead(&a);
    list.AddTail(&c);
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(&a, list.GetNext(pos));
    EXPECT_EQ(&b, list.GetNext(pos));
    EXPECT_EQ(&c, list.GetNext(pos));
    EXPECT_EQ(nullptr, pos);
    EXPECT_EQ(list.FindIndex(1), list.Find(&b));
    EXPECT_EQ(&a, list.RemoveHead());
    EXPECT_EQ(2, list.GetCount());
}
