#include "CDialog.h"

#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    LPCTSTR name = MAKEINTRESOURCEA(m_nIDTemplate);
    HINSTANCE hInst = AfxFindResourceHandle(name, (LPCTSTR)RT_DIALOG);
    HRSRC hResource = FindResourceA(hInst, name, (LPCTSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? LoadResource(hInst, hResource) : NULL;
    if (hTemplate == NULL)
        return -1;
    HWND hWndOwner = m_pParentWnd != NULL ? m_pParentWnd->GetSafeHwnd()
                                          : AfxGetMainWnd()->GetSafeHwnd();
    HookCreation(this);
    INT_PTR result = DialogBoxIndirectParamA(hInst, (LPCDLGTEMPLATEA)LockResource(hTemplate),
                                             hWndOwner, DialogProc, 0);
    TakeCreationHook();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            return 0;
        case IDCANCEL:
            OnCancel();
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// The dialog manager calls this first with WM_SETFONT or WM_INITDIALOG; from then on the window
// runs through AfxWndProc, whose default handling comes back here for WM_INITDIALOG only.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    CDialog* pDlg = (CDialog*)FromHandlePermanent(hWnd);
    if (pDlg == NULL) {
        pDlg = (CDialog*)TakeCreationHook();
        if (pDlg == NULL)
            return FALSE;
        pDlg->SubclassBound(hWnd);
    }
    return message == WM_INITDIALOG ? pDlg->OnInitDialog() : FALSE;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hResource = AfxGetResourceHandle();
    if (FindResourceA(hResource, lpszName, lpszType) != NULL)
        return hResource;
    return AfxGetInstanceHandle();
}
