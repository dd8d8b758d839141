#include "SimLogTail.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace
{
LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}
}

SimLogTail::SimLogTail(const char* module) : m_path(std::string("C:\\sim\\log\\") + module + ".log")
{
    m_start = FileSize(m_path);
}

std::vector<std::string> SimLogTail::Lines() const
{
    std::vector<std::string> lines;
    HANDLE file = CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    LARGE_INTEGER at;
    at.QuadPart = m_start;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    // "%010lu %5lu text": keep this process's lines.
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find("\r\n", begin);
        if (end == std::string::npos)
            break;
        std::string line = text.substr(begin, end - begin);
        begin = end + 2;
        if (line.size() > 17 && strtoul(line.c_str() + 11, nullptr, 10) == GetCurrentProcessId())
            lines.push_back(line.substr(17));
    }
    return lines;
}
