// The FM recording chain as the engine sets it up: InterVideo's audio encoder, multiplexer and
// writer, given their presets through the wrappers, record the card's sound as an MPEG-1
// system stream of Layer II audio.
#include "CodecClassIds.h"
#include "HelperProcess.h"
#include "IviAudioEncoderFilter.h"
#include "IviFileWriterFilter.h"
#include "IviMuxFilter.h"
#include "StandInGraph.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The card's sound through the three filters into path; the graph runs for runMs.
HRESULT RecordFm(const std::string& path, DWORD runMs)
{
    CIviAudioEncoderFilter encoder(nullptr, CLSID_IviAudioEncoder);
    CIviMuxFilter mux(nullptr, CLSID_IviMux);
    CIviFileWriterFilter writer(nullptr, CLSID_IviFileWriter);
    if (!encoder.IsValid() || !mux.IsValid() || !writer.IsValid())
        return E_NOINTERFACE;
    LONG words[6];
    IviAudioPreset44k(words);
    if (!encoder.SetAudioSettings(words))
        return E_FAIL;
    IviMuxPresetVcd(words);
    if (!mux.SetMuxSettings(words) || !writer.SetFileName(path.c_str()) || !writer.SetSizeLimit(0, 1))
        return E_FAIL;

    StandInGraph graph;
    HRESULT hr = graph.AddCard(320, 240);
    if (SUCCEEDED(hr))
        hr = graph.AddCardAudio();
    if (SUCCEEDED(hr))
        hr = graph.Add(encoder.GetFilter(), L"IVI Audio Enc");
    if (SUCCEEDED(hr))
        hr = graph.Add(mux.GetFilter(), L"IVI Mux");
    if (SUCCEEDED(hr))
        hr = graph.Add(writer.GetFilter(), L"IVI Write");
    if (SUCCEEDED(hr))
        hr = graph.Connect(graph.Audio(), L"Capture", encoder.GetFilter(), L"Input");
    if (SUCCEEDED(hr))
        hr = graph.Connect(encoder.GetFilter(), L"Output", mux.GetFilter(), L"Input 1");
    if (SUCCEEDED(hr))
        hr = graph.Connect(mux.GetFilter(), L"Output", writer.GetFilter(), L"Input");
    if (SUCCEEDED(hr))
        hr = graph.Run();
    if (SUCCEEDED(hr)) {
        Sleep(runMs);
        hr = graph.Stop();
    }
    return SUCCEEDED(hr) ? S_OK : hr;
}

class FmChainWrapperTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};
}

TEST_F(FmChainWrapperTest, RecordingIsAnMpeg1SystemStreamOfVcdPacks)
{
    TempFolder folder;
    ASSERT_EQ(S_OK, RecordFm(folder.FilePath("fm.mpg"), 1500));
    std::string file = folder.Read("fm.mpg");
    ASSERT_GE(file.size(), 3u * 2324);
    EXPECT_EQ(std::string("\x00\x00\x01\xBA", 4), file.substr(0, 4));
    EXPECT_EQ(0x20, file[4] & 0xF0) << "an MPEG-1 pack header";
    EXPECT_EQ(std::string("\x00\x00\x01\xBA", 4), file.substr(2324, 4)) << "packs of 2324 bytes";
    EXPECT_EQ(std::string("\x00\x00\x01\xB9", 4), file.substr(file.size() - 4)) << "the end code last";
    EXPECT_NE(std::string::npos, file.find(std::string("\x00\x00\x01\xC0", 4))) << "an audio stream";
}

TEST_F(FmChainWrapperTest, EncoderRefusesToPauseWithoutTheInputsRate)
{
    CIviAudioEncoderFilter encoder(nullptr, CLSID_IviAudioEncoder);
    ASSERT_TRUE(encoder.IsValid());
    LONG words[6];
    IviAudioPreset48k(words);
    ASSERT_TRUE(encoder.SetAudioSettings(words));
    StandInGraph graph;
    ASSERT_EQ(S_OK, graph.AddCard(320, 240));
    ASSERT_EQ(S_OK, graph.AddCardAudio());
    ASSERT_EQ(S_OK, graph.Add(encoder.GetFilter(), L"IVI Audio Enc"));
    ASSERT_EQ(S_OK, graph.Connect(graph.Audio(), L"Capture", encoder.GetFilter(), L"Input"));
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, encoder.GetFilter()->Pause());
    encoder.GetFilter()->Stop();
}

// For the shell test: an FM recording at the path given, for ffprobe.
SUITE_HELPER(RecordFm)
{
    if (args.size() != 1 || FAILED(CoInitialize(nullptr)))
        return 2;
    HRESULT hr = RecordFm(args[0], 1500);
    CoUninitialize();
    return hr == S_OK ? 0 : 1;
}
