// CWinApp: document templates, the command line's shell command and the standard profile
// settings.
#include "CWinApp.h"

#include "CCommandLineInfo.h"
#include "CDocManager.h"
#include "afxres.h"

#include <stdlib.h>

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == NULL)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileNew();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != NULL)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i) {
        LPCTSTR pszParam = __argv[i];
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        if (bFlag)
            ++pszParam;
        rCmdInfo.ParseParam(pszParam, bFlag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, NULL, NULL))
            OnFileNew();
        return m_pMainWnd != NULL;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        // Printing, DDE and unregistering are not offered by this framework.
        return FALSE;
    }
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    // No recent-file list is kept whatever nMaxMRU asks; the print preview's page count is the
    // one other standard setting.
    (void)nMaxMRU;
    m_nNumPreviewPages = GetProfileInt("Settings", "PreviewPages", 0);
}
