#include "ControlPanelDlg.h"
#include "UiCallLog.h"

#include "ChannelEntry.h"

CControlPanelDlg theControlPanel;

void CControlPanelDlg::MuteBriefly()
{
    CUiCallLog::Add("MuteBriefly");
}

void CControlPanelDlg::ShowChannelInfo(CChannelEntry* channel)
{
    if (channel == NULL) {
        CUiCallLog::Add("ShowChannelInfo none");
        return;
    }
    CString line;
    line.Format("ShowChannelInfo %d %s", channel->GetFrequency(), (LPCTSTR)channel->GetName());
    CUiCallLog::Add((LPCTSTR)line);
}

void CControlPanelDlg::ShowFavoriteButton(BOOL favorite)
{
    CUiCallLog::Add(favorite ? "ShowFavoriteButton 1" : "ShowFavoriteButton 0");
}

BOOL CControlPanelDlg::IsItemEnabled(UINT id)
{
    CString line;
    line.Format("IsItemEnabled %u", id);
    CUiCallLog::Add((LPCTSTR)line);
    return CUiCallLog::IsItemEnabled(id);
}

void CControlPanelDlg::EnableAccelerators(BOOL enable)
{
    CUiCallLog::Add(enable ? "EnableAccelerators 1" : "EnableAccelerators 0");
}
