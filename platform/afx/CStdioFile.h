// CStdioFile: a CFile with line-oriented text access.
//
// Text mode (the default; typeBinary turns it off) translates as the C runtime's text streams
// do: CR LF reads as LF, a Ctrl-Z (0x1A) ends the readable data, and LF writes as CR LF. Reads
// are buffered; writes go to the file at once, so a failing write (disk full, a handle opened
// for reading) throws CFileException* from the WriteString or Write that failed. Opened with
// modeWrite and without modeCreate, or with modeCreate | modeNoTruncate, every write appends
// at the end of the file, like the real framework's "a" stream mode.
//
// Unlike the real class there is no m_pStream: the file is a Win32 handle (m_hFile).
#pragma once

#include "CFile.h"

#include <memory>

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    // Opens the file; throws CFileException* on failure.
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

    // Writes the text (in text mode each LF as CR LF); no line end is added.
    virtual void WriteString(LPCTSTR lpsz);
    // Reads up to nMax - 1 bytes, up to and including the next LF, and NUL-terminates them.
    // A double-byte character that does not fit whole is left for the next read. NULL at the
    // end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // Reads the next line without its line end (LF, or CR LF in text mode). FALSE, with an
    // empty string, at the end of the file.
    virtual BOOL ReadString(CString& rString);

    DWORD GetPosition() const override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    void SetLength(DWORD dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    // Writes are not buffered: nothing to flush to the system.
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    enum { kReadBufferSize = 4096, kEof = -1 };

    int PeekByte();
    int GetByte();
    int GetChar();
    void UngetByte();
    void DropReadBuffer();
    void WriteRaw(const char* pData, UINT nCount);

    BOOL m_bText;
    BOOL m_bAppend;
    std::unique_ptr<char[]> m_pReadBuffer;
    int m_nReadPos;  // next unread byte in m_pReadBuffer
    int m_nReadEnd;  // end of the bytes read from the file
};
