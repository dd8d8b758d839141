#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "DebugHelperWindow.h"

TEST(DebugHelperWindow, RecordsBlockingSetTextsInOrderAsRawBytes)
{
    DebugHelperWindow viewer;
    HWND found = FindWindowA(NULL, "DebugHelper ");
    ASSERT_EQ(viewer.Handle(), found);
    EXPECT_FALSE(IsWindowVisible(found));

    SendMessageA(found, WM_SETTEXT, 0, (LPARAM) "$$@@a.cpp(1)$$@@0$$@@\xD6\xD0\\");
    std::thread other([&] { SendMessageA(found, WM_SETTEXT, 0, (LPARAM) "second"); });
    other.join();

    auto texts = viewer.Texts();
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ("$$@@a.cpp(1)$$@@0$$@@\xD6\xD0\\", texts[0]);
    EXPECT_EQ("second", texts[1]);
    // The title stays, or the next sender would not find the window.
    EXPECT_EQ(found, FindWindowA(NULL, "DebugHelper "));
}

TEST(DebugHelperWindow, IsGoneAfterwards)
{
    {
        DebugHelperWindow viewer;
    }
    EXPECT_EQ(NULL, FindWindowA(NULL, "DebugHelper "));
}
