#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>

// A recorded bus call as the recorders write it down: the tag, then each byte as " %02X".
inline std::string HexLine(const char* tag, const BYTE* bytes, int count)
{
    std::string line = tag;
    for (int i = 0; i < count; ++i) {
        char text[4];
        snprintf(text, sizeof(text), " %02X", bytes[i]);
        line += text;
    }
    return line;
}
