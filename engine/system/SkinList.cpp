#include "SkinList.h"

#include "IniFile.h"

CSkinList::CSkinList()
{
}

CSkinList::~CSkinList()
{
}

// The same file is emptied before it is read again: a load adds to what the object holds,
// and reading twice must not list every skin twice.
BOOL CSkinList::Open(const char* path)
{
    if (m_file && m_file->GetFileName().Compare(path) == 0)
        m_file->RemoveAll();
    else
        m_file.reset(new CIniFile(path));
    // A file that cannot be read leaves nothing open, so nothing is listed from it.
    if (m_file->Load())
        return TRUE;
    m_file.reset();
    return FALSE;
}

BOOL CSkinList::ReadSkinList(CStringList& names) const
{
    if (!m_file)
        return FALSE;
    // A file without [General] lists no skin; that is no failure.
    const CIniSection* general = m_file->GetSection("General");
    int total = 0;
    general->GetInt("Total", total);
    general->GetNumberedValues("Skin-", total, names);
    return TRUE;
}

BOOL CSkinList::GetSkinFiles(const char* name, CString& iniPath, CString& dllPath) const
{
    if (!m_file)
        return FALSE;
    const CIniSection* skin = m_file->FindSection(name);
    if (skin) {
        skin->GetString("Ini", iniPath);
        skin->GetString("Dll", dllPath);
    }
    return TRUE;
}
