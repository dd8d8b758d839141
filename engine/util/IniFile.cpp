#include "IniFile.h"

#include <cstdlib>
#include <cstring>

namespace {

const char kNoError[] = "No error";
const char kFileNotExist[] = "File not exist!";
const char kUnableToOpen[] = "Unable to open ini File!";
const char kUnableToRead[] = "Unable to read file!";
const char kUnableToWrite[] = "Unable to write file!";

// "[name]" gives name; the last character goes whatever it is ("[Video" gives "Vide"),
// but a Chinese character goes whole, not half of it.
CString SectionName(const CString& line)
{
    const char* text = line;
    int lastStart = 0;
    for (int i = 1; text[i];) {
        lastStart = i;
        i += (IsDBCSLeadByte((BYTE)text[i]) && text[i + 1]) ? 2 : 1;
    }
    return lastStart > 1 ? line.Mid(1, lastStart - 1) : CString();
}

BOOL IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Ranges only: whether the time exists on the clock (1970 onwards) is CTime's to say.
BOOL IsValidTime(int year, int month, int day, int hour, int minute, int second)
{
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return FALSE;
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 &&
           second <= 59;
}

} // namespace

CIniFile::CIniFile()
    : m_error(kNoError)
{
}

CIniFile::CIniFile(const char* path)
    : m_error(kNoError), m_path(path)
{
}

CIniFile::~CIniFile()
{
}

void CIniFile::RemoveAll()
{
    m_sections.clear();
}

BOOL CIniFile::Load()
{
    CFileStatus status;
    if (!CFile::GetStatus(m_path, status)) {
        m_error = kFileNotExist;
        return FALSE;
    }
    CStdioFile file;
    if (!file.Open(m_path, CFile::modeRead | CFile::typeText)) {
        m_error = kUnableToOpen;
        return FALSE;
    }
    BOOL ok = ReadSections(file);
    file.Abort();
    return ok;
}

// A key line before the first header has no section to go to: it is dropped and the
// rest read, so that one stray line does not cost the whole file at the next save.
// A line ends at a NUL byte: the keys and values are C strings, so what followed could not
// be written back, and a key cut there may end in half a character that would take the
// "=" written after it as its second byte.
BOOL CIniFile::ReadSections(CStdioFile& file)
{
    CIniSection* current = NULL;
    BOOL strayKey = FALSE;
    try {
        CString line;
        while (file.ReadString(line)) {
            int end = (int)strlen(line);
            if (end < line.GetLength())
                line = line.Left(end);
            if (line.IsEmpty())
                continue;
            if (line[0] == '[') {
                current = AddSection(SectionName(line));
                continue;
            }
            int equals = line.Find('=');
            if (equals < 0)
                continue;
            if (!current) {
                strayKey = TRUE;
                continue;
            }
            current->SetString(line.Left(equals), line.Mid(equals + 1));
        }
    } catch (CFileException* e) {
        e->Delete();
        m_error = kUnableToRead;
        return FALSE;
    }
    if (strayKey)
        m_error = kUnableToRead;
    return TRUE;
}

BOOL CIniFile::Save()
{
    if (m_path.IsEmpty()) {
        m_error = kUnableToOpen;
        return FALSE;
    }
    CString temporary = m_path + ".tmp";
    CStdioFile file;
    if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeText)) {
        m_error = kUnableToOpen;
        return FALSE;
    }
    if (!WriteSections(file)) {
        file.Abort();
        DeleteFileA(temporary);
        m_error = kUnableToWrite;
        return FALSE;
    }
    // A read-only, locked or directory target refuses the replacement just as it would
    // have refused being opened for writing.
    if (!MoveFileExA(temporary, m_path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary);
        m_error = kUnableToOpen;
        return FALSE;
    }
    return TRUE;
}

// Closes the file too: the last buffered bytes reach the disk only then, and a failure
// there is a write failure like any other.
BOOL CIniFile::WriteSections(CStdioFile& file)
{
    try {
        for (const auto& section : m_sections) {
            file.WriteString("[" + section->GetName() + "]\n");
            CString key, value;
            for (POSITION position = section->GetFirstKeyPosition(); position;) {
                section->GetNextKey(position, key, value);
                file.WriteString(key + "=" + value + "\n");
            }
        }
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

CIniSection* CIniFile::AddSection(const CString& name)
{
    m_sections.push_back(std::unique_ptr<CIniSection>(new CIniSection(name)));
    return m_sections.back().get();
}

CIniSection* CIniFile::FindSection(const char* name) const
{
    for (const auto& section : m_sections) {
        if (section->GetName().Compare(name) == 0)
            return section.get();
    }
    return NULL;
}

CIniSection* CIniFile::GetSection(const char* name)
{
    CIniSection* section = FindSection(name);
    return section ? section : AddSection(name);
}

int CIniFile::GetKeyCount(const char* section)
{
    return GetSection(section)->GetKeyCount();
}

BOOL CIniFile::GetValue(const char* section, const char* key, CString& value) const
{
    CIniSection* found = FindSection(section);
    return found && found->GetString(key, value);
}

BOOL CIniFile::SetValue(const char* section, const char* key, const char* value)
{
    return GetSection(section)->SetString(key, value);
}

BOOL CIniFile::ParseTime(const char* text, CTime& time)
{
    CString copy(text);
    if (copy.GetLength() < 10)
        return FALSE;
    int fields[6] = {};
    int start = 0;
    for (int i = 0; i < 6 && start <= copy.GetLength(); ++i) {
        int comma = copy.Find(',', start);
        int end = comma < 0 ? copy.GetLength() : comma;
        fields[i] = atoi(copy.Mid(start, end - start));
        start = end + 1;
    }
    if (!IsValidTime(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]))
        return FALSE;
    CTime parsed(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], -1);
    if (parsed.GetTime() == -1)
        return FALSE;
    time = parsed;
    return TRUE;
}

BOOL CIniFile::GetInt(const char* section, const char* key, int& value)
{
    return GetSection(section)->GetInt(key, value);
}

BOOL CIniFile::SetInt(const char* section, const char* key, int value)
{
    return GetSection(section)->SetInt(key, value);
}

BOOL CIniFile::GetUInt(const char* section, const char* key, UINT& value)
{
    return GetSection(section)->GetUInt(key, value);
}

BOOL CIniFile::SetUInt(const char* section, const char* key, UINT value)
{
    return GetSection(section)->SetUInt(key, value);
}

BOOL CIniFile::GetLong(const char* section, const char* key, long& value)
{
    return GetSection(section)->GetLong(key, value);
}

BOOL CIniFile::SetLong(const char* section, const char* key, long value)
{
    return GetSection(section)->SetLong(key, value);
}

BOOL CIniFile::GetDouble(const char* section, const char* key, double& value)
{
    return GetSection(section)->GetDouble(key, value);
}

BOOL CIniFile::SetDouble(const char* section, const char* key, double value)
{
    return GetSection(section)->SetDouble(key, value);
}

BOOL CIniFile::GetFloat(const char* section, const char* key, float& value)
{
    return GetSection(section)->GetFloat(key, value);
}

BOOL CIniFile::SetFloat(const char* section, const char* key, float value)
{
    return GetSection(section)->SetFloat(key, value);
}

BOOL CIniFile::GetPoint(const char* section, const char* key, POINT& value)
{
    return GetSection(section)->GetPoint(key, value);
}

BOOL CIniFile::SetPoint(const char* section, const char* key, POINT value)
{
    return GetSection(section)->SetPoint(key, value);
}

BOOL CIniFile::GetSize(const char* section, const char* key, SIZE& value)
{
    return GetSection(section)->GetSize(key, value);
}

BOOL CIniFile::SetSize(const char* section, const char* key, SIZE value)
{
    return GetSection(section)->SetSize(key, value);
}

BOOL CIniFile::GetRect(const char* section, const char* key, RECT& value)
{
    return GetSection(section)->GetRect(key, value);
}

BOOL CIniFile::SetRect(const char* section, const char* key, const RECT& value)
{
    return GetSection(section)->SetRect(key, value);
}

BOOL CIniFile::GetColor(const char* section, const char* key, CIniColor& value)
{
    return GetSection(section)->GetColor(key, value);
}

BOOL CIniFile::SetColor(const char* section, const char* key, const CIniColor& value)
{
    return GetSection(section)->SetColor(key, value);
}

BOOL CIniFile::GetStringArray(const char* section, const char* key, CStringArray& list,
                              char separator)
{
    return GetSection(section)->GetStringArray(key, list, separator);
}

BOOL CIniFile::SetStringArray(const char* section, const char* key, const CStringArray& list,
                              char separator)
{
    return GetSection(section)->SetStringArray(key, list, separator);
}
