#pragma once

#include <windows.h>

#include <vector>

#include "KeyMapRecord.h"

// The side that keeps the key sets: it takes each record the key dialog applies, stores it
// and saves the set's file at once.
class KeySettingStore
{
public:
    // The working list, the applied record's position in it, and whether the dialog adds keys
    // (else the whole list is the set as edited).
    virtual void StoreKeySetting(const std::vector<KeyMapRecord>& list, int position,
                                 BOOL addMode) = 0;

protected:
    ~KeySettingStore() = default;
};
