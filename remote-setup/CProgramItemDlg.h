#pragma once

#include <afxwin.h>

#include "ProgramList.h"
#include "ProgramPresetList.h"
#include "TandrilResource.h"

// Collects a program entry's display name, program path and key-table file name, to add an
// entry, change one, or confirm deleting one. The caller sets the mode, name and path before
// DoModal and reads the three texts after IDOK.
class CProgramItemDlg : public CDialog
{
public:
    enum { IDD = IDD_PROGRAM_ITEM };
    enum { kModeAdd = 1, kModeModify = 2, kModeDelete = 3 };

    // The presets fill the combo; the programs already listed, with the entry being changed
    // (-1 for none), tell which key-table files are taken.
    CProgramItemDlg(const ProgramPresetList& presets, const CProgramList& programs,
                    int entry = -1, CWnd* pParent = NULL);

    // The texts a display name may not hold: the system's forbidden file-name characters,
    // and ';', which Service.ini's reader takes for the end of a value.
    static BOOL IsValidName(const CString& name);

    int m_mode;
    CString m_displayName;
    CString m_applicationFile;
    CString m_keyTableFile;  // a file name in the program folder

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnPresetSelChange();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    // A key-table file that the default key map or another entry uses already.
    BOOL IsFileTaken(const CString& file) const;
    void Refuse(UINT message, UINT focus);

    const ProgramPresetList& m_presets;
    const CProgramList& m_programs;
    int m_entry;
    CComboBox m_presetCombo;
};
