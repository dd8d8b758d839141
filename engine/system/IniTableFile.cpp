#include "IniTableFile.h"

#include "IniFile.h"

const char CIniTableFile::kGeneral[] = "General";
const char CIniTableFile::kTotal[] = "Total";

CIniTableFile::CIniTableFile()
{
}

CIniTableFile::~CIniTableFile()
{
}

BOOL CIniTableFile::Open(const char* path)
{
    if (m_file && m_file->GetFileName().Compare(path) == 0)
        return TRUE;
    m_file.reset(new CIniFile(path));
    if (m_file->Load())
        return TRUE;
    m_file.reset();
    return FALSE;
}

CString CIniTableFile::GetFileName() const
{
    return m_file ? m_file->GetFileName() : CString();
}

CString CIniTableFile::Numbered(const char* format, int i)
{
    CString key;
    key.Format(format, i);
    return key;
}

int CIniTableFile::SectionTotal(const CIniSection* section)
{
    int total = 0;
    if (section)
        section->GetInt(kTotal, total);
    return total;
}
