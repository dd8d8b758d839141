// CDialog: a dialog made from a dialog template in the resources, modal or modeless.
//
// DoModal runs the framework's modal loop (CWnd::RunModalLoop) with the owner disabled: the
// owner is the parent given, else the application's main window, taken at its top-level
// window. Messages go through the pre-translate walk, where a dialog's PreTranslateMessage
// gives its keys to IsDialogMessage. EndDialog ends the loop; a WM_QUIT ends it with -1 and is
// posted again. Create makes a modeless dialog, also a child page inside another window when
// its template has WS_CHILD.
//
// The dialog window is bound to its object from its creation on, so the message map sees every
// message; OnInitDialog answers WM_INITDIALOG and loads the controls (UpdateData(FALSE)); the
// OK and Cancel commands (Enter, Escape, the close box) reach OnOK, which saves them first, and
// OnCancel.
#pragma once

#include "CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    // The value given to EndDialog; -1 when the template is missing or the dialog could not be
    // made, or when a WM_QUIT ended the loop.
    virtual INT_PTR DoModal();
    // A modeless dialog; pParentWnd NULL: owned by the application's main window.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    // Keys of the dialog's own controls go to IsDialogMessage.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    LPCTSTR m_lpszTemplateName;  // a name, or MAKEINTRESOURCE(m_nIDTemplate)
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;  // not owned; NULL: the application's main window owns the dialog

    DECLARE_MESSAGE_MAP()

private:
    // The template's window, NULL when the template is missing or the window was not made.
    HWND CreateFromTemplate(HWND hWndParent);
    // The window that owns a modal run: the top-level window of the parent or main window.
    HWND ModalOwner() const;
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The module holding the resource: the resource module (AfxGetResourceHandle) when it has one of
// that name and type, else the program (AfxGetInstanceHandle).
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
