#include "CHomeScene.h"

#include "CSceneContainer.h"
#include "CWinApp.h"
#include "VelmoraResource.h"

namespace {

// The items in order, and the page each opens (0 for none).
struct HomeItem
{
    UINT text;
    int page;
};
const HomeItem kItems[] = {
    {IDS_MY_TV, 0},
    {IDS_MY_PICTURES, 1},
    {IDS_MY_VIDEO, 2},
    {IDS_MY_MUSIC, 3},
    {IDS_EXIT, 0},
};
const int kItemCount = sizeof(kItems) / sizeof(kItems[0]);

// The list stands this far below the page's middle.
const int kListDrop = 50;

}  // namespace

BEGIN_MESSAGE_MAP(CHomeScene, CSceneBase)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CHomeScene::CHomeScene()
{
}

CHomeScene::~CHomeScene()
{
}

void CHomeScene::CreateChildren()
{
    m_list.SetItemSize(271, 66);
    m_list.Create(WS_VISIBLE, CRect(300, 300, 600, 720), this, kListId);
    for (const HomeItem& item : kItems)
        m_list.AddString(item.text);
    CRect client;
    GetClientRect(&client);
    PlaceList(client.Width(), client.Height());
}

void CHomeScene::OnSize(UINT nType, int cx, int cy)
{
    CSceneBase::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        PlaceList(cx, cy);
}

void CHomeScene::PlaceList(int cx, int cy)
{
    if (!m_list.m_hWnd)
        return;
    CRect list;
    m_list.GetWindowRect(&list);
    m_list.SetWindowPos(NULL, (cx - list.Width()) / 2, (cy - list.Height()) / 2 + kListDrop, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHomeScene::OnListActivate(HWND list, int item)
{
    if (list != m_list.m_hWnd || item < 0 || item >= kItemCount)
        return;
    CWnd* main = AfxGetMainWnd();
    HWND mainWindow = main ? main->GetSafeHwnd() : NULL;
    switch (kItems[item].text) {
    case IDS_MY_TV:
        if (mainWindow)
            ::SendMessageA(mainWindow, WM_COMMAND, ID_START_TV, 0);
        break;
    case IDS_EXIT:
        if (mainWindow)
            ::PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        break;
    default:
        if (GetContainer())
            GetContainer()->ShowPage(kItems[item].page);
        break;
    }
}
