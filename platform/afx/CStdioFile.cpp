#include "CStdioFile.h"
#include "AfxMbcs.h"

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

const int kCtrlZ = 0x1A;

} // namespace

CStdioFile::CStdioFile() : m_bText(TRUE), m_bAppend(FALSE), m_nReadPos(0), m_nReadEnd(0)
{
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_bText(TRUE), m_bAppend(FALSE), m_nReadPos(0), m_nReadEnd(0)
{
    CFileException e;
    if (!CStdioFile::Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile() = default;

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_bText = !(nOpenFlags & typeBinary);
    bool bCreate = (nOpenFlags & modeCreate) != 0;
    m_bAppend = bCreate ? (nOpenFlags & modeNoTruncate) != 0 : (nOpenFlags & modeWrite) != 0;
    m_nReadPos = m_nReadEnd = 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError);
}

int CStdioFile::PeekByte()
{
    if (m_nReadPos == m_nReadEnd) {
        if (!m_pReadBuffer)
            m_pReadBuffer.reset(new char[kReadBufferSize]);
        m_nReadPos = m_nReadEnd = 0;
        UINT nRead = CFile::Read(m_pReadBuffer.get(), kReadBufferSize);
        if (nRead == 0)
            return kEof;
        m_nReadEnd = (int)nRead;
    }
    return (unsigned char)m_pReadBuffer[m_nReadPos];
}

int CStdioFile::GetByte()
{
    int c = PeekByte();
    if (c != kEof)
        ++m_nReadPos;
    return c;
}

// Only the byte just taken by GetByte may be given back; it is still in the buffer.
void CStdioFile::UngetByte()
{
    ASSERT(m_nReadPos > 0);
    --m_nReadPos;
}

int CStdioFile::GetChar()
{
    if (!m_bText)
        return GetByte();
    int c = PeekByte();
    if (c == kCtrlZ || c == kEof)
        return kEof;
    ++m_nReadPos;
    if (c == '\r' && PeekByte() == '\n') {
        ++m_nReadPos;
        return '\n';
    }
    return c;
}

// Moves the file pointer back over the bytes read ahead, so that it is where the caller is.
void CStdioFile::DropReadBuffer()
{
    if (m_nReadEnd > m_nReadPos && IsOpen())
        SetFilePointer(Handle(), m_nReadPos - m_nReadEnd, NULL, FILE_CURRENT);
    m_nReadPos = m_nReadEnd = 0;
}

DWORD CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - (DWORD)(m_nReadEnd - m_nReadPos);
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom)
{
    DropReadBuffer();
    return CFile::Seek(lOff, nFrom);
}

void CStdioFile::SetLength(DWORD dwNewLen)
{
    DropReadBuffer();
    CFile::SetLength(dwNewLen);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    char* pOut = (char*)lpBuf;
    UINT nDone = 0;
    if (m_bText) {
        for (int c; nDone < nCount && (c = GetChar()) != kEof;)
            pOut[nDone++] = (char)c;
        return nDone;
    }
    UINT nBuffered = (UINT)(m_nReadEnd - m_nReadPos);
    nDone = nBuffered < nCount ? nBuffered : nCount;
    if (nDone > 0)
        memcpy(pOut, m_pReadBuffer.get() + m_nReadPos, nDone);
    m_nReadPos += (int)nDone;
    if (nDone < nCount)
        nDone += CFile::Read(pOut + nDone, nCount - nDone);
    return nDone;
}

void CStdioFile::WriteRaw(const char* pData, UINT nCount)
{
    if (m_bAppend)
        CFile::Seek(0, end);
    CFile::Write(pData, nCount);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    DropReadBuffer();
    const char* pIn = (const char*)lpBuf;
    if (!m_bText) {
        WriteRaw(pIn, nCount);
        return;
    }
    char chunk[1024];
    UINT nChunk = 0;
    for (UINT i = 0; i < nCount; ++i) {
        if (nChunk + 2 > sizeof(chunk)) {
            WriteRaw(chunk, nChunk);
            nChunk = 0;
        }
        if (pIn[i] == '\n')
            chunk[nChunk++] = '\r';
        chunk[nChunk++] = pIn[i];
    }
    if (nChunk > 0)
        WriteRaw(chunk, nChunk);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    ASSERT(lpsz != NULL);
    if (lpsz != NULL)
        Write(lpsz, (UINT)strlen(lpsz));
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        return NULL;
    UINT nDone = 0;
    bool bFull = true;
    for (int c; nDone + 1 < nMax;) {
        if ((c = GetChar()) == kEof) {
            bFull = false;
            break;
        }
        lpsz[nDone++] = (char)c;
        if (c == '\n') {
            bFull = false;
            break;
        }
    }
    // A buffer that filled up on a lead byte gives it back, unless it is the only byte.
    if (bFull && nDone > 1 &&
        afx_internal::CharStartAt(lpsz, (int)nDone, (int)nDone - 1) == (int)nDone - 1 &&
        afx_internal::IsLeadByte((unsigned char)lpsz[nDone - 1])) {
        UngetByte();
        --nDone;
    }
    lpsz[nDone] = '\0';
    return nDone == 0 ? NULL : lpsz;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    char chunk[256];
    int nChunk = 0;
    bool bAny = false;
    for (int c; (c = GetChar()) != kEof;) {
        bAny = true;
        if (c == '\n')
            break;
        if (nChunk == (int)sizeof(chunk)) {
            rString += CString(chunk, nChunk);
            nChunk = 0;
        }
        chunk[nChunk++] = (char)c;
    }
    if (nChunk > 0)
        rString += CString(chunk, nChunk);
    return bAny;
}

void CStdioFile::Flush()
{
    DropReadBuffer();
}

void CStdioFile::Close()
{
    m_nReadPos = m_nReadEnd = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_nReadPos = m_nReadEnd = 0;
    CFile::Abort();
}
