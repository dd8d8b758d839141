#include "DebugTrace.h"

#include <windows.h>

#include <stdarg.h>
#include <strsafe.h>

namespace {

const char kViewerTitle[] = "DebugHelper ";
const char kFormatFailed[] = "DebugHelper输出字符串格式错误!";
const size_t kLineSize = 1024;
// A viewer that stops answering must not stop the desktop.
const UINT kSendTimeoutMs = 500;

// Found once, and again whenever the viewer has gone.
HWND s_viewer = NULL;

}  // namespace

int DebugTrace(const char* format, ...)
{
    if (!s_viewer || !IsWindow(s_viewer))
        s_viewer = FindWindowA(NULL, kViewerTitle);
    if (!s_viewer)
        return 0;

    char line[kLineSize];
    va_list args;
    va_start(args, format);
    HRESULT hr = format ? StringCchVPrintfA(line, kLineSize, format, args) : E_INVALIDARG;
    va_end(args);
    DWORD_PTR result;
    SendMessageTimeoutA(s_viewer, WM_SETTEXT, 0, (LPARAM)(SUCCEEDED(hr) ? line : kFormatFailed),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return 1;
}
