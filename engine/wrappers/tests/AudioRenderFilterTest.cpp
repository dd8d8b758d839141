// The audio renderer wrappers on Wine's two audio renderers, made through their class records.
#include "DirectSoundFilter.h"
#include "FilterClassRecord.h"
#include "StaTest.h"

#include <memory>

namespace
{

CFilterWrapper* CreateThroughRecord(REFCLSID clsid)
{
    for (CFilterClassRecord* record = CFilterClassRecord::First(); record; record = record->GetNext()) {
        if (record->MatchClsid(clsid))
            return record->Create(nullptr, 0);
    }
    return nullptr;
}

// What the renderer itself says, asked past the wrapper as another program would.
long RendererVolume(CFilterWrapper& wrapper)
{
    CComRef<IBasicAudio> audio;
    long volume = 1;
    if (SUCCEEDED(wrapper.GetFilter()->QueryInterface(IID_IBasicAudio, audio.ReceiveVoid())))
        audio->get_Volume(&volume);
    return volume;
}

void SetRendererVolume(CFilterWrapper& wrapper, long volume)
{
    CComRef<IBasicAudio> audio;
    ASSERT_HRESULT_SUCCEEDED(wrapper.GetFilter()->QueryInterface(IID_IBasicAudio, audio.ReceiveVoid()));
    ASSERT_HRESULT_SUCCEEDED(audio->put_Volume(volume));
}

long StoredVolume(CAudioRenderFilter& renderer)
{
    long volume = 1;
    EXPECT_TRUE(renderer.GetVolume(&volume, FALSE));
    return volume;
}

long StoredLevel(CAudioRenderFilter& renderer)
{
    long level = -1;
    EXPECT_TRUE(renderer.GetVolume(&level, TRUE));
    return level;
}

// Each case runs on the wave-out renderer ("Audio Render") and on the DirectSound one.
class AudioRenderFilterTest : public StaTest, public ::testing::WithParamInterface<const CLSID*>
{
protected:
    void SetUp() override
    {
        StaTest::SetUp();
        CFilterWrapper* made = CreateThroughRecord(*GetParam());
        renderer.reset(dynamic_cast<CAudioRenderFilter*>(made));
        ASSERT_NE(nullptr, renderer.get());
        ASSERT_TRUE(renderer->IsValid());
    }

    void TearDown() override
    {
        renderer.reset();
        StaTest::TearDown();
    }

    std::unique_ptr<CAudioRenderFilter> renderer;
};

TEST_P(AudioRenderFilterTest, StartsAtTheRenderersVolume)
{
    EXPECT_EQ(0, StoredVolume(*renderer));
    EXPECT_EQ(100, StoredLevel(*renderer));
    BOOL muted = TRUE;
    ASSERT_TRUE(renderer->IsMuted(&muted));
    EXPECT_FALSE(muted);
}

TEST_P(AudioRenderFilterTest, LevelsMapToDecibelsAndReadBackUnchanged)
{
    struct Case
    {
        long minimum, maximum;
    } ranges[] = {{0, 100}, {20, 31}, {-50, 50}, {0, 255}, {0, 6000}};
    for (const Case& range : ranges) {
        ASSERT_EQ(range.maximum, renderer->SetRange(range.minimum, range.maximum));
        for (long level = range.minimum; level <= range.maximum; level += (range.maximum - range.minimum) / 60 + 1) {
            ASSERT_TRUE(renderer->SetVolume(&level, TRUE)) << range.minimum << ".." << range.maximum << " at " << level;
            EXPECT_EQ(level, StoredLevel(*renderer)) << range.minimum << ".." << range.maximum;
            EXPECT_EQ(StoredVolume(*renderer), RendererVolume(*renderer));
        }
    }
}

TEST_P(AudioRenderFilterTest, DefaultRangeSpansSixtyDecibels)
{
    struct Case
    {
        long level, volume;
    } cases[] = {{0, -6000}, {50, -3000}, {70, -1800}, {100, 0}, {-20, -6000}};
    for (const Case& c : cases) {
        ASSERT_TRUE(renderer->SetVolume(&c.level, TRUE)) << c.level;
        EXPECT_EQ(c.volume, StoredVolume(*renderer)) << c.level;
        EXPECT_EQ(c.volume, RendererVolume(*renderer)) << c.level;
    }
    EXPECT_EQ(50, renderer->VolumeToLevel(-3000));
    EXPECT_EQ(-66, renderer->VolumeToLevel(-10000));
}

TEST_P(AudioRenderFilterTest, VolumesOutsideTheRendererRangeAreRefused)
{
    long level = 60;
    ASSERT_TRUE(renderer->SetVolume(&level, TRUE));
    long refused[][2] = {{101, TRUE}, {1, FALSE}, {-10001, FALSE}};
    for (auto& c : refused) {
        EXPECT_FALSE(renderer->SetVolume(&c[0], (BOOL)c[1])) << c[0];
        EXPECT_EQ(-2400, StoredVolume(*renderer));
    }
    EXPECT_FALSE(renderer->SetVolume(nullptr, TRUE));
    long silent = CAudioRenderFilter::kSilent;
    EXPECT_TRUE(renderer->SetVolume(&silent, FALSE));
}

TEST_P(AudioRenderFilterTest, MuteKeepsTheUsersVolume)
{
    long level = 40;
    ASSERT_TRUE(renderer->SetVolume(&level, TRUE));
    ASSERT_TRUE(renderer->SetMute(TRUE));
    EXPECT_EQ(-10000, RendererVolume(*renderer));

    level = 70;
    ASSERT_TRUE(renderer->SetVolume(&level, TRUE));
    EXPECT_EQ(-1800, StoredVolume(*renderer));
    EXPECT_EQ(-10000, RendererVolume(*renderer)) << "nothing is sent while muted";
    BOOL muted = FALSE;
    ASSERT_TRUE(renderer->IsMuted(&muted));
    EXPECT_TRUE(muted);

    ASSERT_TRUE(renderer->SetMute(FALSE));
    EXPECT_EQ(-1800, RendererVolume(*renderer));
    ASSERT_TRUE(renderer->IsMuted(&muted));
    EXPECT_FALSE(muted);
}

TEST_P(AudioRenderFilterTest, IsMutedFollowsAnotherProgramsChange)
{
    long level = 80;
    ASSERT_TRUE(renderer->SetVolume(&level, TRUE));
    SetRendererVolume(*renderer, -10000);
    BOOL muted = FALSE;
    ASSERT_TRUE(renderer->IsMuted(&muted));
    EXPECT_TRUE(muted);
    EXPECT_EQ(-1200, StoredVolume(*renderer));

    SetRendererVolume(*renderer, -2500);
    ASSERT_TRUE(renderer->IsMuted(&muted));
    EXPECT_FALSE(muted);
    EXPECT_EQ(-2500, StoredVolume(*renderer));
    EXPECT_FALSE(renderer->IsMuted(nullptr));
}

TEST_P(AudioRenderFilterTest, RangeNarrowerThanElevenLevelsIsIgnored)
{
    EXPECT_EQ(100, renderer->SetRange(0, 10));
    EXPECT_EQ(31, renderer->SetRange(20, 31));
    EXPECT_EQ(31, renderer->SetRange(40, 40));
    EXPECT_EQ(31, renderer->SetRange(50, 20));
    long level = 20;
    ASSERT_TRUE(renderer->SetVolume(&level, TRUE));
    EXPECT_EQ(-6000, StoredVolume(*renderer));
    level = 31;
    ASSERT_TRUE(renderer->SetVolume(&level, TRUE));
    EXPECT_EQ(0, StoredVolume(*renderer));
}

TEST_P(AudioRenderFilterTest, DeletingTheWrapperUnmutesTheRenderer)
{
    long level = 50;
    ASSERT_TRUE(renderer->SetVolume(&level, TRUE));
    ASSERT_TRUE(renderer->SetMute(TRUE));
    CComRef<IBasicAudio> audio;
    ASSERT_HRESULT_SUCCEEDED(renderer->GetFilter()->QueryInterface(IID_IBasicAudio, audio.ReceiveVoid()));
    renderer.reset();
    long volume = 1;
    ASSERT_HRESULT_SUCCEEDED(audio->get_Volume(&volume));
    EXPECT_EQ(-3000, volume);
}

INSTANTIATE_TEST_SUITE_P(Renderers, AudioRenderFilterTest, ::testing::Values(&CLSID_AudioRender, &CLSID_DSoundRender));

class AudioRendererRecords : public StaTest
{
};

TEST_F(AudioRendererRecords, DirectSoundWrapperHoldsTheClock)
{
    std::unique_ptr<CFilterWrapper> made(CreateThroughRecord(CLSID_DSoundRender));
    CDirectSoundFilter* sound = dynamic_cast<CDirectSoundFilter*>(made.get());
    ASSERT_NE(nullptr, sound);
    ASSERT_TRUE(sound->IsValid());
    EXPECT_NE(nullptr, sound->GetReferenceClock());

    std::unique_ptr<CFilterWrapper> wave(CreateThroughRecord(CLSID_AudioRender));
    EXPECT_EQ(nullptr, dynamic_cast<CDirectSoundFilter*>(wave.get()));
}

TEST_F(AudioRendererRecords, FilterWithoutVolumeIsInvalid)
{
    CAudioRenderFilter tee(nullptr, CLSID_SmartTee);
    EXPECT_FALSE(tee.IsValid());
    long volume = 0;
    EXPECT_FALSE(tee.SetVolume(&volume, FALSE));
    EXPECT_FALSE(tee.SetMute(TRUE));
    CDirectSoundFilter sound(nullptr, CLSID_SmartTee);
    EXPECT_FALSE(sound.IsValid());
}

} // namespace
