// The USB family's companions made through their records: the boxes' audio device with its
// companion COM object over a card registered as a USB 2800 box, and the USB camera over a
// card registered as one.
#include <gtest/gtest.h>

#include "EmpAudioDevice.h"
#include "GraphBuilder.h"
#include "SimDeviceSupport.h"
#include "SimLogTail.h"
#include "UsbCamCapture.h"

#include <string>
#include <vector>

namespace {

class UsbCompanionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        SimControl::Install(FALSE, L"card=1");
    }

    void TearDown() override
    {
        m_graph.TearDown();
        SimControl::Install(FALSE, L"card=1");
    }

    CGraphBuilder m_graph;
};

BOOL PinEnabled(CFilterWrapper* wrapper, const char* name)
{
    CComRef<IAMAudioInputMixer> mixer;
    BOOL enabled = -1;
    CFilterPin* pin = wrapper->FindPin(name);
    if (pin && SUCCEEDED(pin->GetPin()->QueryInterface(IID_IAMAudioInputMixer, mixer.ReceiveVoid())))
        mixer->get_Enable(&enabled);
    return enabled;
}

} // namespace

TEST_F(UsbCompanionTest, TheBoxAudioDeviceStartsItsCompanionAndEnablesInputPins)
{
    ASSERT_EQ(S_OK, SimControl::Install(TRUE, L"card=1;family=usb2800"));
    SimLogTail log("empaudio");
    CEmpAudioDevice* audio = dynamic_cast<CEmpAudioDevice*>(
        m_graph.AddFilterByName(CLSID_AudioInputDeviceCategory, "USB EMP Audio Device", "Audio", 0, 0));
    ASSERT_NE(nullptr, audio);
    EXPECT_EQ(std::vector<std::string>({"E on=1"}), log.Lines());

    EXPECT_TRUE(audio->EnableInputPin("Line In", FALSE));
    EXPECT_EQ(FALSE, PinEnabled(audio, "Line In"));
    EXPECT_TRUE(audio->EnableInputPin("Line In", TRUE));
    EXPECT_EQ(TRUE, PinEnabled(audio, "Line In"));
    // Only an input pin of that name will do.
    EXPECT_FALSE(audio->EnableInputPin("No Such Pin", TRUE));
    CFilterPin* output = audio->FindFreePin(1, TRUE);
    ASSERT_NE(nullptr, output);
    EXPECT_FALSE(audio->EnableInputPin(output->GetName(), TRUE));
}

TEST_F(UsbCompanionTest, TheCameraComesThroughItsRecord)
{
    ASSERT_EQ(S_OK, SimControl::Install(TRUE, L"card=1;family=usbcam;audio=0"));
    CUsbCamCapture* camera = dynamic_cast<CUsbCamCapture*>(
        m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Usb_Cam_Capture", "Camera", 0, 0));
    ASSERT_NE(nullptr, camera);
    EXPECT_TRUE(camera->DetectI420());
}
