#pragma once

#include <windows.h>

#include <cstring>

// One action of one remote key in a key map, 548 bytes as Default.dat stores it.
#pragma pack(push, 1)
struct KeyMapRecord
{
    enum { kTextSize = 260 };
    enum Mode { kModeKeystroke = 0, kModeRun = 1 };

    int remoteKeyId;  // -1 in an empty record
    int mode;
    // The key combination: hold Ctrl, Alt, Shift (nonzero), then press the special key (a row
    // of SpecialKeyTable, 0 none) or the character (its code, 0 none).
    int ctrl;
    int alt;
    int shift;
    int specialKey;
    int character;
    char path[kTextSize];        // program to run in mode 1, ANSI, zero-filled
    char parameters[kTextSize];  // its command line

    // A keystroke record with no keys and empty texts.
    static KeyMapRecord ForId(int id)
    {
        KeyMapRecord record;
        memset(&record, 0, sizeof(record));
        record.remoteKeyId = id;
        return record;
    }
};
#pragma pack(pop)

static_assert(sizeof(KeyMapRecord) == 548, "Default.dat's record");
