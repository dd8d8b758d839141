#include "MuxWriterError.h"

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>

extern "C" int MuxWriterError(const char* format, ...)
{
    char line[260] = "Err:";
    va_list args;
    va_start(args, format);
    vsnprintf(line + 4, sizeof(line) - 4, format, args);
    va_end(args);
    OutputDebugStringA(line);
    return 0;
}
