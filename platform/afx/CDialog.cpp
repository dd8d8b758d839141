#include "CDialog.h"

#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

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

// The dialog manager's procedure, behind the window procedure the creation hook put in front;
// default handling brings WM_INITDIALOG here.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    CDialog* pDlg = (CDialog*)FromHandlePermanent(hWnd);
    return pDlg != NULL && message == WM_INITDIALOG ? pDlg->OnInitDialog() : FALSE;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hResource = AfxGetResourceHandle();
    if (FindResourceA(hResource, lpszName, lpszType) != NULL)
        return hResource;
    return AfxGetInstanceHandle();
}
