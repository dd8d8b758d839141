#pragma once

#include <afx.h>

#include <utility>
#include <vector>

#include "IniDocColor.h"

// One [section] of Tandril's ini document: its keys in file order, each kept exactly as
// written. A key is found by its text without trailing blanks; leading blanks count.
// Every getter reads the value only up to its first ";", returns FALSE and leaves its output
// as it was when the key is missing or its text does not parse; setters replace the value
// of the key found or append the key, and return TRUE.
class CIniDocSection
{
public:
    explicit CIniDocSection(const char* name);

    const CString& GetName() const { return m_name; }
    int GetKeyCount() const { return (int)m_pairs.size(); }
    const CString& GetKeyAt(int index) const { return m_pairs[index].first; }
    // The stored text, a ";" and what follows included.
    const CString& GetValueAt(int index) const { return m_pairs[index].second; }
    // The position of the key, -1 when it is missing.
    int FindKey(const char* key) const;

    BOOL GetString(const char* key, CString& value) const;
    BOOL SetString(const char* key, const char* value);
    BOOL GetInt(const char* key, int& value) const;
    BOOL SetInt(const char* key, int value);
    BOOL GetUInt(const char* key, UINT& value) const;
    BOOL SetUInt(const char* key, UINT value);
    BOOL GetLong(const char* key, long& value) const;
    BOOL SetLong(const char* key, long value);
    BOOL GetPoint(const char* key, POINT& value) const;
    BOOL SetPoint(const char* key, POINT value);
    BOOL GetSize(const char* key, SIZE& value) const;
    BOOL SetSize(const char* key, SIZE value);
    BOOL GetRect(const char* key, RECT& value) const;
    BOOL SetRect(const char* key, const RECT& value);
    BOOL GetColor(const char* key, CIniDocColor& value) const;
    BOOL SetColor(const char* key, const CIniDocColor& value);
    // Appends the items to the list.
    BOOL GetStringArray(const char* key, CStringArray& list, char separator) const;
    BOOL SetStringArray(const char* key, const CStringArray& list, char separator);
    BOOL GetFloat(const char* key, float& value) const;
    BOOL SetFloat(const char* key, float value);
    BOOL GetDouble(const char* key, double& value) const;
    BOOL SetDouble(const char* key, double value);
    BOOL GetTime(const char* key, CTime& value) const;
    BOOL SetTime(const char* key, const CTime& value);
    BOOL GetTimeSpan(const char* key, CTimeSpan& value) const;
    BOOL SetTimeSpan(const char* key, const CTimeSpan& value);

private:
    // The value's text split at commas, when it has at least minLength characters.
    BOOL GetFields(const char* key, int minLength, CStringArray& fields) const;

    CString m_name;
    std::vector<std::pair<CString, CString>> m_pairs;
};
