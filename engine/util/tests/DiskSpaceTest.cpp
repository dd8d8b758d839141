#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppMessages.h"
#include "DiskManager.h"
#include "DiskSpaceMonitor.h"
#include "PathUtil.h"
#include "PumpMessages.h"
#include "ScratchDrive.h"

// These tests run through ScratchDrives.sh, which links the scratch drives into the prefix.
namespace {

const char* const kMemoryDrive = kScratchMemoryDrive;
const char* const kDiskDrive = kScratchDiskDrive;

int FreeMB(const char* root)
{
    return ScratchDrive::FreeMB(root);
}

class ScratchDriveTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_drives.Ready()) << "run through ScratchDrives.sh"; }

    ScratchDrives m_drives;
};

TEST_F(ScratchDriveTest, TheDriveListHoldsEveryFixedDriveWithItsSpace)
{
    CDiskManager disks;
    ASSERT_TRUE(disks.Refresh());
    std::vector<std::string> roots;
    for (int i = 0; i < disks.GetCount(); ++i)
        roots.push_back((const char*)disks.GetDisk(i)->GetRoot());
    for (const char* root : {"C:\\", kMemoryDrive, kDiskDrive})
        EXPECT_NE(roots.end(), std::find(roots.begin(), roots.end(), root)) << root;
    EXPECT_EQ(NULL, disks.GetDisk(disks.GetCount()));
    EXPECT_EQ(NULL, disks.GetDisk(-1));

    CDiskInfo* memory = disks.FindDisk("r:\\");
    CDiskInfo* disk = disks.FindDisk(kDiskDrive);
    ASSERT_TRUE(memory != NULL && disk != NULL);
    // The two file systems differ in size by gigabytes: each record reads its own drive.
    EXPECT_NEAR(FreeMB(kMemoryDrive), memory->Refresh(), 64);
    EXPECT_NEAR(FreeMB(kDiskDrive), disk->Refresh(), 64);
    EXPECT_GT(abs(memory->GetTotalMB() - disk->GetTotalMB()), 1024);
    int percent = memory->GetFreePercent();
    EXPECT_TRUE(percent >= 0 && percent <= 100) << percent;
}

TEST_F(ScratchDriveTest, DrivesAreChosenByTheirFreeSpace)
{
    CDiskManager disks;
    ASSERT_TRUE(disks.Refresh());
    int memoryFree = FreeMB(kMemoryDrive);
    int diskFree = FreeMB(kDiskDrive);
    // A threshold between the two drives' free space parts them.
    int between = (memoryFree + diskFree) / 2;
    const char* roomy = memoryFree > diskFree ? kMemoryDrive : kDiskDrive;
    const char* tight = memoryFree > diskFree ? kDiskDrive : kMemoryDrive;

    CStringArray above, notAbove;
    disks.SelectDisks(between, TRUE, above);
    disks.SelectDisks(between, FALSE, notAbove);
    EXPECT_NE(-1, CPathUtil::FindString(above, roomy));
    EXPECT_EQ(-1, CPathUtil::FindString(above, tight));
    EXPECT_NE(-1, CPathUtil::FindString(notAbove, tight));
    EXPECT_EQ(disks.GetCount(), above.GetSize() + notAbove.GetSize());
}

// A window that keeps what the monitor posts to it.
class LowSpaceWindow
{
public:
    LowSpaceWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "DiskSpaceTestWindow";
        RegisterClassA(&wc);
        m_window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                   wc.hInstance, NULL);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, (LONG_PTR)this);
    }
    ~LowSpaceWindow() { DestroyWindow(m_window); }

    HWND Handle() const { return m_window; }

    struct Post { const char* root; int freeMB; };
    std::vector<Post> posts;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_DISK_SPACE_LOW) {
            auto* self = (LowSpaceWindow*)GetWindowLongPtrA(window, GWLP_USERDATA);
            self->posts.push_back({(const char*)wParam, (int)lParam});
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_window;
};

TEST_F(ScratchDriveTest, TheMonitorPostsAtEveryCheckWhileTheSpaceIsAtOrBelowItsThreshold)
{
    struct Case { int overFree; bool posts; };
    // Thresholds around the memory drive's free space, which nothing else fills.
    const Case cases[] = {{256, true}, {0, true}, {-256, false}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        LowSpaceWindow window;
        CDiskSpaceMonitor monitor;
        ASSERT_TRUE(monitor.Init(window.Handle()));
        ASSERT_TRUE(monitor.SetDisk(kMemoryDrive, FreeMB(kMemoryDrive) + cases[i].overFree));
        monitor.Start(20);
        EXPECT_TRUE(monitor.IsRunning());
        if (cases[i].posts) {
            ASSERT_TRUE(PumpMessagesUntil([&] { return window.posts.size() >= 3; }, 5000))
                << "case " << i;
            EXPECT_STREQ(kMemoryDrive, window.posts[0].root) << "case " << i;
            EXPECT_NEAR(FreeMB(kMemoryDrive), window.posts[0].freeMB, 16) << "case " << i;
        } else {
            PumpMessagesUntil([] { return false; }, 300);
            EXPECT_EQ(0u, window.posts.size()) << "case " << i;
        }
        monitor.Stop();
        EXPECT_FALSE(monitor.IsRunning());
    }
}

TEST_F(ScratchDriveTest, TheMonitorSpeaksOnceTheDriveFillsUpToItsThreshold)
{
    LowSpaceWindow window;
    CDiskSpaceMonitor monitor;
    ASSERT_TRUE(monitor.Init(window.Handle()));
    ASSERT_TRUE(monitor.SetDisk(kMemoryDrive, FreeMB(kMemoryDrive) - 128));
    monitor.Start(20);
    PumpMessagesUntil([] { return false; }, 200);
    ASSERT_EQ(0u, window.posts.size());

    // A recording of 256 MB lands on the drive.
    std::string file = std::string(kMemoryDrive) + "recording.mpg";
    HANDLE recording = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, recording);
    std::vector<char> block(1 << 20, 'x');
    for (int i = 0; i < 256; ++i) {
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(recording, block.data(), (DWORD)block.size(), &written, NULL));
    }
    CloseHandle(recording);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !window.posts.empty(); }, 5000));
    DeleteFileA(file.c_str());
}

TEST_F(ScratchDriveTest, APostedRootOutlivesARebuiltDriveList)
{
    LowSpaceWindow window;
    CDiskSpaceMonitor monitor;
    ASSERT_TRUE(monitor.Init(window.Handle()));
    ASSERT_TRUE(monitor.SetDisk(kDiskDrive, FreeMB(kDiskDrive) + 1024));
    monitor.Check();
    // The control panel may open again and list the drives afresh before the message arrives.
    ASSERT_TRUE(monitor.Init(window.Handle()));
    ASSERT_TRUE(PumpMessagesUntil([&] { return !window.posts.empty(); }, 5000));
    EXPECT_STREQ(kDiskDrive, window.posts[0].root);
    EXPECT_EQ(monitor.GetDisk(), monitor.GetDiskManager().FindDisk(kDiskDrive));
}

TEST_F(ScratchDriveTest, AMonitorWatchesOnlyDrivesOfItsList)
{
    CDiskSpaceMonitor monitor;
    ASSERT_TRUE(monitor.Init(NULL));
    EXPECT_FALSE(monitor.SetDisk("Q:\\", 100));
    EXPECT_EQ(NULL, monitor.GetDisk());
    EXPECT_TRUE(monitor.SetDisk("s:\\", 100));
    EXPECT_EQ(monitor.GetDiskManager().FindDisk(kDiskDrive), monitor.GetDisk());
}

TEST(DiskInfo, KeepsOnlyTheRootOfAPath)
{
    struct Case { const char* given; const char* root; };
    const Case cases[] = {{"d:\\video", "d:\\"}, {"D:", "D:"}, {"E:\\", "E:\\"}};
    for (const Case& c : cases)
        EXPECT_STREQ(c.root, CDiskInfo(c.given).GetRoot()) << c.given;
}

TEST(DiskInfo, ADriveThatCannotBeReadKeepsItsFigures)
{
    CDiskInfo missing("Q:\\");
    EXPECT_FALSE(missing.ReadVolume());
    EXPECT_EQ(0, missing.Refresh());
    EXPECT_EQ(1, missing.GetTotalMB());
    EXPECT_EQ(0, missing.GetFreePercent());
}

} // namespace
