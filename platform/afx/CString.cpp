// CString storage: construction, assignment, concatenation and the buffer interface.
#include "CString.h"
#include "CMemoryException.h"

#include <utility>

namespace {

// The shared empty string: every empty CString points here. It is never written; its
// reference count stays -1 so that no CString ever frees it.
struct NilString {
    CStringData header;
    TCHAR chNil;
};
NilString s_nil = {{-1, 0, 0}, 0};
static_assert(offsetof(NilString, chNil) == sizeof(CStringData), "no padding before the text");

LPTSTR NilChars()
{
    return s_nil.header.data();
}

int SafeStrLen(LPCSTR lpsz)
{
    return lpsz == NULL ? 0 : (int)strlen(lpsz);
}

// The capacity to allocate when a string grows to nLen: geometric growth keeps repeated
// appends linear.
int GrownCapacity(int nOldAlloc, int nLen)
{
    int nGrown = nOldAlloc + nOldAlloc / 2;
    return nGrown > nLen ? nGrown : nLen;
}

} // namespace

bool CString::IsNil() const
{
    return m_pchData == NilChars();
}

void CString::Init()
{
    m_pchData = NilChars();
}

void CString::AllocBuffer(int nLen, int nAllocLen)
{
    if (nAllocLen == 0) {
        Init();
        return;
    }
    CStringData* pData = (CStringData*)malloc(sizeof(CStringData) + nAllocLen + 1);
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->nRefs = 1;
    pData->nAllocLength = nAllocLen;
    pData->nDataLength = nLen;
    pData->data()[nLen] = '\0';
    m_pchData = pData->data();
}

void CString::Release()
{
    if (!IsNil()) {
        CStringData* pData = GetData();
        if (InterlockedDecrement(&pData->nRefs) <= 0)
            free(pData);
    }
    Init();
}

void CString::CopyBeforeWrite()
{
    if (GetData()->nRefs > 1) {
        CStringData* pData = GetData();
        Release();
        AllocBuffer(pData->nDataLength, pData->nDataLength);
        memcpy(m_pchData, pData->data(), pData->nDataLength);
    }
}

void CString::AllocBeforeWrite(int nLen)
{
    if (IsNil() || GetData()->nRefs > 1 || nLen > GetData()->nAllocLength) {
        Release();
        AllocBuffer(nLen, nLen);
    }
}

void CString::SetLength(int nLen)
{
    if (IsNil())
        return;
    GetData()->nDataLength = nLen;
    m_pchData[nLen] = '\0';
}

void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen == 0) {
        if (IsNil() || GetData()->nRefs > 1)
            Release();
        else
            SetLength(0);
        return;
    }
    if (!IsNil() && GetData()->nRefs <= 1 && nSrcLen <= GetData()->nAllocLength) {
        // The source may lie inside our own characters.
        memmove(m_pchData, lpszSrcData, nSrcLen);
        SetLength(nSrcLen);
        return;
    }
    CString copy;
    copy.AllocBuffer(nSrcLen, nSrcLen);
    memcpy(copy.m_pchData, lpszSrcData, nSrcLen);
    bool bLocked = !IsNil() && GetData()->nRefs < 0;
    std::swap(m_pchData, copy.m_pchData);
    if (bLocked)
        GetData()->nRefs = -1;
}

void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen == 0)
        return;
    int nOldLen = GetLength();
    int nNewLen = nOldLen + nSrcLen;
    if (!IsNil() && GetData()->nRefs <= 1 && nNewLen <= GetData()->nAllocLength) {
        memmove(m_pchData + nOldLen, lpszSrcData, nSrcLen);
        SetLength(nNewLen);
        return;
    }
    // The source may be our own characters: copy it before releasing them.
    CString grown;
    grown.AllocBuffer(nNewLen, IsNil() ? nNewLen : GrownCapacity(GetData()->nAllocLength, nNewLen));
    memcpy(grown.m_pchData, m_pchData, nOldLen);
    memcpy(grown.m_pchData + nOldLen, lpszSrcData, nSrcLen);
    bool bLocked = !IsNil() && GetData()->nRefs < 0;
    std::swap(m_pchData, grown.m_pchData);
    if (bLocked)
        GetData()->nRefs = -1;
}

CString::CString()
{
    Init();
}

CString::CString(const CString& stringSrc)
{
    if (stringSrc.GetData()->nRefs >= 0) {
        m_pchData = stringSrc.m_pchData;
        InterlockedIncrement(&GetData()->nRefs);
    } else {
        Init();
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    }
}

CString::CString(CString&& stringSrc) noexcept
{
    if (stringSrc.GetData()->nRefs >= 0) {
        m_pchData = stringSrc.m_pchData;
        stringSrc.Init();
    } else {
        // A locked buffer belongs to its owner; the copy gets its own characters.
        Init();
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    }
}

CString::CString(TCHAR ch, int nRepeat)
{
    Init();
    if (nRepeat >= 1) {
        AllocBuffer(nRepeat, nRepeat);
        memset(m_pchData, ch, nRepeat);
    }
}

CString::CString(LPCSTR lpsz)
{
    Init();
    if (lpsz != NULL && HIWORD((DWORD_PTR)lpsz) == 0)
        LoadString(LOWORD((DWORD_PTR)lpsz));
    else
        AssignCopy(SafeStrLen(lpsz), lpsz);
}

CString::CString(LPCWSTR lpsz)
{
    Init();
    *this = lpsz;
}

CString::CString(LPCTSTR lpch, int nLength)
{
    Init();
    if (lpch != NULL && nLength > 0)
        AssignCopy(nLength, lpch);
}

CString::CString(const unsigned char* psz)
{
    Init();
    *this = (LPCSTR)psz;
}

CString::~CString()
{
    Release();
}

void CString::Empty()
{
    if (GetLength() == 0)
        return;
    if (GetData()->nRefs >= 0)
        Release();
    else
        SetLength(0);
}

TCHAR CString::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    return m_pchData[nIndex];
}

TCHAR CString::operator[](int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex < 0 || nIndex >= GetLength())
        return;
    CopyBeforeWrite();
    m_pchData[nIndex] = ch;
}

const CString& CString::operator=(const CString& stringSrc)
{
    if (m_pchData == stringSrc.m_pchData)
        return *this;
    bool bThisLocked = !IsNil() && GetData()->nRefs < 0;
    if (bThisLocked || stringSrc.GetData()->nRefs < 0) {
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    } else {
        Release();
        m_pchData = stringSrc.m_pchData;
        InterlockedIncrement(&GetData()->nRefs);
    }
    return *this;
}

const CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (m_pchData == stringSrc.m_pchData)
        return *this;
    bool bThisLocked = !IsNil() && GetData()->nRefs < 0;
    if (bThisLocked || stringSrc.GetData()->nRefs < 0) {
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    } else {
        Release();
        m_pchData = stringSrc.m_pchData;
        stringSrc.Init();
    }
    return *this;
}

const CString& CString::operator=(TCHAR ch)
{
    AssignCopy(1, &ch);
    return *this;
}

const CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(SafeStrLen(lpsz), lpsz);
    return *this;
}

const CString& CString::operator=(LPCWSTR lpsz)
{
    int nSrcLen = lpsz == NULL ? 0 : (int)wcslen(lpsz);
    if (nSrcLen == 0) {
        AssignCopy(0, NULL);
        return *this;
    }
    int nLen = WideCharToMultiByte(CP_ACP, 0, lpsz, nSrcLen, NULL, 0, NULL, NULL);
    CString converted;
    converted.AllocBuffer(nLen, nLen);
    WideCharToMultiByte(CP_ACP, 0, lpsz, nSrcLen, converted.m_pchData, nLen, NULL, NULL);
    return *this = std::move(converted);
}

const CString& CString::operator=(const unsigned char* psz)
{
    return *this = (LPCSTR)psz;
}

const CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.GetLength(), string.m_pchData);
    return *this;
}

const CString& CString::operator+=(TCHAR ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz)
{
    ConcatInPlace(SafeStrLen(lpsz), lpsz);
    return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s(string1);
    s += string2;
    return s;
}

CString AFXAPI operator+(const CString& string, TCHAR ch)
{
    CString s(string);
    s += ch;
    return s;
}

CString AFXAPI operator+(TCHAR ch, const CString& string)
{
    CString s(ch);
    s += string;
    return s;
}

CString AFXAPI operator+(const CString& string, LPCTSTR lpsz)
{
    CString s(string);
    s += lpsz;
    return s;
}

CString AFXAPI operator+(LPCTSTR lpsz, const CString& string)
{
    CString s(lpsz);
    s += string;
    return s;
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        nMinBufLength = 0;
    if (GetData()->nRefs > 1 || nMinBufLength > GetData()->nAllocLength) {
        int nOldLen = GetLength();
        if (nMinBufLength < nOldLen)
            nMinBufLength = nOldLen;
        CString grown;
        grown.AllocBuffer(nOldLen, nMinBufLength);
        memcpy(grown.m_pchData, m_pchData, nOldLen + 1);
        bool bLocked = !IsNil() && GetData()->nRefs < 0;
        std::swap(m_pchData, grown.m_pchData);
        if (bLocked)
            GetData()->nRefs = -1;
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    CopyBeforeWrite();
    if (nNewLength == -1)
        nNewLength = (int)strlen(m_pchData);
    ASSERT(nNewLength <= GetData()->nAllocLength);
    SetLength(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    GetBuffer(nNewLength);
    SetLength(nNewLength < 0 ? 0 : nNewLength);
    return m_pchData;
}

void CString::FreeExtra()
{
    if (IsNil() || GetData()->nDataLength == GetData()->nAllocLength)
        return;
    CString exact;
    exact.AllocBuffer(GetLength(), GetLength());
    memcpy(exact.m_pchData, m_pchData, GetLength());
    bool bLocked = GetData()->nRefs < 0;
    std::swap(m_pchData, exact.m_pchData);
    if (bLocked && !IsNil())
        GetData()->nRefs = -1;
}

LPTSTR CString::LockBuffer()
{
    LPTSTR lpsz = GetBuffer(0);
    if (!IsNil())
        GetData()->nRefs = -1;
    return lpsz;
}

void CString::UnlockBuffer()
{
    if (!IsNil())
        GetData()->nRefs = 1;
}
