// The GO7007 box through its records over a card registered as the box, with a driver
// catalogue in its instance values and a profile file in the Windows directory.
#include <gtest/gtest.h>

#include "CSimInstanceKeys.h"
#include "GraphBuilder.h"
#include "Go7007Capture.h"
#include "Go7007Crossbar.h"
#include "Go7007RegisterAccess.h"
#include "DialogWatcher.h"
#include "MutexHolder.h"
#include "SimDeviceSupport.h"

#include <ks.h>
#include <ksmedia.h>
#include <mmreg.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const DWORD kCard = 1;
const DWORD kNtsc = 0x807;
const DWORD kPal = 0x7F0;

// The driver's catalogue: profiles "DVD" and "VCD"; MPEG-1, MPEG-2, the four MPEG-4 modes,
// a second MPEG-4 kind (68) that no frame rate may go with and a kind (3) no pin carries; NTSC and PAL rates and a PAL rate of 0; PAL D1, NTSC
// D1, PAL 320x240 and PAL CIF, which the PAL rate refuses.
std::vector<BYTE> DriverCatalogue()
{
    std::unique_ptr<VideoProfileCatalogue> c(new VideoProfileCatalogue());
    c->driverProfileCount = 2;
    strcpy(c->driverProfiles[0].name, "DVD");
    strcpy(c->driverProfiles[1].name, "VCD");
    const DWORD modes[] = {0, 1, 4, 4, 4, 4, 68, 3};
    c->streamCount = 8;
    for (int i = 0; i < 8; ++i) {
        c->streams[i].compressMode = modes[i];
        c->streams[i].head.mask = modes[i] == 4 ? 0x11 : 0x1;
        c->streams[i].mpeg4Mode = (BYTE)(i >= 2 && i <= 5 ? i - 2 : 0);
    }
    c->frameRateCount = 3;
    c->frameRates[0].frameRate = 30000;
    c->frameRates[0].tvStandard = kNtsc;
    c->frameRates[1].frameRate = 25025;
    c->frameRates[1].tvStandard = kPal;
    c->frameRates[2].frameRate = 0;
    c->frameRates[2].tvStandard = kPal;
    struct Size { DWORD w, h, standard, max, min; };
    const Size sizes[] = {{720, 576, kPal, 9000000, 1000000}, {720, 480, kNtsc, 9000000, 1000000},
                          {320, 240, kPal, 4000000, 100000}, {352, 288, kPal, 4000000, 100000}};
    c->resolutionCount = 4;
    for (int i = 0; i < 4; ++i) {
        ResolutionSettingRow& r = c->resolutions[i];
        r.width = sizes[i].w;
        r.height = sizes[i].h;
        r.tvStandard = sizes[i].standard;
        r.maxBitrate = sizes[i].max;
        r.minBitrate = sizes[i].min;
        r.head.mask = 0x203;
    }
    c->linkCount = 2;
    c->links[0] = {kStreamKind, 6, kFrameRateKind, kAnyProfileRow, 1};
    c->links[1] = {kFrameRateKind, 1, kResolutionKind, 3, 1};
    const BYTE* bytes = (const BYTE*)c.get();
    return std::vector<BYTE>(bytes, bytes + offsetof(VideoProfileCatalogue, combinationCount));
}

const char kProfileFile[] =
    "[StreamSetting]\nname=mpeg1\ncompress_mode=0\nsequence=1\n"
    "[StreamSetting]\nname=mpeg2\ncompress_mode=1\nsequence=2\n"
    "[StreamSetting]\nname=wmp4\ncompress_mode=4\nsequence=1\nmpeg4_mode=0\n"
    "[StreamSetting]\nname=dx50\ncompress_mode=4\nsequence=1\nmpeg4_mode=1\n"
    "[StreamSetting]\nname=mp4s\ncompress_mode=4\nsequence=1\nmpeg4_mode=2\n"
    "[StreamSetting]\nname=divx\ncompress_mode=4\nsequence=1\nmpeg4_mode=3\n"
    "[StreamSetting]\nname=m4x\ncompress_mode=68\nsequence=1\nmpeg4_mode=0\n"
    "[StreamSetting]\nname=m3\ncompress_mode=3\nsequence=1\n"
    "[FrameRateSetting]\nname=ntsc\nframe_rate=30000\ntv_standard=NTSC\n"
    "[FrameRateSetting]\nname=pal\nframe_rate=25025\ntv_standard=PAL\n"
    "[FrameRateSetting]\nname=zero\nframe_rate=0\ntv_standard=PAL\n"
    "[ResolutionSetting]\nname=d1pal\nwidth=720\nheight=576\ntv_standard=PAL\n"
    "[ResolutionSetting]\nname=d1ntsc\nwidth=720\nheight=480\ntv_standard=NTSC\n"
    "[ResolutionSetting]\nname=qvga\nwidth=320\nheight=240\ntv_standard=PAL\n"
    "[ResolutionSetting]\nname=cif\nwidth=352\nheight=288\ntv_standard=PAL\n"
    "[BitrateSetting]\nname=r4\ntarget_bitrate=4000000\nQ=8\n"
    "[BitrateSetting]\nname=r8\ntarget_bitrate=8000000\nQ=8\n"
    "[BitrateSetting]\nname=r0\ntarget_bitrate=0\nQ=8\n"
    "[BitrateSetting]\nname=r12\ntarget_bitrate=12000000\nQ=8\n";

std::vector<std::string> g_debugLines;

void CollectDebugLine(const char* line)
{
    g_debugLines.push_back(line);
}

std::string ProfilePath()
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\video_profiles.txt";
}

class Go7007BoxTest : public testing::Test
{
protected:
    Go7007BoxTest() : m_control(kCard) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        SimControl::Install(FALSE, L"card=1");
        // EEPROM bytes 16 and 17: tuner model 11, letter 'T'.
        ASSERT_EQ(S_OK, SimControl::Install(TRUE, L"card=1;family=go7007;audio=0;Profile=11;Go7007Profile=DVD;"
                                                  L"Eeprom=FF FF FF FF FF FF FF 00 FF FF FF FF FF FF FF FF 0B 54"));
        // A card left live by an earlier test takes the new instance values.
        m_control.Run("reset");
        std::vector<BYTE> catalogue = DriverCatalogue();
        ASSERT_TRUE(CSimInstanceKeys(kCard).SetBinary("Go7007Catalogue", catalogue.data(), (DWORD)catalogue.size()));
        FILE* file = fopen(ProfilePath().c_str(), "wb");
        ASSERT_NE(nullptr, file);
        fputs(kProfileFile, file);
        fclose(file);
        g_debugLines.clear();
        m_previousSink = CGo7007CaptureBase::SetDebugSink(CollectDebugLine);
    }

    void TearDown() override
    {
        CGo7007CaptureBase::SetDebugSink(m_previousSink);
        m_graph.TearDown();
        DeleteFileA(ProfilePath().c_str());
        SimControl::Install(FALSE, L"card=1");
    }

    CGo7007Capture* OpenBox()
    {
        return dynamic_cast<CGo7007Capture*>(
            m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "UT400 A/V Capture", "Video Capture", 0, 0));
    }

    DWORD TraceMark()
    {
        unsigned long seq = 0;
        sscanf(m_control("trace mark").c_str(), "seq=%lu", &seq);
        return seq;
    }

    // The trace lines from seq on that begin with the prefix, without their numbers.
    std::vector<std::string> TraceFrom(DWORD seq, const std::string& prefix)
    {
        std::vector<std::string> lines;
        std::string text = m_control("trace " + std::to_string(seq));
        size_t at = 0;
        while (at < text.size()) {
            size_t end = text.find('\n', at);
            std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
            at = end == std::string::npos ? text.size() : end + 1;
            size_t eq = line.find('=');
            if (eq != std::string::npos)
                line = line.substr(eq + 1);
            if (line.compare(0, prefix.size(), prefix) == 0)
                lines.push_back(line);
        }
        return lines;
    }

    CGraphBuilder m_graph;
    SimControl m_control;
    Go7007DebugSink m_previousSink = nullptr;
};

} // namespace

TEST_F(Go7007BoxTest, TheBoxComesThroughItsRecordWithTheEepromTuner)
{
    CGo7007Capture* box = OpenBox();
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(box->IsValid());
    EXPECT_EQ(18, box->GetAccessMode());
    EXPECT_EQ('T', box->GetSystemLetter());
    EXPECT_EQ(11, box->GetTunerModelId());
    EXPECT_STREQ("WIS GO7007SB A/V Capture", box->GetTunerFilterName());
    EXPECT_EQ(8u, box->GetProfiles().streamCount);
    EXPECT_EQ(2u, box->GetCatalogue().driverProfileCount);

    struct Case { const char* eeprom; int letter; int model; };
    const Case cases[] = {
        {"10 = 04 54", 'T', 4},
        {"10 = 00 4E", 'L', 72},     // letter "N" and model 0
        {"10 = 0B 58", 'X', 11},
        {"10 = 05 51", 'L', 5},      // a letter outside the list
    };
    for (const Case& c : cases) {
        m_control(std::string("eeprom ") + c.eeprom);
        int letter = 0, model = 0;
        EXPECT_EQ(S_OK, box->ReadEepromInfo(&letter, &model)) << c.eeprom;
        EXPECT_EQ(c.letter, letter) << c.eeprom;
        EXPECT_EQ(c.model, model) << c.eeprom;
    }
    m_control("eeprom 10 = 00 00");
    ASSERT_TRUE(box->InitDevice());
    EXPECT_EQ('L', box->GetSystemLetter());
    EXPECT_EQ(72, box->GetTunerModelId());
    EXPECT_EQ(1, box->ReadStatusFlag());
}

TEST_F(Go7007BoxTest, WithoutTheProfileFileTheBoxIsNotUsed)
{
    DeleteFileA(ProfilePath().c_str());
    CFilterWrapper* wrapper =
        m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "UT400 A/V Capture", "Video Capture", 0, 0);
    EXPECT_EQ(nullptr, wrapper);
}

TEST_F(Go7007BoxTest, AnotherHolderOfTheRemoteMutexStopsTheBoxWithABox)
{
    DialogWatcher watcher;
    MutexHolder holder("Mutex_Remote_Control");
    ASSERT_TRUE(holder.IsHolding());
    EXPECT_EQ(nullptr, OpenBox());
    std::vector<ShownDialog> shown = watcher.Dialogs();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("Initfilter lock failed", shown[0].text);
}

TEST_F(Go7007BoxTest, TuningGoesThroughTheRegisterObjectToThePll)
{
    CGo7007Capture* box = OpenBox();
    ASSERT_NE(nullptr, box);
    DWORD mark = TraceMark();
    EXPECT_TRUE(box->SetTunerFrequency(471250));
    std::vector<std::string> writes = TraceFrom(mark, "W 60");
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ("W 60 1F E2 CE 30", writes.back());
    std::vector<std::string> tuned = TraceFrom(mark, "T TV");
    ASSERT_FALSE(tuned.empty());
    EXPECT_NE(std::string::npos, tuned.back().find("t=471225 band=3 ok"));
    EXPECT_TRUE(TraceFrom(mark, "W 43").empty());

    // The fallback model asks for its stored standard again before each tuning.
    m_control("eeprom 10 = 00 00");
    m_control("demod on");
    ASSERT_TRUE(box->InitDevice());
    ASSERT_EQ(72, box->GetTunerModelId());
    ASSERT_TRUE(box->SetTunerStandard(AnalogVideo_PAL_D));
    mark = TraceMark();
    box->SetTunerFrequency(471250);
    EXPECT_EQ(std::vector<std::string>({"W 43 00 D6", "W 43 01 70", "W 43 02 4B", "W 60 1F E2 8E 08"}),
              TraceFrom(mark, "W "));
}

TEST_F(Go7007BoxTest, KeysAreReadAtTheKeyControllerOnlyWhileOneWaits)
{
    CGo7007Capture* box = OpenBox();
    ASSERT_NE(nullptr, box);
    BYTE key = 0x77;
    DWORD mark = TraceMark();
    EXPECT_FALSE(box->ReadRemoteKey(&key));
    EXPECT_EQ(0x77, key);
    // No key waiting: register 49 is never asked for.
    EXPECT_EQ(std::vector<std::string>({"W 5D 30"}), TraceFrom(mark, "W 5D"));

    m_control("key 2A");
    EXPECT_TRUE(box->ReadRemoteKey(&key));
    EXPECT_EQ(0x2A, key);
    EXPECT_FALSE(box->ReadRemoteKey(&key));
}

TEST_F(Go7007BoxTest, EepromBlocksStayWithinTheirLimits)
{
    CGo7007Capture* box = OpenBox();
    ASSERT_NE(nullptr, box);
    BYTE data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    struct Case { int offset; int count; HRESULT result; };
    const Case cases[] = {{250, 6, S_OK}, {250, 7, E_INVALIDARG}, {0, 0, E_INVALIDARG}, {-1, 2, E_INVALIDARG},
                          {255, 1, S_OK}};
    for (const Case& c : cases) {
        int count = c.count;
        DWORD mark = TraceMark();
        EXPECT_EQ(c.result, box->WriteEeprom(data, c.offset, &count, 0)) << c.offset << "+" << c.count;
        EXPECT_EQ(c.result == S_OK ? (size_t)c.count : 0u, TraceFrom(mark, "E [").size()) << c.offset;
        BYTE back[8] = {0};
        count = c.count;
        EXPECT_EQ(c.result, box->ReadEeprom(back, c.offset, &count)) << c.offset << "+" << c.count;
        if (c.result == S_OK) {
            EXPECT_EQ(c.count, count);
            EXPECT_EQ(0, memcmp(data, back, c.count)) << c.offset;
        }
    }
    // The last case wrote byte 0xFF again.
    EXPECT_EQ("01 02 03 04 05 01", m_control("eeprom FA 6").substr(0, 17));
    BYTE two[2] = {0x11, 0x22};
    EXPECT_EQ(E_INVALIDARG, box->WriteI2C(NULL, 2));
    EXPECT_EQ(E_FAIL, box->WriteI2C(two, 1));
    EXPECT_EQ(S_OK, box->WriteI2C(two, 2));
}

TEST_F(Go7007BoxTest, ApplyProfileSetsBothPinsForEachStreamKind)
{
    CGo7007Capture* box = OpenBox();
    ASSERT_NE(nullptr, box);
    struct Case
    {
        int stream;
        DWORD standard, rate, width, height, bitrate;
        BOOL highest, fixed;
        const char* capture;
        const char* debug;
    };
    const Case cases[] = {
        {0, kPal, 25025, 720, 576, 4000000, FALSE, FALSE,
         "V go cap MPEG1 720x576 400000 4000000 rows@108 mpeg1 pal d1pal r4 t=4000000",
         "MPEG1 width: 720 height: 576 fps: 400000 bps: 4000000"},
        {1, kPal, 25025, 720, 576, 4000000, TRUE, FALSE,
         "V go cap MPEG2 720x576 400000 8000000 ar=720:576 rows@144 mpeg2 pal d1pal r8 t=8000000",
         "MPEG2 width: 720 height: 576 fps: 400000 bps: 8000000"},
        {0, kNtsc, 30000, 720, 480, 8000000, FALSE, TRUE,
         "V go cap MPEG1 720x480 333666 0 rows@108 mpeg1 ntsc d1ntsc r8 t=0",
         "MPEG1 width: 720 height: 480 fps: 333666 bps: 0"},
        {2, kPal, 25025, 720, 576, 0, FALSE, FALSE,
         "V go cap WMP4 720x576 400000 0 rows@88 wmp4 pal d1pal r0 t=0",
         "videoinfo width: 720 height: 576 fps: 400000 bps: 0"},
        {3, kPal, 25025, 720, 576, 4000000, FALSE, FALSE,
         "V go cap DX50 720x576 400000 4000000 rows@88 dx50 pal d1pal r4 t=4000000",
         "videoinfo width: 720 height: 576 fps: 400000 bps: 4000000"},
        {4, kPal, 25025, 720, 576, 4000000, FALSE, FALSE,
         "V go cap MP4S 720x576 400000 4000000 rows@88 mp4s pal d1pal r4 t=4000000",
         "videoinfo width: 720 height: 576 fps: 400000 bps: 4000000"},
        {5, kPal, 25025, 720, 576, 4000000, FALSE, FALSE,
         "V go cap DIVX 720x576 400000 4000000 rows@88 divx pal d1pal r4 t=4000000",
         "videoinfo width: 720 height: 576 fps: 400000 bps: 4000000"},
        // A frame rate of 0 keeps the pin's frame time instead of dividing by it.
        {0, kPal, 0, 720, 576, 4000000, FALSE, FALSE,
         "V go cap MPEG1 720x576 400000 4000000 rows@108 mpeg1 zero d1pal r4 t=4000000",
         "MPEG1 width: 720 height: 576 fps: 400000 bps: 4000000"},
        // Too small a block for the rows: the format is set without them.
        {5, kPal, 25025, 320, 240, 4000000, FALSE, FALSE,
         "V go cap DIVX 320x240 400000 4000000 rows -",
         "videoinfo width: 320 height: 240 fps: 400000 bps: 4000000"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        g_debugLines.clear();
        DWORD mark = TraceMark();
        EXPECT_TRUE(box->ApplyProfile(c.standard, c.stream, c.rate, c.width, c.height, c.bitrate, c.highest, c.fixed,
                                      6000000, 5))
            << i;
        std::vector<std::string> formats = TraceFrom(mark, "V go");
        ASSERT_EQ(2u, formats.size()) << i;
        EXPECT_EQ(c.capture, formats[0]) << i;
        std::string preview = c.capture;
        preview.replace(5, 3, "pre");
        EXPECT_EQ(preview, formats[1]) << i;
        EXPECT_EQ(std::vector<std::string>({c.debug, c.debug}), g_debugLines) << i;
        bool mpeg4 = c.stream >= 2;
        EXPECT_EQ(mpeg4 ? 2u : 0u, TraceFrom(mark, "G7 mediatype").size()) << i;
    }
    const Go7007Profile& current = box->GetCurrentProfile();
    EXPECT_STREQ("divx", current.stream.head.name);

    // The fixed-quality bitrate row of the third case.
    ASSERT_TRUE(box->ApplyProfile(kNtsc, 0, 30000, 720, 480, 8000000, FALSE, TRUE, 6000000, 5));
    const BitrateSettingRow& fixed = box->GetCurrentProfile().bitrate;
    EXPECT_EQ(0u, fixed.targetBitrate);
    EXPECT_EQ(6000000u, fixed.peakBitrate);
    EXPECT_EQ(0u, fixed.q);
    EXPECT_EQ(100, fixed.lambda);
    EXPECT_EQ(5, fixed.iq);
    EXPECT_EQ(5, fixed.pq);
    EXPECT_EQ(5, fixed.bq);
}

TEST_F(Go7007BoxTest, ApplyProfileRefusesWhatTheCombinationsRefuseWithoutSettingAFormat)
{
    CGo7007Capture* box = OpenBox();
    ASSERT_NE(nullptr, box);
    struct Case { const char* what; int stream; DWORD standard, rate, width, height, bitrate; };
    const Case cases[] = {
        {"a stream that takes no frame rate", 6, kPal, 25025, 720, 576, 4000000},
        {"a frame rate no row has", 0, kPal, 24000, 720, 576, 4000000},
        {"a resolution the frame rate refuses", 0, kPal, 25025, 352, 288, 4000000},
        {"a resolution under another standard", 0, kPal, 25025, 720, 480, 4000000},
        {"a bit rate no row has", 0, kPal, 25025, 720, 576, 123},
        {"a bit rate above the resolution's limit", 0, kPal, 25025, 720, 576, 12000000},
        {"a stream of a kind no pin carries", 7, kPal, 25025, 720, 576, 4000000},
        {"a stream past the table", 8, kPal, 25025, 720, 576, 4000000},
    };
    for (const Case& c : cases) {
        g_debugLines.clear();
        DWORD mark = TraceMark();
        EXPECT_FALSE(box->ApplyProfile(c.standard, c.stream, c.rate, c.width, c.height, c.bitrate, FALSE, FALSE, 0, 0))
            << c.what;
        EXPECT_TRUE(TraceFrom(mark, "V go").empty()) << c.what;
        EXPECT_TRUE(g_debugLines.empty()) << c.what;
    }
    // A current profile the catalogue does not hold combines nothing.
    ASSERT_TRUE(CSimInstanceKeys(kCard).SetString("Go7007Profile", "SVCD"));
    DWORD mark = TraceMark();
    EXPECT_FALSE(box->ApplyProfile(kPal, 0, 25025, 720, 576, 4000000, FALSE, FALSE, 0, 0));
    EXPECT_TRUE(TraceFrom(mark, "V go").empty());
    EXPECT_FALSE(box->LoadCombinations(kPal));
    ASSERT_TRUE(CSimInstanceKeys(kCard).SetString("Go7007Profile", "DVD"));
    DWORD maxRate = 0, minRate = 0;
    EXPECT_TRUE(box->GetBitrateRange(kPal, 720, 576, &maxRate, &minRate));
    EXPECT_EQ(9000000u, maxRate);
    EXPECT_EQ(1000000u, minRate);
    std::vector<std::string> names;
    EXPECT_TRUE(box->ListFrameRateNames(kNtsc, &names));
    EXPECT_EQ(std::vector<std::string>({"ntsc"}), names);
}

TEST_F(Go7007BoxTest, PinFailuresGoToTheDebugSink)
{
    CGo7007Capture* box = OpenBox();
    ASSERT_NE(nullptr, box);
    const std::string capsFailed = "[wisproxy]: GetSteamCaps Failed!";
    const std::string ntsc = "MPEG1 width: 720 height: 480 fps: 333666 bps: 8000000";
    // Capability 0 (MPEG-1 at 720x576) fails on both pins; the search goes on to 720x480.
    ASSERT_TRUE(CSimInstanceKeys(kCard).SetDword("Go7007FailCaps", 0));
    g_debugLines.clear();
    DWORD mark = TraceMark();
    EXPECT_TRUE(box->ApplyProfile(kNtsc, 0, 30000, 720, 480, 8000000, FALSE, FALSE, 0, 0));
    EXPECT_EQ(std::vector<std::string>({capsFailed, ntsc, capsFailed, ntsc}), g_debugLines);
    EXPECT_EQ(2u, TraceFrom(mark, "V go").size());
    // The one capability of the profile's kind and size failing leaves the pins as they were.
    g_debugLines.clear();
    mark = TraceMark();
    EXPECT_FALSE(box->ApplyProfile(kPal, 0, 25025, 720, 576, 4000000, FALSE, FALSE, 0, 0));
    EXPECT_EQ(std::vector<std::string>({capsFailed, capsFailed}), g_debugLines);
    EXPECT_TRUE(TraceFrom(mark, "V go").empty());

    ASSERT_TRUE(CSimInstanceKeys(kCard).SetDword("Go7007FailCaps", 0xFFFFFFFF));
    ASSERT_TRUE(CSimInstanceKeys(kCard).SetDword("Go7007FailSetFormat", 0x80004005));
    g_debugLines.clear();
    mark = TraceMark();
    EXPECT_FALSE(box->ApplyProfile(kPal, 0, 25025, 720, 576, 4000000, FALSE, FALSE, 0, 0));
    const std::string pal = "MPEG1 width: 720 height: 576 fps: 400000 bps: 4000000";
    const std::string setFailed = "wisproxy: set pin format failed";
    EXPECT_EQ(std::vector<std::string>({pal, setFailed, pal, setFailed}), g_debugLines);
    EXPECT_TRUE(TraceFrom(mark, "V go").empty());
}

TEST_F(Go7007BoxTest, AudioFormatRoundTripsOnTheAudioPin)
{
    CGo7007Capture* box = OpenBox();
    ASSERT_NE(nullptr, box);
    Go7007AudioFormat format = {};
    ASSERT_TRUE(box->GetAudioFormat(&format));
    EXPECT_EQ((DWORD)WAVE_FORMAT_PCM, format.formatTag);
    EXPECT_EQ(44100u, format.samplesPerSec);
    EXPECT_EQ(2u, format.channels);
    Go7007AudioFormat wanted = {WAVE_FORMAT_PCM, 22050, 1, 16, 2, 44100, 0};
    box->SetAudioFormat(wanted);
    ASSERT_TRUE(box->GetAudioFormat(&format));
    EXPECT_EQ(0, memcmp(&wanted, &format, sizeof(format)));
    // Another format tag matches no capability: nothing changes.
    Go7007AudioFormat other = {WAVE_FORMAT_ADPCM, 8000, 1, 4, 256, 4096, 0};
    box->SetAudioFormat(other);
    ASSERT_TRUE(box->GetAudioFormat(&format));
    EXPECT_EQ(0, memcmp(&wanted, &format, sizeof(format)));
}

TEST_F(Go7007BoxTest, TheCrossbarRoutesEachSourceThroughItsMap)
{
    CGo7007Crossbar* crossbar = dynamic_cast<CGo7007Crossbar*>(
        m_graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, "UT400 CrossBar", "Crossbar", 0, 0));
    ASSERT_NE(nullptr, crossbar);
    struct Case { int source; const char* video; const char* audio; };
    const Case cases[] = {
        // The card's own jacks: S-video 0, tuner 1, composite 2, tuner sound 4, line 5.
        {CCrossbarWrapper::kTuner, "X out=0 in=1", "X out=1 in=4"},
        {CCrossbarWrapper::kComposite, "X out=0 in=2", "X out=1 in=5"},
        {CCrossbarWrapper::kSVideo, "X out=0 in=0", "X out=1 in=5"},
    };
    for (const Case& c : cases) {
        DWORD mark = TraceMark();
        EXPECT_TRUE(crossbar->SelectInput(c.source)) << c.source;
        EXPECT_TRUE(crossbar->SelectAudioInput(c.source)) << c.source;
        EXPECT_EQ(std::vector<std::string>({c.video, c.audio}), TraceFrom(mark, "X out")) << c.source;
    }
    EXPECT_TRUE(crossbar->RouteChecked(4, 1));
    EXPECT_FALSE(crossbar->RouteChecked(5, 1));
    EXPECT_FALSE(crossbar->RouteChecked(0, 2));
}
