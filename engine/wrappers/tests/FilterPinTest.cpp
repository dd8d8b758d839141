// Pin records: forwards to the pin and the text descriptions of media types.
#include "FilterWrapper.h"
#include "StaTest.h"
#include "StockFilters.h"
#include "TestSink.h"
#include "TestSource.h"

#include <cstring>

namespace
{

class FilterPinTest : public StaTest
{
protected:
    void SetUp() override
    {
        StaTest::SetUp();
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                  graph.ReceiveVoid()));
        source = new CTestSource();
        sink = new CTestSink();
        ASSERT_EQ(S_OK, graph->AddFilter(source, L"source"));
        ASSERT_EQ(S_OK, graph->AddFilter(sink, L"sink"));
    }

    void TearDown() override
    {
        graph->RemoveFilter(source);
        graph->RemoveFilter(sink);
        graph.Reset();
        EXPECT_EQ(0u, source->Release());
        EXPECT_EQ(0u, sink->Release());
        StaTest::TearDown();
    }

    CComRef<IGraphBuilder> graph;
    CTestSource* source = nullptr;
    CTestSink* sink = nullptr;
};

TEST_F(FilterPinTest, ForwardsToThePin)
{
    CFilterWrapper wrapper(nullptr, static_cast<IBaseFilter*>(source));
    CFilterPin* out = wrapper.FindPin("Out");
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(static_cast<IPin*>(&source->Pin()), out->GetPin());

    PIN_DIRECTION direction = PINDIR_INPUT;
    EXPECT_TRUE(out->QueryDirection(&direction));
    EXPECT_EQ(PINDIR_OUTPUT, direction);
    PIN_INFO info;
    ASSERT_TRUE(out->QueryPinInfo(&info));
    EXPECT_EQ(static_cast<IBaseFilter*>(source), info.pFilter);
    info.pFilter->Release();
    LPWSTR id = nullptr;
    ASSERT_TRUE(out->QueryId(&id));
    EXPECT_STREQ(L"Out", id);
    CoTaskMemFree(id);

    AM_MEDIA_TYPE audio = {};
    audio.majortype = MEDIATYPE_Audio;
    EXPECT_FALSE(out->QueryAccept(&audio));
    AM_MEDIA_TYPE type;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, out->ConnectionMediaType(&type));

    GUID major = GUID_NULL, subtype = GUID_NULL;
    ASSERT_TRUE(out->GetFirstMediaType(&major, &subtype));
    EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Video, major));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_RGB32, subtype));
}

TEST_F(FilterPinTest, DescribesTheOfferedAndTheConnectedType)
{
    CFilterWrapper sourceWrapper(nullptr, static_cast<IBaseFilter*>(source));
    CFilterPin* out = sourceWrapper.GetFirstPin();
    char text[128];
    ASSERT_TRUE(out->DescribeMediaType(text, sizeof(text)));
    EXPECT_STREQ("MainType:Video", text);
    strcpy(text, "old");
    EXPECT_FALSE(out->DescribeConnectionType(text, sizeof(text))) << "not connected";
    EXPECT_STREQ("", text);

    ASSERT_EQ(S_OK, graph->ConnectDirect(&source->Pin(), &sink->Pin(), nullptr));
    ASSERT_TRUE(out->DescribeConnectionType(text, sizeof(text)));
    EXPECT_STREQ("MainType:Video,SubType:RGB32", text);
    ASSERT_TRUE(out->DescribeConnectionType(text, 14));
    EXPECT_STREQ("MainType:Vide", text) << "cut to the buffer";
    EXPECT_FALSE(out->DescribeConnectionType(text, 1));
    EXPECT_FALSE(out->DescribeConnectionType(nullptr, 128));
    graph->Disconnect(&source->Pin());
    graph->Disconnect(&sink->Pin());
}

TEST_F(FilterPinTest, UnnamedTypesAreDescribedByTheirGuid)
{
    CFilterWrapper mux(nullptr, CLSID_AviDest);
    CFilterPin* out = mux.FindFreePin(1, TRUE);
    ASSERT_NE(nullptr, out);
    char text[128];
    ASSERT_TRUE(out->DescribeMediaType(text, sizeof(text)));
    EXPECT_STREQ("MainType:E436EB83-524F-11CE-9F530020AF0BA770", text) << "the stream type of the AVI output";

    CFilterWrapper renderer(nullptr, CLSID_NullRenderer);
    GUID major, subtype;
    EXPECT_FALSE(renderer.GetFirstPin()->GetFirstMediaType(&major, &subtype)) << "an input that offers no type";
    EXPECT_FALSE(renderer.GetFirstPin()->DescribeMediaType(text, sizeof(text)));
}

} // namespace
