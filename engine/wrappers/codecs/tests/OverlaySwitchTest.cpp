// The Overlay Mixer's and the A/V switch's settings go to the filters and come back.
#include "AvSwitchFilter.h"
#include "ClassOverride.h"
#include "CodecClassIds.h"
#include "FilterPin.h"
#include "OverlayMixerFilter.h"

#include <gtest/gtest.h>

namespace
{
// The Overlay Mixer stand-in belongs to the overlay variant of the prefix; here it is the
// class of this process only.
const char OVERLAY_MODULE[] = "C:\\sim\\filters\\simovmix.ax";

class OverlaySwitchTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};
}

TEST_F(OverlaySwitchTest, ColourKeyLetterboxAndControlsRoundTrip)
{
    ClassOverride overlay(CLSID_OverlayMixerFilter, OVERLAY_MODULE);
    ASSERT_TRUE(overlay.Registered());
    COverlayMixerFilter mixer(nullptr, CLSID_OverlayMixerFilter);
    ASSERT_TRUE(mixer.IsValid());

    COLORREF key = 0;
    ASSERT_TRUE(mixer.SetColorKey(0x00956F25));
    ASSERT_TRUE(mixer.GetColorKey(&key));
    EXPECT_EQ(0x00956F25u, key);
    ASSERT_TRUE(mixer.SetColorKey(0x00100010));
    ASSERT_TRUE(mixer.GetColorKey(&key));
    EXPECT_EQ(0x00100010u, key);

    BOOL letterbox = FALSE;
    ASSERT_TRUE(mixer.SetLetterbox(TRUE));
    ASSERT_TRUE(mixer.IsLetterbox(&letterbox));
    EXPECT_TRUE(letterbox);
    ASSERT_TRUE(mixer.SetLetterbox(FALSE));
    ASSERT_TRUE(mixer.IsLetterbox(&letterbox));
    EXPECT_FALSE(letterbox);

    const LONG values[COverlayMixerFilter::kControlCount] = { 900, 12000, -30, 8000, 7 };
    for (int i = 0; i < COverlayMixerFilter::kControlCount; ++i)
        ASSERT_TRUE(mixer.SetColorControl(i, values[i])) << i;
    for (int i = 0; i < COverlayMixerFilter::kControlCount; ++i) {
        LONG value = 0;
        ASSERT_TRUE(mixer.GetColorControl(i, &value)) << i;
        EXPECT_EQ(values[i], value) << i;
    }
    EXPECT_FALSE(mixer.SetColorControl(5, 1));
}

TEST_F(OverlaySwitchTest, ColourControlRangesAreFixed)
{
    ClassOverride overlay(CLSID_OverlayMixerFilter, OVERLAY_MODULE);
    COverlayMixerFilter mixer(nullptr, CLSID_OverlayMixerFilter);
    LONG minimum = 0, maximum = 0, standard = 1;
    ASSERT_TRUE(mixer.GetColorControlRange(2, &minimum, &maximum, &standard));
    EXPECT_EQ(-180, minimum);
    EXPECT_EQ(180, maximum);
    EXPECT_EQ(0, standard);
    EXPECT_TRUE(mixer.GetColorControlRange(0, nullptr, &maximum, nullptr));
    EXPECT_EQ(10000, maximum);
    EXPECT_FALSE(mixer.GetColorControlRange(5, &minimum, &maximum, &standard));
}

TEST_F(OverlaySwitchTest, AvSwitchMuteRoundTripsOnTheMakersFilter)
{
    CAvSwitchFilter avSwitch(nullptr, CLSID_QuorvexAvSwitch);
    ASSERT_TRUE(avSwitch.IsValid());
    EXPECT_NE(nullptr, avSwitch.FindPin("Video Input"));
    EXPECT_NE(nullptr, avSwitch.FindPin("Video Output"));
    EXPECT_NE(nullptr, avSwitch.FindPin("Audio Output"));
    BOOL mute = TRUE;
    ASSERT_TRUE(avSwitch.GetAudioMute(&mute));
    EXPECT_FALSE(mute);
    ASSERT_TRUE(avSwitch.SetAudioMute(TRUE));
    ASSERT_TRUE(avSwitch.GetAudioMute(&mute));
    EXPECT_TRUE(mute);
    ASSERT_TRUE(avSwitch.SetAudioMute(FALSE));
    ASSERT_TRUE(avSwitch.GetAudioMute(&mute));
    EXPECT_FALSE(mute);
}
