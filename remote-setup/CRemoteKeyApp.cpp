#include "CRemoteKeyApp.h"

#include "CRemoteKeyDlg.h"

CRemoteKeyApp theApp;

BOOL CRemoteKeyApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();
    // The dialog template holds a list view, whose class the common controls register.
    AfxInitCommonControls(ICC_LISTVIEW_CLASSES);

    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    m_programFolder = path;
    m_programFolder = m_programFolder.Left(m_programFolder.ReverseFind('\\')) + "\\";

    CRemoteKeyDlg dialog(m_programFolder);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    // The program ends with its dialog.
    return FALSE;
}
