// Filters entering and leaving the graph through the builder, and wrappers given to filters
// that are already there.
#include "GraphBuilderFixture.h"
#include "GraphTestRecords.h"
#include "StockFilters.h"

#include <typeinfo>

namespace
{

TEST_F(GraphBuilderTest, StockFiltersWithoutARecordGetPlainWrappers)
{
    struct Case
    {
        const CLSID* clsid;
        const char* name;
        const char* pin;
    };
    const Case cases[] = {
        // filter                 name             one of its pins
        {&CLSID_AVIDec,           "Decompressor",  "XForm In"},
        {&CLSID_SmartTee,         "智能分流",      "Preview"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        CFilterWrapper* wrapper = builder->AddFilter(*cases[i].clsid, cases[i].name);
        ASSERT_NE(nullptr, wrapper);
        EXPECT_EQ(typeid(CFilterWrapper), typeid(*wrapper));
        EXPECT_STREQ(cases[i].name, wrapper->GetName());
        EXPECT_NE(nullptr, wrapper->FindPin(cases[i].pin));
        EXPECT_TRUE(wrapper->IsInGraph());
        EXPECT_EQ(builder.get(), wrapper->GetGraph());
        EXPECT_EQ(wrapper, builder->GetFirstWrapper()) << "the newest wrapper heads the list";
        EXPECT_EQ(wrapper, builder->FindWrapper(cases[i].name));
        EXPECT_EQ(wrapper, builder->FindWrapperByFilter(wrapper->GetFilter()));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Decompressor", L"智能分流"}), FilterNames());
    EXPECT_EQ(nullptr, builder->FindWrapper("decompressor"));
}

TEST_F(GraphBuilderTest, AClassIdentifierWithARecordGetsTheRecordsClass)
{
    CFilterWrapper* wrapper = builder->AddFilter(CLSID_NullRenderer, "Renderer");
    ASSERT_NE(nullptr, wrapper);
    EXPECT_NE(nullptr, dynamic_cast<CCountedWrapper*>(wrapper));
    EXPECT_FALSE(g_nullRendererRecord.IsByName());
    EXPECT_EQ(1, CCountedWrapper::Live());
}

TEST_F(GraphBuilderTest, ARepeatedNameIsRenamedInTheGraphButKeptByTheWrapper)
{
    CFilterWrapper* first = builder->AddFilter(CLSID_SampleGrabber, "Same");
    CFilterWrapper* second = builder->AddFilter(CLSID_SampleGrabber, "Same");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_STREQ("Same", second->GetName());
    std::vector<std::wstring> names = FilterNames();
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ(L"Same", names[0]);
    EXPECT_NE(L"Same", names[1]);
    EXPECT_EQ(second, builder->FindWrapper("Same")) << "the newest of the two";
}

TEST_F(GraphBuilderTest, FailedAddsLeaveTheGraphAndTheListAsTheyWere)
{
    CFilterWrapper* kept = builder->AddFilter(CLSID_SampleGrabber, "Grabber");
    ASSERT_NE(nullptr, kept);
    const CLSID unregistered = {0x5C6B6F18, 0x2B0F, 0x4C8E, {0x9E, 0x21, 0x3A, 0x44, 0x70, 0x1B, 0x65, 0x0D}};

    EXPECT_EQ(nullptr, builder->AddFilter(unregistered, "Nothing"));
    EXPECT_EQ(nullptr, builder->AddFilter(kRefusingClsid, "Refused")) << "the graph refuses the filter";
    EXPECT_EQ(0, CCountedWrapper::Live()) << "the refused wrapper is deleted";
    EXPECT_EQ(0, CComServer::LiveObjects()) << "and its filter released";
    EXPECT_EQ(nullptr, builder->AddFilter(CLSID_SampleGrabber, nullptr));
    EXPECT_EQ(nullptr, builder->AddFilterByName(kGraphTestCategory, "No Such Device", "Nothing", 0, 0));

    EXPECT_EQ((std::vector<std::wstring>{L"Grabber"}), FilterNames());
    EXPECT_EQ((std::vector<CFilterWrapper*>{kept}), Wrappers());
}

TEST_F(GraphBuilderTest, RemovingFromTheGraphKeepsTheWrapperRemovingTheWrapperDeletesIt)
{
    CFilterWrapper* renderer = builder->AddFilter(CLSID_NullRenderer, "Renderer");
    CFilterWrapper* grabber = builder->AddFilter(CLSID_SampleGrabber, "Grabber");
    CFilterWrapper* tee = builder->AddFilter(CLSID_SmartTee, "Tee");
    ASSERT_TRUE(renderer && grabber && tee);

    EXPECT_TRUE(builder->RemoveFromGraphByName("Tee"));
    EXPECT_FALSE(tee->IsInGraph());
    EXPECT_FALSE(builder->RemoveFromGraph(tee)) << "no longer in the graph";
    EXPECT_FALSE(builder->RemoveFromGraphByName("Nothing"));
    EXPECT_EQ((std::vector<CFilterWrapper*>{tee, grabber, renderer}), Wrappers());

    builder->RemoveWrapper(renderer);
    EXPECT_EQ(0, CCountedWrapper::Live());
    EXPECT_EQ((std::vector<CFilterWrapper*>{tee, grabber}), Wrappers());
    EXPECT_EQ((std::vector<std::wstring>{L"Grabber"}), FilterNames());

    builder->RemoveAllFromGraph();
    EXPECT_TRUE(FilterNames().empty());
    EXPECT_EQ((std::vector<CFilterWrapper*>{tee, grabber}), Wrappers()) << "the wrappers stay listed";
    builder->RemoveAllWrappers();
    EXPECT_TRUE(Wrappers().empty());
}

TEST_F(GraphBuilderTest, WrapsTheFiltersThatStandInTheGraphWithoutAWrapper)
{
    CFilterWrapper* grabber = builder->AddFilter(CLSID_SampleGrabber, "Grabber");
    CTestSink* sink = new CTestSink();
    CComRef<IBaseFilter> renderer;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                              renderer.ReceiveVoid()));
    ASSERT_EQ(S_OK, builder->GetGraph()->AddFilter(sink, L"Raw Sink"));
    ASSERT_EQ(S_OK, builder->GetGraph()->AddFilter(renderer.Get(), L"Raw Renderer"));

    EXPECT_TRUE(builder->WrapAllFilters());
    EXPECT_EQ(3u, Wrappers().size());
    EXPECT_EQ(grabber, builder->FindWrapper("Grabber")) << "a wrapped filter keeps its wrapper";
    ASSERT_NE(nullptr, builder->FindWrapper("Raw Sink"));
    EXPECT_EQ(static_cast<IBaseFilter*>(sink), builder->FindWrapper("Raw Sink")->GetFilter());
    ASSERT_NE(nullptr, builder->FindWrapper("Raw Renderer"));
    EXPECT_EQ(renderer.Get(), builder->FindWrapper("Raw Renderer")->GetFilter())
        << "a filter that has a record is wrapped as it stands, not replaced by a new one";
    EXPECT_EQ(0, CCountedWrapper::Live());
    EXPECT_EQ(3u, FilterNames().size()) << "nothing was added to the graph";

    EXPECT_FALSE(builder->WrapFilter(sink));
    EXPECT_FALSE(builder->WrapFilter(nullptr));
    EXPECT_EQ(3u, Wrappers().size());

    CLSID clsid = GUID_NULL;
    EXPECT_TRUE(CGraphBuilder::GetFilterClassId(renderer.Get(), &clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_NullRenderer, clsid));
    EXPECT_FALSE(CGraphBuilder::GetFilterClassId(nullptr, &clsid));

    builder->TearDown();
    EXPECT_EQ(0u, sink->Release());
}

} // namespace
