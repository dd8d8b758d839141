#pragma once

#include <windows.h>

#include <string>

class CSimProgram;

// What one outside program is: the stem its file is named with, its window title and the
// little it does beyond what every copy does (CSimProgram).
struct SimPersonality
{
    // Matched against the file stem without regard to case; NULL in the fallback record.
    const char* stem;
    // NULL: the stem itself.
    const char* title;
    // Run once the window exists; NULL when there is nothing more to do.
    void (*start)(CSimProgram& program);
    // Offered every window message first; TRUE when it handled it. NULL: none.
    bool (*message)(CSimProgram& program, UINT message, WPARAM wParam, LPARAM lParam);
};

// The record of that stem, or the fallback record (title = stem, nothing more).
const SimPersonality& FindPersonality(const std::string& stem);
