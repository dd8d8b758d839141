#pragma once

#include "afxdlgs.h"
#include "afxwin.h"

// One page of the preferences dialog: a child dialog made from its template inside the
// dialog's page area the first time it is shown. Its data is exchanged by the preferences
// dialog, which then calls OnOK (or OnCancel) of every page it created.
class CSAPrefsSubDlg : public CDialog
{
public:
    explicit CSAPrefsSubDlg(UINT nIDTemplate);
    ~CSAPrefsSubDlg() override;

    UINT GetTemplateId() const { return m_nIDTemplate; }

    // The page has nothing to end: the dialog around it has already exchanged its data.
    void OnOK() override;
    void OnCancel() override;

    // Escape is swallowed; Enter in a multi-line edit that wants returns goes to that edit as
    // a character instead of pressing the dialog's default button.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The choosers behind the pages' ">>" buttons: each starts from the text of edit nIDC and
    // puts the path chosen into the member and into that edit alone, so that what was typed
    // into the page's other edits stays; a cancelled choice changes nothing. Folders through
    // the shell's folder chooser (none with a network path), programs and pictures through
    // the open-file dialog with the filters the pages have always shown.
    void ChooseFolder(int nIDC, CString& folder, UINT titleId);
    void ChooseProgram(int nIDC, CString& path, LPCTSTR defaultExtension = "exe");
    void ChoosePicture(int nIDC, CString& path);

    // The shell's auto-completion on edit nIDC: folders, or files.
    void CompleteFolders(int nIDC);
    void CompleteFiles(int nIDC);

private:
    void ChooseFile(int nIDC, CString& path, LPCTSTR defaultExtension, LPCTSTR filter);
    void TakeChoice(int nIDC, CString& member, LPCTSTR chosen);
};
