#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChannelList.h"
#include "TempFolder.h"

namespace {

// "name:frequency:flags" of every channel, joined by blanks.
std::string Describe(const CChannelList& list)
{
    std::string text;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString one;
        one.Format("%s%s:%d:%d", i ? " " : "", (LPCTSTR)list.GetAt(i)->GetName(),
                   list.GetAt(i)->GetFrequency(), (int)list.GetAt(i)->GetFlags());
        text += (LPCTSTR)one;
    }
    return text;
}

void Fill(CChannelList& list, const std::vector<CChannelEntry>& channels)
{
    list.MergeChannels(channels, FALSE);
}

class ChannelListFileTest : public testing::Test
{
protected:
    ChannelListFileTest() : m_path(m_temp.FilePath("TVChannel.ini")) {}

    TempFolder m_temp;
    std::string m_path;
    CChannelList m_list;
};

} // namespace

// Channel-1 is missing and Channel-2 too short to be a channel: the others load, and the
// save numbers them without the gap.
TEST_F(ChannelListFileTest, GapAndMalformedLineAreSkippedAndTheSaveRenumbers)
{
    m_temp.Write("TVChannel.ini", "[General]\r\nTotal=4\r\n"
                                  "[Channel]\r\n"
                                  "Channel-0=CCTV1,49750,1\r\n"
                                  "Channel-2=a,1\r\n"
                                  "Channel-3=\xD6\xD0\xD1\xEB\xCC\xA8,77250,3\r\n");
    ASSERT_TRUE(m_list.Load(m_path.c_str()));
    EXPECT_EQ("CCTV1:49750:1 \xD6\xD0\xD1\xEB\xCC\xA8:77250:3", Describe(m_list));

    ASSERT_TRUE(m_list.Save(""));
    EXPECT_EQ("[General]\r\nTotal=2\r\n"
              "[Channel]\r\n"
              "Channel-0=CCTV1,49750,1\r\n"
              "Channel-1=\xD6\xD0\xD1\xEB\xCC\xA8,77250,3\r\n",
              m_temp.Read("TVChannel.ini"));
}

// An edited Total far beyond the lines: the lines present load, in number order, at once.
TEST_F(ChannelListFileTest, HugeTotalLoadsTheChannelsPresent)
{
    m_temp.Write("TVChannel.ini", "[General]\r\nTotal=2147483647\r\n"
                                  "[Channel]\r\n"
                                  "Channel-10=C,300,1\r\n"
                                  "Channel-0=A,100,1\r\n"
                                  "Channel-2=B,200,1\r\n");
    ASSERT_TRUE(m_list.Load(m_path.c_str()));
    EXPECT_EQ("A:100:1 B:200:1 C:300:1", Describe(m_list));
}

TEST_F(ChannelListFileTest, LoadAppendsAndAMissingFileChangesNothing)
{
    m_temp.Write("TVChannel.ini", "[General]\r\nTotal=1\r\n[Channel]\r\nChannel-0=A,100,1\r\n");
    ASSERT_TRUE(m_list.Load(m_path.c_str()));
    ASSERT_TRUE(m_list.Load(m_path.c_str()));
    EXPECT_EQ("A:100:1 A:100:1", Describe(m_list));

    EXPECT_FALSE(m_list.Load(m_temp.FilePath("FMChannel.ini").c_str()));
    EXPECT_EQ("A:100:1 A:100:1", Describe(m_list));
    EXPECT_STREQ(m_path.c_str(), (LPCTSTR)m_list.GetFileName());
}

// Sections of an older file that the list does not know are not kept; an empty list still
// says how many channels it has.
TEST_F(ChannelListFileTest, SaveWritesAFreshFile)
{
    m_temp.Write("TVChannel.ini", "[Other]\r\nk=v\r\n");
    ASSERT_TRUE(m_list.Save(m_path.c_str()));
    EXPECT_EQ("[General]\r\nTotal=0\r\n", m_temp.Read("TVChannel.ini"));
}

TEST_F(ChannelListFileTest, FailedSaveKeepsTheOldFile)
{
    const std::string old = "[General]\r\nTotal=1\r\n[Channel]\r\nChannel-0=A,100,1\r\n";
    m_temp.Write("TVChannel.ini", old);
    ASSERT_TRUE(m_list.Load(m_path.c_str()));
    m_list.RemoveAll();
    CreateDirectoryA((m_path + ".tmp").c_str(), NULL);  // the save's scratch name is taken

    EXPECT_FALSE(m_list.Save(""));
    EXPECT_EQ(old, m_temp.Read("TVChannel.ini"));
}

TEST(ChannelListTest, IsNearIncludesTheToleranceAndFindNearExcludesIt)
{
    CChannelList list;
    EXPECT_EQ(2000, list.GetTolerance());
    struct Near { int frequency; int reference; BOOL isNear; };
    const Near nears[] = {
        {49750, 51750, TRUE}, {49750, 51751, FALSE}, {51750, 49750, TRUE}, {47749, 49750, FALSE},
    };
    for (size_t i = 0; i < sizeof(nears) / sizeof(nears[0]); ++i)
        EXPECT_EQ(nears[i].isNear, list.IsNear(nears[i].frequency, nears[i].reference)) << i;

    EXPECT_EQ(2000, list.SetTolerance(200));
    EXPECT_TRUE(list.IsNear(88000, 88200));
    EXPECT_FALSE(list.IsNear(88000, 88201));

    const std::vector<CChannelEntry> array = {
        CChannelEntry(49750, "A", 1), CChannelEntry(57750, "B", 1), CChannelEntry(65750, "C", 1)};
    struct Find { int frequency; int tolerance; int start; const char* found; };
    const Find finds[] = {
        {51749, 2000, 0, "A"},
        {51750, 2000, 0, NULL},
        {49750, 2000, 1, NULL},
        {56000, 2000, 1, "B"},
        {55000, 10000, 0, "A"},
        {60000, 10000, 3, NULL},
        {49750, 0, 0, NULL},
    };
    for (size_t i = 0; i < sizeof(finds) / sizeof(finds[0]); ++i) {
        const CChannelEntry* found = CChannelList::FindNear(array, finds[i].frequency,
                                                            finds[i].tolerance, finds[i].start);
        if (finds[i].found)
            EXPECT_STREQ(finds[i].found, found ? (LPCTSTR)found->GetName() : "NULL") << i;
        else
            EXPECT_EQ(NULL, found) << i;
    }
}

// The list before each merge: A 49750, B 57750, C 65750 (tolerance 2000).
TEST(ChannelListTest, MergeInsertsNewChannelsAndReplacesOrKeepsNearOnes)
{
    struct Case {
        std::vector<CChannelEntry> source;
        BOOL keep;
        const char* result;
    };
    const Case cases[] = {
        {{CChannelEntry(53000, "X", 1)}, FALSE, "A:49750:1 X:53000:1 B:57750:1 C:65750:3"},
        {{CChannelEntry(51750, "X", 1)}, FALSE, "X:51750:1 B:57750:1 C:65750:3"},
        {{CChannelEntry(51751, "X", 1)}, FALSE, "A:49750:1 X:51751:1 B:57750:1 C:65750:3"},
        {{CChannelEntry(51750, "X", 1)}, TRUE, "A:49750:1 B:57750:1 C:65750:3"},
        {{CChannelEntry(10000, "X", 1)}, TRUE, "X:10000:1 A:49750:1 B:57750:1 C:65750:3"},
        {{CChannelEntry(900000, "X", 1)}, TRUE, "A:49750:1 B:57750:1 C:65750:3 X:900000:1"},
        {{CChannelEntry(64000, "X", 1)}, FALSE, "A:49750:1 B:57750:1 X:64000:1"},
        // The walk does not move back: both results meet A, the second one last.
        {{CChannelEntry(49000, "X", 1), CChannelEntry(50500, "Y", 1)}, FALSE,
         "Y:50500:1 B:57750:1 C:65750:3"},
        {{CChannelEntry(40000, "X", 1), CChannelEntry(61750, "Y", 1), CChannelEntry(70000, "Z", 1)},
         TRUE, "X:40000:1 A:49750:1 B:57750:1 Y:61750:1 C:65750:3 Z:70000:1"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        CChannelList list;
        Fill(list, {CChannelEntry(49750, "A", 1), CChannelEntry(57750, "B", 1),
                    CChannelEntry(65750, "C", 3)});
        list.MergeChannels(cases[i].source, cases[i].keep);
        EXPECT_EQ(cases[i].result, Describe(list));
    }
}

TEST(ChannelListTest, SwapAndSortKeepEveryChannel)
{
    CChannelList list;
    Fill(list, {CChannelEntry(100, "A", 1), CChannelEntry(5000, "B", 1), CChannelEntry(9000, "C", 1)});
    EXPECT_FALSE(list.Swap(0, 3));
    EXPECT_FALSE(list.Swap(-1, 0));
    ASSERT_TRUE(list.Swap(0, 2));
    EXPECT_EQ("C:9000:1 B:5000:1 A:100:1", Describe(list));
    list.GetAt(1)->SetFrequency(9000);
    list.SortByFrequency();
    EXPECT_EQ("A:100:1 C:9000:1 B:9000:1", Describe(list));
}

TEST(ChannelListTest, RegionTableNamesTheChannelsAScanFound)
{
    const std::vector<CChannelEntry> table = {
        CChannelEntry(49750, "CCTV1", 1), CChannelEntry(57750, "CCTV2", 1),
        CChannelEntry(65750, "\xC9\xEE\xDB\xDA", 1)};
    std::vector<CChannelEntry> results = {
        CChannelEntry(49700, "Ch 1", 1), CChannelEntry(59750, "Ch 2", 1),
        CChannelEntry(61800, "Ch 3", 1), CChannelEntry(65760, "Ch 4", 1),
        // Below the last match: the search does not go back for it.
        CChannelEntry(49750, "Ch 5", 1)};
    CChannelList::UpdateChannelNames(results, table, 2000);
    const char* names[] = {"CCTV1", "CCTV2", "Ch 3", "\xC9\xEE\xDB\xDA", "Ch 5"};
    for (size_t i = 0; i < results.size(); ++i)
        EXPECT_STREQ(names[i], (LPCTSTR)results[i].GetName()) << i;
    EXPECT_EQ(59750, results[1].GetFrequency());
}
