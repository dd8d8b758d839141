// CWinApp: the application object, and the framework's global functions that find it.
//
// Constructing a CWinApp registers it as the one application object (AfxGetApp); it fills in
// m_hInstance, m_pszExeName (the program file's name without extension), m_pszAppName (the
// constructor argument, else string AFX_IDS_APP_TITLE, else m_pszExeName) and m_pszProfileName
// (m_pszExeName + ".INI"). The string members are malloc'd: code that replaces one frees the
// old value first, as with the real framework.
//
// The program entry (AfxWinMain, the WinMain of a program that links the framework) runs
// InitInstance; when it succeeds Run, the thread's message loop, else ExitInstance at once. A
// program whose InitInstance runs its main dialog with DoModal returns FALSE from it.
//
// Profile values live under HKCU\Software\<m_pszRegistryKey>\<m_pszProfileName>\<section>
// once SetRegistryKey has been called (ints as REG_DWORD, strings as REG_SZ, binary as
// REG_BINARY); before that, in the private ini file m_pszProfileName (a name without a folder
// means the Windows folder). Reading a value creates the section key, as the real one does.
#pragma once

#include "CString.h"
#include "CWinThread.h"
#include "CWnd.h"

class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;

    LPCTSTR m_pszAppName;
    HINSTANCE m_hInstance;
    LPCTSTR m_pszExeName;
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszRegistryKey;
    LPTSTR m_lpCmdLine;  // the command line after the program name
    int m_nCmdShow;

    // TRUE in the base.
    BOOL InitInstance() override;
    // Without a main window the loop ends at once.
    int Run() override;

    // An icon of the program's resources (or the resource module's), NULL when missing.
    HICON LoadIcon(UINT nIDResource) const;
    // Kept for the programs that call it: controls have drawn in 3D since Windows 95.
    BOOL Enable3dControls() { return TRUE; }

    // Keeps the key and renames the profile to m_pszAppName, like the real framework.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // lpszDefault NULL reads as "".
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // A NULL lpszValue deletes the entry; a NULL lpszEntry deletes the whole section.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new BYTE[] for the caller to delete[]. In an ini file the bytes
    // are stored as text, two letters 'A'-'P' per byte, low half first (the real format).
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // HKCU\Software\<registry key>\<profile name> and its section subkey, created when missing;
    // the caller closes them. NULL on failure.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    // Document templates (owned once added; the first serves new and open), the command line's
    // shell command (FileNew: the ID_FILE_NEW command when the map has one, else OnFileNew;
    // TRUE when a main window exists then) and the standard profile settings, which hold no
    // recent-file list here.
    void AddDocTemplate(CDocTemplate* pTemplate);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    afx_msg void OnFileNew();

    CDocManager* m_pDocManager;  // owned; made by the first AddDocTemplate
    UINT m_nNumPreviewPages;

    // Shows a message box for AfxMessageBox: caption m_pszAppName, owner the main window when
    // it exists; with no icon in nType, OK and OK/Cancel boxes get the exclamation icon and
    // Yes/No boxes the question icon.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
};

CWinApp* AFXAPI AfxGetApp();
// Hosting ActiveX controls in dialogs; this framework hosts none, so there is nothing to set up.
inline void AFXAPI AfxEnableControlContainer() {}
// The program entry: the application object's InitInstance, then Run or ExitInstance; the exit
// code. -1 without an application object.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine,
                      int nCmdShow);
// The main window of the application object, NULL without one.
CWnd* AFXAPI AfxGetMainWnd();
// The application's m_pszAppName, NULL without an application object.
LPCTSTR AFXAPI AfxGetAppName();
// The application's m_hInstance, else the program's module handle.
HINSTANCE AFXAPI AfxGetInstanceHandle();
// Where strings and other resources are loaded from: AfxGetInstanceHandle() unless set.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// Through the application object's DoMessageBox; without one, a message box captioned with the
// program file's name (as "Kavex.exe") and no owner.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is string nIDPrompt.
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
