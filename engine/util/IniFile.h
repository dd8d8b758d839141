#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "IniSection.h"

// A whole ini file held in memory as its sections in file order. The format is plain: no
// comments, quoting, trimming or escapes. Errors are kept as text for the caller to show.
class CIniFile
{
public:
    CIniFile();
    explicit CIniFile(const char* path);
    virtual ~CIniFile();

    void SetFileName(const char* path) { m_path = path; }
    CString GetFileName() const { return m_path; }

    // Adds what the file holds to what the object holds; callers that reload RemoveAll first.
    BOOL Load();
    // Writes a new file beside the old one and puts it in place only once complete, so a
    // failed save leaves the old file as it was.
    BOOL Save();
    CString GetLastErrorText() const { return m_error; }
    void RemoveAll();

    BOOL HasSection(const char* name) const { return FindSection(name) != NULL; }
    // The first section of that name, or NULL.
    CIniSection* FindSection(const char* name) const;
    // Never NULL: a missing section is added empty at the end.
    CIniSection* GetSection(const char* name);
    int GetSectionCount() const { return (int)m_sections.size(); }
    CIniSection* GetSectionAt(int index) const { return m_sections[index].get(); }
    int GetKeyCount(const char* section);

    BOOL GetValue(const char* section, const char* key, CString& value) const;
    BOOL SetValue(const char* section, const char* key, const char* value);

    // Each of these goes through GetSection, so reading a missing section adds it empty.
    BOOL GetInt(const char* section, const char* key, int& value);
    BOOL SetInt(const char* section, const char* key, int value);
    BOOL GetUInt(const char* section, const char* key, UINT& value);
    BOOL SetUInt(const char* section, const char* key, UINT value);
    BOOL GetLong(const char* section, const char* key, long& value);
    BOOL SetLong(const char* section, const char* key, long value);
    BOOL GetDouble(const char* section, const char* key, double& value);
    BOOL SetDouble(const char* section, const char* key, double value);
    BOOL GetFloat(const char* section, const char* key, float& value);
    BOOL SetFloat(const char* section, const char* key, float value);
    BOOL GetPoint(const char* section, const char* key, POINT& value);
    BOOL SetPoint(const char* section, const char* key, POINT value);
    BOOL GetSize(const char* section, const char* key, SIZE& value);
    BOOL SetSize(const char* section, const char* key, SIZE value);
    BOOL GetRect(const char* section, const char* key, RECT& value);
    BOOL SetRect(const char* section, const char* key, const RECT& value);
    BOOL GetColor(const char* section, const char* key, CIniColor& value);
    BOOL SetColor(const char* section, const char* key, const CIniColor& value);
    BOOL GetStringArray(const char* section, const char* key, CStringArray& list,
                        char separator);
    BOOL SetStringArray(const char* section, const char* key, const CStringArray& list,
                        char separator);

    // "year,month,day,hour,minute,second" as local time; FALSE (time unchanged) unless the
    // fields form a valid time.
    static BOOL ParseTime(const char* text, CTime& time);

private:
    CIniFile(const CIniFile&);
    CIniFile& operator=(const CIniFile&);

    BOOL ReadSections(CStdioFile& file);
    BOOL WriteSections(CStdioFile& file);
    CIniSection* AddSection(const CString& name);

    std::vector<std::unique_ptr<CIniSection> > m_sections;
    CString m_error;
    CString m_path;
};
