#pragma once

#include <afx.h>

#include <memory>

class CIniFile;

// The skin list file SkinSet.ini: [General] Total and "Skin-%d" name the listed skins, and
// one section per skin gives its element file ("Ini") and resource DLL ("Dll"), both
// relative to the program directory. Read only: the program never writes it.
class CSkinList
{
public:
    CSkinList();
    virtual ~CSkinList();

    // Reads the file at the path afresh; the result of the read (a failed read leaves
    // nothing open).
    BOOL Open(const char* path);
    // Appends the listed names, skipping numbers that have no key; FALSE when nothing is
    // open (a file without [General] lists nothing and answers TRUE).
    BOOL ReadSkinList(CStringList& names) const;
    // FALSE when nothing is open; a value the skin's section lacks leaves its string as it was.
    BOOL GetSkinFiles(const char* name, CString& iniPath, CString& dllPath) const;

private:
    CSkinList(const CSkinList&);
    CSkinList& operator=(const CSkinList&);

    std::unique_ptr<CIniFile> m_file;
};
