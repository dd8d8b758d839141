#include "DialogWatcher.h"
#include "SimFamilyCard.h"
#include "UsbBridgeI2C.h"
#include "UsbDeviceAccess.h"

#include <gtest/gtest.h>

#include <stdio.h>

// The box library and its bridge transport over the simulated card registered as a USB box.
// The box is named by a later entry of the family's list, so a name that matches nothing
// still reaches it through the list.
namespace
{
const DWORD kCard = 7;
const char kBoxName[] = "USB 2821 Video";
const char kBoxPrefix[] = "USB 2821";
const char kDataSourceKey[] = "Software\\USB2800\\TwainDS";
typedef SimFamilyCard::Lines Lines;

class SimUsbBox : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        s_card = new SimFamilyCard(kCard, L"family=usb2800;videoname=USB 2821 Video");
    }

    static void TearDownTestSuite()
    {
        delete s_card;
        s_card = NULL;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDataSourceKey);
        CoUninitialize();
    }

    void SetUp() override
    {
        ASSERT_EQ(S_OK, s_card->Installed());
        ASSERT_TRUE(m_box.Open(kBoxPrefix));
        // Configuration commands outlive a test, and the card may be live from an earlier one:
        // back to the same instance values.
        for (const char* value : {"BoxBusyReads 1", "Box4115 0", "Box4116 1", "Box4121 0"})
            Sim(std::string("set ") + value);
        Sim("reset");
    }

    std::string Sim(const std::string& command) { return s_card->Control()(command); }

    // The box the library holds, told apart by what property 4107 was set to.
    DWORD Value4107()
    {
        DWORD value = 0;
        std::string box = Sim("box");
        sscanf(box.substr(box.find("value4107=")).c_str(), "value4107=%lu", &value);
        return value;
    }

    DWORD StatusReads()
    {
        DWORD reads = 0;
        std::string box = Sim("box");
        sscanf(box.substr(box.find("statusreads=")).c_str(), "statusreads=%lu", &reads);
        return reads;
    }

    static SimFamilyCard* s_card;
    CUsbDeviceAccess m_box;
};

SimFamilyCard* SimUsbBox::s_card = NULL;
} // namespace

TEST_F(SimUsbBox, OpenBindsByPrefixAndThroughTheFamilyList)
{
    EXPECT_EQ(S_OK, m_box.SetProperty4107(11));
    EXPECT_EQ(11u, Value4107());

    CUsbDeviceAccess listed;
    ASSERT_TRUE(listed.Open("No Such Box"));
    EXPECT_EQ(S_OK, listed.SetProperty4107(12));
    EXPECT_EQ(12u, Value4107());

    // The installer's data source name, read from the registry.
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDataSourceKey, 0, NULL, 0, KEY_WRITE, NULL, &key,
                                             NULL));
    RegSetValueExA(key, "RealDSName", 0, REG_SZ, (const BYTE*)kBoxName, sizeof(kBoxName));
    RegCloseKey(key);
    char name[CUsbDeviceAccess::kNameSize] = "";
    CUsbDeviceAccess::GetDataSourceName(name);
    EXPECT_STREQ(kBoxName, name);
    CUsbDeviceAccess byDefault;
    ASSERT_TRUE(byDefault.OpenDefault());
    EXPECT_EQ(S_OK, byDefault.SetProperty4107(13));
    EXPECT_EQ(13u, Value4107());
    EXPECT_TRUE(byDefault.CanOpen());

    // The box has no other interface: the 2388x card's set is not on it.
    CComRef<IBaseFilter> capture = s_card->BindCapture(kBoxName);
    ASSERT_TRUE(capture);
    CComRef<IKsPropertySet> set;
    ASSERT_EQ(S_OK, capture->QueryInterface(IID_IKsPropertySet, set.ReceiveVoid()));
    DWORD support = 0;
    const GUID captureSet = {0xFC8FACFF, 0x0293, 0x4CE3, {0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0}};
    EXPECT_EQ(E_PROP_SET_UNSUPPORTED, set->QuerySupported(captureSet, 0, &support));
}

TEST_F(SimUsbBox, RegisterI2CIndirectAndGpioTransfersReachTheCard)
{
    DWORD from = s_card->Mark();
    BYTE eeprom[2] = {0, 0};
    EXPECT_EQ(S_OK, m_box.I2CReadSub(0xA0, 0x20, 2, eeprom));
    EXPECT_EQ('T', eeprom[0]);
    EXPECT_EQ(0x0B, eeprom[1]);
    BYTE pll[4] = {0x05, 0x8A, 0xCE, 0xA0};
    EXPECT_EQ(S_OK, m_box.I2CWrite(0xC0, 4, pll));
    BYTE word[2] = {0x34, 0x12};
    EXPECT_EQ(S_OK, m_box.WriteIndirectRegister(0x05, word));
    BYTE back[2] = {0, 0};
    EXPECT_EQ(S_OK, m_box.ReadIndirectRegister(0x05, back));
    EXPECT_EQ(0x34, back[0]);
    EXPECT_EQ(0x12, back[1]);
    BYTE gpio = 0x11;
    EXPECT_EQ(S_OK, m_box.WriteGpio(&gpio));
    BYTE in = 0;
    EXPECT_EQ(S_OK, m_box.ReadGpio(&in));
    EXPECT_EQ(0x11, in);
    Lines expected = {
        "W 50 20", "R 50 -> 54 0B",
        "W 60 05 8A CE A0", "T TV N=1418 t=49725 band=1 ok d=+25",
        "U W 40 34 12", "U W 42 05", "U ind W 05 = 1234",
        "U W 42 85", "U ind R 05 -> 1234", "U R 40 34 12",
        "U W 08 11", "U gpio 11", "U R 08 11", "U R 09 11",
    };
    EXPECT_EQ(expected, s_card->TraceFrom(from, {"W ", "R ", "T ", "U "}));
}

TEST_F(SimUsbBox, AFailingDataPropertyIsFollowedByTheSelectorReset)
{
    DWORD from = s_card->Mark();
    Sim("fail 4104 0x80004005");
    BYTE value = 0;
    EXPECT_EQ(E_FAIL, m_box.I2CReadSub(0xA0, 0x20, 1, &value));
    Sim("fail 4102 0x8007001F");
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), m_box.ReadRegister(8, 1, &value));
    Lines expected = {"! fail prop=4104 hr=80004005", "U reset 4103", "! fail prop=4102 hr=8007001F", "U reset 4101"};
    EXPECT_EQ(expected, s_card->TraceFrom(from, {"! ", "U reset"}));
    // The selector was re-armed by the next transfer.
    EXPECT_EQ(S_OK, m_box.I2CReadSub(0xA0, 0x20, 1, &value));
    EXPECT_EQ('T', value);
}

TEST_F(SimUsbBox, ABusyIndirectRegisterGivesUpAfterExactlyItsLimit)
{
    BYTE word[2] = {0, 0};
    Sim("set BoxBusyReads 3");
    EXPECT_EQ(S_OK, m_box.ReadIndirectRegister(0x07, word));
    EXPECT_EQ(4u, StatusReads());

    Sim("set BoxBusyReads 0xFFFFFFFF");
    EXPECT_EQ(CUsbDeviceAccess::kRefused, m_box.ReadIndirectRegister(0x07, word));
    EXPECT_EQ((DWORD)CUsbDeviceAccess::kIndirectPolls, StatusReads());
    EXPECT_EQ(CUsbDeviceAccess::kRefused, m_box.WriteIndirectRegister(0x07, word));
    EXPECT_EQ((DWORD)CUsbDeviceAccess::kIndirectPolls, StatusReads());
}

TEST_F(SimUsbBox, TheGpioMaskRefusesValuesWithoutItsBitsAndTheFlagClearsOnce)
{
    BYTE out = 0x01;
    ASSERT_EQ(S_OK, m_box.WriteRegister(8, 1, &out));
    EXPECT_EQ(S_OK, m_box.SetGpioMask(0x10));
    BYTE reg = 0;
    EXPECT_EQ(S_OK, m_box.ReadRegister(8, 1, &reg));
    EXPECT_EQ(0x11, reg);
    DWORD from = s_card->Mark();
    BYTE value = 0x01;
    EXPECT_EQ(CUsbDeviceAccess::kRefused, m_box.WriteGpio(&value));
    EXPECT_FALSE(m_box.WriteGpioOk(&value));
    EXPECT_EQ(Lines(), s_card->TraceFrom(from, {"U W"}));
    value = 0x13;
    EXPECT_EQ(S_OK, m_box.WriteGpio(&value));
    EXPECT_EQ(Lines({"U W 08 13"}), s_card->TraceFrom(from, {"U W"}));

    BYTE flags = 0x21;
    ASSERT_EQ(S_OK, m_box.WriteRegister(12, 1, &flags));
    EXPECT_TRUE(m_box.TestAndClearFlag());
    EXPECT_FALSE(m_box.TestAndClearFlag());
    EXPECT_EQ(S_OK, m_box.ReadRegister(12, 1, &flags));
    EXPECT_EQ(0x01, flags);
}

TEST_F(SimUsbBox, ValuePropertiesReadWhatTheTestSets)
{
    Sim("set Box4115 4660");
    Sim("set Box4116 1");
    Sim("set Box4121 0");
    DWORD out = 0;
    EXPECT_EQ(S_OK, m_box.QueryProperty4115(9, &out));
    EXPECT_EQ(4660u, out);
    EXPECT_EQ(9u, Value4107());
    EXPECT_FALSE(m_box.IsProperty4121Set());

    Sim("set Box4116 0");
    Sim("set Box4121 1");
    EXPECT_EQ(CUsbDeviceAccess::kNoValue, m_box.QueryProperty4115(9, &out));
    EXPECT_EQ(0u, out);
    EXPECT_TRUE(m_box.IsProperty4121Set());
}

TEST_F(SimUsbBox, AudioFiltersAndPropertyPagesAreFound)
{
    // No name in the registry: the family's own audio device.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\USB2800\\Audio");
    char name[CUsbDeviceAccess::kNameSize] = "";
    IBaseFilter* audioInput = NULL;
    IBaseFilter* ksAudio = NULL;
    EXPECT_TRUE(m_box.OpenAudioFilters(name, &audioInput, &ksAudio, NULL));
    EXPECT_STREQ("USB EMP Audio Device", name);
    EXPECT_TRUE(audioInput);
    EXPECT_TRUE(ksAudio);
    m_box.ReleaseAudioFilters();

    // The frame is modal, without a caption of its own: the watcher answers it.
    DWORD from = s_card->Mark();
    {
        DialogWatcher watcher;
        EXPECT_EQ(1, m_box.ShowPropertyPages(NULL, kBoxPrefix));
        EXPECT_EQ(S_OK, m_box.GetLastResult());
        std::vector<ShownDialog> shown = watcher.Dialogs();
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ(IDOK, shown[0].pressed);
    }
    EXPECT_EQ(Lines({"U pages"}), s_card->TraceFrom(from, {"U "}));
}

TEST_F(SimUsbBox, TheBridgeReadsTheEepromWritesThePllAndScansTheBus)
{
    CUsbBridgeI2C bridge;
    ASSERT_EQ(S_OK, bridge.Attach(NULL, (void*)kBoxPrefix));
    DWORD from = s_card->Mark();
    BYTE type = 0;
    EXPECT_EQ(S_OK, bridge.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(0x0B, type);
    BYTE pll[5] = {0xC0, 0x1F, 0xE2, 0xCE, 0x30};
    EXPECT_EQ(S_OK, bridge.Write(pll, 5));
    Sleep(50);
    BYTE status[1] = {0xC1};
    EXPECT_EQ(S_OK, bridge.Read(status, 1));
    EXPECT_EQ(0x42, status[0]);
    Lines expected = {"W 50 21", "R 50 -> 0B", "W 60 1F E2 CE 30", "T TV N=8162 t=471225 band=3 ok d=+25", "R 60 -> 42"};
    EXPECT_EQ(expected, s_card->TraceFrom(from, {"W ", "R ", "T "}));

    // Present: the EEPROM (its bytes past the type are 0xFF) and the locked PLL; the box's
    // demodulator reads 0 at its register 0. An absent address fails its read.
    std::vector<BYTE> found;
    EXPECT_EQ(4, bridge.ScanBus(&found, 254, 0xFF));
    EXPECT_EQ(std::vector<BYTE>({0xA0, 0xA1, 0xC0, 0xC1}), found);
    status[0] = 0x30;
    EXPECT_EQ(E_FAIL, bridge.Read(status, 1));
}
