// CString text operations: comparison, extraction, searching, case, replacement and trimming.
// Every loop walks whole characters from the start of the string (see AfxMbcs.h), so no
// operation matches, changes or cuts a trail byte.
#include "AfxMbcs.h"
#include "CString.h"

#include <vector>

using afx_internal::CharCodeAt;
using afx_internal::CharInSet;
using afx_internal::CharSizeAt;
using afx_internal::CharStartAt;

namespace {

int Sign(int n)
{
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

// The C runtime's white space in the "C" locale.
bool IsSpaceChar(const char* s, int i, int nSize)
{
    return nSize == 1 && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'));
}

// Character-wise comparison of two NUL-terminated strings, optionally folding case.
int CompareChars(LPCTSTR s1, LPCTSTR s2, bool bFoldCase)
{
    int nLen1 = (int)strlen(s1);
    int nLen2 = (int)strlen(s2);
    int i1 = 0;
    int i2 = 0;
    while (i1 < nLen1 && i2 < nLen2) {
        int nSize1 = CharSizeAt(s1, i1, nLen1);
        int nSize2 = CharSizeAt(s2, i2, nLen2);
        char folded1[2];
        char folded2[2];
        const char* p1 = s1 + i1;
        const char* p2 = s2 + i2;
        if (bFoldCase) {
            afx_internal::MapCharCase(s1, i1, nSize1, true, folded1);
            afx_internal::MapCharCase(s2, i2, nSize2, true, folded2);
            p1 = folded1;
            p2 = folded2;
        }
        unsigned c1 = CharCodeAt(p1, 0, nSize1);
        unsigned c2 = CharCodeAt(p2, 0, nSize2);
        if (c1 != c2)
            return c1 < c2 ? -1 : 1;
        i1 += nSize1;
        i2 += nSize2;
    }
    return Sign((i1 < nLen1) - (i2 < nLen2));
}

int CollateChars(LPCTSTR s1, LPCTSTR s2, DWORD dwFlags)
{
    int nResult = CompareStringA(LOCALE_SYSTEM_DEFAULT, dwFlags | SORT_STRINGSORT, s1, -1, s2, -1);
    return nResult == 0 ? INT_MAX : nResult - CSTR_EQUAL;
}

} // namespace

int CString::Compare(LPCTSTR lpsz) const
{
    return CompareChars(m_pchData, lpsz == NULL ? "" : lpsz, false);
}

int CString::CompareNoCase(LPCTSTR lpsz) const
{
    return CompareChars(m_pchData, lpsz == NULL ? "" : lpsz, true);
}

int CString::Collate(LPCTSTR lpsz) const
{
    return CollateChars(m_pchData, lpsz == NULL ? "" : lpsz, 0);
}

int CString::CollateNoCase(LPCTSTR lpsz) const
{
    return CollateChars(m_pchData, lpsz == NULL ? "" : lpsz, NORM_IGNORECASE);
}

// The characters lying wholly within bytes [nFirst, nEnd) (both already clamped to the string).
CString CString::Range(int nFirst, int nEnd) const
{
    int nLen = GetLength();
    int nStart = CharStartAt(m_pchData, nLen, nFirst);
    if (nStart < nFirst)
        nStart += CharSizeAt(m_pchData, nStart, nLen);
    nEnd = CharStartAt(m_pchData, nLen, nEnd);
    if (nEnd <= nStart)
        return CString();
    if (nStart == 0 && nEnd == nLen)
        return *this;
    return CString(m_pchData + nStart, nEnd - nStart);
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLen = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLen)
        nFirst = nLen;
    if (nCount > nLen - nFirst)
        nCount = nLen - nFirst;
    return Range(nFirst, nFirst + nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - (nFirst < 0 ? 0 : nFirst));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int nLen = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLen)
        nCount = nLen;
    return Range(nLen - nCount, nLen);
}

int CString::SpanLength(LPCTSTR lpszCharSet, bool bInSet) const
{
    int nLen = GetLength();
    int i = 0;
    while (i < nLen) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        if (CharInSet(m_pchData, i, nSize, lpszCharSet) != bInSet)
            break;
        i += nSize;
    }
    return i;
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    return Left(SpanLength(lpszCharSet, true));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    return Left(SpanLength(lpszCharSet, false));
}

void CString::MapCase(bool bUpper)
{
    CopyBeforeWrite();
    int nLen = GetLength();
    for (int i = 0; i < nLen;) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        char mapped[2];
        afx_internal::MapCharCase(m_pchData, i, nSize, bUpper, mapped);
        memcpy(m_pchData + i, mapped, nSize);
        i += nSize;
    }
}

void CString::MakeUpper()
{
    MapCase(true);
}

void CString::MakeLower()
{
    MapCase(false);
}

void CString::MakeReverse()
{
    int nLen = GetLength();
    if (nLen < 2)
        return;
    CString reversed;
    reversed.AllocBuffer(nLen, nLen);
    for (int i = 0; i < nLen;) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        memcpy(reversed.m_pchData + nLen - i - nSize, m_pchData + i, nSize);
        i += nSize;
    }
    AssignCopy(nLen, reversed.m_pchData);
}

int CString::Find(TCHAR ch) const
{
    return Find(ch, 0);
}

int CString::Find(TCHAR ch, int nStart) const
{
    int nLen = GetLength();
    for (int i = 0; i < nLen;) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        if (i >= nStart && nSize == 1 && m_pchData[i] == ch)
            return i;
        i += nSize;
    }
    return -1;
}

// Index of the first occurrence of lpszSub (nSubLen bytes) that starts at a character boundary
// at or after nStart and ends at one, or -1.
int CString::FindSubAt(LPCTSTR lpszSub, int nSubLen, int nStart) const
{
    int nLen = GetLength();
    for (int i = 0; i + nSubLen <= nLen;) {
        if (i >= nStart && memcmp(m_pchData + i, lpszSub, nSubLen) == 0 &&
            CharStartAt(m_pchData, nLen, i + nSubLen) == i + nSubLen)
            return i;
        i += CharSizeAt(m_pchData, i, nLen);
    }
    return -1;
}

int CString::Find(LPCTSTR lpszSub) const
{
    return Find(lpszSub, 0);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (nStart > GetLength())
        return -1;
    int nSubLen = lpszSub == NULL ? 0 : (int)strlen(lpszSub);
    if (nSubLen == 0)
        return nStart;
    return FindSubAt(lpszSub, nSubLen, nStart);
}

int CString::ReverseFind(TCHAR ch) const
{
    int nLen = GetLength();
    int nFound = -1;
    for (int i = 0; i < nLen;) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        if (nSize == 1 && m_pchData[i] == ch)
            nFound = i;
        i += nSize;
    }
    return nFound;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    int nLen = GetLength();
    for (int i = 0; i < nLen;) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        if (CharInSet(m_pchData, i, nSize, lpszCharSet))
            return i;
        i += nSize;
    }
    return -1;
}

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    int nLen = GetLength();
    int nCount = 0;
    for (int i = 0; i < nLen;) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        if (nSize == 1 && m_pchData[i] == chOld) {
            if (chOld != chNew) {
                CopyBeforeWrite();
                m_pchData[i] = chNew;
            }
            ++nCount;
        }
        i += nSize;
    }
    return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    int nOldLen = lpszOld == NULL ? 0 : (int)strlen(lpszOld);
    if (nOldLen == 0)
        return 0;
    int nNewLen = lpszNew == NULL ? 0 : (int)strlen(lpszNew);
    std::vector<int> matches;
    for (int i = FindSubAt(lpszOld, nOldLen, 0); i >= 0; i = FindSubAt(lpszOld, nOldLen, i + nOldLen))
        matches.push_back(i);
    if (matches.empty())
        return 0;
    int nLen = GetLength();
    CString result;
    result.AllocBuffer(nLen + (int)matches.size() * (nNewLen - nOldLen),
                       nLen + (int)matches.size() * (nNewLen - nOldLen));
    LPTSTR out = result.m_pchData;
    int nFrom = 0;
    for (int nMatch : matches) {
        memcpy(out, m_pchData + nFrom, nMatch - nFrom);
        out += nMatch - nFrom;
        memcpy(out, lpszNew, nNewLen);
        out += nNewLen;
        nFrom = nMatch + nOldLen;
    }
    memcpy(out, m_pchData + nFrom, nLen - nFrom);
    *this = std::move(result);
    return (int)matches.size();
}

int CString::Remove(TCHAR chRemove)
{
    int nLen = GetLength();
    CopyBeforeWrite();
    int nOut = 0;
    for (int i = 0; i < nLen;) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        if (!(nSize == 1 && m_pchData[i] == chRemove)) {
            memmove(m_pchData + nOut, m_pchData + i, nSize);
            nOut += nSize;
        }
        i += nSize;
    }
    SetLength(nOut);
    return nLen - nOut;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    return Insert(nIndex, CString(ch));
}

int CString::Insert(int nIndex, LPCTSTR pstr)
{
    int nInsertLen = pstr == NULL ? 0 : (int)strlen(pstr);
    int nLen = GetLength();
    if (nInsertLen == 0)
        return nLen;
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLen)
        nIndex = nLen;
    CString result;
    result.AllocBuffer(nLen + nInsertLen, nLen + nInsertLen);
    memcpy(result.m_pchData, m_pchData, nIndex);
    memcpy(result.m_pchData + nIndex, pstr, nInsertLen);
    memcpy(result.m_pchData + nIndex + nInsertLen, m_pchData + nIndex, nLen - nIndex);
    *this = std::move(result);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > nLen - nIndex)
        nCount = nLen - nIndex;
    if (nCount > 0) {
        CopyBeforeWrite();
        memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, nLen - nIndex - nCount);
        SetLength(nLen - nCount);
    }
    return GetLength();
}

// Start of the run of trailing characters that are white space (bSpace) or in lpszTargets.
int CString::TrailingRunStart(LPCTSTR lpszTargets, bool bSpace) const
{
    int nLen = GetLength();
    int nRunStart = nLen;
    for (int i = 0; i < nLen;) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        bool bTrim = bSpace ? IsSpaceChar(m_pchData, i, nSize)
                            : CharInSet(m_pchData, i, nSize, lpszTargets);
        if (!bTrim)
            nRunStart = nLen;
        else if (nRunStart == nLen)
            nRunStart = i;
        i += nSize;
    }
    return nRunStart;
}

// End of the run of leading characters that are white space (bSpace) or in lpszTargets.
int CString::LeadingRunEnd(LPCTSTR lpszTargets, bool bSpace) const
{
    int nLen = GetLength();
    int i = 0;
    while (i < nLen) {
        int nSize = CharSizeAt(m_pchData, i, nLen);
        bool bTrim = bSpace ? IsSpaceChar(m_pchData, i, nSize)
                            : CharInSet(m_pchData, i, nSize, lpszTargets);
        if (!bTrim)
            break;
        i += nSize;
    }
    return i;
}

void CString::TrimRight()
{
    int nEnd = TrailingRunStart(NULL, true);
    if (nEnd < GetLength()) {
        CopyBeforeWrite();
        SetLength(nEnd);
    }
}

void CString::TrimRight(TCHAR chTarget)
{
    TCHAR set[2] = {chTarget, '\0'};
    TrimRight(set);
}

void CString::TrimRight(LPCTSTR lpszTargets)
{
    int nEnd = TrailingRunStart(lpszTargets, false);
    if (nEnd < GetLength()) {
        CopyBeforeWrite();
        SetLength(nEnd);
    }
}

void CString::TrimLeft()
{
    Delete(0, LeadingRunEnd(NULL, true));
}

void CString::TrimLeft(TCHAR chTarget)
{
    TCHAR set[2] = {chTarget, '\0'};
    TrimLeft(set);
}

void CString::TrimLeft(LPCTSTR lpszTargets)
{
    Delete(0, LeadingRunEnd(lpszTargets, false));
}
