// The preview on a real display: the screen where the video window is shows the card's
// picture of the tuned station, then of each input selected. Runs on its own desktop with
// the X11 driver (ScreenShot.sh); each picture is kept as a BMP beside the program.
#include "PreviewFixture.h"

namespace
{

// Tuner, station 3 of the card's list ("SIM-4"), 471250 kHz.
const DWORD kTunerStationId = 0x103730D2;

std::string BesideProgram(const char* name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

class TVGraphScreenShotTest : public PreviewFixture
{
protected:
    void TearDown() override
    {
        m_card("signal svideo off");
        PreviewFixture::TearDown();
    }

    // The screen's pixels, not the window's: what a viewer sees.
    bool Grab(RendererPicture& picture) override
    {
        RECT shown;
        HWND video = RendererPicture::VideoWindow(m_window);
        return video && GetWindowRect(video, &shown) && picture.GrabScreen(shown);
    }
};

TEST_F(TVGraphScreenShotTest, TheScreenShowsTheStationAndThenEachSelectedInput)
{
    ASSERT_NO_FATAL_FAILURE(StartPreview());
    ASSERT_TRUE(m_graph.SetFrequency(471250));
    ASSERT_TRUE(WaitForPicture([](DWORD id, DWORD frame) { return id == kTunerStationId && frame >= 10; }, 10000))
        << std::hex << m_id;
    EXPECT_TRUE(m_picture.SaveBmp(BesideProgram("screen-tuner.bmp")));

    m_card("signal svideo on");
    struct
    {
        int source;
        DWORD id;
        const char* file;
    } inputs[] = {
        {CTVGraph::kComposite, CardPicture::kCompositeInput << 28, "screen-composite.bmp"},
        {CTVGraph::kSVideo, (DWORD)CardPicture::kSVideoInput << 28, "screen-svideo.bmp"},
        {CTVGraph::kTuner, kTunerStationId, "screen-tuner-again.bmp"},
    };
    for (const auto& input : inputs) {
        EXPECT_TRUE(m_graph.SelectSource(input.source)) << input.source;
        EXPECT_TRUE(WaitForPicture([&](DWORD id, DWORD) { return id == input.id; }, 10000))
            << input.source << " shows " << std::hex << m_id;
        EXPECT_TRUE(m_picture.SaveBmp(BesideProgram(input.file))) << input.file;
    }
}

} // namespace
