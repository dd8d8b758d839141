// Each thread's handle maps, and their end with the thread.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

#include <malloc.h>

#include <thread>

TEST(HandleMaps, AThreadsMapsEndWithItAndLeaveTheHeapWhole)
{
    // Ended threads' memory is handed out again: a map destroyed in freed memory shows on a
    // later round or in the heap's check.
    for (int round = 0; round < 3; ++round) {
        HWND seenOnThread = NULL;
        CWnd* permanentElsewhere = reinterpret_cast<CWnd*>(1);
        std::thread([&] {
            CWnd window;
            ASSERT_TRUE(window.CreateEx(0, NULL, "thread", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
            seenOnThread = window.m_hWnd;
            // A temporary object of every kind, left for the thread's end to delete.
            CWnd::FromHandle(GetDesktopWindow());
            HDC hDC = ::GetDC(window.m_hWnd);
            CDC::FromHandle(hDC);
            HMENU hMenu = CreatePopupMenu();
            CMenu::FromHandle(hMenu);
            CGdiObject::FromHandle(GetStockObject(BLACK_PEN));
            HIMAGELIST hImages = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
            CImageList::FromHandle(hImages);
            std::thread([&] { permanentElsewhere = CWnd::FromHandlePermanent(window.m_hWnd); })
                .join();
            ::ReleaseDC(window.m_hWnd, hDC);
            DestroyMenu(hMenu);
            ImageList_Destroy(hImages);
        }).join();
        EXPECT_NE((HWND)NULL, seenOnThread);
        EXPECT_EQ(nullptr, permanentElsewhere) << "a window's object is its thread's";
        EXPECT_EQ(_HEAPOK, _heapchk()) << "round " << round;
    }
}
