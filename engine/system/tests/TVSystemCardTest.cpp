// The model over the simulated card: start-up opens it and tunes the last channel, channel,
// source and favourite changes reach its tuner and crossbar, and scans run by the card's
// tuner end up in the channel files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The framework's strings before the system's safe-string header.
#include "TVSystem.h"

#include "CaptureDevice.h"
#include "MessageSink.h"
#include "RegistryValueGuard.h"
#include "ScanMessages.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "TunerModel.h"
#include "UiCallLog.h"

namespace {

const char kTVStations[] = "tv 49750:SIM-1 184250:SIM-3 471250:SIM-4 615250:SIM-5";
const char kDefaultTVStations[] = "tv 49750:SIM-1 77250:SIM-2 184250:SIM-3 471250:SIM-4 615250:SIM-5";
const DWORD kScanTimeoutMs = 120000;
const char kCodecState[] = "codec state";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// B is the one favourite; LastChannel 1 names it.
const char kTVChannels[] =
    "[General]\r\nTotal=3\r\n[Channel]\r\n"
    "Channel-0=A,49750,1\r\nChannel-1=B,184250,3\r\nChannel-2=C,471250,1\r\n";
const char kFMChannels[] = "[General]\r\nTotal=2\r\n[Channel]\r\nChannel-0=R1,90000,1\r\nChannel-1=R2,100000,1\r\n";

class TVSystemCardTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        m_card(kTVStations);
        m_card("fm 90000 100000");
        m_folder.Write("TVChannel.ini", kTVChannels);
        m_folder.Write("FMChannel.ini", kFMChannels);
        m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=1\r\n");
        // A kept codec state: start-up hands it to the graph instead of asking the user.
        m_folder.Write("mpeg4.txt", kCodecState);
        CUiCallLog::Clear();
    }

    void TearDown() override
    {
        if (m_tv)
            m_tv->CloseTV();
        m_tv.reset();
        m_card(kDefaultTVStations);
        CoUninitialize();
    }

    // The program's start-up steps, over the files of the folder.
    void Start()
    {
        m_tv.reset(new CTVSystem(m_folder.Path().c_str()));
        m_tv->LoadChannels();
        m_tv->LoadFMChannels();
        m_tv->LoadSettings();
        m_tv->RestoreChannelSelection();
        ASSERT_TRUE(m_tv->InitTVSystem());
    }

    std::string State(const std::string& key)
    {
        std::string state = "\n" + m_card("state");
        size_t at = state.find("\n" + key + "=");
        if (at == std::string::npos)
            return "";
        at += key.size() + 2;
        return state.substr(at, state.find('\n', at) - at);
    }

    // Runs a scan of the model into the sink, as the video window receives it.
    std::vector<int> Scan(int mode)
    {
        CTunerModel* tuner = m_tv->GetGraph().GetCaptureDevice()->GetTuner();
        tuner->SetNotifyWnd(m_sink.Handle());
        EXPECT_TRUE(m_tv->StartScan(mode));
        EXPECT_TRUE(m_tv->IsScanning());
        EXPECT_EQ(1, CUiCallLog::Count("BeginScan"));
        ScanMessages messages;
        messages.CollectUntilDone(m_sink.Handle(), kScanTimeoutMs);
        EXPECT_EQ(1, messages.done);
        return messages.Found();
    }

    static std::vector<CChannelEntry> Results(const std::vector<int>& kHz)
    {
        std::vector<CChannelEntry> results;
        for (size_t i = 0; i < kHz.size(); ++i)
            results.push_back(CChannelEntry(kHz[i], ("CH" + std::to_string(i + 1)).c_str(), 1));
        return results;
    }

    TempFolder m_folder;
    SimControl m_card{0};
    MessageSink m_sink;
    // Start-up enters the tray program in the Run key.
    RegistryValueGuard m_runValue{kRunKey, "Pocketel"};
    std::unique_ptr<CTVSystem> m_tv;
};

TEST_F(TVSystemCardTest, StartUpOpensTheCardAndTunesTheLastChannel)
{
    Start();
    ASSERT_NE((CCaptureDevice*)NULL, m_tv->GetGraph().GetCaptureDevice());
    EXPECT_NE((CCrossbarWrapper*)NULL, m_tv->GetGraph().GetCrossbar());
    EXPECT_TRUE(m_tv->HasFM());
    ASSERT_NE((CChannelEntry*)NULL, m_tv->GetCurrentChannel());
    EXPECT_STREQ("B", m_tv->GetCurrentChannel()->GetName());
    EXPECT_EQ("TV", State("mode"));
    EXPECT_EQ("SIM-3", State("station"));
    char state[32] = "";
    int size = sizeof(state);
    ASSERT_TRUE(m_tv->GetGraph().GetMpeg4CodecState(state, &size));
    EXPECT_EQ(kCodecState, std::string(state, size));
    EXPECT_EQ(m_folder.FilePath("Pocketel.exe"), RegistryValueGuard::Read(kRunKey, "Pocketel"));
}

TEST_F(TVSystemCardTest, ChannelsFavouritesAndSourcesReachTheCard)
{
    Start();
    ASSERT_TRUE(m_tv->SelectChannel(m_tv->NextChannel()));
    EXPECT_STREQ("C", m_tv->GetCurrentChannel()->GetName());
    EXPECT_EQ("SIM-4", State("station"));
    EXPECT_STREQ("B", m_tv->RecallLastChannel()->GetName());

    // C is no favourite: the favourites' own channel is tuned.
    m_tv->SetTVUseFavor(TRUE);
    EXPECT_STREQ("B", m_tv->GetCurrentChannel()->GetName());
    EXPECT_EQ("SIM-3", State("station"));
    EXPECT_EQ(1, CUiCallLog::Count("ShowChannelInfo 184250 B"));

    std::string tunerRoute = State("video_route");
    m_tv->SetVideoSource(CTVSystem::kSourceComposite);
    EXPECT_NE(tunerRoute, State("video_route"));
    EXPECT_FALSE(m_tv->SelectChannelByIndex(0)) << "a line input tunes nothing";

    m_tv->SetVideoSource(CTVSystem::kSourceFm);
    ASSERT_TRUE(m_tv->SelectChannelByIndex(1));
    EXPECT_EQ("FM", State("mode"));
    EXPECT_EQ("100000", State("station"));
    EXPECT_STREQ("R2", m_tv->GetCurrentChannel()->GetName());

    EXPECT_EQ(CTVSystem::kSourceFm, m_tv->NextVideoSource());
    EXPECT_EQ(CTVSystem::kSourceTuner, m_tv->GetVideoSource());
    EXPECT_EQ(tunerRoute, State("video_route"));
}

TEST_F(TVSystemCardTest, TVScanLeavesTheStationsInTheChannelFile)
{
    Start();
    std::vector<int> found = Scan(1);
    const std::vector<int> expected = {49750, 184250, 471250, 615250};
    ASSERT_EQ(expected, found);
    m_tv->ApplyLocalChannels(Results(found));
    EXPECT_FALSE(m_tv->IsScanning());
    ASSERT_TRUE(m_tv->SaveChannels());
    EXPECT_EQ("[General]\r\nTotal=4\r\n[Channel]\r\n"
              "Channel-0=CH1,49750,1\r\nChannel-1=CH2,184250,1\r\nChannel-2=CH3,471250,1\r\nChannel-3=CH4,615250,1\r\n",
              m_folder.Read("TVChannel.ini"));

    // The video window selects the first channel found.
    ASSERT_TRUE(m_tv->SelectChannelByIndex(0));
    EXPECT_EQ("SIM-1", State("station"));
}

TEST_F(TVSystemCardTest, FMScanKeepsTheTVChannels)
{
    Start();
    m_tv->SetVideoSource(CTVSystem::kSourceFm);
    CTunerModel* tuner = m_tv->GetGraph().GetCaptureDevice()->GetTuner();
    ASSERT_TRUE(tuner->SetFmScanRange(89000, 101000));
    // A coarse grid through both stations keeps the scan short.
    ASSERT_TRUE(tuner->SetFmScanStep(500));
    ASSERT_TRUE(tuner->SetFmFoundSkip(500));
    std::vector<int> found = Scan(0);
    const std::vector<int> expected = {90000, 100000};
    ASSERT_EQ(expected, found);
    m_tv->ApplyLocalChannels(Results(found));
    m_tv->StopScan();

    EXPECT_EQ(2, m_tv->GetFMChannels().GetCount());
    EXPECT_EQ(3, m_tv->GetTVChannels().GetCount());
    EXPECT_EQ(3, m_tv->GetTVGroup()->GetCount());
    ASSERT_TRUE(m_tv->SaveChannels());
    EXPECT_EQ(kTVChannels, m_folder.Read("TVChannel.ini"));
    ASSERT_TRUE(m_tv->SaveFMChannels());
    EXPECT_EQ("[General]\r\nTotal=2\r\n[Channel]\r\nChannel-0=CH1,90000,1\r\nChannel-1=CH2,100000,1\r\n",
              m_folder.Read("FMChannel.ini"));
}

TEST_F(TVSystemCardTest, VolumeReadBackAndWrittenAgainStaysPut)
{
    Start();
    const int volumes[] = {0, 1, 33, 50, 99, 100};
    for (int v : volumes) {
        ASSERT_TRUE(m_tv->SetPlayLineVolume(v)) << v;
        int read = -1;
        ASSERT_TRUE(m_tv->GetPlayLineVolume(&read)) << v;
        EXPECT_EQ(v, read) << v;
        ASSERT_TRUE(m_tv->SetPlayLineVolume(read)) << v;
        ASSERT_TRUE(m_tv->GetPlayLineVolume(&read)) << v;
        EXPECT_EQ(v, read) << v;
    }
}

} // namespace
