#include "IniDocument.h"

#include "FileContents.h"

namespace {

const char kNoError[] = "No error";
const char kFileNotExist[] = "File not exist!";
const char kUnableToOpen[] = "Unable to open ini File!";
const char kUnableToRead[] = "Unable to read file!";
const char kUnableToWrite[] = "Unable to write file!";

} // namespace

CIniDocument::CIniDocument()
    : m_error(kNoError), m_sections(kSectionBlockSize)
{
}

CIniDocument::CIniDocument(const char* path)
    : m_path(path), m_error(kNoError), m_sections(kSectionBlockSize)
{
}

CIniDocument::~CIniDocument()
{
    for (POSITION position = m_sections.GetHeadPosition(); position;)
        delete (CIniDocSection*)m_sections.GetNext(position);
}

BOOL CIniDocument::Load()
{
    CFileStatus status;
    if (!CFile::GetStatus(m_path, status)) {
        m_error = kFileNotExist;
        return FALSE;
    }
    CStdioFile file;
    if (!file.Open(m_path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) {
        m_error = kUnableToOpen;
        return FALSE;
    }
    ReadLines(file);
    file.Abort();
    return TRUE;
}

void CIniDocument::ReadLines(CStdioFile& file)
{
    CIniDocSection* current = NULL;
    try {
        CString line;
        while (file.ReadString(line)) {
            if (line.IsEmpty())
                continue;
            if (line[0] == '[') {
                // ReverseFind walks whole characters: a "]" inside a Chinese one is not it.
                int close = line.ReverseFind(']');
                if (close > 0)
                    current = AddSection(line.Mid(1, close - 1));
                continue;
            }
            if (line[0] == '/')
                continue;
            int equals = line.Find('=');
            if (equals < 0 || !current)
                continue;
            current->SetString(line.Left(equals), line.Mid(equals + 1));
        }
    } catch (CFileException* e) {
        e->Delete();
        m_error = kUnableToRead;
    }
}

BOOL CIniDocument::Save()
{
    CString text;
    for (POSITION position = m_sections.GetHeadPosition(); position;) {
        const CIniDocSection* section = (const CIniDocSection*)m_sections.GetNext(position);
        text += "[" + section->GetName() + "]\r\n";
        for (int i = 0; i < section->GetKeyCount(); ++i)
            text += section->GetKeyAt(i) + "=" + section->GetValueAt(i) + "\r\n";
    }
    switch (ReplaceFileContents(m_path, (LPCTSTR)text, (DWORD)text.GetLength())) {
    case kFileReplaced:
        return TRUE;
    case kFileWriteFailed:
        m_error = kUnableToWrite;
        return FALSE;
    default:
        m_error = kUnableToOpen;
        return FALSE;
    }
}

CIniDocSection* CIniDocument::AddSection(const char* name)
{
    CIniDocSection* section = new CIniDocSection(name);
    m_sections.AddTail(section);
    return section;
}

CIniDocSection* CIniDocument::FindSection(const char* name) const
{
    for (POSITION position = m_sections.GetHeadPosition(); position;) {
        CIniDocSection* section = (CIniDocSection*)m_sections.GetNext(position);
        if (section->GetName().Compare(name) == 0)
            return section;
    }
    return NULL;
}

CIniDocSection* CIniDocument::GetSection(const char* name)
{
    CIniDocSection* section = FindSection(name);
    return section ? section : AddSection(name);
}

BOOL CIniDocument::GetValue(const char* section, const char* key, CString& value) const
{
    const CIniDocSection* found = FindSection(section);
    int index = found ? found->FindKey(key) : -1;
    if (index < 0)
        return FALSE;
    value = found->GetValueAt(index);
    return TRUE;
}

BOOL CIniDocument::SetValue(const char* section, const char* key, const char* value)
{
    return GetSection(section)->SetString(key, value);
}
