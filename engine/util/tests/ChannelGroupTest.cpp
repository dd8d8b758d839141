#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChannelList.h"

namespace {

const DWORD kAll = CChannelEntry::kAllChannels;
const DWORD kFavorites = CChannelEntry::kFavorites;

std::string NameOf(const CChannelEntry* entry)
{
    return entry ? std::string((LPCTSTR)entry->GetName()) : std::string("NULL");
}

// The names the group shows, in group order, read through the list indexes it holds.
std::string Names(const CChannelList& list, const CChannelGroup* group)
{
    std::string text;
    for (int i = 0; i < group->GetCount(); ++i)
        text += (i ? " " : "") + NameOf(list.GetAt(group->GetAt(i)));
    return text;
}

// A 100 (all), B 200 (all, favourite), C 300 (favourite only), D 400 (all, favourite).
class ChannelGroupTest : public testing::Test
{
protected:
    ChannelGroupTest()
    {
        m_list.SetTolerance(10);
        m_list.MergeChannels({CChannelEntry(100, "A", 1), CChannelEntry(200, "B", 3),
                              CChannelEntry(300, "C", 2), CChannelEntry(400, "D", 3)},
                             FALSE);
        m_all = m_list.GetGroup(kAll);
        m_favorites = m_list.GetGroup(kFavorites);
    }

    CChannelList m_list;
    CChannelGroup* m_all;
    CChannelGroup* m_favorites;
};

} // namespace

TEST_F(ChannelGroupTest, GroupsAreBuiltFromTheFlags)
{
    EXPECT_EQ("A B D", Names(m_list, m_all));
    EXPECT_EQ("B C D", Names(m_list, m_favorites));
    EXPECT_EQ(m_favorites, m_list.GetGroup(kFavorites));
    EXPECT_EQ(-1, m_all->GetCurrentIndex());
    EXPECT_EQ(-1, m_all->GetAt(3));
    EXPECT_EQ(-1, m_all->GetAt(-1));
    EXPECT_STREQ("List:2,Serial:3,Content: D,400,3\n", (LPCTSTR)m_favorites->DumpEntry(2));
}

TEST_F(ChannelGroupTest, SteppingStopsOnePastEitherEnd)
{
    EXPECT_EQ("D", NameOf(m_all->GetLast()));
    EXPECT_EQ("NULL", NameOf(m_all->GetNext()));
    EXPECT_EQ(3, m_all->GetCurrentIndex());
    EXPECT_EQ("NULL", NameOf(m_all->GetCurrent()));
    EXPECT_EQ("NULL", NameOf(m_all->GetNext()));
    EXPECT_EQ(3, m_all->GetCurrentIndex());
    EXPECT_EQ("D", NameOf(m_all->GetPrev()));

    EXPECT_EQ("A", NameOf(m_all->GetFirst()));
    EXPECT_EQ("NULL", NameOf(m_all->GetPrev()));
    EXPECT_EQ(-1, m_all->GetCurrentIndex());
    EXPECT_EQ("A", NameOf(m_all->GetNext()));

    EXPECT_EQ("B", NameOf(m_all->SetCurrent(1)));
    EXPECT_EQ("NULL", NameOf(m_all->SetCurrent(3)));
    EXPECT_EQ(1, m_all->GetCurrentIndex());
}

TEST_F(ChannelGroupTest, EmptyGroupHasNoCurrentChannel)
{
    CChannelGroup* empty = m_list.GetGroup(4);
    EXPECT_EQ(0, empty->GetCount());
    EXPECT_EQ("NULL", NameOf(empty->GetFirst()));
    EXPECT_EQ("NULL", NameOf(empty->GetLast()));
    EXPECT_EQ(-1, empty->GetCurrentIndex());
}

// After every kind of change each view shows the channels whose flags it stands for, in list
// order, and its current channel is still the channel it was.
TEST_F(ChannelGroupTest, ViewsFollowEveryChangeOfTheList)
{
    m_all->SetCurrent(1);        // B
    m_favorites->SetCurrent(2);  // D

    ASSERT_TRUE(m_list.Swap(0, 3));  // D B C A
    EXPECT_EQ("D B A", Names(m_list, m_all));
    EXPECT_EQ("D B C", Names(m_list, m_favorites));
    EXPECT_EQ("B", NameOf(m_all->GetCurrent()));
    EXPECT_EQ("D", NameOf(m_favorites->GetCurrent()));

    m_list.SortByFrequency();  // A B C D
    m_list.MergeChannels({CChannelEntry(50, "N", 3), CChannelEntry(250, "M", 1)}, TRUE);
    EXPECT_EQ("N A B M D", Names(m_list, m_all));
    EXPECT_EQ("N B C D", Names(m_list, m_favorites));
    EXPECT_EQ("B", NameOf(m_all->GetCurrent()));
    EXPECT_EQ("D", NameOf(m_favorites->GetCurrent()));

    ASSERT_TRUE(m_list.AddToGroup(m_list.GetAt(1), kFavorites));  // A
    ASSERT_TRUE(m_list.RemoveFromGroup(5, kFavorites));            // D
    EXPECT_EQ("N A B C", Names(m_list, m_favorites));
    EXPECT_FALSE(m_list.AddToGroup(7, kFavorites));
    CChannelEntry stranger(1, "S", 1);
    EXPECT_FALSE(m_list.RemoveFromAllGroups(&stranger));

    m_list.RemoveAll();
    EXPECT_EQ(0, m_all->GetCount());
    EXPECT_EQ("NULL", NameOf(m_all->GetCurrent()));
    EXPECT_EQ("NULL", NameOf(m_all->GetNext()));
}

// Deleting the current channel leaves the view just before its place, so stepping on
// reaches the channel that followed it.
TEST_F(ChannelGroupTest, DeletingTheCurrentChannelStepsOnToItsFollower)
{
    struct Case { int current; const char* next; };
    const Case cases[] = {{0, "B"}, {1, "D"}, {2, "NULL"}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        CChannelList list;
        list.SetTolerance(10);
        list.MergeChannels({CChannelEntry(100, "A", 1), CChannelEntry(200, "B", 1),
                            CChannelEntry(400, "D", 1)}, FALSE);
        CChannelGroup* all = list.GetGroup(kAll);
        CChannelEntry* current = all->SetCurrent(cases[i].current);
        ASSERT_TRUE(list.RemoveFromAllGroups(current));
        EXPECT_TRUE(current->IsUngrouped());
        EXPECT_EQ(2, all->GetCount());
        EXPECT_EQ(cases[i].next, NameOf(all->GetNext()));
    }
}
