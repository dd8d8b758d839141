// Double-byte character rules of the ANSI code page (936, GBK, under the suite's Wine prefix),
// shared by CString and CStdioFile. A lead byte starts a two-byte character whose trail byte
// may be any of 0x40-0xFE, including '\\' and ASCII letters, so byte-wise searching, case
// mapping and cutting must walk whole characters from the start of a string.
#pragma once

#include "afxdefs.h"

namespace afx_internal {

// TRUE when c starts a double-byte character in the ANSI code page.
bool IsLeadByte(unsigned char c);

// Size in bytes (1 or 2) of the character starting at s[i] in a string of nLength bytes.
// A lead byte in the last position has no trail and counts as one byte.
inline int CharSizeAt(const char* s, int i, int nLength)
{
    return (i + 1 < nLength && IsLeadByte((unsigned char)s[i])) ? 2 : 1;
}

// The character at s[i] as one code: the byte for a single-byte character,
// (lead << 8) | trail for a double-byte one (the ordering the C runtime's _mbscmp uses).
inline unsigned CharCodeAt(const char* s, int i, int nSize)
{
    return nSize == 2 ? ((unsigned)(unsigned char)s[i] << 8) | (unsigned char)s[i + 1]
                      : (unsigned char)s[i];
}

// Start of the character that contains byte index (0 <= index <= nLength; nLength itself is a
// boundary).
int CharStartAt(const char* s, int nLength, int index);

// True when the character of nSize bytes at s[i] occurs in the NUL-terminated set.
bool CharInSet(const char* s, int i, int nSize, const char* set);

// The upper- or lower-case form of the character at s[i] written to out (same size): ASCII
// letters for single bytes, the code page's case mapping for double-byte characters (full-width
// Latin, Greek and Cyrillic letters); other characters unchanged.
void MapCharCase(const char* s, int i, int nSize, bool bUpper, char* out);

} // namespace afx_internal
