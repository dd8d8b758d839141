// Shows the controls dialog, a dialog template with one of each control the framework wraps,
// each taken over by its framework object and filled with a few items: the picture of
// scripts/screenshot in the README.
#include <afxcmn.h>

#include "ControlsDialogResources.h"

namespace {

class CControlsDialog : public CDialog
{
public:
    CControlsDialog() : CDialog(IDD_CONTROLS) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_name.SubclassDlgItem(IDC_NAME, this);
        m_name.SetWindowText("中央一台");
        m_channel.SubclassDlgItem(IDC_CHANNEL, this);
        for (const char* channel : {"1 中央一台", "2 中央二台", "3 北京卫视"})
            m_channel.AddString(channel);
        m_channel.SetCurSel(0);
        m_sources.SubclassDlgItem(IDC_SOURCES, this);
        for (const char* source : {"电视", "复合视频", "S 端子", "收音机"})
            m_sources.AddString(source);
        m_sources.SetCurSel(1);
        m_mute.SubclassDlgItem(IDC_MUTE, this);
        m_mute.SetCheck(BST_CHECKED);
        m_tv.SubclassDlgItem(IDC_TV, this);
        m_tv.SetCheck(BST_CHECKED);
        m_volume.SubclassDlgItem(IDC_VOLUME, this);
        m_volume.SetRange(0, 10, TRUE);
        m_volume.SetPos(7);
        m_balance.SubclassDlgItem(IDC_BALANCE, this);
        m_balance.SetScrollRange(0, 100, FALSE);
        m_balance.SetScrollPos(50);
        m_hotKey.SubclassDlgItem(IDC_HOTKEY, this);
        m_hotKey.SetHotKey('R', HOTKEYF_CONTROL);
        m_pages.SubclassDlgItem(IDC_PAGES, this);
        m_pages.InsertItem(0, "录像");
        m_pages.InsertItem(1, "定时");
        FillRecordings();
        FillFolders();
        return TRUE;
    }

private:
    void FillRecordings()
    {
        m_recordings.SubclassDlgItem(IDC_RECORDINGS, this);
        // The list sits on the tab control and must stay above it.
        ::SetWindowPos(m_recordings.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        m_recordings.InsertColumn(0, "文件", LVCFMT_LEFT, 120);
        m_recordings.InsertColumn(1, "格式", LVCFMT_LEFT, 60);
        static const char* const rows[][2] = {{"20261210-093000.mpg", "DVD"},
                                              {"20261210-101500.avi", "MPEG-4"}};
        for (int i = 0; i < 2; ++i) {
            m_recordings.InsertItem(i, rows[i][0]);
            m_recordings.SetItemText(i, 1, rows[i][1]);
        }
    }

    void FillFolders()
    {
        m_folders.SubclassDlgItem(IDC_FOLDERS, this);
        HTREEITEM root = m_folders.InsertItem("录像");
        m_folders.InsertItem("电视", root);
        m_folders.InsertItem("收音机", root);
        m_folders.Expand(root, TVE_EXPAND);
    }

    CEdit m_name;
    CComboBox m_channel;
    CListBox m_sources;
    CButton m_mute;
    CButton m_tv;
    CSliderCtrl m_volume;
    CScrollBar m_balance;
    CHotKeyCtrl m_hotKey;
    CTabCtrl m_pages;
    CListCtrl m_recordings;
    CTreeCtrl m_folders;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The template's common controls need their classes before the dialog is made.
    AfxInitCommonControls(ICC_WIN95_CLASSES | ICC_DATE_CLASSES);
    CControlsDialog dialog;
    return (int)dialog.DoModal();
}
