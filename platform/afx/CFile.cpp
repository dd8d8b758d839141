#include "CFile.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

CString FullPath(LPCTSTR lpszFileName)
{
    CString strFull;
    DWORD nLen = GetFullPathNameA(lpszFileName, MAX_PATH, strFull.GetBuffer(MAX_PATH), NULL);
    if (nLen == 0 || nLen >= MAX_PATH) {
        strFull.ReleaseBuffer(0);
        return CString(lpszFileName);
    }
    strFull.ReleaseBuffer((int)nLen);
    return strFull;
}

DWORD ShareMode(UINT nOpenFlags)
{
    switch (nOpenFlags & 0x70) {
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;  // shareCompat, shareExclusive
    }
}

DWORD Access(UINT nOpenFlags)
{
    switch (nOpenFlags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD Disposition(UINT nOpenFlags)
{
    if (!(nOpenFlags & CFile::modeCreate))
        return OPEN_EXISTING;
    return (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

} // namespace

CFile::CFile() : m_hFile((UINT)hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(int hFile) : m_hFile((UINT)hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile((UINT)hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!CFile::Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

// Errors on closing cannot be reported from a destructor; a caller that needs them calls Close.
CFile::~CFile()
{
    if (IsOpen() && m_bCloseOnDelete)
        CFile::Abort();
}

void CFile::ThrowLastError() const
{
    CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    ASSERT(!IsOpen());
    m_bCloseOnDelete = FALSE;
    m_hFile = (UINT)hFileNull;
    m_strFileName = FullPath(lpszFileName);

    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    HANDLE hFile = CreateFileA(lpszFileName, Access(nOpenFlags), ShareMode(nOpenFlags), &sa,
                               Disposition(nOpenFlags), FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        LONG lOsError = (LONG)GetLastError();
        if (pError != NULL) {
            pError->m_lOsError = lOsError;
            pError->m_cause = CFileException::OsErrorToException(lOsError);
            pError->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = (UINT)(DWORD_PTR)hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

DWORD CFile::GetPosition() const
{
    DWORD dwPos = SetFilePointer(Handle(), 0, NULL, FILE_CURRENT);
    if (dwPos == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        ThrowLastError();
    return dwPos;
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    static const DWORD kMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    ASSERT(nFrom <= end);
    SetLastError(NO_ERROR);
    DWORD dwPos = SetFilePointer(Handle(), lOff, NULL, kMethods[nFrom <= end ? nFrom : (UINT)begin]);
    if (dwPos == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        ThrowLastError();
    return (LONG)dwPos;
}

DWORD CFile::SeekToEnd()
{
    return (DWORD)Seek(0, end);
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

DWORD CFile::GetLength() const
{
    SetLastError(NO_ERROR);
    DWORD dwSize = GetFileSize(Handle(), NULL);
    if (dwSize == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        ThrowLastError();
    return dwSize;
}

void CFile::SetLength(DWORD dwNewLen)
{
    Seek((LONG)dwNewLen, begin);
    if (!SetEndOfFile(Handle()))
        ThrowLastError();
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!ReadFile(Handle(), lpBuf, nCount, &dwRead, NULL))
        ThrowLastError();
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD dwWritten = 0;
    if (!WriteFile(Handle(), lpBuf, nCount, &dwWritten, NULL))
        ThrowLastError();
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush()
{
    if (IsOpen() && !FlushFileBuffers(Handle()))
        ThrowLastError();
}

void CFile::Close()
{
    BOOL bError = FALSE;
    if (IsOpen())
        bError = !CloseHandle(Handle());
    LONG lOsError = bError ? (LONG)GetLastError() : 0;
    CString strFileName = m_strFileName;
    m_hFile = (UINT)hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError(lOsError, strFileName);
}

void CFile::Abort()
{
    if (IsOpen())
        CloseHandle(Handle());
    m_hFile = (UINT)hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    lstrcpynA(rStatus.m_szFullName, m_strFileName, _countof(rStatus.m_szFullName));
    if (!IsOpen())
        return TRUE;
    FILETIME ftCreate, ftAccess, ftWrite;
    if (!GetFileTime(Handle(), &ftCreate, &ftAccess, &ftWrite))
        return FALSE;
    DWORD dwSize = GetFileSize(Handle(), NULL);
    if (dwSize == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return FALSE;
    rStatus.m_size = (LONG)dwSize;
    DWORD dwAttributes = m_strFileName.IsEmpty() ? INVALID_FILE_ATTRIBUTES
                                                 : GetFileAttributesA(m_strFileName);
    rStatus.m_attribute = dwAttributes == INVALID_FILE_ATTRIBUTES
                              ? 0 : (BYTE)(dwAttributes & ~FILE_ATTRIBUTE_NORMAL);
    rStatus.m_mtime = CTime(ftWrite);
    rStatus.m_ctime = (ftCreate.dwLowDateTime | ftCreate.dwHighDateTime) ? CTime(ftCreate) : rStatus.m_mtime;
    rStatus.m_atime = (ftAccess.dwLowDateTime | ftAccess.dwHighDateTime) ? CTime(ftAccess) : rStatus.m_mtime;
    return TRUE;
}

CString CFile::GetFileName() const
{
    int nSlash = m_strFileName.ReverseFind('\\');
    int nColon = m_strFileName.ReverseFind(':');
    int nStart = (nSlash > nColon ? nSlash : nColon) + 1;
    return m_strFileName.Mid(nStart);
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)GetLastError(), lpszFileName);
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus();
    DWORD nLen = GetFullPathNameA(lpszFileName, _countof(rStatus.m_szFullName), rStatus.m_szFullName, NULL);
    if (nLen == 0 || nLen >= _countof(rStatus.m_szFullName)) {
        rStatus.m_szFullName[0] = '\0';
        return FALSE;
    }
    WIN32_FIND_DATAA findData;
    HANDLE hFind = FindFirstFileA(lpszFileName, &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(hFind);
    rStatus.m_attribute = (BYTE)(findData.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    rStatus.m_size = (LONG)findData.nFileSizeLow;
    rStatus.m_mtime = CTime(findData.ftLastWriteTime);
    rStatus.m_ctime = CTime(findData.ftCreationTime);
    rStatus.m_atime = CTime(findData.ftLastAccessTime);
    if (rStatus.m_ctime.GetTime() == 0)
        rStatus.m_ctime = rStatus.m_mtime;
    if (rStatus.m_atime.GetTime() == 0)
        rStatus.m_atime = rStatus.m_mtime;
    return TRUE;
}
