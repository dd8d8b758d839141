// Recordings over the simulated card and the prefix's stand-in filters: each record format
// writes its file and the preview comes back; a branch that cannot be built or run leaves
// the preview running and nothing of itself connected. The files are read by ffprobe on the
// Linux side (check-tv-recordings.sh) from the list this test writes beside them.
#include <gtest/gtest.h>

#include "TVGraph.h"

#include "CaptureDevice.h"
#include "FilterPin.h"
#include "IniFile.h"
#include "TVSystem.h"
#include "SimLogTail.h"
#include "SimSwitch.h"

#include <cstdio>
#include <memory>
#include <string>

namespace
{

const char kFolder[] = "C:\\sim\\out\\tvrecord";
const DWORD kRecordMs = 3000;

struct FormatCase
{
    int format;
    const char* file;
    // What ffprobe must find: container, video codec, picture size, sound rate.
    const char* container;
    const char* videoCodec;
    int width, height, audioRate;
};

// The tuner's PAL standard; the AVI picture is the preview's 640 x 480, and MPEG-4's default
// 640 x 480 is captured whole and halved for the codec.
const FormatCase kFormats[] = {
    {CTVGraph::kRecordAvi, "avi.avi", "avi", "rawvideo", 640, 480, 44100},
    {CTVGraph::kRecordMpeg1, "mpeg1.mpg", "mpeg", "mpeg1video", 352, 288, 44100},
    {CTVGraph::kRecordMpeg2, "mpeg2.mpg", "mpeg", "mpeg2video", 720, 576, 44100},
    {CTVGraph::kRecordMpeg4, "mpeg4.avi", "avi", "mpeg4", 320, 240, 44100},
    {CTVGraph::kRecordVcd, "vcd.mpg", "mpeg", "mpeg1video", 352, 288, 44100},
    {CTVGraph::kRecordSvcd, "svcd.mpg", "mpeg", "mpeg2video", 480, 576, 44100},
    {CTVGraph::kRecordDvd, "dvd.mpg", "mpeg", "mpeg2video", 720, 576, 48000},
    {CTVGraph::kRecordHiDvd, "hidvd.mpg", "mpeg", "mpeg2video", 720, 576, 48000},
    // A number without a row records as AVI.
    {8, "eight.avi", "avi", "rawvideo", 640, 480, 44100},
};

class TVGraphRecordTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CreateDirectoryA("C:\\sim", NULL);
        CreateDirectoryA("C:\\sim\\out", NULL);
        CreateDirectoryA(kFolder, NULL);
        m_window = CreateWindowExA(0, "STATIC", "record", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
        ASSERT_NE((HWND)NULL, m_window);
        ASSERT_TRUE(m_graph.GetBuilder().MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_graph.SetOwnerWnd(m_window);
        ASSERT_TRUE(m_graph.BuildPreview());
        ASSERT_TRUE(m_graph.RebuildPreview());
    }

    void TearDown() override
    {
        m_graph.CloseTV();
        DestroyWindow(m_window);
    }

    static std::string PathOf(const char* file) { return std::string(kFolder) + "\\" + file; }

    // Records for about kRecordMs; the time the branch really ran, in seconds.
    double Record(const char* file)
    {
        DeleteFileA(PathOf(file).c_str());
        m_graph.SetRecordFileName(PathOf(file).c_str());
        if (!m_graph.StartRecord())
            return -1;
        DWORD start = GetTickCount();
        EXPECT_TRUE(m_graph.IsRecording()) << file;
        Sleep(kRecordMs);
        DWORD ran = GetTickCount() - start;
        EXPECT_TRUE(m_graph.StartRecord()) << file << ": the second call stops the recording";
        EXPECT_FALSE(m_graph.IsRecording()) << file;
        return ran / 1000.0;
    }

    // The preview runs into the renderer, with no record filter left in the graph.
    void ExpectPreviewOnly(const char* context)
    {
        CGraphBuilder& builder = m_graph.GetBuilder();
        EXPECT_EQ(CGraphBuilder::kRunning, builder.GetState()) << context;
        CFilterWrapper* renderer = builder.FindWrapper("Render");
        ASSERT_NE(nullptr, renderer) << context;
        EXPECT_NE(nullptr, renderer->FindFreePin(PINDIR_INPUT, FALSE)) << context << ": the picture shows again";
        const char* recordFilters[] = {"Stelvark Demo MPEG Encoder", "Dump Filter", "ACM Wrapper", "AVISwitch",
                                       "AVI Mux", "AVI Writer", "Video SmartTee", "XviD MPEG-4 Codec"};
        for (const char* name : recordFilters)
            EXPECT_EQ(nullptr, builder.FindWrapper(name)) << context << ": " << name << " left in the graph";
    }

    static void AddToManifest(const std::string& line)
    {
        FILE* manifest = fopen((std::string(kFolder) + "\\manifest.txt").c_str(), "a");
        ASSERT_NE(nullptr, manifest);
        fprintf(manifest, "%s\n", line.c_str());
        fclose(manifest);
    }

    HWND m_window;
    CTVGraph m_graph;
};

TEST_F(TVGraphRecordTest, EachRecordFormatWritesOneFileAndReturnsToThePreview)
{
    DeleteFileA((std::string(kFolder) + "\\manifest.txt").c_str());
    EXPECT_FALSE(m_graph.SetRecordFormat(9));
    for (const FormatCase& c : kFormats) {
        ASSERT_TRUE(m_graph.SetRecordFormat(c.format)) << c.file;
        double seconds = Record(c.file);
        ASSERT_GT(seconds, 0) << c.file << ": the recording did not start";
        ExpectPreviewOnly(c.file);
        char line[256];
        snprintf(line, sizeof(line), "%s %s %s %dx%d %d %.3f", c.file, c.container, c.videoCodec, c.width, c.height,
                 c.audioRate, seconds);
        AddToManifest(line);
    }
}

// VCD keeps its 25-frame picture under NTSC: only the capture is cut to NTSC's 480 lines.
TEST_F(TVGraphRecordTest, VcdUnderNtscCaptures704By480AndStillEncodes352By288)
{
    ASSERT_TRUE(m_graph.SetVideoStandard(CTVGraph::kNtscM));
    ASSERT_TRUE(m_graph.SetRecordFormat(CTVGraph::kRecordVcd));
    SimLogTail encoder("mpegenc");
    m_graph.SetRecordFileName(PathOf("vcd-ntsc.mpg").c_str());
    ASSERT_TRUE(m_graph.StartRecord());
    CaptureFormat format;
    ASSERT_EQ(S_OK, m_graph.GetCaptureDevice()->GetCaptureFormat(&format, 1));
    EXPECT_EQ(704, format.header.bmiHeader.biWidth);
    EXPECT_EQ(480, format.header.bmiHeader.biHeight);
    EXPECT_TRUE(m_graph.StopRecord());
    bool preset = false;
    for (const std::string& line : encoder.Lines())
        preset = preset || line.find("V rec type=1 b25=1 w=352 h=288") != std::string::npos;
    EXPECT_TRUE(preset) << "the encoder took the 25-frame VCD preset";
}

struct FailureCase
{
    const char* what;
    int format;
    const char* file;
    // The stand-in switch that makes it fail, if any.
    const char* module;
    const char* switchName;
    const char* switchText;
};

// Each fails at a different step: adding the filters (an encoder the wrapper cannot use) and
// the encoder's preset. (A writer that refuses to run cannot fail this graph under Wine: its
// manager reports the renderer's pending pause instead.)
const FailureCase kFailures[] = {
    {"encoder without its multiplexer settings", CTVGraph::kRecordDvd, "nomux.mpg", "mpegenc", "Omit", "IMpegMuxSettings"},
    {"preset refused", CTVGraph::kRecordMpeg2, "preset.mpg", "mpegenc", "Fail", "SetVideoRecord=0x80004005"},
};

TEST_F(TVGraphRecordTest, ABranchThatCannotBeBuiltOrRunReportsFailureAndRebuildsThePreview)
{
    for (const FailureCase& c : kFailures) {
        std::unique_ptr<SimSwitch> injected;
        if (c.module)
            injected.reset(new SimSwitch(c.module, c.switchName, c.switchText));
        ASSERT_TRUE(m_graph.SetRecordFormat(c.format)) << c.what;
        m_graph.SetRecordFileName(PathOf(c.file).c_str());
        EXPECT_FALSE(m_graph.StartRecord()) << c.what;
        EXPECT_FALSE(m_graph.IsRecording()) << c.what;
        ExpectPreviewOnly(c.what);
    }
}

// The MPEG-4 codec's module taken out of the prefix for the scope, and registered again after.
class CodecRemoved
{
public:
    CodecRemoved() : m_module(LoadLibraryA("C:\\sim\\filters\\simxvid.ax")) { Call("DllUnregisterServer"); }
    ~CodecRemoved()
    {
        Call("DllRegisterServer");
        if (m_module)
            FreeLibrary(m_module);
    }
    bool Loaded() const { return m_module != NULL; }

private:
    void Call(const char* entry)
    {
        typedef HRESULT(STDAPICALLTYPE * Entry)();
        Entry call = m_module ? reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(m_module, entry))) : NULL;
        EXPECT_TRUE(call && SUCCEEDED(call())) << entry;
    }

    HMODULE m_module;
};

// The codec was listed when the preview was built, and has gone since.
TEST_F(TVGraphRecordTest, Mpeg4WithoutItsCodecReportsFailureAndRebuildsThePreview)
{
    ASSERT_EQ(1, m_graph.GetMpeg4CodecNames().GetSize());
    CodecRemoved removed;
    ASSERT_TRUE(removed.Loaded());
    ASSERT_TRUE(m_graph.SetRecordFormat(CTVGraph::kRecordMpeg4));
    m_graph.SetRecordFileName(PathOf("nocodec.avi").c_str());
    EXPECT_FALSE(m_graph.StartRecord());
    EXPECT_FALSE(m_graph.IsRecording());
    ExpectPreviewOnly("MPEG-4 without its codec");
}

// The settings' 352 x 288 is captured at twice the size and halved for the codec, which takes
// its FOURCC from the codec's own settings.
TEST_F(TVGraphRecordTest, Mpeg4At352By288CapturesTwiceTheSizeAndWritesTheCodecsFourcc)
{
    SIZE kept = theTVSystem.GetSettings().mpeg4RecordSize;
    theTVSystem.GetSettings().mpeg4RecordSize.cx = 352;
    theTVSystem.GetSettings().mpeg4RecordSize.cy = 288;
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\GNU\\XviD", 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                             &key, NULL));
    const DWORD dx50 = 2;
    RegSetValueExA(key, "fourcc_used", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dx50), sizeof(dx50));
    SimLogTail codec("xvid");
    ASSERT_TRUE(m_graph.SetRecordFormat(CTVGraph::kRecordMpeg4));
    m_graph.SetRecordFileName(PathOf("mpeg4-cif.avi").c_str());
    DeleteFileA(PathOf("mpeg4-cif.avi").c_str());
    bool started = m_graph.StartRecord();
    CaptureFormat format = {};
    if (started)
        m_graph.GetCaptureDevice()->GetCaptureFormat(&format, 1);
    DWORD begun = GetTickCount();
    Sleep(kRecordMs);
    double seconds = (GetTickCount() - begun) / 1000.0;
    EXPECT_TRUE(!started || m_graph.StopRecord());
    RegDeleteValueA(key, "fourcc_used");
    RegCloseKey(key);
    theTVSystem.GetSettings().mpeg4RecordSize = kept;
    ASSERT_TRUE(started);
    EXPECT_EQ(704, format.header.bmiHeader.biWidth);
    EXPECT_EQ(576, format.header.bmiHeader.biHeight);
    bool read = false;
    for (const std::string& line : codec.Lines())
        read = read || line.find("fourcc=DX50 in=YUY2 352x288") != std::string::npos;
    EXPECT_TRUE(read) << "the codec read its settings as it paused";
    char line[256];
    snprintf(line, sizeof(line), "mpeg4-cif.avi avi mpeg4 352x288 44100 %.3f DX50", seconds);
    AddToManifest(line);
}

TEST_F(TVGraphRecordTest, WithoutAnAudioCaptureDeviceNothingRecords)
{
    CTVGraph bare;
    bare.SetRecordFileName(PathOf("bare.mpg").c_str());
    EXPECT_FALSE(bare.StartRecord());
    EXPECT_FALSE(bare.IsRecording());
}

// The prefix's audio compressors as MPEG-4 recordings offer them: Microsoft ADPCM held back
// to lead, the InterVideo compressor left out.
TEST_F(TVGraphRecordTest, Mpeg4SoundListsMicrosoftAdpcmFirstAndLeavesInterVideoOut)
{
    const CStringArray& names = m_graph.GetMpeg4AudioNames();
    ASSERT_EQ(2, names.GetSize());
    EXPECT_STREQ("Microsoft ADPCM", names[0]);
    EXPECT_STREQ("PCM", names[1]);
}

struct FmCase
{
    int format;
    const char* file;
    // The user's compressor for format 3, as the settings sheet keeps it ("" none chosen).
    const char* compressor;
    // What ffprobe must find, or null when the recording must not start.
    const char* container;
    const char* audioCodec;
};

// Formats 0 and 1 take the prefix's "PCM" and "Microsoft ADPCM" devices, format 3 the one the
// user chose, without which its first step fails. The InterVideo writer opens no file without
// a name, so that graph cannot run. Each failure leaves the radio selected, and each ended
// branch leaves the graph: the later formats neither fail on the writer of the failed one nor
// empty the first one's file, which is read after them all.
const FmCase kFmFormats[] = {
    {CTVGraph::kFmRecordMpeg, "fm2.mpg", NULL, "mpeg", "mp2"},
    {CTVGraph::kFmRecordMpeg, "", NULL, NULL, NULL},
    {CTVGraph::kFmRecordPcm, "fm0.avi", NULL, "avi", "pcm_s16le"},
    {CTVGraph::kFmRecordAdpcm, "fm1.avi", NULL, "avi", "adpcm_ms"},
    {CTVGraph::kFmRecordCustom, "fm3-none.avi", "", NULL, NULL},
    {CTVGraph::kFmRecordCustom, "fm3.avi", "Microsoft ADPCM", "avi", "adpcm_ms"},
    {CTVGraph::kFmRecordCustom, "fm3-mp2.avi", "InterVideo MP2 Audio Compressor", "avi", "mp2"},
};

void ChooseFmCompressor(const char* name)
{
    theTVSystem.OpenParamFile();
    CIniFile* settings = theTVSystem.GetParamFile();
    ASSERT_NE(nullptr, settings);
    settings->SetInt("FM_CUSTOM", "SELECTED", 1);
    settings->SetValue("FM_CUSTOM", "FM_FIELTER1", name);
}

TEST_F(TVGraphRecordTest, FmRecordingsWriteSoundOnlyAndKeepTheRadioSelected)
{
    m_graph.StopGraph();
    EXPECT_EQ(0, m_graph.SwitchToRadio(TRUE));
    ASSERT_EQ(CTVGraph::kFm, m_graph.GetVideoSource());
    EXPECT_FALSE(m_graph.SetFMRecordFormat(4));
    for (const FmCase& c : kFmFormats) {
        ASSERT_TRUE(m_graph.SetFMRecordFormat(c.format)) << c.file;
        if (c.compressor)
            ChooseFmCompressor(c.compressor);
        if (!c.container) {
            m_graph.SetRecordFileName(*c.file ? PathOf(c.file).c_str() : "");
            EXPECT_FALSE(m_graph.StartRecord()) << c.file;
            EXPECT_FALSE(m_graph.IsRecording()) << c.file;
            EXPECT_EQ(CTVGraph::kFm, m_graph.GetVideoSource()) << c.file;
            EXPECT_EQ(CGraphBuilder::kStopped, m_graph.GetBuilder().GetState()) << c.file;
            continue;
        }
        double seconds = Record(c.file);
        ASSERT_GT(seconds, 0) << c.file << ": the recording did not start";
        EXPECT_EQ(CTVGraph::kFm, m_graph.GetVideoSource()) << c.file;
        char line[256];
        snprintf(line, sizeof(line), "%s %s - %s 44100 %.3f", c.file, c.container, c.audioCodec, seconds);
        AddToManifest(line);
    }
    EXPECT_EQ(CTVGraph::kFmRecordCustom, m_graph.GetFMRecordFormat());
}

} // namespace
