// The picture-in-picture card tells the user when another process keeps the remote-control
// mutex from it while it opens, and stays unusable.
#include <gtest/gtest.h>

#include "713xPipCapture.h"
#include "DialogWatcher.h"
#include "GraphBuilder.h"
#include "MutexHolder.h"
#include "SimDeviceSupport.h"

#include <vector>

TEST(C713xPipLock, AnotherHolderOfTheRemoteMutexLeavesTheCardInvalidAfterABox)
{
    CGraphBuilder graph;
    ASSERT_TRUE(graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
    SimControl::Install(FALSE, L"card=1");
    ASSERT_EQ(S_OK, SimControl::Install(TRUE, L"card=1;family=713x_PIP"));
    std::vector<ShownDialog> shown;
    {
        MutexHolder holder("Mutex_Remote_Control");
        ASSERT_TRUE(holder.IsHolding());
        DialogWatcher watcher;
        C713xPipCapture* device = dynamic_cast<C713xPipCapture*>(graph.AddFilterByName(
            CLSID_VideoInputDeviceCategory, "713x_PIP TV Card Capture", "Video Capture", 0, 0));
        shown = watcher.Dialogs();
        if (device) {
            EXPECT_FALSE(device->IsValid());
            EXPECT_EQ(nullptr, device->GetI2CAccess());
        }
    }
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("Initfilter lock failed", shown[0].text);
    EXPECT_EQ(IDOK, shown[0].pressed);

    // With the mutex free the same card opens.
    C713xPipCapture* device = dynamic_cast<C713xPipCapture*>(
        graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "713x_PIP TV Card Capture", "Video Capture", 0, 0));
    ASSERT_NE(nullptr, device);
    EXPECT_TRUE(device->IsValid());
    graph.TearDown();
    SimControl::Install(FALSE, L"card=1");
}
