#include "MenuLoopStep.h"

#include "WindowPixels.h"

namespace {

// The one armed step of this thread: a thread timer's callback gets no context of its own.
thread_local MenuLoopStep* t_armed = NULL;

} // namespace

MenuLoopStep::MenuLoopStep(const std::function<void(HWND menuWindow)>& step) : m_step(step)
{
    t_armed = this;
    m_timer = SetTimer(NULL, 0, kPollMs, OnTimer);
}

MenuLoopStep::~MenuLoopStep()
{
    if (m_timer != 0)
        KillTimer(NULL, m_timer);
    t_armed = NULL;
}

void CALLBACK MenuLoopStep::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_armed != NULL)
        t_armed->Poll();
}

void MenuLoopStep::Poll()
{
    HWND menu = WindowPixels::OpenMenuWindow();
    // A menu that never opens must not leave the timer running for good.
    if (menu == NULL && ++m_ticks < kGiveUpTicks)
        return;
    KillTimer(NULL, m_timer);
    m_timer = 0;
    if (menu == NULL)
        return;
    m_step(menu);
    m_ran = true;
    EndMenu();
}
