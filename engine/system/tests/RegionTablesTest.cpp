#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BuiltInFreqTables.h"
#include "ChannelList.h"
#include "ChannelTableStore.h"
#include "FreqTableStore.h"
#include "IniText.h"
#include "TVSystem.h"
#include "TempFolder.h"

namespace {

#define CHINA "\xD6\xD0\xB9\xFA"
#define HONG_KONG "\xCF\xE3\xB8\xDB"
#define USA "\xC3\xC0\xB9\xFA"
#define SHENZHEN "\xC9\xEE\xDB\xDA"
#define BEIJING "\xB1\xB1\xBE\xA9"
#define SHENZHEN_TV "\xC9\xEE\xDB\xDA\xCC\xA8"

const char kChannelAddress[] =
    "[General]\r\nTotal=2\r\nCountryCode-0=" CHINA "\r\nCountryCode-1=" HONG_KONG "\r\n"
    "[" CHINA "]\r\nTotal=3\r\nTable-0=" SHENZHEN "\r\nTable-1=\r\nTable-2=" BEIJING "\r\n"
    "[" SHENZHEN "]\r\nTotal=5\r\n"
    "Channel-0=" SHENZHEN_TV ",65750,1\r\n"
    "Channel-1=bad\r\n"
    "Channel-2=CCTV1,49750,1\r\n"
    "Channel-4=CCTV2,57750\r\n"
    "[" BEIJING "]\r\nTotal=2\r\nChannel-0=x\r\nChannel-1=,,\r\n";

std::string Joined(const CStringList& names)
{
    std::string text;
    for (POSITION position = names.GetHeadPosition(); position;)
        text += std::string(text.empty() ? "" : "|") + (LPCTSTR)names.GetNext(position);
    return text;
}

std::string Describe(const std::vector<CChannelEntry>& channels)
{
    std::string text;
    for (const CChannelEntry& channel : channels)
        text += std::string(text.empty() ? "" : " ") + (LPCTSTR)channel.Format();
    return text;
}

} // namespace

TEST(ChannelTableStoreTest, ReadsCountriesRegionsAndTheirChannels)
{
    TempFolder temp;
    std::string path = temp.Write("ChannelAddress.ini", kChannelAddress);
    CChannelTableStore store;
    ASSERT_TRUE(store.Open(path.c_str()));
    EXPECT_EQ(2, store.GetCountryCount());
    CStringList countries;
    store.GetCountryCodes(countries);
    EXPECT_EQ(CHINA "|" HONG_KONG, Joined(countries));

    CStringList regions;
    EXPECT_TRUE(CChannelTableStore::ReadProfileTableList(path.c_str(), CHINA, regions));
    EXPECT_EQ(SHENZHEN "|" BEIJING, Joined(regions));
    EXPECT_FALSE(CChannelTableStore::ReadProfileTableList(path.c_str(), HONG_KONG, regions));

    const std::vector<CChannelEntry>* table = store.ReadTable(SHENZHEN);
    ASSERT_TRUE(table != NULL);
    EXPECT_EQ("CCTV1,49750,1 CCTV2,57750,1 " SHENZHEN_TV ",65750,1", Describe(*table));
    EXPECT_EQ(NULL, store.ReadTable(BEIJING)) << "no line of it is a channel";
    EXPECT_EQ(NULL, store.ReadTable(HONG_KONG)) << "no section";
    EXPECT_FALSE(store.Open(temp.FilePath("Missing.ini").c_str()));
}

// After a scan with UseLocality, the region's table names the channels found near its own.
TEST(ChannelTableStoreTest, RegionTableNamesTheChannelsAScanFound)
{
    TempFolder temp;
    CChannelTableStore store;
    ASSERT_TRUE(store.Open(temp.Write("ChannelAddress.ini", kChannelAddress).c_str()));
    std::vector<CChannelEntry> found = {
        CChannelEntry(49800, "", 1), CChannelEntry(61000, "", 1), CChannelEntry(67000, "", 1)};

    const std::vector<CChannelEntry>* table = store.ReadTable(SHENZHEN);
    ASSERT_TRUE(table != NULL);
    CChannelList::UpdateChannelNames(found, *table, CChannelList::kTvTolerance);
    EXPECT_EQ("CCTV1,49800,1 ,61000,1 " SHENZHEN_TV ",67000,1", Describe(found));
}

// The table is as long as the lines the file holds: a missing line adds no value.
TEST(FreqTableStoreTest, MissingLinesAddNoValue)
{
    TempFolder temp;
    std::string path = temp.Write("ChannelPoint.ini",
                                  "[General]\r\nTotal=2\r\nTable-0=A\r\nTable-1=B\r\n"
                                  "[A]\r\nTotal=4\r\nChannel-1=49.75\r\nChannel-3=57.25\r\n"
                                  "[B]\r\nTotal=0\r\nChannel-0=1\r\n");
    CFreqTableStore store;
    ASSERT_TRUE(store.Open(path.c_str()));
    EXPECT_EQ(2, store.GetTableCount());
    EXPECT_EQ(4, store.GetChannelCount("A"));
    std::vector<float> values;
    ASSERT_TRUE(store.ReadTable("A", values));
    EXPECT_EQ((std::vector<float>{49.75f, 57.25f}), values);
    EXPECT_FALSE(store.ReadTable("B", values));
    EXPECT_TRUE(values.empty());
    EXPECT_FALSE(store.ReadTable("C", values));
}

// Totals edited far beyond the lines, in every section that has one: each reader takes the
// lines present, in number order, and the table in memory holds only what the file holds.
TEST(RegionTablesTest, HugeTotalsReadTheLinesPresent)
{
    TempFolder temp;
    std::string address = temp.Write(
        "ChannelAddress.ini",
        "[General]\r\nTotal=2147483647\r\nCountryCode-5=" HONG_KONG "\r\nCountryCode-0=" CHINA "\r\n"
        "[" CHINA "]\r\nTotal=99999999\r\nTable-7=" BEIJING "\r\nTable-1=" SHENZHEN "\r\n"
        "[" SHENZHEN "]\r\nTotal=2147483647\r\nChannel-9=CCTV2,57750,1\r\n"
        "Channel-3=CCTV1,49750,1\r\n");
    CChannelTableStore regions;
    ASSERT_TRUE(regions.Open(address.c_str()));
    CStringList countries;
    regions.GetCountryCodes(countries);
    EXPECT_EQ(CHINA "|" HONG_KONG, Joined(countries));
    CStringList provinces;
    EXPECT_TRUE(CChannelTableStore::ReadProfileTableList(address.c_str(), CHINA, provinces));
    EXPECT_EQ(SHENZHEN "|" BEIJING, Joined(provinces));
    const std::vector<CChannelEntry>* table = regions.ReadTable(SHENZHEN);
    ASSERT_TRUE(table != NULL);
    EXPECT_EQ("CCTV1,49750,1 CCTV2,57750,1", Describe(*table));

    std::string point = temp.Write("ChannelPoint.ini",
                                   "[General]\r\nTotal=2147483647\r\nTable-4=B\r\nTable-2=A\r\n"
                                   "[A]\r\nTotal=2147483647\r\nChannel-8=57.25\r\n"
                                   "Channel-0=49.75\r\n");
    CFreqTableStore points;
    ASSERT_TRUE(points.Open(point.c_str()));
    CStringList names;
    points.GetTableNames(names);
    EXPECT_EQ("A|B", Joined(names));
    std::vector<float> values;
    ASSERT_TRUE(points.ReadTable("A", values));
    EXPECT_EQ((std::vector<float>{49.75f, 57.25f}), values);
}

// A value of 64 KB ahead of a section named in Chinese made the system's profile functions
// fault; the region list reads such a file as any other, and keeps the 260-character limit
// of a profile read, cut between characters.
TEST(ChannelTableStoreTest, RegionListReadsAFileWithALongValue)
{
    TempFolder temp;
    const std::string longName(400, '\xD6');
    std::string path = temp.Write("ChannelAddress.ini",
                                  "[General]\r\nTotal=1\r\nCountryCode-0=" CHINA "\r\nNote=" +
                                      std::string(65536, 'x') + "\r\n[" CHINA "]\r\nTotal=2\r\n"
                                      "Table-0=" SHENZHEN "\r\nTable-1=" + longName + "\r\n");
    CStringList regions;
    EXPECT_TRUE(CChannelTableStore::ReadProfileTableList(path.c_str(), CHINA, regions));
    ASSERT_EQ(2, (int)regions.GetCount());
    EXPECT_STREQ(SHENZHEN, (LPCTSTR)regions.GetHead());
    EXPECT_EQ(longName.substr(0, MAX_PATH - 2), (LPCTSTR)regions.GetTail());
    EXPECT_FALSE(CChannelTableStore::ReadProfileTableList(temp.FilePath("Missing.ini").c_str(),
                                                          CHINA, regions));
}

// A table written for a listed country replaces its values and leaves [General] alone; lines
// beyond the new count stay but are not read. A new country is listed, also after a read
// that found nothing for it.
TEST(FreqTableStoreTest, WriteTableListsNewCountriesAndRewritesKnownOnes)
{
    TempFolder temp;
    std::string path = temp.Write("ChannelPoint.ini",
                                  "[General]\r\nTotal=1\r\nTable-0=A\r\n"
                                  "[A]\r\nTotal=3\r\nChannel-0=1\r\nChannel-1=2\r\nChannel-2=3\r\n");
    CFreqTableStore store;
    ASSERT_TRUE(store.Open(path.c_str()));
    ASSERT_TRUE(store.WriteTable("A", {49.75f}));
    std::vector<float> values;
    EXPECT_FALSE(store.ReadTable(CHINA, values));
    ASSERT_TRUE(store.WriteTable(CHINA, {57.75f, 65.75f}));

    IniText saved(temp.Read("ChannelPoint.ini"));
    EXPECT_EQ("2", saved.Value("General", "Total"));
    EXPECT_EQ("A", saved.Value("General", "Table-0"));
    EXPECT_EQ(CHINA, saved.Value("General", "Table-1"));
    EXPECT_EQ("1", saved.Value("A", "Total"));
    EXPECT_EQ("49.750000", saved.Value("A", "Channel-0"));
    EXPECT_EQ("3", saved.Value("A", "Channel-2"));
    EXPECT_EQ("65.750000", saved.Value(CHINA, "Channel-1"));

    CFreqTableStore again;
    ASSERT_TRUE(again.Open(path.c_str()));
    CStringList names;
    again.GetTableNames(names);
    EXPECT_EQ("A|" CHINA, Joined(names));
    ASSERT_TRUE(again.ReadTable("A", values));
    EXPECT_EQ(std::vector<float>{49.75f}, values);
}

TEST(FreqTableStoreTest, FailedWriteKeepsTheOldFile)
{
    TempFolder temp;
    const std::string old = "[General]\r\nTotal=0\r\n";
    std::string path = temp.Write("ChannelPoint.ini", old);
    CFreqTableStore store;
    ASSERT_TRUE(store.Open(path.c_str()));
    CreateDirectoryA((path + ".tmp").c_str(), NULL);
    EXPECT_FALSE(store.WriteTable("A", {49.75f}));
    EXPECT_EQ(old, temp.Read("ChannelPoint.ini"));
    EXPECT_FALSE(CFreqTableStore().WriteTable("A", {49.75f})) << "nothing open";
}

TEST(BuiltInFreqTablesTest, CountryTablesHoldTheirRuns)
{
    struct Case { const char* name; size_t count; float first; float sixth; float last; };
    const Case cases[] = {
        {CHINA, 95, 49.75f, 112.25f, 863.25f},
        {HONG_KONG, 106, 48.25f, 83.25f, 855.25f},
        {USA, 139, 57.0f, 85.0f, 887.0f},
    };
    ASSERT_EQ(3, CBuiltInFreqTables::GetCountryCount());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(cases[i].name, CBuiltInFreqTables::GetCountryName(i));
        std::vector<float> mhz;
        CBuiltInFreqTables::GetCountryTable(i, mhz);
        ASSERT_EQ(cases[i].count, mhz.size());
        EXPECT_EQ(cases[i].first, mhz[0]);
        EXPECT_EQ(cases[i].sixth, mhz[5]);
        EXPECT_EQ(cases[i].last, mhz.back());
        EXPECT_TRUE(std::is_sorted(mhz.begin(), mhz.end()));
    }
    EXPECT_EQ(NULL, CBuiltInFreqTables::GetCountryName(3));
}

TEST(BuiltInFreqTablesTest, ScanTableIsInItsOwnOrder)
{
    std::vector<float> mhz;
    CBuiltInFreqTables::GetScanTable(mhz);
    ASSERT_EQ(134u, mhz.size());
    EXPECT_EQ((std::vector<float>{49.75f, 57.75f, 65.75f, 72.25f, 83.75f, 85.25f}),
              std::vector<float>(mhz.begin(), mhz.begin() + 6));
    EXPECT_EQ(943.25f, mhz.back());
    EXPECT_FALSE(std::is_sorted(mhz.begin(), mhz.end()));
    EXPECT_EQ(2, std::count(mhz.begin(), mhz.end(), 775.25f));
    EXPECT_EQ(2, std::count(mhz.begin(), mhz.end(), 791.25f));
    std::sort(mhz.begin(), mhz.end());
    EXPECT_EQ(mhz.end() - 2, std::unique(mhz.begin(), mhz.end())) << "no other carrier twice";
}

// The first start writes ChannelPoint.ini from the built-in tables; the next one reads it.
TEST(TVSystemTablesTest, MissingChannelPointFileIsWrittenFromTheBuiltInTables)
{
    TempFolder temp;
    {
        CTVSystem system(temp.Path().c_str());
        system.LoadRegionTables();
        EXPECT_EQ(CHINA "|" HONG_KONG "|" USA, Joined(system.GetCountries()));
    }
    IniText written(temp.Read("ChannelPoint.ini"));
    EXPECT_TRUE(written.crlfOnly);
    EXPECT_EQ((std::vector<std::string>{"General", CHINA, HONG_KONG, USA}), written.SectionNames());
    EXPECT_EQ((std::map<std::string, std::string>{
                  {"Total", "3"}, {"Table-0", CHINA}, {"Table-1", HONG_KONG}, {"Table-2", USA}}),
              written.Find("General")->values);
    EXPECT_EQ("95", written.Value(CHINA, "Total"));
    EXPECT_EQ(96u, written.Find(CHINA)->values.size());
    EXPECT_EQ("49.750000", written.Value(CHINA, "Channel-0"));
    EXPECT_EQ("863.250000", written.Value(CHINA, "Channel-94"));
    EXPECT_EQ("106", written.Value(HONG_KONG, "Total"));
    EXPECT_EQ("139", written.Value(USA, "Total"));
    EXPECT_EQ("57.000000", written.Value(USA, "Channel-0"));

    temp.Write("ChannelPoint.ini", "[General]\r\nTotal=1\r\nTable-0=" HONG_KONG "\r\n");
    CTVSystem next(temp.Path().c_str());
    next.LoadRegionTables();
    next.LoadRegionTables();
    EXPECT_EQ(HONG_KONG, Joined(next.GetCountries()));
}

TEST(TVSystemTablesTest, ProvincesAreTheRegionsOfTheCurrentCountry)
{
    TempFolder temp;
    temp.Write("ChannelAddress.ini", kChannelAddress);
    CTVSystem system(temp.Path().c_str());
    system.LoadRegionTables();
    system.LoadRegionTables();
    EXPECT_EQ(SHENZHEN "|" BEIJING, Joined(system.GetProvinces()));

    system.GetSettings().country = HONG_KONG;
    system.LoadRegionTables();
    EXPECT_EQ(0, (int)system.GetProvinces().GetCount());
}

// The program starts with the lines its files hold, whatever their Totals say.
TEST(TVSystemTablesTest, StartUnderHugeTotalsListsTheLinesPresent)
{
    TempFolder temp;
    temp.Write("TVParam.ini", "[Device]\r\nCountry=" CHINA "\r\n");
    temp.Write("TVChannel.ini", "[General]\r\nTotal=2147483647\r\n[Channel]\r\n"
                                "Channel-4=B,57750,1\r\nChannel-1=A,49750,1\r\n");
    temp.Write("SkinSet.ini", "[General]\r\nTotal=2147483647\r\nSkin-3=Blue\r\n");
    temp.Write("ChannelAddress.ini", "[" CHINA "]\r\nTotal=2147483647\r\nTable-2=" BEIJING "\r\n");
    temp.Write("ChannelPoint.ini", "[General]\r\nTotal=2147483647\r\nTable-6=" CHINA "\r\n");
    CTVSystem system(temp.Path().c_str());
    ASSERT_TRUE(system.LoadSettings());
    system.LoadChannels();
    EXPECT_EQ(2, system.GetChannelCount());
    EXPECT_STREQ("A", (LPCTSTR)system.GetTVChannels().GetAt(0)->GetName());
    ASSERT_EQ(2, (int)system.GetSkinNames().GetCount()) << "the built-in skin and Blue";
    EXPECT_STREQ("Blue", (LPCTSTR)system.GetSkinNames().GetTail());
    EXPECT_EQ(BEIJING, Joined(system.GetProvinces()));
    EXPECT_EQ(CHINA, Joined(system.GetCountries()));
}
