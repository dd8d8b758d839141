#include "CSimLog.h"

#include <stdarg.h>
#include <stdio.h>

CSimLog::CSimLog(const char* module, DWORD level) : m_level(level)
{
    snprintf(m_path, sizeof(m_path), "C:\\sim\\log\\%s.log", module);
}

void CSimLog::Line(const char* format, ...) const
{
    if (m_level < 1)
        return;
    va_list args;
    va_start(args, format);
    Write(format, args);
    va_end(args);
}

void CSimLog::Sample(const char* format, ...) const
{
    if (m_level < 2)
        return;
    va_list args;
    va_start(args, format);
    Write(format, args);
    va_end(args);
}

void CSimLog::Write(const char* format, va_list args) const
{
    char text[512];
    vsnprintf(text, sizeof(text), format, args);
    char line[600];
    int length = snprintf(line, sizeof(line), "%010lu %5lu %s\r\n", GetTickCount(), GetCurrentProcessId(), text);
    if (length < 0)
        return;
    if (length >= (int)sizeof(line))
        length = sizeof(line) - 1;
    CreateDirectoryA("C:\\sim", nullptr);
    CreateDirectoryA("C:\\sim\\log", nullptr);
    // Opened per line: appending through FILE_APPEND_DATA keeps lines of several processes whole.
    HANDLE file = CreateFileA(m_path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, (DWORD)length, &written, nullptr);
    CloseHandle(file);
}
