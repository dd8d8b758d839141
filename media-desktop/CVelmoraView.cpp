#include "CVelmoraView.h"

#include "CVelmoraDoc.h"
#include "KitMessages.h"
#include "ModulePaths.h"

IMPLEMENT_DYNCREATE(CVelmoraView, CView)

BEGIN_MESSAGE_MAP(CVelmoraView, CView)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_CONTEXTMENU()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SHOW_TOP_BAR, OnShowTopBar)
    ON_MESSAGE(WM_ACTIVATE_REQUEST, OnActivateRequest)
    ON_MESSAGE(WM_PLAY_MEDIA, PlayMedia)
END_MESSAGE_MAP()

const char CVelmoraView::kSettingsSection[] = "Settings";
const char CVelmoraView::kCloseAllOnExit[] = "bCloseAllOnExit";
const char CVelmoraView::kStartupHide[] = "StartupHide";

namespace {

const int kArchiveBufferSize = 4096;

}  // namespace

CVelmoraView::CVelmoraView() = default;

CVelmoraView::~CVelmoraView() = default;

CVelmoraDoc* CVelmoraView::GetDocument() const
{
    return (CVelmoraDoc*)m_pDocument;
}

CString CVelmoraView::SettingsPath()
{
    return GetModuleDir() + "\\" + "VLM.exe.sav";
}

void CVelmoraView::Serialize(CArchive& ar)
{
    m_settings.Serialize(ar);
}

BOOL CVelmoraView::LoadViewSettings(LPCTSTR path)
{
    CFile file;
    if (!file.Open(path, CFile::modeReadWrite))
        return FALSE;
    CViewSettings read(m_settings);
    try {
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        read.Serialize(ar);
        // Bytes after the last field mean the file is not what this program wrote.
        BYTE extra;
        if (ar.Read(&extra, 1) != 0)
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    m_settings = read;
    return TRUE;
}

BOOL CVelmoraView::SaveSettings(LPCTSTR path)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeReadWrite))
        return FALSE;
    try {
        CArchive ar(&file, CArchive::store, kArchiveBufferSize);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CVelmoraView::CreateScenes()
{
    const CRect tall(0, 0, 800, 800);
    const CRect wide(0, 0, 800, 600);
    return m_homeScene.Create(WS_VISIBLE, tall, this, kHomeSceneId)
           && m_pictureScene.Create(WS_VISIBLE, tall, this, kPictureSceneId)
           && m_videoScene.Create(WS_VISIBLE, wide, this, kVideoSceneId)
           && m_musicScene.Create(WS_VISIBLE, wide, this, kMusicSceneId);
}

void CVelmoraView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    const CString path = SettingsPath();
    m_keepUnreadFile = !LoadViewSettings(path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    m_settingsAtStart = m_settings;
    m_pictureScene.SetFolder(m_settings.m_pictureFolder);
    m_videoScene.SetFolder(m_settings.m_videoFolder);
    m_musicScene.SetFolder(m_settings.m_musicFolder);
    if (!CreateScenes())
        return;
    m_homeScene.SetBackground(m_settings.m_mainBackground);
    m_pictureScene.SetBackground(m_settings.m_pictureBackground);
    m_videoScene.SetBackground(m_settings.m_videoBackground);
    m_musicScene.SetBackground(m_settings.m_musicBackground);
    m_pictureScene.SetSlideshowSeconds(m_settings.m_slideshowSeconds);
    m_pictureScene.SetStretch(m_settings.m_stretchSlideshow);
    m_videoScene.GetBrowser().SetTypes(m_settings.m_videoTypes);
    m_pictureScene.GetBrowser().SetTypes(m_settings.m_pictureTypes);
    m_musicScene.GetBrowser().SetTypes(m_settings.m_musicTypes);
    m_scenes.AddPage(&m_homeScene);
    m_scenes.AddPage(&m_pictureScene);
    m_scenes.AddPage(&m_videoScene);
    m_scenes.AddPage(&m_musicScene);
    m_scenes.ShowPage(kMusicPage);
}

void CVelmoraView::OnDestroy()
{
    KillTimer(kWatchTimer);
    if (AfxGetApp()->GetProfileInt(kSettingsSection, kCloseAllOnExit, 1))
        CloseChildren();
    // A file that cannot be written loses this run's settings, silently.
    if (!m_keepUnreadFile || m_settings != m_settingsAtStart)
        SaveSettings(SettingsPath());
    CView::OnDestroy();
}

BOOL CVelmoraView::IsCurrentPageVisible() const
{
    CSceneBase* page = m_scenes.GetCurrentPage();
    return page && page->m_hWnd && page->IsWindowVisible();
}

void CVelmoraView::OnDraw(CDC* pDC)
{
    if (IsCurrentPageVisible())
        return;
    CRect client;
    GetClientRect(&client);
    ::DrawTextA(pDC->GetSafeHdc(), "Hello", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CVelmoraView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_scenes.PlacePages(cx, cy);
}

void CVelmoraView::OnSetFocus(CWnd*)
{
    m_scenes.FocusCurrentPage();
}

BOOL CVelmoraView::OnEraseBkgnd(CDC* pDC)
{
    if (IsCurrentPageVisible())
        return TRUE;
    return CView::OnEraseBkgnd(pDC);
}

void CVelmoraView::OnContextMenu(CWnd*, CPoint)
{
    if (m_scenes.GetCurrentIndex() == kHomePage)
        OnCommand(MAKEWPARAM(ID_PREFERENCES, 0), 0);
}

void CVelmoraView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    // The caption bar keeps the focus while it is down.
    if (m_scenes.GetTopBar())
        return;
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CVelmoraView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CSceneContainer::kTopBarTimer)
        m_scenes.OnTopBarTimer();
    else if (nIDEvent == kWatchTimer)
        WatchChildren();
    else
        CView::OnTimer(nIDEvent);
}

LRESULT CVelmoraView::OnShowTopBar(WPARAM, LPARAM)
{
    m_scenes.ShowTopBar(TRUE);
    return 0;
}

