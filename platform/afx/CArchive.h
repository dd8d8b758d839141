// CArchive: binary serialisation over a CFile through a buffer, in the framework's byte format:
// integers little-endian at their own width, a CString as its length and its bytes without a
// terminating zero. The length is one byte below 0xFF; else 0xFF and a 16-bit length below
// 0xFFFE; else 0xFF, 0xFFFF and a 32-bit length.
//
// Reading past the end of the data throws a CArchiveException* (endOfFile); a string whose
// length is more than the bytes left in the file throws the same before anything is allocated,
// so a damaged file cannot ask for a huge buffer. File errors reach the caller as the file's
// CFileException*. Storing writes the buffer out when it fills, on Flush and on Close.
#pragma once

#include "CFile.h"
#include "CArchiveException.h"
#include "CString.h"

class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // nBufSize is at least 128 bytes; lpBuf, when given, is used as the buffer and not freed.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    // A store archive still open is closed (its buffer written) unless bNoFlushOnDelete; errors
    // are swallowed there, as a destructor cannot report them.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // The bytes read, fewer only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes the buffer out (store), or gives the unread buffered bytes back to the file by
    // seeking it back (load).
    void Flush();
    // Flushes and lets go of the file, which stays open.
    void Close();
    // Lets go of the file without writing the buffer.
    void Abort();

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(short n) { return WriteValue(n); }
    CArchive& operator<<(int i) { return WriteValue((LONG)i); }
    CArchive& operator<<(UINT u) { return WriteValue((DWORD)u); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(short& n) { return ReadValue(n); }
    CArchive& operator>>(int& i) { return ReadInt(i); }
    CArchive& operator>>(UINT& u) { return ReadValue(u); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }

    // The string forms. ReadStringLength throws when the length is more than the bytes left.
    void WriteStringLength(DWORD nLength);
    DWORD ReadStringLength();
    // The element count of a collection: a 16-bit word below 0xFFFF, else 0xFFFF and a 32-bit
    // count. ReadCount throws when the count is more than the bytes left, taking each element
    // as at least minElementBytes long, so no damaged count reaches an allocation.
    void WriteCount(DWORD dwCount);
    DWORD ReadCount(UINT minElementBytes = 1);

    CDocument* m_pDocument;  // the document being serialised, for the objects it holds

private:
    template <class T>
    CArchive& WriteValue(T value)
    {
        Write(&value, sizeof(value));
        return *this;
    }
    template <class T>
    CArchive& ReadValue(T& value)
    {
        ReadExactly(&value, sizeof(value));
        return *this;
    }
    CArchive& ReadInt(int& i);
    void ReadExactly(void* lpBuf, UINT nCount);
    // The bytes still to be read: buffered ones and those after the file's position.
    DWORD BytesLeft() const;
    void FillBuffer();

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nBufSize;
    BOOL m_bUserBuf;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;  // load: the end of the buffered bytes; store: the end of the buffer
};

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
