#include "CAccelManager.h"

#include <afxcoll.h>

#include <new>

#include "CArchive.h"

namespace {

struct KeyNameRow
{
    WORD key;
    const char* name;
};

// Searched in order: the first row of a code names it.
const KeyNameRow kKeyNames[] = {
    {VK_LBUTTON, "VK_LBUTTON"}, {VK_RBUTTON, "VK_RBUTTON"}, {VK_CANCEL, "VK_CANCEL"},
    {VK_MBUTTON, "VK_MBUTTON"}, {VK_BACK, "BACK"}, {VK_TAB, "TAB"}, {VK_CLEAR, "VK_CLEAR"},
    {VK_RETURN, "RETURN"}, {VK_SHIFT, "SHIFT"}, {VK_CONTROL, "CONTROL"}, {VK_MENU, "MENU"},
    {VK_PAUSE, "PAUSE"}, {VK_CAPITAL, "Caps Lock"}, {VK_ESCAPE, "ESCAPE"}, {VK_SPACE, "SPACE"},
    {VK_PRIOR, "PageUp"}, {VK_NEXT, "PageDown"}, {VK_END, "END"}, {VK_HOME, "HOME"},
    {VK_LEFT, "LEFT"}, {VK_UP, "UP"}, {VK_RIGHT, "RIGHT"}, {VK_DOWN, "DOWN"},
    {VK_SELECT, "VK_SELECT"}, {VK_PRINT, "PRINT"}, {VK_EXECUTE, "EXECUTE"},
    {VK_SNAPSHOT, "SNAPSHOT"}, {VK_INSERT, "INSERT"}, {VK_DELETE, "DELETE"}, {VK_HELP, "VK_HELP"},
    {'0', "0"}, {'1', "1"}, {'2', "2"}, {'3', "3"}, {'4', "4"},
    {'5', "5"}, {'6', "6"}, {'7', "7"}, {'8', "8"}, {'9', "9"},
    {'A', "A"}, {'B', "B"}, {'C', "C"}, {'D', "D"}, {'E', "E"}, {'F', "F"}, {'G', "G"},
    {'H', "H"}, {'I', "I"}, {'J', "J"}, {'K', "K"}, {'L', "L"}, {'M', "M"}, {'N', "N"},
    {'O', "O"}, {'P', "P"}, {'Q', "Q"}, {'R', "R"}, {'S', "S"}, {'T', "T"}, {'U', "U"},
    {'V', "V"}, {'W', "W"}, {'X', "X"}, {'Y', "Y"}, {'Z', "Z"},
    {VK_LWIN, "VK_LWIN"}, {VK_RWIN, "VK_RWIN"}, {VK_APPS, "VK_APPS"},
    {VK_NUMPAD0, "Num 0"}, {VK_NUMPAD1, "Num 1"}, {VK_NUMPAD2, "Num 2"}, {VK_NUMPAD3, "Num 3"},
    {VK_NUMPAD4, "Num 4"}, {VK_NUMPAD5, "Num 5"}, {VK_NUMPAD6, "Num 6"}, {VK_NUMPAD7, "Num 7"},
    {VK_NUMPAD8, "Num 8"}, {VK_NUMPAD9, "Num 9"},
    {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"}, {VK_SEPARATOR, "SEPARATOR"},
    {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num Del"}, {VK_DIVIDE, "Num /"},
    {VK_F1, "F1"}, {VK_F2, "F2"}, {VK_F3, "F3"}, {VK_F4, "F4"}, {VK_F5, "F5"}, {VK_F6, "F6"},
    {VK_F7, "F7"}, {VK_F8, "F8"}, {VK_F9, "F9"}, {VK_F10, "F10"}, {VK_F11, "F11"},
    {VK_F12, "F12"}, {VK_F13, "F13"}, {VK_F14, "F14"}, {VK_F15, "F15"}, {VK_F16, "F16"},
    {VK_F17, "F17"}, {VK_F18, "F18"}, {VK_F19, "F19"}, {VK_F20, "F20"}, {VK_F21, "F21"},
    {VK_F22, "F22"}, {VK_F23, "F23"}, {VK_F24, "F24"},
    {VK_NUMLOCK, "Num Lock"}, {VK_SCROLL, "SCROLL lOCK"},
    {0xBA, ";"}, {0xBB, "="}, {0xBC, ","}, {0xBD, "-"}, {0xBE, "."}, {0xBF, "/"}, {0xC0, "`"},
    {0xDB, "["}, {0xDC, "\\"}, {0xDD, "]"}, {0xDE, ","},
    {VK_ATTN, "VK_ATTN"}, {VK_CRSEL, "VK_CRSEL"}, {VK_EXSEL, "VK_EXSEL"}, {VK_EREOF, "VK_EREOF"},
    {VK_PLAY, "VK_PLAY"}, {VK_ZOOM, "VK_ZOOM"}, {VK_NONAME, "VK_NONAME"}, {VK_PA1, "VK_PA1"},
    {VK_OEM_CLEAR, "VK_OEM_CLEAR"},
};
static_assert(sizeof(kKeyNames) / sizeof(kKeyNames[0]) == 131, "the key-name table has 131 rows");

const BYTE kModifiers = FSHIFT | FCONTROL | FALT;

// The modifiers and the virtual-key flag are what tell two bindings of one key apart.
BYTE KeyFlags(BYTE fVirt)
{
    return (BYTE)((fVirt & kModifiers) | FVIRTKEY);
}

} // namespace

CAccelManager::CAccelManager()
{
}

CAccelManager::~CAccelManager()
{
    if (m_hAccel != NULL)
        ::DestroyAcceleratorTable(m_hAccel);
}

// ---- Groups and commands ----

int CAccelManager::AddGroup(LPCTSTR name)
{
    if (name == NULL || *name == '\0' || FindGroup(name) >= 0)
        return -1;
    return m_groups.Add(name);
}

int CAccelManager::FindGroup(LPCTSTR name) const
{
    for (int i = 0; i < m_groups.GetSize(); i++) {
        if (m_groups.GetAt(i).CompareNoCase(name) == 0)
            return i;
    }
    return -1;
}

int CAccelManager::AddCommand(DWORD group, WORD id, LPCTSTR name, LPCTSTR comment)
{
    if (name == NULL || *name == '\0' || FindCommandIndex(id, NULL) || FindCommandByName(name) >= 0)
        return -1;
    m_commands.push_back(Command{group, id, name, comment != NULL ? comment : ""});
    return (int)m_commands.size() - 1;
}

int CAccelManager::FindCommandByName(LPCTSTR name) const
{
    for (const Command& command : m_commands) {
        if (command.name.CompareNoCase(name) == 0)
            return command.id;
    }
    return -1;
}

CString CAccelManager::GetCommandName(WORD id) const
{
    int index;
    return FindCommandIndex(id, &index) ? m_commands[index].name : CString();
}

CString CAccelManager::GetComment(LPCTSTR name) const
{
    for (const Command& command : m_commands) {
        if (command.name.CompareNoCase(name) == 0)
            return command.comment;
    }
    return CString();
}

BOOL CAccelManager::FindCommandIndex(WORD id, int* index) const
{
    for (size_t i = 0; i < m_commands.size(); i++) {
        if (m_commands[i].id == id) {
            if (index != NULL)
                *index = (int)i;
            return TRUE;
        }
    }
    return FALSE;
}

// ---- Keys ----

BOOL CAccelManager::AddKey(BYTE fVirt, WORD key, WORD command, WORD reserved)
{
    if (key == 0 || !FindCommandIndex(command, NULL))
        return FALSE;
    BYTE flags = KeyFlags(fVirt);
    for (const Binding& binding : m_bindings) {
        if (binding.key == key && binding.fVirt == flags)
            return FALSE;
    }
    m_bindings.push_front(Binding{flags, key, command, reserved});
    return TRUE;
}

BOOL CAccelManager::RemoveKey(LPCTSTR commandName, LPCTSTR keyText)
{
    int id = FindCommandByName(commandName);
    if (id < 0)
        return FALSE;
    for (auto it = m_bindings.begin(); it != m_bindings.end(); ++it) {
        if (it->command == (WORD)id && KeyText(*it).CompareNoCase(keyText) == 0) {
            m_bindings.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

LPCTSTR CAccelManager::KeyName(WORD key)
{
    for (const KeyNameRow& row : kKeyNames) {
        if (row.key == key)
            return row.name;
    }
    return NULL;
}

CString CAccelManager::KeyText(const Binding& binding)
{
    LPCTSTR name = binding.key != 0 ? KeyName(binding.key) : NULL;
    if (name == NULL)
        return CString();
    CString text;
    if (binding.fVirt & FCONTROL)
        text += "Ctrl+";
    if (binding.fVirt & FALT)
        text += "Alt+";
    if (binding.fVirt & FSHIFT)
        text += "Shift+";
    return text + name;
}

CString CAccelManager::FindCommandNameByKeyText(LPCTSTR text) const
{
    for (const Binding& binding : m_bindings) {
        if (KeyText(binding).CompareNoCase(text) == 0)
            return GetCommandName(binding.command);
    }
    return CString();
}

// ---- The whole table ----

void CAccelManager::Clear()
{
    m_groups.RemoveAll();
    m_commands.clear();
    m_bindings.clear();
}

void CAccelManager::CopyFrom(const CAccelManager& other)
{
    if (&other == this)
        return;
    Clear();
    m_groups.Copy(other.m_groups);
    m_commands = other.m_commands;
    m_bindings = other.m_bindings;
}

void CAccelManager::Serialize(CArchive& ar)
{
    if (!ar.IsStoring()) {
        LoadFrom(ar);
        return;
    }
    m_groups.Serialize(ar);
    ar << (DWORD)m_commands.size();
    for (const Command& command : m_commands)
        ar << command.group << command.id << command.name << command.comment;
    ar << (DWORD)m_bindings.size();
    for (const Binding& binding : m_bindings)
        ar << binding.fVirt << binding.key << binding.command << binding.reserved;
}

void CAccelManager::LoadFrom(CArchive& ar)
{
    Clear();
    m_groups.Serialize(ar);
    // The counts only bound the loops: each entry is read before it is kept, so a count
    // beyond the data ends at the end of the file.
    DWORD count = 0;
    ar >> count;
    for (DWORD i = 0; i < count; i++) {
        Command command;
        ar >> command.group >> command.id >> command.name >> command.comment;
        if (command.group >= (DWORD)m_groups.GetSize() ||
            AddCommand(command.group, command.id, command.name, command.comment) < 0)
            AfxThrowArchiveException(CArchiveException::badIndex);
    }
    ar >> count;
    for (DWORD i = 0; i < count; i++) {
        Binding binding;
        ar >> binding.fVirt >> binding.key >> binding.command >> binding.reserved;
        if (binding.key == 0 || !FindCommandIndex(binding.command, NULL))
            AfxThrowArchiveException(CArchiveException::badIndex);
        binding.fVirt = KeyFlags(binding.fVirt);
        for (const Binding& other : m_bindings) {
            if (other.key == binding.key && other.fVirt == binding.fVirt)
                AfxThrowArchiveException(CArchiveException::badIndex);
        }
        m_bindings.push_back(binding);
    }
}

BOOL CAccelManager::Load(LPCTSTR path)
{
    Clear();
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary | CFile::shareDenyWrite))
        return FALSE;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        Clear();
        return FALSE;
    }
    return TRUE;
}

BOOL CAccelManager::Save(LPCTSTR path)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return FALSE;
    try {
        CArchive ar(&file, CArchive::store, 4096);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// ---- The accelerator table ----

BOOL CAccelManager::SetOwner(HWND owner)
{
    if (m_hOwner == NULL)
        m_hOwner = owner;
    return m_hOwner != NULL;
}

BOOL CAccelManager::Build()
{
    if (m_hOwner == NULL)
        return FALSE;
    std::vector<ACCEL> table;
    try {
        table.reserve(m_bindings.size());
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    for (const Binding& binding : m_bindings)
        table.push_back(ACCEL{binding.fVirt, binding.key, binding.command});
    if (m_hAccel != NULL) {
        if (!::DestroyAcceleratorTable(m_hAccel))
            return FALSE;
        m_hAccel = NULL;
    }
    if (table.empty())
        return FALSE;
    m_hAccel = ::CreateAcceleratorTableA(table.data(), (int)table.size());
    return m_hAccel != NULL;
}
