// Record and snapshot names, the refusals of a recording, and the record drives over two
// scratch drives of different free space (the program runs through ScratchDrives.sh).
#include <gtest/gtest.h>

#include "TVSystem.h"

#include "DialogWatcher.h"
#include "PathUtil.h"
#include "RegistryValueGuard.h"
#include "ScratchDrive.h"
#include "TempFolder.h"
#include "UiCallLog.h"

#include <memory>
#include <regex>
#include <string>

namespace {

const char kCommonKey[] = "SOFTWARE\\Quorvex\\Common";
const char kDiskFullText[] = "磁盘空间不够! 录像停止!";

std::string Text(const CString& text)
{
    return (LPCTSTR)text;
}

// A name of the local time: from a second before the step that named it (by default this
// call) to a second after this call.
void ExpectTimeName(const CString& name, const char* extension, CTime from = CTime::GetCurrentTime())
{
    std::smatch parts;
    std::string text = Text(name);
    ASSERT_TRUE(std::regex_match(text, parts, std::regex("(\\d{8}-\\d{6})\\.(\\w+)"))) << text;
    EXPECT_EQ(extension, parts[2].str()) << text;
    CTime now = CTime::GetCurrentTime();
    std::string before = Text((from - CTimeSpan(1)).Format("%Y%m%d-%H%M%S"));
    std::string after = Text((now + CTimeSpan(1)).Format("%Y%m%d-%H%M%S"));
    EXPECT_TRUE(parts[1].str() >= before && parts[1].str() <= after) << text;
}

TEST(RecordNames, CarryTheLocalTimeAndTheFormatsExtension)
{
    struct Case { int format; const char* extension; };
    const Case cases[] = {{0, "avi"}, {1, "mpg"}, {2, "mpg"}, {3, "avi"}, {4, "mpg"},
                          {5, "mpg"}, {6, "mpg"}, {7, "mpg"}, {8, "avi"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        ExpectTimeName(CTVSystem::MakeRecordName(c.format), c.extension);
    }
    ExpectTimeName(CTVSystem::MakeSnapshotName(1), "bmp");
    ExpectTimeName(CTVSystem::MakeSnapshotName(2), "jpg");
}

class TVSystemRecordTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_drives.Ready()) << "run through ScratchDrives.sh";
        CoInitialize(NULL);
        m_system.reset(new CTVSystem(m_folder.Path().c_str()));
        m_system->SetDefaults();
        CUiCallLog::Clear();
    }
    void TearDown() override
    {
        m_system.reset();
        CoUninitialize();
    }

    CTVSettings& Settings() { return m_system->GetSettings(); }

    // The allowed drives, and a reserve that only the roomier scratch drive passes.
    void AllowScratchDrives(const char* first = kScratchMemoryDrive, const char* second = kScratchDiskDrive)
    {
        Settings().validDisk.RemoveAll();
        Settings().validDisk.Add(first);
        Settings().validDisk.Add(second);
        int memory = ScratchDrive::FreeMB(kScratchMemoryDrive);
        int disk = ScratchDrive::FreeMB(kScratchDiskDrive);
        m_roomy = memory > disk ? kScratchMemoryDrive : kScratchDiskDrive;
        m_tight = memory > disk ? kScratchDiskDrive : kScratchMemoryDrive;
        m_between = (memory + disk) / 2;
        m_aboveBoth = std::max(memory, disk) + 1024;
    }

    ScratchDrives m_drives;
    TempFolder m_folder;
    // Each test's folders and values go back as they were.
    RegistryValueGuard m_recordPath{kCommonKey, "RecordPath"};
    RegistryValueGuard m_snapPath{kCommonKey, "SnapPath"};
    RegistryValueGuard m_runValue{"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Pocketel"};
    std::unique_ptr<CTVSystem> m_system;
    const char* m_roomy = NULL;
    const char* m_tight = NULL;
    int m_between = 0;
    int m_aboveBoth = 0;
};

TEST_F(TVSystemRecordTest, WithoutARecordDriveTheUserIsToldAndNothingRecords)
{
    DialogWatcher watcher;
    EXPECT_FALSE(m_system->StartRecording());
    ASSERT_EQ(1u, watcher.Dialogs().size());
    EXPECT_EQ(kDiskFullText, watcher.Dialogs()[0].text);
    EXPECT_FALSE(m_system->IsRecording());
    EXPECT_EQ(0, CUiCallLog::Count("MuteBriefly"));
}

TEST_F(TVSystemRecordTest, AFullDiskRefusesSilently)
{
    AllowScratchDrives();
    m_system->InitDisks(NULL);
    DialogWatcher watcher;
    m_system->SetReservedSpace(m_aboveBoth);
    ASSERT_TRUE(m_system->IsDiskFull());

    EXPECT_FALSE(m_system->StartRecording());
    EXPECT_TRUE(watcher.Dialogs().empty());
    EXPECT_EQ(1, CUiCallLog::Count("MuteBriefly"));
    EXPECT_STREQ("", m_system->GetGraph().GetRecordFileName());
}

TEST_F(TVSystemRecordTest, TheRecordingIsNamedInTheRecordFolderWhichIsMadeWhenMissing)
{
    AllowScratchDrives();
    m_system->InitDisks(NULL);
    ASSERT_TRUE(m_system->SelectDisk(m_roomy));
    std::string folder = std::string(m_roomy) + "Video";
    ASSERT_EQ(folder, Text(m_system->GetRecordFolder()));
    Settings().recordFormat = CTVGraph::kRecordMpeg2;

    // No card is open here: the graph refuses, but it has been given the file.
    CTime started = CTime::GetCurrentTime();
    m_system->StartRecording();
    EXPECT_TRUE(CPathUtil::FolderExists(folder.c_str()));
    std::string file = Text(m_system->GetGraph().GetRecordFileName());
    ASSERT_EQ(folder + "\\", file.substr(0, folder.size() + 1));
    ExpectTimeName(file.substr(folder.size() + 1).c_str(), "mpg", started);
}

TEST_F(TVSystemRecordTest, TimeShiftIsBufferedInTheRecordFolderUnderARecordName)
{
    AllowScratchDrives();
    m_system->InitDisks(NULL);
    ASSERT_TRUE(m_system->SelectDisk(m_roomy));
    std::string folder = std::string(m_roomy) + "Video";

    // No card is open here: the graph refuses (and may say so), but it has been given the file.
    DialogWatcher watcher;
    CTime started = CTime::GetCurrentTime();
    m_system->StartTimeShiftRecord();
    std::string file = Text(m_system->GetGraph().GetTimeShiftFile());
    ASSERT_EQ(folder + "\\", file.substr(0, folder.size() + 1));
    ExpectTimeName(file.substr(folder.size() + 1).c_str(), "mpg", started);
}

TEST_F(TVSystemRecordTest, ARecordFolderThatCannotBeMadeRefusesTheRecording)
{
    AllowScratchDrives();
    m_system->InitDisks(NULL);
    ASSERT_TRUE(m_system->SelectDisk(m_roomy));
    m_system->GetGraph().SetRecordFileName("earlier.mpg");
    // The folder's parent is missing, so it cannot be made in one step.
    Settings().videoPath = std::string(m_roomy).append("missing\\Video").c_str();

    EXPECT_FALSE(m_system->StartRecording());
    EXPECT_STREQ("earlier.mpg", m_system->GetGraph().GetRecordFileName());
}

TEST_F(TVSystemRecordTest, TheFirstAllowedDriveWithSpaceIsFoundFromTheGivenOne)
{
    AllowScratchDrives("Q:\\", kScratchMemoryDrive);
    Settings().validDisk.Add(kScratchDiskDrive);
    m_system->InitDisks(NULL);
    Settings().reservedSpace = m_between;

    struct Case { const char* start; const char* found; };
    // Q: is allowed but missing: it has no space to offer.
    const Case cases[] = {{"Q:\\", m_roomy}, {m_tight, m_roomy}, {m_roomy, m_roomy}, {"X:\\", m_roomy}};
    for (const Case& c : cases) {
        CDiskInfo* disk = m_system->FindDiskWithSpace(c.start);
        ASSERT_TRUE(disk != NULL) << c.start;
        EXPECT_STREQ(c.found, disk->GetRoot()) << c.start;
    }
    Settings().reservedSpace = m_aboveBoth;
    EXPECT_EQ(NULL, m_system->FindDiskWithSpace(kScratchMemoryDrive));
}

TEST_F(TVSystemRecordTest, SelectingADriveRecordsIntoVideoFolderThereAndPublishesIt)
{
    AllowScratchDrives();
    Settings().videoFolder = "录像";
    m_system->InitDisks(NULL);
    ASSERT_TRUE(m_system->SelectDisk(std::string(m_tight).append("anything").c_str()));

    std::string folder = std::string(m_tight) + "录像";
    EXPECT_STREQ(m_tight, Settings().curDisk);
    EXPECT_EQ(folder, Text(Settings().videoPath));
    EXPECT_EQ(folder, RegistryValueGuard::Read(kCommonKey, "RecordPath"));
    EXPECT_STREQ(m_tight, m_system->GetDiskMonitor().GetDisk()->GetRoot());
    EXPECT_TRUE(m_system->GetDiskMonitor().IsRunning());
    EXPECT_FALSE(m_system->IsDiskFull());

    Settings().reservedSpace = m_aboveBoth;
    EXPECT_FALSE(m_system->SelectDisk(m_roomy));
    EXPECT_STREQ(m_tight, Settings().curDisk);
}

TEST_F(TVSystemRecordTest, TheUsersFolderAndFolderNameDecideWhereRecordingsGo)
{
    AllowScratchDrives();
    m_system->InitDisks(NULL);
    std::string chosen = std::string(m_roomy) + "Shows";
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), NULL));

    ASSERT_TRUE(m_system->SetVideoPath(chosen.c_str()));
    EXPECT_STREQ(m_roomy, Settings().curDisk);
    EXPECT_EQ(chosen, Text(m_system->GetRecordFolder()));
    EXPECT_EQ(chosen, RegistryValueGuard::Read(kCommonKey, "RecordPath"));
    EXPECT_FALSE(m_system->SetVideoPath(std::string(m_roomy).append("NotThere").c_str()));
    EXPECT_EQ(chosen, Text(m_system->GetRecordFolder()));

    ASSERT_TRUE(m_system->SetVideoFolder("Clips"));
    std::string clips = std::string(m_roomy) + "Clips";
    EXPECT_TRUE(CPathUtil::FolderExists(clips.c_str()));
    EXPECT_EQ(clips, Text(m_system->GetRecordFolder()));
    EXPECT_EQ(clips, RegistryValueGuard::Read(kCommonKey, "RecordPath"));
    EXPECT_STREQ("Clips", Settings().videoFolder);
}

TEST_F(TVSystemRecordTest, AtStartTheUsersFolderWinsWhenItsDriveHasSpace)
{
    AllowScratchDrives();
    std::string chosen = std::string(m_tight) + "Mine";
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), NULL));
    Settings().videoPath = chosen.c_str();
    m_system->InitDisks(NULL);
    EXPECT_STREQ(m_tight, Settings().curDisk);
    EXPECT_EQ(chosen, Text(m_system->GetRecordFolder()));

    // When its drive is short of space, the next allowed drive with space takes over.
    Settings().curDisk.Empty();
    Settings().reservedSpace = m_between;
    m_system->InitDisks(NULL);
    EXPECT_STREQ(m_roomy, Settings().curDisk);
    EXPECT_EQ(std::string(m_roomy) + "Video", Text(m_system->GetRecordFolder()));
    EXPECT_FALSE(m_system->IsDiskFull());
}

TEST_F(TVSystemRecordTest, WithoutAnyDriveAboveTheReserveTheDiskIsFull)
{
    Settings().reservedSpace = 1 << 30;
    m_system->InitDisks(NULL);
    EXPECT_TRUE(m_system->IsDiskFull());
    ASSERT_EQ(1, Settings().validDisk.GetSize());
    EXPECT_STREQ("C:\\", Settings().validDisk[0]);
}

TEST_F(TVSystemRecordTest, AReserveTheRecordDriveCannotKeepMovesToTheNextDrive)
{
    AllowScratchDrives();
    m_system->InitDisks(NULL);
    ASSERT_TRUE(m_system->SelectDisk(m_tight));

    m_system->SetReservedSpace(m_between);
    EXPECT_STREQ(m_roomy, Settings().curDisk);
    EXPECT_FALSE(m_system->IsDiskFull());

    m_system->SetReservedSpace(m_aboveBoth);
    EXPECT_TRUE(m_system->IsDiskFull());
}

TEST_F(TVSystemRecordTest, ANewDriveListKeepsTheRecordDriveOrMovesToOneWithSpace)
{
    AllowScratchDrives();
    m_system->InitDisks(NULL);
    ASSERT_TRUE(m_system->SelectDisk(m_tight));
    Settings().reservedSpace = m_between;

    CStringArray both;
    both.Add(kScratchMemoryDrive);
    both.Add(kScratchDiskDrive);
    EXPECT_EQ(m_tight == kScratchMemoryDrive ? 0 : 1, m_system->SetValidDisk(both));
    EXPECT_STREQ(m_tight, Settings().curDisk);

    CStringArray others;
    others.Add("Q:\\");
    others.Add(m_roomy);
    EXPECT_EQ(1, m_system->SetValidDisk(others));
    EXPECT_STREQ(m_roomy, Settings().curDisk);
    EXPECT_FALSE(m_system->IsDiskFull());

    CStringArray none;
    none.Add(m_tight);
    EXPECT_EQ(-1, m_system->SetValidDisk(none));
    EXPECT_TRUE(m_system->IsDiskFull());
}

TEST_F(TVSystemRecordTest, MaxLengthTakesOnlyOneTo300Minutes)
{
    struct Case { int minutes; bool taken; };
    const Case cases[] = {{0, false}, {1, true}, {300, true}, {301, false}, {-5, false}};
    for (const Case& c : cases) {
        Settings().maxLength = 77;
        EXPECT_EQ(c.taken, !!m_system->SetMaxLength(c.minutes)) << c.minutes;
        EXPECT_EQ(c.taken ? c.minutes : 77, Settings().maxLength) << c.minutes;
    }
}

TEST_F(TVSystemRecordTest, PreparedFoldersAreMadeAndPublishedUnderTheMakersKey)
{
    std::string video = std::string(kScratchDiskDrive) + "Recordings";
    std::string pictures = std::string(kScratchDiskDrive) + "照片";
    Settings().videoPath = video.c_str();
    Settings().picPath = pictures.c_str();
    m_system->PrepareMediaFolders();

    EXPECT_TRUE(CPathUtil::FolderExists(video.c_str()));
    EXPECT_TRUE(CPathUtil::FolderExists(pictures.c_str()));
    EXPECT_EQ(video, RegistryValueGuard::Read(kCommonKey, "RecordPath"));
    EXPECT_EQ(pictures, RegistryValueGuard::Read(kCommonKey, "SnapPath"));
    EXPECT_STREQ(m_system->GetBaseSkinName(), m_system->GetSkinNames().GetHead());
}

TEST_F(TVSystemRecordTest, TheTVWallsThumbnailWaitsForTheSnapshotButton)
{
    CUiCallLog::SetItemEnabled(1002, FALSE);
    std::string thumbnail = m_folder.FilePath("wall.bmp");
    EXPECT_FALSE(m_system->SaveSnapshotBmp(thumbnail.c_str()));
    EXPECT_EQ(1, CUiCallLog::Count("IsItemEnabled 1002"));
    CUiCallLog::SetItemEnabled(1002, TRUE);
}

} // namespace
