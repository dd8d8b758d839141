#include "CFileException.h"

#include <errno.h>

IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

// Win32 error code -> cause.
struct OsErrorCause {
    LONG lOsError;
    int cause;
};
const OsErrorCause kOsErrorCauses[] = {
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_BAD_NETPATH, CFileException::badPath},
    {ERROR_BAD_NET_NAME, CFileException::badPath},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_NETWORK_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_FILE_EXISTS, CFileException::accessDenied},
    {ERROR_ALREADY_EXISTS, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::invalidFile},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_CANNOT_MAKE, CFileException::directoryFull},
    {ERROR_SEEK, CFileException::badSeek},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_SEEK_ON_DEVICE, CFileException::badSeek},
    {ERROR_NOT_READY, CFileException::hardIO},
    {ERROR_CRC, CFileException::hardIO},
    {ERROR_SECTOR_NOT_FOUND, CFileException::hardIO},
    {ERROR_WRITE_FAULT, CFileException::hardIO},
    {ERROR_READ_FAULT, CFileException::hardIO},
    {ERROR_GEN_FAILURE, CFileException::hardIO},
    {ERROR_IO_DEVICE, CFileException::hardIO},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_LOCK_FAILED, CFileException::lockViolation},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
};

// C runtime errno -> cause.
struct ErrnoCause {
    int nErrno;
    int cause;
};
const ErrnoCause kErrnoCauses[] = {
    {EPERM, CFileException::accessDenied},
    {EACCES, CFileException::accessDenied},
    {ENOENT, CFileException::fileNotFound},
    {ENFILE, CFileException::tooManyOpenFiles},
    {EMFILE, CFileException::tooManyOpenFiles},
    {EBADF, CFileException::invalidFile},
    {ENOSPC, CFileException::diskFull},
    {EIO, CFileException::hardIO},
    {EDEADLOCK, CFileException::lockViolation},
    {ESPIPE, CFileException::badSeek},
    {EINVAL, CFileException::generic},
};

// Cause -> message; %s is the file name.
const char* const kCauseTexts[] = {
    "No error with %s.",                                    // none
    "An unexpected error occurred with %s.",                // generic
    "%s does not exist.",                                   // fileNotFound
    "The path of %s is not valid.",                         // badPath
    "%s cannot be opened: too many files are open.",        // tooManyOpenFiles
    "%s cannot be accessed: access denied.",                // accessDenied
    "%s was used through an invalid file handle.",          // invalidFile
    "%s is the current directory and cannot be removed.",   // removeCurrentDir
    "%s cannot be created: the directory is full.",         // directoryFull
    "Seeking in %s failed.",                                // badSeek
    "A hardware I/O error occurred with %s.",               // hardIO
    "%s is in use by another program.",                     // sharingViolation
    "%s is locked by another program.",                     // lockViolation
    "%s cannot be written: the disk is full.",              // diskFull
    "Reading %s went past its end.",                        // endOfFile
};
static_assert(sizeof(kCauseTexts) / sizeof(kCauseTexts[0]) == CFileException::endOfFile + 1,
              "one text per cause");

} // namespace

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    for (const OsErrorCause& entry : kOsErrorCauses) {
        if (entry.lOsError == lOsError)
            return entry.cause;
    }
    return generic;
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    for (const ErrnoCause& entry : kErrnoCauses) {
        if (entry.nErrno == nErrno)
            return entry.cause;
    }
    return generic;
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    AfxThrowFileException(ErrnoToException(nErrno), _doserrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    int cause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : generic;
    CString strName = m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
    CString strMessage;
    strMessage.Format(kCauseTexts[cause], (LPCTSTR)strName);
    AfxCopyErrorText(lpszError, nMaxError, strMessage);
    return TRUE;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
