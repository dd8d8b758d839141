#include "CHotKeyPage.h"

#include "CColorAdjustDlg.h"
#include "CControlPanelDlg.h"
#include "TVSystem.h"
#include "resource.h"

extern CColorAdjustDlg theColorAdjustDlg;

namespace {

const char kSection[] = "Settings";
const char kRunTray[] = "RunTrayWhenExit";

} // namespace

BEGIN_MESSAGE_MAP(CHotKeyPage, CSetupPage)
    ON_LBN_SELCHANGE(IDC_HK_COMMANDS, OnCommandChange)
    ON_BN_CLICKED(IDC_HK_ADD, OnAdd)
    ON_BN_CLICKED(IDC_HK_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_HK_DEFAULT, OnDefault)
    ON_LBN_SELCHANGE(IDC_HK_SKINS, OnSkinList)
    ON_CBN_SELCHANGE(IDC_HK_SKIN_COMBO, OnSkinCombo)
    ON_BN_CLICKED(IDC_HK_AUTORUN, OnAutoRun)
    ON_BN_CLICKED(IDC_HK_RUN_TRAY, OnRunTray)
END_MESSAGE_MAP()

CHotKeyPage::CHotKeyPage(CWnd* pParent) : CSetupPage(IDD_HOTKEY_PAGE, pParent)
{
}

void CHotKeyPage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HK_COMMANDS, m_commands);
    DDX_Control(pDX, IDC_HK_KEYS, m_keys);
    DDX_Control(pDX, IDC_HK_HOTKEY, m_hotKey);
    DDX_Control(pDX, IDC_HK_SKINS, m_skins);
    DDX_Control(pDX, IDC_HK_SKIN_COMBO, m_skinCombo);
    DDX_Text(pDX, IDC_HK_COMMENT, m_comment);
    DDX_Check(pDX, IDC_HK_AUTORUN, m_bAutoRun);
    DDX_Check(pDX, IDC_HK_RUN_TRAY, m_bRunTray);
}

BYTE CHotKeyPage::VirtFromHotKeyFlags(WORD flags)
{
    BYTE fVirt = FVIRTKEY;
    if (flags & HOTKEYF_SHIFT)
        fVirt |= FSHIFT;
    if (flags & HOTKEYF_CONTROL)
        fVirt |= FCONTROL;
    if (flags & HOTKEYF_ALT)
        fVirt |= FALT;
    return fVirt;
}

void CHotKeyPage::LoadSettings()
{
    m_skinName = theTVSystem.GetSkinName();
    m_bAutoRun = theTVSystem.GetAutoRunFlag();
}

BOOL CHotKeyPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();
    FillCommands();
    const CStringList& skins = theTVSystem.GetSkinNames();
    for (POSITION pos = skins.GetHeadPosition(); pos != NULL;) {
        const CString& name = skins.GetNext(pos);
        m_skins.AddString(name);
        m_skinCombo.AddString(name);
    }
    m_skins.SelectString(-1, m_skinName);
    m_skinCombo.SelectString(-1, m_skinName);
    if (CWinApp* app = AfxGetApp())
        m_bRunTray = app->GetProfileInt(kSection, kRunTray, 1);
    UpdateData(FALSE);
    return TRUE;
}

void CHotKeyPage::FillCommands()
{
    m_commands.ResetContent();
    for (const CAccelManager::Command& command : theControlPanel.GetAccelManager().GetCommands())
        m_commands.AddString(command.name);
}

void CHotKeyPage::ShowKeys()
{
    m_keys.ResetContent();
    int row = m_commands.GetCurSel();
    if (row < 0)
        return;
    CAccelManager& accel = theControlPanel.GetAccelManager();
    const CAccelManager::Command& command = accel.GetCommands()[row];
    m_comment = command.comment;
    for (const CAccelManager::Binding& binding : accel.GetBindings()) {
        if (binding.command == command.id)
            m_keys.AddString(CAccelManager::KeyText(binding));
    }
    UpdateData(FALSE);
}

void CHotKeyPage::OnCommandChange()
{
    ShowKeys();
}

void CHotKeyPage::Say(UINT text)
{
    CString message, caption;
    message.LoadString(text);
    caption.LoadString(IDS_PRODUCT);
    MessageBox(message, caption, MB_ICONINFORMATION);
}

void CHotKeyPage::OnAdd()
{
    WORD key = 0, flags = 0;
    m_hotKey.GetHotKey(key, flags);
    CAccelManager::Binding binding = {VirtFromHotKeyFlags(flags), key, 0, 0};
    int row = m_commands.GetCurSel();
    if (key == 0 || CAccelManager::KeyText(binding).IsEmpty()) {
        Say(IDS_KEY_UNUSABLE);
    } else if (row >= 0) {
        CString name;
        m_commands.GetText(row, name);
        if (theControlPanel.AddKeyByName(name, binding.fVirt, key))
            ShowKeys();
        else
            Say(IDS_KEY_TAKEN);
    }
    m_hotKey.SetFocus();
}

void CHotKeyPage::OnRemove()
{
    int row = m_commands.GetCurSel();
    if (row < 0)
        return;
    int keyRow = m_keys.GetCurSel();
    if (keyRow < 0) {
        Say(IDS_CHOOSE_KEY_FIRST);
        return;
    }
    CString name, keyText;
    m_commands.GetText(row, name);
    m_keys.GetText(keyRow, keyText);
    theControlPanel.RemoveKeyByName(name, keyText);
    m_keys.DeleteString(keyRow);
}

void CHotKeyPage::OnDefault()
{
    m_commands.ResetContent();
    m_keys.ResetContent();
    theControlPanel.SetDefaultAccelerators();
    FillCommands();
}

void CHotKeyPage::ChooseSkin(const CString& name)
{
    m_skinName = name;
    CWaitCursor wait;
    if (name.CompareNoCase(theTVSystem.GetSkinName()) == 0)
        return;
    if (theColorAdjustDlg.GetSafeHwnd() != NULL)
        theColorAdjustDlg.ShowWindow(SW_HIDE);
    if (theControlPanel.ChangeSkin(name))
        theTVSystem.SetSkinName(name);
    theControlPanel.ShowPanel(TRUE);
}

void CHotKeyPage::OnSkinList()
{
    int row = m_skins.GetCurSel();
    if (row < 0)
        return;
    CString name;
    m_skins.GetText(row, name);
    ChooseSkin(name);
}

void CHotKeyPage::OnSkinCombo()
{
    int row = m_skinCombo.GetCurSel();
    if (row < 0)
        return;
    CString name;
    m_skinCombo.GetLBText(row, name);
    ChooseSkin(name);
}

void CHotKeyPage::OnAutoRun()
{
    UpdateData(TRUE);
    theTVSystem.SetAutoRunFlag(m_bAutoRun);
}

void CHotKeyPage::OnRunTray()
{
    UpdateData(TRUE);
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(kSection, kRunTray, m_bRunTray);
    if (!m_bRunTray)
        AfxMessageBox(IDS_TRAY_OFF_WARNING, MB_OK);
}

void CHotKeyPage::PostNcDestroy()
{
    if (theControlPanel.GetSafeHwnd() != NULL) {
        theControlPanel.SaveAccelerators();
        theControlPanel.RebuildAccelerators();
    }
    CSetupPage::PostNcDestroy();
}
