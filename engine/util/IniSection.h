#pragma once

#include <afx.h>

#include "IniColor.h"

// One [section] of an ini file. Keys are matched exactly, with case. Getters return FALSE
// and leave their output unchanged when the key is missing or its text is malformed;
// setters always succeed. Keys are kept in the order of the map, not of the file.
class CIniSection
{
public:
    explicit CIniSection(const char* name);

    const CString& GetName() const { return m_name; }
    int GetKeyCount() const { return (int)m_values.GetCount(); }
    POSITION GetFirstKeyPosition() const { return m_values.GetStartPosition(); }
    void GetNextKey(POSITION& position, CString& key, CString& value) const
    {
        m_values.GetNextAssoc(position, key, value);
    }

    BOOL GetString(const char* key, CString& value) const;
    BOOL SetString(const char* key, const char* value);
    BOOL GetInt(const char* key, int& value) const;
    BOOL SetInt(const char* key, int value);
    BOOL GetUInt(const char* key, UINT& value) const;
    BOOL SetUInt(const char* key, UINT value);
    BOOL GetLong(const char* key, long& value) const;
    BOOL SetLong(const char* key, long value);
    BOOL GetFloat(const char* key, float& value) const;
    BOOL SetFloat(const char* key, float value);
    BOOL GetDouble(const char* key, double& value) const;
    BOOL SetDouble(const char* key, double value);
    BOOL GetPoint(const char* key, POINT& value) const;
    BOOL SetPoint(const char* key, POINT value);
    BOOL GetSize(const char* key, SIZE& value) const;
    BOOL SetSize(const char* key, SIZE value);
    BOOL GetRect(const char* key, RECT& value) const;
    BOOL SetRect(const char* key, const RECT& value);
    BOOL GetColor(const char* key, CIniColor& value) const;
    BOOL SetColor(const char* key, const CIniColor& value);
    // Every separator ends one field, empty fields included; the fields are appended.
    BOOL GetStringArray(const char* key, CStringArray& list, char separator) const;
    BOOL SetStringArray(const char* key, const CStringArray& list, char separator);
    BOOL GetTime(const char* key, CTime& value) const;
    // The values of the keys prefix + "0" .. prefix + (count - 1) the section holds, appended
    // in number order; the numbers missing add nothing. One walk over the section's keys, so
    // a count far beyond them costs no more than the keys themselves.
    void GetNumberedValues(const char* prefix, int count, CStringList& values) const;
    BOOL SetTime(const char* key, const CTime& value);

private:
    enum { kHashTableSize = 10 };

    BOOL GetPair(const char* key, int& first, int& second) const;

    CString m_name;
    CMapStringToString m_values;
};
