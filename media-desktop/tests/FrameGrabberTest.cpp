#include <gtest/gtest.h>

#include <atomic>

#include "ModulePaths.h"

#include "CFrameGrabber.h"
#include "TempFolder.h"
#include "TestVideos.h"

#include <thread>
#include <vector>

namespace {

class FrameGrabberTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        DeleteFileA(grabPath);
    }
    void TearDown() override
    {
        DeleteFileA(grabPath);
        CoUninitialize();
    }

    CString grabPath = GetModuleDir() + "\\Grab.bmp";
    TempFolder temp;
    CFrameGrabber grabber;
};

template <typename T>
T Read(const std::string& bytes, size_t offset)
{
    T value;
    memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

TEST_F(FrameGrabberTest, WritesTheFirstFrameWithItsTwoHeaders)
{
    const std::string avi = temp.FilePath("clip.avi");
    ASSERT_TRUE(WriteAvi(avi, 3));
    ASSERT_TRUE(grabber.GrabFrame(avi.c_str()));

    const std::string bmp = TempFolder::ReadWholeFile((LPCTSTR)grabPath);
    const size_t data = kAviWidth * kAviHeight * 4;
    ASSERT_EQ(54 + data, bmp.size());
    EXPECT_EQ("BM", bmp.substr(0, 2));
    EXPECT_EQ(54 + data, Read<DWORD>(bmp, 2));
    EXPECT_EQ(0u, Read<DWORD>(bmp, 6)) << "the two reserved words";
    EXPECT_EQ(54u, Read<DWORD>(bmp, 10));
    EXPECT_EQ(40u, Read<DWORD>(bmp, 14));
    EXPECT_EQ(kAviWidth, Read<LONG>(bmp, 18));
    EXPECT_EQ(kAviHeight, Read<LONG>(bmp, 22));
    EXPECT_EQ(1, Read<WORD>(bmp, 26));
    EXPECT_EQ(32, Read<WORD>(bmp, 28));
    for (size_t offset = 30; offset < 54; offset += 4)
        EXPECT_EQ(0u, Read<DWORD>(bmp, offset)) << "offset " << offset;
    // Colour bytes of the first pixel as the file holds them.
    const std::vector<BYTE> first = AviFramePixels(0);
    EXPECT_EQ(first[0], (BYTE)bmp[54]);
    EXPECT_EQ(first[1], (BYTE)bmp[55]);
    EXPECT_EQ(first[2], (BYTE)bmp[56]);
    EXPECT_EQ(first[4 * 5 + 1], (BYTE)bmp[54 + 4 * 5 + 1]);
}

TEST_F(FrameGrabberTest, AFileThatIsNoVideoGivesFalseAndNoPicture)
{
    const std::string text = temp.Write("notes.avi", "just some text, not a video file\r\n");
    EXPECT_FALSE(grabber.GrabFrame(text.c_str()));
    EXPECT_FALSE(grabber.GrabFrame(temp.FilePath("missing.avi").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(grabPath));
}

// Holds the streaming thread in its callback until released, as a decoder that stops answering
// would: the graph cannot end while it waits.
class HeldGrabber : public CFrameGrabber
{
public:
    HeldGrabber()
        : m_entered(CreateEventA(NULL, TRUE, FALSE, NULL)), m_release(CreateEventA(NULL, TRUE, FALSE, NULL))
    {
    }
    ~HeldGrabber() override
    {
        CloseHandle(m_entered);
        CloseHandle(m_release);
    }
    STDMETHODIMP BufferCB(double sampleTime, BYTE* buffer, long size) override
    {
        SetEvent(m_entered);
        WaitForSingleObject(m_release, 30000);
        return CFrameGrabber::BufferCB(sampleTime, buffer, size);
    }
    bool WaitUntilHeld() { return WaitForSingleObject(m_entered, 30000) == WAIT_OBJECT_0; }
    void LetGo()
    {
        letGo = true;
        SetEvent(m_release);
    }

    std::atomic<bool> letGo{false};

private:
    HANDLE m_entered;
    HANDLE m_release;
};

TEST_F(FrameGrabberTest, AGraphThatHasNotEndedByTheTimeOutIsStoppedAndGivesFalse)
{
    const std::string avi = temp.FilePath("held.avi");
    ASSERT_TRUE(WriteAvi(avi, 3));
    HeldGrabber held;
    held.SetTimeout(500);
    // The streaming thread is held well past the time-out, so the graph cannot have ended;
    // stopping it then waits for the thread, which is let go only after that.
    std::thread releaser([&] {
        if (held.WaitUntilHeld())
            Sleep(1500);
        held.LetGo();
    });
    EXPECT_FALSE(held.GrabFrame(avi.c_str()));
    EXPECT_TRUE(held.letGo) << "the grab returned before its graph had stopped";
    releaser.join();
}

}  // namespace
