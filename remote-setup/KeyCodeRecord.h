#pragma once

// One keystroke of one remote key in a program's key table, 24 bytes as the table file stores
// it: the remote-key id, then the combination in KeyMapRecord's order.
#pragma pack(push, 1)
struct KeyCodeRecord
{
    int remoteKeyId;
    int ctrl;
    int alt;
    int shift;
    int specialKey;
    int character;
};
#pragma pack(pop)

static_assert(sizeof(KeyCodeRecord) == 24, "a key table's record");
