// The other PCI cards and the USB 2800-family boxes, each made through its record over a card
// registered under its family's names: the PCI cards on the card's property set with their
// keys in the low GPIO lines, the boxes over the box library with their key controller at
// 0xBB and the video multiplexer at 0x4A/0x4B.
#include <gtest/gtest.h>

#include "713xCapture.h"
#include "713xGeniusCapture.h"
#include "AltTvCardCapture.h"
#include "AppMessages.h"
#include "CardFamilyFixture.h"
#include "CrossbarWrapper.h"
#include "I2CAccess.h"
#include "MessageSink.h"
#include "TftvCapture.h"
#include "TunerModel.h"
#include "Tv630Capture.h"
#include "TvAvCapture.h"
#include "TvCardCapture.h"
#include "Usb2820Capture.h"
#include "Usb2821Capture.h"
#include "Usb2881Capture.h"
#include "UsbBoxCapture.h"
#include "UsbTvBoxCapture.h"

#include <string>

namespace {

const CardFamily k713x = {L"family=713x", "713x TV Card Capture", "713x TV Card Crossbar", IsExactly<C713xCapture>,
                          CCaptureDevice::kPropertySet, "20"};
const CardFamily kGenius = {L"family=713x_Genius", "713x_Genius TV Card Capture", "713x_Genius TV Card Crossbar",
                            IsExactly<C713xGeniusCapture>, CCaptureDevice::kPropertySet, "20"};
const CardFamily kSkyvault = {L"family=skyvault", "Quorvex Skyvault Capture", "Quorvex Skyvault Crossbar",
                              IsExactly<CTvCardCapture>, CCaptureDevice::kPropertySet, "20"};
const CardFamily kJinhai = {L"family=jinhai", "Jinhai TV Card Capture", "Jinhai TV Card Crossbar",
                            IsExactly<CAltTvCardCapture>, CCaptureDevice::kPropertySet, "20"};
const CardFamily kRavenor = {L"family=ravenor630", "Ravenor 630 TV Capture", "Ravenor 630 TV Crossbar",
                             IsExactly<CTv630Capture>, CCaptureDevice::kPropertySet, "20"};
const CardFamily kTvAv = {L"family=tvav", "TV AV Capture", "TV AV Capture Crossbar", IsExactly<CTvAvCapture>,
                          CCaptureDevice::kPropertySet, "20"};
const CardFamily kTftv = {L"family=tftv", "TFTV Capture", "TFTV Crossbar", IsExactly<CTftvCapture>,
                          CCaptureDevice::kPropertySet, "20"};
const CardFamily kUsbBox = {L"family=usbbox", "USB 2800 Video", "USB 2800 Crossbar", IsExactly<CUsbBoxCapture>,
                            CCaptureDevice::kUsbBridge, "C0"};
const CardFamily kUsbTvBox = {L"family=usbtvbox", "Quorvex USB TV Box Video", "Quorvex USB TV Box Crossbar",
                              IsExactly<CUsbTvBoxCapture>, CCaptureDevice::kUsbBridge, "C0"};
const CardFamily kUsb2820 = {L"family=usb2820", "USB 2820 Video", "USB 2820 Crossbar", IsExactly<CUsb2820Capture>,
                             CCaptureDevice::kUsbBridge, "C0"};
const CardFamily kUsb2821 = {L"family=usb2821", "USB 2821 Video", "USB 2821 Crossbar", IsExactly<CUsb2821Capture>,
                             CCaptureDevice::kUsbBridge, "C0"};
const CardFamily kUsb2881 = {L"family=usb2881", "USB 2881 Video", "USB 2881 Crossbar", IsExactly<CUsb2881Capture>,
                             CUsb2881Capture::kUsb2881Bridge, "C0"};

const CardFamily* const kPciCards[] = {&k713x, &kGenius, &kSkyvault, &kJinhai, &kRavenor, &kTvAv, &kTftv};
const CardFamily* const kUsbBoxes[] = {&kUsbBox, &kUsbTvBox, &kUsb2820, &kUsb2821, &kUsb2881};
const CardFamily* const kBoxCrossbars[] = {&kUsbBox, &kUsbTvBox, &kUsb2820, &kUsb2821};

// The card's jacks as its state names them, by the program's source.
const long kJackOfSource[] = {1 /* tuner */, 2 /* composite */, 0 /* S-video */};

class OtherCardTest : public CardFamilyFixture
{
protected:
    // One line of the card's state, as "name=value".
    std::string State(const char* name)
    {
        std::string state = "\n" + m_control("state");
        size_t at = state.find("\n" + std::string(name) + "=");
        return at == std::string::npos ? "" : state.substr(at + 1, state.find('\n', at + 1) - at - 1);
    }

    std::string Route(long jack) { return "video_route=" + std::to_string(jack); }
};

} // namespace

TEST_F(OtherCardTest, EachPciCardOpensWithTheTunerOfItsEeprom)
{
    struct Case
    {
        const char* bytes;  // letter and model
        int typeId;
        int letter;
    };
    // A model byte no tuner stands for falls back to the common type.
    const Case cases[] = {{"54 0B", 11, 'T'}, {"42 FF", 4, 'T'}};
    for (const CardFamily* family : kPciCards) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << family->capture << " " << c.bytes);
            Install(*family);
            m_control(std::string("eeprom ") + family->eepromOffset + " = " + c.bytes);
            m_control("profile " + std::to_string(c.typeId));
            CCaptureDevice* device = Open(*family);
            ASSERT_NE(nullptr, device);
            EXPECT_TRUE(device->IsValid());
            EXPECT_EQ(family->accessMode, device->GetAccessMode());
            EXPECT_EQ(c.typeId, device->GetTunerModelId());
            EXPECT_EQ(c.letter, device->GetSystemLetter());
            ASSERT_NE(nullptr, device->GetTuner());
            DWORD mark = m_control.TraceMark();
            EXPECT_TRUE(device->SetTunerFrequency(49750));
            EXPECT_NE(std::string::npos, m_control.TraceFrom(mark).find("W 60 ")) << m_control.TraceFrom(mark);
            m_graph.RemoveWrapper(device);
        }
    }
}

TEST_F(OtherCardTest, TheMakersPciCardsTuneAtTheOnlyAddressThatAnswers)
{
    for (const CardFamily* family : {&kSkyvault, &kJinhai, &kRavenor}) {
        SCOPED_TRACE(family->capture);
        Install(*family);
        m_control("pll C6");
        CCaptureDevice* device = Open(*family);
        ASSERT_TRUE(device && device->IsValid());
        ASSERT_NE(nullptr, device->GetTuner());
        EXPECT_EQ(0xC7, device->GetTuner()->GetReadAddress());
        DWORD mark = m_control.TraceMark();
        EXPECT_TRUE(device->SetTunerFrequency(49750));
        std::string trace = m_control.TraceFrom(mark);
        EXPECT_NE(std::string::npos, trace.find("W 63 ")) << trace;
        EXPECT_EQ(std::string::npos, trace.find("W 60 ")) << trace;
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(OtherCardTest, EachPciCrossbarRoutesTheSourcesPicture)
{
    for (const CardFamily* family : kPciCards) {
        SCOPED_TRACE(family->crossbar);
        Install(*family);
        CCrossbarWrapper* crossbar = OpenCrossbar(*family);
        ASSERT_TRUE(crossbar && crossbar->IsValid());
        for (int source : {CCrossbarWrapper::kComposite, CCrossbarWrapper::kSVideo, CCrossbarWrapper::kTuner}) {
            EXPECT_TRUE(crossbar->SelectInput(source)) << source;
            EXPECT_EQ(Route(kJackOfSource[source]), State("video_route")) << source;
            EXPECT_TRUE(crossbar->SelectAudioInput(source)) << source;
        }
        m_graph.RemoveWrapper(crossbar);
    }
}

TEST_F(OtherCardTest, PciKeysInTheLowGpioLinesReachTheNotifyWindow)
{
    for (const CardFamily* family : {&kSkyvault, &k713x}) {
        SCOPED_TRACE(family->capture);
        CCaptureDevice* device = InstallAndOpen(*family);
        ASSERT_NE(nullptr, device);
        BYTE key = 0;
        EXPECT_FALSE(device->ReadRemoteKey(&key));

        // Both nibbles differ, so a swap the wrong way round shows.
        ASSERT_NO_FATAL_FAILURE(ExpectKeysThroughThePoll(device));
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(OtherCardTest, PciCardsSwitchSoundOnTheirAudioLines)
{
    const struct
    {
        int input;
        BOOL on;
        DWORD lines;  // GPIO 12-13 afterwards
    } cases[] = {{1, TRUE, 0x1000}, {2, TRUE, 0x2000}, {0, FALSE, 0x3000}, {0, TRUE, 0x0000}, {5, TRUE, 0x0000}};
    CCaptureDevice* device = InstallAndOpen(kSkyvault);
    ASSERT_NE(nullptr, device);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "input " << c.input << " on " << c.on);
        EXPECT_EQ(S_OK, device->SetAudioInput(c.input, c.on));
        EXPECT_EQ(c.lines, GpioView(device) & 0x3000);
    }
}

TEST_F(OtherCardTest, EachUsbBoxTakesItsTunerFromTheControllersCodeOrItsEeprom)
{
    struct Case
    {
        int code;           // the key controller's register 50
        const char* bytes;  // EEPROM letter and model
        int typeId;
    };
    // Code 0 leaves it to the EEPROM, whose unnamed or missing model means 93; a code the
    // table lacks means 4.
    const Case cases[] = {{3, "54 0B", 1}, {0, "54 0B", 11}, {0, "54 FF", 93}, {0, "54 00", 93}, {7, "54 0B", 4}};
    for (const CardFamily* family : kUsbBoxes) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << family->capture << " code " << c.code << " " << c.bytes);
            Install(*family);
            m_control("set KeyTunerCode " + std::to_string(c.code));
            m_control(std::string("eeprom ") + family->eepromOffset + " = " + c.bytes);
            CCaptureDevice* device = Open(*family);
            ASSERT_TRUE(device && device->IsValid());
            EXPECT_EQ(family->accessMode, device->GetAccessMode());
            EXPECT_EQ(c.typeId, device->GetTunerModelId());
            EXPECT_EQ('T', device->GetSystemLetter());
            ASSERT_NE(nullptr, device->GetTuner());
            // The box's tuner sits at 0xC6, whatever its type; the channel is in every type's band.
            DWORD mark = m_control.TraceMark();
            EXPECT_TRUE(device->SetTunerFrequency(184250));
            EXPECT_NE(std::string::npos, m_control.TraceFrom(mark).find("W 63 ")) << m_control.TraceFrom(mark);
            m_graph.RemoveWrapper(device);
        }
    }
}

TEST_F(OtherCardTest, TheBoxTunersDemodulatorIsAt4BOnlyWhen42IsSilent)
{
    for (bool demod : {true, false}) {
        SCOPED_TRACE(demod);
        Install(kUsbBox);
        m_control("set KeyTunerCode 3");
        m_control(std::string("set BoxDemod ") + (demod ? "66" : "0"));
        CUsbBridgeCapture* box = dynamic_cast<CUsbBridgeCapture*>(Open(kUsbBox));
        ASSERT_TRUE(box && box->IsValid());
        BYTE address = 0;
        EXPECT_TRUE(box->GetDemodAddress(&address));
        EXPECT_EQ(demod ? 0x42 : 0x4B, address);
        m_graph.RemoveWrapper(box);
    }
}

TEST_F(OtherCardTest, AChosenBoxTunerKeepsTheNotifyWindowAndModelZeroLeavesNone)
{
    CUsbBridgeCapture* box = dynamic_cast<CUsbBridgeCapture*>(InstallAndOpen(kUsbBox));
    ASSERT_NE(nullptr, box);
    MessageSink sink;
    box->GetTuner()->SetNotifyWnd(sink.Handle());
    EXPECT_TRUE(box->SelectTunerModel(72));
    EXPECT_EQ(72, box->GetTunerModelId());
    EXPECT_EQ('L', box->GetSystemLetter());
    ASSERT_NE(nullptr, box->GetTuner());
    EXPECT_EQ(sink.Handle(), box->GetTuner()->GetNotifyWnd());
    EXPECT_FALSE(box->SelectTunerModel(0));
    EXPECT_EQ(nullptr, box->GetTuner());
}

TEST_F(OtherCardTest, The2821BoxMovesItsTunerEntryAfterItsFirstTuner)
{
    Install(kUsb2821);
    m_control("eeprom C0 = 54 0B");
    m_control("eeprom D0 = 54 0E");
    CUsb2821Capture* box = dynamic_cast<CUsb2821Capture*>(Open(kUsb2821));
    ASSERT_TRUE(box && box->IsValid());
    EXPECT_EQ(11, box->GetTunerModelId());
    box->ReadTunerInfo();
    EXPECT_EQ(14, box->GetTunerModelId());

    BYTE value = 0x5A;
    EXPECT_TRUE(box->WriteIndirectRegister(3, &value));
    value = 0;
    EXPECT_TRUE(box->ReadIndirectRegister(3, &value));
    EXPECT_EQ(0x5A, value);
}

TEST_F(OtherCardTest, EachBoxCrossbarWritesTheInputCodeIntoTheMultiplexer)
{
    for (const CardFamily* family : kBoxCrossbars) {
        SCOPED_TRACE(family->crossbar);
        Install(*family);
        CCrossbarWrapper* crossbar = OpenCrossbar(*family);
        ASSERT_TRUE(crossbar && crossbar->IsValid());
        const struct
        {
            int source;
            const char* written;  // sub-address 2, the multiplexer's own bits kept
        } cases[] = {{CCrossbarWrapper::kComposite, "W 25 02 C0"},
                     {CCrossbarWrapper::kSVideo, "W 25 02 C9"},
                     {CCrossbarWrapper::kTuner, "W 25 02 C2"}};
        for (const auto& c : cases) {
            DWORD mark = m_control.TraceMark();
            EXPECT_TRUE(crossbar->SelectInput(c.source)) << c.source;
            std::string trace = m_control.TraceFrom(mark);
            EXPECT_NE(std::string::npos, trace.find(c.written)) << trace;
            EXPECT_EQ(Route(kJackOfSource[c.source]), State("video_route")) << c.source;
        }
        m_graph.RemoveWrapper(crossbar);
    }
}

// The library falls back to the first box of its own list when a name finds none: the TV
// box's crossbar must not switch another family's box.
TEST_F(OtherCardTest, TheTvBoxCrossbarSwitchesItsOwnBoxBesideAnother)
{
    Install(kUsbTvBox);
    SimFamilyCard other(2, L"family=usbbox");
    ASSERT_EQ(S_OK, other.Installed());
    // A card's trace runs while a filter of it exists.
    CComRef<IBaseFilter> otherBox = other.BindCapture("USB 2800 Video");
    ASSERT_TRUE(otherBox);
    CCrossbarWrapper* crossbar = OpenCrossbar(kUsbTvBox);
    ASSERT_TRUE(crossbar && crossbar->IsValid());
    DWORD mark = m_control.TraceMark();
    DWORD otherMark = other.Mark();
    EXPECT_TRUE(crossbar->SelectInput(CCrossbarWrapper::kSVideo));
    EXPECT_NE(std::string::npos, m_control.TraceFrom(mark).find("W 25 02 C9")) << m_control.TraceFrom(mark);
    EXPECT_TRUE(other.TraceFrom(otherMark, {"W 25 "}).empty());
    EXPECT_EQ(Route(kJackOfSource[CCrossbarWrapper::kSVideo]), State("video_route"));
}

// Without the multiplexer's own bits the switch writes nothing and the route stays.
TEST_F(OtherCardTest, ABoxCrossbarWhoseMultiplexerReadFailsSwitchesNothing)
{
    Install(kUsbBox);
    CCrossbarWrapper* crossbar = OpenCrossbar(kUsbBox);
    ASSERT_TRUE(crossbar && crossbar->IsValid());
    ASSERT_TRUE(crossbar->SelectInput(CCrossbarWrapper::kComposite));
    // The box refuses the next I2C data transfer, the read; a write after it would pass.
    m_control("fail 4104 0x80004005 1");
    DWORD mark = m_control.TraceMark();
    EXPECT_FALSE(crossbar->SelectInput(CCrossbarWrapper::kSVideo));
    std::string trace = m_control.TraceFrom(mark);
    EXPECT_NE(std::string::npos, trace.find("! fail prop=4104")) << trace;
    EXPECT_EQ(std::string::npos, trace.find("W 25 02")) << trace;
    EXPECT_EQ(Route(kJackOfSource[CCrossbarWrapper::kComposite]), State("video_route"));
    // The next switch finds the multiplexer again.
    EXPECT_TRUE(crossbar->SelectInput(CCrossbarWrapper::kSVideo));
    EXPECT_EQ(Route(kJackOfSource[CCrossbarWrapper::kSVideo]), State("video_route"));
}

TEST_F(OtherCardTest, BoxKeysComeFromTheKeyControllerWithTheTvBoxAcknowledging)
{
    for (const CardFamily* family : {&kUsbBox, &kUsbTvBox}) {
        SCOPED_TRACE(family->capture);
        CCaptureDevice* device = InstallAndOpen(*family);
        ASSERT_NE(nullptr, device);
        BYTE key = 0;
        EXPECT_FALSE(device->ReadRemoteKey(&key));

        DWORD mark = m_control.TraceMark();
        ASSERT_NO_FATAL_FAILURE(ExpectKeysThroughThePoll(device));
        bool acknowledged = m_control.TraceFrom(mark).find("KC 48=00") != std::string::npos;
        EXPECT_EQ(family == &kUsbTvBox, acknowledged);
        m_graph.RemoveWrapper(device);
    }
}

TEST_F(OtherCardTest, BoxSoundInputsLandInTheBoxsGpioByte)
{
    const struct
    {
        int input;
        BOOL on;
        const char* gpio;  // as the box reports it; it starts at 0xF4
    } cases[] = {{0, TRUE, "gpio=0x05"}, {1, TRUE, "gpio=0x06"}, {2, TRUE, "gpio=0x04"},
                 {0, FALSE, "gpio=0x07"}, {3, TRUE, "gpio=0x07"}};
    CCaptureDevice* device = InstallAndOpen(kUsbBox);
    ASSERT_NE(nullptr, device);
    ASSERT_EQ(S_OK, device->GetI2CAccess()->WriteGpio(0xF4, 0));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "input " << c.input << " on " << c.on);
        EXPECT_EQ(S_OK, device->SetAudioInput(c.input, c.on));
        EXPECT_NE(std::string::npos, m_control("box").find(c.gpio)) << m_control("box");
    }
}
