// The time-shift graph over the simulated card: the encoder writes into the time-shift filter,
// whose data and index files grow while it plays the stream out again through the
// demultiplexer and the decoders into a video and a sound renderer.
#include "GraphBuilder.h"
#include "Mpeg2DemuxFilter.h"
#include "MpegAudioDecoderFilter.h"
#include "MpegEncoderFilter.h"
#include "MpegVideoDecoderFilter.h"
#include "SimDeviceSupport.h"
#include "SimLogTail.h"
#include "StaTest.h"
#include "TimeShiftFilter.h"

#include <gtest/gtest.h>
#include <qedit.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

namespace
{
const CLSID kSampleGrabber = {0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
const CLSID kNullRenderer = {0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
const char kCaptureName[] = "Conexant 2388x_1 Video Capture";
const char kAudioName[] = "Conexant 2388x_1 Audio Capture";
const CLSID kCrossbarCategory = {0xA799A801, 0xA46D, 0x11D0, {0xA1, 0x8C, 0x00, 0xA0, 0x24, 0x01, 0xDC, 0xD4}};
const char kCrossbarName[] = "Conexant 2388x_1 Crossbar";
const long kCompositeIn = 2;
const long kTunerIn = 1;
const char kDataPath[] = "C:\\sim\\out\\timeshift\\ts.mpg";
const char kIndexPath[] = "C:\\sim\\out\\timeshift\\ts.idx";
const DWORD kWaitMs = 20000;

// Counts the decoded pictures that reach the renderer; called on the streaming thread.
class PictureCounter : public ISampleGrabberCB
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) ? static_cast<ISampleGrabberCB*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    // Lives on the test's stack, longer than the grabber that holds it.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample* sample) override
    {
        lastLength = sample->GetActualDataLength();
        BYTE* data = nullptr;
        if (lastLength == kWidth * kHeight * 2 && SUCCEEDED(sample->GetPointer(&data))) {
            lastId = SimFrameReader::Band(data, kWidth, kHeight, 0);
            lastFrame = SimFrameReader::Band(data, kWidth, kHeight, 1);
            if (pictures == 0)
                firstFrame = lastFrame.load();
            if (watchingBack && lastFrame < backFrom) {
                landedFrame = lastFrame.load();
                watchingBack = false;
            }
        }
        ++pictures;
        return S_OK;
    }
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    // True once the count has passed target; false after the time-out.
    bool WaitBeyond(LONG target)
    {
        for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
            if (pictures > target)
                return true;
            Sleep(20);
        }
        return false;
    }

    // The next picture older than the last one shown is kept as where a jump back landed.
    void WatchForJumpBack()
    {
        backFrom = lastFrame.load();
        watchingBack = true;
    }
    bool WaitForJumpBack()
    {
        for (DWORD waited = 0; waited < kWaitMs && watchingBack; waited += 20)
            Sleep(20);
        return !watchingBack;
    }

    static const LONG kWidth = 720;
    static const LONG kHeight = 480;
    std::atomic<LONG> pictures{0};
    std::atomic<long> lastLength{0};
    // The card's ID and frame-number bands as the decoded pictures show them.
    std::atomic<DWORD> lastId{0};
    std::atomic<DWORD> firstFrame{0};
    std::atomic<DWORD> lastFrame{0};
    std::atomic<bool> watchingBack{false};
    std::atomic<DWORD> backFrom{0};
    std::atomic<DWORD> landedFrame{0};
};

LONGLONG FileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// Waits until the file is larger than size.
bool WaitForGrowth(const char* path, LONGLONG size)
{
    for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
        if (FileSize(path) > size)
            return true;
        Sleep(20);
    }
    return false;
}

// The time-shift stand-in writes the mark as it takes a pause or resume.
bool HasMark(const SimLogTail& trace, const char* mark)
{
    for (const std::string& line : trace.Lines()) {
        if (line.find(mark) != std::string::npos)
            return true;
    }
    return false;
}

class TimeShiftGraphTest : public StaTest
{
protected:
    void SetUp() override
    {
        StaTest::SetUp();
        CreateDirectoryA("C:\\sim", nullptr);
        CreateDirectoryA("C:\\sim\\out", nullptr);
        CreateDirectoryA("C:\\sim\\out\\timeshift", nullptr);
        DeleteFileA(kDataPath);
        DeleteFileA(kIndexPath);
    }

    void TearDown() override
    {
        // The card's routing outlives the graph: leave it as the other tests expect it.
        if (crossbar)
            crossbar->Route(0, kTunerIn);
        crossbar.Reset();
        StaTest::TearDown();
    }

    // The composite input carries the card's bars, which code into pictures of modest size.
    void RouteComposite()
    {
        CFilterWrapper* wrapper = builder.AddFilterByName(kCrossbarCategory, kCrossbarName, kCrossbarName, 0, 0);
        ASSERT_NE(nullptr, wrapper);
        ASSERT_HRESULT_SUCCEEDED(wrapper->GetFilter()->QueryInterface(IID_IAMCrossbar, crossbar.ReceiveVoid()));
        ASSERT_HRESULT_SUCCEEDED(crossbar->Route(0, kCompositeIn));
    }

    // Card and encoder as the time-shift build sets them up, into the time-shift filter.
    void BuildRecordingSide(LONGLONG size = (LONGLONG)((28000 + 4500000 * 0.125) * 600))
    {
        CFilterWrapper* capture = builder.AddFilterByName(CLSID_VideoInputDeviceCategory, kCaptureName, kCaptureName, 0, 0);
        CFilterWrapper* audio = builder.AddFilterByName(CLSID_AudioInputDeviceCategory, kAudioName, kAudioName, 0, 0);
        encoder = dynamic_cast<CMpegEncoderFilter*>(builder.AddFilter(CLSID_MpegEncoder, "Stelvark Demo MPEG Encoder"));
        timeShift = dynamic_cast<CTimeShiftFilter*>(builder.AddFilter(CLSID_TimeShift, "Time Shift"));
        ASSERT_TRUE(capture && audio && encoder && timeShift);
        RouteComposite();
        ASSERT_TRUE(builder.ConnectFilters(capture, encoder, "Capture", "Input Video"));
        ASSERT_TRUE(builder.ConnectFilters(audio, encoder, "Capture", "Input Audio"));
        ASSERT_TRUE(builder.ConnectFilters(encoder, timeShift, "Output", "Input"));

        MpegEncoderPreset preset;
        ASSERT_TRUE(PresetMpeg2(&preset, TRUE));
        preset.videoBits = 1;
        ASSERT_TRUE(encoder->ApplyPreset(&preset));
        ASSERT_TRUE(encoder->SetVideoParam96(0));
        ASSERT_TRUE(encoder->SetVideoParam97(1));
        ASSERT_TRUE(timeShift->SetTimeShiftFile(kDataPath));
        ASSERT_TRUE(timeShift->SetBufferSize(&size, 0));
    }

    // Demultiplexer, decoders and renderers behind the time-shift filter.
    void BuildPlayingSide()
    {
        demux = dynamic_cast<CMpeg2DemuxFilter*>(builder.AddFilter(CLSID_Mpeg2Demultiplexer, "MPEG-2 Demultiplexer"));
        CFilterWrapper* video =
            builder.AddFilter(CLSID_MpegVideoDecoder, "Stelvark Demo MPEG Video Decoder");
        CFilterWrapper* sound = builder.AddFilter(CLSID_MpegAudioDecoder, "Audio Decodec");
        CFilterWrapper* grabber = builder.AddFilter(kSampleGrabber, "SampleGrabber");
        CFilterWrapper* renderer = builder.AddFilter(kNullRenderer, "Video Renderer");
        CFilterWrapper* speaker = builder.AddFilter(CLSID_DSoundRender, "Direct Sound Filter");
        ASSERT_TRUE(demux && dynamic_cast<CMpegVideoDecoderFilter*>(video) &&
                    dynamic_cast<CMpegAudioDecoderFilter*>(sound) && grabber && renderer && speaker);
        ASSERT_TRUE(demux->CreateOutputPin("Video", FALSE));
        ASSERT_TRUE(demux->CreateOutputPin("Audio", TRUE));

        CComRef<ISampleGrabber> grab;
        ASSERT_HRESULT_SUCCEEDED(grabber->GetFilter()->QueryInterface(IID_ISampleGrabber, grab.ReceiveVoid()));
        AM_MEDIA_TYPE wanted = {};
        wanted.majortype = MEDIATYPE_Video;
        wanted.subtype = MEDIASUBTYPE_YUY2;
        ASSERT_HRESULT_SUCCEEDED(grab->SetMediaType(&wanted));
        ASSERT_HRESULT_SUCCEEDED(grab->SetCallback(&counter, 0));

        ASSERT_TRUE(builder.ConnectFilters(timeShift, demux, "Output", "MPEG-2 Stream"));
        ASSERT_TRUE(builder.ConnectFilters(demux, video, "Video", "Video In"));
        ASSERT_TRUE(builder.ConnectFilters(video, grabber, "Video Out", nullptr));
        ASSERT_TRUE(builder.ConnectFilters(grabber, renderer, nullptr, nullptr));
        ASSERT_TRUE(builder.ConnectFilters(demux, sound, "Audio", "Audio In"));
        ASSERT_TRUE(builder.ConnectFilters(sound, speaker, "Audio Out", nullptr));
        ASSERT_TRUE(demux->MapStreamId("Video", FALSE));
        ASSERT_TRUE(demux->MapStreamId("Audio", TRUE));

        CComRef<IReferenceClock> clock;
        CComRef<IMediaFilter> graph;
        ASSERT_HRESULT_SUCCEEDED(speaker->GetFilter()->QueryInterface(IID_IReferenceClock, clock.ReceiveVoid()));
        ASSERT_HRESULT_SUCCEEDED(builder.GetGraph()->QueryInterface(IID_IMediaFilter, graph.ReceiveVoid()));
        ASSERT_HRESULT_SUCCEEDED(graph->SetSyncSource(clock.Get()));
    }

    CGraphBuilder builder;
    CComRef<IAMCrossbar> crossbar;
    CMpegEncoderFilter* encoder = nullptr;
    CTimeShiftFilter* timeShift = nullptr;
    CMpeg2DemuxFilter* demux = nullptr;
    PictureCounter counter;
};
}

TEST_F(TimeShiftGraphTest, FilesGrowWhilePicturesPlayBackAndPauseResumes)
{
    ASSERT_NE(nullptr, builder.GetGraph()) << CGraphBuilder::GetLastErrorText();
    // 224 kbit/s of sound and the video rate, for 600 seconds.
    BuildRecordingSide((LONGLONG)((28000 + 4500000 * 0.125) * 600));
    BuildPlayingSide();
    ASSERT_TRUE(builder.Run());

    ASSERT_TRUE(WaitForGrowth(kDataPath, 0));
    ASSERT_TRUE(counter.WaitBeyond(5)) << "decoded pictures reach the renderer";
    EXPECT_EQ(720 * 480 * 2, counter.lastLength) << "at the size of the demultiplexer's format block";
    // The card's own picture comes back: its composite input's ID word, and frames that move on.
    EXPECT_EQ(0x20000000u, counter.lastId.load());
    EXPECT_GT(counter.lastFrame.load(), counter.firstFrame.load());
    LONGLONG data = FileSize(kDataPath), index = FileSize(kIndexPath);
    EXPECT_GT(index, 16) << "index records after the header";
    ASSERT_TRUE(WaitForGrowth(kDataPath, data));
    ASSERT_TRUE(WaitForGrowth(kIndexPath, index));

    LONGLONG total = 0, available = 0, current = 0;
    ASSERT_TRUE(timeShift->GetPosition(&total, &available, &current));
    EXPECT_EQ(354300000, total);
    EXPECT_GT(available, 0);
    EXPECT_LE(current, available);

    // Paused, the play-out stops while the files go on growing; resumed, pictures come again.
    SimLogTail pauseTrace("timeshift");
    ASSERT_TRUE(timeShift->TogglePause());
    // Meanwhile a jump lands on the pack start at or before the place asked for, within what is held.
    ASSERT_TRUE(WaitForGrowth(kDataPath, 300000));
    ASSERT_TRUE(timeShift->SetPosition(200000));
    ASSERT_TRUE(timeShift->GetPosition(&total, &available, &current));
    EXPECT_LE(current, 200000);
    EXPECT_GT(current, 200000 - 2048);
    ASSERT_TRUE(timeShift->SetPosition(-5));
    ASSERT_TRUE(timeShift->GetPosition(&total, &available, &current));
    EXPECT_EQ(0, current);
    LONGLONG held = available;
    ASSERT_TRUE(timeShift->SetPosition(held + 100000));
    ASSERT_TRUE(timeShift->GetPosition(&total, &available, &current));
    EXPECT_LE(current, available);
    EXPECT_GT(current, held - 4096);
    // The recording side's growth is the clock: while the files grow twice more the paused
    // play-out sends nothing after what was already on its way.
    EXPECT_TRUE(HasMark(pauseTrace, "T pause"));
    ASSERT_TRUE(WaitForGrowth(kDataPath, FileSize(kDataPath)));
    LONG paused = counter.pictures;
    ASSERT_TRUE(WaitForGrowth(kDataPath, FileSize(kDataPath)));
    ASSERT_TRUE(WaitForGrowth(kDataPath, FileSize(kDataPath)));
    EXPECT_LE(counter.pictures - paused, 2) << "at most what was on its way";
    SimLogTail resumeTrace("timeshift");
    ASSERT_TRUE(timeShift->TogglePause());
    EXPECT_TRUE(HasMark(resumeTrace, "T run"));
    EXPECT_TRUE(counter.WaitBeyond(counter.pictures + 5));

    // Resumed, play-out went on from the paused place; a jump back to the start plays the held
    // stream again from its first picture, the one the run showed first, within one group
    // of pictures (12 at 25 frames).
    EXPECT_GT(counter.lastFrame.load(), counter.firstFrame.load() + 12) << "the run moved on from the first group";
    counter.WatchForJumpBack();
    ASSERT_TRUE(timeShift->SetPosition(0));
    ASSERT_TRUE(counter.WaitForJumpBack()) << "no older picture came after the jump";
    EXPECT_GE(counter.landedFrame.load(), counter.firstFrame.load());
    EXPECT_LT(counter.landedFrame.load(), counter.firstFrame.load() + 12);
    EXPECT_TRUE(counter.WaitBeyond(counter.pictures + 5));
    ASSERT_TRUE(builder.Stop());
    builder.TearDown();

    char header[4] = {};
    HANDLE file = CreateFileA(kIndexPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD read = 0;
    ReadFile(file, header, 4, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(0, memcmp(header, "TSIX", 4));
}

TEST_F(TimeShiftGraphTest, ReaderOvertakenByTheRingPlaysOnAfterTheOldestPack)
{
    ASSERT_NE(nullptr, builder.GetGraph()) << CGraphBuilder::GetLastErrorText();
    const LONGLONG ring = 1000000;
    SimLogTail log("timeshift");
    BuildRecordingSide(ring);
    BuildPlayingSide();
    ASSERT_TRUE(builder.Run());
    ASSERT_TRUE(counter.WaitBeyond(2));

    // Paused, the reader is overtaken once the writer has gone round the ring: the data file
    // stays the ring's size and the held bytes never exceed it.
    ASSERT_TRUE(timeShift->TogglePause());
    // The writer has a whole ring to fill first, which a loaded machine's card takes its time over.
    LONGLONG total = 0, available = 0, current = -1;
    for (DWORD waited = 0; waited < 3 * kWaitMs && !(current == 0 && available > ring / 2); waited += 20) {
        Sleep(20);
        ASSERT_TRUE(timeShift->GetPosition(&total, &available, &current));
    }
    ASSERT_EQ(0, current) << "the writer has gone past the paused reader";
    EXPECT_EQ(ring, total);
    EXPECT_LE(available, ring);
    EXPECT_EQ(ring, FileSize(kDataPath));

    // Resumed, play-out carries on from a picture after the oldest pack still held.
    LONG before = counter.pictures;
    ASSERT_TRUE(timeShift->TogglePause());
    EXPECT_TRUE(counter.WaitBeyond(before + 5));
    ASSERT_TRUE(builder.Stop());
    builder.TearDown();
    std::vector<std::string> lines = log.Lines();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "! overrun"));
}
