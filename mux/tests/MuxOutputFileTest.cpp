// The filter's output files, driven through its open and close members in a real graph over
// the scripted multiplexing library, with the volume and the clock answered by the test:
// segments and their list, the limits and their events, and the output name.
#include "CMpegMuxFilter.h"
#include "CMuxFileSource.h"
#include "ComRef.h"
#include "CritGuard.h"
#include "MuxStreamTypes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <dshow.h>

#include <string>
#include <vector>

namespace
{

const char kScriptKey[] = "Software\\Sim\\brevalon";

struct FakeSystem : CMuxSystem
{
    bool fat = false;
    LONGLONG freeBytes = -1;
    DWORD now = 1000;

    void QueryVolume(const char*, bool* isFat, LONGLONG* bytes) override
    {
        *isFat = fat;
        *bytes = freeBytes;
    }
    DWORD Milliseconds() override { return now; }
};

void SetScript(const char* script)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kScriptKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                             &key, nullptr));
    RegSetValueExA(key, "Script", 0, REG_SZ, reinterpret_cast<const BYTE*>(script), DWORD(strlen(script) + 1));
    RegCloseKey(key);
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

class MuxOutputFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        HRESULT hr = E_FAIL;
        CComIdentity* made = CMpegMuxFilter::Create(nullptr, &hr);
        ASSERT_TRUE(made);
        mux = static_cast<CMpegMuxFilter*>(made);
        made->InnerUnknown()->QueryInterface(IID_IBaseFilter, filter.ReceiveVoid());
        made->InnerRelease();
        ASSERT_TRUE(filter);
        mux->SetSystem(&system);
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IGraphBuilder, graph.ReceiveVoid()));
        ASSERT_EQ(S_OK, graph->AddFilter(filter.Get(), L"mux"));
        ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaEvent, events.ReceiveVoid()));
        SetScript("");
        name = folder.FilePath("rec.mpg");
    }

    void TearDown() override
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kScriptKey);
        events.Reset();
        if (graph)
            graph->RemoveFilter(filter.Get());
        graph.Reset();
        filter.Reset();
        CoUninitialize();
    }

    // Opens the output, lets the script write it at the normal end, and closes it.
    void RunScript(const char* script)
    {
        SetScript(script);
        CCritGuard guard(mux->StateLock());
        mux->PrepareFileOutput();
        mux->CloseMuxOutput(0);
    }

    void SetName(const std::string& path) { ASSERT_EQ(S_OK, mux->SetFileName(Wide(path).c_str(), nullptr)); }

    std::vector<long> Events()
    {
        std::vector<long> codes;
        long code;
        LONG_PTR first, second;
        while (events->GetEvent(&code, &first, &second, 0) == S_OK) {
            codes.push_back(code);
            events->FreeEventParams(code, first, second);
        }
        return codes;
    }

    TempFolder folder;
    FakeSystem system;
    CMpegMuxFilter* mux = nullptr;
    CComRef<IBaseFilter> filter;
    CComRef<IGraphBuilder> graph;
    CComRef<IMediaEvent> events;
    std::string name;
};

TEST_F(MuxOutputFileTest, SplittingWithTheListGivesNumberedSegmentsAndTheirList)
{
    SetName(name);
    mux->SetParam(MUX_PARAM_SPLIT_FILES, 1);
    mux->SetParam(MUX_PARAM_WRITE_LIST, 1);
    RunScript("1048576,S,70000,S,5");
    EXPECT_EQ(1048576, FileSize(folder.FilePath("rec0000.mpg")));
    EXPECT_EQ(70000, FileSize(folder.FilePath("rec0001.mpg")));
    EXPECT_EQ(5, FileSize(folder.FilePath("rec0002.mpg")));
    EXPECT_FALSE(Exists(name));
    EXPECT_EQ("DZMP\r\nrec0000.mpg; 1048576\r\nrec0001.mpg; 70000\r\nrec0002.mpg; 5\r\n", folder.Read("rec.mzl"));
    EXPECT_EQ((std::vector<long>{EC_MUX_NEW_SEGMENT, EC_MUX_NEW_SEGMENT}), Events());

    // The bytes arrive in order across the writer's buffer and the segment boundary.
    std::string second = folder.Read("rec0001.mpg");
    ASSERT_EQ(70000u, second.size());
    EXPECT_EQ(uint8_t(1048576 & 0xFF), uint8_t(second[0]));
    EXPECT_EQ(uint8_t((1048576 + 69999) & 0xFF), uint8_t(second[69999]));
}

// The index files of a connected video and audio stream are cut with the segments and
// numbered like them.
TEST_F(MuxOutputFileTest, SideFilesFollowTheSegmentNames)
{
    std::vector<CComRef<IBaseFilter>> sources;
    const CAmMediaType types[2] = {Mpeg2Video(), Mp2()};
    for (int i = 0; i < 2; ++i) {
        auto* source = new CMuxFileSource();
        CComRef<IBaseFilter> added;
        source->InnerUnknown()->QueryInterface(IID_IBaseFilter, added.ReceiveVoid());
        source->InnerRelease();
        source->Pin().Offer(types[i]);
        ASSERT_EQ(S_OK, graph->AddFilter(added.Get(), nullptr));
        CComRef<IPin> input;
        filter->FindPin(i == 0 ? L"Input1" : L"Input2", input.Receive());
        ASSERT_EQ(S_OK, graph->ConnectDirect(&source->Pin(), input.Get(), nullptr));
        sources.push_back(added);
    }
    SetName(name);
    mux->SetParam(MUX_PARAM_SPLIT_FILES, 1);
    mux->SetParam(MUX_PARAM_STREAM_FILES, 1);
    RunScript("100,V,A,S,200,V,V,A,S,300");
    const struct
    {
        const char* file;
        LONGLONG bytes;
    } rows[] = {
        {"rec0000.mpg", 100}, {"rec0001.mpg", 200}, {"rec0002.mpg", 300}, {"rec0000.vdx", 32}, {"rec0001.vdx", 64},
        {"rec0002.vdx", 0},   {"rec0000.adx", 20},  {"rec0001.adx", 20},  {"rec0002.adx", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.bytes, FileSize(folder.FilePath(row.file))) << row.file;
    EXPECT_FALSE(Exists(folder.FilePath("rec.vdx")));
    for (auto& source : sources)
        graph->RemoveFilter(source.Get());
}

TEST_F(MuxOutputFileTest, WithoutSplittingTheFileClosesOnceAndNoListIsWritten)
{
    SetName(name);
    mux->SetParam(MUX_PARAM_WRITE_LIST, 1);
    RunScript("100,S,200,S,300");
    EXPECT_EQ(100, FileSize(name));
    EXPECT_FALSE(Exists(folder.FilePath("rec.mzl")));
    EXPECT_FALSE(Exists(folder.FilePath("rec0000.mpg")));
    EXPECT_EQ((std::vector<long>{EC_MUX_FILE_CLOSED}), Events());
}

TEST_F(MuxOutputFileTest, AStaleListNeverReachesTheNextRun)
{
    SetName(name);
    mux->SetParam(MUX_PARAM_SPLIT_FILES, 1);
    mux->SetParam(MUX_PARAM_WRITE_LIST, 1);
    SetScript("10");
    {
        CCritGuard guard(mux->StateLock());
        mux->PrepareFileOutput();
        mux->SetParam(MUX_PARAM_SPLIT_FILES, 0);
        mux->CloseMuxOutput(0);
    }
    EXPECT_FALSE(Exists(folder.FilePath("rec.mzl")));
    mux->SetParam(MUX_PARAM_SPLIT_FILES, 1);
    RunScript("7");
    EXPECT_EQ("DZMP\r\nrec0000.mpg; 7\r\n", folder.Read("rec.mzl"));
}

TEST_F(MuxOutputFileTest, OnFatTheSegmentSizeIsCappedAndTheEndIsTheFatLimit)
{
    system.fat = true;
    SetName(name);
    int segment = -1;
    mux->GetParam(MUX_PARAM_SEGMENT_SIZE, &segment);
    ASSERT_EQ(0, segment);
    RunScript("10,S,10");
    mux->GetParam(MUX_PARAM_SEGMENT_SIZE, &segment);
    EXPECT_EQ(4095, segment);
    EXPECT_EQ(10, FileSize(name));
    EXPECT_EQ((std::vector<long>{EC_MUX_FAT_LIMIT}), Events());
}

TEST_F(MuxOutputFileTest, AWriteReachingWithinAMebibyteOfTheFreeSpaceStopsTheOutput)
{
    system.freeBytes = 10 * 1048576;
    SetName(name);
    RunScript("10485760");
    // 144 writes of the 64 KiB buffer make 9 MiB: that last one is refused.
    EXPECT_EQ(9 * 1048576 - 65536, FileSize(name));
    EXPECT_EQ((std::vector<long>{EC_MUX_DISK_FULL}), Events());
}

TEST_F(MuxOutputFileTest, AnUnknownFreeSpaceSetsNoLimit)
{
    system.freeBytes = -1;
    SetName(name);
    RunScript("200000");
    EXPECT_EQ(200000, FileSize(name));
    EXPECT_TRUE(Events().empty());
}

TEST_F(MuxOutputFileTest, TheTimeLimitStopsWritingAfterTheFirstWriteAtOrPastIt)
{
    SetName(name);
    mux->SetParam(MUX_PARAM_TIME_LIMIT, 5000);
    ASSERT_EQ(S_OK, filter->Run(0));
    system.now += 4999;
    RunScript("65536,65536");
    EXPECT_EQ(2 * 65536, FileSize(name));
    EXPECT_TRUE(Events().empty());

    system.now += 1;
    RunScript("65536,65536,100");
    EXPECT_EQ(65536, FileSize(name));
    EXPECT_EQ((std::vector<long>{EC_MUX_TIME_LIMIT}), Events());
    filter->Stop();
}

TEST_F(MuxOutputFileTest, NoNameAndNoOutputPinIsAWriteError)
{
    CCritGuard guard(mux->StateLock());
    EXPECT_EQ(E_FAIL, mux->OpenMuxOutput());
    EXPECT_EQ(nullptr, mux->OutputWriter());
    EXPECT_EQ((std::vector<long>{EC_MUX_WRITE_ERROR}), Events());

    // The engine goes once, however often it is thrown away.
    mux->DestroyMux();
    EXPECT_EQ(nullptr, mux->Engine());
    mux->DestroyMux();
}

TEST_F(MuxOutputFileTest, AFileThatCannotBeCreatedIsAWriteError)
{
    std::string missing = folder.FilePath("no\\such\\rec.mpg");
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), mux->SetFileName(Wide(missing).c_str(), nullptr));
    RunScript("10");
    EXPECT_EQ((std::vector<long>{EC_MUX_WRITE_ERROR}), Events());
}

TEST_F(MuxOutputFileTest, TheNameFollowsStateLengthAndCreateRules)
{
    LPOLESTR current = nullptr;
    AM_MEDIA_TYPE type;
    EXPECT_EQ(E_POINTER, mux->GetCurFile(nullptr, &type));
    ASSERT_EQ(S_OK, mux->GetCurFile(&current, &type));
    EXPECT_STREQ(L"", current);
    CoTaskMemFree(current);
    EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Stream, type.majortype));
    EXPECT_TRUE(IsEqualGUID(GUID_NULL, type.subtype));
    EXPECT_EQ(2, mux->GetPinCount());

    // The test create replaces an existing file and removes it again. The output pin goes
    // from the filter's list, but one a caller holds stays sound.
    CComRef<IPin> output;
    ASSERT_EQ(S_OK, filter->FindPin(L"Output", output.Receive()));
    folder.Write("rec.mpg", "old");
    SetName(name);
    EXPECT_FALSE(Exists(name));
    EXPECT_EQ(1, mux->GetPinCount());
    PIN_DIRECTION direction;
    EXPECT_EQ(S_OK, output->QueryDirection(&direction));
    EXPECT_EQ(PINDIR_OUTPUT, direction);

    std::wstring tooLong(261, L'a');
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE), mux->SetFileName(tooLong.c_str(), nullptr));
    ASSERT_EQ(S_OK, mux->GetCurFile(&current, nullptr));
    EXPECT_EQ(Wide(name), current);
    CoTaskMemFree(current);

    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_NAME), mux->SetFileName(L"C:\\\x0E01.mpg", nullptr));
    ASSERT_EQ(S_OK, mux->GetCurFile(&current, nullptr));
    EXPECT_EQ(Wide(name), current);
    CoTaskMemFree(current);

    ASSERT_EQ(S_OK, filter->Pause());
    EXPECT_EQ(E_UNEXPECTED, mux->SetFileName(L"C:\\other.mpg", nullptr));
    filter->Stop();
    ASSERT_EQ(S_OK, mux->GetCurFile(&current, nullptr));
    EXPECT_EQ(Wide(name), current);
    CoTaskMemFree(current);

    EXPECT_EQ(S_OK, mux->SetFileName(L"", nullptr));
    EXPECT_EQ(2, mux->GetPinCount());
    CComRef<IPin> again;
    ASSERT_EQ(S_OK, filter->FindPin(L"Output", again.Receive()));
    EXPECT_EQ(output.Get(), again.Get());
    ASSERT_EQ(S_OK, mux->GetCurFile(&current, nullptr));
    EXPECT_STREQ(L"", current);
    CoTaskMemFree(current);
}

} // namespace
