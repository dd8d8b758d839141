// The panel's two floating windows: the TV wall and the screen tool bar.
#include "CControlPanelDlg.h"

#include "CScreenToolBar.h"
#include "CTVVideoWnd.h"
#include "CTVWallWnd.h"
#include "ChannelList.h"
#include "PathUtil.h"
#include "TVSystem.h"
#include "resource.h"

void CControlPanelDlg::CreateWallAndToolBar()
{
    CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (m_pWall->Create(screen, this)) {
        CString background = theTVSystem.GetAppDir() + "\\Wall.bmp";
        if (!CPathUtil::FileExists(background) || !m_pWall->GetBackground().LoadFromFile(background))
            m_pWall->GetBackground().LoadResource(IDB_WALL_BACKGROUND);
        CString folder;
        CPathUtil::GetModuleDir(folder);
        folder += "\\WALL";
        if (!CPathUtil::FolderExists(folder))
            CPathUtil::MakeDir(folder);
        m_pWall->SetThumbnailFolder(folder);
    }
    if (theVideoWnd.GetSafeHwnd() != NULL)
        m_pScreenToolBar->Create(&theVideoWnd);
}

CScreenToolBar* CControlPanelDlg::VisibleToolBar() const
{
    CScreenToolBar* bar = m_pScreenToolBar;
    return bar->GetSafeHwnd() != NULL && bar->IsWindowVisible() ? bar : NULL;
}

BOOL CControlPanelDlg::IsScreenToolBarVisible() const
{
    return VisibleToolBar() != NULL;
}

void CControlPanelDlg::ShowFromVideo(BOOL show)
{
    CScreenToolBar* bar = m_pScreenToolBar;
    if (bar->GetSafeHwnd() == NULL)
        return;
    CString text;
    text.Format("%d,", theTVSystem.GetChannelIndex());
    if (CChannelEntry* channel = theTVSystem.GetCurrentChannel())
        text += channel->GetName();
    bar->SetChannelText(text);
    bar->SetMuteCheck(theTVSystem.IsPlayLineMuted());
    int volume = 0;
    if (theTVSystem.GetPlayLineVolume(&volume))
        bar->SetVolume(volume);
    // Shown from the picture, the bar always hides again by itself.
    bar->GetButton(IDC_BAR_FIX).SetCheck(FALSE);
    bar->ShowBar(show);
}

void CControlPanelDlg::CloseScreenToolBar()
{
    HWND bar = ::FindWindowA(NULL, "ScreenTool");
    if (bar != NULL && ::IsWindowVisible(bar))
        ::SendMessageA(bar, WM_CLOSE, 0, 0);
}
