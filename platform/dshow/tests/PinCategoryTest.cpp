// The pin category an output pin answers, as the capture graph builder reads it.
#include "ComRef.h"
#include "DshowTest.h"
#include "TestSource.h"

namespace {

using PinCategoryTest = DshowTest;

TEST_F(PinCategoryTest, PropertySetAnswersOnlyTheCategoryAndOnlyForReading)
{
    auto* source = new CTestSource(nullptr, &PIN_CATEGORY_PREVIEW);
    CComRef<IKsPropertySet> properties;
    ASSERT_EQ(S_OK, source->Pin().QueryInterface(IID_IKsPropertySet, properties.ReceiveVoid()));

    GUID category = GUID_NULL;
    DWORD returned = 0;
    EXPECT_EQ(S_OK, properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category,
                                    sizeof(category), &returned));
    EXPECT_TRUE(IsEqualGUID(PIN_CATEGORY_PREVIEW, category));
    EXPECT_EQ(sizeof(GUID), returned);
    DWORD support = 0;
    EXPECT_EQ(S_OK, properties->QuerySupported(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, &support));
    EXPECT_EQ(static_cast<DWORD>(KSPROPERTY_SUPPORT_GET), support);

    struct Case
    {
        const char* what;
        HRESULT expected;
        HRESULT actual;
    };
    const Case cases[] = {
        {"Set", E_PROP_ID_UNSUPPORTED,
         properties->Set(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof(category))},
        {"Get, short buffer", E_UNEXPECTED,
         properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, 4, &returned)},
        {"Get, no buffer", E_POINTER,
         properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, nullptr, 16, &returned)},
        {"Get, other id", E_PROP_ID_UNSUPPORTED,
         properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_MEDIUM, nullptr, 0, &category, sizeof(category), &returned)},
        {"Get, other set", E_PROP_SET_UNSUPPORTED,
         properties->Get(PIN_CATEGORY_CAPTURE, 0, nullptr, 0, &category, sizeof(category), &returned)},
        {"QuerySupported, other set", E_PROP_SET_UNSUPPORTED,
         properties->QuerySupported(PIN_CATEGORY_CAPTURE, 0, &support)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.actual) << c.what;

    properties.Reset();
    EXPECT_EQ(0u, source->Release());
}

TEST_F(PinCategoryTest, CaptureGraphBuilderFindsThePinByCategory)
{
    auto* source = new CTestSource(nullptr, &PIN_CATEGORY_CAPTURE);
    {
        CComRef<IGraphBuilder> graph;
        CComRef<ICaptureGraphBuilder2> builder;
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                  graph.ReceiveVoid()));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_ICaptureGraphBuilder2, builder.ReceiveVoid()));
        ASSERT_EQ(S_OK, builder->SetFiltergraph(graph.Get()));
        ASSERT_EQ(S_OK, graph->AddFilter(source, L"source"));

        CComRef<IPin> pin;
        EXPECT_EQ(S_OK, builder->FindPin(static_cast<IBaseFilter*>(source), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE,
                                         &MEDIATYPE_Video, FALSE, 0, pin.Receive()));
        EXPECT_EQ(static_cast<IPin*>(&source->Pin()), pin.Get());
        EXPECT_TRUE(FAILED(builder->FindPin(static_cast<IBaseFilter*>(source), PINDIR_OUTPUT, &PIN_CATEGORY_PREVIEW,
                                            &MEDIATYPE_Video, FALSE, 0, pin.Receive())));
        pin.Reset();
        graph->RemoveFilter(source);
    }
    EXPECT_EQ(0u, source->Release());
}

} // namespace
