#include "ParentWindow.h"

namespace {

const char kClassName[] = "SuiteTestParent";

} // namespace

ParentWindow::ParentWindow(const RECT& rect, DWORD style)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    m_window = CreateWindowExA(0, kClassName, "Test parent", style | WS_VISIBLE, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, NULL,
                               NULL, wc.hInstance, this);
}

ParentWindow::~ParentWindow()
{
    if (IsWindow(m_window))
        DestroyWindow(m_window);
}

std::vector<LoggedMessage> ParentWindow::Sent(UINT message) const
{
    std::vector<LoggedMessage> found;
    for (const LoggedMessage& logged : m_log)
        if (logged.message == message)
            found.push_back(logged);
    return found;
}

std::vector<LoggedMessage> ParentWindow::Sent(UINT message, UINT id, UINT code) const
{
    std::vector<LoggedMessage> found;
    for (const LoggedMessage& logged : Sent(message))
        if (logged.id == id && logged.code == code)
            found.push_back(logged);
    return found;
}

LRESULT CALLBACK ParentWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    ParentWindow* self = (ParentWindow*)GetWindowLongPtrA(window, GWLP_USERDATA);
    if (self == NULL)
        return DefWindowProcA(window, message, wParam, lParam);
    LoggedMessage logged = {message, wParam, lParam, 0, 0};
    if (message == WM_COMMAND) {
        logged.id = LOWORD(wParam);
        logged.code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        logged.id = (UINT)((NMHDR*)lParam)->idFrom;
        logged.code = ((NMHDR*)lParam)->code;
    }
    self->m_log.push_back(logged);
    LRESULT result = 0;
    if (self->m_answer && self->m_answer(message, wParam, lParam, &result))
        return result;
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
}
