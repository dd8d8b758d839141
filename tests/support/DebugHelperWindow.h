#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Stands in for the external debug viewer: a hidden top-level window titled "DebugHelper "
// (or "DT ", the other title the program looks for) that keeps the text of every WM_SETTEXT
// it is sent. The program's debug log waits for each line to be taken, so the window has its
// own thread that is always pumping.
class DebugHelperWindow
{
public:
    // The window exists when the constructor returns.
    explicit DebugHelperWindow(const char* title = kTitle);
    ~DebugHelperWindow();
    DebugHelperWindow(const DebugHelperWindow&) = delete;
    DebugHelperWindow& operator=(const DebugHelperWindow&) = delete;

    HWND Handle() const { return m_window; }
    // Raw bytes, in the order they arrived.
    std::vector<std::string> Texts() const;

    static const char kTitle[];

private:
    void Pump(HANDLE created);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Guards m_texts, appended to by the window thread.
    mutable std::mutex m_lock;
    std::vector<std::string> m_texts;

    std::string m_title;
    HWND m_window = NULL;
    std::thread m_thread;
};
