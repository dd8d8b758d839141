// TV on the desktop over the simulated card: the Overlay Mixer keyed to the desktop colour and
// the wallpaper taken away through the shell's Active Desktop object (the stand-in, since
// Wine's refuses every call), both given back when the mode ends.
#include <gtest/gtest.h>

#include "TVGraph.h"

#include "ClassOverride.h"
#include "CodecClassIds.h"
#include "OverlayMixerFilter.h"
#include "SimDesktop.h"
#include "TVSystem.h"
#include "UiCallLog.h"

#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace
{

// The Overlay Mixer stand-in belongs to the overlay variant of the prefix: here it is the
// class of this process only.
const char kOverlayModule[] = "C:\\sim\\filters\\simovmix.ax";
const COLORREF kOverlayKey = RGB(16, 0, 16);

// The panel's keyboard-shortcut switches, in the order made.
std::vector<std::string> AcceleratorCalls()
{
    std::vector<std::string> calls;
    for (const std::string& call : CUiCallLog::Calls()) {
        if (call.compare(0, 18, "EnableAccelerators") == 0)
            calls.push_back(call);
    }
    return calls;
}

class TVGraphDesktopTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CUiCallLog::Clear();
        m_window = CreateWindowExA(0, "STATIC", "preview", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
        ASSERT_NE((HWND)NULL, m_window);
        ASSERT_TRUE(m_graph.GetBuilder().MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_graph.SetOwnerWnd(m_window);
        theTVSystem.GetSettings().overlayDesktop = 0;
    }

    void TearDown() override
    {
        theTVSystem.GetSettings().overlayDesktop = 0;
        m_graph.CloseTV();
        DestroyWindow(m_window);
    }

    COLORREF ColorKey()
    {
        COLORREF key = 0;
        auto* mixer = dynamic_cast<COverlayMixerFilter*>(m_graph.GetBuilder().FindWrapper("Overlay Mixer"));
        EXPECT_TRUE(mixer && mixer->GetColorKey(&key));
        return key;
    }

    HWND m_window = NULL;
    CTVGraph m_graph;
};

TEST_F(TVGraphDesktopTest, TheModeKeysTheOverlayToTheDesktopAndTakesTheWallpaperAwayUntilItEnds)
{
    ClassOverride overlay(CLSID_OverlayMixerFilter, kOverlayModule);
    ASSERT_TRUE(overlay.Registered());
    SimDesktop desktop;
    ASSERT_TRUE(desktop.Registered());
    desktop.Save("C:\\windows\\sky.bmp", WPSTYLE_TILE);

    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    ASSERT_TRUE(m_graph.IsOverlayInUse());
    EXPECT_TRUE(m_graph.CanUseDesktopOverlay());
    EXPECT_FALSE(m_graph.IsDesktopOverlayOn());

    // The setting on, each rebuild of the preview keys the overlay to the desktop.
    theTVSystem.GetSettings().overlayDesktop = 1;
    ASSERT_TRUE(m_graph.HideWallpaper());
    ASSERT_TRUE(m_graph.RebuildPreview());
    EXPECT_TRUE(m_graph.IsDesktopOverlayOn());
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), ColorKey());
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState());
    EXPECT_EQ("", desktop.Wallpaper());
    EXPECT_EQ((DWORD)WPSTYLE_TILE, desktop.Style());

    // A new capture size reconnects the preview and keys it to the desktop again.
    ASSERT_TRUE(m_graph.SetDesktopOverlayOff());
    EXPECT_EQ(kOverlayKey, ColorKey());
    SIZE size = {720, 576};
    ASSERT_TRUE(m_graph.SetCaptureSize(size));
    EXPECT_TRUE(m_graph.IsDesktopOverlayOn());
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), ColorKey());

    theTVSystem.GetSettings().overlayDesktop = 0;
    ASSERT_NE(kOverlayKey, GetSysColor(COLOR_BACKGROUND)) << "the two keys must differ to tell them apart";
    ASSERT_TRUE(m_graph.SetDesktopOverlayOff());
    ASSERT_TRUE(m_graph.RestoreWallpaper());
    EXPECT_FALSE(m_graph.IsDesktopOverlayOn());
    EXPECT_EQ(kOverlayKey, ColorKey());
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState()) << "the picture runs on";
    EXPECT_EQ("C:\\windows\\sky.bmp", desktop.Wallpaper());
    EXPECT_EQ(2u, desktop.Applied());
    EXPECT_FALSE(m_graph.SetDesktopOverlayOff()) << "already off";
    EXPECT_FALSE(m_graph.RestoreWallpaper()) << "nothing left to restore";

    std::vector<std::string> expected = {"EnableAccelerators 0", "EnableAccelerators 1", "EnableAccelerators 1"};
    EXPECT_EQ(expected, AcceleratorCalls());
}

TEST_F(TVGraphDesktopTest, WithoutAWallpaperNothingIsRemembered)
{
    SimDesktop desktop;
    ASSERT_TRUE(desktop.Registered());
    desktop.Save("", WPSTYLE_CENTER);
    EXPECT_TRUE(m_graph.HideWallpaper());
    EXPECT_EQ(0u, desktop.Applied());
    EXPECT_FALSE(m_graph.RestoreWallpaper());
    EXPECT_EQ(0u, desktop.Applied());
}

// Wine's own shell object refuses every call, as a system without Active Desktop would.
TEST_F(TVGraphDesktopTest, WithoutTheShellObjectTheWallpaperCannotBeHidden)
{
    EXPECT_FALSE(m_graph.HideWallpaper());
    EXPECT_FALSE(m_graph.RestoreWallpaper());
    std::vector<std::string> expected = {"EnableAccelerators 0", "EnableAccelerators 1"};
    EXPECT_EQ(expected, AcceleratorCalls());
}

// The default prefix has no Overlay Mixer: the preview runs through the decompressor.
TEST_F(TVGraphDesktopTest, WithoutTheOverlayTheModeCannotBeOn)
{
    theTVSystem.GetSettings().overlayDesktop = 1;
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    EXPECT_FALSE(m_graph.IsOverlayInUse());
    EXPECT_FALSE(m_graph.CanUseDesktopOverlay());
    EXPECT_FALSE(m_graph.SetDesktopOverlayOn());
    EXPECT_FALSE(m_graph.IsDesktopOverlayOn());
}

} // namespace
