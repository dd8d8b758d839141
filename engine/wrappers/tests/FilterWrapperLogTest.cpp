// A wrapper's first failed call reaches the debug viewer, once.
#include "DebugHelperWindow.h"
#include "FilterWrapper.h"
#include "StaTest.h"
#include "TestSource.h"

#include <string>
#include <vector>

namespace
{

// A source that cannot say what it is nor list its pins.
class CBrokenSource : public CTestSource
{
public:
    STDMETHODIMP QueryFilterInfo(FILTER_INFO*) override { return E_FAIL; }
    STDMETHODIMP EnumPins(IEnumPins**) override { return E_OUTOFMEMORY; }
};

// {6D1F5C2A-3B0E-4E8C-9A41-0F2B7C5D9E11}: no server is registered for it.
const CLSID kUnregistered = {0x6d1f5c2a, 0x3b0e, 0x4e8c, {0x9a, 0x41, 0x0f, 0x2b, 0x7c, 0x5d, 0x9e, 0x11}};

// The text after the site marks of each line.
std::vector<std::string> Messages(const DebugHelperWindow& viewer)
{
    std::vector<std::string> messages;
    for (const std::string& text : viewer.Texts())
        messages.push_back(text.substr(text.rfind("$$@@") + 4));
    return messages;
}

class FilterWrapperLogTest : public StaTest
{
};

TEST_F(FilterWrapperLogTest, LogsTheFirstFailedCallOfEachWrapperOnly)
{
    DebugHelperWindow viewer;
    CBrokenSource* broken = new CBrokenSource();
    {
        CFilterWrapper wrapper(nullptr, static_cast<IBaseFilter*>(broken));
        EXPECT_TRUE(wrapper.IsValid()) << "the filter is there; only its pins are not";
        EXPECT_EQ(0, wrapper.GetPinCount());
        EXPECT_FALSE(wrapper.IsInGraph());
        EXPECT_TRUE(wrapper.EnumeratePins());

        CFilterWrapper missing(nullptr, kUnregistered);
        EXPECT_FALSE(missing.IsValid());

        EXPECT_EQ((std::vector<std::string>{"QueryFilterInfo failed, hr 0x80004005, filter \"\"",
                                            "CoCreateInstance failed, hr 0x80040154, filter \"\""}),
                  Messages(viewer));
    }
    broken->Release();
}

TEST_F(FilterWrapperLogTest, ACallThatSucceedsLogsNothing)
{
    DebugHelperWindow viewer;
    CTestSource* source = new CTestSource();
    {
        CFilterWrapper wrapper(nullptr, static_cast<IBaseFilter*>(source));
        wrapper.SetName("source");
        EXPECT_EQ(1, wrapper.GetPinCount());
        EXPECT_FALSE(wrapper.IsInGraph());
    }
    source->Release();
    EXPECT_TRUE(viewer.Texts().empty());
}

} // namespace
