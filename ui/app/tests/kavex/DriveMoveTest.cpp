// A recording moving to the next allowed drive when its own reaches the reserve, over two
// scratch drives of different free space (the program runs through ScratchDrives.sh).
#include "RecordRoadFixture.h"
#include "ScratchDrive.h"

namespace {

// The record drive at its reserve with another allowed drive above it: the recording goes on
// there, in a new file. The two scratch drives (ScratchDrives.sh) differ in free space.
TEST_F(RecordRoadTest, ARecordDriveAtItsReserveMovesTheRecordingToTheNextDrive)
{
    CTVSettings& settings = theTVSystem.GetSettings();
    CStringArray keptDrives;
    keptDrives.Copy(settings.validDisk);
    CString keptDisk = settings.curDisk;
    int keptReserve = settings.reservedSpace;
    CString first, second;
    Boxes boxes;
    {
        ScratchDrives scratch;
        ASSERT_TRUE(scratch.Ready()) << "run through ScratchDrives.sh";
        theTVSystem.GetDiskMonitor().RefreshDisks();
        int memoryFree = ScratchDrive::FreeMB(kScratchMemoryDrive);
        int diskFree = ScratchDrive::FreeMB(kScratchDiskDrive);
        const char* tight = memoryFree < diskFree ? kScratchMemoryDrive : kScratchDiskDrive;
        const char* roomy = memoryFree < diskFree ? kScratchDiskDrive : kScratchMemoryDrive;
        CStringArray drives;
        drives.Add(tight);
        drives.Add(roomy);
        theTVSystem.SetValidDisk(drives);
        ASSERT_TRUE(theTVSystem.SelectDisk(tight));
        settings.noSpace = 0;
        Command(IDC_RECORD);
        ASSERT_TRUE(theTVSystem.IsRecording());
        first = theTVSystem.GetRecordFile();
        EXPECT_EQ(0, first.Left(3).CompareNoCase(tight)) << (LPCTSTR)first;

        int tightFree = ScratchDrive::FreeMB(tight);
        settings.reservedSpace = (memoryFree + diskFree) / 2;
        PumpMessagesUntil([] { return false; }, 1100);
        theControlPanel.SendMessage(WM_DISK_SPACE_LOW, (WPARAM)tight, (LPARAM)tightFree);
        EXPECT_TRUE(theTVSystem.IsRecording());
        EXPECT_STREQ(roomy, theTVSystem.GetCurDisk());
        second = theTVSystem.GetRecordFile();
        EXPECT_EQ(0, second.Left(3).CompareNoCase(roomy)) << (LPCTSTR)second;

        PumpMessagesUntil([] { return Enabled(IDC_RECORD); }, 3000);
        Command(IDC_RECORD);
        EXPECT_FALSE(theTVSystem.IsRecording());
        settings.reservedSpace = keptReserve;
        theTVSystem.SetValidDisk(keptDrives);
        EXPECT_TRUE(theTVSystem.SelectDisk(keptDisk)) << (LPCTSTR)keptDisk;
    }
    theTVSystem.GetDiskMonitor().RefreshDisks();
    EXPECT_STREQ(keptDisk, theTVSystem.GetCurDisk());
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Texts()[0];
}

} // namespace
