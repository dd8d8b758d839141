// The panel's keys, shortcut table, tooltips, format menus and skin walking.
#include "CControlPanelDlg.h"

#include <commctrl.h>

#include "CColorAdjustDlg.h"
#include "CTVVideoWnd.h"
#include "PathUtil.h"
#include "TVSystem.h"
#include "resource.h"

extern CColorAdjustDlg theColorAdjustDlg;

namespace {

const char kAccelFile[] = "Accel.txt";
const BYTE kCtrlAlt = FCONTROL | FALT;

enum { kPanelGroup = 0, kMenuGroup = 1 };

struct DefaultCommand
{
    DWORD group;
    WORD id;
    UINT name;
    UINT comment;
};

const DefaultCommand kDefaultCommands[] = {
    {kPanelGroup, IDC_CHANNEL_UP, 33902, 33935},
    {kPanelGroup, IDC_CHANNEL_DOWN, 33903, 33936},
    {kPanelGroup, IDC_LAST_CHANNEL, 33904, 33937},
    {kPanelGroup, IDC_SNAPSHOT, 33905, 33938},
    {kPanelGroup, IDC_RECORD, 33906, 33939},
    {kPanelGroup, IDC_PAUSE, 33918, 33951},
    {kPanelGroup, IDC_SWITCH_SOURCE, 33910, 33943},
    {kPanelGroup, IDC_TV_WALL, 33907, 33940},
    {kPanelGroup, IDC_PLAYBACK, 33916, 33949},
    {kPanelGroup, IDC_BROWSE, 33917, 33950},
    {kMenuGroup, ID_TOPMOST, 33919, 33952},
    {kMenuGroup, ID_FULL_SCREEN, 33920, 33953},
    {kMenuGroup, ID_SIZE_HALF, 33921, 33954},
    {kMenuGroup, ID_SIZE_NORMAL, 33922, 33955},
    {kPanelGroup, IDC_MINIMIZE, 33913, 33946},
    {kPanelGroup, IDC_MUTE, 33912, 33945},
    {kMenuGroup, ID_VOLUME_UP, 33923, 33956},
    {kMenuGroup, ID_VOLUME_DOWN, 33924, 33957},
    {kMenuGroup, IDC_CHANNEL_LIST, 33925, 33958},
    {kPanelGroup, IDC_ABOUT, 33914, 33947},
    {kPanelGroup, IDC_POWER, 33911, 33944},
    {kPanelGroup, IDC_SEARCH, 35250, 35251},
    {kPanelGroup, IDC_FAVORITE, 33909, 33942},
    {kPanelGroup, IDC_OSD_MENU, 35252, 35253},
    {kPanelGroup, IDC_CHANGE_SKIN, 35254, 35255},
    {kPanelGroup, IDC_HELP_BUTTON, 35256, 35257},
    {kPanelGroup, ID_DIGIT_MODE, 45271, 45271},
};

struct DefaultKey
{
    WORD id;
    WORD key;
    BYTE modifiers;
};

const DefaultKey kDefaultKeys[] = {
    {ID_DIGIT_MODE, 'N', kCtrlAlt}, {ID_DIGIT_MODE, 0xBD, 0}, {ID_DIGIT_MODE, 0xBF, 0},
    {ID_DIGIT_MODE, 0xDC, 0},
    {IDC_CHANNEL_DOWN, VK_DOWN, 0},
    {IDC_CHANNEL_UP, VK_UP, 0},
    {IDC_LAST_CHANNEL, VK_BACK, 0}, {IDC_LAST_CHANNEL, 'B', FCONTROL}, {IDC_LAST_CHANNEL, 'B', kCtrlAlt},
    {IDC_SNAPSHOT, 'T', FCONTROL},
    {IDC_RECORD, 'R', kCtrlAlt},
    {IDC_PAUSE, 'C', FCONTROL},
    {IDC_TV_WALL, 'W', kCtrlAlt},
    {IDC_SWITCH_SOURCE, 'J', kCtrlAlt},
    {IDC_POWER, 'X', 0},
    {IDC_MUTE, VK_F8, 0},
    {IDC_MINIMIZE, 'H', kCtrlAlt},
    {IDC_ABOUT, 'A', 0},
    {IDC_PLAYBACK, 'P', FCONTROL},
    {IDC_BROWSE, 'I', kCtrlAlt},
    {ID_TOPMOST, 'T', 0},
    {ID_FULL_SCREEN, 'F', FCONTROL}, {ID_FULL_SCREEN, 'Z', kCtrlAlt},
    {ID_VOLUME_UP, VK_RIGHT, 0},
    {ID_VOLUME_DOWN, VK_LEFT, 0},
    {IDC_SEARCH, 'S', kCtrlAlt},
    {IDC_FAVORITE, 'F', kCtrlAlt},
    {IDC_OSD_MENU, 'M', kCtrlAlt},
    {IDC_CHANGE_SKIN, 'S', 0},
    {IDC_HELP_BUTTON, VK_F1, 0},
};

struct ToolText
{
    UINT control;
    UINT text;
};

const ToolText kToolTexts[] = {
    {IDC_CHANNEL_LABEL, 33803}, {IDC_TIMESHIFT_SLIDER, 45270}, {IDC_CLOCK_LABEL, 33813},
    {IDC_MUTE, 33816}, {IDC_VOLUME, 33971}, {IDC_MINIMIZE, 33805}, {IDC_HELP_BUTTON, 33801},
    {IDC_ABOUT, 33800}, {IDC_FORMAT, 33809}, {IDC_COLOR, 33827}, {IDC_TV_DESKTOP, 33806},
    {IDC_PLAYBACK, 33814}, {IDC_BROWSE, 33807}, {IDC_PAUSE, IDS_PAUSE_TIP}, {IDC_SETUP, 33819},
    {IDC_SWITCH_SOURCE, 33818}, {IDC_FAVORITE, 33802}, {IDC_SEARCH, 33823}, {IDC_SNAPSHOT, 33810},
    {IDC_RECORD, IDS_RECORD_TIP}, {IDC_CHANNEL_UP, 33811}, {IDC_CHANNEL_DOWN, 33812},
    {IDC_LAST_CHANNEL, 33825}, {IDC_TV_WALL, 33808}, {IDC_POWER, 33804}, {IDC_CHANNEL_LIST, 33826},
};

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

// ---- Keys ----

BOOL CControlPanelDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN)
        return CDialog::PreTranslateMessage(pMsg);
    UINT key = (UINT)pMsg->wParam;
    // The arrows steer the time-shift sound alone: the table's own arrows would change channel.
    if (theTVSystem.IsTimeShiftOn() && (key == VK_RIGHT || key == VK_LEFT)) {
        SendMessage(WM_COMMAND, key == VK_RIGHT ? ID_VOLUME_UP : ID_VOLUME_DOWN);
        return TRUE;
    }
    BOOL tuner = theTVSystem.GetVideoSource() == CTVSystem::kSourceTuner;
    if (m_bDigitEnabled && tuner) {
        if (key >= '0' && key <= '9') {
            OnDigit((int)(key - '0'));
            return TRUE;
        }
        if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
            OnDigit((int)(key - VK_NUMPAD0));
            return TRUE;
        }
    }
    // The menu key opens the settings and still reaches the table below.
    if (tuner && key == VK_APPS)
        OnSetup();
    if (m_bAccelEnabled && m_hAccel != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

// ---- The shortcut table ----

void CControlPanelDlg::LoadAccelerators()
{
    CString path = theTVSystem.GetAppDir() + "\\" + kAccelFile;
    // A file that does not load gives the defaults but stays as it is until the user saves
    // the keys: only a missing one is written at once.
    BOOL exists = CPathUtil::FileExists(path);
    if (!exists || !m_accel.Load(path)) {
        SetDefaultAccelerators();
        if (!exists)
            SaveAccelerators();
    }
    m_accel.SetOwner(m_hWnd);
    m_bAccelEnabled = RebuildAccelerators();
}

BOOL CControlPanelDlg::RebuildAccelerators()
{
    BOOL built = m_accel.Build();
    // A failed build may have kept the old table, or left none.
    m_hAccel = m_accel.GetAccelTable();
    return built;
}

BOOL CControlPanelDlg::SaveAccelerators()
{
    return m_accel.Save(theTVSystem.GetAppDir() + "\\" + kAccelFile);
}

void CControlPanelDlg::SetDefaultAccelerators()
{
    m_accel.Clear();
    m_accel.AddGroup(LoadText(33900));
    m_accel.AddGroup(LoadText(33901));
    for (const DefaultCommand& command : kDefaultCommands)
        AddDefaultCommand(command.group, command.id, command.name, command.comment);
    for (const DefaultKey& key : kDefaultKeys)
        AddDefaultKey(key.id, key.key, key.modifiers);
    AddDefaultCommand(kMenuGroup, ID_TIMESHIFT, IDS_TIMESHIFT, IDS_TIMESHIFT);
    AddDefaultKey(ID_TIMESHIFT, 'G', kCtrlAlt);
}

int CControlPanelDlg::AddDefaultCommand(DWORD group, WORD id, UINT nameId, UINT commentId)
{
    return m_accel.AddCommand(group, id, LoadText(nameId), LoadText(commentId));
}

BOOL CControlPanelDlg::AddDefaultKey(WORD id, WORD key, BYTE modifiers)
{
    return m_accel.AddKey((BYTE)(modifiers | FVIRTKEY), key, id);
}

BOOL CControlPanelDlg::AddKeyByName(LPCTSTR name, BYTE fVirt, WORD key)
{
    int id = m_accel.FindCommandByName(name);
    return id >= 0 && m_accel.AddKey(fVirt, key, (WORD)id);
}

BOOL CControlPanelDlg::RemoveKeyByName(LPCTSTR name, LPCTSTR keyText)
{
    return m_accel.RemoveKey(name, keyText);
}

// ---- Tooltips ----

void CControlPanelDlg::CreateToolTips()
{
    if (m_toolTip.GetSafeHwnd() == NULL && !m_toolTip.Create(this))
        return;
    for (const ToolText& tool : kToolTexts)
        m_toolTip.AddTool(tool.control, tool.text);
    m_toolTip.Activate(TRUE);
}

void CControlPanelDlg::SetToolText(UINT control, UINT textId)
{
    CWnd* item = m_toolTip.GetSafeHwnd() != NULL ? GetDlgItem(control) : NULL;
    if (item != NULL)
        m_toolTip.UpdateTipText(LoadText(textId), item);
}

// ---- Format menus ----

void CControlPanelDlg::SyncFormatMenus()
{
    UINT item = ID_FORMAT_AVI + theTVSystem.GetRecordFormat();
    m_formatMenu.CheckMenuRadioItem(ID_FORMAT_AVI, ID_FORMAT_HIDVD, item, MF_BYCOMMAND);
    CString name;
    if (m_formatMenu.GetMenuText(item, name))
        ShowRecordFormatName(name);
    m_fmFormatMenu.CheckMenuRadioItem(ID_FM_FORMAT_PCM, ID_FM_FORMAT_CUSTOM,
                                      ID_FM_FORMAT_PCM + theTVSystem.GetFMRecordFormat(), MF_BYCOMMAND);
}

// ---- Skins ----

void CControlPanelDlg::OnNextSkin()
{
    NextSkin();
}

void CControlPanelDlg::NextSkin()
{
    const CStringList& names = theTVSystem.GetSkinNames();
    if (names.IsEmpty())
        return;
    CString current = theTVSystem.GetSkinName();
    POSITION pos = names.GetHeadPosition();
    while (pos != NULL && names.GetAt(pos).CompareNoCase(current) != 0)
        names.GetNext(pos);
    // An unknown current name starts the walk again at the first.
    if (pos != NULL)
        names.GetNext(pos);
    CString next = pos != NULL ? names.GetAt(pos) : names.GetHead();
    if (next.CompareNoCase(current) == 0)
        return;
    if (theColorAdjustDlg.GetSafeHwnd() != NULL)
        theColorAdjustDlg.ShowWindow(SW_HIDE);
    if (ChangeSkin(next))
        theTVSystem.SetSkinName(next);
    ShowPanel(TRUE);
}

void CControlPanelDlg::ShowColorDialog(BOOL show)
{
    if (theColorAdjustDlg.GetSafeHwnd() == NULL)
        return;
    if (show)
        PlaceColorDialog();
    theColorAdjustDlg.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CControlPanelDlg::PlaceColorDialog()
{
    if (theColorAdjustDlg.GetSafeHwnd() == NULL || GetSafeHwnd() == NULL)
        return;
    CRect panel;
    GetWindowRect(&panel);
    CString skin = theTVSystem.GetSkinName();
    CPoint corner;
    if (skin.CompareNoCase("BaseSkin") == 0 || skin.CompareNoCase("One") == 0)
        corner = CPoint(panel.right, panel.top);
    else if (skin.CompareNoCase("Two") == 0)
        corner = CPoint(panel.left + 7, panel.top + 13);
    else if (skin.CompareNoCase("Three") == 0)
        corner = CPoint(panel.right - 75, panel.top);
    else
        return;
    theColorAdjustDlg.SetWindowPos(NULL, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CControlPanelDlg::OnMove(int x, int y)
{
    CDialog::OnMove(x, y);
    if (theColorAdjustDlg.GetSafeHwnd() != NULL && theColorAdjustDlg.IsWindowVisible())
        PlaceColorDialog();
}
