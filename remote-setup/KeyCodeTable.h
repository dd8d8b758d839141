#pragma once

#include <afx.h>

#include <vector>

#include "KeyCodeRecord.h"

class CKeyMapFile;

// The keystrokes of one program: a count, then the records, as its key-table file stores them.
class CKeyCodeTable
{
public:
    // Appends the file's records; the caller empties the table first. Only the records the file
    // holds are read, however large its count, and a negative count reads none. FALSE when the
    // file cannot be opened.
    BOOL Load(const char* path);
    // FALSE, with the old file left as it was, when the file cannot be written.
    BOOL Save(const char* path) const;

    // The id and keys of every record of the map, in map order.
    void ReplaceFrom(const CKeyMapFile& map);

    int GetCount() const { return (int)m_records.size(); }
    const KeyCodeRecord& GetAt(int index) const { return m_records[index]; }
    // The position of the first record of the id, -1 when there is none.
    int Find(int remoteKeyId) const;
    void Add(const KeyCodeRecord& record) { m_records.push_back(record); }
    void RemoveAt(int index) { m_records.erase(m_records.begin() + index); }
    void RemoveAll() { m_records.clear(); }

private:
    std::vector<KeyCodeRecord> m_records;
};
