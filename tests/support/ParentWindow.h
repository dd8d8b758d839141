#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// One message a window was sent, with what identifies it: for WM_COMMAND the control id and
// notification code, for WM_NOTIFY the NMHDR's id and code.
struct LoggedMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;    // the control id of WM_COMMAND and WM_NOTIFY, else 0
    UINT code;  // the notification code of WM_COMMAND and WM_NOTIFY, else 0
};

// A visible top-level window on this thread that keeps a log of every message it is sent,
// to stand as the parent of the controls and windows under test. An answer function can
// reply to a message instead of the default handling.
class ParentWindow
{
public:
    // The answer: TRUE when it handled the message, its result in *result.
    typedef std::function<BOOL(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)>
        Answer;

    explicit ParentWindow(const RECT& rect = {100, 100, 500, 400}, DWORD style = WS_OVERLAPPEDWINDOW);
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    HWND Handle() const { return m_window; }
    void SetAnswer(const Answer& answer) { m_answer = answer; }

    const std::vector<LoggedMessage>& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    // The logged messages of that number (and, when given, of that control id and code).
    std::vector<LoggedMessage> Sent(UINT message) const;
    std::vector<LoggedMessage> Sent(UINT message, UINT id, UINT code) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = NULL;
    std::vector<LoggedMessage> m_log;
    Answer m_answer;
};
