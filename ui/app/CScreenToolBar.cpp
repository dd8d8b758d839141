#include "CScreenToolBar.h"

#include <commctrl.h>

#include "CControlPanelDlg.h"
#include "CSkinButton.h"
#include "CTVVideoWnd.h"
#include "TVSystem.h"
#include "resource.h"

namespace {
struct BarButton
{
    UINT id;
    int x, y, cx, cy;
    UINT hover, normal, pressed, disabled;
    BOOL toggle;
    UINT tip;
};

// RECORD is a toggle too, so that its check can show the recording.
const BarButton kButtons[CScreenToolBar::kButtonCount] = {
    {IDC_BAR_FIX, 13, 5, 20, 15, 158, 159, 157, 160, TRUE, IDS_BAR_FIX_TIP},
    {IDC_BAR_RETURN, 65, 14, 30, 20, 174, 175, 173, 176, FALSE, IDS_BAR_RETURN_TIP},
    {IDC_BAR_CAMERA, 130, 5, 20, 15, 166, 167, 165, 168, FALSE, IDS_SNAPSHOT_TIP},
    {IDC_BAR_TVWALL, 154, 5, 20, 15, 178, 179, 177, 180, FALSE, IDS_TV_WALL_TIP},
    {IDC_BAR_RECORD, 178, 5, 20, 15, 170, 171, 169, 172, TRUE, IDS_RECORD_TIP},
    {IDC_BAR_DOWN, 373, 4, 20, 15, 186, 187, 185, 188, FALSE, IDS_CHANNEL_DOWN_TIP},
    {IDC_BAR_UP, 400, 4, 20, 15, 182, 183, 181, 184, FALSE, IDS_CHANNEL_UP_TIP},
    {IDC_BAR_SOUND, 551, 5, 20, 15, 154, 155, 153, 156, TRUE, IDS_MUTE_TIP},
};

// The bar's buttons that stand for a panel control, and that control.
const struct
{
    UINT bar, panel;
} kMirrors[] = {{IDC_BAR_CAMERA, IDC_SNAPSHOT}, {IDC_BAR_TVWALL, IDC_TV_WALL}, {IDC_BAR_RECORD, IDC_RECORD},
                {IDC_BAR_DOWN, IDC_CHANNEL_DOWN}, {IDC_BAR_UP, IDC_CHANNEL_UP}, {IDC_BAR_SOUND, IDC_MUTE}};

UINT PanelCommandOf(UINT barId)
{
    for (const auto& mirror : kMirrors) {
        if (mirror.bar == barId)
            return mirror.panel;
    }
    return 0;
}
}

BEGIN_MESSAGE_MAP(CScreenToolBar, CDialog)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
    ON_WM_HSCROLL()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_BAR_FIX, OnFix)
    ON_BN_CLICKED(IDC_BAR_RETURN, OnReturn)
    ON_BN_CLICKED(IDC_BAR_SOUND, OnSound)
    ON_COMMAND_RANGE(IDC_BAR_CAMERA, IDC_BAR_UP, OnForward)
END_MESSAGE_MAP()

CScreenToolBar::CScreenToolBar() : CDialog(IDD_SCREEN_TOOL)
{
}

CScreenToolBar::~CScreenToolBar()
{
}

BOOL CScreenToolBar::Create(CWnd* parent)
{
    return CDialog::Create(IDD_SCREEN_TOOL, parent);
}

CHoverBitmapButton& CScreenToolBar::GetButton(UINT id)
{
    for (int i = 0; i < kButtonCount; i++) {
        if (kButtons[i].id == id)
            return m_buttons[i];
    }
    return m_buttons[0];
}

BOOL CScreenToolBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < kButtonCount; i++) {
        const BarButton& b = kButtons[i];
        m_buttons[i].SubclassDlgItem(b.id, this);
        m_buttons[i].MoveWindow(b.x, b.y, b.cx, b.cy, FALSE);
        m_buttons[i].LoadBitmaps(b.hover, b.normal, b.pressed, b.disabled);
        m_buttons[i].SetToggleMode(b.toggle);
    }
    m_slider.SubclassDlgItem(IDC_BAR_VOLUME, this);
    m_slider.MoveWindow(435, 4, 103, 15, FALSE);
    m_slider.SetRange(0, 100);
    m_slider.SetPos(0);
    m_slider.SetLineSize(5);
    m_slider.SetPageSize(10);
    // Bitmap 152 is the whole bar's left part: the track is cut from it under the slider.
    m_slider.LoadBitmaps(IDB_BAR_LEFT, IDB_BAR_THUMB);
    // The label takes its place when it is subclassed.
    m_label.SetPosition(241, 6);
    m_label.SetSize(110, 16);
    m_label.SetBackMode(CSkinLabel::BACK_NONE);
    m_label.SetTextColor(RGB(255, 255, 255));
    m_label.SubclassDlgItem(IDC_BAR_CHANNEL, this);

    m_left.LoadResource(IDB_BAR_LEFT);
    m_tile.LoadResource(IDB_BAR_TILE);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), m_left.GetHeight(),
                 SWP_NOACTIVATE | SWP_HIDEWINDOW);

    if (m_toolTip.Create(this)) {
        for (const BarButton& b : kButtons)
            m_toolTip.AddTool(b.id, b.tip);
        m_toolTip.AddTool(IDC_BAR_CHANNEL, IDS_CHANNEL_TIP);
        m_toolTip.AddTool(IDC_BAR_VOLUME, IDS_BAR_VOLUME_TIP);
        m_toolTip.Activate(TRUE);
    }
    SetWindowText("ScreenTool");
    SetRecordCheck(theTVSystem.IsRecording());
    SetMuteCheck(theTVSystem.IsPlayLineMuted());
    SetTimer(kMirrorTimer, kMirrorMs, NULL);
    return TRUE;
}

void CScreenToolBar::OnDestroy()
{
    StopHideTimer();
    KillTimer(kMirrorTimer);
    CDialog::OnDestroy();
}

// ---- Showing ----

void CScreenToolBar::ShowBar(BOOL show)
{
    if (GetSafeHwnd() == NULL)
        return;
    if (show) {
        m_bPinned = GetButton(IDC_BAR_FIX).GetCheck();
        SetMuteCheck(theTVSystem.IsPlayLineMuted());
        int volume = 0;
        if (theTVSystem.GetPlayLineVolume(&volume))
            SetVolume(volume);
        // The picture keeps the keyboard.
        ShowWindow(SW_SHOWNOACTIVATE);
        StartHideTimer();
    } else {
        ShowWindow(SW_HIDE);
    }
    SetRecordCheck(theTVSystem.IsRecording());
    SetMuteCheck(theTVSystem.IsPlayLineMuted());
    if (theVideoWnd.GetSafeHwnd() != NULL)
        theVideoWnd.LayoutOverlays();
}

void CScreenToolBar::SetChannelText(LPCTSTR text)
{
    if (m_label.GetSafeHwnd() == NULL)
        return;
    m_label.SetWindowText(text);
    m_label.SetText(text);
    m_label.RedrawInParent();
}

void CScreenToolBar::SetVolume(int value)
{
    if (m_slider.GetSafeHwnd() != NULL)
        m_slider.SetPos(value);
}

void CScreenToolBar::SetMuteCheck(BOOL on)
{
    GetButton(IDC_BAR_SOUND).SetCheck(on);
}

void CScreenToolBar::SetRecordCheck(BOOL on)
{
    GetButton(IDC_BAR_RECORD).SetCheck(on);
}

// ---- Auto-hide ----

void CScreenToolBar::StartHideTimer()
{
    SetTimer(kHideTimer, m_hideMs, NULL);
}

void CScreenToolBar::StopHideTimer()
{
    if (GetSafeHwnd() != NULL)
        KillTimer(kHideTimer);
}

void CScreenToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    StopHideTimer();
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    ::TrackMouseEvent(&track);
    CDialog::OnMouseMove(nFlags, point);
}

void CScreenToolBar::OnMouseLeave()
{
    if (!m_bPinned)
        StartHideTimer();
}

void CScreenToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHideTimer) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        CRect window;
        GetWindowRect(&window);
        if (!m_bPinned && !window.PtInRect(cursor)) {
            StopHideTimer();
            ShowBar(FALSE);
        }
        return;
    }
    if (nIDEvent == kMirrorTimer) {
        if (IsWindowVisible())
            MirrorPanel();
        return;
    }
    CDialog::OnTimer(nIDEvent);
}

void CScreenToolBar::MirrorPanel()
{
    for (const auto& mirror : kMirrors) {
        CHoverBitmapButton& button = GetButton(mirror.bar);
        BOOL enabled = theControlPanel.IsItemEnabled(mirror.panel);
        if ((button.IsWindowEnabled() != FALSE) != (enabled != FALSE))
            button.EnableWindow(enabled);
    }
    CWnd* record = theControlPanel.GetSafeHwnd() != NULL ? theControlPanel.GetDlgItem(IDC_RECORD) : NULL;
    if (record != NULL) {
        CSkinButton* skinned = dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(record->m_hWnd));
        BOOL checked = skinned != NULL ? skinned->GetCheck()
                                       : record->SendMessage(BM_GETCHECK) == BST_CHECKED;
        SetRecordCheck(checked);
    }
    BOOL tuner = theTVSystem.GetVideoSource() == CTVSystem::kSourceTuner;
    if ((m_label.IsWindowVisible() != FALSE) != (tuner != FALSE))
        m_label.ShowWindow(tuner ? SW_SHOW : SW_HIDE);
}

// ---- Buttons and slider ----

void CScreenToolBar::OnFix()
{
    m_bPinned = !m_bPinned;
    if (m_bPinned)
        StopHideTimer();
    else
        StartHideTimer();
}

void CScreenToolBar::OnReturn()
{
    ShowBar(FALSE);
}

void CScreenToolBar::OnForward(UINT id)
{
    ForwardCommand(PanelCommandOf(id));
}

void CScreenToolBar::OnSound()
{
    theControlPanel.SetMute(!theTVSystem.IsPlayLineMuted());
}

void CScreenToolBar::ForwardCommand(UINT id)
{
    CWnd* control = theControlPanel.GetSafeHwnd() != NULL && id != 0 ? theControlPanel.GetDlgItem(id) : NULL;
    if (control == NULL || !control->IsWindowEnabled())
        return;
    theControlPanel.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control->m_hWnd);
}

void CScreenToolBar::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CWnd* control = (CWnd*)pScrollBar;
    if (control == NULL || control->m_hWnd != m_slider.m_hWnd) {
        CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    if (nSBCode != SB_THUMBTRACK && nSBCode != SB_ENDSCROLL)
        return;
    int value = m_slider.GetPos();
    theControlPanel.SetVolume(value);
    theControlPanel.SetVolumeTrackbar(value);
}

// ---- Drawing ----

BOOL CScreenToolBar::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CScreenToolBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // Drawn into a memory bitmap first, so that the tiling does not flicker.
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&picture);
    int leftWidth = 0;
    if (m_left.IsLoaded()) {
        leftWidth = m_left.GetWidth();
        m_left.Draw(&memory, CRect(0, 0, leftWidth, m_left.GetHeight()));
    }
    if (m_tile.IsLoaded() && m_tile.GetWidth() > 0 && m_tile.GetHeight() > 0) {
        for (int y = 0; y < client.bottom; y += m_tile.GetHeight()) {
            for (int x = leftWidth; x < client.right; x += m_tile.GetWidth())
                m_tile.Draw(&memory, CRect(x, y, x + m_tile.GetWidth(), y + m_tile.GetHeight()));
        }
    }
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}
