// The multiplexer as the prefix builder installs it: found by the system device enumerator
// in the multiplexer category, its filter data in the registry, removed by regsvr32 /u and
// restored by regsvr32, and not loadable without its library beside it.
#include "ComRef.h"
#include "ExpectedMuxTypes.h"
#include "MpegMuxInterfaces.h"
#include "MuxGuids.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <dshow.h>

#include <string>
#include <vector>

namespace
{

const char kInstalledFilter[] = "C:\\Program Files\\Quorvex\\Skyvault III\\Gantrix.ax";
const char kFilterKey[] = "CLSID\\{2BE4D180-6F2E-4B3A-B0BD-E880917238DC}";
const char kPageKey[] = "CLSID\\{2BE4D188-6F2E-4B3A-B0BD-E880917238DC}";
const char kInstanceKey[] = "CLSID\\{236C9559-ADCE-4736-BF72-BAB34E392196}\\Instance\\Stelvark MPEG Multiplexer";

bool KeyExists(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string ReadValue(const std::string& path, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    std::string data(4096, '\0');
    DWORD bytes = static_cast<DWORD>(data.size());
    LONG err = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &bytes);
    RegCloseKey(key);
    if (err != ERROR_SUCCESS)
        return "<no value>";
    data.resize(bytes);
    return data;
}

std::string Text(const std::string& value)
{
    return value.c_str();
}

// The exit code of a program run to its end, or -1.
int RunProgram(std::string commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// A file of the build tree, beside the test's own folder.
std::string BuildFile(const char* relative)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder = folder.substr(0, folder.rfind('\\'));
    folder = folder.substr(0, folder.rfind('\\') + 1);
    return folder + relative;
}

// The filter data as the filter mapper stores it: a header, then per pin a record, its
// media types (offsets of GUIDs inside the data) and its mediums.
struct StoredPin
{
    DWORD flags = 0;
    std::vector<ExpectedPair> types;
};

struct StoredFilter
{
    DWORD version = 0;
    DWORD merit = 0;
    std::vector<StoredPin> pins;
};

bool ParseFilterData(const std::string& data, StoredFilter& filter)
{
    auto word = [&](size_t at) { return at + 4 <= data.size() ? *reinterpret_cast<const DWORD*>(&data[at]) : 0; };
    auto guid = [&](DWORD at) -> const GUID* {
        return at + sizeof(GUID) <= data.size() ? reinterpret_cast<const GUID*>(&data[at]) : &GUID_NULL;
    };
    if (data.size() < 16)
        return false;
    filter.version = word(0);
    filter.merit = word(4);
    size_t at = 16;
    for (DWORD pin = 0; pin < word(8); ++pin) {
        StoredPin stored;
        stored.flags = word(at + 4);
        DWORD types = word(at + 12);
        DWORD mediums = word(at + 16);
        bool category = word(at + 20) != 0;
        at += 24 + (category ? 4 : 0);
        for (DWORD t = 0; t < types; ++t, at += 16)
            stored.types.push_back({guid(word(at + 8)), guid(word(at + 12))});
        at += 4 * mediums;
        if (at > data.size())
            return false;
        filter.pins.push_back(stored);
    }
    return true;
}

class MuxRegistrationTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)); }

    void TearDown() override
    {
        // Whatever a test undid, the prefix keeps the filter registered for the next one.
        if (!KeyExists(kFilterKey))
            RunProgram(std::string("regsvr32 /s \"") + kInstalledFilter + "\"");
        CoUninitialize();
    }

    // The CLSID the enumerator gives for the filter's FriendlyName, or "".
    std::wstring EnumeratedClass()
    {
        CComRef<ICreateDevEnum> devices;
        CComRef<IEnumMoniker> monikers;
        if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                    devices.ReceiveVoid())) ||
            devices->CreateClassEnumerator(KSCATEGORY_MULTIPLEXER, monikers.Receive(), 0) != S_OK)
            return L"";
        CComRef<IMoniker> moniker;
        while (monikers->Next(1, moniker.Receive(), nullptr) == S_OK) {
            CComRef<IPropertyBag> bag;
            if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.ReceiveVoid())))
                continue;
            std::wstring name = ReadBag(bag.Get(), L"FriendlyName");
            if (name == L"Stelvark MPEG Multiplexer")
                return ReadBag(bag.Get(), L"CLSID");
        }
        return L"";
    }

    static std::wstring ReadBag(IPropertyBag* bag, const WCHAR* name)
    {
        VARIANT value;
        VariantInit(&value);
        std::wstring text;
        if (SUCCEEDED(bag->Read(name, &value, nullptr)) && value.vt == VT_BSTR)
            text = value.bstrVal;
        VariantClear(&value);
        return text;
    }
};

TEST_F(MuxRegistrationTest, EnumeratorListsTheFilterInTheMultiplexerCategory)
{
    EXPECT_EQ(L"{2BE4D180-6F2E-4B3A-B0BD-E880917238DC}", EnumeratedClass());
    EXPECT_EQ("Stelvark MPEG Multiplexer", Text(ReadValue(kFilterKey, nullptr)));
    EXPECT_EQ("Stelvark MPEG Multiplexer Property Page", Text(ReadValue(kPageKey, nullptr)));
    EXPECT_EQ(0, lstrcmpiA(kInstalledFilter, Text(ReadValue(std::string(kFilterKey) + "\\InprocServer32", nullptr)).c_str()));
    EXPECT_EQ("Both", Text(ReadValue(std::string(kFilterKey) + "\\InprocServer32", "ThreadingModel")));

    CComRef<IBaseFilter> filter;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MpegMultiplexer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     filter.ReceiveVoid()));
}

TEST_F(MuxRegistrationTest, FilterDataHoldsTheMeritAndBothPins)
{
    StoredFilter stored;
    ASSERT_TRUE(ParseFilterData(ReadValue(kInstanceKey, "FilterData"), stored));
    EXPECT_EQ(2u, stored.version);
    EXPECT_EQ(0x00200000u, stored.merit);
    ASSERT_EQ(2u, stored.pins.size());

    EXPECT_EQ(static_cast<DWORD>(REG_PINFLAG_B_MANY), stored.pins[0].flags) << "input: many, not rendered, not zero";
    ASSERT_EQ(24u, stored.pins[0].types.size());
    for (size_t i = 0; i < 24; ++i) {
        EXPECT_TRUE(IsEqualGUID(*kExpectedInputPairs[i].major, *stored.pins[0].types[i].major)) << "input type " << i;
        EXPECT_TRUE(IsEqualGUID(*kExpectedInputPairs[i].subtype, *stored.pins[0].types[i].subtype)) << "input type " << i;
    }
    EXPECT_EQ(static_cast<DWORD>(REG_PINFLAG_B_OUTPUT), stored.pins[1].flags) << "output: one, not zero";
    ASSERT_EQ(3u, stored.pins[1].types.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(IsEqualGUID(*kExpectedOutputPairs[i].major, *stored.pins[1].types[i].major)) << "output type " << i;
        EXPECT_TRUE(IsEqualGUID(*kExpectedOutputPairs[i].subtype, *stored.pins[1].types[i].subtype)) << "output type " << i;
    }
}

TEST_F(MuxRegistrationTest, UnregisteringRemovesTheKeysAndRegisteringRestoresThem)
{
    const std::string quoted = std::string("\"") + kInstalledFilter + "\"";
    ASSERT_EQ(0, RunProgram("regsvr32 /s /u " + quoted));
    EXPECT_FALSE(KeyExists(kFilterKey));
    EXPECT_FALSE(KeyExists(kPageKey));
    EXPECT_FALSE(KeyExists(kInstanceKey));
    EXPECT_EQ(L"", EnumeratedClass());

    ASSERT_EQ(0, RunProgram("regsvr32 /s " + quoted));
    EXPECT_TRUE(KeyExists(kFilterKey));
    EXPECT_TRUE(KeyExists(kPageKey));
    EXPECT_EQ("Stelvark MPEG Multiplexer", Text(ReadValue(kInstanceKey, "FriendlyName")));
    EXPECT_EQ(L"{2BE4D180-6F2E-4B3A-B0BD-E880917238DC}", EnumeratedClass());
}

TEST_F(MuxRegistrationTest, WithoutItsLibraryTheFilterNeitherLoadsNorRegisters)
{
    TempFolder folder;
    const std::string copy = folder.FilePath("Gantrix.ax");
    ASSERT_TRUE(CopyFileA(BuildFile("Gantrix.ax").c_str(), copy.c_str(), FALSE)) << BuildFile("Gantrix.ax");

    HMODULE alone = LoadLibraryExA(copy.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    DWORD error = GetLastError();
    EXPECT_EQ(nullptr, alone);
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), error);
    if (alone)
        FreeLibrary(alone);
    EXPECT_NE(0, RunProgram("regsvr32 /s \"" + copy + "\""));
    EXPECT_EQ(0, lstrcmpiA(kInstalledFilter, Text(ReadValue(std::string(kFilterKey) + "\\InprocServer32", nullptr)).c_str()))
        << "the registration still names the installed copy";

    // With the library beside it, the same copy loads.
    ASSERT_TRUE(CopyFileA(BuildFile("brevalon\\brevalon.dll").c_str(), folder.FilePath("brevalon.dll").c_str(), FALSE));
    HMODULE module = LoadLibraryExA(copy.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    EXPECT_NE(nullptr, module);
    if (module)
        FreeLibrary(module);
}

} // namespace
