#include "SkinTestDialog.h"

#include "UserInput.h"

BEGIN_MESSAGE_MAP(CSkinTestDlg, CDialog)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CSkinTestDlg::~CSkinTestDlg()
{
    skin.Detach();
    DestroyWindow();
}

BOOL CSkinTestDlg::Open()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!Create(IDD_SKIN_TEST, NULL))
        return FALSE;
    SetWindowPos(NULL, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    push.LoadResourceBitmaps(IDB_BTN_HOVER, IDB_BTN_NORMAL, IDB_BTN_PRESSED, IDB_BTN_DISABLED, 0, FALSE);
    push.SetPosition(10, 10);
    toggle.LoadResourceBitmaps(IDB_BTN_HOVER, IDB_BTN_NORMAL, IDB_BTN_PRESSED, IDB_BTN_DISABLED, 0, FALSE);
    toggle.SetPosition(50, 10);
    toggle.SetStyle(1);
    trackbar.LoadResourceBitmaps(IDB_SLD_TRACK, IDB_SLD_THUMB, 0, FALSE);
    trackbar.SetPosition(10, 40);
    multi.LoadResourceBitmaps(IDB_MSL_TRACK, IDB_MSL_THUMB, 0, FALSE, kStartEdge, kEndEdge,
                              kMiddleLine, kMiddleHeight);
    multi.SetPosition(10, 80);
    labelNone.SetPosition(10, 120);
    labelNone.SetSize(100, 24);
    labelNone.SetText("Ab");
    labelNone.SetTextColor(kText);
    labelColor.SetPosition(120, 120);
    labelColor.SetSize(100, 24);
    labelColor.SetBackColor(RGB(0, 0xC0, 0));
    labelColor.SetText("Cd");
    labelBitmap.LoadBackResource(IDB_LABEL_BACK);
    labelBitmap.SetPosition(230, 120);
    labelBitmap.SetText("Ef");
    labelBitmap.SetTextColor(RGB(0, 0, 0));

    if (!push.SubclassDlgItem(IDC_PUSH, this) || !toggle.SubclassDlgItem(IDC_TOGGLE, this) ||
        !trackbar.SubclassDlgItem(IDC_TRACKBAR, this) || !multi.SubclassDlgItem(IDC_MULTI, this) ||
        !labelNone.SubclassDlgItem(IDC_LABEL_NONE, this) ||
        !labelColor.SubclassDlgItem(IDC_LABEL_COLOR, this) ||
        !labelBitmap.SubclassDlgItem(IDC_LABEL_BITMAP, this) ||
        !hover.SubclassDlgItem(IDC_HOVER, this) ||
        !hoverToggle.SubclassDlgItem(IDC_HOVER_TOGGLE, this))
        return FALSE;
    trackbar.SetRange(0, 100);
    trackbar.SetPos(50);
    multi.SetRange(0, 1000, FALSE);
    multi.SetSelection(200, 800, FALSE);
    multi.SetPos(200, FALSE);

    hover.SetWindowPos(NULL, 90, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    hover.LoadBitmaps(IDB_BTN_HOVER, IDB_BTN_NORMAL, IDB_BTN_PRESSED, IDB_BTN_DISABLED);
    hoverToggle.SetWindowPos(NULL, 130, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    hoverToggle.LoadBitmaps(IDB_BTN_HOVER, IDB_BTN_NORMAL, IDB_BTN_PRESSED, IDB_BTN_DISABLED);
    hoverToggle.SetToggleMode(TRUE);

    // The bitmap trackbar shows the part of the 400 x 300 background picture under it.
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_BITMAP_SLIDER), 150, 160, 150, 30, FALSE);
    if (!bitmapSlider.SubclassDlgItem(IDC_BITMAP_SLIDER, this))
        return FALSE;
    bitmapSlider.LoadBitmaps(IDB_BSL_BACK, IDB_BSL_THUMB);

    RECT outer;
    GetWindowRect(&outer);
    skin.SetBackColor(kBack);
    skin.SetSize(outer.right - outer.left, outer.bottom - outer.top);
    skin.Attach(m_hWnd);
    ShowWindow(SW_SHOW);
    UserInput::BringToFront(m_hWnd);
    RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

void CSkinTestDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const MSG* current = GetCurrentMessage();
    if (current->lParam == (LPARAM)&multi)
        changes.push_back({current->wParam, current->lParam, multi.IsDragging()});
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}
