// CFile: unbuffered binary file access on a Win32 file handle.
//
// Open reports failure by returning FALSE (filling the optional CFileException); every other
// failing operation throws a heap CFileException*, which the catcher deletes:
//     catch (CFileException* e) { ...; e->Delete(); }
// A short write (disk full) throws with cause diskFull.
#pragma once

#include "CFileException.h"
#include "CFileStatus.h"
#include "CObject.h"
#include "CString.h"

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,   // CStdioFile only
        typeBinary = 0x8000  // CStdioFile only
    };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    enum { hFileNull = -1 };

    CFile();
    // Attaches an open handle, which the object does not close.
    explicit CFile(int hFile);
    // Opens the file; throws CFileException* on failure.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    UINT m_hFile;  // the Win32 HANDLE, or hFileNull
    operator HFILE() const { return (HFILE)m_hFile; }

    // modeCreate creates or truncates (with modeNoTruncate: opens or creates); share modes map
    // to the Win32 sharing flags (shareCompat as shareExclusive). FALSE on failure, with the
    // cause, the Win32 error and the file name in *pError when given.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    virtual DWORD GetPosition() const;
    virtual LONG Seek(LONG lOff, UINT nFrom);
    DWORD SeekToEnd();
    void SeekToBegin();
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);

    // The number of bytes read; 0 at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors; does nothing when the file is not open.
    virtual void Abort();

    BOOL GetStatus(CFileStatus& rStatus) const;
    virtual CString GetFileName() const;  // the name without the folder
    virtual CString GetFilePath() const;  // the absolute path given to Open
    virtual void SetFilePath(LPCTSTR lpszNewName);

    // Throw CFileException* on failure.
    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);
    // FALSE when the file does not exist. Times that the file system does not keep (0) are
    // reported as the last write time.
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);

protected:
    HANDLE Handle() const { return (HANDLE)(DWORD_PTR)m_hFile; }
    BOOL IsOpen() const { return m_hFile != (UINT)hFileNull; }
    [[noreturn]] void ThrowLastError() const;

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};
