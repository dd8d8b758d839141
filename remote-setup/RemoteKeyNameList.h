#pragma once

#include <afx.h>

#include <vector>

// The 50 assignable remote keys in the order of the remote-control picture, each with its
// name loaded from the string table.
class RemoteKeyNameList
{
public:
    struct Entry
    {
        int id;
        CString name;
    };

    // Loads the names; the list is empty until then.
    void Build();

    int GetCount() const { return (int)m_entries.size(); }
    const Entry& GetAt(int index) const { return m_entries[index]; }
    // Empty for an id that is not an assignable key.
    CString GetName(int id) const;
    // Positions in the list, -1 when missing.
    int FindId(int id) const;
    int FindName(const char* name) const;

private:
    std::vector<Entry> m_entries;
};
