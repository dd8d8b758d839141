#pragma once

#include <windows.h>

#include <functional>

// Runs a step inside the modal loop of a popup menu that is about to open on this thread
// (TrackPopupMenu): a thread timer fires in the menu's loop, the step runs while the menu is
// shown, and then EndMenu closes it, so the test's TrackPopupMenu returns. Arm it, then open
// the menu.
class MenuLoopStep
{
public:
    // The step gets the open menu window ("#32768").
    explicit MenuLoopStep(const std::function<void(HWND menuWindow)>& step);
    ~MenuLoopStep();
    MenuLoopStep(const MenuLoopStep&) = delete;
    MenuLoopStep& operator=(const MenuLoopStep&) = delete;

    // Whether the step ran inside an open menu.
    bool Ran() const { return m_ran; }

private:
    enum { kPollMs = 50, kGiveUpTicks = 100 };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
    void Poll();

    std::function<void(HWND)> m_step;
    UINT_PTR m_timer;
    int m_ticks = 0;
    bool m_ran = false;
};
