#include "MessageSink.h"

MessageSink::MessageSink()
    : m_window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                               GetModuleHandleA(NULL), NULL))
{
}

MessageSink::~MessageSink()
{
    DestroyWindow(m_window);
}

bool MessageSink::WaitFor(UINT message, DWORD timeoutMs, MSG* got)
{
    MSG local;
    MSG* out = got ? got : &local;
    DWORD start = GetTickCount();
    for (;;) {
        if (PeekMessageA(out, m_window, message, message, PM_REMOVE))
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, timeoutMs - elapsed, QS_POSTMESSAGE);
    }
}
