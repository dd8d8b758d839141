#include "CMediaScene.h"

#include "CSceneContainer.h"
#include "CWinApp.h"
#include "ModulePaths.h"
#include "VelmoraResource.h"

namespace {

const int kBrowserTop = 80;
const int kBrowserBottomGap = 16;
// The status line stands this far above the browser.
const int kStatusGap = 2;
const int kStatusHeight = 40;

}  // namespace

BEGIN_MESSAGE_MAP(CMediaScene, CSceneBase)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMediaScene::CMediaScene(const MediaSceneLayout& layout, CMediaBrowser& browser)
    : m_layout(layout), m_browser(browser)
{
}

CMediaScene::~CMediaScene()
{
}

void CMediaScene::SetFolder(LPCTSTR folder)
{
    m_folder = folder;
    if (m_browser.m_hWnd)
        m_browser.FillList(m_folder);
}

void CMediaScene::CreateChildren()
{
    m_commands.SetItemSize(m_layout.listItemSize.cx, m_layout.listItemSize.cy);
    m_commands.Create(WS_VISIBLE, m_layout.listRect, this, m_layout.listId);
    for (int i = 0; i < m_layout.commandCount; ++i)
        m_commands.AddString(m_layout.commands[i]);

    const int left = m_layout.listRect.right + m_layout.browserGap;
    m_status.Create(WS_VISIBLE, CRect(left, kBrowserTop - kStatusGap - kStatusHeight, left + 100,
                                      kBrowserTop - kStatusGap),
                    this, m_layout.statusId);
    m_browser.SetItemSize(m_layout.browserItemSize.cx, m_layout.browserItemSize.cy);
    m_browser.SetGrid(m_layout.browserRows, m_layout.browserColumns);
    m_browser.Create(WS_VISIBLE, CRect(left, kBrowserTop, left + 100, kBrowserTop + 100), this,
                     m_layout.browserId);
    CRect client;
    GetClientRect(&client);
    PlaceChildren(client.Width(), client.Height());
    m_browser.FillList(m_folder);
}

void CMediaScene::OnSize(UINT nType, int cx, int cy)
{
    CSceneBase::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        PlaceChildren(cx, cy);
}

void CMediaScene::PlaceChildren(int cx, int cy)
{
    if (!m_browser.m_hWnd || !m_status.m_hWnd || !m_commands.m_hWnd)
        return;
    CRect list;
    m_commands.GetWindowRect(&list);
    ScreenToClient(&list.BottomRight());
    const int left = list.right + m_layout.browserGap;
    const int width = cx - list.right - m_layout.browserWidthCut;
    m_browser.MoveWindow(left, kBrowserTop, width, cy - kBrowserTop - kBrowserBottomGap);
    CRect status;
    m_status.GetWindowRect(&status);
    m_status.MoveWindow(left, kBrowserTop - kStatusGap - status.Height(), width, status.Height());
}

void CMediaScene::OnListSelChange(HWND list, int item)
{
    if (list != m_browser.m_hWnd)
        return;
    const CString folder = SplitPath(m_browser.GetPath(item), 2);
    CString shown;
    m_status.GetItemText(0, shown);
    if (folder != shown)
        m_status.SetItemText(0, folder);
}

void CMediaScene::OnListActivate(HWND list, int item)
{
    if (list == m_commands.m_hWnd && item >= 0 && item < m_layout.commandCount)
        OnSceneCommand(m_layout.commands[item]);
    else if (list == m_browser.m_hWnd)
        OnFileActivate(item);
}

void CMediaScene::OnSceneCommand(UINT command)
{
    switch (command) {
    case IDS_BACK_HOME:
        if (GetContainer())
            GetContainer()->ShowPage(0);
        break;
    case IDS_REFRESH:
        m_browser.Refresh();
        break;
    case IDS_SORT_BY_NAME:
        m_browser.Sort(CMediaBrowser::SORT_BY_NAME);
        break;
    case IDS_SORT_BY_TIME:
        m_browser.Sort(CMediaBrowser::SORT_BY_TIME);
        break;
    }
}

void CMediaScene::PlayFile(int index, PlayMediaKind kind)
{
    CWnd* main = AfxGetMainWnd();
    const CString path = m_browser.GetPath(index);
    if (main && main->m_hWnd)
        main->SendMessage(WM_PLAY_MEDIA, (WPARAM)(LPCTSTR)path, kind);
}
