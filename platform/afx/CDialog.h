// CDialog: a modal dialog made from a dialog template in the resources.
//
// DoModal binds the dialog window to the object from its creation on, so the message map sees
// every message; OnInitDialog answers WM_INITDIALOG, and the OK and Cancel commands (Enter,
// Escape, the close box) reach OnOK and OnCancel through the map.
#pragma once

#include "CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    // The value given to EndDialog; -1 when the template is missing or the dialog could not be
    // made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();

protected:
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;  // not owned; NULL: the application's main window owns the dialog

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The module holding the resource: the resource module (AfxGetResourceHandle) when it has one of
// that name and type, else the program (AfxGetInstanceHandle).
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
