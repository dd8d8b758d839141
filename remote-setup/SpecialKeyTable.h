#pragma once

#include <afx.h>

// The keys a key record names by row index rather than by character: row 0 is none. Each row
// pairs the stored index with the Windows virtual-key code it stands for and its shown text.
class SpecialKeyTable
{
public:
    enum { kCount = 43 };

    static int GetVirtualKey(int index);
    static UINT GetStringId(int index);
    // Loaded from the string table; empty for an index outside the table.
    static CString GetText(int index);
};
