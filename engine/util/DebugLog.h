#pragma once

#include <windows.h>

// Where a trace line comes from: the caller's source file and line, and its level.
struct DebugSite
{
    const char* file;
    int line;
    int level;
};

// The level every caller of the program passes.
enum { kDebugLogLevel = 4096 };
// The longest line DebugLog sends, terminator included; longer lines are cut.
enum { kDebugLineSize = 1024 };

// Sends "$$@@file(line)$$@@level$$@@text" to the debug viewer window ("DT ", else
// "DebugHelper "), text being format filled in with the arguments. Does nothing off the NT
// platform or without a viewer. Always 0. Any thread may call it.
int DebugLog(const DebugSite* site, const char* format, ...);

// DEBUG_LOG("channel %d", n): a trace line from this source line at the program's level.
#define DEBUG_LOG(...)                                                                       \
    do {                                                                                     \
        static const DebugSite debugLogSite_ = {__FILE__, __LINE__, kDebugLogLevel};         \
        DebugLog(&debugLogSite_, __VA_ARGS__);                                               \
    } while (0)
