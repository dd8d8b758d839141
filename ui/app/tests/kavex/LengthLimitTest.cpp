// The length limit of a recording from the panel, in a program of its own: it runs two
// minutes, and the recording starts on a card no other test has used.
#include "RecordRoadFixture.h"

namespace {

// The length limit of one minute (slow): with ExcessLength 0 the recording goes on in a new
// file; with ExcessLength 1 it ends there.
TEST_F(RecordRoadTest, TheLengthLimitStartsANewFileOrEndsTheRecording)
{
    theTVSystem.GetSettings().maxLength = 1;
    theTVSystem.GetSettings().excessLength = 0;
    Boxes boxes;
    Command(IDC_RECORD);
    ASSERT_TRUE(theTVSystem.IsRecording()) << (boxes.Texts().empty() ? "" : boxes.Texts()[0]) << " full "
                                           << theTVSystem.IsDiskFull() << " drive " << (LPCTSTR)theTVSystem.GetCurDisk()
                                           << " folder " << (LPCTSTR)theTVSystem.GetRecordFolder() << " file "
                                           << (LPCTSTR)theTVSystem.GetRecordFile();
    CString first = theTVSystem.GetRecordFile();
    DWORD start = GetTickCount();
    ASSERT_TRUE(PumpMessagesUntil([&] { return theTVSystem.GetRecordFile() != first; }, 75000));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 57000u);
    EXPECT_TRUE(theTVSystem.IsRecording());
    EXPECT_EQ(CControlPanelDlg::kManualRecord, theControlPanel.GetRecordMode());
    EXPECT_EQ(2u, FilesIn(m_folder.Path()).size());

    theTVSystem.GetSettings().excessLength = 1;
    start = GetTickCount();
    ASSERT_TRUE(PumpMessagesUntil([] { return !theTVSystem.IsRecording(); }, 75000));
    EXPECT_GE(GetTickCount() - start, 57000u);
    EXPECT_EQ(CControlPanelDlg::kNoRecord, theControlPanel.GetRecordMode());
    PumpMessagesUntil([] { return false; }, 3000);
    EXPECT_FALSE(theTVSystem.IsRecording()) << "no new recording";
    EXPECT_EQ(2u, FilesIn(m_folder.Path()).size());
    EXPECT_EQ(std::vector<std::string>(), boxes.Texts());
}

} // namespace
