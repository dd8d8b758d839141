// CFileStatus: what CFile::GetStatus reports about a file.
#pragma once

#include "CTime.h"

struct CFileStatus {
    CTime m_ctime;        // creation
    CTime m_mtime;        // last write
    CTime m_atime;        // last access
    LONG m_size;          // bytes (the low 32 bits)
    BYTE m_attribute;     // CFile::Attribute bits
    BYTE m_padding;
    TCHAR m_szFullName[_MAX_PATH];  // absolute path
};
