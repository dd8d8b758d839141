// The A/V switch silences the card's sound only while muted; the Overlay Mixer hands the
// picture to the renderer as RGB32 with its colour controls applied.
#include "StandInGraph.h"
#include "mpconfig.h"
#include "simifaces.h"

#include <gtest/gtest.h>

#include <string.h>

namespace
{
const CLSID CLSID_AvSwitch = { 0x15D81FE9, 0x49E4, 0x436B, { 0xA5, 0x2E, 0x72, 0x74, 0xE3, 0xEB, 0x41, 0x40 } };
const CLSID CLSID_Deinterlace = { 0xC5683497, 0x12D5, 0x4ED1, { 0xBF, 0x8D, 0xE5, 0x3B, 0x34, 0x9B, 0x09, 0x81 } };
const CLSID CLSID_OverlayMixer = { 0xCD8743A1, 0x3736, 0x11D0, { 0x9E, 0x69, 0x00, 0xC0, 0x4F, 0xD7, 0xC1, 0x5B } };
const LONG WIDTH = 320;
const LONG HEIGHT = 240;

bool Silent(const GrabbedSample& block)
{
    for (BYTE b : block.bytes) {
        if (b != 0)
            return false;
    }
    return !block.bytes.empty();
}

// The mixer belongs to the prefix's overlay variant: made here from its module directly.
CComRef<IBaseFilter> MakeOverlayMixer()
{
    typedef HRESULT(WINAPI * GetClassObject)(REFCLSID, REFIID, void**);
    HMODULE module = LoadLibraryA("C:\\sim\\filters\\simovmix.ax");
    auto get = module ? reinterpret_cast<GetClassObject>(reinterpret_cast<void (*)()>(GetProcAddress(module, "DllGetClassObject"))) : nullptr;
    CComRef<IClassFactory> factory;
    CComRef<IBaseFilter> mixer;
    if (get != nullptr && SUCCEEDED(get(CLSID_OverlayMixer, IID_IClassFactory, factory.ReceiveVoid())))
        factory->CreateInstance(nullptr, IID_IBaseFilter, mixer.ReceiveVoid());
    return mixer;
}

// The mean of the red channel along one row of the colour bars (bottom-up RGB32).
int MeanRed(const GrabbedSample& rgb32)
{
    LONG row = HEIGHT - 1 - HEIGHT * 3 / 4;
    long sum = 0;
    for (LONG x = 0; x < WIDTH; ++x)
        sum += rgb32.bytes[((size_t)row * WIDTH + x) * 4 + 2];
    return (int)(sum / WIDTH);
}

class MixerSwitchTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};
}

TEST_F(MixerSwitchTest, MutedSwitchPassesSilence)
{
    SampleCollector sound;
    StandInGraph graph;
    CComRef<IBaseFilter> avSwitch;
    ASSERT_EQ(S_OK, graph.AddCard(WIDTH, HEIGHT));
    ASSERT_EQ(S_OK, graph.AddCardAudio());
    ASSERT_EQ(S_OK, graph.AddNew(CLSID_AvSwitch, L"AVISwitch", &avSwitch));
    ASSERT_EQ(S_OK, graph.Connect(graph.Audio(), L"Capture", avSwitch.Get(), L"Audio Input"));
    ASSERT_EQ(S_OK, graph.Grab(avSwitch.Get(), L"Audio Output", &sound));
    CComRef<IAvSwitch> control;
    ASSERT_EQ(S_OK, avSwitch->QueryInterface(IID_IAvSwitch, control.ReceiveVoid()));
    ASSERT_EQ(S_OK, graph.Run());

    GrabbedSample block;
    ASSERT_TRUE(sound.WaitForNext(2, &block));
    EXPECT_FALSE(Silent(block)) << "the station's tone";
    ASSERT_EQ(S_OK, control->SetAudioMute(VARIANT_TRUE));
    ASSERT_TRUE(sound.WaitForNext(2, &block));
    EXPECT_TRUE(Silent(block));
    ASSERT_EQ(S_OK, control->SetAudioMute(VARIANT_FALSE));
    ASSERT_TRUE(sound.WaitForNext(2, &block));
    EXPECT_FALSE(Silent(block));
}

TEST_F(MixerSwitchTest, OverlayMixerShowsThePictureWithItsContrast)
{
    SampleCollector shown;
    StandInGraph graph;
    CComRef<IBaseFilter> deinterlace;
    CComRef<IBaseFilter> mixer = MakeOverlayMixer();
    ASSERT_TRUE(mixer);
    ASSERT_EQ(S_OK, graph.AddCard(WIDTH, HEIGHT));
    ASSERT_EQ(S_OK, graph.AddNew(CLSID_Deinterlace, L"Quorvex Deinterlace", &deinterlace));
    ASSERT_EQ(S_OK, graph.Add(mixer.Get(), L"Overlay Mixer"));
    ASSERT_EQ(S_OK, graph.Connect(graph.Capture(), L"Capture", deinterlace.Get(), L"Input"));
    ASSERT_EQ(S_OK, graph.Connect(deinterlace.Get(), L"Preview", mixer.Get(), L"Input0"));
    ASSERT_EQ(S_OK, graph.Grab(mixer.Get(), L"Output", &shown));
    CComRef<IPin> input;
    CComRef<IMixerPinConfig2> config;
    ASSERT_EQ(S_OK, mixer->FindPin(L"Input0", input.Receive()));
    ASSERT_EQ(S_OK, input->QueryInterface(IID_IMixerPinConfig2, config.ReceiveVoid()));
    ASSERT_EQ(S_OK, graph.Run());

    GrabbedSample picture;
    ASSERT_TRUE(shown.WaitForNext(2, &picture));
    ASSERT_EQ((size_t)WIDTH * HEIGHT * 4, picture.bytes.size());
    std::vector<BYTE> rows((size_t)WIDTH * HEIGHT * 3);
    for (size_t p = 0; p < (size_t)WIDTH * HEIGHT; ++p)
        memcpy(&rows[p * 3], &picture.bytes[p * 4], 3);
    EXPECT_EQ(StandInGraph::STATION_ID, ReadIdWordBgr(rows.data(), WIDTH, HEIGHT, WIDTH * 3, true));
    int neutral = MeanRed(picture);

    DDCOLORCONTROL colours = {};
    colours.dwSize = sizeof(colours);
    colours.dwFlags = DDCOLOR_CONTRAST;
    colours.lContrast = 5000;
    ASSERT_EQ(S_OK, config->SetOverlaySurfaceColorControls(&colours));
    ASSERT_TRUE(shown.WaitForNext(2, &picture));
    EXPECT_LT(MeanRed(picture), neutral) << "half the contrast darkens the bars";
}
