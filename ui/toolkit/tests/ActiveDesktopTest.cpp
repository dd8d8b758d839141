// The wallpaper through the shell's Active Desktop object: Wine's own refuses every call; the
// stand-in keeps a desktop the tests can read back.
#include "ActiveDesktop.h"
#include "SimDesktop.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

namespace
{

class ActiveDesktopTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(NULL)); }
    void TearDown() override { CoUninitialize(); }
};

WALLPAPEROPT Options(DWORD style)
{
    WALLPAPEROPT options = {sizeof(WALLPAPEROPT), style};
    return options;
}

} // namespace

TEST_F(ActiveDesktopTest, WithoutAWorkingShellObjectEveryCallFails)
{
    CActiveDesktop desktop;
    CString path("unchanged");
    EXPECT_FALSE(desktop.GetWallpaper(path));
    EXPECT_EQ(CString("unchanged"), path);
    EXPECT_FALSE(desktop.SetWallpaper("C:\\windows\\sky.bmp"));
}

TEST_F(ActiveDesktopTest, WallpaperAndOptionsAreSavedAndReadBack)
{
    SimDesktop sim;
    ASSERT_TRUE(sim.Registered());
    sim.Save("C:\\windows\\sky.bmp", WPSTYLE_TILE);
    {
        CActiveDesktop desktop;
        CString path;
        WALLPAPEROPT options = Options(0);
        ASSERT_TRUE(desktop.GetWallpaper(path, &options));
        EXPECT_EQ(CString("C:\\windows\\sky.bmp"), path);
        EXPECT_EQ((DWORD)WPSTYLE_TILE, options.dwStyle);

        // A Chinese path crosses the code page both ways.
        WALLPAPEROPT stretch = Options(WPSTYLE_STRETCH);
        ASSERT_TRUE(desktop.SetWallpaper("C:\\图片\\壁纸.bmp", &stretch));
    }
    EXPECT_EQ("C:\\图片\\壁纸.bmp", sim.Wallpaper());
    EXPECT_EQ((DWORD)WPSTYLE_STRETCH, sim.Style());
    EXPECT_EQ(1u, sim.Applied());

    CActiveDesktop again;
    CString path;
    ASSERT_TRUE(again.GetWallpaper(path));
    EXPECT_EQ(CString("C:\\图片\\壁纸.bmp"), path);
    ASSERT_TRUE(again.SetWallpaper(""));
    EXPECT_EQ("", sim.Wallpaper());
    EXPECT_EQ((DWORD)WPSTYLE_STRETCH, sim.Style()) << "options stay when none are given";
}

TEST_F(ActiveDesktopTest, ARefusedCallFailsAndLeavesTheDesktopAsItWas)
{
    SimDesktop sim;
    ASSERT_TRUE(sim.Registered());
    sim.Save("C:\\windows\\sky.bmp", WPSTYLE_CENTER);
    for (const char* failing : {"SetWallpaper", "ApplyChanges"}) {
        sim.SetFailing(failing);
        CActiveDesktop desktop;
        EXPECT_FALSE(desktop.SetWallpaper("C:\\windows\\other.bmp")) << failing;
        EXPECT_EQ("C:\\windows\\sky.bmp", sim.Wallpaper()) << failing;
        EXPECT_EQ(0u, sim.Applied()) << failing;
    }
    sim.SetFailing("GetWallpaper");
    CActiveDesktop desktop;
    CString path;
    EXPECT_FALSE(desktop.GetWallpaper(path));
}
