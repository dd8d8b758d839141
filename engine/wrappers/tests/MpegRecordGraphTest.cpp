// MPEG recordings of the simulated card through the encoder wrapper, one per record format,
// into the dump filter (and, while the encoder's output is unconnected, into the file the
// encoder writes itself). The files are checked with ffprobe by mpeg_recordings_check.
#include "GraphBuilder.h"
#include "MpegEncoderFilter.h"
#include "SimLogTail.h"
#include "StaTest.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
const CLSID kDumpClsid = {0x36A5F770, 0xFE4C, 0x11CE, {0xA8, 0xED, 0x00, 0xAA, 0x00, 0x2F, 0xEA, 0xB5}};
const char kCaptureName[] = "Conexant 2388x_1 Video Capture";
const char kAudioName[] = "Conexant 2388x_1 Audio Capture";
const char kFolder[] = "C:\\sim\\out\\mpeg";
const DWORD kRecordMs = 2500;

struct Format
{
    const char* file;
    BOOL (*fill)(MpegEncoderPreset*, BOOL);
    int word3;
    int audioRate;
};

// The record formats as the graph engine sets them up for a 25 fps standard.
const Format kFormats[] = {
    {"mpeg1", PresetMpeg1, 2, 44100}, {"mpeg2", PresetMpeg2, 1, 44100}, {"vcd", PresetVcd, 2, 44100},
    {"svcd", PresetSvcd, 1, 44100},   {"dvd", PresetDvd, 1, 48000},     {"hidvd", PresetHiDvd, 1, 48000},
};

class MpegRecordGraphTest : public StaTest
{
protected:
    void SetUp() override
    {
        StaTest::SetUp();
        CreateDirectoryA("C:\\sim", nullptr);
        CreateDirectoryA("C:\\sim\\out", nullptr);
        CreateDirectoryA(kFolder, nullptr);
    }

    static HRESULT SetAudioRate(CFilterWrapper* audio, int rate)
    {
        CFilterPin* pin = audio->FindPin("Capture");
        if (pin == nullptr)
            return E_FAIL;
        CComRef<IAMStreamConfig> config;
        HRESULT hr = pin->GetPin()->QueryInterface(IID_IAMStreamConfig, config.ReceiveVoid());
        AM_MEDIA_TYPE* type = nullptr;
        if (SUCCEEDED(hr))
            hr = config->GetFormat(&type);
        if (FAILED(hr))
            return hr;
        WAVEFORMATEX* wave = reinterpret_cast<WAVEFORMATEX*>(type->pbFormat);
        wave->nSamplesPerSec = rate;
        wave->nAvgBytesPerSec = rate * wave->nBlockAlign;
        hr = config->SetFormat(type);
        CoTaskMemFree(type->pbFormat);
        CoTaskMemFree(type);
        return hr;
    }

    // Builds card -> encoder (-> dump) into builder and applies the format's preset.
    void Build(CGraphBuilder& builder, const Format& f, const std::string& path, bool throughDump)
    {
        DeleteFileA(path.c_str());
        ASSERT_NE(nullptr, builder.GetGraph()) << CGraphBuilder::GetLastErrorText();
        CFilterWrapper* capture = builder.AddFilterByName(CLSID_VideoInputDeviceCategory, kCaptureName, kCaptureName, 0, 0);
        CFilterWrapper* audio = builder.AddFilterByName(CLSID_AudioInputDeviceCategory, kAudioName, kAudioName, 0, 0);
        ASSERT_TRUE(capture && audio) << f.file;
        CMpegEncoderFilter* encoder =
            dynamic_cast<CMpegEncoderFilter*>(builder.AddFilter(CLSID_MpegEncoder, "Stelvark Demo MPEG Encoder"));
        ASSERT_NE(nullptr, encoder) << f.file;
        ASSERT_HRESULT_SUCCEEDED(SetAudioRate(audio, f.audioRate)) << f.file;
        ASSERT_TRUE(builder.ConnectFilters(capture, encoder, "Capture", "Input Video")) << f.file;
        ASSERT_TRUE(builder.ConnectFilters(audio, encoder, "Capture", "Input Audio")) << f.file;
        if (throughDump) {
            CFilterWrapper* dump = builder.AddFilter(kDumpClsid, "Dump Filter");
            ASSERT_NE(nullptr, dump) << f.file;
            CComRef<IFileSinkFilter> sink;
            ASSERT_HRESULT_SUCCEEDED(dump->GetFilter()->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid()));
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            ASSERT_HRESULT_SUCCEEDED(sink->SetFileName(wide, nullptr));
            ASSERT_TRUE(builder.ConnectFilters(encoder, dump, "Output", nullptr)) << f.file;
        } else {
            ASSERT_TRUE(encoder->SetFileName(path.c_str())) << f.file;
        }
        MpegEncoderPreset preset;
        ASSERT_TRUE(f.fill(&preset, TRUE));
        preset.videoBits = f.word3;
        ASSERT_TRUE(encoder->ApplyPreset(&preset)) << f.file;
    }

    // Builds the format's graph and records a while.
    void Record(const Format& f, bool throughDump)
    {
        std::string path = std::string(kFolder) + "\\" + f.file + (throughDump ? "-dump.mpg" : "-enc.mpg");
        CGraphBuilder builder;
        Build(builder, f, path, throughDump);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(builder.Run()) << f.file;
        Sleep(kRecordMs);
        ASSERT_TRUE(builder.Stop()) << f.file;
        builder.TearDown();
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
        EXPECT_GT(data.nFileSizeLow, 100000u) << path;
    }

    // The pictures each of the encoder's streams held, as its log counts them.
    static std::vector<long> PicturesPerStream(const SimLogTail& log)
    {
        std::vector<long> pictures;
        for (const std::string& line : log.Lines()) {
            if (line.compare(0, 11, "N pictures=") == 0)
                pictures.push_back(atol(line.c_str() + 11));
        }
        return pictures;
    }
};
}

TEST_F(MpegRecordGraphTest, EachFormatIsWrittenByTheEncoderItself)
{
    for (const Format& f : kFormats)
        Record(f, false);
}

TEST_F(MpegRecordGraphTest, EachFormatIsWrittenThroughTheDumpFilter)
{
    for (const Format& f : kFormats)
        Record(f, true);
}

// A pause sends what the encoder held to the dump, which is paused but still writes; running
// again goes on with a second stream in the same file.
TEST_F(MpegRecordGraphTest, ARecordingPausedAndRunAgainGoesOnInANewStream)
{
    const Format& f = kFormats[0];
    std::string path = std::string(kFolder) + "\\" + f.file + "-paused.mpg";
    CGraphBuilder builder;
    Build(builder, f, path, true);
    if (HasFatalFailure())
        return;
    SimLogTail encoder("mpegenc");
    ASSERT_TRUE(builder.Run());
    Sleep(kRecordMs / 2);
    ASSERT_TRUE(builder.Pause());
    WIN32_FILE_ATTRIBUTE_DATA paused;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &paused));
    ASSERT_TRUE(builder.Run());
    Sleep(kRecordMs / 2);
    ASSERT_TRUE(builder.Stop());
    builder.TearDown();
    WIN32_FILE_ATTRIBUTE_DATA stopped;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &stopped));
    EXPECT_GT(stopped.nFileSizeLow, paused.nFileSizeLow) << "the second stream follows the first";
    std::vector<long> pictures = PicturesPerStream(encoder);
    ASSERT_EQ(2u, pictures.size());
    EXPECT_GT(pictures[0], 0);
    EXPECT_GT(pictures[1], 0);
}
