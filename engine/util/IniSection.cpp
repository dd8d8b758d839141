#include "IniSection.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "IniFile.h"

namespace {

// Separators may be bytes that also occur as the second half of a Chinese character
// ('|', '@', letters), so the text is walked character by character. At most maxFields are
// appended and the walk stops there. The fields are found first and the array sized once:
// growing it field by field costs time in the square of the count on a long value.
void SplitFields(const CString& text, char separator, CStringArray& fields,
                 int maxFields = INT_MAX)
{
    const char* s = text;
    int length = text.GetLength();
    std::vector<std::pair<int, int> > spans;
    int start = 0;
    for (int i = 0; i < length && (int)spans.size() < maxFields;) {
        if (IsDBCSLeadByte((BYTE)s[i]) && i + 1 < length) {
            i += 2;
            continue;
        }
        if (s[i] == separator) {
            spans.push_back(std::make_pair(start, i));
            start = i + 1;
        }
        ++i;
    }
    if ((int)spans.size() < maxFields)
        spans.push_back(std::make_pair(start, length));
    int base = (int)fields.GetSize();
    fields.SetSize(base + (int)spans.size());
    for (size_t k = 0; k < spans.size(); ++k)
        fields[base + (int)k] = CString(s + spans[k].first, spans[k].second - spans[k].first);
}

int IntField(const CStringArray& fields, int index)
{
    return index < fields.GetSize() ? atoi(fields[index]) : 0;
}

// n when the key is the prefix followed by n written with "%d" (n >= 0), else -1.
int KeyNumber(const CString& key, const char* prefix, int prefixLength)
{
    int digits = key.GetLength() - prefixLength;
    if (digits < 1 || digits > 10 || strncmp(key, prefix, prefixLength) != 0)
        return -1;
    const char* p = (const char*)key + prefixLength;
    if (p[0] == '0' && digits > 1)
        return -1;
    long long n = 0;
    for (int i = 0; i < digits; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        n = n * 10 + (p[i] - '0');
    }
    return n <= INT_MAX ? (int)n : -1;
}

} // namespace

CIniSection::CIniSection(const char* name)
    : m_name(name)
{
    m_values.InitHashTable(kHashTableSize);
}

BOOL CIniSection::GetString(const char* key, CString& value) const
{
    return m_values.Lookup(key, value);
}

BOOL CIniSection::SetString(const char* key, const char* value)
{
    m_values.SetAt(key, value);
    return TRUE;
}

BOOL CIniSection::GetInt(const char* key, int& value) const
{
    CString text;
    if (!GetString(key, text))
        return FALSE;
    value = atoi(text);
    return TRUE;
}

BOOL CIniSection::SetInt(const char* key, int value)
{
    CString text;
    text.Format("%d", value);
    return SetString(key, text);
}

BOOL CIniSection::GetUInt(const char* key, UINT& value) const
{
    CString text;
    if (!GetString(key, text))
        return FALSE;
    value = (UINT)atoi(text);
    return TRUE;
}

BOOL CIniSection::SetUInt(const char* key, UINT value)
{
    return SetInt(key, (int)value);
}

BOOL CIniSection::GetLong(const char* key, long& value) const
{
    CString text;
    if (!GetString(key, text))
        return FALSE;
    value = atol(text);
    return TRUE;
}

BOOL CIniSection::SetLong(const char* key, long value)
{
    CString text;
    text.Format("%ld", value);
    return SetString(key, text);
}

BOOL CIniSection::GetFloat(const char* key, float& value) const
{
    double read = 0;
    if (!GetDouble(key, read))
        return FALSE;
    value = (float)read;
    return TRUE;
}

BOOL CIniSection::SetFloat(const char* key, float value)
{
    return SetDouble(key, value);
}

BOOL CIniSection::GetDouble(const char* key, double& value) const
{
    CString text;
    if (!GetString(key, text))
        return FALSE;
    value = atof(text);
    return TRUE;
}

BOOL CIniSection::SetDouble(const char* key, double value)
{
    CString text;
    text.Format("%f", value);
    return SetString(key, text);
}

// "x,y": the comma is required, a missing second number reads 0 ("5," is (5,0)).
BOOL CIniSection::GetPair(const char* key, int& first, int& second) const
{
    CString text;
    if (!GetString(key, text) || text.GetLength() < 2 || text.Find(',') < 0)
        return FALSE;
    CStringArray fields;
    SplitFields(text, ',', fields, 2);
    first = IntField(fields, 0);
    second = IntField(fields, 1);
    return TRUE;
}

BOOL CIniSection::GetPoint(const char* key, POINT& value) const
{
    int x, y;
    if (!GetPair(key, x, y))
        return FALSE;
    value.x = x;
    value.y = y;
    return TRUE;
}

BOOL CIniSection::SetPoint(const char* key, POINT value)
{
    CString text;
    text.Format("%d,%d", (int)value.x, (int)value.y);
    return SetString(key, text);
}

BOOL CIniSection::GetSize(const char* key, SIZE& value) const
{
    int cx, cy;
    if (!GetPair(key, cx, cy))
        return FALSE;
    value.cx = cx;
    value.cy = cy;
    return TRUE;
}

BOOL CIniSection::SetSize(const char* key, SIZE value)
{
    CString text;
    text.Format("%d,%d", (int)value.cx, (int)value.cy);
    return SetString(key, text);
}

BOOL CIniSection::GetRect(const char* key, RECT& value) const
{
    CString text;
    if (!GetString(key, text) || text.GetLength() < 7)
        return FALSE;
    CStringArray fields;
    SplitFields(text, ',', fields, 4);
    value.left = IntField(fields, 0);
    value.top = IntField(fields, 1);
    value.right = IntField(fields, 2);
    value.bottom = IntField(fields, 3);
    return TRUE;
}

BOOL CIniSection::SetRect(const char* key, const RECT& value)
{
    CString text;
    text.Format("%d,%d,%d,%d", (int)value.left, (int)value.top, (int)value.right,
                (int)value.bottom);
    return SetString(key, text);
}

BOOL CIniSection::GetColor(const char* key, CIniColor& value) const
{
    CString text;
    if (!GetString(key, text) || text.GetLength() < 5)
        return FALSE;
    CStringArray fields;
    SplitFields(text, ',', fields, 3);
    if (fields.GetSize() < 3)
        return FALSE;
    value = CIniColor((BYTE)IntField(fields, 0), (BYTE)IntField(fields, 1),
                      (BYTE)IntField(fields, 2));
    return TRUE;
}

BOOL CIniSection::SetColor(const char* key, const CIniColor& value)
{
    CString text;
    text.Format("%d,%d,%d", value.m_red, value.m_green, value.m_blue);
    return SetString(key, text);
}

void CIniSection::GetNumberedValues(const char* prefix, int count,
                                    CStringList& values) const
{
    int prefixLength = (int)strlen(prefix);
    std::vector<std::pair<int, CString> > found;
    CString key, value;
    for (POSITION position = GetFirstKeyPosition(); position;) {
        GetNextKey(position, key, value);
        int n = KeyNumber(key, prefix, prefixLength);
        if (n >= 0 && n < count)
            found.push_back(std::make_pair(n, value));
    }
    std::sort(found.begin(), found.end(),
              [](const std::pair<int, CString>& a, const std::pair<int, CString>& b) {
                  return a.first < b.first;
              });
    for (const auto& one : found)
        values.AddTail(one.second);
}

BOOL CIniSection::GetStringArray(const char* key, CStringArray& list, char separator) const
{
    CString text;
    if (!GetString(key, text) || text.IsEmpty())
        return FALSE;
    SplitFields(text, separator, list);
    return TRUE;
}

BOOL CIniSection::SetStringArray(const char* key, const CStringArray& list, char separator)
{
    CString text;
    for (int i = 0; i < list.GetSize(); ++i) {
        if (i > 0)
            text += separator;
        text += list[i];
    }
    return SetString(key, text);
}

BOOL CIniSection::GetTime(const char* key, CTime& value) const
{
    CString text;
    return GetString(key, text) && CIniFile::ParseTime(text, value);
}

BOOL CIniSection::SetTime(const char* key, const CTime& value)
{
    return SetString(key, value.Format("%Y,%m,%d,%H,%M,%S"));
}
