// The wrapper's pin records on Wine's own filters and on the test filters of the base classes.
#include "ComProbe.h"
#include "FilterWrapper.h"
#include "StaTest.h"
#include "StockFilters.h"
#include "TestDeviceCategory.h"
#include "TestSource.h"

#include <string>
#include <vector>

namespace
{

// A wrapper of a filter whose pins come and go with its connections.
class CDynamicWrapper : public CFilterWrapper
{
public:
    CDynamicWrapper(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid) { SetDynamicPins(TRUE); }
};

std::vector<std::string> PinNames(const CFilterWrapper& wrapper)
{
    std::vector<std::string> names;
    for (CFilterPin* pin = wrapper.GetFirstPin(); pin; pin = pin->GetNext())
        names.push_back(pin->GetName());
    return names;
}

class FilterWrapperTest : public StaTest
{
protected:
    void SetUp() override
    {
        StaTest::SetUp();
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                  graph.ReceiveVoid()));
    }

    void TearDown() override
    {
        graph.Reset();
        StaTest::TearDown();
    }

    CComRef<IGraphBuilder> graph;
};

TEST_F(FilterWrapperTest, RecordsEveryPinInEnumerationOrder)
{
    CFilterWrapper tee(nullptr, CLSID_SmartTee);
    ASSERT_TRUE(tee.IsValid());
    EXPECT_EQ(3, tee.GetPinCount());
    EXPECT_EQ((std::vector<std::string>{"Input", "Capture", "Preview"}), PinNames(tee));
    EXPECT_STREQ("", tee.GetName());
    EXPECT_STREQ("", tee.GetFriendlyName()) << "made by class identifier, not from a device";
    for (CFilterPin* pin = tee.GetFirstPin(); pin; pin = pin->GetNext()) {
        EXPECT_EQ(&tee, pin->GetOwner());
        EXPECT_EQ(nullptr, pin->GetPeer());
    }

    EXPECT_EQ(tee.GetFirstPin(), tee.FindPin("Input"));
    EXPECT_EQ(nullptr, tee.FindPin("capture")) << "names compare case-sensitively";
    EXPECT_EQ(nullptr, tee.FindPin("Capt")) << "and whole";
    EXPECT_STREQ("Capture", tee.GetPin(1)->GetName());
    EXPECT_EQ(tee.GetFirstPin(), tee.GetPin(-1));
    EXPECT_EQ(nullptr, tee.GetPin(3));
    ASSERT_NE(nullptr, tee.FindPinById(L"Preview"));
    EXPECT_STREQ("Preview", tee.FindPinById(L"Preview")->GetName());
    EXPECT_EQ(nullptr, tee.FindPinById(L"preview"));
    CFilterPin* preview = tee.FindPin("Preview");
    EXPECT_EQ(preview, tee.FindPinByIPin(preview->GetPin()));
}

TEST_F(FilterWrapperTest, FreePinsAreThoseWithoutAPeerRecord)
{
    CFilterWrapper tee(nullptr, CLSID_SmartTee);
    ASSERT_TRUE(tee.IsValid());
    CFilterPin* capture = tee.FindPin("Capture");
    EXPECT_EQ(tee.FindPin("Input"), tee.FindFreePin(0, TRUE));
    EXPECT_EQ(capture, tee.FindFreePin(1, TRUE));
    EXPECT_EQ(nullptr, tee.FindFreePin(1, FALSE));

    CFilterWrapper renderer(nullptr, CLSID_NullRenderer);
    capture->SetPeer(renderer.GetFirstPin());
    renderer.GetFirstPin()->SetPeer(capture);
    EXPECT_EQ(tee.FindPin("Preview"), tee.FindFreePin(1, TRUE));
    EXPECT_EQ(capture, tee.FindFreePin(1, FALSE));

    EXPECT_FALSE(tee.RemovePin(renderer.GetFirstPin())) << "not a record of this wrapper";
    EXPECT_TRUE(tee.RemovePin(capture));
    EXPECT_EQ(2, tee.GetPinCount());
    EXPECT_EQ((std::vector<std::string>{"Input", "Preview"}), PinNames(tee));
    EXPECT_EQ(nullptr, renderer.GetFirstPin()->GetPeer()) << "a deleted record leaves no peer pointing at it";
}

TEST_F(FilterWrapperTest, WrapsAnExistingFilterUnderItsOwnNameWithoutTakingItsReference)
{
    CComRef<IBaseFilter> filter;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_SmartTee, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                              filter.ReceiveVoid()));
    ASSERT_EQ(S_OK, graph->AddFilter(filter.Get(), L"视频 Tee"));
    ULONG before = CComProbe::RefCount(filter.Get());
    {
        CFilterWrapper wrapper(nullptr, filter.Get());
        ASSERT_TRUE(wrapper.IsValid());
        EXPECT_STREQ("视频 Tee", wrapper.GetName());
        EXPECT_STREQ("视频 Tee", wrapper.GetFriendlyName());
        EXPECT_EQ(filter.Get(), wrapper.GetFilter());
        EXPECT_EQ(3, wrapper.GetPinCount());
        EXPECT_TRUE(wrapper.IsInGraph());
        ASSERT_EQ(S_OK, graph->RemoveFilter(filter.Get()));
        EXPECT_FALSE(wrapper.IsInGraph());
    }
    EXPECT_EQ(before - 1, CComProbe::RefCount(filter.Get())) << "the graph's reference is gone, the wrapper's too";

    CFilterWrapper empty(nullptr, static_cast<IBaseFilter*>(nullptr));
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(0, empty.GetPinCount());
    EXPECT_FALSE(empty.IsInGraph());
}

TEST_F(FilterWrapperTest, UnknownClassGivesAnInvalidWrapper)
{
    const CLSID unregistered = {0x83D3F5FB, 0xFE2D, 0x440C, {0xB4, 0x40, 0x92, 0x76, 0xFC, 0x4F, 0x57, 0xD3}};
    CFilterWrapper wrapper(nullptr, unregistered);
    EXPECT_FALSE(wrapper.IsValid());
    EXPECT_FALSE(wrapper.Init());
    EXPECT_EQ(nullptr, wrapper.GetFirstPin());
}

TEST_F(FilterWrapperTest, NamesAreCutToTheBuffer)
{
    CFilterWrapper wrapper(nullptr, CLSID_NullRenderer);
    std::string longName(300, 'n');
    wrapper.SetName(longName.c_str());
    EXPECT_EQ(std::string(CFilterWrapper::kNameSize - 1, 'n'), wrapper.GetName());
    wrapper.SetName(nullptr);
    EXPECT_STREQ("", wrapper.GetName());
}

TEST_F(FilterWrapperTest, NewPinsAppearAfterAConnectionOnlyForDynamicWrappers)
{
    CTestSource* source = new CTestSource();
    CFilterWrapper sourceWrapper(nullptr, static_cast<IBaseFilter*>(source));
    CDynamicWrapper dynamicMux(nullptr, CLSID_AviDest);
    CFilterWrapper staticMux(nullptr, CLSID_AviDest);
    ASSERT_TRUE(dynamicMux.IsValid());
    ASSERT_TRUE(staticMux.IsValid());
    std::vector<std::string> before = PinNames(staticMux);
    ASSERT_EQ(S_OK, graph->AddFilter(source, L"source"));
    ASSERT_EQ(S_OK, graph->AddFilter(dynamicMux.GetFilter(), L"dynamic"));
    ASSERT_EQ(S_OK, graph->AddFilter(staticMux.GetFilter(), L"static"));

    CFilterPin* output = sourceWrapper.GetFirstPin();
    CFilterPin* input = dynamicMux.FindFreePin(0, TRUE);
    ASSERT_NE(nullptr, input);
    ASSERT_EQ(S_OK, graph->ConnectDirect(output->GetPin(), input->GetPin(), nullptr));
    output->SetPeer(input);
    input->SetPeer(output);
    EXPECT_TRUE(dynamicMux.RefreshPins());
    EXPECT_EQ(before.size() + 1, PinNames(dynamicMux).size()) << "the mux offers a further input";
    EXPECT_EQ(input, dynamicMux.FindPinByIPin(input->GetPin())) << "the connected pin keeps its record";
    EXPECT_EQ(output, input->GetPeer());
    EXPECT_NE(nullptr, dynamicMux.FindFreePin(0, TRUE));

    CFilterPin* staticInput = staticMux.FindFreePin(0, TRUE);
    CFilterPin* secondOutput = nullptr;
    CTestSource* second = new CTestSource();
    CFilterWrapper secondWrapper(nullptr, static_cast<IBaseFilter*>(second));
    secondOutput = secondWrapper.GetFirstPin();
    ASSERT_EQ(S_OK, graph->AddFilter(second, L"second"));
    ASSERT_EQ(S_OK, graph->ConnectDirect(secondOutput->GetPin(), staticInput->GetPin(), nullptr));
    EXPECT_TRUE(staticMux.RefreshPins());
    EXPECT_EQ(before, PinNames(staticMux)) << "a wrapper without the flag never re-reads its pins";

    ASSERT_EQ(S_OK, graph->RemoveFilter(source));
    ASSERT_EQ(S_OK, graph->RemoveFilter(second));
    ASSERT_EQ(S_OK, graph->RemoveFilter(dynamicMux.GetFilter()));
    ASSERT_EQ(S_OK, graph->RemoveFilter(staticMux.GetFilter()));
    source->Release();
    second->Release();
}

TEST_F(FilterWrapperTest, PropertyPagesNeedAPlaceForTheAnswerAndAFilterThatHasPages)
{
    CFilterWrapper renderer(nullptr, CLSID_NullRenderer);
    EXPECT_EQ(E_INVALIDARG, renderer.HasPropertyPages(nullptr));
    BOOL hasPages = TRUE;
    EXPECT_EQ(S_OK, renderer.HasPropertyPages(&hasPages));
    EXPECT_FALSE(hasPages);
    EXPECT_FALSE(renderer.ShowPropertyPages(nullptr, "Renderer"));
}

} // namespace
