// The model's channel lists, groups, favourites, scan results and settings over files in a
// program folder of its own, without a card: tuning answers FALSE, everything else is the
// model's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChannelEntry.h"
#include "TVSystem.h"
#include "TempFolder.h"
#include "UiCallLog.h"

namespace {

// Five channels; B and D are favourites, E is in no group (deleted by the user).
const char kTVChannels[] =
    "[General]\r\nTotal=5\r\n[Channel]\r\n"
    "Channel-0=A,49750,1\r\nChannel-1=B,57750,3\r\nChannel-2=C,65750,1\r\n"
    "Channel-3=D,77250,3\r\nChannel-4=E,85250,0\r\n";
const char kFMChannels[] =
    "[General]\r\nTotal=3\r\n[Channel]\r\n"
    "Channel-0=F1,90000,1\r\nChannel-1=F2,95000,3\r\nChannel-2=F3,100000,1\r\n";

class TVSystemChannelsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.Write("TVChannel.ini", kTVChannels);
        m_folder.Write("FMChannel.ini", kFMChannels);
        CUiCallLog::Clear();
    }

    // The start-up steps before the card is opened.
    void Start(CTVSystem& tv)
    {
        tv.LoadChannels();
        tv.LoadFMChannels();
        tv.LoadSettings();
        tv.RestoreChannelSelection();
    }

    static std::string Names(CChannelList& list)
    {
        std::string names;
        for (int i = 0; i < list.GetCount(); ++i)
            names += (LPCTSTR)list.GetAt(i)->GetName();
        return names;
    }

    static std::vector<CChannelEntry> Found(const std::vector<int>& kHz, const char* prefix)
    {
        std::vector<CChannelEntry> results;
        for (int f : kHz)
            results.push_back(CChannelEntry(f, (std::string(prefix) + std::to_string(f)).c_str(), 1));
        return results;
    }

    TempFolder m_folder;
};

TEST_F(TVSystemChannelsTest, StartUpTakesTheLastChannelOfTheGroupUseFavorNames)
{
    m_folder.Write("TVParam.ini", "[Channel]\r\nUseFavor=1\r\n[Asistant]\r\nLastChannel=1\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    ASSERT_NE((CChannelEntry*)NULL, tv.GetCurrentChannel());
    EXPECT_STREQ("D", tv.GetCurrentChannel()->GetName());
    EXPECT_EQ(2, tv.GetChannelCount());
    EXPECT_EQ(1, tv.GetChannelIndex());
}

TEST_F(TVSystemChannelsTest, LastChannelOutsideTheGroupLeavesNoCurrentChannel)
{
    m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=4\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    EXPECT_EQ((CChannelEntry*)NULL, tv.GetCurrentChannel());
}

TEST_F(TVSystemChannelsTest, NavigationWrapsRoundTheCurrentGroup)
{
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    // All channels: A B C D (E is in no group); LastChannel 0 is A.
    const struct
    {
        bool forward;
        const char* expected;
    } steps[] = {{true, "B"}, {true, "C"}, {true, "D"}, {true, "A"}, {false, "D"}, {false, "C"}};
    for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); ++i) {
        CChannelEntry* entry = steps[i].forward ? tv.NextChannel() : tv.PrevChannel();
        ASSERT_NE((CChannelEntry*)NULL, entry) << "step " << i;
        EXPECT_STREQ(steps[i].expected, entry->GetName()) << "step " << i;
    }
}

TEST_F(TVSystemChannelsTest, NavigationOnAnEmptyGroupSelectsNothing)
{
    m_folder.Write("TVChannel.ini", "[General]\r\nTotal=1\r\n[Channel]\r\nChannel-0=A,49750,1\r\n");
    m_folder.Write("FMChannel.ini", "[General]\r\nTotal=0\r\n");
    m_folder.Write("TVParam.ini", "[Channel]\r\nUseFavor=1\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    EXPECT_EQ((CChannelEntry*)NULL, tv.NextChannel());
    EXPECT_EQ((CChannelEntry*)NULL, tv.PrevChannel());
    EXPECT_FALSE(tv.SelectChannelByIndex(0));
    EXPECT_EQ((CChannelEntry*)NULL, tv.GetCurrentChannel());
    EXPECT_EQ((CChannelEntry*)NULL, tv.NextFMChannel());
    EXPECT_EQ((CChannelEntry*)NULL, tv.PrevFMChannel());
    EXPECT_EQ((CChannelEntry*)NULL, tv.GetCurrentFMChannel());
    EXPECT_EQ((CChannelEntry*)NULL, tv.GetFMChannelAt(0));
}

TEST_F(TVSystemChannelsTest, SwitchingToFavouritesTakesTheirChannelWhenTheCurrentIsNotOne)
{
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    ASSERT_STREQ("A", tv.GetCurrentChannel()->GetName());
    tv.SetTVUseFavor(TRUE);
    EXPECT_STREQ("B", tv.GetCurrentChannel()->GetName());
    EXPECT_EQ(1, tv.GetSettings().useFavor);
    EXPECT_EQ(2, tv.GetChannelCount());
    const std::vector<std::string> expected = {"ShowChannelInfo 57750 B", "ShowFavoriteButton 1"};
    EXPECT_EQ(expected, CUiCallLog::Calls());

    // Back to all channels: B is there too, so it stays.
    tv.SetTVUseFavor(FALSE);
    EXPECT_STREQ("B", tv.GetCurrentChannel()->GetName());
    EXPECT_EQ(4, tv.GetChannelCount());
}

TEST_F(TVSystemChannelsTest, AnEmptyFavouritesGroupKeepsTheCurrentChannel)
{
    m_folder.Write("TVChannel.ini", "[General]\r\nTotal=2\r\n[Channel]\r\nChannel-0=A,49750,1\r\nChannel-1=B,57750,1\r\n");
    m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=1\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    tv.SetTVUseFavor(TRUE);
    ASSERT_NE((CChannelEntry*)NULL, tv.GetCurrentChannel());
    EXPECT_STREQ("B", tv.GetCurrentChannel()->GetName());
    EXPECT_EQ(0, tv.GetChannelCount());
    EXPECT_EQ((CChannelEntry*)NULL, tv.NextChannel());
}

TEST_F(TVSystemChannelsTest, FavouriteFlagFollowsTheCurrentChannelAndShowsOnThePanel)
{
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    EXPECT_FALSE(tv.IsCurrentChannelFavorite());
    tv.SetChannelFavorite(TRUE);
    EXPECT_TRUE(tv.IsCurrentChannelFavorite());
    EXPECT_EQ(3, tv.GetTVChannels().GetGroup(CChannelEntry::kFavorites)->GetCount());
    tv.SetChannelFavorite(FALSE);
    EXPECT_FALSE(tv.IsCurrentChannelFavorite());
    EXPECT_EQ(2, CUiCallLog::Count("ShowFavoriteButton"));
}

TEST_F(TVSystemChannelsTest, DeletingTheCurrentChannelMovesToTheNextAndKeepsItInTheFile)
{
    m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=1\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    ASSERT_STREQ("B", tv.GetCurrentChannel()->GetName());
    tv.DeleteCurrentChannel();
    EXPECT_STREQ("C", tv.GetCurrentChannel()->GetName());
    EXPECT_EQ(3, tv.GetChannelCount());
    EXPECT_EQ(5, tv.GetTVChannels().GetCount());
    EXPECT_EQ(1, CUiCallLog::Count("ShowChannelInfo 65750 C"));
}

TEST_F(TVSystemChannelsTest, ResettingAndClearingTheListsKeepEveryChannel)
{
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    CChannelEntry* current = tv.GetCurrentChannel();
    tv.ClearChannelLists();
    EXPECT_EQ(5, tv.GetTVChannels().GetCount());
    EXPECT_EQ(4, tv.GetChannelCount());
    EXPECT_EQ(current, tv.GetCurrentChannel());

    tv.ResetChannelLists();
    EXPECT_EQ(5, tv.GetTVChannels().GetCount());
    EXPECT_EQ(5, tv.GetChannelCount()) << "E is back among all channels";
    EXPECT_EQ(2, tv.GetTVChannels().GetGroup(CChannelEntry::kFavorites)->GetCount());
    EXPECT_EQ(current, tv.GetCurrentChannel());
    EXPECT_STREQ("A", tv.GetCurrentChannel()->GetName());
}

TEST_F(TVSystemChannelsTest, TVScanReplacesTheTVListAndLeavesTheFMList)
{
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    tv.ApplyLocalChannels(Found({49750, 471250}, "S"));
    EXPECT_EQ("S49750S471250", Names(tv.GetTVChannels()));
    EXPECT_EQ(2, tv.GetChannelCount());
    EXPECT_EQ((CChannelEntry*)NULL, tv.GetCurrentChannel());
    EXPECT_EQ("F1F2F3", Names(tv.GetFMChannels()));
    EXPECT_FALSE(tv.IsScanning());
}

TEST_F(TVSystemChannelsTest, TVScanKeepingThePreviousChannelsMergesAndGroupsThemAll)
{
    m_folder.Write("TVParam.ini", "[Device]\r\nReservePrev=1\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    tv.ApplyLocalChannels(Found({49000, 60000, 471250}, "S"));
    EXPECT_EQ("AB" "S60000" "CDE" "S471250", Names(tv.GetTVChannels()));
    EXPECT_EQ(7, tv.GetChannelCount()) << "every channel in the all-channels group";
}

TEST_F(TVSystemChannelsTest, FMScanLeavesTheTVListIntact)
{
    m_folder.Write("TVParam.ini", "[Device]\r\nVideoSource=3\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    ASSERT_EQ(CTVSystem::kSourceFm, tv.GetVideoSource());
    CChannelEntry* tvCurrent = tv.GetTVChannels().GetAt(0);

    tv.ApplyLocalChannels(Found({90000, 100000}, "R"));
    EXPECT_EQ("R90000R100000", Names(tv.GetFMChannels()));
    EXPECT_EQ(2, tv.GetFMGroup()->GetCount());
    EXPECT_EQ("ABCDE", Names(tv.GetTVChannels()));
    EXPECT_EQ(4, tv.GetTVGroup()->GetCount());
    EXPECT_EQ(tvCurrent, tv.GetTVChannels().GetAt(0));
}

TEST_F(TVSystemChannelsTest, RegionTableNamesTheScannedChannels)
{
    m_folder.Write("TVParam.ini", "[Device]\r\nUseLocality=1\r\nProvince=Town\r\n");
    m_folder.Write("ChannelAddress.ini", "[General]\r\nTotal=0\r\n[Town]\r\nTotal=1\r\nChannel-0=Town TV,471000,1\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    tv.ApplyLocalChannels(Found({49750, 471250}, "S"));
    EXPECT_EQ("S49750Town TV", Names(tv.GetTVChannels()));
}

TEST_F(TVSystemChannelsTest, FMChannelAtTakesEveryPositionOfTheGroup)
{
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    const struct
    {
        int position;
        const char* expected;
    } cases[] = {{0, "F1"}, {2, "F3"}, {3, NULL}, {-1, NULL}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        CChannelEntry* entry = tv.GetFMChannelAt(cases[i].position);
        if (!cases[i].expected) {
            EXPECT_EQ((CChannelEntry*)NULL, entry) << "case " << i;
            continue;
        }
        ASSERT_NE((CChannelEntry*)NULL, entry) << "case " << i;
        EXPECT_STREQ(cases[i].expected, entry->GetName()) << "case " << i;
        EXPECT_EQ(cases[i].position, tv.GetFMGroup()->GetCurrentIndex()) << "case " << i;
    }
}

TEST_F(TVSystemChannelsTest, FMFavouritesMakeTheirChannelCurrentWithoutTuning)
{
    m_folder.Write("TVParam.ini", "[Device]\r\nVideoSource=3\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    EXPECT_FALSE(tv.SetFMUseFavor(TRUE, 1));
    EXPECT_STREQ("F2", tv.GetCurrentChannel()->GetName());
    EXPECT_TRUE(tv.SetFMUseFavor(TRUE, 1)) << "unchanged: the old value";
    EXPECT_EQ(1, tv.GetFMGroup()->GetCount());
}

TEST_F(TVSystemChannelsTest, SourcesAndPictureSettingsRefuseValuesOutsideTheirRanges)
{
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    // Without FM the fourth source is the tuner, and the sources go round three.
    EXPECT_EQ(0, tv.SetVideoSource(2));
    EXPECT_EQ(2, tv.NextVideoSource());
    EXPECT_EQ(CTVSystem::kSourceTuner, tv.GetVideoSource());
    tv.SetVideoSource(3);
    EXPECT_EQ(CTVSystem::kSourceTuner, tv.GetVideoSource());

    EXPECT_EQ(5020, tv.SetBrightness(10001));
    EXPECT_EQ(5020, tv.GetSettings().picture[CTVSettings::kBrightness]);
    EXPECT_EQ(5020, tv.SetBrightness(10000));
    EXPECT_EQ(10000, tv.GetSettings().picture[CTVSettings::kBrightness]);
    EXPECT_EQ(0, tv.SetOverlayHue(-181));
    EXPECT_EQ(0, tv.SetOverlayHue(-180));
    EXPECT_EQ(-180, tv.GetSettings().overlay[CTVSettings::kHue]);
    tv.ResetOverlayColors();
    EXPECT_EQ(0, tv.GetSettings().overlay[CTVSettings::kHue]);

    EXPECT_EQ(5, tv.SetReduceValue(11));
    EXPECT_EQ(5, tv.GetSettings().reduceValue);
    EXPECT_EQ(5, tv.SetReduceValue(10));
    EXPECT_EQ(10, tv.GetSettings().reduceValue);
    // Record settings the graph refuses keep the old value.
    EXPECT_EQ(4, tv.SetRecordFormat(9));
    EXPECT_EQ(4, tv.SetRecordFormat(2));
    EXPECT_EQ(2, tv.GetSettings().recordFormat);
    EXPECT_EQ(0, tv.SetFMRecordFormat(4));
    EXPECT_EQ(0, tv.SetFMRecordFormat(3));
    EXPECT_EQ(3, tv.GetSettings().fmRecordFormat);
    EXPECT_EQ(1, tv.SetDisplayQuality(3));
    EXPECT_EQ(1, tv.SetDisplayQuality(2));
    EXPECT_EQ(2, tv.GetSettings().displayQuality);

    EXPECT_FALSE(tv.SetVideoSize(2)) << "unchanged";
    EXPECT_FALSE(tv.SetVideoSize(3));
    EXPECT_TRUE(tv.SetVideoSize(0));
}

TEST_F(TVSystemChannelsTest, RegionsFollowTheCountryOfTheSettingsAndEveryChange)
{
    m_folder.Write("ChannelAddress.ini",
                   "[General]\r\nTotal=2\r\nCountryCode-0=North\r\nCountryCode-1=South\r\n"
                   "[North]\r\nTotal=1\r\nTable-0=Hill\r\n[South]\r\nTotal=2\r\nTable-0=Bay\r\nTable-1=Cape\r\n");
    m_folder.Write("TVParam.ini", "[Device]\r\nCountry=North\r\n");
    CTVSystem tv(m_folder.Path().c_str());
    Start(tv);
    ASSERT_EQ(1, tv.GetProvinces().GetCount());
    EXPECT_STREQ("Hill", tv.GetProvinces().GetHead());
    tv.SetCountry("South");
    ASSERT_EQ(2, tv.GetProvinces().GetCount());
    EXPECT_STREQ("Bay", tv.GetProvinces().GetHead());
}

TEST_F(TVSystemChannelsTest, TablesNameFormatsStandardsAndSizes)
{
    EXPECT_STREQ("HIDVD", CTVSystem::GetRecordFormatName(7));
    EXPECT_STREQ("", CTVSystem::GetRecordFormatName(8));
    EXPECT_STREQ("", CTVSystem::GetRecordFormatName(-1));
    EXPECT_STREQ("TV", CTVSystem::GetSourceName(0));
    EXPECT_STREQ("FM", CTVSystem::GetSourceName(3));
    EXPECT_STREQ("", CTVSystem::GetSourceName(4));
    EXPECT_STREQ("", CTVSystem::GetSourceName(-1));
    EXPECT_STREQ("SECAM_L1", CTVSystem::GetStandardName(524288));
    EXPECT_STREQ("PAL_D", CTVSystem::GetStandardName(32));
    EXPECT_EQ(NULL, CTVSystem::GetStandardName(8));
    EXPECT_EQ(720, CTVSystem::GetCaptureSizeRow(2, TRUE).cx);
    EXPECT_EQ(576, CTVSystem::GetCaptureSizeRow(2, TRUE).cy);
    EXPECT_EQ(352, CTVSystem::GetCaptureSizeRow(0, FALSE).cx);
    EXPECT_EQ(0, CTVSystem::GetCaptureSizeRow(3, FALSE).cx);

    const struct
    {
        CTVSystem::LabelMap map;
        int key;
        UINT expected;
    } labels[] = {{CTVSystem::kQualityLabels, 2, 33847},    {CTVSystem::kPictureLabels, 4, 33791},
                  {CTVSystem::kProcessingLabels, 4, 33791}, {CTVSystem::kProcessingLabels, 5, 33787},
                  {CTVSystem::kProcessingLabels, 9, 33792}, {CTVSystem::kDayLabels, 1, 33848},
                  {CTVSystem::kDayLabels, 8, 33856},        {CTVSystem::kDayLabels, 0, 0},
                  {CTVSystem::kPictureLabels, 5, 0}};
    for (size_t i = 0; i < sizeof(labels) / sizeof(labels[0]); ++i)
        EXPECT_EQ(labels[i].expected, CTVSystem::GetLabelId(labels[i].map, labels[i].key)) << "row " << i;
}

} // namespace
