#include "CRecordStoragePage.h"

#include "TVSystem.h"
#include "resource.h"

namespace {

BOOL ContainsNoCase(const CStringArray& list, const CString& text)
{
    for (int i = 0; i < list.GetSize(); i++)
        if (list[i].CompareNoCase(text) == 0)
            return TRUE;
    return FALSE;
}

CString Format(const char* format, int value)
{
    CString text;
    text.Format(format, value);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CRecordStoragePage, CSetupPage)
    ON_CBN_SELCHANGE(IDC_DISK_CHOICE, OnDiskChange)
    ON_CBN_CLOSEUP(IDC_DISK_CHOICE, OnDiskCloseUp)
END_MESSAGE_MAP()

CRecordStoragePage::CRecordStoragePage(CWnd* pParent) : CSetupPage(IDD_STORAGE_PAGE, pParent)
{
}

// The radios' first buttons are the stop choices, stored as 1.
void CRecordStoragePage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DISK_VIEW, m_list);
    DDX_Control(pDX, IDC_DISK_CHOICE, m_disks);
    DDX_Text(pDX, IDC_RESERVED_SPACE, m_nReserve);
    DDX_Radio(pDX, IDC_NO_SPACE_STOP, m_nNoSpace);
    DDX_Text(pDX, IDC_MAX_LENGTH, m_nMaxLength);
    DDX_Radio(pDX, IDC_EXCESS_STOP, m_nExcess);
    DDX_Text(pDX, IDC_VIDEO_FOLDER, m_strFolder);
}

void CRecordStoragePage::LoadSettings()
{
    m_nMaxLength = theTVSystem.GetMaxLength();
    m_nReserve = (UINT)theTVSystem.GetReservedSpace();
    m_nNoSpace = theTVSystem.GetNoSpace() ? 0 : 1;
    m_nExcess = theTVSystem.GetExcessLength() ? 0 : 1;
    m_strFolder = theTVSystem.GetVideoFolder();
    m_validDisks.Copy(theTVSystem.GetValidDisks());
}

// The drive records are the disk watcher's own: each row reads its drive's space again, and the
// list itself is never listed afresh here, which would take the watched drive from under it.
BOOL CRecordStoragePage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();
    UpdateData(FALSE);

    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    const struct
    {
        UINT caption;
        int width;
    } columns[] = {{IDS_COLUMN_DISK, 70}, {IDS_COLUMN_FREE, 90}, {IDS_COLUMN_TOTAL, 90}, {IDS_COLUMN_FREE_PERCENT, 90}};
    for (int i = 0; i < 4; i++) {
        CString caption;
        caption.LoadString(columns[i].caption);
        m_list.InsertColumn(i, caption, LVCFMT_LEFT, columns[i].width);
    }

    CDiskManager& disks = theTVSystem.GetDiskList();
    const CString& current = theTVSystem.GetCurDisk();
    for (int i = 0; i < disks.GetCount(); i++) {
        CDiskInfo* disk = disks.GetDisk(i);
        int free = disk->Refresh();
        int row = m_list.InsertItem(i, disk->GetRoot());
        m_list.SetItemText(row, kFreeColumn, Format("%d M", free));
        m_list.SetItemText(row, kTotalColumn, Format("%d M", disk->GetTotalMB()));
        m_list.SetItemText(row, kPercentColumn, Format("%d %%", disk->GetFreePercent()));
        if (!current.IsEmpty() && disk->GetRoot().CompareNoCase(current) == 0)
            m_list.SendMessage(LVM_SETHOTITEM, row, 0);
        m_disks.AddString(disk->GetRoot());
    }
    for (int row = 0; row < m_disks.GetCount(); row++) {
        CString root;
        m_disks.GetLBText(row, root);
        if (ContainsNoCase(m_validDisks, root))
            m_disks.SetCheck(row, TRUE);
    }
    return TRUE;
}

void CRecordStoragePage::OnDiskChange()
{
    m_bDisksChanged = TRUE;
}

void CRecordStoragePage::OnDiskCloseUp()
{
    if (!m_bDisksChanged)
        return;
    m_validDisks.RemoveAll();
    for (int row = 0; row < m_disks.GetCount(); row++) {
        if (!m_disks.GetCheck(row))
            continue;
        CString root;
        m_disks.GetLBText(row, root);
        m_validDisks.Add(root);
    }
    m_bNoDiskChosen = m_validDisks.GetSize() == 0;
    if (m_bNoDiskChosen) {
        m_bDisksChanged = FALSE;
        CString text, caption;
        text.LoadString(IDS_NO_DISK_CHOSEN);
        caption.LoadString(IDS_PRODUCT);
        MessageBox(text, caption, MB_OK | MB_ICONINFORMATION);
    }
}

// A disk selection left empty stores neither the disks nor the reserve: the reserve is weighed
// against the drives it would apply to, and the user was told no drive was chosen.
BOOL CRecordStoragePage::SaveSettings()
{
    if (m_nMaxLength != theTVSystem.GetMaxLength())
        theTVSystem.SetMaxLength(m_nMaxLength);
    theTVSystem.SetNoSpace(m_nNoSpace == 0);
    theTVSystem.SetExcessLength(m_nExcess == 0);
    if (m_strFolder.CompareNoCase(theTVSystem.GetVideoFolder()) != 0)
        theTVSystem.SetVideoFolder(m_strFolder);

    if (m_bNoDiskChosen)
        return TRUE;
    if ((int)m_nReserve != theTVSystem.GetReservedSpace() && m_nReserve >= kMinReserve && m_nReserve <= kMaxReserve)
        theTVSystem.SetReservedSpace((int)m_nReserve);
    if (m_bDisksChanged)
        theTVSystem.SetValidDisk(m_validDisks);
    return TRUE;
}
