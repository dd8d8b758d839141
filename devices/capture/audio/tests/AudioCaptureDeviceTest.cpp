// The audio capture device over the simulated card's audio filter, bound by name through the
// "CLASS_FILTER" record, with the prefix's mixers or a FakeMixer behind it.
#include "AudioCaptureDevice.h"
#include "AudioGraphTest.h"
#include "FakeMixer.h"

#include <cstddef>
#include <string>

namespace
{

class AudioCaptureDeviceTest : public AudioGraphTest
{
protected:
    CAudioCaptureDevice* AddCardAudio()
    {
        CFilterWrapper* wrapper =
            builder->AddFilterByName(CLSID_AudioInputDeviceCategory, kCardAudio, "Audio Capture", 0, 0);
        return dynamic_cast<CAudioCaptureDevice*>(wrapper);
    }
};

// A format as the card's pin takes it.
WAVEFORMATEX Pcm(DWORD rate, WORD channels)
{
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, channels, rate, rate * channels * 2, (WORD)(channels * 2), 16, 0};
    return format;
}

TEST_F(AudioCaptureDeviceTest, BindsTheCardsAudioFilterThroughItsRecord)
{
    CAudioCaptureDevice* device = AddCardAudio();
    ASSERT_NE(nullptr, device);
    EXPECT_STREQ(kCardAudio, device->GetFriendlyName());
    EXPECT_STREQ("Audio Capture", device->GetName());
    CFilterPin* capture = device->FindPin("Capture");
    ASSERT_NE(nullptr, capture);
    PIN_DIRECTION direction = PINDIR_INPUT;
    ASSERT_TRUE(capture->QueryDirection(&direction));
    EXPECT_EQ(PINDIR_OUTPUT, direction);
    EXPECT_EQ(nullptr, device->FindPin("capture"));
    EXPECT_NE(nullptr, device->FindPin("线路输入"));
}

TEST_F(AudioCaptureDeviceTest, EnablesAndLevelsInputPinsByName)
{
    CAudioCaptureDevice* device = AddCardAudio();
    ASSERT_NE(nullptr, device);
    for (const char* pin : {"线路输入", "Line In"}) {
        SCOPED_TRACE(pin);
        BOOL enabled = TRUE;
        ASSERT_TRUE(device->EnableInputPin(pin, FALSE));
        ASSERT_TRUE(device->IsInputPinEnabled(pin, &enabled));
        EXPECT_FALSE(enabled);
        ASSERT_TRUE(device->EnableInputPin(pin, TRUE));
        ASSERT_TRUE(device->IsInputPinEnabled(pin, &enabled));
        EXPECT_TRUE(enabled);

        double level = 0;
        ASSERT_TRUE(device->SetInputMixLevel(pin, 0.25));
        ASSERT_TRUE(device->GetInputMixLevel(pin, &level));
        EXPECT_DOUBLE_EQ(0.25, level);
        ASSERT_TRUE(device->SetInputMixLevel(pin, 1.0));
    }
    BOOL enabled = FALSE;
    EXPECT_FALSE(device->EnableInputPin("Capture", TRUE)) << "an output pin has no input mixer";
    EXPECT_FALSE(device->EnableInputPin("线路", TRUE));
    EXPECT_FALSE(device->EnableInputPin("line in", TRUE));
    EXPECT_FALSE(device->EnableInputPin(nullptr, TRUE));
    EXPECT_FALSE(device->IsInputPinEnabled("Line In", nullptr));
    EXPECT_FALSE(device->IsInputPinEnabled("Capture", &enabled));
}

TEST_F(AudioCaptureDeviceTest, AudioFormatRoundTrips)
{
    CAudioCaptureDevice* device = AddCardAudio();
    ASSERT_NE(nullptr, device);
    const WAVEFORMATEX formats[] = {Pcm(22050, 1), Pcm(48000, 2), Pcm(44100, 2)};
    for (const WAVEFORMATEX& wanted : formats) {
        SCOPED_TRACE(wanted.nSamplesPerSec);
        ASSERT_TRUE(device->SetAudioFormat(&wanted));
        WAVEFORMATEX read;
        memset(&read, 0xCD, sizeof(read));
        ASSERT_TRUE(device->GetAudioFormat(&read));
        EXPECT_EQ(0, memcmp(&wanted, &read, offsetof(WAVEFORMATEX, cbSize)));
        EXPECT_EQ(0xCDCD, read.cbSize) << "only the seven fields are written";
    }

    WAVEFORMATEX refused = Pcm(96000, 2);
    EXPECT_FALSE(device->SetAudioFormat(&refused)) << "the card refuses it, so the device must too";
    WAVEFORMATEX read;
    ASSERT_TRUE(device->GetAudioFormat(&read));
    EXPECT_EQ(44100u, read.nSamplesPerSec);
    EXPECT_FALSE(device->SetAudioFormat(nullptr));
    EXPECT_FALSE(device->GetAudioFormat(nullptr));
}

// No mixer of the prefix carries the card's name, so the device falls back to mixer 0
// ("Out: default"), whose first destination has one source and holds volume and mute.
TEST_F(AudioCaptureDeviceTest, FallsBackToMixerZeroAndKeepsItsLine)
{
    CAudioCaptureDevice* device = AddCardAudio();
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(0u, device->GetMixerId());
    int count = 0;
    const MIXERLINEA* sources = device->GetSourceLines(&count);
    ASSERT_EQ(1, count);
    EXPECT_EQ((DWORD)MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, sources[0].dwComponentType);

    DWORD volume = 0;
    BOOL mute = FALSE;
    ASSERT_TRUE(device->SetVolume(12000));
    ASSERT_TRUE(device->GetVolume(&volume));
    EXPECT_EQ(12000u, volume);
    ASSERT_TRUE(device->SetMute(TRUE));
    ASSERT_TRUE(device->GetMute(&mute));
    EXPECT_TRUE(mute);
    ASSERT_TRUE(device->SetMute(FALSE));
    ASSERT_TRUE(device->GetMute(&mute));
    EXPECT_FALSE(mute);
    EXPECT_FALSE(device->GetVolume(nullptr));
}

// Sound cards whose recording mixers are named after the capture filter.
class AudioCaptureDeviceMixers : public AudioCaptureDeviceTest
{
protected:
    static FakeMixer::Device Recording(const char* name, DWORD volume)
    {
        FakeMixer::Device device;
        device.name = name;
        device.destinations.push_back(
            {{"Recording Control", MIXERLINE_COMPONENTTYPE_DST_WAVEIN,
              {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_MUTE, 0), FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, volume)}},
             {{"Line In", MIXERLINE_COMPONENTTYPE_SRC_LINE, {}},
              {"CD Audio", MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, {}}}});
        return device;
    }

    FakeMixer fake;
};

TEST_F(AudioCaptureDeviceMixers, TakesTheLastWaveInMixerOfItsName)
{
    fake.devices = {Recording("Speakers", 100), Recording(kCardAudio, 111), Recording("Other", 0),
                    Recording(kCardAudio, 333)};
    fake.waveInMixers = {1, 2, 3};
    CAudioCaptureDevice* device = AddCardAudio();
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(3u, device->GetMixerId());
    DWORD volume = 0;
    ASSERT_TRUE(device->GetVolume(&volume));
    EXPECT_EQ(333u, volume);
    ASSERT_TRUE(device->SetMute(TRUE));
    EXPECT_EQ(1u, fake.FindControl(3, MIXERCONTROL_CONTROLTYPE_MUTE, 0)->value);
    EXPECT_EQ(0u, fake.FindControl(1, MIXERCONTROL_CONTROLTYPE_MUTE, 0)->value);
    int count = 0;
    const MIXERLINEA* sources = device->GetSourceLines(&count);
    ASSERT_EQ(2, count);
    EXPECT_STREQ("Line In", sources[0].szName);
    EXPECT_STREQ("CD Audio", sources[1].szName);
    EXPECT_EQ(0u, fake.OpenHandles()) << "every call closes the mixer again";
}

TEST_F(AudioCaptureDeviceMixers, NamesMustMatchExactly)
{
    fake.devices = {Recording("Speakers", 100), Recording("conexant 2388x_1 audio capture", 111)};
    fake.waveInMixers = {1};
    CAudioCaptureDevice* device = AddCardAudio();
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(0u, device->GetMixerId());
}

TEST_F(AudioCaptureDeviceMixers, InitFailsOnAnUnreadableMixerOrTooManyControls)
{
    fake.devices = {Recording("Speakers", 100), Recording(kCardAudio, 111)};
    fake.waveInMixers = {1};
    fake.devices[1].refuseCaps = true;
    EXPECT_EQ(nullptr, AddCardAudio()) << "an invalid wrapper never reaches the graph";

    fake.devices[1].refuseCaps = false;
    fake.devices[1].destinations[0].line.controls.resize(101, FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_ONOFF, 0));
    EXPECT_EQ(nullptr, AddCardAudio());
    fake.devices[1].destinations[0].line.controls.resize(100);
    EXPECT_NE(nullptr, AddCardAudio());

    fake.devices[1].refuseOpen = true;
    EXPECT_EQ(nullptr, AddCardAudio());
}

TEST_F(AudioCaptureDeviceMixers, ControlsTheLineOnlyWhenItHasTheControl)
{
    fake.devices = {Recording(kCardAudio, 111)};
    fake.devices[0].destinations[0].line.controls = {FakeMixer::Value(MIXERCONTROL_CONTROLTYPE_VOLUME, 5)};
    fake.waveInMixers = {0};
    CAudioCaptureDevice* device = AddCardAudio();
    ASSERT_NE(nullptr, device);
    BOOL mute = 7;
    EXPECT_FALSE(device->SetMute(TRUE));
    EXPECT_FALSE(device->GetMute(&mute));
    EXPECT_EQ(7, mute);
    fake.devices[0].refuseOpen = true;
    DWORD volume = 9;
    EXPECT_FALSE(device->GetVolume(&volume));
    EXPECT_EQ(9u, volume);
}

} // namespace
