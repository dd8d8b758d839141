// Time shift over the simulated card as a viewer sees it: the picture is encoded into the
// time-shift files and played back from them into the renderer's window; pause holds the
// picture while the files grow, resume and jumps play on from the place asked for, and
// stopping returns to the live preview.
#include "PreviewFixture.h"

#include "ClassOverride.h"
#include "CodecClassIds.h"
#include "TimeShiftInterfaces.h"

#include <memory>

namespace
{

const char kDataPath[] = "C:\\sim\\out\\timeshift\\tvgraph.mpg";
const char kIndexPath[] = "C:\\sim\\out\\timeshift\\tvgraph.idx";
// Tuner, station 3 of the card's list ("SIM-4"), 471250 kHz.
const DWORD kStationId = 0x103730D2;
const DWORD kWaitMs = 20000;

LONGLONG FileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

const CLSID kDefaultRendererClsid = {0x6BC1CFFA, 0x8FC1, 0x4261, {0xAC, 0x22, 0xCF, 0xB4, 0xCC, 0x38, 0xDB, 0x50}};

// Wine's default video renderer cannot start under the headless display driver; the plain
// video renderer, which draws the same picture into its window, is made in its place.
class PlainRendererFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_IClassFactory) ? static_cast<IClassFactory*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    // Lives in the fixture, longer than its registration.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        return CoCreateInstance(CLSID_VideoRenderer, outer, CLSCTX_INPROC_SERVER, iid, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

class TVGraphTimeShiftTest : public PreviewFixture
{
protected:
    void SetUp() override
    {
        CreateDirectoryA("C:\\sim", NULL);
        CreateDirectoryA("C:\\sim\\out", NULL);
        CreateDirectoryA("C:\\sim\\out\\timeshift", NULL);
        DeleteFileA(kDataPath);
        DeleteFileA(kIndexPath);
        ASSERT_NO_FATAL_FAILURE(PreviewFixture::SetUp());
        // The road adds the Overlay Mixer: the stand-in of the prefix's overlay variant, for
        // this process only.
        m_overlay.reset(new ClassOverride(CLSID_OverlayMixerFilter, "C:\\sim\\filters\\simovmix.ax"));
        ASSERT_TRUE(m_overlay->Registered());
        ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(kDefaultRendererClsid, &m_rendererFactory, CLSCTX_INPROC_SERVER,
                                                       REGCLS_MULTIPLEUSE, &m_rendererCookie));
        m_graph.SetTimeShiftFile(kDataPath);
        ASSERT_NO_FATAL_FAILURE(StartPreview());
        ASSERT_TRUE(m_graph.SetFrequency(471250));
    }

    void TearDown() override
    {
        if (m_rendererCookie)
            CoRevokeClassObject(m_rendererCookie);
        m_overlay.reset();
        PreviewFixture::TearDown();
    }

    bool WaitForGrowth(const char* path, LONGLONG size)
    {
        return PumpUntil([&] { return FileSize(path) > size; }, kWaitMs);
    }

    void Position(LONGLONG* available, LONGLONG* current)
    {
        LONGLONG total = 0;
        EXPECT_TRUE(m_graph.GetTimeShiftPosition(&total, available, current));
    }

    // The station's picture at or beyond that frame of the run.
    bool StationPictureFrom(DWORD frame)
    {
        return WaitForPicture([&](DWORD id, DWORD shown) { return id == kStationId && shown >= frame; }, kWaitMs);
    }

    // The live preview: the card's preview pin drawn by the preview's renderer, no time-shift
    // filter left, and the station's picture moving in the window.
    void ExpectLivePreview()
    {
        CGraphBuilder& builder = m_graph.GetBuilder();
        EXPECT_EQ(CGraphBuilder::kRunning, builder.GetState());
        EXPECT_EQ(nullptr, builder.FindWrapper("Time Shift"));
        EXPECT_EQ(nullptr, builder.FindWrapper("Stelvark Demo MPEG Encoder"));
        CFilterWrapper* renderer = builder.FindWrapper("Render");
        ASSERT_NE(nullptr, renderer);
        EXPECT_NE(nullptr, renderer->FindFreePin(PINDIR_INPUT, FALSE)) << "renderer input connected";
        ASSERT_TRUE(StationPictureFrom(0)) << std::hex << m_id;
        DWORD first = m_frame;
        EXPECT_TRUE(StationPictureFrom(first + 5)) << "the picture moves";
    }

    std::unique_ptr<ClassOverride> m_overlay;
    PlainRendererFactory m_rendererFactory;
    DWORD m_rendererCookie = 0;
};

TEST_F(TVGraphTimeShiftTest, PauseHoldsThePictureWhileTheFilesGrowAndResumePlaysOnFromThere)
{
    ASSERT_TRUE(m_graph.StartTimeShift());
    EXPECT_TRUE(m_graph.IsTimeShiftOn());
    EXPECT_NE(nullptr, m_graph.GetAudioCaptureDevice()) << "the sound device opened again in the new graph";
    LONGLONG total = 0, available = 0, current = 0;
    ASSERT_TRUE(m_graph.GetTimeShiftPosition(&total, &available, &current));
    EXPECT_EQ(354300000, total) << "224 kbit/s of sound and the encoder's 4.5 Mbit/s for 600 s";
    ASSERT_TRUE(StationPictureFrom(10)) << std::hex << m_id;

    ASSERT_TRUE(m_graph.ToggleTimeShiftPause());
    EXPECT_TRUE(m_graph.IsTimeShiftPaused());
    // What was on its way is drawn; then the picture holds.
    PumpUntil([] { return false; }, 500);
    ASSERT_TRUE(StationPictureFrom(0));
    DWORD held = m_frame;
    Position(&available, &current);
    LONGLONG data = FileSize(kDataPath), index = FileSize(kIndexPath);
    ASSERT_TRUE(WaitForGrowth(kDataPath, data));
    ASSERT_TRUE(WaitForGrowth(kIndexPath, index));
    DWORD live = CardFrames();
    ASSERT_TRUE(PumpUntil([&] { return CardFrames() >= live + 30; }, kWaitMs)) << "the card stopped sending";
    ASSERT_TRUE(StationPictureFrom(0));
    EXPECT_EQ(held, m_frame) << "the picture holds";
    LONGLONG availableLater = 0, currentLater = 0;
    Position(&availableLater, &currentLater);
    EXPECT_GT(availableLater, available) << "the buffer grows";
    EXPECT_EQ(current, currentLater) << "the play-out holds";

    ASSERT_TRUE(m_graph.ToggleTimeShiftPause());
    EXPECT_FALSE(m_graph.IsTimeShiftPaused());
    ASSERT_TRUE(StationPictureFrom(held + 1));
    EXPECT_LT(m_frame, held + 15) << "played on from the paused picture, not from the live one";

    ASSERT_TRUE(m_graph.StopTimeShift());
    EXPECT_FALSE(m_graph.IsTimeShiftOn());
    EXPECT_FALSE(m_graph.IsTimeShiftPaused());
    ExpectLivePreview();
    EXPECT_FALSE(m_graph.ToggleTimeShiftPause());
}

TEST_F(TVGraphTimeShiftTest, JumpsLandOnAPackWithinTheBufferedTime)
{
    ASSERT_TRUE(m_graph.StartTimeShift());
    ASSERT_TRUE(WaitForGrowth(kDataPath, 400000));
    ASSERT_TRUE(StationPictureFrom(40));
    DWORD before = m_frame;

    // Back to the start: the oldest pictures show again.
    ASSERT_TRUE(m_graph.SetTimeShiftPosition(0));
    ASSERT_TRUE(StationPictureFrom(0));
    ASSERT_TRUE(WaitForPicture([&](DWORD id, DWORD shown) { return id == kStationId && shown < before - 20; },
                               kWaitMs))
        << "frame " << m_frame << " after " << before;

    // Into what is held: the pack start at or before the place asked for.
    LONGLONG available = 0, current = 0;
    ASSERT_TRUE(m_graph.ToggleTimeShiftPause());
    ASSERT_TRUE(m_graph.SetTimeShiftPosition(200000));
    Position(&available, &current);
    EXPECT_LE(current, 200000);
    EXPECT_GT(current, 200000 - 4096);
    // Past the end of what is held: the newest data; before the start: the oldest.
    ASSERT_TRUE(m_graph.SetTimeShiftPosition(available + 10000000));
    LONGLONG newest = 0;
    Position(&available, &newest);
    EXPECT_GT(newest, current);
    EXPECT_LE(newest, available);
    ASSERT_TRUE(m_graph.SetTimeShiftPosition(-5));
    Position(&available, &current);
    EXPECT_EQ(0, current);
    ASSERT_TRUE(m_graph.StopTimeShift());
    ExpectLivePreview();
}

TEST_F(TVGraphTimeShiftTest, NoTimeShiftFromTheRadio)
{
    m_graph.SetVideoSource(CTVGraph::kFm, TRUE);
    EXPECT_FALSE(m_graph.StartTimeShift());
    EXPECT_FALSE(m_graph.IsTimeShiftOn());
    m_graph.SetVideoSource(CTVGraph::kTuner, TRUE);
}

// A filter of the road that cannot be made: its class answers with an object that is no filter.
TEST_F(TVGraphTimeShiftTest, AFailedBuildLeavesNothingHalfBuiltAndRunsThePreviewAgain)
{
    CComRef<IUnknown> notAFilter;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_FilterMapper2, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown, notAFilter.ReceiveVoid()));
    ClassOverride missing(CLSID_TimeShift, notAFilter.Get());
    ASSERT_TRUE(missing.Registered());
    EXPECT_FALSE(m_graph.StartTimeShift());
    EXPECT_FALSE(m_graph.IsTimeShiftOn());
    ExpectLivePreview();
    EXPECT_FALSE(m_graph.SetTimeShiftPosition(0));
}

} // namespace
