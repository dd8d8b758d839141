// The storage page over the two scratch drives (the program runs through ScratchDrives.sh):
// the drives' figures, the chosen drives, and which values the page stores as it goes.
#include <gtest/gtest.h>

#include <memory>

#include "CSettingsSheetDlg.h"
#include "DialogWatcher.h"
#include "KavexWindowsFixture.h"
#include "ScratchDrive.h"
#include "SettingsPageHelpers.h"

namespace {

class StoragePageTest : public KavexWindowsTest
{
protected:
    void SetUp() override
    {
        KavexWindowsTest::SetUp();
        ASSERT_TRUE(m_scratch.Ready()) << "run through ScratchDrives.sh";
        theTVSystem.GetDiskMonitor().RefreshDisks();
        CTVSettings& s = theTVSystem.GetSettings();
        m_keptDrives.Copy(s.validDisk);
        m_keptDisk = s.curDisk;
        m_keptReserve = s.reservedSpace;
        m_keptLength = s.maxLength;
        m_keptFolder = s.videoFolder;
        m_keptNoSpace = s.noSpace;
        m_keptExcess = s.excessLength;
    }

    void TearDown() override
    {
        if (m_sheet)
            Close();
        CTVSettings& s = theTVSystem.GetSettings();
        s.reservedSpace = m_keptReserve;
        s.maxLength = m_keptLength;
        s.noSpace = m_keptNoSpace;
        s.excessLength = m_keptExcess;
        s.videoFolder = m_keptFolder;
        theTVSystem.SetValidDisk(m_keptDrives);
        theTVSystem.SelectDisk(m_keptDisk);
    }

    void Open()
    {
        m_sheet.reset(new CSettingsSheetDlg(&theControlPanel));
        ASSERT_TRUE(m_sheet->Create(IDD_SETTINGS, &theControlPanel));
        m_sheet->GetTabCtrl().SelectTab(theTVSystem.HasFM() ? 7 : 6);
        m_sheet->ShowWindow(SW_SHOW);
    }

    void Close()
    {
        m_sheet->DestroyWindow();
        m_sheet.reset();
    }

    CWnd& Page() { return m_sheet->GetStoragePage(); }
    CListCtrl& List() { return *(CListCtrl*)Page().GetDlgItem(IDC_DISK_VIEW); }
    CCheckComboBox& Disks() { return *(CCheckComboBox*)Page().GetDlgItem(IDC_DISK_CHOICE); }

    int DiskRow(const char* root)
    {
        return Disks().FindStringExact(-1, root);
    }

    // Checks as a click in the drop-down does, then the drop-down closes.
    void CheckDisks(std::initializer_list<std::pair<const char*, BOOL>> checks)
    {
        HWND combo = Disks().GetSafeHwnd();
        for (const auto& check : checks) {
            Disks().SetCheck(DiskRow(check.first), check.second);
            Page().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DISK_CHOICE, CBN_SELCHANGE), (LPARAM)combo);
        }
        Page().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DISK_CHOICE, CBN_CLOSEUP), (LPARAM)combo);
    }

    ScratchDrives m_scratch;
    std::unique_ptr<CSettingsSheetDlg> m_sheet;
    CStringArray m_keptDrives;
    CString m_keptDisk, m_keptFolder;
    int m_keptReserve = 0, m_keptLength = 0, m_keptNoSpace = 0, m_keptExcess = 0;
};

std::vector<std::string> Roots(const CStringArray& list)
{
    std::vector<std::string> roots;
    for (int i = 0; i < list.GetSize(); i++)
        roots.push_back((LPCTSTR)list[i]);
    return roots;
}

// A row per drive with its figures, the record drive as the hot row, and the allowed drives
// checked whatever the case of their letters.
TEST_F(StoragePageTest, ListsTheDrivesAndChecksTheAllowedOnes)
{
    CStringArray allowed;
    allowed.Add("s:\\");
    theTVSystem.SetValidDisk(allowed);
    ASSERT_TRUE(theTVSystem.SelectDisk("S:\\"));
    Open();
    CDiskManager& disks = theTVSystem.GetDiskList();
    ASSERT_EQ(disks.GetCount(), List().GetItemCount());
    ASSERT_EQ(disks.GetCount(), Disks().GetCount());
    int found = 0;
    for (int row = 0; row < List().GetItemCount(); row++) {
        CString root = List().GetItemText(row, CRecordStoragePage::kRootColumn);
        if (root.CompareNoCase("R:\\") != 0 && root.CompareNoCase("S:\\") != 0)
            continue;
        found++;
        CDiskInfo* disk = disks.FindDisk(root);
        ASSERT_TRUE(disk != NULL);
        int free = atoi(List().GetItemText(row, CRecordStoragePage::kFreeColumn));
        EXPECT_NEAR(ScratchDrive::FreeMB(root), free, 16) << (LPCTSTR)root;
        CString total;
        total.Format("%d M", disk->GetTotalMB());
        EXPECT_STREQ(total, List().GetItemText(row, CRecordStoragePage::kTotalColumn));
        EXPECT_STREQ("%", List().GetItemText(row, CRecordStoragePage::kPercentColumn).Right(1));
        EXPECT_EQ(root.CompareNoCase("S:\\") == 0, Disks().GetCheck(DiskRow(root)) != FALSE) << (LPCTSTR)root;
        if (root.CompareNoCase("S:\\") == 0)
            EXPECT_EQ(row, (int)List().SendMessage(LVM_GETHOTITEM));
    }
    EXPECT_EQ(2, found);
    CheckDisks({{"R:\\", TRUE}});
    Close();
    EXPECT_EQ((std::vector<std::string>{"R:\\", "S:\\"}), Roots(theTVSystem.GetValidDisks()));
}

// The reserve is stored only within 50..50000 MB and the length only within 1..300 minutes.
TEST_F(StoragePageTest, ReserveAndLengthAreStoredOnlyWithinTheirRanges)
{
    struct Case
    {
        int value, stored;
    } reserves[] = {{49, 100}, {50, 50}, {50000, 50000}, {50001, 100}},
      lengths[] = {{0, 60}, {1, 1}, {300, 300}, {301, 60}};
    for (int i = 0; i < 4; i++) {
        theTVSystem.GetSettings().reservedSpace = 100;
        theTVSystem.GetSettings().maxLength = 60;
        Open();
        Page().GetDlgItem(IDC_RESERVED_SPACE)->SetWindowText(std::to_string(reserves[i].value).c_str());
        Page().GetDlgItem(IDC_MAX_LENGTH)->SetWindowText(std::to_string(lengths[i].value).c_str());
        Close();
        EXPECT_EQ(reserves[i].stored, theTVSystem.GetReservedSpace()) << reserves[i].value;
        EXPECT_EQ(lengths[i].stored, theTVSystem.GetMaxLength()) << lengths[i].value;
    }
}

// The radios as the two flags; a folder name differing only in case is not set again, a new
// one is made on the record drive.
TEST_F(StoragePageTest, RadiosAndFolderName)
{
    ASSERT_TRUE(theTVSystem.SelectDisk("R:\\"));
    theTVSystem.SetVideoFolder("Clips");
    for (int stop = 0; stop < 2; stop++) {
        Open();
        Tick(Page(), stop ? IDC_NO_SPACE_NEXT : IDC_NO_SPACE_STOP, FALSE);
        Tick(Page(), stop ? IDC_NO_SPACE_STOP : IDC_NO_SPACE_NEXT);
        Tick(Page(), stop ? IDC_EXCESS_NEXT : IDC_EXCESS_STOP, FALSE);
        Tick(Page(), stop ? IDC_EXCESS_STOP : IDC_EXCESS_NEXT);
        Page().GetDlgItem(IDC_VIDEO_FOLDER)->SetWindowText(stop ? "Shows" : "CLIPS");
        Close();
        EXPECT_EQ(stop, theTVSystem.GetNoSpace());
        EXPECT_EQ(stop, theTVSystem.GetExcessLength());
        EXPECT_STREQ(stop ? "Shows" : "Clips", theTVSystem.GetVideoFolder());
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("R:\\Shows"));
}

// Every drive unchecked: the message comes as the drop-down closes, and on leaving neither
// the drives nor the reserve change.
TEST_F(StoragePageTest, NoDriveChosenKeepsTheDrivesAndTheReserve)
{
    CStringArray allowed;
    allowed.Add("R:\\");
    theTVSystem.SetValidDisk(allowed);
    theTVSystem.GetSettings().reservedSpace = 100;
    DialogWatcher boxes;
    boxes.OnlyCaption("Kavex");
    Open();
    CheckDisks({{"R:\\", FALSE}});
    Page().GetDlgItem(IDC_RESERVED_SPACE)->SetWindowText("500");
    Close();
    std::vector<ShownDialog> shown = boxes.Dialogs();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("没有选择存储文件的磁盘! 请您在存盘策略页中最少选择一个磁盘!", shown[0].text);
    EXPECT_EQ((std::vector<std::string>{"R:\\"}), Roots(theTVSystem.GetValidDisks()));
    EXPECT_EQ(100, theTVSystem.GetReservedSpace());
}

} // namespace
