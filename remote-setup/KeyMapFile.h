#pragma once

#include <afx.h>

#include <vector>

#include "KeyMapRecord.h"

class CKeyCodeTable;

// A key map: the actions of remote keys in map order, as Default.dat stores them.
class CKeyMapFile
{
public:
    // Replaces the content by the file's whole records (a shorter rest is ignored). FALSE when
    // the file cannot be opened or read; the records read so far stay.
    BOOL Load(const char* path);
    // FALSE, with the old file left as it was, when the file cannot be written.
    BOOL Save(const char* path) const;

    // One empty keystroke record per key of DefaultKeyOrder.
    void ResetToDefaults();
    // Each record of the other map overwrites the record of its id in place, or is appended.
    void MergeFrom(const CKeyMapFile& other);
    // Drops every record whose id the table holds.
    void RemoveIds(const CKeyCodeTable& table);
    // One keystroke record per table record, in table order.
    void FromKeyCodeTable(const CKeyCodeTable& table);

    // The map Tandril shows as "default": the 50 keys in DefaultKeyOrder with the actions
    // Default.dat in the folder gives them, then the file's records of other ids. The result
    // is that of reading the file.
    BOOL LoadDefaultMap(const char* programFolder);
    // Writes the factory map (the module's "DATFILE" resource) as Default.dat in the folder,
    // then loads the default map from it. The folder becomes the current directory.
    BOOL RestoreFactoryMap(HMODULE module, const char* programFolder);

    int GetCount() const { return (int)m_records.size(); }
    const KeyMapRecord& GetAt(int index) const { return m_records[index]; }
    KeyMapRecord& GetAt(int index) { return m_records[index]; }
    // The position of the id's record, -1 when there is none.
    int Find(int remoteKeyId) const;
    void Add(const KeyMapRecord& record) { m_records.push_back(record); }

private:
    std::vector<KeyMapRecord> m_records;
};

extern const char kDefaultKeyMapFile[];  // "Default.dat"
