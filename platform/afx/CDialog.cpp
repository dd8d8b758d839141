#include "CDialog.h"

#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() : m_lpszTemplateName(NULL), m_nIDTemplate(0), m_pParentWnd(NULL)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDTemplate(nIDTemplate),
      m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDTemplate(0), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDTemplate = (UINT)(UINT_PTR)lpszTemplateName;
}

CDialog::~CDialog() = default;

HWND CDialog::CreateFromTemplate(HWND hWndParent)
{
    if (m_lpszTemplateName == NULL || m_hWnd != NULL)
        return NULL;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCTSTR)RT_DIALOG);
    HRSRC hResource = FindResourceA(hInst, m_lpszTemplateName, (LPCTSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? LoadResource(hInst, hResource) : NULL;
    if (hTemplate == NULL)
        return NULL;
    HookCreation(this);
    HWND hWnd = CreateDialogIndirectParamA(hInst, (LPCDLGTEMPLATEA)LockResource(hTemplate),
                                           hWndParent, DialogProc, 0);
    TakeCreationHook();
    return hWnd;
}

HWND CDialog::ModalOwner() const
{
    HWND hWnd = m_pParentWnd != NULL ? m_pParentWnd->GetSafeHwnd()
                                     : AfxGetMainWnd()->GetSafeHwnd();
    // A dialog is never owned by a child window, nor by itself (the main window's own run).
    while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return hWnd != NULL && ::IsWindow(hWnd) && hWnd != m_hWnd ? hWnd : NULL;
}

INT_PTR CDialog::DoModal()
{
    HWND hWndOwner = ModalOwner();
    BOOL bEnableOwner = FALSE;
    if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateFromTemplate(hWndOwner) != NULL && ContinueModal())
        RunModalLoop(MLF_SHOWONIDLE);
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (m_hWnd != NULL)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_nIDTemplate = IS_INTRESOURCE(lpszTemplateName) ? (UINT)(UINT_PTR)lpszTemplateName : 0;
    m_pParentWnd = pParentWnd;
    HWND hWndParent = pParentWnd != NULL ? pParentWnd->GetSafeHwnd()
                                         : AfxGetMainWnd()->GetSafeHwnd();
    return CreateFromTemplate(hWndParent) != NULL;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_hWnd == NULL)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    // A child page leaves navigation to the dialog it sits in.
    if (GetStyle() & WS_CHILD)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
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
