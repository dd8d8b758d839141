#pragma once

#include <windows.h>

// Names in the engine's fixed character buffers (filter, device and pin names). A name that
// does not fit is cut at a whole character of the ANSI code page, so a double-byte
// character never loses its trail byte, and the buffer always ends in a NUL.
class CNameBuffer
{
public:
    static void Copy(char* buffer, int size, const char* text);
    // Converts with the ANSI code page.
    static void FromWide(char* buffer, int size, const WCHAR* text);
};
