#include "DebugHelperWindow.h"

namespace {

const char kClassName[] = "SuiteDebugHelperWindow";

void RegisterWindowClass(WNDPROC proc)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);  // fails harmlessly when registered already
}

} // namespace

const char DebugHelperWindow::kTitle[] = "DebugHelper ";

DebugHelperWindow::DebugHelperWindow(const char* title)
    : m_title(title)
{
    HANDLE created = CreateEventA(NULL, TRUE, FALSE, NULL);
    m_thread = std::thread(&DebugHelperWindow::Pump, this, created);
    WaitForSingleObject(created, INFINITE);
    CloseHandle(created);
}

DebugHelperWindow::~DebugHelperWindow()
{
    if (m_window)
        PostMessageA(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
}

std::vector<std::string> DebugHelperWindow::Texts() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_texts;
}

// created: signalled by this thread once the window exists (or failed), waited on by the
// constructor.
void DebugHelperWindow::Pump(HANDLE created)
{
    RegisterWindowClass(WindowProc);
    m_window = CreateWindowExA(0, kClassName, m_title.c_str(), WS_OVERLAPPED, 0, 0, 0, 0, NULL,
                               NULL, GetModuleHandleA(NULL), this);
    SetEvent(created);
    if (!m_window)
        return;
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
}

LRESULT CALLBACK DebugHelperWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    } else if (message == WM_SETTEXT) {
        // Recorded, never applied: the title is how the sender finds this window.
        auto self = (DebugHelperWindow*)GetWindowLongPtrA(window, GWLP_USERDATA);
        std::lock_guard<std::mutex> guard(self->m_lock);
        self->m_texts.push_back(lParam ? (const char*)lParam : "");
        return TRUE;
    } else if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
