// The graph's sound over the simulated card's audio capture filter: which device opens, a
// device change that fails, the card's sound switched with the capture line muted, and the
// sound card's mixer lines. The prefix's mixers (an ALSA null device) name every line alike
// and have no input or on-off controls, so the line choices are shown on a FakeMixer.
#include <gtest/gtest.h>

#include "GraphWindowFixture.h"
#include "TVSystem.h"

#include "AudioCaptureDevice.h"
#include "DialogWatcher.h"
#include "FakeMixer.h"
#include "TempFolder.h"

#include <string>
#include <vector>

namespace
{

const char kCardAudio[] = "Conexant 2388x_1 Audio Capture";

int CountWrappers(CGraphBuilder& builder)
{
    int count = 0;
    for (CFilterWrapper* wrapper = builder.GetFirstWrapper(); wrapper; wrapper = wrapper->GetNext())
        ++count;
    return count;
}

std::vector<std::string> Names(const CStringArray& names)
{
    std::vector<std::string> result;
    for (int i = 0; i < names.GetSize(); ++i)
        result.push_back((LPCTSTR)names[i]);
    return result;
}

// A recording destination named after the card's sound, with the capture line's mute.
FakeMixer::Device CardRecordingMixer(const char* name)
{
    FakeMixer::Device device;
    device.name = name;
    device.destinations.push_back(
        {{"Recording Control", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_MUTE, 0)}},
         {}});
    return device;
}

// Counts the mute writes a card's line receives.
class MuteLog : public FakeMixer
{
public:
    MMRESULT SetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) override
    {
        writes.push_back(*(DWORD*)details->paDetails);
        return FakeMixer::SetControlDetails(object, details, flags);
    }
    std::vector<DWORD> writes;
};

typedef GraphWindowFixture TVGraphAudioTest;

TEST_F(TVGraphAudioTest, PreviewOpensTheFirstListedDeviceAndItsInputLine)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_GE(m_graph.GetAudioDeviceNames().GetSize(), 1);
    EXPECT_STREQ(kCardAudio, m_graph.GetAudioDeviceNames()[0]);
    EXPECT_STREQ(kCardAudio, m_graph.GetAudioDeviceName());
    CAudioCaptureDevice* device = m_graph.GetAudioCaptureDevice();
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(device, m_graph.GetBuilder().FindWrapper("AudioDevice"));
    EXPECT_TRUE(m_graph.IsAudioInputEnabled("线路输入"));

    ASSERT_TRUE(device->EnableInputPin("Line In", FALSE));
    EXPECT_FALSE(m_graph.IsAudioInputEnabled("Line In"));
    EXPECT_TRUE(m_graph.SetAudioInput("Line In"));
    EXPECT_TRUE(m_graph.IsAudioInputEnabled("Line In"));
    EXPECT_FALSE(m_graph.SetAudioInput("Mic"));
    EXPECT_FALSE(m_graph.IsAudioInputEnabled("Mic"));

    WAVEFORMATEX mono = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    ASSERT_TRUE(m_graph.SetAudioFormat(&mono));
    WAVEFORMATEX read = {};
    ASSERT_TRUE(m_graph.GetAudioFormat(&read));
    EXPECT_EQ(22050u, read.nSamplesPerSec);
    EXPECT_EQ(1, read.nChannels);
}

TEST_F(TVGraphAudioTest, WithoutAnAudioDeviceTheForwardsFail)
{
    WAVEFORMATEX format = {};
    EXPECT_FALSE(m_graph.GetAudioFormat(&format));
    EXPECT_FALSE(m_graph.SetAudioFormat(&format));
    EXPECT_FALSE(m_graph.SetAudioInput("线路输入"));
    EXPECT_FALSE(m_graph.IsAudioInputEnabled("线路输入"));
    EXPECT_FALSE(m_graph.SetAudioOn(TRUE)) << "no A/V switch outside a recording";
    EXPECT_FALSE(m_graph.GetAudioOn());
    m_graph.SetAudioDeviceName("Elsewhere");
    EXPECT_STREQ("Elsewhere", m_graph.GetAudioDeviceName());
    EXPECT_EQ(nullptr, m_graph.GetAudioCaptureDevice()) << "naming a device opens none";
}

TEST_F(TVGraphAudioTest, AChosenDeviceThatCannotBeOpenedGivesWayToTheListedOnes)
{
    m_graph.SetAudioDeviceName("No Such Sound Device");
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_NE(nullptr, m_graph.GetAudioCaptureDevice());
    EXPECT_STREQ(kCardAudio, m_graph.GetAudioDeviceName());
}

TEST_F(TVGraphAudioTest, WhenNoDeviceOpensTheUserIsToldAndThePreviewIsBuiltAnyway)
{
    FakeMixer mixer;
    FakeMixer::Device refusing = CardRecordingMixer(kCardAudio);
    refusing.refuseOpen = true;
    mixer.devices = {refusing};
    DialogWatcher watcher;
    EXPECT_TRUE(m_graph.BuildPreview());
    EXPECT_EQ(nullptr, m_graph.GetAudioCaptureDevice());
    EXPECT_EQ(nullptr, m_graph.GetBuilder().FindWrapper("AudioDevice"));
    std::vector<ShownDialog> shown = watcher.Dialogs();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("音频设备错误", shown[0].text);
}

TEST_F(TVGraphAudioTest, FailedDeviceChangeKeepsTheDeviceAndThePreviewRunning)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    CAudioCaptureDevice* kept = m_graph.GetAudioCaptureDevice();
    ASSERT_NE(nullptr, kept);
    int wrappers = CountWrappers(m_graph.GetBuilder());

    EXPECT_FALSE(m_graph.SetAudioDevice("No Such Sound Device"));
    EXPECT_EQ(kept, m_graph.GetAudioCaptureDevice());
    EXPECT_STREQ(kCardAudio, m_graph.GetAudioDeviceName());
    EXPECT_EQ(wrappers, CountWrappers(m_graph.GetBuilder()));
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState());

    // The card's mixer now refuses to open: the new wrapper cannot be made valid.
    FakeMixer mixer;
    FakeMixer::Device refusing = CardRecordingMixer(kCardAudio);
    refusing.refuseOpen = true;
    mixer.devices = {refusing};
    EXPECT_FALSE(m_graph.SetAudioDevice(kCardAudio));
    EXPECT_EQ(kept, m_graph.GetAudioCaptureDevice());
    EXPECT_EQ(wrappers, CountWrappers(m_graph.GetBuilder()));
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState());
}

TEST_F(TVGraphAudioTest, DeviceChangeReplacesTheWrapperAndThePreviewRunsOn)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    int wrappers = CountWrappers(m_graph.GetBuilder());
    EXPECT_TRUE(m_graph.SetAudioDevice(kCardAudio));
    CAudioCaptureDevice* device = m_graph.GetAudioCaptureDevice();
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(device, m_graph.GetBuilder().FindWrapper(kCardAudio));
    EXPECT_EQ(nullptr, m_graph.GetBuilder().FindWrapper("AudioDevice")) << "the old device is gone";
    EXPECT_EQ(wrappers, CountWrappers(m_graph.GetBuilder()));
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState());
}

TEST_F(TVGraphAudioTest, RemadeGraphsOpenTheChosenDeviceAgain)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    ASSERT_TRUE(m_graph.RecreateGraph());
    EXPECT_NE(nullptr, m_graph.GetBuilder().FindWrapper("AudioDevice"));
    EXPECT_EQ(m_graph.GetBuilder().FindWrapper("AudioDevice"), m_graph.GetAudioCaptureDevice());
    ASSERT_TRUE(m_graph.SetUseOverlay(FALSE));
    EXPECT_NE(nullptr, m_graph.GetAudioCaptureDevice());
    EXPECT_EQ(m_graph.GetBuilder().FindWrapper("AudioDevice"), m_graph.GetAudioCaptureDevice());
}

// The A/V switch exists while an MPEG recording runs.
TEST_F(TVGraphAudioTest, TheSoundOfARecordingGoesThroughTheAvSwitch)
{
    TempFolder folder;
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    ASSERT_TRUE(m_graph.SetRecordFormat(CTVGraph::kRecordMpeg1));
    m_graph.SetRecordFileName(folder.FilePath("sound.mpg").c_str());
    ASSERT_TRUE(m_graph.StartRecord());
    ASSERT_TRUE(m_graph.IsRecording());
    EXPECT_TRUE(m_graph.SetAudioOn(FALSE));
    EXPECT_FALSE(m_graph.GetAudioOn());
    EXPECT_TRUE(m_graph.SetAudioOn(TRUE));
    EXPECT_TRUE(m_graph.GetAudioOn());
    EXPECT_TRUE(m_graph.StartRecord()) << "the second call stops the recording";
    EXPECT_FALSE(m_graph.SetAudioOn(FALSE)) << "the switch left with the recording";
}

// The card's mixer records from "Mic", which the filter has no pin for: the reopened device
// takes the name of the mixer's recording line instead.
TEST_F(TVGraphAudioTest, AnInputLineWithoutAPinGivesWayToTheRecordingLine)
{
    FakeMixer mixer;
    FakeMixer::Device card = CardRecordingMixer(kCardAudio);
    card.destinations[0].sources = {{"Mic", MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, {}}};
    mixer.devices = {card};
    mixer.waveInMixers = {0};
    ASSERT_TRUE(m_graph.BuildPreview());
    EXPECT_STREQ("Mic", m_graph.GetInputLine());
    ASSERT_TRUE(m_graph.RecreateGraph());
    ASSERT_NE(nullptr, m_graph.GetAudioCaptureDevice());
    EXPECT_STREQ("Recording Control", m_graph.GetInputLine());
}

// The prefix's own mixers: the play line's controls reach the speakers' line of that name.
// The sound driver keeps volumes in its own steps, so a value comes back within one step.
TEST_F(TVGraphAudioTest, PlayLineOnThePrefixMixer)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_GE(m_graph.GetPlayDeviceNames().GetSize(), 1);
    ASSERT_GE(m_graph.GetPlayLineNames().GetSize(), 1);
    EXPECT_TRUE(m_graph.SetPlayLineVolume(30000));
    DWORD volume = 0;
    EXPECT_TRUE(m_graph.GetPlayLineVolume(&volume));
    EXPECT_NEAR(30000, (int)volume, 700);
    EXPECT_TRUE(m_graph.SetPlayVolumeByType(20000));
    EXPECT_TRUE(m_graph.GetPlayVolumeByType(&volume));
    EXPECT_NEAR(20000, (int)volume, 700);
    EXPECT_TRUE(m_graph.MutePlayLine(TRUE));
    BOOL muted = FALSE;
    EXPECT_TRUE(m_graph.IsPlayLineMuted(&muted));
    EXPECT_TRUE(muted);
    EXPECT_TRUE(m_graph.MutePlayLine(FALSE));
    EXPECT_TRUE(m_graph.IsPlayLineMuted(&muted));
    EXPECT_FALSE(muted);
}

// The global TV system's graph: the model mutes through the one TV system object.
class TVSystemAudioTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_mixer.devices = {CardRecordingMixer(kCardAudio)};
        m_mixer.waveInMixers = {0};
        ASSERT_TRUE(Graph().GetBuilder().MakeGraph()) << CGraphBuilder::GetLastErrorText();
    }

    void TearDown() override { Graph().CloseTV(); }

    CTVGraph& Graph() { return theTVSystem.GetGraph(); }
    DWORD Muted() { return m_mixer.FindControl(0, MIXERCONTROL_CONTROLTYPE_MUTE, 0)->value; }

    MuteLog m_mixer;
};

TEST_F(TVSystemAudioTest, CardSoundIsSwitchedWithTheCaptureLineMuted)
{
    theTVSystem.SetDeviceMute(TRUE);
    EXPECT_TRUE(m_mixer.writes.empty()) << "no audio capture device yet";
    ASSERT_TRUE(Graph().BuildPreview());
    ASSERT_NE(nullptr, Graph().GetAudioCaptureDevice());

    m_mixer.writes.clear();
    Graph().SetVideoSource(CTVGraph::kComposite, TRUE);
    EXPECT_EQ((std::vector<DWORD>{1, 0}), m_mixer.writes);
    EXPECT_EQ(0u, Muted());

    theTVSystem.SetDeviceMute(TRUE);
    EXPECT_EQ(1u, Muted());
    theTVSystem.SetDeviceMute(FALSE);
    EXPECT_EQ(0u, Muted());

    m_mixer.writes.clear();
    Graph().CloseTV();
    EXPECT_EQ((std::vector<DWORD>{1}), m_mixer.writes) << "closed with the line muted";
    EXPECT_EQ(nullptr, Graph().GetAudioCaptureDevice());
}

// Sound card mixers as the tests describe them: "Card Sound" records from three inputs, the
// first mixer plays through its speakers.
class TVGraphMixerTest : public testing::Test
{
protected:
    enum { kPlay = 0, kRecord = 1 };

    void SetUp() override
    {
        FakeMixer::Device play;
        play.name = "Speakers Card";
        play.destinations.push_back(
            {{"Master", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
              {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 100), FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_MUTE, 0)}},
             {{"Wave", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 200)}},
              {"线路输入", MIXERLINE_COMPONENTTYPE_SRC_LINE,
               {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 300), FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_MUTE, 0)}}}});
        // A line named like the first play line but without a volume control, of a type
        // looked at before the sources.
        play.destinations.push_back({{"Wave", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, {}}, {}});
        FakeMixer::Device record;
        record.name = "Card Sound";
        record.destinations.push_back(
            {{"Recording Control", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, {}},
             {{"Line In", MIXERLINE_COMPONENTTYPE_SRC_LINE, {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_ONOFF, 0)}},
              {"线路输入", MIXERLINE_COMPONENTTYPE_SRC_LINE, {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_ONOFF, 0)}},
              {"CD Audio", MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
               {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_ONOFF, 0)}}}});
        m_mixer.devices = {play, record};
        m_graph.SetAudioDeviceName("Card Sound");
    }

    DWORD Value(size_t device, DWORD type, int destination, int source)
    {
        return m_mixer.FindControl(device, type, destination, source)->value;
    }

    FakeMixer m_mixer;
    CTVGraph m_graph;
};

TEST_F(TVGraphMixerTest, ReadsTheLinesAndSwitchesTheChosenInputOn)
{
    EXPECT_EQ((std::vector<std::string>{"线路输入", "Line In"}), Names(m_graph.GetPlayLineNames()))
        << "the default play lines";
    ASSERT_TRUE(m_graph.ReadMixerLines());
    EXPECT_EQ((std::vector<std::string>{"Line In", "线路输入", "CD Audio"}), Names(m_graph.GetInputLineNames()));
    EXPECT_STREQ("线路输入", m_graph.GetInputLine()) << "kept: it is listed";
    EXPECT_EQ(1u, Value(kRecord, MIXERCONTROL_CONTROLTYPE_ONOFF, 0, 1));
    EXPECT_EQ(0u, Value(kRecord, MIXERCONTROL_CONTROLTYPE_ONOFF, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"Speakers Card", "Card Sound"}), Names(m_graph.GetPlayDeviceNames()));
    EXPECT_EQ((std::vector<std::string>{"Wave", "线路输入"}), Names(m_graph.GetPlayLineNames()));
    EXPECT_STREQ("线路输入", m_graph.GetPlayLine());
    EXPECT_LE(m_mixer.OpenHandles(), 2u) << "the recording and play mixers, kept open";
}

TEST_F(TVGraphMixerTest, AnUnlistedLineGivesWayToTheFirstAndNoSourcesToTheDestination)
{
    m_mixer.devices[kRecord].destinations[0].sources.erase(m_mixer.devices[kRecord].destinations[0].sources.begin() + 1);
    ASSERT_TRUE(m_graph.ReadMixerLines());
    EXPECT_STREQ("Line In", m_graph.GetInputLine());
    EXPECT_EQ(1u, Value(kRecord, MIXERCONTROL_CONTROLTYPE_ONOFF, 0, 0));

    m_mixer.devices[kRecord].destinations[0].sources.clear();
    ASSERT_TRUE(m_graph.ReadMixerLines());
    EXPECT_EQ(0, m_graph.GetInputLineNames().GetSize());
    EXPECT_STREQ("Recording Control", m_graph.GetInputLine());
}

TEST_F(TVGraphMixerTest, MixersThatCannotBeOpenedGiveFalse)
{
    m_graph.SetAudioDeviceName("Other Sound");
    m_mixer.devices[kPlay].refuseOpen = true;
    EXPECT_FALSE(m_graph.ReadMixerLines());
    EXPECT_EQ(0, m_graph.GetInputLineNames().GetSize()) << "no lines of another device";
    EXPECT_FALSE(m_graph.SelectAudioInputLine(TRUE));

    DWORD volume = 0;
    BOOL muted = FALSE;
    EXPECT_FALSE(m_graph.MutePlayLine(TRUE));
    EXPECT_FALSE(m_graph.IsPlayLineMuted(&muted));
    EXPECT_FALSE(m_graph.SetPlayLineVolume(1));
    EXPECT_FALSE(m_graph.GetPlayLineVolume(&volume));
    EXPECT_FALSE(m_graph.SetPlayVolumeByType(1));
    EXPECT_FALSE(m_graph.GetPlayVolumeByType(&volume));
    EXPECT_FALSE(m_graph.SetInputLineVolume());
    EXPECT_EQ(0u, m_mixer.OpenHandles());
}

// Wine's WinMM refuses every mixer handle after a process's 256th open, so the graph opens each
// mixer once and keeps it, and opens again only for another device.
TEST_F(TVGraphMixerTest, EachMixerIsOpenedOnceAndKept)
{
    ASSERT_TRUE(m_graph.ReadMixerLines());
    size_t opened = m_mixer.opens;
    DWORD volume = 0;
    BOOL muted = FALSE;
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(m_graph.SetPlayLineVolume(i * 100));
        ASSERT_TRUE(m_graph.GetPlayLineVolume(&volume));
        ASSERT_TRUE(m_graph.MutePlayLine(i % 2));
        ASSERT_TRUE(m_graph.IsPlayLineMuted(&muted));
        m_graph.SelectAudioInputLine(TRUE);
        m_graph.GetPlayVolumeByType(&volume);
    }
    EXPECT_LE(m_mixer.opens, opened + 1) << "the volume-by-type list opened once";
    m_graph.SetAudioDeviceName("Other Sound");
    EXPECT_FALSE(m_graph.SelectAudioInputLine(TRUE)) << "another device is opened anew";
}

TEST_F(TVGraphMixerTest, PlayLineAndInputLineControls)
{
    ASSERT_TRUE(m_graph.ReadMixerLines());
    EXPECT_TRUE(m_graph.MutePlayLine(TRUE));
    EXPECT_EQ(1u, Value(kPlay, MIXERCONTROL_CONTROLTYPE_MUTE, 0, 1));
    EXPECT_EQ(0u, Value(kPlay, MIXERCONTROL_CONTROLTYPE_MUTE, 0, -1)) << "not the speakers";
    BOOL muted = FALSE;
    EXPECT_TRUE(m_graph.IsPlayLineMuted(&muted));
    EXPECT_TRUE(muted);
    EXPECT_TRUE(m_graph.SetPlayLineVolume(4321));
    EXPECT_EQ(4321u, Value(kPlay, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 1));
    DWORD volume = 0;
    EXPECT_TRUE(m_graph.GetPlayLineVolume(&volume));
    EXPECT_EQ(4321u, volume);

    EXPECT_TRUE(m_graph.SelectAudioInputLine(TRUE));
    EXPECT_EQ(0u, Value(kRecord, MIXERCONTROL_CONTROLTYPE_ONOFF, 0, 1)) << "on switches the line off";
    EXPECT_TRUE(m_graph.SelectAudioInputLine(FALSE));
    EXPECT_EQ(1u, Value(kRecord, MIXERCONTROL_CONTROLTYPE_ONOFF, 0, 1));

    EXPECT_TRUE(m_graph.SetInputLineVolume());
    EXPECT_EQ(0xFFFFu, Value(kPlay, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 1));
    EXPECT_LE(m_mixer.OpenHandles(), 2u) << "the recording and play mixers, kept open";
}

TEST_F(TVGraphMixerTest, InputLineVolumeNeverSetsTheSpeakersThemselves)
{
    m_mixer.devices[kRecord].destinations[0].sources = {
        {"MASTER", MIXERLINE_COMPONENTTYPE_SRC_LINE, {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_ONOFF, 0)}}};
    ASSERT_TRUE(m_graph.ReadMixerLines());
    ASSERT_STREQ("MASTER", m_graph.GetInputLine());
    EXPECT_FALSE(m_graph.SetInputLineVolume());
    EXPECT_EQ(100u, Value(kPlay, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, -1));
}

// The first play line is "Wave": the wave-in destination of that name has no volume and is
// passed over for the wave-out source.
TEST_F(TVGraphMixerTest, PlayVolumeByTypeFindsTheFirstPlayLineWithAVolume)
{
    ASSERT_TRUE(m_graph.ReadMixerLines());
    DWORD volume = 0;
    EXPECT_TRUE(m_graph.GetPlayVolumeByType(&volume));
    EXPECT_EQ(200u, volume);
    EXPECT_TRUE(m_graph.SetPlayVolumeByType(777));
    EXPECT_EQ(777u, Value(kPlay, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0));
    EXPECT_EQ(100u, Value(kPlay, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, -1));
    EXPECT_LE(m_mixer.OpenHandles(), 2u) << "the recording and play mixers, kept open";
}

} // namespace
