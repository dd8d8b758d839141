// A recording and a snapshot of the model over the simulated card: the files land in the
// record and picture folders under names of the local time, and a running scan refuses a
// recording.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "TVSystem.h"

#include "DialogWatcher.h"
#include "PathUtil.h"
#include "RegistryValueGuard.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "UiCallLog.h"

namespace {

const char kTVStations[] = "tv 49750:SIM-1 184250:SIM-3";
const char kDefaultTVStations[] = "tv 49750:SIM-1 77250:SIM-2 184250:SIM-3 471250:SIM-4 615250:SIM-5";
const char kTVChannels[] = "[General]\r\nTotal=1\r\n[Channel]\r\nChannel-0=A,49750,1\r\n";

// The names of the files in a folder.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.nFileSizeLow > 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

class TVSystemRecordCardTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        m_card(kTVStations);
        m_folder.Write("TVChannel.ini", kTVChannels);
        m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=0\r\n");
        CUiCallLog::Clear();
        // The video window the preview shows in, as the program's start-up makes it.
        m_window = CreateWindowExA(0, "STATIC", "video", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
        m_tv.reset(new CTVSystem(m_folder.Path().c_str()));
        m_tv->GetGraph().SetOwnerWnd(m_window);
        m_tv->LoadChannels();
        m_tv->LoadSettings();
        m_tv->RestoreChannelSelection();
        ASSERT_TRUE(m_tv->InitTVSystem());
        ASSERT_TRUE(m_tv->GetGraph().RebuildPreview());

        CTVSettings& s = m_tv->GetSettings();
        s.videoPath = m_folder.FilePath("Video").c_str();
        s.picPath = m_folder.FilePath("Pictures").c_str();
        s.validDisk.RemoveAll();
        s.validDisk.Add("C:\\");
        ASSERT_TRUE(CreateDirectoryA(s.videoPath, NULL));
        m_tv->InitDisks(NULL);
        ASSERT_STREQ("C:\\", s.curDisk);
    }

    void TearDown() override
    {
        if (m_tv)
            m_tv->CloseTV();
        m_tv.reset();
        DestroyWindow(m_window);
        m_card(kDefaultTVStations);
        CoUninitialize();
    }

    // A message box of the graph is answered and the test goes on to fail instead of waiting.
    DialogWatcher m_watcher;
    SimControl m_card{0};
    HWND m_window = NULL;
    // Start-up and the record drive's choice write these; they go back as they were.
    RegistryValueGuard m_runValue{"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Pocketel"};
    RegistryValueGuard m_recordPath{"SOFTWARE\\Quorvex\\Common", "RecordPath"};
    RegistryValueGuard m_snapPath{"SOFTWARE\\Quorvex\\Common", "SnapPath"};
    TempFolder m_folder;
    std::unique_ptr<CTVSystem> m_tv;
};

TEST_F(TVSystemRecordCardTest, ARecordingLandsInTheRecordFolderUnderTheTime)
{
    m_tv->GetSettings().recordFormat = CTVGraph::kRecordMpeg1;
    m_tv->GetGraph().SetRecordFormat(CTVGraph::kRecordMpeg1);
    ASSERT_TRUE(m_tv->StartRecording());
    EXPECT_TRUE(m_tv->IsRecording());
    Sleep(1500);
    m_tv->StopRecording();
    EXPECT_FALSE(m_tv->IsRecording());

    std::vector<std::string> files = FilesIn(m_folder.FilePath("Video"));
    ASSERT_EQ(1u, files.size());
    EXPECT_TRUE(std::regex_match(files[0], std::regex("\\d{8}-\\d{6}\\.mpg"))) << files[0];
}

TEST_F(TVSystemRecordCardTest, ASnapshotLandsInThePictureFolderUnderTheTime)
{
    struct Case { int snapBmp; const char* pattern; };
    const Case cases[] = {{1, "\\d{8}-\\d{6}\\.bmp"}, {0, "\\d{8}-\\d{6}\\.jpg"}};
    for (const Case& c : cases) {
        std::string pictures = m_folder.FilePath(c.snapBmp ? "Bmp" : "Jpeg");
        m_tv->GetSettings().picPath = pictures.c_str();
        m_tv->GetSettings().snapBmp = c.snapBmp;
        ASSERT_TRUE(m_tv->TakeSnapshot()) << c.pattern;
        std::vector<std::string> files = FilesIn(pictures);
        ASSERT_EQ(1u, files.size()) << c.pattern;
        EXPECT_TRUE(std::regex_match(files[0], std::regex(c.pattern))) << files[0];
    }
}

TEST_F(TVSystemRecordCardTest, ARunningScanRefusesARecording)
{
    ASSERT_TRUE(m_tv->StartScan(1));
    EXPECT_FALSE(m_tv->StartRecording());
    EXPECT_FALSE(m_tv->IsRecording());
    m_tv->StopScan();
    EXPECT_TRUE(FilesIn(m_folder.FilePath("Video")).empty());
}

} // namespace
