// The simulated card's capture filter in a graph of the builder: bound through its class
// record, connected through pin records, run, stopped and torn down.
#include "GraphBuilderFixture.h"
#include "GraphTestRecords.h"
#include "StockFilters.h"
#include "TestDeviceCategory.h"

#include <atomic>
#include <string>

namespace
{

// The capture filter's class as the card's driver registers it.
const CLSID kCardCaptureClsid = {0x05BC4709, 0x7575, 0x4D35, {0xA7, 0x5E, 0x42, 0xA0, 0xEC, 0x24, 0xB1, 0x3C}};
const char kCaptureName[] = "Conexant 2388x_1 Video Capture";

// Counts the samples that pass a sample grabber; called on the streaming thread.
class CFrameCounter : public ISampleGrabberCB
{
public:
    CFrameCounter() : m_arrived(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~CFrameCounter() { CloseHandle(m_arrived); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) ? static_cast<ISampleGrabberCB*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    // Lives on the test's stack, longer than the grabber that holds it.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample* sample) override
    {
        m_lastLength = sample->GetActualDataLength();
        ++m_frames;
        SetEvent(m_arrived);
        return S_OK;
    }
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    // True once count frames have passed; false after the time-out.
    bool WaitForFrames(LONG count, DWORD milliseconds)
    {
        DWORD start = GetTickCount();
        while (m_frames < count) {
            DWORD waited = GetTickCount() - start;
            if (waited >= milliseconds || WaitForSingleObject(m_arrived, milliseconds - waited) != WAIT_OBJECT_0)
                return m_frames >= count;
        }
        return true;
    }
    long LastLength() const { return m_lastLength; }

private:
    // Auto-reset: set by the streaming thread after each sample, waited on by the test.
    HANDLE m_arrived;
    std::atomic<LONG> m_frames{0};
    std::atomic<long> m_lastLength{0};
};

class SimCardGraphTest : public GraphBuilderTest
{
protected:
    CFilterWrapper* AddCapture()
    {
        return builder->AddFilterByName(CLSID_VideoInputDeviceCategory, kCaptureName, kCaptureName, 0, 0);
    }
};

TEST_F(SimCardGraphTest, CaptureFilterIsBoundThroughItsClassRecord)
{
    CFilterWrapper* capture = AddCapture();
    ASSERT_NE(nullptr, capture);
    EXPECT_NE(nullptr, dynamic_cast<CCountedWrapper*>(capture)) << "made by the record's create function";
    EXPECT_TRUE(g_simCaptureRecord.IsByName());
    EXPECT_STREQ(kCaptureName, g_simCaptureRecord.GetFriendlyName());
    EXPECT_TRUE(IsEqualCLSID(kCardCaptureClsid, CTestDeviceCategory::ClassOf(capture->GetFilter())));
    EXPECT_STREQ(kCaptureName, capture->GetFriendlyName());
    EXPECT_STREQ(kCaptureName, capture->GetName());
    EXPECT_NE(nullptr, capture->FindPin("Capture"));
    EXPECT_NE(nullptr, capture->FindPin("Preview"));
    EXPECT_EQ(nullptr, capture->FindPin("capture"));
    EXPECT_EQ(capture, builder->FindWrapper(kCaptureName));
}

TEST_F(SimCardGraphTest, CaptureRunsIntoAGrabberAndLeavesNoReferenceBehind)
{
    CFilterWrapper* capture = AddCapture();
    CFilterWrapper* grabber = builder->AddFilter(CLSID_SampleGrabber, "Grabber");
    CFilterWrapper* renderer = builder->AddFilter(CLSID_NullRenderer, "Renderer");
    ASSERT_TRUE(capture && grabber && renderer);
    ASSERT_TRUE(builder->ConnectFilters(capture, grabber, "Capture", nullptr));
    ASSERT_TRUE(builder->ConnectFilters(grabber, renderer, nullptr, nullptr));
    EXPECT_EQ(grabber, capture->FindPin("Capture")->GetPeer()->GetOwner());
    char type[128];
    ASSERT_TRUE(capture->FindPin("Capture")->DescribeConnectionType(type, sizeof(type)));
    EXPECT_STREQ("MainType:Video,SubType:YUY2", type);

    CFrameCounter counter;
    CComRef<ISampleGrabber> grab;
    ASSERT_HRESULT_SUCCEEDED(grabber->GetFilter()->QueryInterface(IID_ISampleGrabber, grab.ReceiveVoid()));
    ASSERT_HRESULT_SUCCEEDED(grab->SetCallback(&counter, 0));
    grab.Reset();

    ASSERT_TRUE(builder->Run());
    EXPECT_TRUE(counter.WaitForFrames(5, 10000));
    ASSERT_TRUE(builder->Stop());
    EXPECT_EQ(720 * 576 * 2, counter.LastLength()) << "whole YUY2 frames of the card's default size";

    IBaseFilter* card = capture->GetFilter();
    card->AddRef();
    builder->TearDown();
    EXPECT_EQ(0, CCountedWrapper::Live());
    EXPECT_EQ(nullptr, builder->GetFirstWrapper());
    EXPECT_EQ(0u, card->Release()) << "the graph, the wrapper and its pin records let go of the card's filter";
}

TEST_F(SimCardGraphTest, DeviceNamesOfEachKindIncludeTheCardsFilters)
{
    struct Case
    {
        int kind;
        const char* name;
    };
    const Case cases[] = {
        {CGraphBuilder::kVideoCapture, "Conexant 2388x_1 Video Capture"},
        {CGraphBuilder::kAudioCapture, "Conexant 2388x_1 Audio Capture"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        int count = 0;
        const CGraphBuilder::DeviceName* names = builder->EnumDeviceNames(cases[i].kind, &count);
        ASSERT_NE(nullptr, names);
        bool found = false;
        for (int n = 0; n < count; ++n)
            found = found || std::string(names[n]) == cases[i].name;
        EXPECT_TRUE(found);
    }
}

} // namespace
