// CString: the framework's reference-counted, copy-on-write narrow string.
//
// Texts are in the ANSI code page (936, GBK): a character is one byte or a lead byte
// (0x81-0xFE) and a trail byte (0x40-0xFE, which includes '\\' and ASCII letters). Searching,
// replacing, trimming and case mapping work on whole characters and never match or change a
// trail byte. Indexes and counts (GetLength, Mid, Left, Right, Find results) are in bytes as in
// the real framework; Mid, Left and Right return only the characters that lie wholly inside the
// requested byte range, so a cut never leaves half a character at either end.
//
// The object is a single pointer to the characters, preceded in memory by a CStringData
// header, so sizeof(CString) == sizeof(char*) and CStrings may be moved bytewise.
//
// Varargs: the real framework lets a CString be passed straight to Format's "%s" because the
// object is just its character pointer. GCC passes a non-trivially-copyable object through
// "..." by invisible reference, so the callee receives the address of the CString object, not
// its text. Always cast: s.Format("%s", (LPCTSTR)name). Format is declared with the printf
// format attribute, so -Wformat warns when a CString is passed uncast.
#pragma once

#include "afxdefs.h"

struct CStringData {
    // -1: locked by LockBuffer (never shared), or the shared empty string;
    // >= 1: number of CStrings sharing these characters.
    long nRefs;
    int nDataLength;   // bytes, without the terminating NUL
    int nAllocLength;  // bytes available, without the terminating NUL
    TCHAR* data() { return (TCHAR*)(this + 1); }
};

class CString {
public:
    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(TCHAR ch, int nRepeat = 1);
    // A pointer whose high word is 0 is a string resource id (MAKEINTRESOURCE), as in the real
    // framework: the string is loaded with LoadString.
    CString(LPCSTR lpsz);
    CString(LPCWSTR lpsz);
    CString(LPCTSTR lpch, int nLength);
    CString(const unsigned char* psz);
    ~CString();

    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    TCHAR GetAt(int nIndex) const;
    TCHAR operator[](int nIndex) const;
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_pchData; }

    const CString& operator=(const CString& stringSrc);
    const CString& operator=(CString&& stringSrc) noexcept;
    const CString& operator=(TCHAR ch);
    const CString& operator=(LPCSTR lpsz);
    const CString& operator=(LPCWSTR lpsz);
    const CString& operator=(const unsigned char* psz);

    const CString& operator+=(const CString& string);
    const CString& operator+=(TCHAR ch);
    const CString& operator+=(LPCTSTR lpsz);

    // Byte-wise order of characters (the C runtime's _mbscmp); -1, 0 or 1.
    int Compare(LPCTSTR lpsz) const;
    // As Compare with ASCII and the code page's double-byte letters folded to upper case.
    int CompareNoCase(LPCTSTR lpsz) const;
    // Locale order of the ANSI code page's locale (CompareString); -1, 0 or 1.
    int Collate(LPCTSTR lpsz) const;
    int CollateNoCase(LPCTSTR lpsz) const;

    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();  // reverses the order of characters; a double-byte one stays intact

    // Each returns the number of replacements or removals.
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    // Byte positions; each returns the new length.
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    // Without arguments: white space (space, tab, CR, LF, VT, FF).
    void TrimRight();
    void TrimLeft();
    void TrimRight(TCHAR chTarget);
    void TrimRight(LPCTSTR lpszTargets);
    void TrimLeft(TCHAR chTarget);
    void TrimLeft(LPCTSTR lpszTargets);

    // Byte index of the first match at or after nStart (only whole characters match), or -1.
    int Find(TCHAR ch) const;
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const;
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    // printf formatting, never truncated. The formatter is mingw's C99 printf, which also takes
    // the Microsoft forms (%I64d); -Wformat checks calls by the Microsoft rules that MFC-era
    // code follows.
    void AFX_CDECL Format(LPCTSTR lpszFormat, ...) __attribute__((format(ms_printf, 2, 3)));
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCTSTR lpszFormat, va_list argList);
    // FormatMessage's %1..%99 inserts (windows.h maps the name to FormatMessageA).
    void AFX_CDECL FormatMessage(LPCTSTR lpszFormat, ...);
    void AFX_CDECL FormatMessage(UINT nFormatID, ...);

    // Loads a string resource of any length from AfxGetResourceHandle() (windows.h maps the name
    // to LoadStringA). FALSE, with the string emptied, when there is no such non-empty string.
    BOOL LoadString(UINT nID);

    void AnsiToOem();
    void OemToAnsi();
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPTSTR LockBuffer();
    void UnlockBuffer();

protected:
    LPTSTR m_pchData;

    CStringData* GetData() const { return ((CStringData*)m_pchData) - 1; }
    bool IsNil() const;
    void Init();
    void AllocBuffer(int nLen, int nAllocLen);
    void Release();
    void CopyBeforeWrite();
    void AllocBeforeWrite(int nLen);
    void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
    void SetLength(int nLen);
    CString Range(int nFirst, int nEnd) const;
    int FindSubAt(LPCTSTR lpszSub, int nSubLen, int nStart) const;
    int SpanLength(LPCTSTR lpszCharSet, bool bInSet) const;
    void MapCase(bool bUpper);
    int TrailingRunStart(LPCTSTR lpszTargets, bool bSpace) const;
    int LeadingRunEnd(LPCTSTR lpszTargets, bool bSpace) const;
};

static_assert(sizeof(CString) == sizeof(char*), "CString must stay a single pointer");

CString AFXAPI operator+(const CString& string1, const CString& string2);
CString AFXAPI operator+(const CString& string, TCHAR ch);
CString AFXAPI operator+(TCHAR ch, const CString& string);
CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

inline bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool AFXAPI operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool AFXAPI operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
inline bool AFXAPI operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }
