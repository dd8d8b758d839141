// Recording from the panel over the simulated card: the record button and its debounce, the
// pause, a failed start, the exit question, a drive running full and the schedule's items.
#include "RecordRoadFixture.h"

namespace {

// A second press within a second makes no second recording; the overlay names the format
// or the pause, and the file stops growing at the stop.
TEST_F(RecordRoadTest, RecStopTwiceWithinASecondMakesOneRecording)
{
    Command(IDC_RECORD);
    Command(IDC_RECORD);
    ASSERT_TRUE(theTVSystem.IsRecording());
    EXPECT_EQ(CControlPanelDlg::kManualRecord, theControlPanel.GetRecordMode());
    EXPECT_FALSE(Enabled(IDC_RECORD)) << "the button waits a second";
    EXPECT_STREQ("录像:Mpeg2", theVideoWnd.GetRecordOverlay().GetText());
    EXPECT_TRUE(Visible(theVideoWnd.GetRecordOverlay()));
    EXPECT_FALSE(Enabled(IDC_SNAPSHOT));
    EXPECT_TRUE(Enabled(IDC_PAUSE));

    Command(IDC_PAUSE);
    EXPECT_STREQ("暂停", theVideoWnd.GetRecordOverlay().GetText());
    Command(IDC_PAUSE);
    EXPECT_STREQ("录像:Mpeg2", theVideoWnd.GetRecordOverlay().GetText());

    ASSERT_TRUE(PumpMessagesUntil([] { return Enabled(IDC_RECORD); }, 3000));
    Command(IDC_RECORD);
    EXPECT_FALSE(theTVSystem.IsRecording());
    EXPECT_EQ(CControlPanelDlg::kNoRecord, theControlPanel.GetRecordMode());
    std::string file = OnlyFile();
    ASSERT_NE("", file) << "one recording";
    LONGLONG size = FileSize(file);
    EXPECT_GT(size, 0);
    PumpMessagesUntil([] { return false; }, 1000);
    EXPECT_EQ(size, FileSize(file)) << "nothing is written after the stop";
    EXPECT_TRUE(Enabled(IDC_SNAPSHOT));

    // ffprobe reads the recording on the Linux side (kavex_recordings_check).
    const std::string out = "C:\\sim\\out\\kavexrecord";
    CreateDirectoryA("C:\\sim\\out", NULL);
    CreateDirectoryA(out.c_str(), NULL);
    ASSERT_TRUE(CopyFileA(file.c_str(), (out + "\\panel.mpg").c_str(), FALSE));
    ASSERT_TRUE(TempFolder::WriteWholeFile(out + "\\manifest.txt", "panel.mpg mpeg mpeg2video 720x576 44100 2\n"));
}

// A start that fails says why: no record drive (the TV system tells first), or a full drive.
TEST_F(RecordRoadTest, AFailedStartIsTold)
{
    struct Case
    {
        const char* state;
        std::vector<std::string> texts;
    } cases[] = {{"no drive", {"磁盘空间不够! 录像停止!", "开始录像失败!"}},
                 {"drive full", {"磁盘空间不够，录像被迫停止!"}}};
    for (const Case& c : cases) {
        std::string state = c.state;
        CString drive = theTVSystem.GetSettings().curDisk;
        if (state == "no drive")
            theTVSystem.GetSettings().curDisk = "";
        else
            theControlPanel.SetRecordBlocked(TRUE);
        Boxes boxes;
        Command(IDC_RECORD);
        theTVSystem.GetSettings().curDisk = drive;
        theControlPanel.SetRecordBlocked(FALSE);
        EXPECT_FALSE(theTVSystem.IsRecording()) << c.state;
        EXPECT_EQ(c.texts, boxes.Texts()) << c.state;
        EXPECT_TRUE(FilesIn(m_folder.Path()).empty());
        PumpMessagesUntil([] { return Enabled(IDC_RECORD); }, 3000);
    }
}

// Closing while recording asks first; No keeps the program and the recording.
TEST_F(RecordRoadTest, ClosingWhileRecordingAsksAndNoKeepsRecording)
{
    Command(IDC_RECORD);
    ASSERT_TRUE(theTVSystem.IsRecording());
    DialogWatcher watcher;
    watcher.OnlyCaption("Kavex");
    watcher.PressId(IDNO);
    theControlPanel.SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, watcher.Dialogs().size());
    EXPECT_EQ("确实要退出程序吗？", watcher.Dialogs()[0].text);
    EXPECT_TRUE(theTVSystem.IsRecording());
    EXPECT_TRUE(theVideoWnd.IsWindowVisible());
}

// The record drive at its reserve: without another drive with space the recording starts
// again, in a new file, when NoSpace allows, else it stops. Another drive's message changes
// nothing.
TEST_F(RecordRoadTest, ARecordDriveAtItsReserveStopsOrRestartsTheRecording)
{
    struct Case
    {
        int noSpace;
        const char* drive;  // NULL: the record drive
        bool recording;
        bool newFile;
    } cases[] = {{1, "Q:\\", true, false}, {0, NULL, true, true}, {1, NULL, false, false}};
    Command(IDC_RECORD);
    ASSERT_TRUE(theTVSystem.IsRecording());
    std::vector<CString> files = {theTVSystem.GetRecordFile()};
    for (const Case& c : cases) {
        theTVSystem.GetSettings().noSpace = c.noSpace;
        // A recording under way for a second, so that a restart makes a file of another name.
        PumpMessagesUntil([] { return false; }, 1100);
        CString root = c.drive != NULL ? CString(c.drive) : theTVSystem.GetCurDisk();
        theControlPanel.SendMessage(WM_DISK_SPACE_LOW, (WPARAM)(LPCTSTR)root, 0);
        EXPECT_EQ(c.recording, theTVSystem.IsRecording() != FALSE) << c.noSpace;
        EXPECT_EQ(c.newFile, theTVSystem.GetRecordFile() != files.back()) << c.noSpace;
        files.push_back(theTVSystem.GetRecordFile());
    }
    for (const CString& file : files)
        DeleteFileA(file);
}

// A scheduled item tunes its channel, records for its length and then puts the source and the
// sound back; a channel number outside the list shows without a name.
TEST_F(RecordRoadTest, AScheduledItemRecordsItsChannelAndPutsTheSourceBack)
{
    struct Case
    {
        int channel;
        int kHz;
        const char* station;
        const char* label;
    } cases[] = {{3, 471250, "SIM-4", "2,C"}, {0, 49750, "SIM-1", "-1,"}, {9, 184250, "SIM-3", "8,"}};
    for (const Case& c : cases) {
        theTVSystem.SetVideoSource(CTVSystem::kSourceComposite);
        theControlPanel.ApplySource();
        theControlPanel.SetMute(TRUE);
        ASSERT_TRUE(theTVSystem.IsPlayLineMuted());
        SYSTEMTIME now;
        GetLocalTime(&now);
        _tagTimingParam timing = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, 3, 1, 0, 0};
        _tagExcuteParam execute = {40, 0, 3, CTVSystem::kSourceTuner, c.channel, c.kHz, 0, 0, 0, 0};
        HTIMINGITEM item = Timing_InsertItem(0, timing, &execute);
        ASSERT_NE((HTIMINGITEM)NULL, item);
        ASSERT_TRUE(PumpMessagesUntil([] { return theTVSystem.IsRecording() != FALSE; }, 5000)) << c.label;
        EXPECT_EQ(CControlPanelDlg::kScheduledRecord, theControlPanel.GetRecordMode());
        EXPECT_EQ(CTVSystem::kSourceTuner, theTVSystem.GetVideoSource());
        EXPECT_EQ(c.station, Station()) << c.label;
        EXPECT_EQ(c.label, Label(IDC_CHANNEL_LABEL));
        EXPECT_FALSE(theTVSystem.IsPlayLineMuted()) << "the item's own sound";
        EXPECT_TRUE(PumpMessagesUntil([] { return !theTVSystem.IsRecording(); }, 8000)) << c.label;
        EXPECT_EQ(CControlPanelDlg::kNoRecord, theControlPanel.GetRecordMode());
        EXPECT_EQ(CTVSystem::kSourceComposite, theTVSystem.GetVideoSource()) << c.label;
        EXPECT_TRUE(theTVSystem.IsPlayLineMuted()) << c.label;
        PumpMessagesUntil([] { return false; }, 1000);
        EXPECT_TRUE(theTVSystem.IsPlayLineMuted()) << c.label << " after the brief mutes";
        Timing_RemoveItem(item);
    }
    theTVSystem.SetVideoSource(CTVSystem::kSourceTuner);
    theControlPanel.ApplySource();
    theControlPanel.SetMute(FALSE);
    EXPECT_EQ(3u, FilesIn(m_folder.Path()).size()) << "a recording for each item";
}

// An item that comes while the user records is cancelled; the user's recording goes on.
TEST_F(RecordRoadTest, AScheduledItemDuringAManualRecordingIsCancelled)
{
    Command(IDC_RECORD);
    ASSERT_TRUE(theTVSystem.IsRecording());
    std::string station = Station();
    SYSTEMTIME now;
    GetLocalTime(&now);
    _tagTimingParam timing = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, 2, 1, 0, 0};
    _tagExcuteParam execute = {40, 0, 2, CTVSystem::kSourceTuner, 1, 49750, 0, 0, 0, 0};
    HTIMINGITEM item = Timing_InsertItem(0, timing, &execute);
    ASSERT_NE((HTIMINGITEM)NULL, item);
    PumpMessagesUntil([] { return false; }, 4000);
    EXPECT_TRUE(theTVSystem.IsRecording());
    EXPECT_EQ(CControlPanelDlg::kManualRecord, theControlPanel.GetRecordMode());
    EXPECT_EQ(station, Station()) << "the item tuned nothing";
    EXPECT_EQ(1u, FilesIn(m_folder.Path()).size());
    Timing_RemoveItem(item);
}

} // namespace
