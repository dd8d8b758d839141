#include <gtest/gtest.h>

#include "CPictureScene.h"
#include "CSceneContainer.h"
#include "CWinApp.h"
#include "ParentWindow.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "UserInput.h"

namespace {

// The picture page under the real mouse and keyboard: a click on a picture shows it, the keys
// reach the page that shows it, and a click brings the browser back.
TEST(PictureViewingInput, AClickShowsAPictureKeysStepAndAClickReturns)
{
    CoInitialize(NULL);
    TempFolder temp;
    for (const char* name : {"a.jpg", "b.jpg"})
        ASSERT_TRUE(WriteQuartersJpeg(temp.FilePath(name)));
    ParentWindow host{RECT{0, 0, 800, 600}, WS_POPUP};
    CWnd main;
    main.Attach(host.Handle());
    CWinApp app;
    app.m_pMainWnd = &main;
    {
        CPictureScene scene;
        scene.SetFolder(temp.Path().c_str());
        scene.GetBrowser().SetTypes(".jpg.");
        ASSERT_TRUE(scene.Create(0, CRect(0, 0, 800, 600), &main, 1004));
        CSceneContainer container;
        container.AddPage(&scene);
        ASSERT_TRUE(container.ShowPage(0));
        UserInput::BringToFront(host.Handle());

        CMediaBrowser& browser = scene.GetBrowser();
        ASSERT_EQ(3, browser.GetCount());
        const CRect first = browser.GetItemRect(1);
        UserInput::Click(browser.m_hWnd, {first.left + 10, first.top + 10});
        EXPECT_TRUE(scene.IsViewing());
        EXPECT_EQ(1, scene.GetViewIndex());
        EXPECT_EQ(scene.m_hWnd, GetFocus());

        UserInput::Key(VK_SPACE);
        EXPECT_EQ(2, scene.GetViewIndex());
        UserInput::Key(VK_PRIOR);
        EXPECT_EQ(1, scene.GetViewIndex());
        UserInput::Click(scene.m_hWnd, {400, 300});
        EXPECT_FALSE(scene.IsViewing());
        EXPECT_TRUE(browser.IsWindowVisible());
        EXPECT_EQ(browser.m_hWnd, GetFocus());
        scene.DestroyWindow();
    }
    app.m_pMainWnd = NULL;
    main.Detach();
    CoUninitialize();
}

}  // namespace
