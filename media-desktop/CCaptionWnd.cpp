#include "CCaptionWnd.h"

#include "CWinApp.h"
#include "KitBitmap.h"
#include "KitWindowClass.h"
#include "ModulePaths.h"
#include "VelmoraResource.h"

namespace {

const int kSettingsLeft = 50;
const int kSettingsTop = 3;
// The web site button's right edge stands this far in from the bar's.
const int kWebSiteRightGap = 50;

SIZE SizeOfBitmap(UINT id)
{
    HBITMAP bitmap = LoadKitBitmap(id);
    SIZE size = KitBitmapSize(bitmap);
    if (bitmap)
        DeleteObject(bitmap);
    return size;
}

}  // namespace

BEGIN_MESSAGE_MAP(CCaptionWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CCaptionWnd::CCaptionWnd()
{
}

CCaptionWnd::~CCaptionWnd()
{
}

BOOL CCaptionWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCSTR windowClass = RegisterKitWindowClass("CaptionWnd");
    return windowClass && CWnd::Create(windowClass, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CCaptionWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
    const CRect none(0, 0, 1, 1);
    if (!m_settings.Create("", style, none, this, ID_SETTINGS)
        || !m_webSite.Create("", style, none, this, ID_WEB_SITE)
        || !m_headline.Create("", style, none, this, ID_HEADLINE))
        return -1;
    m_settings.LoadBitmaps(IDB_SETTINGS_HOVER, IDB_SETTINGS_NORMAL, IDB_SETTINGS_PRESSED,
                           IDB_SETTINGS_DISABLED);
    m_webSite.LoadBitmaps(IDB_WEB_HOVER, IDB_WEB_NORMAL, IDB_WEB_PRESSED, IDB_WEB_PRESSED);
    m_headline.LoadBitmaps(IDB_HEADLINE, IDB_HEADLINE, IDB_HEADLINE, IDB_HEADLINE);
    m_background.LoadPictureFile(GetModuleDir() + "\\Skin\\caption.bmp");
    PlaceButtons(lpCreateStruct->cx, lpCreateStruct->cy);

    if (m_toolTip.Create(this)) {
        m_toolTip.AddTool(&m_settings, IDS_SETTINGS_TIP);
        m_toolTip.AddTool(&m_webSite, IDS_WEB_SITE_TIP);
        m_toolTip.Activate(TRUE);
    }
    return 0;
}

void CCaptionWnd::PlaceButtons(int cx, int cy)
{
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    const SIZE settings = SizeOfBitmap(IDB_SETTINGS_HOVER);
    m_settings.SetWindowPos(NULL, kSettingsLeft, kSettingsTop, settings.cx, settings.cy, flags);
    const SIZE web = SizeOfBitmap(IDB_WEB_HOVER);
    m_webSite.SetWindowPos(NULL, cx - kWebSiteRightGap - web.cx, (cy - web.cy) / 2, web.cx,
                           web.cy, flags);
    const SIZE headline = SizeOfBitmap(IDB_HEADLINE);
    m_headline.SetWindowPos(NULL, (cx - headline.cx) / 2, (cy - headline.cy) / 2, headline.cx,
                            headline.cy, flags);
}

void CCaptionWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_settings.m_hWnd)
        PlaceButtons(cx, cy);
}

void CCaptionWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (!m_background.Draw(&dc, 0, 0, client.Width(), client.Height()))
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
}

BOOL CCaptionWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CCaptionWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CCaptionWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    CWnd* main = AfxGetMainWnd();
    if ((id == ID_SETTINGS || id == ID_HIDE || id == ID_WEB_SITE) && HIWORD(wParam) == BN_CLICKED) {
        if (main && main->m_hWnd)
            main->SendMessage(WM_COMMAND, id, (LPARAM)m_hWnd);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}
