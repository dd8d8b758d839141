#include "CardFamilyFixture.h"
#include "AppMessages.h"
#include "MessageSink.h"

#include "I2CAccess.h"

#include <ks.h>
#include <ksmedia.h>

void CardFamilyFixture::SetUp()
{
    ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
}

void CardFamilyFixture::TearDown()
{
    m_graph.TearDown();
    m_card.reset();
}

void CardFamilyFixture::Install(const CardFamily& family)
{
    m_card.reset();
    m_card.reset(new SimFamilyCard(kCard, family.install));
    ASSERT_EQ(S_OK, m_card->Installed()) << family.capture;
    m_control.Run("reset");
}

CCaptureDevice* CardFamilyFixture::Open(const CardFamily& family)
{
    CFilterWrapper* wrapper =
        m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, family.capture, "Video Capture", 0, 0);
    EXPECT_TRUE(family.isClass(wrapper)) << family.capture;
    return dynamic_cast<CCaptureDevice*>(wrapper);
}

CCaptureDevice* CardFamilyFixture::InstallAndOpen(const CardFamily& family)
{
    Install(family);
    CCaptureDevice* device = Open(family);
    EXPECT_TRUE(device && device->IsValid()) << family.capture;
    return device && device->IsValid() ? device : nullptr;
}

CCrossbarWrapper* CardFamilyFixture::OpenCrossbar(const CardFamily& family)
{
    return dynamic_cast<CCrossbarWrapper*>(
        m_graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, family.crossbar, "Crossbar", 0, 0));
}

DWORD CardFamilyFixture::GpioView(CCaptureDevice* device)
{
    DWORD word = 0;
    EXPECT_EQ(S_OK, device->GetI2CAccess()->ReadGpio(&word));
    return word;
}

size_t CardFamilyFixture::TraceCount(DWORD mark, const char* text)
{
    std::string trace = m_control.TraceFrom(mark);
    size_t count = 0;
    for (size_t at = trace.find(text); at != std::string::npos; at = trace.find(text, at + 1))
        ++count;
    return count;
}

void CardFamilyFixture::ExpectKeysThroughThePoll(CCaptureDevice* device)
{
    MessageSink sink;
    device->SetNotifyWnd(sink.Handle());
    ASSERT_TRUE(device->StartRemotePoll());
    for (const char* sent : {"C3", "25"}) {
        m_control(std::string("key ") + sent);
        MSG got;
        ASSERT_TRUE(sink.WaitFor(WM_REMOTE_KEY, 5000, &got)) << sent;
        EXPECT_EQ(strtoul(sent, nullptr, 16), got.wParam);
    }
    EXPECT_FALSE(sink.WaitFor(WM_REMOTE_KEY, 300));
    device->StopRemotePoll();
}
