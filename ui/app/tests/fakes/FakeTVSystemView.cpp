#include "FakeTVSystemView.h"

#include "ChannelEntry.h"
#include "RemoteServiceClient.h"
#include "UiCallLog.h"

void CFakeTVSystemView::MuteBriefly()
{
    CUiCallLog::Add("MuteBriefly");
}

void CFakeTVSystemView::ShowChannelInfo(CChannelEntry* channel)
{
    if (channel == NULL) {
        CUiCallLog::Add("ShowChannelInfo none");
        return;
    }
    CString line;
    line.Format("ShowChannelInfo %d %s", channel->GetFrequency(), (LPCTSTR)channel->GetName());
    CUiCallLog::Add((LPCTSTR)line);
}

void CFakeTVSystemView::ShowFavoriteButton(BOOL favorite)
{
    CUiCallLog::Add(favorite ? "ShowFavoriteButton 1" : "ShowFavoriteButton 0");
}

BOOL CFakeTVSystemView::IsItemEnabled(UINT id)
{
    CString line;
    line.Format("IsItemEnabled %u", id);
    CUiCallLog::Add((LPCTSTR)line);
    return CUiCallLog::IsItemEnabled(id);
}

void CFakeTVSystemView::EnableAccelerators(BOOL enable)
{
    CUiCallLog::Add(enable ? "EnableAccelerators 1" : "EnableAccelerators 0");
}

void CFakeTVSystemView::BeginScan()
{
    CUiCallLog::Add("BeginScan");
}

void CFakeTVSystemView::ShowOptionsMenu(BOOL show)
{
    CUiCallLog::Add(show ? "ShowMenu 1" : "ShowMenu 0");
}

BOOL CFakeTVSystemView::s_realRemoteService = FALSE;

BOOL CFakeTVSystemView::EnsureRemoteServiceRunning()
{
    if (!s_realRemoteService)
        return FALSE;
    return CRemoteServiceClient::EnsureRemoteServiceRunning();
}
