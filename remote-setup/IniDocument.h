#pragma once

#include <afx.h>
#include <afxcoll.h>

#include "IniDocSection.h"

// Tandril's ini file, held whole in memory: its sections in file order, each section's keys in
// file order. A header names its section by the text up to the last "]" of the line, lines that
// begin with "/" are comments, and a section that occurs twice stays two sections (lookups
// find the first). The typed accessors below go through GetSection, so even reading creates
// a missing section, which the next save writes as a lone header.
class CIniDocument
{
public:
    CIniDocument();
    explicit CIniDocument(const char* path);
    ~CIniDocument();

    // Appends the file's sections to those held. FALSE when the file does not exist or cannot
    // be opened; a read error part-way keeps what was read and is told by the error text.
    BOOL Load();
    // Writes every section, lines ending in CR LF. FALSE, with the old file left as it was,
    // when the file cannot be made or a write fails.
    BOOL Save();

    const CString& GetLastErrorText() const { return m_error; }
    const CString& GetFileName() const { return m_path; }
    void SetFileName(const char* path) { m_path = path; }

    int GetSectionCount() const { return (int)m_sections.GetCount(); }
    BOOL HasSection(const char* name) const { return FindSection(name) != NULL; }
    CIniDocSection* FindSection(const char* name) const;
    // Never NULL: a missing section is created empty at the end.
    CIniDocSection* GetSection(const char* name);

    // The stored text, a ";" included; FALSE (text unchanged) when the section or key is missing.
    BOOL GetValue(const char* section, const char* key, CString& value) const;
    BOOL SetValue(const char* section, const char* key, const char* value);

    BOOL GetString(const char* section, const char* key, CString& value)
    {
        return GetSection(section)->GetString(key, value);
    }
    BOOL SetString(const char* section, const char* key, const char* value)
    {
        return GetSection(section)->SetString(key, value);
    }
    BOOL GetInt(const char* section, const char* key, int& value)
    {
        return GetSection(section)->GetInt(key, value);
    }
    BOOL SetInt(const char* section, const char* key, int value)
    {
        return GetSection(section)->SetInt(key, value);
    }
    BOOL GetUInt(const char* section, const char* key, UINT& value)
    {
        return GetSection(section)->GetUInt(key, value);
    }
    BOOL SetUInt(const char* section, const char* key, UINT value)
    {
        return GetSection(section)->SetUInt(key, value);
    }
    BOOL GetLong(const char* section, const char* key, long& value)
    {
        return GetSection(section)->GetLong(key, value);
    }
    BOOL SetLong(const char* section, const char* key, long value)
    {
        return GetSection(section)->SetLong(key, value);
    }
    BOOL GetPoint(const char* section, const char* key, POINT& value)
    {
        return GetSection(section)->GetPoint(key, value);
    }
    BOOL SetPoint(const char* section, const char* key, POINT value)
    {
        return GetSection(section)->SetPoint(key, value);
    }
    BOOL GetSize(const char* section, const char* key, SIZE& value)
    {
        return GetSection(section)->GetSize(key, value);
    }
    BOOL SetSize(const char* section, const char* key, SIZE value)
    {
        return GetSection(section)->SetSize(key, value);
    }
    BOOL GetRect(const char* section, const char* key, RECT& value)
    {
        return GetSection(section)->GetRect(key, value);
    }
    BOOL SetRect(const char* section, const char* key, const RECT& value)
    {
        return GetSection(section)->SetRect(key, value);
    }
    BOOL GetColor(const char* section, const char* key, CIniDocColor& value)
    {
        return GetSection(section)->GetColor(key, value);
    }
    BOOL SetColor(const char* section, const char* key, const CIniDocColor& value)
    {
        return GetSection(section)->SetColor(key, value);
    }
    BOOL GetStringArray(const char* section, const char* key, CStringArray& list, char separator)
    {
        return GetSection(section)->GetStringArray(key, list, separator);
    }
    BOOL SetStringArray(const char* section, const char* key, const CStringArray& list,
                        char separator)
    {
        return GetSection(section)->SetStringArray(key, list, separator);
    }
    BOOL GetFloat(const char* section, const char* key, float& value)
    {
        return GetSection(section)->GetFloat(key, value);
    }
    BOOL SetFloat(const char* section, const char* key, float value)
    {
        return GetSection(section)->SetFloat(key, value);
    }
    BOOL GetDouble(const char* section, const char* key, double& value)
    {
        return GetSection(section)->GetDouble(key, value);
    }
    BOOL SetDouble(const char* section, const char* key, double value)
    {
        return GetSection(section)->SetDouble(key, value);
    }
    BOOL GetTime(const char* section, const char* key, CTime& value)
    {
        return GetSection(section)->GetTime(key, value);
    }
    BOOL SetTime(const char* section, const char* key, const CTime& value)
    {
        return GetSection(section)->SetTime(key, value);
    }
    BOOL GetTimeSpan(const char* section, const char* key, CTimeSpan& value)
    {
        return GetSection(section)->GetTimeSpan(key, value);
    }
    BOOL SetTimeSpan(const char* section, const char* key, const CTimeSpan& value)
    {
        return GetSection(section)->SetTimeSpan(key, value);
    }

private:
    CIniDocument(const CIniDocument&);
    CIniDocument& operator=(const CIniDocument&);

    enum { kSectionBlockSize = 10 };

    void ReadLines(CStdioFile& file);
    CIniDocSection* AddSection(const char* name);

    CString m_path;
    CString m_error;
    CPtrList m_sections;  // owned CIniDocSection*
};
