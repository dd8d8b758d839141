// The model over the simulated card: start-up opens it and tunes the last channel, channel,
// source and favourite changes reach its tuner and crossbar, and scans run by the card's
// tuner end up in the channel files.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The framework's strings before the system's safe-string header.
#include "TVSystem.h"

#include "CaptureDevice.h"
#include "ClassOverride.h"
#include "CodecClassIds.h"
#include "MessageSink.h"
#include "RegistryValueGuard.h"
#include "ScanMessages.h"
#include "SimDesktop.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "TunerModel.h"
#include "UiCallLog.h"

#include <wininet.h>
#include <shlobj.h>

namespace {

const char kTVStations[] = "tv 49750:SIM-1 184250:SIM-3 471250:SIM-4 615250:SIM-5";
const char kDefaultTVStations[] = "tv 49750:SIM-1 77250:SIM-2 184250:SIM-3 471250:SIM-4 615250:SIM-5";
const DWORD kScanTimeoutMs = 120000;
const char kCodecState[] = "codec state";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The Overlay Mixer stand-in belongs to the overlay variant of the prefix: where a test needs
// it, it is the class of that test's process only.
const char kOverlayModule[] = "C:\\sim\\filters\\simovmix.ax";
// The carriers of the built-in scan table that a table scan walks.
const int kBuiltInScanCarriers = 134;

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

    // The program's start-up steps, over the files of the folder; the video window, when
    // there is one, is handed over before the device opens, as the program does.
    void Start(HWND videoWindow = NULL)
    {
        m_tv.reset(new CTVSystem(m_folder.Path().c_str()));
        m_tv->SetVideoInput(videoWindow);
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

    // The card's own reading of a picture property.
    long CardPicture(int property)
    {
        ProcAmpValue record = {};
        EXPECT_TRUE(SUCCEEDED(m_tv->GetGraph().GetCaptureDevice()->GetVideoProcAmp(property, &record)));
        return record.value;
    }

    // Is the named filter in the filter graph (not only in the builder's list)?
    bool InGraph(const wchar_t* name)
    {
        IBaseFilter* filter = NULL;
        if (m_tv->GetGraph().GetBuilder().GetGraph()->FindFilterByName(name, &filter) != S_OK)
            return false;
        filter->Release();
        return true;
    }

    // The video window's own window, shown so that the renderer's visibility can be read.
    HWND MakeOwner()
    {
        HWND window = CreateWindowExA(0, "STATIC", "video", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, NULL,
                                      NULL, GetModuleHandleA(NULL), NULL);
        EXPECT_NE((HWND)NULL, window);
        return window;
    }

    // The graph goes before the window it draws in.
    void CloseBefore(HWND window)
    {
        m_tv->CloseTV();
        m_tv.reset();
        DestroyWindow(window);
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
    EXPECT_EQ(1, m_tv->GetScanMode()) << "a schedule made before any scan lists the TV channels";
    std::vector<int> found = Scan(1);
    EXPECT_EQ(1, m_tv->GetScanMode());
    EXPECT_EQ(kBuiltInScanCarriers, m_tv->GetScanFrequencyCount()) << "the video window scales progress by it";
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
    EXPECT_EQ(0, m_tv->GetScanMode());
    const std::vector<int> expected = {90000, 100000};
    ASSERT_EQ(expected, found);
    m_tv->ApplyLocalChannels(Results(found));
    m_tv->StopScan();
    m_tv->StartScan(1);
    m_tv->StopScan();
    EXPECT_EQ(1, m_tv->GetScanMode());

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

// One row per setter the settings pages call: the value handed in, the setter's answer, what
// the getter then reads, and, where the setter reaches the card or the graph, what they hold.
// Rows with the same getter run in order, so a refused value is checked against the one before.
struct SetterRow
{
    const char* name;
    std::function<long(CTVSystem&)> set;
    long answer;
    std::function<long(const CTVSystem&)> get;
    long stored;
    std::function<long(CTVSystem&)> effect;  // null: nothing outside the model to read
    long effectValue;
    bool lastOfItsSetting;  // read again after a TVParam.ini round trip
};

TEST_F(TVSystemCardTest, SettersCheckStoreApplyAndAnswerAndTheSettingsFileKeepsThem)
{
    Start();
    auto card = [this](int property) { return [this, property](CTVSystem&) { return CardPicture(property); }; };
    CTVGraph& graph = m_tv->GetGraph();
    const SetterRow rows[] = {
        {"brightness", [](CTVSystem& t) { return t.SetBrightness(6000); }, 5020,
         [](const CTVSystem& t) { return t.GetBrightness(); }, 6000, card(0), 6000, false},
        {"brightness above the card's range", [](CTVSystem& t) { return t.SetBrightness(10001); }, 6000,
         [](const CTVSystem& t) { return t.GetBrightness(); }, 6000, card(0), 6000, true},
        {"sharpness below the range", [](CTVSystem& t) { return t.SetSharpness(-1); }, 1,
         [](const CTVSystem& t) { return t.GetSharpness(); }, 1, card(4), 1, false},
        {"sharpness", [](CTVSystem& t) { return t.SetSharpness(3); }, 1,
         [](const CTVSystem& t) { return t.GetSharpness(); }, 3, card(4), 3, true},
        {"overlay hue below the range", [](CTVSystem& t) { return t.SetOverlayHue(-181); }, 0,
         [](const CTVSystem& t) { return t.GetOverlayHue(); }, 0, nullptr, 0, false},
        {"overlay hue", [](CTVSystem& t) { return t.SetOverlayHue(-90); }, 0,
         [](const CTVSystem& t) { return t.GetOverlayHue(); }, -90, nullptr, 0, true},
        {"noise strength above 10", [](CTVSystem& t) { return t.SetReduceValue(11); }, 5,
         [](const CTVSystem& t) { return t.GetReduceValue(); }, 5, nullptr, 0, false},
        {"noise strength", [](CTVSystem& t) { return t.SetReduceValue(3); }, 5,
         [](const CTVSystem& t) { return t.GetReduceValue(); }, 3, nullptr, 0, true},
        {"noise reduction", [](CTVSystem& t) { return t.SetNoiseReduce(TRUE); }, 0,
         [](const CTVSystem& t) { return t.GetNoiseReduce(); }, 1, nullptr, 0, true},
        {"half rate", [](CTVSystem& t) { return t.SetHalfRate(TRUE); }, 0,
         [](const CTVSystem& t) { return t.GetHalfRate(); }, 1, nullptr, 0, true},
        {"high quality", [](CTVSystem& t) { return t.SetHightQuality(FALSE); }, 1,
         [](const CTVSystem& t) { return t.GetHightQuality(); }, 0, nullptr, 0, true},
        {"display quality 3", [](CTVSystem& t) { return t.SetDisplayQuality(3); }, 1,
         [](const CTVSystem& t) { return t.GetDisplayQuality(); }, 1,
         [&graph](CTVSystem&) { return (long)graph.GetDisplayQuality(); }, 1, false},
        {"display quality", [](CTVSystem& t) { return t.SetDisplayQuality(2); }, 1,
         [](const CTVSystem& t) { return t.GetDisplayQuality(); }, 2,
         [&graph](CTVSystem&) { return (long)graph.GetDisplayQuality(); }, 2, true},
        {"record scheme", [](CTVSystem& t) { return t.SetRecordScheme(0); }, 1,
         [](const CTVSystem& t) { return t.GetRecordScheme(); }, 0,
         [&graph](CTVSystem&) { return (long)graph.GetRecordScheme(); }, 0, true},
        {"record format", [](CTVSystem& t) { return t.SetRecordFormat(2); }, 4,
         [](const CTVSystem& t) { return t.GetRecordFormat(); }, 2,
         [&graph](CTVSystem&) { return (long)graph.GetRecordFormat(); }, 2, true},
        {"FM record format 4", [](CTVSystem& t) { return t.SetFMRecordFormat(4); }, 0,
         [](const CTVSystem& t) { return t.GetFMRecordFormat(); }, 0,
         [&graph](CTVSystem&) { return (long)graph.GetFMRecordFormat(); }, 0, false},
        {"FM record format", [](CTVSystem& t) { return t.SetFMRecordFormat(1); }, 0,
         [](const CTVSystem& t) { return t.GetFMRecordFormat(); }, 1,
         [&graph](CTVSystem&) { return (long)graph.GetFMRecordFormat(); }, 1, true},
        {"video size unchanged", [](CTVSystem& t) { return t.SetVideoSize(2); }, FALSE,
         [](const CTVSystem& t) { return t.GetVideoSizeIndex(); }, 2, nullptr, 0, false},
        {"video size past the table", [](CTVSystem& t) { return t.SetVideoSize(6); }, FALSE,
         [](const CTVSystem& t) { return t.GetVideoSize(); }, 2, nullptr, 0, false},
        {"video size", [](CTVSystem& t) { return t.SetVideoSize(0); }, TRUE,
         [](const CTVSystem& t) { return t.GetVideoSize(); }, 0, nullptr, 0, true},
        {"max length 0", [](CTVSystem& t) { return t.SetMaxLength(0); }, FALSE,
         [](const CTVSystem& t) { return t.GetMaxLength(); }, 120, nullptr, 0, false},
        {"max length 301", [](CTVSystem& t) { return t.SetMaxLength(301); }, FALSE,
         [](const CTVSystem& t) { return t.GetMaxLength(); }, 120, nullptr, 0, false},
        {"max length", [](CTVSystem& t) { return t.SetMaxLength(300); }, TRUE,
         [](const CTVSystem& t) { return t.GetMaxLength(); }, 300, nullptr, 0, true},
        {"negative reserve", [](CTVSystem& t) { return t.SetReservedSpace(-1); }, FALSE,
         [](const CTVSystem& t) { return t.GetReservedSpace(); }, 300, nullptr, 0, true},
        {"time-shift length below 600 s", [](CTVSystem& t) { return t.SetTFTime(599); }, FALSE,
         [](const CTVSystem& t) { return t.GetTFTime(); }, 600,
         [&graph](CTVSystem&) { return (long)graph.GetTimeShiftLength(); }, 600, false},
        {"time-shift length", [](CTVSystem& t) { return t.SetTFTime(1200); }, TRUE,
         [](const CTVSystem& t) { return t.GetTFTime(); }, 1200,
         [&graph](CTVSystem&) { return (long)graph.GetTimeShiftLength(); }, 1200, true},
        {"time-shift reserve", [](CTVSystem& t) { t.SetTFReserved(7); return 0L; }, 0,
         [](const CTVSystem& t) { return t.GetTFReserved(); }, 7,
         [&graph](CTVSystem&) { return (long)graph.GetTimeShiftReserve(); }, 7, true},
        {"TV input 3", [](CTVSystem& t) { return t.SetTVInput(3); }, FALSE,
         [](const CTVSystem& t) { return t.GetTVInput(); }, 0, nullptr, 0, false},
        {"TV input", [](CTVSystem& t) { return t.SetTVInput(CTVSystem::kTVInputFullRange); }, TRUE,
         [](const CTVSystem& t) { return t.GetTVInput(); }, 2,
         [&graph](CTVSystem&) { return (long)graph.GetTunerInput(); }, 2, false},
        {"channel position outside the group", [](CTVSystem& t) { return t.SetChannelIndex(3); }, FALSE,
         [](const CTVSystem& t) { return const_cast<CTVSystem&>(t).GetChannelIndex(); }, 1, nullptr, 0, false},
        {"channel position", [](CTVSystem& t) { return t.SetChannelIndex(2); }, TRUE,
         [](const CTVSystem& t) { return const_cast<CTVSystem&>(t).GetChannelIndex(); }, 2,
         [this](CTVSystem& t) { return t.GetCurrentChannel()->GetFrequency() == 471250 && State("station") == "SIM-3"; },
         1 /* C is current, and nothing was tuned */, false},
        {"favourites", [](CTVSystem& t) { t.SetTVUseFavor(TRUE); return 0L; }, 0,
         [](const CTVSystem& t) { return t.GetTVUseFavor() && t.GetUseFavor(); }, 1, nullptr, 0, true},
        {"daily shutdown", [](CTVSystem& t) { t.SetEnableShut(TRUE); return 0L; }, 0,
         [](const CTVSystem& t) { return t.GetEnableShut(); }, 1, nullptr, 0, true},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const SetterRow& row = rows[i];
        EXPECT_EQ(row.answer, row.set(*m_tv)) << i << " " << row.name;
        EXPECT_EQ(row.stored, row.get(*m_tv)) << i << " " << row.name;
        if (row.effect) {
            EXPECT_EQ(row.effectValue, row.effect(*m_tv)) << i << " " << row.name;
        }
    }

    const CTime shutTime(2030, 1, 2, 3, 4, 5);
    m_tv->SetShutTime(shutTime);
    m_tv->SetSkinName("Blue");
    const CString path = m_tv->GetVideoPath();
    EXPECT_FALSE(m_tv->SetVideoPath(m_folder.FilePath("no such folder").c_str()));
    EXPECT_EQ(path, m_tv->GetVideoPath());
    EXPECT_FALSE(m_tv->SetAudioInput("no such line"));
    EXPECT_STREQ("Line In", m_tv->GetAudioInput());
    const float carriers[] = {55.25f, 48.25f};
    EXPECT_FALSE(m_tv->SetScanFrequencies(NULL, 0));
    ASSERT_TRUE(m_tv->SetScanFrequencies(carriers, 2));
    EXPECT_EQ(2, m_tv->GetScanFrequencyCount());

    ASSERT_TRUE(m_tv->SaveSettings());
    CTVSystem reread(m_folder.Path().c_str());
    ASSERT_TRUE(reread.LoadSettings());
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        if (rows[i].lastOfItsSetting) {
            EXPECT_EQ(rows[i].stored, rows[i].get(reread)) << i << " " << rows[i].name << " after the round trip";
        }
    }
    EXPECT_TRUE(shutTime == reread.GetShutTime());
    EXPECT_STREQ("Blue", reread.GetSkinName());
    EXPECT_EQ(path, reread.GetVideoPath());
}

TEST_F(TVSystemCardTest, VideoWindowCallsPlaceShowAndHideTheRendererInItsOwner)
{
    CTVSystem unopened(m_folder.Path().c_str());
    RECT place = {10, 20, 210, 170};
    EXPECT_FALSE(unopened.ShowVideoWindow(TRUE)) << "no graph, no renderer window";
    EXPECT_FALSE(unopened.SetVideoPosition(place));

    HWND owner = MakeOwner();
    Start(owner);
    ASSERT_TRUE(m_tv->RebuildPreview());
    HWND video = GetWindow(owner, GW_CHILD);
    ASSERT_NE((HWND)NULL, video) << "start-up puts the renderer into the video window";

    ASSERT_TRUE(m_tv->SetVideoPosition(place));
    ASSERT_TRUE(m_tv->ShowVideoWindow(TRUE));
    RECT placed;
    GetWindowRect(video, &placed);
    MapWindowPoints(NULL, owner, (POINT*)&placed, 2);
    EXPECT_EQ(10, placed.left);
    EXPECT_EQ(20, placed.top);
    EXPECT_EQ(210, placed.right);
    EXPECT_EQ(170, placed.bottom);
    EXPECT_TRUE(IsWindowVisible(video));
    ASSERT_TRUE(m_tv->ShowVideoWindow(FALSE));
    EXPECT_FALSE(IsWindowVisible(video));

    HWND other = MakeOwner();
    ASSERT_TRUE(m_tv->SetVideoOwner(other));
    EXPECT_TRUE(m_tv->SetMessageDrain(other));
    EXPECT_EQ(other, GetParent(video));
    CloseBefore(owner);
    DestroyWindow(other);
}

TEST_F(TVSystemCardTest, RadioDropsThePictureOnlyFromAStoppedGraphAndThePreviewComesBack)
{
    Start();
    ASSERT_TRUE(m_tv->RebuildPreview());
    ASSERT_EQ(CGraphBuilder::kRunning, m_tv->GetGraph().GetBuilder().GetState());
    ASSERT_TRUE(InGraph(L"Quorvex Deinterlace"));
    m_tv->SwitchToRadio(TRUE);
    EXPECT_TRUE(InGraph(L"Quorvex Deinterlace")) << "a running graph keeps its picture";
    EXPECT_EQ(CTVSystem::kSourceTuner, m_tv->GetVideoSource());

    m_tv->GetGraph().StopGraph();
    m_tv->SwitchToRadio(TRUE);
    EXPECT_FALSE(InGraph(L"Quorvex Deinterlace"));
    EXPECT_EQ(CTVSystem::kSourceFm, m_tv->GetVideoSource());
    EXPECT_EQ(CTVSystem::kSourceFm, m_tv->GetInputType());
    EXPECT_EQ(CTVGraph::kFm, m_tv->GetGraph().GetVideoSource());

    m_tv->SetVideoSource(CTVSystem::kSourceTuner);
    ASSERT_TRUE(m_tv->RebuildPreview());
    EXPECT_TRUE(InGraph(L"Quorvex Deinterlace"));
    EXPECT_EQ(CGraphBuilder::kRunning, m_tv->GetGraph().GetBuilder().GetState());
}

// The shortcut switches the video window's desktop step makes, in order.
std::vector<std::string> AcceleratorCalls()
{
    std::vector<std::string> calls;
    for (const std::string& call : CUiCallLog::Calls())
        if (call.compare(0, 18, "EnableAccelerators") == 0)
            calls.push_back(call);
    return calls;
}

TEST_F(TVSystemCardTest, DesktopStepRefusesDuringScanAndGivesTheWallpaperBack)
{
    ClassOverride overlay(CLSID_OverlayMixerFilter, kOverlayModule);
    ASSERT_TRUE(overlay.Registered());
    SimDesktop desktop;
    ASSERT_TRUE(desktop.Registered());
    desktop.Save("C:\\windows\\sky.bmp", WPSTYLE_TILE);
    HWND owner = MakeOwner();
    Start(owner);
    ASSERT_TRUE(m_tv->RebuildPreview());
    ASSERT_TRUE(m_tv->IsOverlayInUse());

    ASSERT_TRUE(m_tv->StartScan(1));
    EXPECT_FALSE(m_tv->SaveTimeShift()) << "while scanning";
    m_tv->StopScan();
    EXPECT_EQ("C:\\windows\\sky.bmp", desktop.Wallpaper());
    EXPECT_TRUE(AcceleratorCalls().empty());

    ASSERT_TRUE(m_tv->SetOverlayDesktop(TRUE));
    EXPECT_TRUE(m_tv->GetOverlayDesktop());
    ASSERT_TRUE(m_tv->SaveTimeShift());
    EXPECT_EQ("", desktop.Wallpaper());
    ASSERT_TRUE(m_tv->DeleteTimeShiftFile());
    EXPECT_EQ("C:\\windows\\sky.bmp", desktop.Wallpaper());
    std::vector<std::string> expected = {"EnableAccelerators 0", "EnableAccelerators 1"};
    EXPECT_EQ(expected, AcceleratorCalls());

    // Nor while the picture is being buffered for time shift.
    m_tv->InitDisks(NULL);
    ASSERT_TRUE(m_tv->SetVideoPath(m_folder.Path().c_str()));
    ASSERT_TRUE(m_tv->StartTimeShiftRecord());
    ASSERT_TRUE(m_tv->IsTimeShiftOn());
    EXPECT_FALSE(m_tv->SaveTimeShift()) << "during time shift";
    EXPECT_EQ("C:\\windows\\sky.bmp", desktop.Wallpaper());
    ASSERT_TRUE(m_tv->GetGraph().StopTimeShift());
    ASSERT_TRUE(m_tv->RebuildPreview());

    ASSERT_TRUE(m_tv->SetOverlayDesktop(FALSE));
    EXPECT_FALSE(m_tv->GetOverlayDesktop());

    // Without the overlay the desktop cannot show the picture.
    ASSERT_TRUE(m_tv->SwitchOverlay(FALSE));
    EXPECT_FALSE(m_tv->GetUseOverlay());
    EXPECT_FALSE(m_tv->IsOverlayInUse());
    EXPECT_FALSE(m_tv->SetOverlayDesktop(TRUE));
    EXPECT_FALSE(m_tv->GetOverlayDesktop());
    EXPECT_FALSE(m_tv->SaveTimeShift());
    CloseBefore(owner);
}

} // namespace
