// Devices added by FriendlyName, and the lists of device names.
#include <afx.h>
#include <afxcoll.h>

#include "GraphBuilderFixture.h"
#include "GraphTestRecords.h"
#include "TestDevices.h"

#include <typeinfo>

namespace
{

class GraphDeviceTest : public GraphBuilderTest
{
protected:
    void SetUp() override
    {
        GraphBuilderTest::SetUp();
        devices.reset(new CTestDeviceCategory(kGraphTestCategory, kSimilarDevices, kSimilarDeviceCount));
        ASSERT_HRESULT_SUCCEEDED(devices->Result());
    }

    void TearDown() override
    {
        devices.reset();
        GraphBuilderTest::TearDown();
    }

    std::unique_ptr<CTestDeviceCategory> devices;
};

TEST_F(GraphDeviceTest, ARecordedDeviceGetsItsClassBoundToTheIndexedDevice)
{
    CFilterWrapper* wrapper =
        builder->AddFilterByName(kGraphTestCategory, "Vexa 2388x_1 Video Capture", "Second Card", 0, 1);
    ASSERT_NE(nullptr, wrapper);
    EXPECT_NE(nullptr, dynamic_cast<CCountedWrapper*>(wrapper));
    EXPECT_TRUE(g_vexaCaptureRecord.IsByName());
    EXPECT_EQ(1, CFilterWrapper::GetDeviceIndex());
    EXPECT_TRUE(IsEqualCLSID(CLSID_SmartTee, CTestDeviceCategory::ClassOf(wrapper->GetFilter())));
    EXPECT_STREQ("Vexa 2388x_1 Video Capture", wrapper->GetFriendlyName());
    EXPECT_STREQ("Second Card", wrapper->GetName());
    EXPECT_EQ((std::vector<std::wstring>{L"Second Card"}), FilterNames());
}

TEST_F(GraphDeviceTest, AnUnclaimedDeviceGetsAPlainWrapperByTheSameRule)
{
    struct Case
    {
        const char* request;
        int index;
        const CLSID* bound;
        const char* friendlyName;
    };
    const Case cases[] = {
        // request                        index  bound                 friendly name
        {"Vexa 2388x_1 Video Captur",     0,     &CLSID_SampleGrabber, "Vexa 2388x_1 Video Capture"},
        {"Vexa 2388x_1 Video Captur",     2,     &CLSID_AVIDec,        "Vexa 2388x_1 Video Capture Plus"},
        {"Vexa 2388x Video Capture",      0,     &CLSID_NullRenderer,  "Vexa 2388x Video Capture"},
        {"维克萨视频采集卡",              0,     &CLSID_NullRenderer,  "维克萨视频采集卡"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        CFilterWrapper* wrapper = builder->AddFilterByName(kGraphTestCategory, cases[i].request, "Device", 0,
                                                           cases[i].index);
        ASSERT_NE(nullptr, wrapper);
        EXPECT_EQ(typeid(CFilterWrapper), typeid(*wrapper));
        EXPECT_TRUE(IsEqualCLSID(*cases[i].bound, CTestDeviceCategory::ClassOf(wrapper->GetFilter())));
        EXPECT_STREQ(cases[i].friendlyName, wrapper->GetFriendlyName());
        builder->RemoveWrapper(wrapper);
    }

    EXPECT_EQ(nullptr, builder->AddFilterByName(kGraphTestCategory, "Vexa 2388x_1 Video Capture", "Fifth", 0, 4))
        << "only four devices answer that name";
    EXPECT_EQ(nullptr, builder->AddFilterByName(kGraphTestCategory, "V", "Too Short", 0, 0));
    EXPECT_TRUE(FilterNames().empty());
    EXPECT_TRUE(Wrappers().empty());
}

TEST_F(GraphDeviceTest, ListsTheNamesOfACategoryInEnumeratorOrder)
{
    CStringList names;
    names.AddTail("kept");
    ASSERT_EQ(S_OK, ListDeviceNames(kGraphTestCategory, names));
    const char* expected[] = {"kept",
                              "Vexa 2388x Video Capture",
                              "Vexa 2388x_1 Video Capture",
                              "Vexa 2388x_1 Video Capture",
                              "Vexa 2388x_1 Video Capture Plus",
                              "Vexa 2388x_1 Video CapturX",
                              "V",
                              "维克萨视频采集卡"};
    ASSERT_EQ((INT_PTR)(sizeof(expected) / sizeof(expected[0])), names.GetCount());
    POSITION position = names.GetHeadPosition();
    for (size_t i = 0; position; ++i)
        EXPECT_STREQ(expected[i], (LPCTSTR)names.GetNext(position)) << i;

    const GUID emptyCategory = {0x3B2F6C40, 0x7E1D, 0x4A55, {0x91, 0x0C, 0x6D, 0x27, 0xE8, 0x43, 0x1A, 0x9F}};
    CStringList none;
    none.AddTail("kept");
    EXPECT_EQ(S_FALSE, ListDeviceNames(emptyCategory, none));
    EXPECT_EQ(1, none.GetCount());
}

TEST_F(GraphDeviceTest, UnknownDeviceKindsHaveNoNames)
{
    int count = -1;
    EXPECT_EQ(nullptr, builder->EnumDeviceNames(4, &count));
    EXPECT_EQ(0, count);
    EXPECT_EQ(nullptr, builder->EnumDeviceNames(-1, &count));
}

} // namespace
