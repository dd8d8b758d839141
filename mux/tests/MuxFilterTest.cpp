// The multiplexer filter object, created by its CLSID through the prefix's registration:
// how it is built, its settings and parameters, the statistics record, persistence and
// the registry option it reads.
#include "ComProbe.h"
#include "ComRef.h"
#include "ExpectedMuxTypes.h"
#include "MpegMuxInterfaces.h"

#include <gtest/gtest.h>

#include <dshow.h>
#include <mmsystem.h>

#include <string.h>

#include <string>
#include <vector>

namespace
{

enum { kBlockSize = 108 };

const GUID kAnyApi = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
const char kOptionKey[] = "Software\\Stelvark\\DirectShow\\MPEGMultiplexer";

DWORD Word(const BYTE* bytes, size_t at)
{
    DWORD value;
    memcpy(&value, bytes + at, sizeof(value));
    return value;
}

class MuxFilterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        filter = NewFilter();
        ASSERT_TRUE(filter);
        ASSERT_EQ(S_OK, filter.QueryTo(settings));
        ASSERT_EQ(S_OK, filter.QueryTo(params));
    }

    void TearDown() override
    {
        if (filter)
            filter->Stop();
        settings.Reset();
        params.Reset();
        filter.Reset();
        CoUninitialize();
    }

    static CComRef<IBaseFilter> NewFilter()
    {
        CComRef<IBaseFilter> made;
        CoCreateInstance(CLSID_MpegMultiplexer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, made.ReceiveVoid());
        return made;
    }

    int Param(int id)
    {
        int value = -12345;
        EXPECT_EQ(S_OK, params->GetParam(id, &value)) << "parameter " << id;
        return value;
    }

    int MuxType()
    {
        int type = -1;
        EXPECT_EQ(S_OK, settings->GetMuxType(&type));
        return type;
    }

    std::vector<BYTE> Block()
    {
        std::vector<BYTE> block(kBlockSize);
        EXPECT_EQ(S_OK, settings->GetSettings(block.data()));
        return block;
    }

    std::vector<CComRef<IPin>> Pins()
    {
        std::vector<CComRef<IPin>> pins;
        CComRef<IEnumPins> list;
        if (FAILED(filter->EnumPins(list.Receive())))
            return pins;
        CComRef<IPin> pin;
        while (list->Next(1, pin.Receive(), nullptr) == S_OK)
            pins.push_back(pin);
        return pins;
    }

    static std::vector<AM_MEDIA_TYPE*> Types(IPin* pin)
    {
        std::vector<AM_MEDIA_TYPE*> types;
        CComRef<IEnumMediaTypes> list;
        if (FAILED(pin->EnumMediaTypes(list.Receive())))
            return types;
        AM_MEDIA_TYPE* type = nullptr;
        while (list->Next(1, &type, nullptr) == S_OK)
            types.push_back(type);
        return types;
    }

    static void FreeTypes(std::vector<AM_MEDIA_TYPE*>& types)
    {
        for (AM_MEDIA_TYPE* type : types) {
            if (type->cbFormat)
                CoTaskMemFree(type->pbFormat);
            CoTaskMemFree(type);
        }
        types.clear();
    }

    CComRef<IBaseFilter> filter;
    CComRef<IMpegMuxSettings> settings;
    CComRef<IMpegMuxParams> params;
};

TEST_F(MuxFilterTest, FreshFilterIsBuiltWithItsPresetPinsAndCapabilities)
{
    EXPECT_EQ(2, MuxType());
    EXPECT_EQ(2u, Word(Block().data(), 44));

    std::vector<CComRef<IPin>> pins = Pins();
    ASSERT_EQ(2u, pins.size());
    const struct { const WCHAR* name; PIN_DIRECTION direction; } kPins[] = {{L"Input1", PINDIR_INPUT}, {L"Output", PINDIR_OUTPUT}};
    for (size_t i = 0; i < 2; ++i) {
        PIN_INFO info = {};
        ASSERT_EQ(S_OK, pins[i]->QueryPinInfo(&info));
        EXPECT_STREQ(kPins[i].name, info.achName) << "pin " << i;
        EXPECT_EQ(kPins[i].direction, info.dir) << "pin " << i;
        if (info.pFilter)
            info.pFilter->Release();
    }

    CComRef<IMpegMuxCaps> caps;
    ASSERT_EQ(S_OK, filter.QueryTo(caps));
    int word = 0;
    EXPECT_EQ(S_OK, caps->GetCaps(&word));
    EXPECT_EQ(0x3FFF, word);
    EXPECT_EQ(1, Param(MUX_PARAM_FILE_CONTROLS));
    EXPECT_NE(0, Param(MUX_PARAM_RESOLVER)) << "the filter's own resolver";

    CComRef<ISpecifyPropertyPages> pages;
    ASSERT_EQ(S_OK, filter.QueryTo(pages));
    CAUUID list = {};
    ASSERT_EQ(S_OK, pages->GetPages(&list));
    ASSERT_EQ(1u, list.cElems);
    EXPECT_TRUE(IsEqualCLSID(CLSID_MpegMultiplexerPropertyPage, list.pElems[0]));
    CoTaskMemFree(list.pElems);

    const IID* kInterfaces[] = {&IID_IPersistStream, &IID_ISpecifyPropertyPages, &IID_IMpegMuxSettings,
                                &IID_IMpegMuxParams, &IID_IMpegMuxCaps, &IID_ICodecAPI, &IID_IBaseFilter};
    for (size_t i = 0; i < sizeof(kInterfaces) / sizeof(kInterfaces[0]); ++i)
        EXPECT_TRUE(CComProbe::Supports(filter.Get(), *kInterfaces[i])) << "interface " << i;
    CComRef<IPersistStream> persist;
    ASSERT_EQ(S_OK, filter.QueryTo(persist));
    CLSID clsid = {};
    EXPECT_EQ(S_OK, persist->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_MpegMultiplexer, clsid));
}

TEST_F(MuxFilterTest, CodecApiChangesNothing)
{
    CComRef<ICodecAPI> codec;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_ICodecAPI, codec.ReceiveVoid()));
    VARIANT value;
    VariantInit(&value);
    EXPECT_EQ(S_FALSE, codec->IsModifiable(&kAnyApi));
    EXPECT_EQ(E_NOTIMPL, codec->IsSupported(&kAnyApi));
    EXPECT_EQ(E_NOTIMPL, codec->GetValue(&kAnyApi, &value));
    EXPECT_EQ(E_NOTIMPL, codec->SetValue(&kAnyApi, &value));
    EXPECT_EQ(E_NOTIMPL, codec->SetAllDefaults());
}

TEST_F(MuxFilterTest, PinsOfferTheirTypesAndTheOutputFollowsTheMultiplexType)
{
    std::vector<CComRef<IPin>> pins = Pins();
    ASSERT_EQ(2u, pins.size());
    std::vector<AM_MEDIA_TYPE*> types = Types(pins[0].Get());
    ASSERT_EQ(24u, types.size());
    for (size_t i = 0; i < types.size(); ++i) {
        EXPECT_TRUE(IsEqualGUID(*kExpectedInputPairs[i].major, types[i]->majortype)) << "input type " << i;
        EXPECT_TRUE(IsEqualGUID(*kExpectedInputPairs[i].subtype, types[i]->subtype)) << "input type " << i;
        EXPECT_TRUE(IsEqualGUID(FORMAT_None, types[i]->formattype)) << "input type " << i;
    }
    EXPECT_EQ(S_OK, pins[0]->QueryAccept(types[17]));
    FreeTypes(types);
    AM_MEDIA_TYPE rgb = {};
    rgb.majortype = MEDIATYPE_Video;
    rgb.subtype = MEDIASUBTYPE_RGB24;
    EXPECT_EQ(S_FALSE, pins[0]->QueryAccept(&rgb));

    // preset id, index of the output pair it gives
    const struct { int preset; int output; } kOutputs[] = {
        {0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {13, 1}, {5, 2}, {8, 2}, {9, 2}, {10, 2}, {11, 2}, {12, 2}, {18, 2}, {19, 2},
    };
    for (const auto& row : kOutputs) {
        ASSERT_EQ(S_OK, settings->LoadPreset(row.preset)) << "preset " << row.preset;
        types = Types(pins[1].Get());
        ASSERT_EQ(1u, types.size()) << "preset " << row.preset;
        EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Stream, types[0]->majortype)) << "preset " << row.preset;
        EXPECT_TRUE(IsEqualGUID(*kExpectedOutputPairs[row.output].subtype, types[0]->subtype)) << "preset " << row.preset;
        FreeTypes(types);
    }
}

TEST_F(MuxFilterTest, MultiplexTypeAndPresetsFollowTheirRules)
{
    for (int type = -1; type <= 20; ++type) {
        bool settable = (type >= 0 && type <= 5) || (type >= 8 && type <= 12);
        int before = MuxType();
        EXPECT_EQ(settable ? S_OK : E_INVALIDARG, settings->SetMuxType(type)) << "type " << type;
        EXPECT_EQ(settable ? type : before, MuxType()) << "type " << type;
    }

    const int kPresets[] = {0, 1, 2, 3, 4, 13, 5, 8, 9, 10, 11, 12, 18, 19};
    for (int preset : kPresets) {
        std::vector<BYTE> block(kBlockSize, 0xCD);
        EXPECT_EQ(S_OK, settings->GetPresetDefaults(preset, block.data())) << "preset " << preset;
        EXPECT_EQ(static_cast<DWORD>(preset), Word(block.data(), 44)) << "preset " << preset;
        EXPECT_EQ(S_OK, settings->LoadPreset(preset)) << "preset " << preset;
        EXPECT_EQ(preset, MuxType()) << "preset " << preset;
        EXPECT_EQ(block, Block()) << "preset " << preset;
    }

    ASSERT_EQ(S_OK, settings->LoadPreset(4));
    for (int unknown : {-1, 6, 7, 14, 17, 20}) {
        std::vector<BYTE> block(kBlockSize, 0xCD);
        EXPECT_EQ(E_INVALIDARG, settings->GetPresetDefaults(unknown, block.data())) << "preset " << unknown;
        EXPECT_EQ(std::vector<BYTE>(kBlockSize, 0xCD), block) << "preset " << unknown;
        EXPECT_EQ(E_INVALIDARG, settings->LoadPreset(unknown)) << "preset " << unknown;
        EXPECT_EQ(4, MuxType()) << "preset " << unknown;
    }
}

TEST_F(MuxFilterTest, SettingsBlockIsCopiedWholeAndNullPointersAreRefused)
{
    std::vector<BYTE> block(kBlockSize);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<BYTE>(i * 7);
    memset(&block[44], 0, 4);
    block[44] = 11;
    memset(&block[84], 0, 4);
    block[84] = 0x2C;
    block[85] = 0x01;
    ASSERT_EQ(S_OK, settings->SetSettings(block.data()));
    EXPECT_EQ(block, Block());
    EXPECT_EQ(11, MuxType());
    EXPECT_EQ(300, Param(MUX_PARAM_SEGMENT_SIZE));

    EXPECT_EQ(E_INVALIDARG, settings->GetSettings(nullptr));
    EXPECT_EQ(E_INVALIDARG, settings->SetSettings(nullptr));
    EXPECT_EQ(E_INVALIDARG, settings->GetPresetDefaults(2, nullptr));
    EXPECT_EQ(E_POINTER, settings->GetMuxType(nullptr));
    EXPECT_EQ(E_POINTER, params->GetParam(MUX_PARAM_SPLIT_FILES, nullptr));
    EXPECT_EQ(block, Block());
}

TEST_F(MuxFilterTest, ParametersFollowTheTable)
{
    const HRESULT kNoGet = 1;
    // id, value set, result of SetParam, result of GetParam (kNoGet: not asked), value got
    const struct { int id; int value; HRESULT set; HRESULT get; int got; } kRows[] = {
        {MUX_PARAM_STATISTICS, 1, E_INVALIDARG, kNoGet, 0},
        {MUX_PARAM_SPLIT_FILES, 1, S_OK, S_OK, 1},
        {MUX_PARAM_SPLIT_FILES, 2, E_INVALIDARG, S_OK, 1},
        {MUX_PARAM_SPLIT_FILES, -1, E_INVALIDARG, S_OK, 1},
        {MUX_PARAM_SPLIT_FILES, 0, S_OK, S_OK, 0},
        {MUX_PARAM_SEGMENT_SIZE, 700, S_OK, S_OK, 700},
        {MUX_PARAM_WRITE_LIST, 5, S_OK, S_OK, 0},
        {MUX_PARAM_WRITE_LIST, 1, S_OK, S_OK, 1},
        {MUX_PARAM_FILE_CONTROLS, 7, S_OK, S_OK, 7},
        {MUX_PARAM_VIDEO_COMMAND, 1, E_INVALIDARG, E_INVALIDARG, 0},
        {MUX_PARAM_SYNC_AUDIO, 1, S_OK, S_OK, 1},
        {MUX_PARAM_TIME_LIMIT, 5000, S_OK, S_OK, 5000},
        {MUX_PARAM_STREAM_FILES, 1, S_OK, S_OK, 1},
        {MUX_PARAM_OPTION_BIT7, 2, S_OK, S_OK, 0},
        {MUX_PARAM_OPTION_BIT7, 1, S_OK, S_OK, 1},
        {MUX_PARAM_WRITER_A, 1234, S_OK, S_OK, 1234},
        {MUX_PARAM_WRITER_B, 4321, S_OK, S_OK, 4321},
        {MUX_PARAM_AUDIO_NO_SPAM_VOBU, 3, S_OK, S_OK, 0},
        {MUX_PARAM_AUDIO_NO_SPAM_VOBU, 1, S_OK, S_OK, 1},
        {MUX_PARAM_PAGE_LOCK, 9, S_OK, S_OK, 9},
        {MUX_PARAM_RESOLVER, 0x1000, S_OK, S_OK, 0x1000},
        {MUX_PARAM_OUTPUT_CONNECTED, 1, E_INVALIDARG, S_OK, 0},
        {99, 1, E_INVALIDARG, E_INVALIDARG, 0},
    };
    for (size_t i = 0; i < sizeof(kRows) / sizeof(kRows[0]); ++i) {
        const auto& row = kRows[i];
        EXPECT_EQ(row.set, params->SetParam(row.id, row.value)) << "row " << i;
        if (row.get == kNoGet)
            continue;
        int value = -12345;
        EXPECT_EQ(row.get, params->GetParam(row.id, &value)) << "row " << i;
        if (row.get == S_OK) {
            EXPECT_EQ(row.got, value) << "row " << i;
        }
    }
    EXPECT_EQ(700u, Word(Block().data(), 84)) << "the segment size lives in the settings block";
}

TEST_F(MuxFilterTest, VideoCommandNeedsSplittingAndAVideoStream)
{
    EXPECT_EQ(E_INVALIDARG, params->SetParam(MUX_PARAM_VIDEO_COMMAND, 1));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SPLIT_FILES, 1));
    EXPECT_EQ(E_NOINTERFACE, params->SetParam(MUX_PARAM_VIDEO_COMMAND, 1));
}

TEST_F(MuxFilterTest, ResolverZeroRestoresTheFiltersOwn)
{
    int own = Param(MUX_PARAM_RESOLVER);
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_RESOLVER, 0x2000));
    ASSERT_EQ(0x2000, Param(MUX_PARAM_RESOLVER));
    EXPECT_EQ(S_OK, params->SetParam(MUX_PARAM_RESOLVER, 0));
    EXPECT_EQ(own, Param(MUX_PARAM_RESOLVER));
}

TEST_F(MuxFilterTest, StoppedOnlyCallsAreRefusedWhilePausedOrRunning)
{
    std::vector<BYTE> block = Block();
    for (int running = 0; running < 2; ++running) {
        ASSERT_HRESULT_SUCCEEDED(running ? filter->Run(0) : filter->Pause());
        EXPECT_EQ(E_UNEXPECTED, settings->SetMuxType(5)) << "running " << running;
        EXPECT_EQ(E_UNEXPECTED, settings->SetSettings(block.data())) << "running " << running;
        EXPECT_EQ(E_UNEXPECTED, settings->LoadPreset(13)) << "running " << running;
        for (int id : {MUX_PARAM_SYNC_AUDIO, MUX_PARAM_WRITER_A, MUX_PARAM_WRITER_B, MUX_PARAM_RESOLVER}) {
            int before = Param(id);
            EXPECT_EQ(E_UNEXPECTED, params->SetParam(id, 77)) << "parameter " << id << ", running " << running;
            EXPECT_EQ(before, Param(id)) << "parameter " << id << ", running " << running;
        }
        EXPECT_EQ(S_OK, params->SetParam(MUX_PARAM_PAGE_LOCK, running + 1)) << "running " << running;
        std::vector<BYTE> defaults(kBlockSize);
        EXPECT_EQ(S_OK, settings->GetPresetDefaults(5, defaults.data())) << "running " << running;
    }
    EXPECT_EQ(2, MuxType());
    ASSERT_EQ(S_OK, filter->Stop());
    EXPECT_EQ(S_OK, settings->LoadPreset(13)) << "stopped again";
}

TEST_F(MuxFilterTest, StatisticsRecordIsFilledOnlyAsFarAsItsSize)
{
    DWORD before = timeGetTime();
    ASSERT_HRESULT_SUCCEEDED(filter->Run(0));
    DWORD after = timeGetTime();
    ASSERT_EQ(S_OK, filter->Stop());

    for (DWORD size : {8u, 16u, 20u, 24u, 28u, 32u}) {
        BYTE record[40];
        memset(record, 0xCD, sizeof(record));
        memcpy(record, &size, sizeof(size));
        ASSERT_EQ(S_OK, params->GetParam(MUX_PARAM_STATISTICS, reinterpret_cast<int*>(record))) << "size " << size;
        DWORD looked = timeGetTime();
        const DWORD untouched = 0xCDCDCDCD;
        EXPECT_EQ(size, Word(record, 0));
        EXPECT_EQ(untouched, Word(record, 4)) << "the reserved field, size " << size;
        EXPECT_EQ(size >= 16 ? 0u : untouched, Word(record, 8)) << "bytes, size " << size;
        EXPECT_EQ(size >= 16 ? 0u : untouched, Word(record, 12)) << "bytes, size " << size;
        DWORD start = Word(record, 16);
        if (size >= 20)
            EXPECT_TRUE(start >= before && start <= after) << "start " << start << ", size " << size;
        else
            EXPECT_EQ(untouched, start) << "size " << size;
        DWORD now = Word(record, 20);
        if (size >= 24)
            EXPECT_TRUE(now >= after && now <= looked) << "now " << now << ", size " << size;
        else
            EXPECT_EQ(untouched, now) << "size " << size;
        if (size >= 28)
            EXPECT_EQ(now - start, Word(record, 24)) << "size " << size;
        else
            EXPECT_EQ(untouched, Word(record, 24)) << "size " << size;
        for (size_t at = 28; at < sizeof(record); at += 4)
            EXPECT_EQ(untouched, Word(record, at)) << "past the record, size " << size;
    }
}

class MuxPersistTest : public MuxFilterTest
{
protected:
    void SetUp() override
    {
        MuxFilterTest::SetUp();
        ASSERT_EQ(S_OK, filter.QueryTo(persist));
        ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()));
    }

    void TearDown() override
    {
        persist.Reset();
        stream.Reset();
        MuxFilterTest::TearDown();
    }

    std::vector<BYTE> StreamBytes()
    {
        STATSTG stat = {};
        stream->Stat(&stat, STATFLAG_NONAME);
        std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
        Rewind();
        ULONG read = 0;
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
        bytes.resize(read);
        return bytes;
    }

    void Rewind()
    {
        LARGE_INTEGER zero = {};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    }

    CComRef<IPersistStream> persist;
    CComRef<IStream> stream;
};

TEST_F(MuxPersistTest, SaveWritesTheVersionTheBlockAndTheSyncFlag)
{
    ASSERT_EQ(S_OK, settings->LoadPreset(5));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SYNC_AUDIO, 1));
    EXPECT_EQ(S_OK, persist->IsDirty());
    ASSERT_EQ(S_OK, persist->Save(stream.Get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());

    std::vector<BYTE> bytes = StreamBytes();
    ASSERT_EQ(116u, bytes.size());
    EXPECT_EQ(2u, Word(bytes.data(), 0));
    EXPECT_EQ(Block(), std::vector<BYTE>(bytes.begin() + 4, bytes.begin() + 112));
    EXPECT_EQ(1u, Word(bytes.data(), 112));

    ULARGE_INTEGER size = {};
    EXPECT_EQ(S_OK, persist->GetSizeMax(&size));
    EXPECT_EQ(2688u, size.QuadPart);
}

TEST_F(MuxPersistTest, StreamOfAnotherVersionLoadsNothing)
{
    std::vector<BYTE> before = Block();
    std::vector<BYTE> bytes(116, 0xAB);
    DWORD version = 1;
    memcpy(bytes.data(), &version, sizeof(version));
    ASSERT_EQ(S_OK, stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr));
    Rewind();
    EXPECT_EQ(S_FALSE, persist->Load(stream.Get()));
    EXPECT_EQ(before, Block());
    EXPECT_EQ(2, MuxType());
    EXPECT_EQ(0, Param(MUX_PARAM_SYNC_AUDIO));
}

TEST_F(MuxPersistTest, SavedAndReloadedFilterAnswersTheSame)
{
    ASSERT_EQ(S_OK, settings->LoadPreset(19));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SEGMENT_SIZE, 650));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SYNC_AUDIO, 1));
    ASSERT_EQ(S_OK, persist->Save(stream.Get(), TRUE));
    std::vector<BYTE> saved = Block();

    CComRef<IBaseFilter> other = NewFilter();
    ASSERT_TRUE(other);
    CComRef<IPersistStream> otherPersist;
    CComRef<IMpegMuxSettings> otherSettings;
    CComRef<IMpegMuxParams> otherParams;
    ASSERT_EQ(S_OK, other.QueryTo(otherPersist));
    ASSERT_EQ(S_OK, other.QueryTo(otherSettings));
    ASSERT_EQ(S_OK, other.QueryTo(otherParams));
    Rewind();
    ASSERT_EQ(S_OK, otherPersist->Load(stream.Get()));

    int type = -1;
    EXPECT_EQ(S_OK, otherSettings->GetMuxType(&type));
    EXPECT_EQ(19, type);
    std::vector<BYTE> loaded(kBlockSize);
    EXPECT_EQ(S_OK, otherSettings->GetSettings(loaded.data()));
    EXPECT_EQ(saved, loaded);
    int value = 0;
    EXPECT_EQ(S_OK, otherParams->GetParam(MUX_PARAM_SYNC_AUDIO, &value));
    EXPECT_EQ(1, value);
    EXPECT_EQ(S_OK, otherParams->GetParam(MUX_PARAM_SEGMENT_SIZE, &value));
    EXPECT_EQ(650, value);
}

class MuxRegistryOptionTest : public MuxFilterTest
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)); }
    void TearDown() override
    {
        RemoveOption();
        MuxFilterTest::TearDown();
    }

    static void SetOption(DWORD type, const std::string& bytes)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kOptionKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                                 &key, nullptr));
        RegSetValueExA(key, "AudioNoSpamVOBU", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }

    static void RemoveOption()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kOptionKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
            return;
        RegDeleteValueA(key, "AudioNoSpamVOBU");
        RegCloseKey(key);
    }
};

TEST_F(MuxRegistryOptionTest, AudioNoSpamVobuIsReadAtConstruction)
{
    // value type, bytes, parameter 68 of a filter made afterwards
    const struct { DWORD type; std::string bytes; int expected; } kRows[] = {
        {REG_DWORD, std::string("\x01\x00\x00\x00", 4), 1},
        {REG_BINARY, std::string("\x01\x00\x00\x00", 4), 1},
        {REG_DWORD, std::string("\x02\x00\x00\x00", 4), 0},
        {REG_NONE, std::string(), 0},
    };
    for (size_t i = 0; i < sizeof(kRows) / sizeof(kRows[0]); ++i) {
        RemoveOption();
        if (!kRows[i].bytes.empty())
            SetOption(kRows[i].type, kRows[i].bytes);
        CComRef<IBaseFilter> made = NewFilter();
        ASSERT_TRUE(made) << "row " << i;
        CComRef<IMpegMuxParams> madeParams;
        ASSERT_EQ(S_OK, made.QueryTo(madeParams));
        int value = -1;
        EXPECT_EQ(S_OK, madeParams->GetParam(MUX_PARAM_AUDIO_NO_SPAM_VOBU, &value)) << "row " << i;
        EXPECT_EQ(kRows[i].expected, value) << "row " << i;
    }
}

} // namespace
