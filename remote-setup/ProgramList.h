#pragma once

#include <afx.h>

#include <vector>

// One program the remote keys can be set for.
struct ProgramEntry
{
    CString displayName;
    CString applicationFile;  // full path of the program the keys are meant for
    CString keyTableFile;     // a file name in the program folder
};

// The programs of Service.ini, in its order, and the name of the default key-map file.
class CProgramList
{
public:
    CProgramList();

    // FALSE, with the list untouched, when the file cannot be loaded. A program whose section
    // is missing is left out.
    BOOL Read(const char* path);
    // Writes "General" and then one section per program; the result of the save.
    BOOL Write(const char* path) const;

    // The first entry of that display name, ignoring case; -1 when there is none.
    int FindByName(const char* displayName) const;

    int GetCount() const { return (int)m_entries.size(); }
    const ProgramEntry& GetAt(int index) const { return m_entries[index]; }
    ProgramEntry& GetAt(int index) { return m_entries[index]; }
    void Add(const ProgramEntry& entry) { m_entries.push_back(entry); }
    void RemoveAt(int index) { m_entries.erase(m_entries.begin() + index); }

    const CString& GetDefaultFileName() const { return m_defaultFile; }
    void SetDefaultFileName(const char* name) { m_defaultFile = name; }

private:
    std::vector<ProgramEntry> m_entries;
    CString m_defaultFile;
};

extern const char kServiceIniFile[];  // "Service.ini"
