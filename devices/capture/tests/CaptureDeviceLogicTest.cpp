#include <gtest/gtest.h>

#include "CardBusFake.h"
#include "Cx2388x1Capture.h"
#include "Cx2388x3Capture.h"
#include "713xGeniusCapture.h"
#include "DorinCapture.h"
#include "McuTunerCardCapture.h"
#include "MutexHolder.h"
#include "UsbTvBoxCapture.h"
#include "PciCardCapture.h"
#include "TunerModel.h"

#include <memory>

namespace {

// A device class T without a filter, on a fake bus it owns.
template <class T>
class OnBus : public T
{
public:
    OnBus() : T(NULL, (IBaseFilter*)NULL), bus(new CardBusFake())
    {
        this->SetAccess(bus, CCaptureDevice::kTunerFilter);
    }
    CardBusFake* bus;
};

TEST(CaptureDeviceEeprom, RefusesRangesBeyondTheEeprom)
{
    OnBus<CCaptureDevice> device;
    for (int i = 0; i < 256; ++i)
        device.bus->eeprom[i] = (BYTE)i;
    BYTE data[8] = {0};
    int count = 7;
    EXPECT_EQ(E_INVALIDARG, device.ReadEeprom(data, 250, &count));
    count = 0;
    EXPECT_EQ(E_INVALIDARG, device.ReadEeprom(data, 0, &count));
    EXPECT_EQ(E_INVALIDARG, device.WriteEeprom(data, 250, &count, 0));
    count = 6;
    EXPECT_EQ(S_OK, device.ReadEeprom(data, 250, &count));
    EXPECT_EQ(6, count);
    const BYTE expected[6] = {250, 251, 252, 253, 254, 255};
    EXPECT_EQ(0, memcmp(expected, data, sizeof(expected)));
}

TEST(CaptureDeviceEeprom, StopsAtTheFirstFailingByteAndSaysSo)
{
    OnBus<CCaptureDevice> device;
    device.bus->failingSubAddress = 0x13;
    BYTE data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    int count = 8;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), device.WriteEeprom(data, 0x10, &count, 0));
    EXPECT_EQ(3, count);
    EXPECT_EQ(3, device.bus->eeprom[0x12]);
    EXPECT_EQ(0, device.bus->eeprom[0x14]);

    BYTE read[8] = {0};
    count = 8;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), device.ReadEeprom(read, 0x10, &count));
    EXPECT_EQ(3, count);
    EXPECT_EQ(0, memcmp(data, read, 3));
}

TEST(CaptureDeviceI2C, RawWritesKeepToTheBlockLimits)
{
    OnBus<CCaptureDevice> device;
    BYTE data[257] = {0xC0, 1};
    EXPECT_EQ(E_INVALIDARG, device.WriteI2C(NULL, 2));
    EXPECT_EQ(E_FAIL, device.WriteI2C(data, 1));
    EXPECT_EQ(E_FAIL, device.WriteI2C(data, 257));
    device.bus->answering = {0xC0};
    EXPECT_EQ(S_OK, device.WriteI2C(data, 2));
}

TEST(CaptureDeviceTuner, DetectsTheTunerAddressesOnTheBus)
{
    struct Case
    {
        std::set<BYTE> answering;
        BOOL found;
        BYTE read, write;
    };
    const Case cases[] = {
        {{0xA0, 0xA1, 0xC2, 0xC3}, TRUE, 0xC3, 0xC2},
        {{0xC6, 0xC7, 0x86, 0x87}, TRUE, 0xC7, 0xC6},
        {{0x86, 0x87, 0x96}, TRUE, 0x87, 0xC0},
        {{0x96, 0x97, 0xB6}, TRUE, 0x97, 0x96},
        // One answer is the read address; its write address is the even one next to it.
        {{0xC3}, TRUE, 0xC3, 0xC2},
        {{0xA0, 0xA1}, FALSE, 0xC1, 0xC0},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        OnBus<CCaptureDevice> device;
        device.bus->answering = cases[i].answering;
        CTunerModel tuner(device.bus);
        EXPECT_EQ(cases[i].found, device.DetectTunerAddress(&tuner));
        EXPECT_EQ(cases[i].read, tuner.GetReadAddress());
        device.bus->blockWrites.clear();
        tuner.SetTvFrequency(49750);
        ASSERT_EQ(1u, device.bus->blockWrites.size());
        EXPECT_EQ(cases[i].write, device.bus->blockWrites[0][0]);
    }
}

TEST(CaptureDeviceTuner, BusScanGivesUpWhileAnotherProgramHoldsTheCard)
{
    OnBus<CCaptureDevice> device;
    device.bus->answering = {0xC0, 0xC1};
    MutexHolder holder("GPIO_LOCK");
    ASSERT_TRUE(holder.IsHolding());
    std::vector<BYTE> found;
    EXPECT_FALSE(device.ScanI2CBus(&found));
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(0, device.bus->reads);
}

TEST(CaptureDeviceTuner, FactoryMakesOnlyTypesWithATunerClass)
{
    OnBus<CCaptureDevice> device;
    device.bus->answering = {0xC0, 0xC1};
    for (int typeId : {0, 135, 6, 200}) {
        SCOPED_TRACE(typeId);
        EXPECT_EQ(nullptr, device.CreateTunerModel(typeId));
    }
    std::unique_ptr<CTunerModel> tuner(device.CreateTunerModel(92));
    EXPECT_NE(nullptr, tuner.get());

    EXPECT_TRUE(device.SelectTunerModel(92));
    EXPECT_EQ(92, device.GetTunerModelId());
    EXPECT_EQ('P', device.GetSystemLetter());
    EXPECT_STREQ("PHILIPS1216", device.GetTunerModelName());
    EXPECT_FALSE(device.SelectTunerModel(135));
    EXPECT_EQ(92, device.GetTunerModelId());
}

TEST(CaptureDeviceTuner, ForwardersFailWithoutATuner)
{
    OnBus<CCaptureDevice> device;
    int code = 0;
    EXPECT_FALSE(device.SetTunerFrequency(49750));
    EXPECT_FALSE(device.SetTunerStandard(AnalogVideo_PAL_D));
    EXPECT_TRUE(device.GetTunerStandards().empty());
    EXPECT_FALSE(device.IsScanning());
    EXPECT_FALSE(device.SetFmScanStep(50));
    EXPECT_FALSE(device.SetTvScanRange(48000, 860000));
    EXPECT_FALSE(device.SetTvScanSettleTime(10));
    EXPECT_FALSE(device.IsTvLocked());
    EXPECT_FALSE(device.GetTvStatus(&code));
    EXPECT_FALSE(device.GetFmStatus(&code));
}

TEST(CaptureDeviceTuner, LettersFollowTheTypeTable)
{
    struct Case
    {
        int typeId;
        BOOL known;
        int letter;
    };
    const Case cases[] = {{0, TRUE, 'N'},   {3, TRUE, 'T'},   {12, TRUE, 'G'},  {17, TRUE, 'T'},  {33, TRUE, 'X'},
                          {60, TRUE, 'A'},  {73, TRUE, 'L'},  {91, TRUE, 'E'},  {95, TRUE, 'P'},  {100, TRUE, 'O'},
                          {110, TRUE, 'C'}, {132, TRUE, 'A'}, {135, TRUE, 'D'}, {137, TRUE, 'E'}, {6, FALSE, 'N'},
                          {50, FALSE, 'N'}, {200, FALSE, 'N'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typeId);
        int letter = 0;
        EXPECT_EQ(c.known, CCaptureDevice::LetterForTunerModel(c.typeId, &letter));
        EXPECT_EQ(c.letter, letter);
    }
}

TEST(CaptureDeviceGpio, RemoteKeysDecodeFromTheLowByte)
{
    OnBus<CCaptureDevice> device;
    BYTE key = 0;
    device.bus->gpio = {0x0E1};
    EXPECT_TRUE(device.ReadRemoteKey(&key));
    EXPECT_EQ(0xE1, key);
    device.bus->gpio = {0x1E1};
    EXPECT_FALSE(device.ReadRemoteKey(&key));
}

TEST(CaptureDeviceGpio, AudioSwitchesWriteTheirOwnLines)
{
    OnBus<CCaptureDevice> device;
    device.bus->gpio = {0xF0000};
    struct Case
    {
        bool mux;
        int input;
        BOOL on;
        DWORD value, mask;
    };
    const Case cases[] = {
        {false, 2, TRUE, 0xF2000, 0x3000}, {false, 0, FALSE, 0xF3000, 0x3000}, {false, 5, TRUE, 0xF3000, 0x3000},
        {true, 3, TRUE, 0xF3000, 0x7000},  {true, 0, TRUE, 0xF0000, 0x7000},   {true, 1, FALSE, 0xF4000, 0x7000},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        device.bus->gpioWrites.clear();
        HRESULT hr = cases[i].mux ? device.SetAudioMux(cases[i].input, cases[i].on)
                                  : device.SetAudioInput(cases[i].input, cases[i].on);
        EXPECT_EQ(S_OK, hr);
        ASSERT_EQ(1u, device.bus->gpioWrites.size());
        EXPECT_EQ(cases[i].value, device.bus->gpioWrites[0].value);
        EXPECT_EQ(cases[i].mask, device.bus->gpioWrites[0].mask);
    }
}

TEST(CaptureDeviceGpio, FramesAreWrappedInIdleWrites)
{
    OnBus<CCaptureDevice> base;
    base.bus->gpio = {0x2000};
    EXPECT_TRUE(base.SendGpioFrame(0x12345, 0xFF, 7));
    ASSERT_EQ(3u, base.bus->gpioWrites.size());
    EXPECT_EQ(0x182100u, base.bus->gpioWrites[0].value);
    EXPECT_EQ(0x187100u, base.bus->gpioWrites[0].mask);
    EXPECT_EQ((0x12345u & ~0x7000u) | 0x2000u, base.bus->gpioWrites[1].value);
    EXPECT_EQ(0x70FFu, base.bus->gpioWrites[1].mask);
    EXPECT_EQ(7u, base.bus->gpioWrites[1].delayMs);
    EXPECT_EQ(0x182100u, base.bus->gpioWrites[2].value);

    OnBus<CCx2388x1Capture> card;
    EXPECT_TRUE(card.SendGpioFrame(0x330600, 0xFF8600, 10));
    ASSERT_EQ(3u, card.bus->gpioWrites.size());
    EXPECT_EQ(0x8600u, card.bus->gpioWrites[0].value);
    EXPECT_EQ(0x8600u, card.bus->gpioWrites[0].mask);
    EXPECT_EQ(0x330600u, card.bus->gpioWrites[1].value);
    EXPECT_EQ(0xFF8600u, card.bus->gpioWrites[1].mask);
    EXPECT_EQ(0x8600u, card.bus->gpioWrites[2].value);
}

TEST(Cx2388xRemote, KeyIsTheInvertedDataByteOnceItIsReleased)
{
    OnBus<CCx2388x3Capture> card;
    BYTE key = 0;
    // Held for three reads, then released: the last word held decides.
    card.bus->gpio = {0x3C8600, 0x3C0600, 0x3C0600, 0x3C8E00};
    EXPECT_TRUE(card.ReadRemoteKey(&key));
    EXPECT_EQ(0xC3, key);
    EXPECT_EQ(1u, card.bus->gpio.size());

    // Idle: no key, after one read.
    card.bus->gpio = {0x8E00, 0x3C0600};
    EXPECT_FALSE(card.ReadRemoteKey(&key));
    EXPECT_EQ(1u, card.bus->gpio.size());
}

TEST(Cx2388xRemote, HeldKeyEndsAtTheHoldTime)
{
    OnBus<CCx2388x3Capture> card;
    card.SetRemoteHoldTime(0);
    card.SetRemoteHoldTime(30);
    card.bus->gpio = {0x5A0600};
    BYTE key = 0;
    EXPECT_TRUE(card.ReadRemoteKey(&key));
    EXPECT_EQ(0xA5, key);
}

TEST(GpioFrameRemote, The713xLayoutsKeyIsTheInvertedByteOfBothRunsOfLines)
{
    OnBus<CDorinCapture> card;
    BYTE key = 0;
    // ~0xC3 = 0x3C: bits 0-4 on lines 19-23, bits 5-7 on lines 25-27; line 24 is not the byte's.
    card.bus->gpio = {0x03E00600, 0x8E00};
    EXPECT_TRUE(card.ReadRemoteKey(&key));
    EXPECT_EQ(0xC3, key);
}

// The hold time the key reader is handed, read where the card keeps it.
struct McuTunerCardHold : OnBus<CMcuTunerCardCapture>
{
    using CMcuTunerCardCapture::GetRemoteHoldTime;
};

TEST(GpioFrameRemote, TheControllerTunerCardsKeyTimeoutTakesOnlyPositiveValues)
{
    McuTunerCardHold card;
    card.Configure();
    // Its own 500 ms, not the layout's 1000 ms, and a time-out below 1 ms changes nothing.
    EXPECT_EQ(500, card.GetRemoteHoldTime());
    card.SetRemoteKeyTimeout(0);
    card.SetRemoteKeyTimeout(-5);
    EXPECT_EQ(500, card.GetRemoteHoldTime());
    card.SetRemoteKeyTimeout(1);
    EXPECT_EQ(1, card.GetRemoteHoldTime());
    // A key held for good ends at that time-out.
    card.bus->gpio = {0x5A0600};
    BYTE key = 0;
    EXPECT_TRUE(card.ReadRemoteKey(&key));
    EXPECT_EQ(0xA5, key);
}

TEST(CaptureDeviceLifecycle, FailedOpenKeepsTheFilterAndClearsTheValidFlag)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    {
        // A stock filter without the drivers' property sets.
        CCaptureDevice device(NULL, CLSID_SmartTee);
        ASSERT_NE(nullptr, device.GetFilter());
        device.Open();
        EXPECT_FALSE(device.IsValid());
        EXPECT_EQ(CCaptureDevice::kNotOpen, device.GetAccessMode());
        EXPECT_EQ(nullptr, device.GetI2CAccess());
        EXPECT_NE(nullptr, device.GetFilter());
    }
    CoUninitialize();
}

} // namespace

TEST(PciCard, TunerTakesTheFirstWriteAddressThatAnswers)
{
    struct Case
    {
        std::set<BYTE> answering;
        BOOL found;
        BYTE read, write;
    };
    const Case cases[] = {
        {{0xC6}, TRUE, 0xC7, 0xC6},
        {{0xC8, 0xC2}, TRUE, 0xC3, 0xC2},
        {{0xC0, 0xC1}, TRUE, 0xC1, 0xC0},
        // Read addresses and addresses outside the five are not probed.
        {{0xC7, 0xCA, 0x86}, FALSE, 0, 0},
        {{}, FALSE, 0, 0},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        OnBus<CPciCardCapture> device;
        device.bus->answering = cases[i].answering;
        CTunerModel tuner(device.bus);
        BYTE before = tuner.GetReadAddress();
        EXPECT_EQ(cases[i].found, device.DetectTunerAddress(&tuner));
        EXPECT_EQ(cases[i].found ? cases[i].read : before, tuner.GetReadAddress());
        if (!cases[i].found)
            continue;
        device.bus->blockWrites.clear();
        tuner.SetTvFrequency(49750);
        ASSERT_EQ(1u, device.bus->blockWrites.size());
        EXPECT_EQ(cases[i].write, device.bus->blockWrites[0][0]);
    }
}

namespace {
// A PCI card on a fake bus in a chosen access mode.
class PciOnBus : public CPciCardCapture
{
public:
    explicit PciOnBus(int mode) : CPciCardCapture(NULL, (IBaseFilter*)NULL), bus(new CardBusFake())
    {
        SetAccess(bus, mode);
    }
    CardBusFake* bus;
};
} // namespace

TEST(PciCard, RemoteKeysAreReleasedAfterEachReadUnderDeviceControl)
{
    struct Case
    {
        int mode;
        DWORD word;
        BOOL key;
        BYTE code;
        size_t writes;
    };
    const Case cases[] = {
        {CCaptureDevice::kDeviceControl, 0xF00E1, TRUE, 0xE1, 1},
        {CCaptureDevice::kDeviceControl, 0xF01E1, FALSE, 0, 1},
        {CCaptureDevice::kPropertySet, 0x0E1, TRUE, 0xE1, 0},
        {CCaptureDevice::kPropertySet, 0x1E1, FALSE, 0, 0},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        PciOnBus device(cases[i].mode);
        device.bus->gpio = {cases[i].word};
        BYTE key = 0;
        EXPECT_EQ(cases[i].key, device.ReadRemoteKey(&key));
        if (cases[i].key) {
            EXPECT_EQ(cases[i].code, key);
        }
        ASSERT_EQ(cases[i].writes, device.bus->gpioWrites.size());
        if (cases[i].writes) {
            EXPECT_EQ(cases[i].word | 0x1FF, device.bus->gpioWrites[0].value);
            EXPECT_EQ(0u, device.bus->gpioWrites[0].mask);
        }
    }
}

TEST(PciCard, ConfigurePollsTheRemoteEvery140Ms)
{
    PciOnBus device(CCaptureDevice::kDeviceControl);
    device.Configure();
    EXPECT_EQ(140, device.GetPollInterval());
}

TEST(Saa713xGenius, ConfigurePollsTheRemoteEvery140Ms)
{
    OnBus<C713xGeniusCapture> device;
    EXPECT_EQ(100, device.GetPollInterval());
    device.Configure();
    EXPECT_EQ(140, device.GetPollInterval());
}

TEST(UsbBox, TunerTypeFollowsTheControllersCodeThenTheEeprom)
{
    const int kNone = -1;  // no such register or EEPROM byte
    struct Case
    {
        int code;        // register 50 of 0xBB
        int eepromModel; // EEPROM byte 0xC1
        int type;
    };
    const Case cases[] = {
        {1, 5, 3}, {2, 5, 2}, {3, 5, 1}, {4, 5, 14}, {5, 0, 5}, {6, 0, 11}, {7, 5, 4}, {255, 5, 4},
        // Code 0, or no answer, leaves it to the EEPROM, which must name a known tuner.
        {0, 5, 5}, {kNone, 5, 5}, {0, 0, 93}, {0, 250, 93}, {0, kNone, 93},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        OnBus<CUsbBridgeCapture> device;
        if (cases[i].code != kNone)
            device.bus->registers[0xBB << 8 | 50] = (BYTE)cases[i].code;
        if (cases[i].eepromModel == kNone)
            device.bus->failingSubAddress = 0xC1;
        else
            device.bus->eeprom[0xC1] = (BYTE)cases[i].eepromModel;
        device.bus->eeprom[0x21] = 3;  // where other cards keep it: not read here
        int letter = 0, model = 0;
        device.ReadEepromInfo(&letter, &model);
        EXPECT_EQ(cases[i].type, model);
        EXPECT_EQ('T', letter);
        device.ReadTunerInfo();
        EXPECT_EQ(cases[i].type, device.GetTunerModelId());
        EXPECT_EQ('T', device.GetSystemLetter());
    }
}

TEST(UsbBox, AnEepromTuner69OverridesTheControllersCode)
{
    OnBus<CUsbBridgeCapture> device;
    device.bus->registers[0xBB << 8 | 50] = 3;
    device.bus->eeprom[0xC0] = 'P';
    device.bus->eeprom[0xC1] = 69;
    device.ReadTunerInfo();
    EXPECT_EQ(69, device.GetTunerModelId());
    EXPECT_EQ('P', device.GetSystemLetter());
}

namespace {
// A key read on a box of class T whose controller's register 48 holds waiting (-1: no
// answer) and register 49 the key 0x2A; the controller writes it saw.
template <class T>
std::vector<int> ReadKeyOn(int waiting, BOOL* read, BYTE* key)
{
    OnBus<T> device;
    if (waiting >= 0)
        device.bus->registers[0xBB << 8 | 48] = (BYTE)waiting;
    device.bus->registers[0xBB << 8 | 49] = 0x2A;
    *read = device.ReadRemoteKey(key);
    return device.bus->registerWrites;
}
} // namespace

TEST(UsbBox, KeysComeFromTheKeyController)
{
    struct Case
    {
        bool acknowledging;
        int waiting;  // register 48; -1: no answer
        BOOL read;
        std::vector<int> writes;
    };
    const Case cases[] = {
        {false, 1, TRUE, {}},
        {false, 0, FALSE, {}},
        {false, 2, FALSE, {}},
        {false, -1, FALSE, {}},
        {true, 1, TRUE, {(0xBB << 8 | 48) << 8 | 0}},
        {true, 0, FALSE, {}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        BYTE key = 0;
        BOOL read = FALSE;
        std::vector<int> writes = cases[i].acknowledging ? ReadKeyOn<CUsbTvBoxCapture>(cases[i].waiting, &read, &key)
                                                         : ReadKeyOn<CUsbBridgeCapture>(cases[i].waiting, &read, &key);
        EXPECT_EQ(cases[i].read, read);
        if (cases[i].read) {
            EXPECT_EQ(0x2A, key);
        }
        EXPECT_EQ(cases[i].writes, writes);
    }
}

TEST(UsbBox, AudioInputsWriteTheirCodeBesideTheBoxsOwnBits)
{
    struct Case
    {
        int input;
        BOOL on;
        DWORD written;
    };
    const Case cases[] = {
        {0, TRUE, 0x05}, {1, TRUE, 0x06}, {2, TRUE, 0x04}, {0, FALSE, 0xF7},
        // An input without a code writes the word back unchanged.
        {3, TRUE, 0xF4}, {-1, TRUE, 0xF4},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        OnBus<CUsbBridgeCapture> device;
        device.bus->gpio = {0xF4};
        EXPECT_EQ(S_OK, device.SetAudioInput(cases[i].input, cases[i].on));
        ASSERT_EQ(1u, device.bus->gpioWrites.size());
        EXPECT_EQ(cases[i].written, device.bus->gpioWrites[0].value);
        EXPECT_EQ(0u, device.bus->gpioWrites[0].mask);
    }
}

TEST(UsbBox, EachBoxNamesItselfForItsTransport)
{
    OnBus<CUsbBridgeCapture> box;
    box.Configure();
    EXPECT_STREQ("USB 2800 Video", box.GetBoxName());
    OnBus<CUsbTvBoxCapture> tvBox;
    tvBox.Configure();
    EXPECT_STREQ("Quorvex USB TV Box Video", tvBox.GetBoxName());
}
