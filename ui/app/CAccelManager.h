#pragma once

#include <afxwin.h>

#include <list>
#include <vector>

class CArchive;

// The keyboard shortcut table: named commands in groups, the keys bound to them, the binary
// file "Accel.txt" that keeps them, and the Win32 accelerator table built from them.
//
// It holds to these rules, and a file that breaks one does not load: no two commands share an
// id or a name (names compare without case), no name is empty, no two bindings share a key and
// its modifiers, a key code is never 0 and every binding's command exists.
class CAccelManager
{
public:
    struct Command
    {
        DWORD group;
        WORD id;
        CString name;
        CString comment;
    };
    struct Binding
    {
        BYTE fVirt;  // FVIRTKEY always, with FSHIFT, FCONTROL and FALT
        WORD key;
        WORD command;
        WORD reserved;
    };

    CAccelManager();
    virtual ~CAccelManager();
    CAccelManager(const CAccelManager&) = delete;
    CAccelManager& operator=(const CAccelManager&) = delete;

    // The file's layout: group names as a string array, the commands behind a 32-bit count,
    // then the bindings behind a 32-bit count, seven bytes each, in list order. Loading
    // appends to an empty table and throws a CArchiveException* for data that breaks a rule.
    virtual void Serialize(CArchive& ar);

    // -1 for an empty name or one already there; else the new group's index.
    int AddGroup(LPCTSTR name);
    int FindGroup(LPCTSTR name) const;
    // -1 for an empty name, or an id or name already there; else the new entry's index.
    int AddCommand(DWORD group, WORD id, LPCTSTR name, LPCTSTR comment);
    // The command id of that name, or -1.
    int FindCommandByName(LPCTSTR name) const;
    CString GetCommandName(WORD id) const;
    CString GetComment(LPCTSTR name) const;
    BOOL FindCommandIndex(WORD id, int* index) const;

    // Binds the key to the command, at the head of the list. FALSE, changing nothing, for a
    // key code of 0, an unknown command or a key and modifiers already bound.
    BOOL AddKey(BYTE fVirt, WORD key, WORD command, WORD reserved = 0);
    // Unbinds the key of that text from the named command.
    BOOL RemoveKey(LPCTSTR commandName, LPCTSTR keyText);
    // "Ctrl+Alt+Shift+" as set, then the key's name; empty for a key the table does not name.
    static CString KeyText(const Binding& binding);
    // The key's name from the key-name table, NULL when it has none.
    static LPCTSTR KeyName(WORD key);
    // The command bound to the first key of that text, or empty.
    CString FindCommandNameByKeyText(LPCTSTR text) const;

    void Clear();
    void CopyFrom(const CAccelManager& other);
    // Reads the table from the file; FALSE, leaving it empty, when the file cannot be opened
    // or its data is short or breaks a rule.
    BOOL Load(LPCTSTR path);
    BOOL Save(LPCTSTR path);

    // The window the accelerators are built for, set once.
    BOOL SetOwner(HWND owner);
    // A new accelerator table from the bindings in list order, in place of the last one.
    BOOL Build();
    HACCEL GetAccelTable() const { return m_hAccel; }

    int GetGroupCount() const { return m_groups.GetSize(); }
    CString GetGroupName(int index) const { return m_groups.GetAt(index); }
    const std::vector<Command>& GetCommands() const { return m_commands; }
    const std::list<Binding>& GetBindings() const { return m_bindings; }

private:
    void LoadFrom(CArchive& ar);

    CStringArray m_groups;
    std::vector<Command> m_commands;
    std::list<Binding> m_bindings;
    HWND m_hOwner = NULL;
    HACCEL m_hAccel = NULL;
};
