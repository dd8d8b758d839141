// CFileDialog: the system's open or save dialog (GetOpenFileNameA / GetSaveFileNameA).
//
// The filter is given in the framework's form, pairs of text and pattern separated by '|' and
// ending in "||"; the dialog turns it into the system's double-terminated list. m_ofn may be
// adjusted before DoModal. The chosen path is kept in the object's own buffer.
#pragma once

#include "CDialog.h"

#include <commdlg.h>

#include <vector>

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL,
                         LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);

    // IDOK when a file was chosen, else IDCANCEL.
    INT_PTR DoModal() override;

    // The chosen file's full path, its name with extension, and its extension without the dot.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    std::vector<char> m_filter;  // '|' turned into the terminators
    CString m_strDefExt;
    char m_szFileName[MAX_PATH];
    char m_szFileTitle[MAX_PATH];
};
