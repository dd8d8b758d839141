#pragma once

#include <afx.h>

// One drive a recording may go to, with its space in MB as last read.
class CDiskInfo
{
public:
    // A text of 4 or more characters keeps only its first 3 ("d:\video" gives "d:\").
    explicit CDiskInfo(LPCTSTR root);
    virtual ~CDiskInfo();

    // Space and volume label; FALSE when the space cannot be read.
    BOOL ReadVolume();
    // Reads the space again: the new free MB, the old one when it cannot be read.
    int Refresh();
    // Reads the space again; FALSE, with the old figures kept, when it cannot be read.
    BOOL ReadSpace();

    const CString& GetRoot() const { return m_root; }
    const CString& GetLabel() const { return m_label; }
    int GetTotalMB() const { return m_totalMB; }
    int GetFreeMB() const { return m_freeMB; }
    // Refreshes first; 0 for a drive whose total is 0 MB.
    int GetFreePercent();

private:
    CString m_root;
    CString m_label;
    int m_totalMB;  // 1 until read
    int m_freeMB;   // 0 until read
};
