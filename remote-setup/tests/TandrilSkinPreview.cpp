// Tandril's artwork and skinned controls on one window shaped by the picture's green, to look
// at on a display (scripts/screenshot --window "Remote Control" OUT.png tandril_skin_preview.exe).
#include <afxwin.h>
#include <afxcmn.h>

#include "BitmapPainters.h"
#include "CHoverBitmapButton.h"
#include "CSkinListCtrl.h"
#include "RemoteKeyButtonTable.h"

namespace {

class CPreviewWnd : public CWnd
{
public:
    CBitmap background;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC paint(this);
        CRect client;
        GetClientRect(&client);
        BlitBitmap(&paint, client, &background);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPreviewWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

struct Command
{
    UINT id;
    int x, y;
    UINT hover, normal, pressed, disabled;
};
const Command kCommands[] = {
    {1004, 429, 73, 251, 252, 257, 253}, {1005, 485, 73, 259, 260, 269, 261},
    {1006, 538, 73, 243, 244, 242, 245}, {1007, 231, 442, 180, 219, 198, 201},
    {1008, 308, 442, 231, 232, 230, 233}, {1009, 380, 442, 354, 355, 364, 356},
    {1010, 454, 442, 203, 204, 202, 205}, {1014, 532, 442, 399, 400, 398, 401},
    {1019, 575, 2, 227, 228, 226, 226},  {1020, 599, 2, 375, 376, 374, 374},
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    AfxInitCommonControls(ICC_LISTVIEW_CLASSES);
    CPreviewWnd window;
    if (!LoadBitmapResource(&window.background, 383))
        return 1;
    int width = GetBitmapWidth(&window.background), height = GetBitmapHeight(&window.background);
    LPCTSTR windowClass = AfxRegisterWndClass(0, LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
    if (!window.CreateEx(0, windowClass, "Remote Control", WS_POPUP, 40, 40, width, height, NULL,
                         NULL))
        return 1;
    CRgn region;
    MakeRegionFromBitmap(&region, &window.background, RGB(0, 255, 0));
    ::SetWindowRgn(window.m_hWnd, (HRGN)region.Detach(), FALSE);

    static CHoverBitmapButton keys[RemoteKeyButtonTable::COUNT];
    for (int i = 0; i < RemoteKeyButtonTable::COUNT; ++i) {
        const RemoteKeyButton& row = RemoteKeyButtonTable::kRows[i];
        keys[i].Create("", WS_CHILD | WS_VISIBLE, row.rect, &window, row.id);
        keys[i].LoadBitmaps(row.hover, row.normal, row.pressed, row.disabled);
        keys[i].SetToggleMode(TRUE);
        keys[i].EnableWindow(i >= RemoteKeyButtonTable::FIXED_COUNT);
    }
    keys[3].SetCheck(TRUE);
    static CHoverBitmapButton commands[sizeof(kCommands) / sizeof(kCommands[0])];
    for (size_t i = 0; i < sizeof(kCommands) / sizeof(kCommands[0]); ++i) {
        const Command& command = kCommands[i];
        commands[i].Create("", WS_CHILD | WS_VISIBLE, CRect(command.x, command.y, command.x + 10,
                                                            command.y + 10), &window, command.id);
        commands[i].LoadBitmaps(command.hover, command.normal, command.pressed, command.disabled);
    }
    commands[7].EnableWindow(FALSE);

    static CSkinListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL,
                CRect(203, 135, 203 + 400, 135 + 295), &window, 1003);
    list.Init();
    list.GetSkinHeader().LoadBitmaps(394, 395, 396);
    list.SetBkColor(16304310);
    list.SetTextBkColor(16304310);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, "Key", LVCFMT_LEFT, 60);
    list.InsertColumn(1, "Description", LVCFMT_LEFT, 318);
    const char* rows[][2] = {{"Mute", "CTRL+M"}, {"Ch+", "Page Up"}, {"Play", "CTRL+P"}};
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, rows[i][0]);
        list.SetItemText(i, 1, rows[i][1]);
    }

    window.ShowWindow(SW_SHOW);
    window.UpdateWindow();
    MSG msg;
    while (IsWindow(window.m_hWnd) && GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
