#include "TimedMessageBox.h"

#include <cstdio>

namespace {

// The countdown of the box open on this thread. The thread timer's procedure has no other way
// to reach it; a box opened from inside another's countdown stacks its own state, found by
// its timer.
struct Countdown
{
    HWND owner;
    HWND box;       // the message box made for owner, found by the creation hook; NULL until then
    int seconds;
    HHOOK hook;
    UINT_PTR timer;
    Countdown* outer;
};
thread_local Countdown* t_countdown = NULL;

// Notes the box as it is made: the first dialog-class window of this thread owned by owner.
// Retitling "the last active popup" instead would hit the owner itself or another popup
// whenever the box was not the one in front.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    Countdown* countdown = t_countdown;
    if (code == HCBT_CREATEWND && countdown != NULL && countdown->box == NULL) {
        CBT_CREATEWNDA* create = (CBT_CREATEWNDA*)lParam;
        char className[16] = "";
        GetClassNameA((HWND)wParam, className, sizeof(className));
        if (lstrcmpA(className, "#32770") == 0 && create->lpcs->hwndParent == countdown->owner)
            countdown->box = (HWND)wParam;
    }
    return CallNextHookEx(countdown != NULL ? countdown->hook : NULL, code, wParam, lParam);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    Countdown* countdown = t_countdown;
    while (countdown != NULL && countdown->timer != timer)
        countdown = countdown->outer;
    if (countdown == NULL)
        return;
    if (--countdown->seconds < 1) {
        // The box's modal loop ends on a quit request; it is taken off the queue afterwards.
        PostQuitMessage(0);
        return;
    }
    if (countdown->box != NULL && IsWindow(countdown->box)) {
        char title[64];
        sprintf(title, "Left Seconds: %d", countdown->seconds);
        SetWindowTextA(countdown->box, title);
    }
}

} // namespace

int TimedMessageBox(CWnd* pOwner, LPCTSTR text, LPCTSTR caption, int timeoutResult, UINT type,
                    UINT timeMs)
{
    if (pOwner == NULL)
        pOwner = AfxGetMainWnd();
    Countdown countdown = {};
    countdown.owner = pOwner->GetSafeHwnd();
    countdown.seconds = (int)(timeMs / 1000) + 1;
    countdown.outer = t_countdown;
    t_countdown = &countdown;
    countdown.hook = SetWindowsHookExA(WH_CBT, CreationHook, NULL, GetCurrentThreadId());
    countdown.timer = SetTimer(NULL, 0, 1000, Tick);

    int result = MessageBoxA(countdown.owner, text, caption, type);

    KillTimer(NULL, countdown.timer);
    if (countdown.hook != NULL)
        UnhookWindowsHookEx(countdown.hook);
    t_countdown = countdown.outer;
    MSG quit;
    if (PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        return timeoutResult;
    return result;
}

int TimedMessageBox(CWnd* pOwner, UINT textId, UINT captionId, int timeoutResult, UINT type,
                    UINT timeMs)
{
    CString text, caption;
    text.LoadString(textId);
    caption.LoadString(captionId);
    return TimedMessageBox(pOwner, text, caption, timeoutResult, type, timeMs);
}
