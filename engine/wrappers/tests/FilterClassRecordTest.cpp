// Class records: matching by class identifier and by category and name, and the wrapper
// each one makes.
#include "FilterClassRecord.h"
#include "FilterWrapper.h"
#include "StaTest.h"
#include "TestDevices.h"

#include <memory>

namespace
{

const GUID kCategory = {0x1E5487EE, 0xACAC, 0x4004, {0xA7, 0x6F, 0x2F, 0x8E, 0x29, 0xD4, 0x03, 0xB0}};
const GUID kOtherCategory = {0xF7774FEF, 0x900A, 0x46DB, {0x83, 0x30, 0x71, 0x05, 0xD9, 0x6C, 0x5F, 0x60}};

// A wrapper class that tells which constructor made it.
class CRecordedWrapper : public CFilterWrapper
{
public:
    CRecordedWrapper(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid), byName(false) {}
    CRecordedWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
        : CFilterWrapper(graph, category, friendlyName, matchMode), byName(true)
    {
    }
    const bool byName;
};

// Declared in this order, so listed the other way round.
CFilterClassRecord g_rendererRecord(&CLSID_NullRenderer, nullptr, "Test Null Renderer",
                                    &CFilterClassRecord::CreateWrapper<CRecordedWrapper>);
CFilterClassRecord g_deviceRecord(nullptr, &kCategory, "Vexa 2388x_1 Video Capture",
                                  &CFilterClassRecord::CreateWrapper<CRecordedWrapper>);
CFilterClassRecord g_anyDeviceRecord(nullptr, &kOtherCategory, "CLASS_FILTER",
                                     &CFilterClassRecord::CreateWrapper<CRecordedWrapper>);

class FilterClassRecordTest : public StaTest
{
protected:
    void SetUp() override
    {
        StaTest::SetUp();
        CFilterWrapper::SetDeviceIndex(0);
        devices.reset(new CTestDeviceCategory(kCategory, kSimilarDevices, kSimilarDeviceCount));
        otherDevices.reset(new CTestDeviceCategory(kOtherCategory, kSimilarDevices, kSimilarDeviceCount));
        ASSERT_HRESULT_SUCCEEDED(devices->Result());
        ASSERT_HRESULT_SUCCEEDED(otherDevices->Result());
    }

    void TearDown() override
    {
        devices.reset();
        otherDevices.reset();
        StaTest::TearDown();
    }

    std::unique_ptr<CTestDeviceCategory> devices;
    std::unique_ptr<CTestDeviceCategory> otherDevices;
};

TEST(FilterClassList, RunsInReverseDeclarationOrder)
{
    std::vector<const CFilterClassRecord*> order;
    for (CFilterClassRecord* record = CFilterClassRecord::First(); record; record = record->GetNext()) {
        if (record == &g_rendererRecord || record == &g_deviceRecord || record == &g_anyDeviceRecord)
            order.push_back(record);
    }
    ASSERT_EQ(3u, order.size());
    EXPECT_EQ(&g_anyDeviceRecord, order[0]);
    EXPECT_EQ(&g_deviceRecord, order[1]);
    EXPECT_EQ(&g_rendererRecord, order[2]);
}

TEST_F(FilterClassRecordTest, MatchesByClassIdentifierAndMakesTheClassByIt)
{
    ASSERT_TRUE(g_deviceRecord.MatchCategoryAndName(kCategory, "Vexa 2388x_1 Video Capture"));
    EXPECT_FALSE(g_deviceRecord.MatchClsid(CLSID_NullRenderer)) << "a device record has no class identifier";
    EXPECT_FALSE(g_deviceRecord.IsByName());

    EXPECT_TRUE(g_rendererRecord.MatchClsid(CLSID_NullRenderer));
    EXPECT_FALSE(g_rendererRecord.MatchClsid(CLSID_SampleGrabber));
    EXPECT_FALSE(g_rendererRecord.IsByName());

    std::unique_ptr<CFilterWrapper> wrapper(g_rendererRecord.Create(nullptr, 0));
    CRecordedWrapper* made = dynamic_cast<CRecordedWrapper*>(wrapper.get());
    ASSERT_NE(nullptr, made);
    EXPECT_FALSE(made->byName);
    EXPECT_TRUE(made->IsValid());
    EXPECT_TRUE(IsEqualCLSID(CLSID_NullRenderer, CTestDeviceCategory::ClassOf(made->GetFilter())));
}

TEST_F(FilterClassRecordTest, MatchesItsCategoryAndExactNameAndBindsTheRequestedDevice)
{
    EXPECT_FALSE(g_rendererRecord.MatchCategoryAndName(kCategory, "Test Null Renderer"))
        << "a record made by class identifier has no category";
    EXPECT_TRUE(g_rendererRecord.IsByName());
    EXPECT_STREQ("Test Null Renderer", g_rendererRecord.GetFriendlyName());

    ASSERT_TRUE(g_deviceRecord.MatchCategoryAndName(kCategory, "Vexa 2388x_1 Video Capture"));
    EXPECT_FALSE(g_deviceRecord.MatchCategoryAndName(kOtherCategory, "Vexa 2388x_1 Video Capture Plus"));
    EXPECT_STREQ("Vexa 2388x_1 Video Capture", g_deviceRecord.GetFriendlyName()) << "another category's request";
    EXPECT_FALSE(g_deviceRecord.MatchCategoryAndName(kCategory, "Vexa 2388x_1 Video Capture Plus"))
        << "records match whole names, unlike devices";
    EXPECT_STREQ("Vexa 2388x_1 Video Capture Plus", g_deviceRecord.GetFriendlyName())
        << "a lookup in the record's category keeps the requested name even without a match";

    ASSERT_TRUE(g_deviceRecord.MatchCategoryAndName(kCategory, "Vexa 2388x_1 Video Capture"));
    EXPECT_TRUE(g_deviceRecord.IsByName());
    CFilterWrapper::SetDeviceIndex(1);
    std::unique_ptr<CFilterWrapper> wrapper(g_deviceRecord.Create(nullptr, 0));
    CRecordedWrapper* made = dynamic_cast<CRecordedWrapper*>(wrapper.get());
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->byName);
    EXPECT_TRUE(made->IsValid());
    EXPECT_TRUE(IsEqualCLSID(CLSID_SmartTee, CTestDeviceCategory::ClassOf(made->GetFilter())))
        << "the second device of that name";
}

TEST_F(FilterClassRecordTest, AnyDeviceRecordTakesWhateverNameIsAskedInItsCategory)
{
    ASSERT_TRUE(g_anyDeviceRecord.MatchCategoryAndName(kOtherCategory, "Vexa 2388x Video Capture"));
    EXPECT_STREQ("Vexa 2388x Video Capture", g_anyDeviceRecord.GetFriendlyName());
    std::unique_ptr<CFilterWrapper> wrapper(g_anyDeviceRecord.Create(nullptr, 0));
    ASSERT_NE(nullptr, dynamic_cast<CRecordedWrapper*>(wrapper.get()));
    ASSERT_TRUE(wrapper->IsValid());
    EXPECT_STREQ("Vexa 2388x Video Capture", wrapper->GetFriendlyName());
    EXPECT_TRUE(IsEqualCLSID(CLSID_NullRenderer, CTestDeviceCategory::ClassOf(wrapper->GetFilter())));

    EXPECT_FALSE(g_anyDeviceRecord.MatchCategoryAndName(kCategory, "Vexa 2388x Video Capture"));
}

} // namespace
