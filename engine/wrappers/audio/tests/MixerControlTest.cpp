#include "FakeMixer.h"
#include "MixerControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Wine's name of every line of its mixers in the Chinese locale.
const char kWineLineName[] = "主音量";

std::vector<std::string> Strings(const CStringList& list)
{
    std::vector<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        out.push_back((LPCTSTR)list.GetNext(pos));
    return out;
}

// The prefix's own mixers: "Out: default" (speakers, one source) and "In: default"
// (recording line, one source); their destination controls hold values, Wine's source-line
// controls do not.
TEST(MixerControlWinmm, ListsTheMixersAndTheirDestinations)
{
    CStringList names;
    EXPECT_TRUE(CMixerControl::ListMixerNames(names));
    EXPECT_EQ((std::vector<std::string>{"Out: default", "In: default"}), Strings(names));

    CStringList lines;
    CDWordArray types;
    ASSERT_TRUE(CMixerControl::ListDestinationLines(NULL, lines, types));
    ASSERT_TRUE(CMixerControl::ListDestinationLines("In: default", lines, types));
    EXPECT_EQ((std::vector<std::string>{kWineLineName, kWineLineName}), Strings(lines));
    ASSERT_EQ(2, types.GetSize());
    EXPECT_EQ(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, types[0]);
    EXPECT_EQ(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, types[1]);

    EXPECT_FALSE(CMixerControl::ListDestinationLines("No Such Mixer", lines, types));
    EXPECT_EQ(2, lines.GetCount());
}

TEST(MixerControlWinmm, OpensTheMixerWithTheDestinationAsked)
{
    CMixerControl mixer;
    ASSERT_TRUE(mixer.Open(NULL, MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    EXPECT_STREQ(kWineLineName, mixer.GetDestinationName());
    EXPECT_EQ(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, mixer.GetComponentType());
    EXPECT_EQ(1u, mixer.GetSourceCount());

    EXPECT_TRUE(mixer.Open("OUT: DEFAULT", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, NULL));
    CStringList sources;
    EXPECT_TRUE(mixer.ListSourceLines(sources));
    EXPECT_EQ(std::vector<std::string>{kWineLineName}, Strings(sources));
    char name[8];
    ASSERT_TRUE(mixer.GetLineName(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, name, sizeof(name)));
    EXPECT_STREQ(kWineLineName, name);
    ASSERT_TRUE(mixer.GetLineName(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, name, 4));
    EXPECT_STREQ("主", name) << "cut at a whole character";

    EXPECT_FALSE(mixer.Open("Out: default", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    EXPECT_FALSE(mixer.IsOpen());
    EXPECT_FALSE(mixer.Open("No Such Mixer", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, NULL));
    EXPECT_FALSE(mixer.IsOpen());
}

// Wine keeps these values per process and passes them through a float, so values are
// chosen that come back exactly.
TEST(MixerControlWinmm, SetsAndReadsVolumeAndMute)
{
    CMixerControl mixer;
    ASSERT_TRUE(mixer.Open("In: default", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    DWORD value = 0;
    ASSERT_TRUE(mixer.SetVolume(NULL, 24000));
    ASSERT_TRUE(mixer.GetVolume(NULL, &value));
    EXPECT_EQ(24000u, value);
    ASSERT_TRUE(mixer.SetVolume(kWineLineName, 12000)) << "the destination's own name is the destination";
    ASSERT_TRUE(mixer.GetVolume(NULL, &value));
    EXPECT_EQ(12000u, value);

    ASSERT_TRUE(mixer.SetControlValue(MIXERCONTROL_CONTROLTYPE_MUTE, NULL, 1));
    ASSERT_TRUE(mixer.GetControlValue(MIXERCONTROL_CONTROLTYPE_MUTE, NULL, &value));
    EXPECT_EQ(1u, value);
    ASSERT_TRUE(mixer.SetControlValue(MIXERCONTROL_CONTROLTYPE_MUTE, NULL, 0));
    ASSERT_TRUE(mixer.GetControlValue(MIXERCONTROL_CONTROLTYPE_MUTE, NULL, &value));
    EXPECT_EQ(0u, value);

    value = 77;
    EXPECT_FALSE(mixer.GetControlValue(MIXERCONTROL_CONTROLTYPE_ONOFF, NULL, &value));
    EXPECT_FALSE(mixer.GetVolume("Line In", &value));
    EXPECT_EQ(77u, value);
    EXPECT_FALSE(mixer.SelectSource(kWineLineName, TRUE)) << "Wine's mixers have no MUX";
}

TEST(MixerControlWinmm, ClosedMixerAnswersNothing)
{
    CMixerControl mixer;
    DWORD value = 5;
    CStringList names;
    EXPECT_FALSE(mixer.GetVolume(NULL, &value));
    EXPECT_FALSE(mixer.SetVolume(NULL, 1));
    EXPECT_FALSE(mixer.ListSourceLines(names));
    EXPECT_FALSE(mixer.IsSourceSelected("Line In", &value));
    EXPECT_EQ(5u, value);
}

// A card's mixer as a sound driver with named inputs shows it.
class MixerControlFake : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FakeMixer::Device playback;
        playback.name = "Vexa Playback";
        playback.destinations.push_back({{"Volume Control", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                                          {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 100),
                                           FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_MUTE, 0)}},
                                         {{"Wave", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,
                                           {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 101)}}}});

        FakeMixer::Device card;
        card.name = "Vexa Audio";
        card.destinations.push_back(
            {{"Volume Control", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
              {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 200)}},
             {{"Line In", MIXERLINE_COMPONENTTYPE_SRC_LINE,
               {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 210), FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_MUTE, 1)}}}});
        card.destinations.push_back(
            {{"Recording Control", MIXERLINE_COMPONENTTYPE_DST_WAVEIN,
              {FakeMixer::Mux({"Line In", "Microphone", "CD Audio"}, 0),
               FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 300)}},
             {{"Line In", MIXERLINE_COMPONENTTYPE_SRC_LINE,
               {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 310),
                FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_ONOFF, 0)}},
              {"Microphone", MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
               {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_MUTE, 0), FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 320)}},
              {"CD Audio", MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
               {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 330)}}}});
        fake.devices = {playback, card};
    }

    std::vector<DWORD> Selection()
    {
        return fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_MUX, 1)->selected;
    }

    FakeMixer fake;
};

TEST_F(MixerControlFake, OpenSkipsMixersWithoutTheDestinationAndClosesThem)
{
    {
        CMixerControl mixer;
        ASSERT_TRUE(mixer.Open(NULL, MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
        EXPECT_EQ(1u, fake.lastOpenId);
        EXPECT_EQ(1u, mixer.GetDestinationIndex());
        EXPECT_EQ(3u, mixer.GetSourceCount());
        EXPECT_STREQ("Recording Control", mixer.GetDestinationName());
        EXPECT_EQ(1u, fake.OpenHandles());
    }
    EXPECT_EQ(0u, fake.OpenHandles()) << "the destructor closes the mixer";
}

TEST_F(MixerControlFake, OpenTriesTheNextMixerWhenOneCannotBeOpened)
{
    fake.devices[0].refuseOpen = true;
    CMixerControl mixer;
    ASSERT_TRUE(mixer.Open(NULL, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, NULL));
    EXPECT_EQ(1u, fake.lastOpenId);

    fake.devices[1].refuseOpen = true;
    EXPECT_FALSE(mixer.Open(NULL, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, NULL));
    EXPECT_EQ(0u, fake.OpenHandles());
}

TEST_F(MixerControlFake, OpenStopsAtAMixerThatCannotBeQueried)
{
    fake.devices[0].refuseCaps = true;
    CMixerControl mixer;
    EXPECT_FALSE(mixer.Open("Vexa Audio", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    EXPECT_EQ(0u, fake.OpenHandles());
    CStringList names;
    EXPECT_FALSE(CMixerControl::ListMixerNames(names));
}

TEST_F(MixerControlFake, OpenWithAWindowAsksForWindowCallbacks)
{
    CMixerControl mixer;
    HWND window = (HWND)(UINT_PTR)0x1234;
    ASSERT_TRUE(mixer.Open("vexa audio", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, window));
    EXPECT_EQ((DWORD_PTR)window, fake.lastCallback);
    EXPECT_EQ((DWORD)(MIXER_OBJECTF_MIXER | CALLBACK_WINDOW), fake.lastOpenFlags);
    ASSERT_TRUE(mixer.Open("Vexa Audio", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    EXPECT_EQ((DWORD)MIXER_OBJECTF_MIXER, fake.lastOpenFlags);
}

TEST_F(MixerControlFake, LineNamesChooseTheSourceLineIgnoringCase)
{
    CMixerControl mixer;
    ASSERT_TRUE(mixer.Open("Vexa Audio", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    struct Case
    {
        const char* line;
        BOOL found;
        DWORD volume;
    } cases[] = {
        {NULL, TRUE, 300},
        {"recording control", TRUE, 300},
        {"Line In", TRUE, 310},
        {"MICROPHONE", TRUE, 320},
        {"CD Audio", TRUE, 330},
        {"Line", FALSE, 0},
        {"Line In ", FALSE, 0},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        DWORD value = 0;
        EXPECT_EQ(cases[i].found, mixer.GetVolume(cases[i].line, &value)) << "case " << i;
        EXPECT_EQ(cases[i].volume, value) << "case " << i;
    }

    ASSERT_TRUE(mixer.SetControlValue(MIXERCONTROL_CONTROLTYPE_ONOFF, "line in", 1));
    EXPECT_EQ(1u, fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_ONOFF, 1, 0)->value);
    EXPECT_FALSE(mixer.SetControlValue(MIXERCONTROL_CONTROLTYPE_ONOFF, "CD Audio", 1));
    ASSERT_TRUE(mixer.SetVolume("Microphone", 40000));
    EXPECT_EQ(40000u, fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_VOLUME, 1, 1)->value);
    EXPECT_EQ(310u, fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_VOLUME, 1, 0)->value);
}

TEST_F(MixerControlFake, FindsControlsByComponentTypeAndSourceIndex)
{
    CMixerControl mixer;
    ASSERT_TRUE(mixer.Open("Vexa Audio", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, NULL));
    DWORD speakers = 0, lineIn = 0, bySource = 0, byName = 0;
    ASSERT_TRUE(mixer.GetLineControlId(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERCONTROL_CONTROLTYPE_VOLUME, &speakers));
    ASSERT_TRUE(mixer.GetLineControlId(MIXERLINE_COMPONENTTYPE_SRC_LINE, MIXERCONTROL_CONTROLTYPE_MUTE, &lineIn));
    ASSERT_TRUE(mixer.GetSourceControlId(0, MIXERCONTROL_CONTROLTYPE_MUTE, &bySource));
    ASSERT_TRUE(mixer.FindSourceControl("LINE IN", MIXERCONTROL_CONTROLTYPE_MUTE, &byName));
    EXPECT_NE(speakers, lineIn);
    EXPECT_EQ(lineIn, bySource);
    EXPECT_EQ(lineIn, byName);

    DWORD id = 99;
    EXPECT_FALSE(mixer.GetSourceControlId(1, MIXERCONTROL_CONTROLTYPE_MUTE, &id));
    EXPECT_FALSE(mixer.GetLineControlId(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERCONTROL_CONTROLTYPE_MUTE, &id));
    EXPECT_FALSE(mixer.FindSourceControl("Wave", MIXERCONTROL_CONTROLTYPE_VOLUME, &id));
    EXPECT_EQ(99u, id);

    CStringList sources;
    ASSERT_TRUE(mixer.ListSourceLines(sources));
    EXPECT_EQ(std::vector<std::string>{"Line In"}, Strings(sources));
}

TEST_F(MixerControlFake, SelectSourceLeavesOneItemOn)
{
    struct Case
    {
        const char* item;
        BOOL select;
        std::vector<DWORD> after;
    } cases[] = {
        {"Microphone", TRUE, {0, 1, 0}},
        {"CD Audio", TRUE, {0, 0, 1}},
        {"Line In", TRUE, {1, 0, 0}},
        {"Microphone", FALSE, {0, 0, 1}},
        {"CD Audio", FALSE, {1, 0, 0}},
        {"Line In", FALSE, {0, 1, 0}},
    };
    CMixerControl mixer;
    ASSERT_TRUE(mixer.Open("Vexa Audio", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_MUX, 1)->selected = {1, 1, 1};
        EXPECT_TRUE(mixer.SelectSource(cases[i].item, cases[i].select)) << "case " << i;
        EXPECT_EQ(cases[i].after, Selection()) << "case " << i;
    }
}

TEST_F(MixerControlFake, SelectorItemsAreMatchedExactly)
{
    CMixerControl mixer;
    ASSERT_TRUE(mixer.Open("Vexa Audio", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    DWORD value = 7;
    EXPECT_FALSE(mixer.SelectSource("line in", TRUE));
    EXPECT_FALSE(mixer.IsSourceSelected("line in", &value));
    EXPECT_FALSE(mixer.SelectSource(NULL, TRUE));
    EXPECT_EQ(7u, value);
    EXPECT_EQ((std::vector<DWORD>{1, 0, 0}), Selection());

    ASSERT_TRUE(mixer.IsSourceSelected("Line In", &value));
    EXPECT_EQ(1u, value);
    ASSERT_TRUE(mixer.IsSourceSelected("CD Audio", &value));
    EXPECT_EQ(0u, value);

    ASSERT_TRUE(mixer.Open("Vexa Audio", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, NULL));
    EXPECT_FALSE(mixer.SelectSource("Line In", TRUE)) << "the speakers have no selector";
}

// Some drivers' selectors list fewer items than the line has sources; the mixer takes a
// list request only for the control's own item count.
TEST_F(MixerControlFake, SelectorWithFewerItemsThanSources)
{
    *fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_MUX, 1) = FakeMixer::Mux({"Microphone", "Line In"}, 0);
    CMixerControl mixer;
    ASSERT_TRUE(mixer.Open("Vexa Audio", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL));
    ASSERT_TRUE(mixer.SelectSource("Line In", TRUE));
    EXPECT_EQ((std::vector<DWORD>{0, 1}), Selection());
    ASSERT_TRUE(mixer.SelectSource("Line In", FALSE));
    EXPECT_EQ((std::vector<DWORD>{1, 0}), Selection());
}

} // namespace
