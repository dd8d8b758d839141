#include "FakeUsbBox.h"
#include "UsbBridgeI2C.h"
#include "UsbDeviceAccess.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <uuids.h>

#include <functional>

namespace
{
typedef std::vector<std::string> Calls;

// The filter's references: the test's own and the library's.
ULONG References(FakeUsbBox* box)
{
    box->InnerAddRef();
    return box->InnerRelease();
}

// A box named "USB 2820 Video" in the device list, found through the library's search.
struct BoxFixture : public ::testing::Test
{
    BoxFixture() : box(new FakeUsbBox)
    {
        previous = CUsbDeviceAccess::SetFilterFinder(FakeDevices::Find);
        FakeDevices::List() = {{CLSID_VideoInputDeviceCategory, "USB 2820 Video", box}};
        FakeDevices::Searches().clear();
        box->devices[0xA0] = std::vector<BYTE>(256);
        for (int i = 0; i < 256; ++i)
            box->devices[0xA0][i] = (BYTE)(0x80 + i);
        box->devices[0xC0] = std::vector<BYTE>(8, 0x5A);
    }
    ~BoxFixture() override
    {
        library.Close();
        library.ReleaseAudioFilters();
        FakeDevices::List().clear();
        CUsbDeviceAccess::SetFilterFinder(previous);
        EXPECT_EQ(0u, box->InnerRelease());
    }
    void OpenBox()
    {
        ASSERT_TRUE(library.Open("USB 2820"));
        box->calls.clear();
    }

    FakeUsbBox* box;
    CUsbDeviceAccess library;
    UsbFilterFinder previous;
};
}

TEST_F(BoxFixture, EveryTransferIsASelectorAndItsDataProperty)
{
    OpenBox();
    BYTE b[4] = {0x11, 0x22, 0x33, 0x44};
    struct Case { const char* what; std::function<HRESULT()> call; Calls calls; };
    box->registers[8] = 0x07;
    const Case cases[] = {
        {"ReadRegister", [&] { return library.ReadRegister(8, 1, b); }, {"S4101=00000801", "G4102:07"}},
        {"WriteRegister", [&] { return library.WriteRegister(0x40, 2, b); }, {"S4101=00004002", "S4102:0722"}},
        {"I2CWrite", [&] { BYTE w[3] = {0x10, 0xAB, 0xCD}; return library.I2CWrite(0xA0, 3, w); },
         {"S4103=00A00003", "S4104:10ABCD"}},
        {"I2CRead", [&] { return library.I2CRead(0xA1, 2, b); }, {"S4103=00A10002", "G4104:9293"}},
        {"I2CReadSub", [&] { return library.I2CReadSub(0xA0, 0x21, 1, b); }, {"S4103=01A02101", "G4104:A1"}},
        {"I2CWriteSub", [&] { BYTE v = 0x9C; return library.I2CWriteSub(0xC0, 0x02, 1, &v); },
         {"S4103=01C00201", "S4104:9C"}},
        {"I2CReadEx", [&] { return library.I2CReadEx(0xA0, 0x30, 0x0102, b); }, {"S4103=01A03002", "G4104:B0B1"}},
        {"I2CWriteEx", [&] { return library.I2CWriteEx(0xC0, 0x05, 0x0001, b); }, {"S4103=00C00501", "S4104:B0"}},
        {"SetProperty4107", [&] { return library.SetProperty4107(0x1234); }, {"S4107=00001234"}},
        {"WriteIndirectRegister", [&] { BYTE w[2] = {0x01, 0x02}; return library.WriteIndirectRegister(0x0C, w); },
         {"S4101=00004002", "S4102:0102", "S4101=00004201", "S4102:0C", "S4101=00004301", "G4102:00"}},
        {"ReadIndirectRegister", [&] { return library.ReadIndirectRegister(0x0C, b); },
         {"S4101=00004201", "S4102:8C", "S4101=00004301", "G4102:00", "S4101=00004002", "G4102:0102"}},
    };
    for (const Case& c : cases) {
        box->calls.clear();
        EXPECT_EQ(S_OK, c.call()) << c.what;
        EXPECT_EQ(c.calls, box->calls) << c.what;
    }
}

TEST_F(BoxFixture, AFailedTransferResetsItsSelectorAndReadsAsFailure)
{
    OpenBox();
    BYTE b[2] = {};
    struct Case { const char* what; DWORD failing; std::function<HRESULT()> call; std::function<BOOL()> done; Calls calls; };
    const Case cases[] = {
        {"I2C data read", 4104, [&] { return library.I2CRead(0xA0, 1, b); }, [&] { return library.I2CReadOk(0xA0, 1, b); },
         {"S4103=00A00001", "G4104:fail", "S4103=00000000"}},
        {"I2C selector", 4103, [&] { return library.I2CWriteSub(0xC0, 1, 1, b); },
         [&] { return library.I2CWriteSubOk(0xC0, 1, 1, b); }, {"S4103=01C00101", "S4103=00000000"}},
        {"register data write", 4102, [&] { return library.WriteRegister(8, 1, b); },
         [&] { return library.WriteRegisterOk(8, 1, b); }, {"S4101=00000801", "S4102:00", "S4101=00000000"}},
    };
    for (const Case& c : cases) {
        box->calls.clear();
        box->failOnce[c.failing] = E_FAIL;
        EXPECT_EQ(E_FAIL, c.call()) << c.what;
        EXPECT_EQ(c.calls, box->calls) << c.what;
        EXPECT_EQ(E_FAIL, library.GetLastResult()) << c.what;
        box->failOnce[c.failing] = E_FAIL;
        EXPECT_FALSE(c.done()) << c.what;
    }
    // A device that does not answer fails the same way.
    box->calls.clear();
    EXPECT_FALSE(library.I2CReadOk(0x42, 1, b));
    EXPECT_EQ((Calls{"S4103=00420001", "G4104:fail", "S4103=00000000"}), box->calls);
}

TEST_F(BoxFixture, AClosedBoxAnswersSixWithoutCallsAndTheBoolFormsSayFailed)
{
    BYTE b[2] = {};
    DWORD d = 0;
    EXPECT_EQ(6, library.GetProperty(4115, &d));
    EXPECT_EQ(6, library.SetProperty(4107, &d));
    EXPECT_EQ(6, library.ReadRegister(8, 1, b));
    EXPECT_EQ(6, library.I2CWrite(0xA0, 1, b));
    EXPECT_EQ(6, library.I2CReadEx(0xA0, 0, 0x0101, b));
    EXPECT_EQ(6, library.SetProperty4107(1));
    EXPECT_FALSE(library.ReadRegisterOk(8, 1, b));
    EXPECT_FALSE(library.I2CReadSubOk(0xA0, 0, 1, b));
    EXPECT_FALSE(library.SetProperty4107Ok(1));
    EXPECT_FALSE(library.ReadGpioOk(b));
    EXPECT_FALSE(library.IsProperty4121Set());
    EXPECT_FALSE(library.TestAndClearFlag());
    EXPECT_TRUE(box->calls.empty());
}

TEST_F(BoxFixture, ABusyIndirectRegisterGivesUpAfterExactlyItsLimit)
{
    OpenBox();
    BYTE b[2] = {0x12, 0x34};
    box->busyReads = -1;
    EXPECT_EQ(5, library.ReadIndirectRegister(0x10, b));
    EXPECT_EQ(2000, box->statusReads);
    box->statusReads = 0;
    EXPECT_EQ(5, library.WriteIndirectRegister(0x10, b));
    EXPECT_EQ(2000, box->statusReads);

    box->statusReads = 0;
    box->busyReads = 1999;
    box->registers[0x40] = 0xBE;
    box->registers[0x41] = 0xEF;
    EXPECT_EQ(S_OK, library.ReadIndirectRegister(0x10, b));
    EXPECT_EQ(2000, box->statusReads);
    EXPECT_EQ(0xBE, b[0]);
    EXPECT_EQ(0xEF, b[1]);

    // An unreadable status gives up at once; a refused register number is the write's result.
    box->statusReads = 0;
    box->statusFails = true;
    EXPECT_EQ(5, library.ReadIndirectRegister(0x10, b));
    EXPECT_EQ(1, box->statusReads);
    box->failOnce[4102] = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, library.ReadIndirectRegister(0x10, b));
}

TEST_F(BoxFixture, TheGpioMaskRefusesValuesWithoutItsBitsAndTheRefusalIsAFailure)
{
    OpenBox();
    box->registers[8] = 0x01;
    box->registers[9] = 0x5C;
    EXPECT_EQ(S_OK, library.SetGpioMask(0x10));
    EXPECT_EQ(0x11, box->registers[8]);

    box->calls.clear();
    BYTE value = 0x01;
    EXPECT_EQ(5, library.WriteGpio(&value));
    EXPECT_FALSE(library.WriteGpioOk(&value));
    EXPECT_TRUE(box->calls.empty());
    value = 0x11;
    EXPECT_TRUE(library.WriteGpioOk(&value));
    EXPECT_EQ((Calls{"S4101=00000801", "S4102:11"}), box->calls);

    BYTE read = 0;
    EXPECT_EQ(S_OK, library.ReadGpio(&read));
    EXPECT_EQ(0x5C, read);
    box->registers[8] = 0x01;
    read = 0;
    EXPECT_EQ(5, library.ReadGpio(&read));
    EXPECT_FALSE(library.ReadGpioOk(&read));
    EXPECT_EQ(0, read);
}

TEST_F(BoxFixture, TheNumberedPropertiesAndTheFlag)
{
    OpenBox();
    DWORD out = 99;
    box->values[4116] = 0;
    box->values[4115] = 0x77;
    EXPECT_EQ(21, library.QueryProperty4115(3, &out));
    EXPECT_EQ(0u, out);
    EXPECT_EQ((Calls{"S4107=00000003", "G4116"}), box->calls);

    box->calls.clear();
    box->values[4116] = 1;
    EXPECT_EQ(S_OK, library.QueryProperty4115(4, &out));
    EXPECT_EQ(0x77u, out);
    EXPECT_EQ((Calls{"S4107=00000004", "G4116", "G4115"}), box->calls);

    EXPECT_FALSE(library.IsProperty4121Set());
    box->values[4121] = 2;
    EXPECT_TRUE(library.IsProperty4121Set());
    box->failOnce[4121] = E_FAIL;
    EXPECT_FALSE(library.IsProperty4121Set());
    EXPECT_EQ(E_FAIL, library.GetLastResult());

    box->registers[12] = 0x21;
    EXPECT_TRUE(library.TestAndClearFlag());
    EXPECT_EQ(0x01, box->registers[12]);
    EXPECT_FALSE(library.TestAndClearFlag());
}

TEST_F(BoxFixture, OpenBindsByPrefixOrThroughTheFamilyList)
{
    EXPECT_TRUE(library.Open("USB 2820"));
    EXPECT_EQ((Calls{"USB 2820"}), FakeDevices::Searches());
    FakeDevices::Searches().clear();
    EXPECT_TRUE(library.Open("Another Box"));
    // Each family name in turn until "USB 2820 Video" finds it.
    EXPECT_EQ((Calls{"Another Box", "USB 2800 Video", "USB 2801 Video", "USB 2700 Camera", "USB 2701 Camera",
                     "USB 2840 Video", "USB 2841 Video", "USB 2830 Video", "USB 2831 Video", "USB 2820 Video"}),
              FakeDevices::Searches());
    FakeDevices::List().clear();
    EXPECT_FALSE(library.Open("USB 2820"));
    EXPECT_FALSE(library.IsOpen());
}

TEST_F(BoxFixture, ReopeningReleasesTheHeldInterfaceAndCanOpenKeepsIt)
{
    // Open over an open box: one reference of the library's at a time.
    ASSERT_TRUE(library.Open("USB 2820"));
    ASSERT_TRUE(library.Open("USB 2820"));
    EXPECT_EQ(2u, References(box));

    EXPECT_TRUE(library.CanOpen("USB 2820"));
    EXPECT_TRUE(library.IsOpen());
    BYTE b = 0;
    EXPECT_EQ(S_OK, library.ReadRegister(8, 1, &b));
    EXPECT_EQ(2u, References(box));

    FakeDevices::List().clear();
    EXPECT_FALSE(library.CanOpen("USB 2820"));
    EXPECT_TRUE(library.IsOpen());
}

TEST(UsbDeviceAccessNames, RegistryNamesAreBoundedAndTheAudioSearchFallsBack)
{
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\USB2800");
    char name[CUsbDeviceAccess::kNameSize + 16];
    memset(name, 'x', sizeof(name));
    EXPECT_FALSE(CUsbDeviceAccess::ReadAudioDeviceName(name, NULL));
    CUsbDeviceAccess::GetAudioName(name);
    EXPECT_STREQ("USB EMP Audio Device", name);
    CUsbDeviceAccess::GetDataSourceName(name);
    EXPECT_STREQ("USB 2820 Video", name);

    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\USB2800\\TwainDS", 0, NULL, 0,
                                             KEY_WRITE, NULL, &key, NULL));
    RegSetValueExA(key, "DSName", 0, REG_SZ, (const BYTE*)"USB 2861 Video", 15);
    RegCloseKey(key);
    wchar_t wide[CUsbDeviceAccess::kWideNameSize];
    EXPECT_TRUE(CUsbDeviceAccess::ReadDataSourceName(name, wide));
    EXPECT_STREQ("USB 2861 Video", name);
    EXPECT_STREQ(L"USB 2861 Video", wide);

    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\USB2800\\Audio", 0, NULL, 0,
                                             KEY_WRITE, NULL, &key, NULL));
    std::string longName(300, 'L');
    RegSetValueExA(key, "DeviceName", 0, REG_BINARY, (const BYTE*)longName.data(), 20);
    RegCloseKey(key);
    memset(name, 'x', sizeof(name));
    CUsbDeviceAccess::GetAudioName(name);
    EXPECT_STREQ("USB EMP Audio Device", name);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\USB2800\\Audio", 0, KEY_WRITE, &key));
    // The longest name that fits, stored without its terminator, comes back terminated.
    RegSetValueExA(key, "DeviceName", 0, REG_SZ, (const BYTE*)longName.data(), CUsbDeviceAccess::kNameSize - 1);
    memset(name, 'x', sizeof(name));
    EXPECT_TRUE(CUsbDeviceAccess::ReadAudioDeviceName(name, wide));
    EXPECT_EQ(CUsbDeviceAccess::kNameSize - 1, (int)strlen(name));
    EXPECT_EQ('x', name[CUsbDeviceAccess::kNameSize]);
    EXPECT_EQ(CUsbDeviceAccess::kNameSize - 1, (int)wcslen(wide));
    // A longer one is not read at all.
    RegSetValueExA(key, "DeviceName", 0, REG_SZ, (const BYTE*)longName.data(), 300);
    EXPECT_FALSE(CUsbDeviceAccess::ReadAudioDeviceName(name, NULL));
    RegCloseKey(key);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\USB2800");
}

TEST_F(BoxFixture, AudioFiltersAreFoundByTheDefaultNameAndAMissingOneReleasesAll)
{
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\USB2800");
    FakeUsbBox* audio = new FakeUsbBox;
    FakeUsbBox* renderer = new FakeUsbBox;
    FakeDevices::List().push_back({CLSID_AudioInputDeviceCategory, "USB EMP Audio Device", audio});
    FakeDevices::List().push_back({CLSID_AudioRendererCategory, "Default WaveOut Device", renderer});
    char name[CUsbDeviceAccess::kNameSize];
    IBaseFilter* input = NULL;
    IBaseFilter* out = NULL;
    EXPECT_TRUE(library.OpenAudioFilters(name, &input, NULL, &out));
    EXPECT_STREQ("USB EMP Audio Device", name);
    EXPECT_EQ(static_cast<IBaseFilter*>(audio), input);
    EXPECT_EQ(static_cast<IBaseFilter*>(renderer), out);

    IBaseFilter* ks = NULL;
    // Nothing in the KS audio category.
    EXPECT_FALSE(library.OpenAudioFilters(NULL, &input, &ks, &out));
    EXPECT_EQ(nullptr, ks);
    FakeDevices::List().resize(1);
    library.ReleaseAudioFilters();
    EXPECT_EQ(0u, audio->InnerRelease());
    EXPECT_EQ(0u, renderer->InnerRelease());
}

TEST_F(BoxFixture, TheBridgeFailsClosedAndRefusesBadBlocks)
{
    CUsbBridgeI2C bridge;
    BYTE b[4] = {0xA0};
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, bridge.ReadByte(0xA0, 0, b));
    EXPECT_EQ(E_FAIL, bridge.WriteByte(0xA0, 0, 1));
    EXPECT_EQ(E_FAIL, bridge.Read(b, 1));
    EXPECT_EQ(E_FAIL, bridge.Write(b, 2));
    EXPECT_EQ(E_FAIL, bridge.ReadGpio(&d));
    EXPECT_EQ(E_FAIL, bridge.WriteGpio(1, 1));
    EXPECT_EQ(E_INVALIDARG, bridge.Attach(NULL, (void*)""));
    EXPECT_EQ(E_INVALIDARG, bridge.Attach(NULL, NULL));
    EXPECT_TRUE(box->calls.empty());

    ASSERT_EQ(S_OK, bridge.Attach(NULL, (void*)"USB 2820"));
    EXPECT_EQ(E_INVALIDARG, bridge.Read(b, 0));
    EXPECT_EQ(E_INVALIDARG, bridge.Read(NULL, 1));
    EXPECT_EQ(E_INVALIDARG, bridge.Write(b, 1));
    EXPECT_EQ(E_INVALIDARG, bridge.Write(NULL, 2));
    EXPECT_TRUE(box->calls.empty());

    // A transfer the box did not do, and a GPIO value the mask refuses, fail.
    EXPECT_EQ(E_FAIL, bridge.ReadByte(0x42, 0, b));
    bridge.Library().SetGpioMask(0x80);
    EXPECT_EQ(E_FAIL, bridge.WriteGpio(0x01, 0xFF));

    EXPECT_EQ(S_OK, bridge.SendBusControl(0));
    EXPECT_EQ(E_FAIL, bridge.Read(b, 1));
    EXPECT_EQ(S_OK, bridge.SendDeviceControl(1));
    EXPECT_EQ(S_OK, bridge.Read(b, 1));

    FakeDevices::List().clear();
    CUsbBridgeI2C absent;
    EXPECT_EQ(E_FAIL, absent.Attach(NULL, (void*)"USB 2820"));
}

TEST_F(BoxFixture, TheBridgeReadsTheEepromWritesThePllAndScansTheBus)
{
    CUsbBridgeI2C bridge;
    ASSERT_EQ(S_OK, bridge.Attach(NULL, (void*)"USB 2820"));
    box->calls.clear();

    BYTE eeprom[4] = {0xA0, 0, 0, 0};
    BYTE sub[2] = {0xA0, 0x10};
    ASSERT_EQ(S_OK, bridge.Write(sub, 2));
    ASSERT_EQ(S_OK, bridge.Read(eeprom, 4));
    EXPECT_EQ((std::vector<BYTE>{0x90, 0x91, 0x92, 0x93}), std::vector<BYTE>(eeprom, eeprom + 4));
    BYTE pll[5] = {0xC0, 0x0B, 0xDC, 0xCE, 0x01};
    ASSERT_EQ(S_OK, bridge.Write(pll, 5));
    BYTE value = 0;
    ASSERT_EQ(S_OK, bridge.ReadByte(0xA0, 0x05, &value));
    EXPECT_EQ(0x85, value);
    ASSERT_EQ(S_OK, bridge.WriteByte(0xC0, 0x06, 0x77));
    EXPECT_EQ((Calls{"S4103=00A00001", "S4104:10", "S4103=00A00004", "G4104:90919293", "S4103=00C00004",
                     "S4104:0BDCCE01", "S4103=01A00501", "G4104:85", "S4103=01C00601", "S4104:77"}),
              box->calls);
    EXPECT_EQ((std::vector<BYTE>{0x5A, 0x5A, 0x5A, 0xDC, 0xCE, 0x01, 0x77, 0x5A}), box->devices[0xC0]);

    std::vector<BYTE> found;
    // Both the write and the read address of each device answer a one-byte read.
    EXPECT_EQ(4, bridge.ScanBus(&found, 255, 0xFF));
    EXPECT_EQ((std::vector<BYTE>{0xA0, 0xA1, 0xC0, 0xC1}), found);
    found.clear();
    EXPECT_EQ(2, bridge.ScanBus(&found, 0xA1, 0xFF));
    EXPECT_EQ((std::vector<BYTE>{0xA0, 0xA1}), found);

    box->registers[8] = 0x80;
    box->registers[9] = 0x3C;
    DWORD gpio = 0;
    EXPECT_EQ(S_OK, bridge.ReadGpio(&gpio));
    EXPECT_EQ(0x3Cu, gpio);
    EXPECT_EQ(S_OK, bridge.WriteGpio(0x81, 0));
    EXPECT_EQ(0x81, box->registers[8]);
}

// The system's device search: the prefix holds no box, so nothing opens and no page shows.
TEST(UsbDeviceAccessSystem, WithoutABoxNothingOpens)
{
    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    {
        CUsbDeviceAccess library;
        EXPECT_FALSE(library.Open("USB 2820"));
        EXPECT_FALSE(library.CanOpen());
        EXPECT_EQ(nullptr, library.FindDefaultFilter());
        EXPECT_EQ(0, library.ShowPropertyPages(NULL, "USB 2820"));
        BYTE b = 0;
        EXPECT_EQ(6, library.ReadRegister(8, 1, &b));
        CUsbBridgeI2C bridge;
        EXPECT_EQ(E_FAIL, bridge.Attach(NULL, (void*)"USB 2800 Video"));
    }
    CoUninitialize();
}
