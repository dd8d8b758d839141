#include <gtest/gtest.h>

#include <string>

#include "ChannelEntry.h"

namespace {

std::string Describe(const CChannelEntry& entry)
{
    return std::string((LPCTSTR)entry.Format());
}

} // namespace

TEST(ChannelEntryTest, ParsesTheListFileForms)
{
    struct Case { const char* text; BOOL parsed; const char* result; };
    const Case cases[] = {
        {"CCTV1,49750", TRUE, "CCTV1,49750,1"},
        {"CCTV1,49750,3", TRUE, "CCTV1,49750,3"},
        {"x,,5", TRUE, "x,0,5"},
        {"\xD6\xD0\xD1\xEB\xCC\xA8,77250,2", TRUE, "\xD6\xD0\xD1\xEB\xCC\xA8,77250,2"},
        {"a,1", FALSE, "old,1,2"},
        {"abcdef", FALSE, "old,1,2"},
        {"", FALSE, "old,1,2"},
        // A name with a comma of its own, as the list writes it, reads back whole.
        {"News, Sport,49750,3", TRUE, "News, Sport,49750,3"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        CChannelEntry entry(1, "old", 2);
        EXPECT_EQ(cases[i].parsed, entry.Parse(cases[i].text));
        EXPECT_EQ(cases[i].result, Describe(entry));
    }
}

TEST(ChannelEntryTest, TextThatDoesNotParseGivesAnEmptyChannelInNoGroup)
{
    CChannelEntry entry("a,1");
    EXPECT_EQ(",0,0", Describe(entry));
    EXPECT_TRUE(entry.IsUngrouped());
}

TEST(ChannelEntryTest, WrittenTextParsesBackToTheSameChannel)
{
    const CChannelEntry written(49750, "A, B", 3);
    CChannelEntry read;
    ASSERT_TRUE(read.Parse(written.Format()));
    EXPECT_STREQ("A, B", (LPCTSTR)read.GetName());
    EXPECT_EQ(49750, read.GetFrequency());
    EXPECT_EQ(3u, read.GetFlags());
    EXPECT_TRUE(read.HasFlag(CChannelEntry::kFavorites));
}
