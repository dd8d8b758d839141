#include "CArchive.h"

#include <string.h>

namespace {

const UINT kMinBufSize = 128;
// The 16-bit length that says a 32-bit one follows.
const WORD kLongLength = 0xFFFF;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_pFile(pFile), m_nMode(nMode),
      m_nBufSize(nBufSize < (int)kMinBufSize ? kMinBufSize : (UINT)nBufSize),
      m_bUserBuf(lpBuf != NULL && nBufSize >= (int)kMinBufSize)
{
    m_lpBufStart = m_bUserBuf ? (BYTE*)lpBuf : new BYTE[m_nBufSize];
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    Abort();
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

void CArchive::Abort()
{
    m_pFile = NULL;
}

void CArchive::Close()
{
    if (m_pFile != NULL)
        Flush();
    m_pFile = NULL;
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading()) {
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        return;
    }
    if (m_lpBufCur != m_lpBufStart)
        m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
    m_lpBufCur = m_lpBufStart;
}

void CArchive::FillBuffer()
{
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + m_pFile->Read(m_lpBufStart, m_nBufSize);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly);
    BYTE* pOut = (BYTE*)lpBuf;
    UINT nLeft = nMax;
    while (nLeft > 0) {
        if (m_lpBufCur == m_lpBufMax) {
            if (m_pFile == NULL)
                break;
            // A large read goes straight to the file, past the buffer.
            if (nLeft >= m_nBufSize) {
                UINT nRead = m_pFile->Read(pOut, nLeft);
                pOut += nRead;
                nLeft -= nRead;
                break;
            }
            FillBuffer();
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        UINT nCopy = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nCopy > nLeft)
            nCopy = nLeft;
        memcpy(pOut, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        pOut += nCopy;
        nLeft -= nCopy;
    }
    return nMax - nLeft;
}

void CArchive::ReadExactly(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

CArchive& CArchive::ReadInt(int& i)
{
    LONG l;
    ReadExactly(&l, sizeof(l));
    i = (int)l;
    return *this;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly);
    const BYTE* pIn = (const BYTE*)lpBuf;
    while (nMax > 0) {
        if (m_lpBufCur == m_lpBufMax)
            Flush();
        UINT nCopy = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nCopy > nMax)
            nCopy = nMax;
        memcpy(m_lpBufCur, pIn, nCopy);
        m_lpBufCur += nCopy;
        pIn += nCopy;
        nMax -= nCopy;
    }
}

DWORD CArchive::BytesLeft() const
{
    DWORD nBuffered = (DWORD)(m_lpBufMax - m_lpBufCur);
    if (m_pFile == NULL)
        return nBuffered;
    DWORD nLength = m_pFile->GetLength();
    DWORD nPosition = m_pFile->GetPosition();
    return nBuffered + (nLength > nPosition ? nLength - nPosition : 0);
}

void CArchive::WriteStringLength(DWORD nLength)
{
    if (nLength < 0xFF) {
        *this << (BYTE)nLength;
    } else if (nLength < 0xFFFE) {
        *this << (BYTE)0xFF << (WORD)nLength;
    } else {
        *this << (BYTE)0xFF << kLongLength << nLength;
    }
}

DWORD CArchive::ReadStringLength()
{
    BYTE bLength;
    *this >> bLength;
    DWORD nLength = bLength;
    if (bLength == 0xFF) {
        WORD wLength;
        *this >> wLength;
        nLength = wLength;
        if (wLength == kLongLength)
            *this >> nLength;
    }
    if (nLength > BytesLeft())
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return nLength;
}

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < kLongLength) {
        *this << (WORD)dwCount;
    } else {
        *this << kLongLength << dwCount;
    }
}

DWORD CArchive::ReadCount(UINT minElementBytes)
{
    WORD wCount;
    *this >> wCount;
    DWORD dwCount = wCount;
    if (wCount == kLongLength)
        *this >> dwCount;
    if (minElementBytes > 0 && dwCount > BytesLeft() / minElementBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return dwCount;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    DWORD nLength = (DWORD)string.GetLength();
    ar.WriteStringLength(nLength);
    ar.Write((LPCTSTR)string, nLength);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    DWORD nLength = ar.ReadStringLength();
    CString strRead;
    if (nLength > 0) {
        UINT nRead = ar.Read(strRead.GetBuffer((int)nLength), nLength);
        strRead.ReleaseBuffer(nRead == nLength ? (int)nLength : 0);
        if (nRead != nLength)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    string = strRead;
    return ar;
}
