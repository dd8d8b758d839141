#include "CChannelPage.h"

#include <stdlib.h>

#include "CControlPanelDlg.h"
#include "TVSystem.h"
#include "resource.h"

CChannelPage* CChannelPage::s_pOpenPage = NULL;

namespace {

const UINT kScanLockedControls[] = {IDC_INPUT_CABLE, IDC_INPUT_ANTENNA, IDC_INPUT_FULL_RANGE,
                                    IDC_RENAME, IDC_SET_FAVORITE, IDC_DELETE_CHANNEL,
                                    IDC_SET_FREQUENCY, IDC_MOVE_UP, IDC_MOVE_DOWN,
                                    IDC_RESTORE_CHANNELS, IDC_FINE_TUNE};

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CChannelPage, CSetupPage)
    ON_BN_CLICKED(IDC_RENAME, OnRename)
    ON_BN_CLICKED(IDC_SET_FAVORITE, OnFavorite)
    ON_COMMAND(ID_FAVORITE_ADD, OnFavorite)
    ON_COMMAND(ID_FAVORITE_REMOVE, OnFavorite)
    ON_BN_CLICKED(IDC_DELETE_CHANNEL, OnDeleteChannel)
    ON_COMMAND(ID_DELETE_CHANNEL, OnDeleteChannel)
    ON_BN_CLICKED(ID_ADD_CHANNEL, OnAddChannel)
    ON_BN_CLICKED(IDC_MOVE_UP, OnMoveUp)
    ON_BN_CLICKED(IDC_MOVE_DOWN, OnMoveDown)
    ON_BN_CLICKED(IDC_RESTORE_CHANNELS, OnRestore)
    ON_BN_CLICKED(IDC_SET_FREQUENCY, OnSetFrequency)
    ON_BN_CLICKED(IDC_USE_FAVORITES, OnUseFavorites)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_INPUT_CABLE, IDC_INPUT_FULL_RANGE, OnTVInput)
    ON_BN_CLICKED(IDC_SEARCH, OnScan)
    ON_WM_HSCROLL()
    ON_WM_SHOWWINDOW()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_CHANNEL_VIEW, OnItemChanged)
    ON_NOTIFY(NM_CLICK, IDC_CHANNEL_VIEW, OnClick)
    ON_NOTIFY(NM_DBLCLK, IDC_CHANNEL_VIEW, OnDoubleClick)
    ON_NOTIFY(NM_RCLICK, IDC_CHANNEL_VIEW, OnRightClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_CHANNEL_VIEW, OnListKeyDown)
END_MESSAGE_MAP()

CChannelPage::CChannelPage(CWnd* pParent) : CSetupPage(IDD_CHANNEL_PAGE, pParent)
{
    // The members follow the controls only on the page's own commands: a name too long for
    // the list is refused there, not again as the dialog closes.
    m_bExchangeOnDestroy = FALSE;
}

CChannelPage::~CChannelPage()
{
    if (s_pOpenPage == this)
        s_pOpenPage = NULL;
}

void CChannelPage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FINE_TUNE, m_slider);
    DDX_Control(pDX, IDC_CHANNEL_VIEW, m_list);
    DDX_Text(pDX, IDC_CHANNEL_NAME, m_name);
    DDV_MaxChars(pDX, m_name, kNameLength);
    DDX_Text(pDX, IDC_FREQUENCY, m_nFrequency);
    DDX_Check(pDX, IDC_USE_FAVORITES, m_bUseFavor);
    DDX_Radio(pDX, IDC_INPUT_CABLE, m_nTVInput);
}

CChannelList& CChannelPage::GetList()
{
    return m_bFM ? theTVSystem.GetFMChannels() : theTVSystem.GetTVChannels();
}

BOOL CChannelPage::BandIsSource() const
{
    return theTVSystem.GetVideoSource() == (m_bFM ? CTVSystem::kSourceFm : CTVSystem::kSourceTuner);
}

void CChannelPage::LoadSettings()
{
    m_bUseFavor = m_bFM ? theTVSystem.GetFMUseFavor() : theTVSystem.GetTVUseFavor();
    int input = theTVSystem.GetSearchMode();
    m_nTVInput = input < 0 ? 0 : input > 2 ? 2 : input;
}

BOOL CChannelPage::SaveSettings()
{
    // The current channel's place in the group shown, so that stepping goes on from it.
    if (m_bFM || theTVSystem.GetVideoSource() != CTVSystem::kSourceTuner)
        return TRUE;
    CChannelEntry* current = theTVSystem.GetCurrentChannel();
    CChannelGroup* group = theTVSystem.GetTVGroup();
    if (current == NULL || group == NULL)
        return TRUE;
    int index = theTVSystem.GetTVChannels().IndexOf(current);
    for (int i = 0; i < group->GetCount(); i++) {
        if (group->GetAt(i) == index) {
            theTVSystem.SetChannelIndex(i);
            break;
        }
    }
    return TRUE;
}

BOOL CChannelPage::OnInitDialog()
{
    m_bFirstSelection = TRUE;
    CDialog::OnInitDialog();
    LoadSettings();
    if (m_bFM) {
        for (UINT id : {IDC_RESTORE_CHANNELS, IDC_MOVE_UP, IDC_MOVE_DOWN})
            GetDlgItem(id)->ShowWindow(SW_HIDE);
    }

    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT |
                            LVS_EX_FLATSB);
    m_images.Create(IDB_FAVORITE_STATES, 36, 0, RGB(255, 255, 255));
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_menu.LoadMenu(IDR_CHANNEL_MENU);
    const struct { UINT text; int width; } columns[] = {
        {IDS_COLUMN_STATE, 50}, {IDS_COLUMN_NUMBER, 60}, {IDS_COLUMN_NAME, 120},
        {IDS_COLUMN_FREQUENCY, 80}, {IDS_COLUMN_ORDER, 60}};
    for (int i = 0; i < (int)(sizeof(columns) / sizeof(columns[0])); i++) {
        CString text;
        text.LoadString(columns[i].text);
        m_list.InsertColumn(i, text, LVCFMT_LEFT, columns[i].width);
    }
    FillList();

    m_slider.SetRange(0, 2 * kSliderCentre);
    m_slider.SetPos(kSliderCentre);
    m_slider.SetTicFreq(40);
    m_slider.SetLineSize(40);
    m_slider.SetPageSize(160);

    if (CChannelEntry* current = theTVSystem.GetCurrentChannel()) {
        CString frequency = Number(current->GetFrequency());
        for (int row = 0; row < m_list.GetItemCount(); row++) {
            if (m_list.GetItemText(row, kFrequencyColumn) == frequency) {
                SelectRow(row);
                break;
            }
        }
    }
    UpdateData(FALSE);
    UpdateScanControls();
    s_pOpenPage = this;
    return TRUE;
}

void CChannelPage::ShowRow(int row, CChannelEntry* entry, int position)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = entry->HasFlag(CChannelEntry::kFavorites) ? 1 : 0;
    m_list.SetItem(&item);
    m_list.SetItemText(row, kNumberColumn, Number(row));
    m_list.SetItemText(row, kNameColumn, entry->GetName());
    m_list.SetItemText(row, kFrequencyColumn, Number(entry->GetFrequency()));
    m_list.SetItemText(row, kOrderColumn, Number(position));
}

void CChannelPage::FillList()
{
    m_bFilling = TRUE;
    m_list.DeleteAllItems();
    m_pSelected = NULL;
    CChannelList& list = GetList();
    int row = 0;
    for (int i = 0; i < list.GetCount(); i++) {
        CChannelEntry* entry = list.GetAt(i);
        if (entry->IsUngrouped())
            continue;
        m_list.InsertItem(row, "", 0);
        ShowRow(row, entry, i);
        row++;
    }
    m_bFilling = FALSE;
}

CChannelEntry* CChannelPage::GetRowEntry(int row)
{
    if (row < 0 || row >= m_list.GetItemCount())
        return NULL;
    int position = atoi(m_list.GetItemText(row, kOrderColumn));
    CChannelList& list = GetList();
    return position >= 0 && position < list.GetCount() ? list.GetAt(position) : NULL;
}

int CChannelPage::GetSelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CChannelPage::SelectRow(int row)
{
    if (row < 0 || row >= m_list.GetItemCount())
        return;
    m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(row, FALSE);
}

void CChannelPage::RedrawSelectedRow()
{
    int row = GetSelectedRow();
    if (row >= 0 && m_pSelected != NULL) {
        ShowRow(row, m_pSelected, GetList().IndexOf(m_pSelected));
        m_list.RedrawItems(row, row);
    }
}

void CChannelPage::ShowSelectedInfo()
{
    if (theControlPanel.GetSafeHwnd() != NULL)
        theControlPanel.ShowChannelInfo(m_pSelected);
}

void CChannelPage::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMLISTVIEW* change = (NMLISTVIEW*)pNMHDR;
    if (m_bFilling || !(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED) ||
        (change->uOldState & LVIS_SELECTED))
        return;
    int source = theTVSystem.GetVideoSource();
    if (source != CTVSystem::kSourceTuner && source != CTVSystem::kSourceFm)
        return;
    CChannelEntry* entry = GetRowEntry(change->iItem);
    if (entry == NULL)
        return;
    m_pSelected = entry;
    m_nFrequency = entry->GetFrequency();
    m_name = entry->GetName();
    ::SetDlgItemInt(m_hWnd, IDC_FREQUENCY, m_nFrequency, TRUE);
    SetDlgItemText(IDC_CHANNEL_NAME, m_name);
    m_slider.SetPos(kSliderCentre);
    if (m_bFirstSelection) {
        m_bFirstSelection = FALSE;
        return;
    }
    if (!BandIsSource())
        return;
    if (theControlPanel.GetSafeHwnd() != NULL)
        theControlPanel.MuteBriefly();
    theTVSystem.SelectChannel(entry);
    ShowSelectedInfo();
}

void CChannelPage::OnClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_pSelected == NULL)
        return;
    if (theControlPanel.GetSafeHwnd() != NULL)
        theControlPanel.MuteBriefly();
    ShowSelectedInfo();
}

void CChannelPage::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    ToggleFavorite();
}

void CChannelPage::OnRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CMenu* popup = m_menu.GetSubMenu(0);
    if (popup == NULL)
        return;
    CPoint point;
    ::GetCursorPos(&point);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CChannelPage::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    WORD key = ((NMLVKEYDOWN*)pNMHDR)->wVKey;
    if (key == VK_SPACE)
        ToggleFavorite();
    else if (key == VK_DELETE)
        DeleteSelected();
}

void CChannelPage::OnRename()
{
    if (m_pSelected == NULL || !UpdateData(TRUE))
        return;
    m_pSelected->SetName(m_name);
    RedrawSelectedRow();
}

void CChannelPage::OnFavorite()
{
    ToggleFavorite();
}

void CChannelPage::ToggleFavorite()
{
    if (m_pSelected == NULL)
        return;
    CChannelList& list = GetList();
    if (m_pSelected->HasFlag(CChannelEntry::kFavorites))
        list.RemoveFromGroup(m_pSelected, CChannelEntry::kFavorites);
    else
        list.AddToGroup(m_pSelected, CChannelEntry::kFavorites);
    RedrawSelectedRow();
}

void CChannelPage::OnDeleteChannel()
{
    DeleteSelected();
}

void CChannelPage::DeleteSelected()
{
    int row = GetSelectedRow();
    if (m_pSelected == NULL || row < 0)
        return;
    GetList().RemoveFromAllGroups(m_pSelected);
    if (!m_bFM)
        theTVSystem.ClearChannelLists();
    FillList();
    int count = m_list.GetItemCount();
    // The row now at the same place, or the last; with no rows left nothing is selected.
    SelectRow(row < count ? row : count - 1);
}

void CChannelPage::OnAddChannel()
{
    std::vector<CChannelEntry> added(1, CChannelEntry(0, "New Channel", CChannelEntry::kAllChannels));
    GetList().MergeChannels(added, TRUE);
    if (!m_bFM)
        theTVSystem.ClearChannelLists();
    FillList();
    SelectRow(0);
}

void CChannelPage::OnMoveUp()
{
    MoveSelected(-1);
}

void CChannelPage::OnMoveDown()
{
    MoveSelected(1);
}

void CChannelPage::MoveSelected(int step)
{
    if (m_pSelected == NULL)
        return;
    CChannelList& list = GetList();
    int from = list.IndexOf(m_pSelected);
    if (from < 0)
        return;
    // The neighbour shown in the list: a swap with a deleted channel would move nothing the
    // user sees.
    int to = from + step;
    while (to >= 0 && to < list.GetCount() && list.GetAt(to)->IsUngrouped())
        to += step;
    if (to < 0 || to >= list.GetCount() || !list.Swap(from, to))
        return;
    CChannelEntry* moved = m_pSelected;
    if (!m_bFM)
        theTVSystem.ClearChannelLists();
    FillList();
    // The moved channel keeps the selection without being tuned again: it is the one shown.
    for (int row = 0; row < m_list.GetItemCount(); row++) {
        if (GetRowEntry(row) == moved) {
            m_bFilling = TRUE;
            SelectRow(row);
            m_bFilling = FALSE;
            m_pSelected = moved;
            break;
        }
    }
}

void CChannelPage::OnRestore()
{
    RestoreChannels();
}

void CChannelPage::RestoreChannels()
{
    if (m_bFM) {
        CChannelList& list = GetList();
        for (int i = 0; i < list.GetCount(); i++)
            list.AddToGroup(i, CChannelEntry::kAllChannels);
    } else {
        theTVSystem.ResetChannelLists();
    }
    FillList();
}

void CChannelPage::OnSetFrequency()
{
    if (m_pSelected == NULL || !UpdateData(TRUE))
        return;
    if (theControlPanel.GetSafeHwnd() != NULL)
        theControlPanel.MuteBriefly();
    m_pSelected->SetFrequency(m_nFrequency);
    RedrawSelectedRow();
}

void CChannelPage::OnUseFavorites()
{
    m_bUseFavor = ::IsDlgButtonChecked(m_hWnd, IDC_USE_FAVORITES) == BST_CHECKED;
    if (BandIsSource() && theControlPanel.GetSafeHwnd() != NULL) {
        theControlPanel.SetFavoriteView(m_bUseFavor);
    } else if (m_bFM) {
        theTVSystem.GetSettings().fmUseFavor = m_bUseFavor;
    } else {
        theTVSystem.GetSettings().useFavor = m_bUseFavor;
    }
}

void CChannelPage::OnTVInput(UINT id)
{
    m_nTVInput = (int)(id - IDC_INPUT_CABLE);
    theTVSystem.SetSearchMode(m_nTVInput);
}

void CChannelPage::OnScan()
{
    if (!BandIsSource() || theControlPanel.GetSafeHwnd() == NULL)
        return;
    theControlPanel.SendMessage(WM_COMMAND, IDC_SEARCH, 0);
    if (theTVSystem.IsScanning()) {
        m_list.DeleteAllItems();
        m_pSelected = NULL;
    } else {
        RestoreChannels();
    }
    UpdateScanControls();
}

void CChannelPage::OnScanFinished()
{
    if (GetSafeHwnd() == NULL)
        return;
    UpdateScanControls();
    RestoreChannels();
}

void CChannelPage::UpdateScanControls()
{
    BOOL scanning = theTVSystem.IsScanning();
    if (BandIsSource()) {
        CString text;
        text.LoadString(scanning ? IDS_STOP_SCAN : IDS_START_SCAN);
        SetDlgItemText(IDC_SEARCH, text);
    }
    for (UINT id : kScanLockedControls) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(!scanning);
    }
}

void CChannelPage::EnableControls(BOOL enable)
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
        ::EnableWindow(child, enable);
}

void CChannelPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CSetupPage::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    // The page shown is the one a scan started from; its end refreshes this one.
    s_pOpenPage = this;
    int source = theTVSystem.GetVideoSource();
    EnableControls(source == CTVSystem::kSourceTuner || (m_bFM && source == CTVSystem::kSourceFm));
    UpdateScanControls();
}

void CChannelPage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CSetupPage::OnHScroll(nSBCode, nPos, pScrollBar);
    if (pScrollBar == NULL || pScrollBar->GetDlgCtrlID() != IDC_FINE_TUNE ||
        (nSBCode != TB_THUMBTRACK && nSBCode != TB_ENDTRACK) || m_pSelected == NULL)
        return;
    int frequency = m_pSelected->GetFrequency() + (m_slider.GetPos() - kSliderCentre);
    m_nFrequency = frequency;
    ::SetDlgItemInt(m_hWnd, IDC_FREQUENCY, frequency, TRUE);
    if (!BandIsSource())
        return;
    theTVSystem.SetFrequency(m_bFM, (DWORD)frequency);
    ShowSelectedInfo();
}
