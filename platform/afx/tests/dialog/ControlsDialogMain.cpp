// Shows the controls dialog, a dialog template with one of each control the framework wraps,
// filled with a few items: the picture of scripts/screenshot in the README.
#include <afxwin.h>

#include <commctrl.h>

#include "ControlsDialogResources.h"

namespace {

class CControlsDialog : public CDialog
{
public:
    CControlsDialog() : CDialog(IDD_CONTROLS) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetDlgItemTextA(m_hWnd, IDC_NAME, "中央一台");
        static const char* const channels[] = {"1 中央一台", "2 中央二台", "3 北京卫视"};
        for (const char* channel : channels)
            SendDlgItemMessageA(m_hWnd, IDC_CHANNEL, CB_ADDSTRING, 0, (LPARAM)channel);
        SendDlgItemMessageA(m_hWnd, IDC_CHANNEL, CB_SETCURSEL, 0, 0);
        static const char* const sources[] = {"电视", "复合视频", "S 端子", "收音机"};
        for (const char* source : sources)
            SendDlgItemMessageA(m_hWnd, IDC_SOURCES, LB_ADDSTRING, 0, (LPARAM)source);
        SendDlgItemMessageA(m_hWnd, IDC_SOURCES, LB_SETCURSEL, 1, 0);
        CheckDlgButton(m_hWnd, IDC_MUTE, BST_CHECKED);
        CheckRadioButton(m_hWnd, IDC_TV, IDC_FM, IDC_TV);
        SendDlgItemMessageA(m_hWnd, IDC_VOLUME, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        SendDlgItemMessageA(m_hWnd, IDC_VOLUME, TBM_SETPOS, TRUE, 7);
        SetScrollRange(GetDlgItem(m_hWnd, IDC_BALANCE), SB_CTL, 0, 100, FALSE);
        SetScrollPos(GetDlgItem(m_hWnd, IDC_BALANCE), SB_CTL, 50, TRUE);
        SendDlgItemMessageA(m_hWnd, IDC_HOTKEY, HKM_SETHOTKEY, MAKEWORD('R', HOTKEYF_CONTROL), 0);
        FillPages();
        FillRecordings();
        FillFolders();
        return TRUE;
    }

private:
    void FillPages()
    {
        static const char* const pages[] = {"录像", "定时"};
        for (int i = 0; i < 2; ++i) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = (LPSTR)pages[i];
            SendDlgItemMessageA(m_hWnd, IDC_PAGES, TCM_INSERTITEMA, i, (LPARAM)&item);
        }
        // The list stays above the tab control it sits on.
        SetWindowPos(GetDlgItem(m_hWnd, IDC_RECORDINGS), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE);
    }

    void FillRecordings()
    {
        HWND list = GetDlgItem(m_hWnd, IDC_RECORDINGS);
        static const char* const headings[] = {"文件", "格式"};
        for (int i = 0; i < 2; ++i) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = i == 0 ? 120 : 60;
            column.pszText = (LPSTR)headings[i];
            ::SendMessageA(list, LVM_INSERTCOLUMNA, i, (LPARAM)&column);
        }
        static const char* const rows[][2] = {{"20261210-093000.mpg", "DVD"},
                                              {"20261210-101500.avi", "MPEG-4"}};
        for (int i = 0; i < 2; ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = (LPSTR)rows[i][0];
            ::SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
            item.iSubItem = 1;
            item.pszText = (LPSTR)rows[i][1];
            ::SendMessageA(list, LVM_SETITEMTEXTA, i, (LPARAM)&item);
        }
    }

    void FillFolders()
    {
        HWND tree = GetDlgItem(m_hWnd, IDC_FOLDERS);
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = (LPSTR)"录像";
        HTREEITEM root = (HTREEITEM)::SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
        static const char* const children[] = {"电视", "收音机"};
        for (const char* child : children) {
            insert.hParent = root;
            insert.item.pszText = (LPSTR)child;
            ::SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
        }
        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)root);
    }
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    CControlsDialog dialog;
    return (int)dialog.DoModal();
}
