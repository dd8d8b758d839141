// The main dialog's start-up, layout and window handling.
#include "CRemoteKeyDlg.h"

#include "BitmapPainters.h"

namespace {

// The window's transparent colour in the background picture.
const COLORREF kRegionKey = RGB(0, 255, 0);
const COLORREF kListColour = 16304310;  // red 182, green 199, blue 248
const int kKeyColumnWidth = 60;
const int kDescriptionColumnWidth = 318;
// The About entry of the system menu; the system keeps the low four bits of a command.
const UINT kAboutCommand = 0x0010;

// A control's place on the picture (client pixels; width -1 keeps the template's size) and the
// bitmaps of a command button in LoadBitmaps' order; 0: not a bitmap button.
struct ControlPlace
{
    UINT id;
    int x, y, width, height;
    UINT hover, normal, pressed, disabled;
};

// id, x, y, width, height, hover, normal, pressed, disabled
const ControlPlace kPlaces[] = {
    {IDC_PROGRAM_ADD,     429,  73, 51, 26, 251, 252, 257, 253},
    {IDC_PROGRAM_MODIFY,  485,  73, 51, 26, 259, 260, 269, 261},
    {IDC_PROGRAM_DELETE,  538,  73, 51, 26, 243, 244, 242, 245},
    {IDC_RESTORE_DEFAULT, 231, 442, 62, 29, 180, 219, 198, 201},
    {IDC_KEY_ADD,         308, 442, 62, 29, 231, 232, 230, 233},
    {IDC_KEY_MODIFY,      380, 442, 62, 29, 354, 355, 364, 356},
    {IDC_KEY_DELETE,      454, 442, 62, 29, 203, 204, 202, 205},
    {IDC_APPLY,           532, 442, -1, -1, 399, 400, 398, 401},
    {IDC_PROGRAM_COMBO,   227,  75, -1, -1,   0,   0,   0,   0},
    {IDC_KEY_LIST,        203, 135, -1, -1,   0,   0,   0,   0},
    {IDC_HELP_BUTTON,     575,   2, -1, -1, 227, 228, 226, 226},
    {IDC_EXIT,            599,   2, -1, -1, 375, 376, 374, 374},
    // The service buttons in the band between the title and the program buttons.
    {IDC_SERVICE_STATUS,  210,  36, 96, 24,   0,   0,   0,   0},
    {IDC_SERVICE_REMOVE,  310,  36, 96, 24,   0,   0,   0,   0},
    {IDC_SERVICE_START,   410,  36, 96, 24,   0,   0,   0,   0},
    {IDC_SERVICE_STOP,    510,  36, 96, 24,   0,   0,   0,   0},
};

} // namespace

BEGIN_MESSAGE_MAP(CRemoteKeyDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_LBUTTONDOWN()
    ON_WM_DESTROY()
    ON_CBN_SELCHANGE(IDC_PROGRAM_COMBO, OnProgramSelChange)
    ON_BN_CLICKED(IDC_RESTORE_DEFAULT, OnRestoreDefault)
    ON_BN_CLICKED(IDC_PROGRAM_ADD, OnAddProgram)
    ON_BN_CLICKED(IDC_PROGRAM_MODIFY, OnModifyProgram)
    ON_BN_CLICKED(IDC_PROGRAM_DELETE, OnDeleteProgram)
    ON_BN_CLICKED(IDC_KEY_ADD, OnKeyAdd)
    ON_BN_CLICKED(IDC_KEY_MODIFY, OnKeyModify)
    ON_BN_CLICKED(IDC_KEY_DELETE, OnKeyDelete)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_HELP_BUTTON, OnHelp)
    ON_BN_CLICKED(IDC_EXIT, OnExit)
    ON_BN_CLICKED(IDC_SERVICE_STATUS, OnShowServiceStatus)
    ON_BN_CLICKED(IDC_SERVICE_REMOVE, OnRemoveService)
    ON_BN_CLICKED(IDC_SERVICE_START, OnStartService)
    ON_BN_CLICKED(IDC_SERVICE_STOP, OnStopService)
END_MESSAGE_MAP()

CRemoteKeyDlg::CRemoteKeyDlg(const CString& programFolder, CWnd* pParent)
    : CDialog(IDD, pParent),
      m_programFolder(programFolder),
      m_hIcon(NULL),
      m_hSmallIcon(NULL),
      m_serviceCtrl(NULL),
      m_highlight(0),
      m_selectedRow(-1),
      m_currentSet(0)
{
}

CRemoteKeyDlg::~CRemoteKeyDlg()
{
    delete m_serviceCtrl;
    if (m_hSmallIcon)
        DestroyIcon(m_hSmallIcon);
}

BOOL CRemoteKeyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CMenu* systemMenu = GetSystemMenu(FALSE);
    CString about;
    if (systemMenu != NULL && about.LoadString(IDS_ABOUTBOX)) {
        systemMenu->AppendMenu(MF_SEPARATOR);
        systemMenu->AppendMenu(MF_STRING, kAboutCommand, about);
    }
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    m_hSmallIcon = (HICON)LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                     IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                     GetSystemMetrics(SM_CYSMICON), 0);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hSmallIcon ? m_hSmallIcon : m_hIcon, FALSE);

    m_keyNames.Build();
    AddPresetPrograms();
    InitData();
    return TRUE;
}

void CRemoteKeyDlg::AddPresetPrograms()
{
    m_presets.AddKnownPrograms();
}

void CRemoteKeyDlg::InitData()
{
    CreateServiceCtrl();
    CreateKeyButtons();
    LayoutControls();
    InitKeyList();
    // A missing Default.dat or Service.ini leaves the empty defaults.
    m_defaultMap.LoadDefaultMap(m_programFolder);
    m_programs.Read(m_programFolder + kServiceIniFile);
    FillProgramCombo();
    m_programCombo.SetCurSel(m_currentSet);
    OnProgramSelChange();
}

void CRemoteKeyDlg::CreateServiceCtrl()
{
    m_serviceCtrl = ::CreateServiceCtrl();
}

void CRemoteKeyDlg::CreateKeyButtons()
{
    for (int i = 0; i < RemoteKeyButtonTable::COUNT; ++i) {
        const RemoteKeyButton& row = RemoteKeyButtonTable::kRows[i];
        CHoverBitmapButton& button = m_keyButtons[i];
        button.Create("", WS_CHILD | WS_VISIBLE, row.rect, this, row.id);
        // The table lists pressed, hover, normal, disabled.
        button.LoadBitmaps(row.hover, row.normal, row.pressed, row.disabled);
        button.SetToggleMode(TRUE);
        button.EnableWindow(i >= RemoteKeyButtonTable::FIXED_COUNT);
    }
}

void CRemoteKeyDlg::LayoutControls()
{
    CString title;
    title.LoadString(IDS_WINDOW_TITLE);
    SetWindowText(title);

    m_programCombo.SubclassDlgItem(IDC_PROGRAM_COMBO, this);
    m_keyList.SubclassDlgItem(IDC_KEY_LIST, this);
    m_scrollBar.SubclassDlgItem(IDC_SCROLL_BAR, this);
    // The bitmap buttons in the order of their rows in kPlaces.
    CHoverBitmapButton* buttons[] = {&m_programAdd, &m_programModify, &m_programDelete,
                                     &m_restoreDefault, &m_keyAdd, &m_keyModify, &m_keyDelete,
                                     &m_apply, &m_help, &m_exit};
    int next = 0;
    for (const ControlPlace& place : kPlaces) {
        CWnd* control = GetDlgItem(place.id);
        if (control == NULL)
            continue;
        if (place.hover != 0) {
            CHoverBitmapButton* button = buttons[next++];
            button->SubclassDlgItem(place.id, this);
            button->LoadBitmaps(place.hover, place.normal, place.pressed, place.disabled);
        }
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (place.width < 0 ? SWP_NOSIZE : 0);
        control->SetWindowPos(NULL, place.x, place.y, place.width, place.height, flags);
    }
    m_apply.EnableWindow(FALSE);

    if (LoadBitmapResource(&m_background, IDB_BACKGROUND)) {
        int width = GetBitmapWidth(&m_background);
        int height = GetBitmapHeight(&m_background);
        SetWindowPos(NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        MakeRegionFromBitmap(&m_region, &m_background, kRegionKey);
        // The window owns the region from here on.
        SetWindowRgn(m_hWnd, (HRGN)m_region.Detach(), TRUE);
    }
    UpdateButtonStates();
}

void CRemoteKeyDlg::InitKeyList()
{
    m_keyList.Init();
    m_keyList.GetSkinHeader().LoadBitmaps(394, 395, 396);
    m_keyList.SetBkColor(kListColour);
    m_keyList.SetTextBkColor(kListColour);
    m_keyList.SetExtendedStyle(m_keyList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    CString key, description;
    key.LoadString(IDS_COLUMN_KEY);
    description.LoadString(IDS_COLUMN_DESCRIPTION);
    m_keyList.InsertColumn(0, key, LVCFMT_LEFT, kKeyColumnWidth);
    m_keyList.InsertColumn(1, description, LVCFMT_LEFT, kDescriptionColumnWidth);
}

BOOL CRemoteKeyDlg::PreTranslateMessage(MSG* pMsg)
{
    BOOL keyDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    BOOL keyUp = pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP;
    if (keyDown && pMsg->wParam == VK_RETURN)
        return TRUE;
    if (keyDown && pMsg->wParam == VK_F1) {
        OnHelp();
        return TRUE;
    }
    if (keyUp && pMsg->wParam == VK_F1)
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CRemoteKeyDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == kAboutCommand) {
        CDialog about(IDD_ABOUTBOX, this);
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

void CRemoteKeyDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
        CRect client;
        GetClientRect(&client);
        int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }
    if (m_background.GetSafeHandle() == NULL) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    BlitBitmap(&dc, client, &m_background);
}

HCURSOR CRemoteKeyDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

void CRemoteKeyDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The picture's title band moves the window, as a caption would.
    if (point.y < kDragBandHeight) {
        CPoint screen = point;
        ClientToScreen(&screen);
        SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
    CDialog::OnLButtonDown(nFlags, point);
}

void CRemoteKeyDlg::OnDestroy()
{
    delete m_serviceCtrl;
    m_serviceCtrl = NULL;
    CDialog::OnDestroy();
}
