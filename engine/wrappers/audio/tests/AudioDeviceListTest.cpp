#include "AudioDeviceList.h"
#include "FakeMixer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Strings(const CStringList& list)
{
    std::vector<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        out.push_back((LPCTSTR)list.GetNext(pos));
    return out;
}

TEST(AudioDeviceListWinmm, ListsTheWaveDevicesAndMixers)
{
    CStringList out, in;
    EXPECT_TRUE(CAudioDeviceList::ListWaveOutNames(out));
    EXPECT_TRUE(CAudioDeviceList::ListWaveInNames(in));
    EXPECT_EQ(std::vector<std::string>{"Out: default"}, Strings(out));
    EXPECT_EQ(std::vector<std::string>{"In: default"}, Strings(in));

    CAudioDeviceList::MixerList mixers;
    EXPECT_TRUE(CAudioDeviceList::ListMixers(mixers));
    ASSERT_EQ(2u, mixers.size());
    EXPECT_STREQ("Out: default", mixers[0].name);
    EXPECT_EQ(0u, mixers[0].id);
    EXPECT_STREQ("In: default", mixers[1].name);
    EXPECT_EQ(1u, mixers[1].id);
}

TEST(AudioDeviceListWinmm, OpensByExactNameOrTheFirstMixer)
{
    CAudioDeviceList devices;
    ASSERT_TRUE(devices.Open(NULL, NULL));
    EXPECT_STREQ("Out: default", devices.GetDeviceName());
    EXPECT_TRUE(devices.GetHandle() != NULL);
    ASSERT_TRUE(devices.Open("", NULL));
    EXPECT_STREQ("Out: default", devices.GetDeviceName());
    ASSERT_TRUE(devices.Open("In: default", NULL));
    EXPECT_EQ(1u, devices.GetDeviceId());

    EXPECT_FALSE(devices.Open("in: default", NULL));
    EXPECT_TRUE(devices.GetHandle() == NULL);
    EXPECT_STREQ("", devices.GetDeviceName());
}

TEST(AudioDeviceListWinmm, SpeakerVolumeAndMuteReadBack)
{
    CAudioDeviceList devices;
    ASSERT_TRUE(devices.Open("Out: default", NULL));
    DWORD value = 0;
    ASSERT_TRUE(devices.SetSpeakerVolume(24000));
    ASSERT_TRUE(devices.GetSpeakerVolume(&value));
    EXPECT_EQ(24000u, value);
    ASSERT_TRUE(devices.SetSpeakerMute(1));
    ASSERT_TRUE(devices.GetSpeakerMute(&value));
    EXPECT_EQ(1u, value);
    ASSERT_TRUE(devices.SetSpeakerMute(0));
    ASSERT_TRUE(devices.GetSpeakerMute(&value));
    EXPECT_EQ(0u, value);

    // Wine's mixers have no line input; the recording mixer has no speakers.
    value = 42;
    EXPECT_FALSE(devices.GetLineInVolume(&value));
    EXPECT_FALSE(devices.GetLineInMute(&value));
    EXPECT_FALSE(devices.SetLineInMute(1));
    ASSERT_TRUE(devices.Open("In: default", NULL));
    EXPECT_FALSE(devices.GetSpeakerVolume(&value));
    EXPECT_EQ(42u, value);

    devices.Close();
    EXPECT_FALSE(devices.SetSpeakerVolume(0));
    EXPECT_FALSE(devices.GetControlValue(0, &value));
}

TEST(AudioDeviceListFake, LineInputControlsAndSkippedMixers)
{
    FakeMixer fake;
    FakeMixer::Device broken;
    broken.name = "Broken";
    broken.refuseCaps = true;
    FakeMixer::Device card;
    card.name = "Vexa Audio";
    card.destinations.push_back(
        {{"Volume Control", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 1)}},
         {{"Line In", MIXERLINE_COMPONENTTYPE_SRC_LINE,
           {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 500), FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_MUTE, 0)}}}});
    fake.devices = {broken, card};

    CAudioDeviceList::MixerList mixers;
    CAudioDeviceList::ListMixers(mixers);
    ASSERT_EQ(1u, mixers.size());
    EXPECT_EQ(1u, mixers[0].id);

    CAudioDeviceList devices;
    HWND window = (HWND)(UINT_PTR)0x4321;
    ASSERT_TRUE(devices.Open(NULL, window));
    EXPECT_EQ((DWORD_PTR)window, fake.lastCallback);
    EXPECT_EQ((DWORD)(MIXER_OBJECTF_MIXER | CALLBACK_WINDOW), fake.lastOpenFlags);

    DWORD value = 0;
    ASSERT_TRUE(devices.GetLineInVolume(&value));
    EXPECT_EQ(500u, value);
    ASSERT_TRUE(devices.SetLineInVolume(600));
    ASSERT_TRUE(devices.SetLineInMute(1));
    EXPECT_EQ(600u, fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0)->value);
    EXPECT_EQ(1u, fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_MUTE, 0, 0)->value);
    EXPECT_FALSE(devices.GetSpeakerMute(&value));

    fake.devices[1].refuseOpen = true;
    EXPECT_FALSE(devices.Open("Vexa Audio", NULL));
    EXPECT_EQ(0u, fake.OpenHandles());
}

} // namespace
