// Data exchange between a dialog's members and its controls, and refused values.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <commctrl.h>

#include <string>

#include "DialogWatcher.h"
#include "ScriptedDialog.h"
#include "WndTestResources.h"

namespace {

class CDataDialog : public CScriptedDialog {
public:
    using CScriptedDialog::CScriptedDialog;

    CString m_name = "频道一";
    int m_count = 12;
    UINT m_size = 7;
    int m_check = 2;
    int m_radio = 1;
    int m_combo = 2;
    CTime m_date = CTime(2026, 3, 4, 0, 0, 0);
    CWnd m_nameEdit;

protected:
    BOOL OnInitDialog() override
    {
        HWND hCombo = ::GetDlgItem(m_hWnd, IDC_COMBO);
        for (const char* item : {"PCM", "ADPCM", "MP2"})
            ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)item);
        return CScriptedDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        CScriptedDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 8);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 0, 100);
        DDX_Text(pDX, IDC_BYTES, m_size);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBIndex(pDX, IDC_COMBO, m_combo);
        DDX_DateTimeCtrl(pDX, IDC_DATE, m_date);
    }
};

std::string TextOf(CWnd& dlg, int nID)
{
    char text[64] = "";
    ::GetDlgItemTextA(dlg.m_hWnd, nID, text, sizeof(text));
    return text;
}

class DataExchangeTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init = {sizeof(init), ICC_DATE_CLASSES};
        InitCommonControlsEx(&init);
    }
};

TEST_F(DataExchangeTest, EveryKindGoesIntoItsControlAndBack)
{
    struct Loaded {
        std::string name, count, size;
        LRESULT check, radio2, combo, limit;
        SYSTEMTIME date;
        BOOL bound;
    } loaded = {};
    BOOL saved = FALSE;
    CDataDialog dialog(IDD_DDX, [&](CScriptedDialog& dlg) {
        CDataDialog& d = static_cast<CDataDialog&>(dlg);
        loaded.name = TextOf(d, IDC_NAME);
        loaded.count = TextOf(d, IDC_COUNT);
        loaded.size = TextOf(d, IDC_BYTES);
        loaded.check = ::SendDlgItemMessageA(d.m_hWnd, IDC_CHECK, BM_GETCHECK, 0, 0);
        loaded.radio2 = ::SendDlgItemMessageA(d.m_hWnd, IDC_RADIO2, BM_GETCHECK, 0, 0);
        loaded.combo = ::SendDlgItemMessageA(d.m_hWnd, IDC_COMBO, CB_GETCURSEL, 0, 0);
        loaded.limit = ::SendDlgItemMessageA(d.m_hWnd, IDC_NAME, EM_GETLIMITTEXT, 0, 0);
        ::SendDlgItemMessageA(d.m_hWnd, IDC_DATE, DTM_GETSYSTEMTIME, 0, (LPARAM)&loaded.date);
        loaded.bound = d.m_nameEdit.m_hWnd == ::GetDlgItem(d.m_hWnd, IDC_NAME);

        ::SetDlgItemTextA(d.m_hWnd, IDC_NAME, "新名字");
        ::SetDlgItemTextA(d.m_hWnd, IDC_COUNT, " -3 ");
        ::SetDlgItemTextA(d.m_hWnd, IDC_BYTES, "4000000000");
        ::CheckDlgButton(d.m_hWnd, IDC_CHECK, BST_CHECKED);
        ::CheckRadioButton(d.m_hWnd, IDC_RADIO1, IDC_RADIO3, IDC_RADIO3);
        ::SendDlgItemMessageA(d.m_hWnd, IDC_COMBO, CB_SETCURSEL, 0, 0);
        SYSTEMTIME st = {2025, 12, 0, 31, 0, 0, 0, 0};
        ::SendDlgItemMessageA(d.m_hWnd, IDC_DATE, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
        // The count is out of its range: saved only after it is mended.
        ::SetDlgItemTextA(d.m_hWnd, IDC_COUNT, "42");
        saved = d.UpdateData(TRUE);
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.RunModal());
    EXPECT_EQ("频道一", loaded.name);
    EXPECT_EQ("12", loaded.count);
    EXPECT_EQ("7", loaded.size);
    EXPECT_EQ(BST_INDETERMINATE, loaded.check);
    EXPECT_EQ(BST_CHECKED, loaded.radio2);
    EXPECT_EQ(2, loaded.combo);
    EXPECT_EQ(8, loaded.limit) << "the length check also limits the edit";
    EXPECT_EQ(2026, loaded.date.wYear);
    EXPECT_EQ(3, loaded.date.wMonth);
    EXPECT_EQ(4, loaded.date.wDay);
    EXPECT_TRUE(loaded.bound);

    EXPECT_TRUE(saved);
    EXPECT_EQ(CString("新名字"), dialog.m_name);
    EXPECT_EQ(42, dialog.m_count);
    EXPECT_EQ(4000000000u, dialog.m_size);
    EXPECT_EQ(1, dialog.m_check);
    EXPECT_EQ(2, dialog.m_radio);
    EXPECT_EQ(0, dialog.m_combo);
    EXPECT_EQ(2025, dialog.m_date.GetYear());
    EXPECT_EQ(12, dialog.m_date.GetMonth());
    EXPECT_EQ(31, dialog.m_date.GetDay());
}

TEST_F(DataExchangeTest, ARefusedValueIsToldFocusedAndLeavesItsMemberAsItWas)
{
    struct Case {
        int nID;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_COUNT, "12a", "Please enter an integer."},
        {IDC_COUNT, "", "Please enter an integer."},
        {IDC_COUNT, "99999999999", "Please enter an integer."},
        {IDC_COUNT, "101", "Please enter an integer between 0 and 100."},
        {IDC_BYTES, "-3", "Please enter a positive integer."},
        {IDC_NAME, "一二三四五", "Please enter no more than 8 characters."},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        DialogWatcher watcher;
        BOOL saved = TRUE;
        int focusId = 0;
        CDataDialog dialog(IDD_DDX, [&](CScriptedDialog& d) {
            ::SetDlgItemTextA(d.m_hWnd, cases[i].nID, cases[i].text);
            saved = d.UpdateData(TRUE);
            focusId = ::GetDlgCtrlID(::GetFocus());
            d.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, dialog.RunModal()) << "case " << i;
        EXPECT_FALSE(saved) << "case " << i;
        EXPECT_EQ(cases[i].nID, focusId) << "case " << i;
        EXPECT_EQ(CString("频道一"), dialog.m_name) << "case " << i;
        EXPECT_EQ(12, dialog.m_count) << "case " << i;
        EXPECT_EQ(7u, dialog.m_size) << "case " << i;
        std::vector<ShownDialog> shown = watcher.Dialogs();
        ASSERT_EQ(1u, shown.size()) << "case " << i;
        EXPECT_EQ(cases[i].message, shown[0].text) << "case " << i;
    }
}

TEST_F(DataExchangeTest, OkKeepsTheDialogOpenWhileAValueIsRefused)
{
    DialogWatcher watcher;
    BOOL openAfterOk = FALSE;
    CDataDialog dialog(IDD_DDX, {
        [&](CScriptedDialog& d) {
            ::SetDlgItemTextA(d.m_hWnd, IDC_COUNT, "x");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                          (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
            openAfterOk = ::IsWindowVisible(d.m_hWnd);
        },
        [&](CScriptedDialog& d) {
            ::SetDlgItemTextA(d.m_hWnd, IDC_COUNT, "55");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                          (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
        },
    });
    EXPECT_EQ(IDOK, dialog.RunModal());
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(55, dialog.m_count);
}

} // namespace
