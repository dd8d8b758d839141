#include <gtest/gtest.h>

#include "ModulePaths.h"

#include "CVideoBrowser.h"
#include "ParentWindow.h"
#include "PumpMessages.h"
#include "TempFolder.h"
#include "TestVideos.h"

namespace {

// The video browser's thumbnails grabbed through the prefix's DirectShow.
TEST(VideoBrowser, GrabsAFrameOfEachVideoAndLeavesNoGrabbedPictureBehind)
{
    CoInitialize(NULL);
    const CString grab = GetModuleDir() + "\\Grab.bmp";
    // One left by an earlier run goes too.
    ASSERT_TRUE(TempFolder::WriteWholeFile((LPCTSTR)grab, "BM left over"));
    TempFolder temp;
    ASSERT_TRUE(WriteAvi(temp.FilePath("clip.avi"), 3));
    temp.Write("notes.avi", "just some text, not a video file\r\n");
    CreateDirectoryA(temp.FilePath("sub").c_str(), NULL);

    ParentWindow host{RECT{40, 40, 640, 480}};
    CVideoBrowser browser;
    browser.SetGrid(3, 3);
    ASSERT_TRUE(browser.Create(WS_VISIBLE, CRect(10, 10, 410, 310), CWnd::FromHandle(host.Handle()), 2007));
    ASSERT_TRUE(browser.FillList(temp.Path().c_str()));
    CString names[4];
    for (int i = 0; i < 4; ++i)
        browser.GetItemText(i, names[i]);
    ASSERT_STREQ("sub", names[1]);
    ASSERT_STREQ("clip.avi", names[2]);
    ASSERT_STREQ("notes.avi", names[3]);

    EXPECT_TRUE(PumpMessagesUntil([&] {
        for (int i = 0; i < browser.GetCount(); ++i)
            if (browser.GetEntryState(i) == CMediaBrowser::ENTRY_WAITING)
                return false;
        return true;
    }, 20000));
    EXPECT_EQ(CMediaBrowser::ENTRY_FOLDER, browser.GetEntryState(0));
    EXPECT_EQ(CMediaBrowser::ENTRY_FOLDER, browser.GetEntryState(1));
    EXPECT_EQ(4, browser.GetEntryState(2));
    EXPECT_EQ(CMediaBrowser::ENTRY_FAILED, browser.GetEntryState(3));
    EXPECT_EQ(5, browser.GetImageList().GetImageCount());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(grab));
    browser.DestroyWindow();
    CoUninitialize();
}

}  // namespace
