#pragma once

#include <windows.h>

// A message-only window on the creating thread that collects what worker threads post to
// it. Its messages are fetched only by the Wait/Take calls, on that same thread.
class MessageSink
{
public:
    MessageSink();
    ~MessageSink();
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    HWND Handle() const { return m_window; }
    // Removes the first queued message of that number; waits at most timeoutMs for one.
    bool WaitFor(UINT message, DWORD timeoutMs, MSG* got = NULL);

private:
    HWND m_window;
};
