// The recordings' writers over the simulated card: the AVI multiplexer that stands in for the
// system's (through TreatAs) behind Wine's own file writer, and the "Dump" writer.
#include "HelperProcess.h"
#include "StandInGraph.h"
#include "TempFolder.h"
#include "simifaces.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>

namespace
{
const CLSID CLSID_AviMux = { 0xE2510970, 0xF137, 0x11CE, { 0x8B, 0x67, 0x00, 0xAA, 0x00, 0xA3, 0xF1, 0xA6 } };
const CLSID CLSID_FileWriter = { 0x8596E5F0, 0x0DA5, 0x11D0, { 0xBD, 0x21, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86 } };
const CLSID CLSID_Dump = { 0x36A5F770, 0xFE4C, 0x11CE, { 0xA8, 0xED, 0x00, 0xAA, 0x00, 0x2F, 0xEA, 0xB5 } };
const LONG WIDTH = 320;
const LONG HEIGHT = 240;
const LONG FRAME_BYTES = WIDTH * HEIGHT * 2;

std::wstring Wide(const std::string& text)
{
    WCHAR buffer[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH);
    return buffer;
}

DWORD At(const std::string& file, size_t offset)
{
    DWORD value = 0;
    if (offset + 4 <= file.size())
        memcpy(&value, file.data() + offset, 4);
    return value;
}

std::string Fourcc(const std::string& file, size_t offset)
{
    return offset + 4 <= file.size() ? file.substr(offset, 4) : std::string();
}

size_t Count(const std::string& file, const char* text, size_t from, size_t to)
{
    size_t count = 0;
    for (size_t at = file.find(text, from); at != std::string::npos && at < to; at = file.find(text, at + 1))
        ++count;
    return count;
}

// Card video and sound into the AVI multiplexer, its file written by Wine's file writer.
HRESULT RecordAvi(const std::wstring& path, DWORD runMs)
{
    StandInGraph graph;
    CComRef<IBaseFilter> mux, writer;
    CComRef<IFileSinkFilter> sink;
    HRESULT hr = graph.AddCard(WIDTH, HEIGHT);
    if (SUCCEEDED(hr))
        hr = graph.AddCardAudio();
    if (SUCCEEDED(hr))
        hr = graph.AddNew(CLSID_AviMux, L"AVI Mux", &mux);
    if (SUCCEEDED(hr))
        hr = graph.AddNew(CLSID_FileWriter, L"AVI Writer", &writer);
    if (SUCCEEDED(hr))
        hr = writer->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = sink->SetFileName(path.c_str(), nullptr);
    if (SUCCEEDED(hr))
        hr = graph.Connect(graph.Audio(), L"Capture", mux.Get(), L"Input 01");
    if (SUCCEEDED(hr))
        hr = graph.Connect(graph.Capture(), L"Capture", mux.Get(), L"Input 02");
    if (SUCCEEDED(hr))
        hr = graph.Connect(mux.Get(), L"AVI Out", writer.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = graph.Run();
    if (SUCCEEDED(hr)) {
        Sleep(runMs);
        hr = graph.Stop();
    }
    return hr;
}

class RecordingFilterTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};
}

TEST_F(RecordingFilterTest, AviMuxClassIsTheStandIn)
{
    CComRef<IUnknown> mux;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_AviMux, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, mux.ReceiveVoid()));
    CComRef<ISimIdentity> identity;
    ASSERT_EQ(S_OK, mux->QueryInterface(IID_ISimIdentity, identity.ReceiveVoid()));
    char name[64] = "";
    ASSERT_EQ(S_OK, identity->GetSimModule(name, sizeof(name)));
    EXPECT_STREQ("simmsdx:avimux 1", name);
    CComRef<IConfigAviMux> config;
    ASSERT_EQ(S_OK, mux->QueryInterface(IID_IConfigAviMux, config.ReceiveVoid()));
    EXPECT_EQ(S_OK, config->SetOutputCompatibilityIndex(TRUE));
}

TEST_F(RecordingFilterTest, AviFileHoldsSoundAndPictureWithItsIndex)
{
    TempFolder folder;
    ASSERT_EQ(S_OK, RecordAvi(Wide(folder.FilePath("a.avi")), 1500));
    std::string file = folder.Read("a.avi");
    ASSERT_GT(file.size(), 8192u + 12);
    EXPECT_EQ("RIFF", Fourcc(file, 0));
    EXPECT_EQ(file.size() - 8, At(file, 4));
    EXPECT_EQ("AVI ", Fourcc(file, 8));
    EXPECT_EQ("LIST", Fourcc(file, 8192));
    EXPECT_EQ("movi", Fourcc(file, 8200));
    EXPECT_EQ(2u, Count(file, "strl", 0, 8192));
    size_t auds = file.find("auds"), vids = file.find("vids");
    ASSERT_LT(auds, vids) << "streams in pin order";
    EXPECT_EQ("YUY2", Fourcc(file, vids + 4));
    EXPECT_EQ(1u, At(file, vids + 20)) << "scale";
    EXPECT_EQ(25u, At(file, vids + 24)) << "rate";

    DWORD moviSize = At(file, 8196);
    size_t index = 8200 + moviSize;
    ASSERT_EQ("idx1", Fourcc(file, index));
    DWORD entries = At(file, index + 4) / 16;
    EXPECT_EQ(file.size(), index + 8 + entries * 16);
    size_t video = 0, audio = 0;
    for (DWORD i = 0; i < entries; ++i) {
        size_t entry = index + 8 + i * 16;
        std::string id = Fourcc(file, entry);
        size_t chunk = 8200 + At(file, entry + 8);
        ASSERT_EQ(id, Fourcc(file, chunk)) << i;
        ASSERT_EQ(At(file, entry + 12), At(file, chunk + 4)) << i;
        if (id == "01dc") {
            ++video;
            EXPECT_EQ((DWORD)FRAME_BYTES, At(file, entry + 12));
        } else {
            EXPECT_EQ("00wb", id);
            ++audio;
        }
    }
    EXPECT_GE(video, 10u);
    EXPECT_GE(audio, 1u);
    EXPECT_EQ(video, At(file, 32 + 16)) << "avih total frames";
}

TEST_F(RecordingFilterTest, DumpAppendsEverySampleToItsFile)
{
    TempFolder folder;
    StandInGraph graph;
    CComRef<IBaseFilter> dump;
    CComRef<IFileSinkFilter> sink;
    ASSERT_EQ(S_OK, graph.AddCard(WIDTH, HEIGHT));
    ASSERT_EQ(S_OK, graph.AddNew(CLSID_Dump, L"Dump Filter", &dump));
    ASSERT_EQ(S_OK, graph.Connect(graph.Capture(), L"Capture", dump.Get(), L"Input"));
    CComRef<IMediaControl> control;
    ASSERT_EQ(S_OK, graph.Graph()->QueryInterface(IID_IMediaControl, control.ReceiveVoid()));
    EXPECT_EQ(E_FAIL, dump->Pause()) << "no file name yet";
    dump->Stop();

    ASSERT_EQ(S_OK, dump->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid()));
    std::wstring path = Wide(folder.FilePath("b.mpg"));
    ASSERT_EQ(S_OK, sink->SetFileName(path.c_str(), nullptr));
    LPOLESTR current = nullptr;
    ASSERT_EQ(S_OK, sink->GetCurFile(&current, nullptr));
    EXPECT_EQ(path, current);
    CoTaskMemFree(current);
    ASSERT_EQ(S_OK, graph.Run());
    Sleep(600);
    ASSERT_TRUE(SUCCEEDED(graph.Stop()));
    std::string file = folder.Read("b.mpg");
    EXPECT_GE(file.size(), 5u * FRAME_BYTES);
    EXPECT_EQ(0u, file.size() % FRAME_BYTES);
}

// For the shell test: an AVI recording at the path given, for tools outside Wine.
SUITE_HELPER(RecordAvi)
{
    if (args.size() != 1 || FAILED(CoInitialize(nullptr)))
        return 2;
    HRESULT hr = RecordAvi(Wide(args[0]), 1500);
    CoUninitialize();
    return hr == S_OK ? 0 : 1;
}
