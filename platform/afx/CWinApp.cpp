// The application object's identity, the global functions that find it, and message boxes.
#include "CWinApp.h"
#include "afxres.h"
#include "CDialog.h"
#include "CDocManager.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

// The one application object (set by its constructor); the UI thread creates it before any
// other thread runs, so a plain pointer suffices.
CWinApp* s_pApp = NULL;
HINSTANCE s_hResource = NULL;

CString ProgramPath()
{
    CString strPath;
    DWORD nLen = GetModuleFileNameA(NULL, strPath.GetBuffer(MAX_PATH), MAX_PATH);
    strPath.ReleaseBuffer(nLen < MAX_PATH ? (int)nLen : 0);
    return strPath;
}

CString ProgramFileName()
{
    CString strPath = ProgramPath();
    return strPath.Mid(strPath.ReverseFind('\\') + 1);
}

CString ProgramTitle()
{
    CString strName = ProgramFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
        return nType;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL: return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL: return nType | MB_ICONQUESTION;
    default: return nType;
    }
}

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(NULL), m_hInstance(GetModuleHandleA(NULL)), m_pszExeName(NULL),
      m_pszProfileName(NULL), m_pszRegistryKey(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL),
      m_pDocManager(NULL), m_nNumPreviewPages(0)
{
    ASSERT(s_pApp == NULL);
    s_pApp = this;
    CString strExeName = ProgramTitle();
    m_pszExeName = _strdup(strExeName);
    CString strTitle;
    if (lpszAppName != NULL)
        m_pszAppName = _strdup(lpszAppName);
    else if (strTitle.LoadString(AFX_IDS_APP_TITLE))
        m_pszAppName = _strdup(strTitle);
    else
        m_pszAppName = _strdup(strExeName);
    m_pszProfileName = _strdup(strExeName + ".INI");
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;
    free((void*)m_pszAppName);
    free((void*)m_pszExeName);
    free((void*)m_pszProfileName);
    free((void*)m_pszRegistryKey);
    if (s_pApp == this)
        s_pApp = NULL;
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    ASSERT(lpszRegistryKey != NULL);
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _strdup(lpszRegistryKey);
    free((void*)m_pszProfileName);
    m_pszProfileName = _strdup(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strRegistryKey;
    VERIFY(strRegistryKey.LoadString(nIDRegistryKey));
    SetRegistryKey(strRegistryKey);
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hOwner = m_pMainWnd->GetSafeHwnd();
    if (hOwner != NULL && !IsWindow(hOwner))
        hOwner = NULL;
    while (hOwner != NULL && (::GetWindowLongA(hOwner, GWL_STYLE) & WS_CHILD))
        hOwner = ::GetParent(hOwner);
    // The owner is the main window's last active popup, as the framework's boxes have always
    // been: a dialog open over the main window owns the box, so that the box is modal to it, and
    // the main window is kept disabled while the box shows when that dialog left it enabled.
    HWND hWndTop = hOwner;
    if (hOwner != NULL)
        hOwner = ::GetLastActivePopup(hOwner);
    BOOL bDisabledTop = FALSE;
    if (hWndTop != NULL && hWndTop != hOwner && ::IsWindowEnabled(hWndTop)) {
        ::EnableWindow(hWndTop, FALSE);
        bDisabledTop = TRUE;
    }
    int nResult = MessageBoxA(hOwner, lpszPrompt, m_pszAppName, WithDefaultIcon(nType));
    if (bDisabledTop)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

CWinApp* AFXAPI AfxGetApp()
{
    return s_pApp;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != NULL && ::IsWindow(pApp->m_pMainWnd->m_hWnd))
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

CWnd* AFXAPI AfxGetMainWnd()
{
    return s_pApp != NULL ? s_pApp->m_pMainWnd : NULL;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    return s_pApp != NULL ? s_pApp->m_pszAppName : NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return s_pApp != NULL ? s_pApp->m_hInstance : GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return s_hResource != NULL ? s_hResource : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    s_hResource = hInstResource;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (s_pApp != NULL)
        return s_pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return MessageBoxA(NULL, lpszText, ProgramFileName(), WithDefaultIcon(nType));
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    LPCTSTR name = MAKEINTRESOURCE(nIDResource);
    return ::LoadIconA(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
}
