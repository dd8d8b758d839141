#include "MuxLibService.h"

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace
{

enum { kLineSize = 256 };

// Formats into a line that always has room for the ending.
void SendLine(const char* ending, const char* format, va_list args)
{
    char line[kLineSize + 4];
    vsnprintf(line, kLineSize, format, args);
    strcat(line, ending);
    OutputDebugStringA(line);
}

int PrintError(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    SendLine("\n", format, args);
    va_end(args);
    return 0;
}

int PrintProgress(int value, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    SendLine("", format, args);
    va_end(args);
    char tail[32];
    snprintf(tail, sizeof(tail), " %d\n", value);
    OutputDebugStringA(tail);
    return 0;
}

int PrintNotice(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    SendLine("\r\n", format, args);
    va_end(args);
    return 0;
}

struct Service
{
    const char* name;
    void* function;
};

const Service kServices[] = {
    {"malloc", reinterpret_cast<void*>(&malloc)},
    {"free", reinterpret_cast<void*>(&free)},
    {"err_printf", reinterpret_cast<void*>(&PrintError)},
    {"prg_printf", reinterpret_cast<void*>(&PrintProgress)},
    {"wrn_printf", reinterpret_cast<void*>(&PrintNotice)},
    {"inf_printf", reinterpret_cast<void*>(&PrintNotice)},
};

} // namespace

extern "C" void* MuxGetLibService(const char* name)
{
    printf("%s\n", name);
    for (const Service& service : kServices) {
        if (strcmp(service.name, name) == 0)
            return service.function;
    }
    printf("NotInitialized: %s\n", name);
    return nullptr;
}
