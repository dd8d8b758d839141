// Binding devices by FriendlyName through the system device enumerator.
#include "DeviceSearch.h"
#include "FilterWrapper.h"
#include "StaTest.h"
#include "TestDevices.h"

#include <memory>

namespace
{

// The test's own device category, so that no other test's devices are listed in it.
const GUID kCategory = {0x00ABF531, 0x6574, 0x493A, {0xB1, 0x33, 0x42, 0x28, 0x8A, 0x64, 0x69, 0xA8}};

class DeviceBindingTest : public StaTest
{
protected:
    void SetUp() override
    {
        StaTest::SetUp();
        devices.reset(new CTestDeviceCategory(kCategory, kSimilarDevices, kSimilarDeviceCount));
        ASSERT_HRESULT_SUCCEEDED(devices->Result());
    }

    void TearDown() override
    {
        devices.reset();
        CFilterWrapper::SetDeviceIndex(0);
        StaTest::TearDown();
    }

    std::unique_ptr<CTestDeviceCategory> devices;
};

TEST_F(DeviceBindingTest, RequestModeAndDeviceIndexChooseTheDevice)
{
    struct Case
    {
        const char* request;
        int matchMode;
        int index;
        const CLSID* bound; // null: no device, an invalid wrapper
        const char* friendlyName;
    };
    const Case cases[] = {
        // request                           mode index  bound                  friendly name
        {"Vexa 2388x_1 Video Capture",       0,   0,     &CLSID_SampleGrabber,  "Vexa 2388x_1 Video Capture"},
        {"Vexa 2388x_1 Video Capture",       0,   1,     &CLSID_SmartTee,       "Vexa 2388x_1 Video Capture"},
        {"Vexa 2388x_1 Video Capture",       0,   2,     &CLSID_AVIDec,         "Vexa 2388x_1 Video Capture Plus"},
        {"Vexa 2388x_1 Video Capture",       0,   3,     &CLSID_NullRenderer,   "Vexa 2388x_1 Video CapturX"},
        {"Vexa 2388x_1 Video Capture",       0,   4,     nullptr,               ""},
        {"Vexa 2388x Video Capture",         0,   0,     &CLSID_NullRenderer,   "Vexa 2388x Video Capture"},
        {"Vexa 2388x Video Capture",         0,   1,     nullptr,               ""},
        {"Vexa",                             0,   0,     &CLSID_NullRenderer,   "Vexa 2388x Video Capture"},
        {"维克萨视频采集卡",                 0,   0,     &CLSID_NullRenderer,   "维克萨视频采集卡"},
        // Match mode 1: the first device whose name does not match.
        {"Vexa 2388x_1 Video Capture",       1,   0,     &CLSID_NullRenderer,   "Vexa 2388x Video Capture"},
        {"Vexa",                             1,   0,     &CLSID_NullRenderer,   "V"},
        // Too short to compare: nothing matches.
        {"V",                                0,   0,     nullptr,               ""},
        {"",                                 0,   0,     nullptr,               ""},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        CFilterWrapper::SetDeviceIndex(cases[i].index);
        CFilterWrapper wrapper(nullptr, kCategory, cases[i].request, cases[i].matchMode);
        EXPECT_EQ(cases[i].bound != nullptr, wrapper.IsValid() != FALSE);
        EXPECT_STREQ(cases[i].friendlyName, wrapper.GetFriendlyName());
        if (cases[i].bound) {
            EXPECT_TRUE(IsEqualCLSID(*cases[i].bound, CTestDeviceCategory::ClassOf(wrapper.GetFilter())));
            EXPECT_GT(wrapper.GetPinCount(), 0);
        } else {
            EXPECT_EQ(nullptr, wrapper.GetFilter());
            EXPECT_EQ(0, wrapper.GetPinCount());
        }
    }
}

TEST_F(DeviceBindingTest, DeviceFilterByNameTakesTheFirstMatchWhateverTheDeviceIndex)
{
    CFilterWrapper::SetDeviceIndex(2);
    IBaseFilter* filter = nullptr;
    ASSERT_EQ(S_OK, CreateDeviceFilterByName(kCategory, "Vexa 2388x_1 Video Capture", &filter));
    EXPECT_TRUE(IsEqualCLSID(CLSID_SampleGrabber, CTestDeviceCategory::ClassOf(filter)));
    EXPECT_EQ(0u, filter->Release());

    filter = reinterpret_cast<IBaseFilter*>(1);
    EXPECT_EQ(E_FAIL, CreateDeviceFilterByName(kCategory, "Vexa 2388x_2 Video Capture", &filter))
        << "no device is a failure, not a success with nothing bound";
    EXPECT_EQ(nullptr, filter);
    const GUID emptyCategory = {0x69C1EBC3, 0x056E, 0x4430, {0xAD, 0x74, 0xB8, 0xFA, 0x4C, 0x80, 0x6A, 0x09}};
    EXPECT_EQ(E_FAIL, CreateDeviceFilterByName(emptyCategory, "Vexa 2388x_1 Video Capture", &filter));
    EXPECT_EQ(E_POINTER, CreateDeviceFilterByName(kCategory, "Vexa 2388x_1 Video Capture", nullptr));
}

} // namespace
