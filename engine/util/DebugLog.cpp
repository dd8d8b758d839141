#include "DebugLog.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const char kViewerTitle[] = "DT ";
const char kHelperTitle[] = "DebugHelper ";
// A viewer that stops answering must not stop the program: each line waits this long at most.
const UINT kSendTimeoutMs = 500;

// The window lines go to; any thread may read or replace it.
std::atomic<HWND> g_target(NULL);
std::atomic<bool> g_searched(false);

bool OnNtPlatform()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The viewer of the first call is kept. Once the kept window is gone, a "DT " viewer gets the
// line without being kept, and otherwise a "DebugHelper " window is looked up and kept.
HWND FindTarget()
{
    if (!g_searched.exchange(true))
        g_target = FindWindowA(NULL, kViewerTitle);
    HWND target = g_target;
    if (IsWindow(target))
        return target;
    if (HWND viewer = FindWindowA(NULL, kViewerTitle))
        return viewer;
    target = FindWindowA(NULL, kHelperTitle);
    g_target = target;
    return target;
}

// The characters a printf call put into room bytes, whether or not it had to cut.
size_t Written(int result, size_t room)
{
    return result < 0 || (size_t)result >= room ? room - 1 : (size_t)result;
}

// A cut can split a double-byte character: its lone lead byte goes too.
void EndOnWholeCharacter(char* text)
{
    for (size_t i = 0; text[i] != '\0'; ++i) {
        if (IsDBCSLeadByte((BYTE)text[i]) && text[++i] == '\0') {
            text[i - 1] = '\0';
            return;
        }
    }
}

} // namespace

int DebugLog(const DebugSite* site, const char* format, ...)
{
    if (!OnNtPlatform())
        return 0;

    // The site and the caller's text go in by separate calls, so that only the caller's text
    // is read as a format: a '%' in the file path stays a character.
    char line[kDebugLineSize];
    size_t used = Written(snprintf(line, sizeof(line), "$$@@%s(%d)$$@@%d$$@@", site->file,
                                   site->line, site->level),
                          sizeof(line));
    va_list args;
    va_start(args, format);
    used += Written(vsnprintf(line + used, sizeof(line) - used, format, args), sizeof(line) - used);
    va_end(args);
    line[used] = '\0';
    if (used == sizeof(line) - 1)
        EndOnWholeCharacter(line);

    HWND target = FindTarget();
    if (target == NULL)
        return 0;
    DWORD_PTR result;
    SendMessageTimeoutA(target, WM_SETTEXT, 0, (LPARAM)line, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                        kSendTimeoutMs, &result);
    return 0;
}
