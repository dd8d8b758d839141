#include "IniDocSection.h"

#include <cstdlib>

namespace {

// Splits at every separator. The separator may be a byte that is also the second half of a
// Chinese character ('|', '@', '\\'), so the text is walked character by character.
void SplitAt(const char* text, char separator, CStringArray& items)
{
    const char* start = text;
    const char* p = text;
    while (*p) {
        if (IsDBCSLeadByte((BYTE)*p) && p[1]) {
            p += 2;
            continue;
        }
        if (*p == separator) {
            items.Add(CString(start, (int)(p - start)));
            start = p + 1;
        }
        ++p;
    }
    items.Add(CString(start));
}

int IntField(const CStringArray& fields, int index)
{
    return index < fields.GetSize() ? atoi(fields[index]) : 0;
}

CString Joined(const int* values, int count)
{
    CString text, field;
    for (int i = 0; i < count; ++i) {
        field.Format(i == 0 ? "%d" : ",%d", values[i]);
        text += field;
    }
    return text;
}

} // namespace

CIniDocSection::CIniDocSection(const char* name)
    : m_name(name)
{
}

int CIniDocSection::FindKey(const char* key) const
{
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        CString stored = m_pairs[i].first;
        stored.TrimRight();
        if (stored.Compare(key) == 0)
            return (int)i;
    }
    return -1;
}

BOOL CIniDocSection::GetString(const char* key, CString& value) const
{
    int index = FindKey(key);
    if (index < 0)
        return FALSE;
    // ';' is never the second byte of a Chinese character: a byte search is safe.
    const CString& stored = m_pairs[index].second;
    int comment = stored.Find(';');
    value = comment < 0 ? stored : stored.Left(comment);
    return TRUE;
}

BOOL CIniDocSection::SetString(const char* key, const char* value)
{
    int index = FindKey(key);
    if (index < 0)
        m_pairs.emplace_back(CString(key), CString(value));
    else
        m_pairs[index].second = value;
    return TRUE;
}

BOOL CIniDocSection::GetInt(const char* key, int& value) const
{
    CString text;
    if (!GetString(key, text))
        return FALSE;
    value = atoi(text);
    return TRUE;
}

BOOL CIniDocSection::SetInt(const char* key, int value)
{
    return SetString(key, Joined(&value, 1));
}

BOOL CIniDocSection::GetUInt(const char* key, UINT& value) const
{
    int read = 0;
    if (!GetInt(key, read))
        return FALSE;
    value = (UINT)read;
    return TRUE;
}

BOOL CIniDocSection::SetUInt(const char* key, UINT value)
{
    return SetInt(key, (int)value);
}

BOOL CIniDocSection::GetLong(const char* key, long& value) const
{
    CString text;
    if (!GetString(key, text))
        return FALSE;
    value = atol(text);
    return TRUE;
}

BOOL CIniDocSection::SetLong(const char* key, long value)
{
    return SetInt(key, (int)value);
}

BOOL CIniDocSection::GetFields(const char* key, int minLength, CStringArray& fields) const
{
    CString text;
    if (!GetString(key, text) || text.GetLength() < minLength)
        return FALSE;
    SplitAt(text, ',', fields);
    return TRUE;
}

BOOL CIniDocSection::GetPoint(const char* key, POINT& value) const
{
    CStringArray fields;
    if (!GetFields(key, 3, fields) || fields.GetSize() < 2)
        return FALSE;
    value.x = IntField(fields, 0);
    value.y = IntField(fields, 1);
    return TRUE;
}

BOOL CIniDocSection::SetPoint(const char* key, POINT value)
{
    int fields[] = {(int)value.x, (int)value.y};
    return SetString(key, Joined(fields, 2));
}

BOOL CIniDocSection::GetSize(const char* key, SIZE& value) const
{
    POINT pair;
    if (!GetPoint(key, pair))
        return FALSE;
    value.cx = pair.x;
    value.cy = pair.y;
    return TRUE;
}

BOOL CIniDocSection::SetSize(const char* key, SIZE value)
{
    int fields[] = {(int)value.cx, (int)value.cy};
    return SetString(key, Joined(fields, 2));
}

BOOL CIniDocSection::GetRect(const char* key, RECT& value) const
{
    CStringArray fields;
    if (!GetFields(key, 7, fields))
        return FALSE;
    value.left = IntField(fields, 0);
    value.top = IntField(fields, 1);
    value.right = IntField(fields, 2);
    value.bottom = IntField(fields, 3);
    return TRUE;
}

BOOL CIniDocSection::SetRect(const char* key, const RECT& value)
{
    int fields[] = {(int)value.left, (int)value.top, (int)value.right, (int)value.bottom};
    return SetString(key, Joined(fields, 4));
}

BOOL CIniDocSection::GetColor(const char* key, CIniDocColor& value) const
{
    CStringArray fields;
    if (!GetFields(key, 5, fields) || fields.GetSize() < 3)
        return FALSE;
    value = CIniDocColor((BYTE)(IntField(fields, 0) & 0xFF), (BYTE)(IntField(fields, 1) & 0xFF),
                         (BYTE)(IntField(fields, 2) & 0xFF));
    return TRUE;
}

BOOL CIniDocSection::SetColor(const char* key, const CIniDocColor& value)
{
    int fields[] = {value.m_red, value.m_green, value.m_blue};
    return SetString(key, Joined(fields, 3));
}

BOOL CIniDocSection::GetStringArray(const char* key, CStringArray& list, char separator) const
{
    CString text;
    if (!GetString(key, text) || text.IsEmpty())
        return FALSE;
    if (text[0] == separator)
        list.Add(text);
    else
        SplitAt(text, separator, list);
    return TRUE;
}

BOOL CIniDocSection::SetStringArray(const char* key, const CStringArray& list, char separator)
{
    CString text;
    for (int i = 0; i < list.GetSize(); ++i) {
        if (i > 0)
            text += separator;
        text += list[i];
    }
    return SetString(key, text);
}

BOOL CIniDocSection::GetFloat(const char* key, float& value) const
{
    double read = 0;
    if (!GetDouble(key, read))
        return FALSE;
    value = (float)read;
    return TRUE;
}

BOOL CIniDocSection::SetFloat(const char* key, float value)
{
    return SetDouble(key, value);
}

BOOL CIniDocSection::GetDouble(const char* key, double& value) const
{
    CString text;
    if (!GetString(key, text))
        return FALSE;
    value = atof(text);
    return TRUE;
}

BOOL CIniDocSection::SetDouble(const char* key, double value)
{
    CString text;
    text.Format("%f", value);
    return SetString(key, text);
}

BOOL CIniDocSection::GetTime(const char* key, CTime& value) const
{
    CStringArray fields;
    if (!GetFields(key, 10, fields))
        return FALSE;
    // Daylight saving time or not is the C runtime's choice for that date.
    value = CTime(IntField(fields, 0), IntField(fields, 1), IntField(fields, 2),
                  IntField(fields, 3), IntField(fields, 4), IntField(fields, 5), -1);
    return TRUE;
}

BOOL CIniDocSection::SetTime(const char* key, const CTime& value)
{
    return SetString(key, value.Format("%Y,%m,%d,%H,%M,%S"));
}

BOOL CIniDocSection::GetTimeSpan(const char* key, CTimeSpan& value) const
{
    CStringArray fields;
    if (!GetFields(key, 7, fields))
        return FALSE;
    value = CTimeSpan(IntField(fields, 0), IntField(fields, 1), IntField(fields, 2),
                      IntField(fields, 3));
    return TRUE;
}

BOOL CIniDocSection::SetTimeSpan(const char* key, const CTimeSpan& value)
{
    int fields[] = {(int)value.GetDays(), value.GetHours(), value.GetMinutes(), value.GetSeconds()};
    return SetString(key, Joined(fields, 4));
}
