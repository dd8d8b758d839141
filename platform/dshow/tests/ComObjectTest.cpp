// Interfaces, identity, reference counting, aggregation and the class factory.
#include "ComProbe.h"
#include "ComRef.h"
#include "ComServer.h"
#include "DshowTest.h"
#include "TestGuids.h"
#include "TestSink.h"
#include "TestSource.h"

namespace {

using ComObjectTest = DshowTest;

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_DshowTestSource, L"Test source", &CTestSource::Create, nullptr},
    {&CLSID_DshowTestSink, L"Test sink", &CTestSink::Create, nullptr},
};

// An outer object for aggregation: its own count, and the inner object's interfaces.
class COuterProbe : public IUnknown
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }

    ULONG refs = 1;
    IUnknown* inner = nullptr;
};

TEST_F(ComObjectTest, ObjectsAnswerTheirInterfacesAndClearTheOutPointerOtherwise)
{
    auto* source = new CTestSource();
    auto* captureSource = new CTestSource(nullptr, &PIN_CATEGORY_CAPTURE);
    auto* sink = new CTestSink();
    IUnknown* sourceObject = static_cast<IBaseFilter*>(source);
    IUnknown* sinkObject = static_cast<IBaseFilter*>(sink);
    IUnknown* sourcePin = static_cast<IPin*>(&source->Pin());
    IUnknown* capturePin = static_cast<IPin*>(&captureSource->Pin());
    IUnknown* sinkPin = static_cast<IPin*>(&sink->Pin());
    struct Case
    {
        const char* object;
        IUnknown* unknown;
        const IID* iid;
        bool supported;
    };
    const Case cases[] = {
        {"source", sourceObject, &IID_IUnknown, true},
        {"source", sourceObject, &IID_IPersist, true},
        {"source", sourceObject, &IID_IMediaFilter, true},
        {"source", sourceObject, &IID_IBaseFilter, true},
        {"source", sourceObject, &IID_IAMFilterMiscFlags, true},
        {"source", sourceObject, &IID_IMediaSeeking, false},
        {"source", sourceObject, &IID_IPin, false},
        {"sink", sinkObject, &IID_IAMFilterMiscFlags, false},
        {"sink", sinkObject, &IID_IMediaSeeking, true},
        {"source pin", sourcePin, &IID_IPin, true},
        {"source pin", sourcePin, &IID_IMemInputPin, false},
        {"source pin", sourcePin, &IID_IKsPropertySet, false},
        {"source pin", sourcePin, &IID_IBaseFilter, false},
        {"capture pin", capturePin, &IID_IKsPropertySet, true},
        {"sink pin", sinkPin, &IID_IPin, true},
        {"sink pin", sinkPin, &IID_IMemInputPin, true},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].supported, CComProbe::Supports(cases[i].unknown, *cases[i].iid)) << "row " << i << ", " << cases[i].object;
    EXPECT_EQ(E_POINTER, source->QueryInterface(IID_IBaseFilter, nullptr));
    EXPECT_EQ(static_cast<ULONG>(AM_FILTER_MISC_FLAGS_IS_SOURCE), source->GetMiscFlags());
    EXPECT_EQ(0u, source->Release());
    EXPECT_EQ(0u, captureSource->Release());
    EXPECT_EQ(0u, sink->Release());
}

TEST_F(ComObjectTest, PinsHaveTheirOwnIdentityAndTheirFiltersCount)
{
    auto* sink = new CTestSink();
    CComRef<IUnknown> pinUnknown, filterUnknown, seekingUnknown;
    ASSERT_EQ(S_OK, sink->Pin().QueryInterface(IID_IUnknown, pinUnknown.ReceiveVoid()));
    ASSERT_EQ(S_OK, sink->QueryInterface(IID_IUnknown, filterUnknown.ReceiveVoid()));
    EXPECT_EQ(static_cast<IUnknown*>(static_cast<IPin*>(&sink->Pin())), pinUnknown.Get());
    EXPECT_NE(pinUnknown.Get(), filterUnknown.Get());

    CComRef<IMediaSeeking> seeking;
    ASSERT_EQ(S_OK, sink->QueryInterface(IID_IMediaSeeking, seeking.ReceiveVoid()));
    ASSERT_EQ(S_OK, seeking->QueryInterface(IID_IUnknown, seekingUnknown.ReceiveVoid()));
    EXPECT_EQ(filterUnknown.Get(), seekingUnknown.Get()) << "the pass-through is part of the filter";
    EXPECT_EQ(S_OK, seeking->IsFormatSupported(&TIME_FORMAT_MEDIA_TIME));
    EXPECT_EQ(S_FALSE, seeking->IsFormatSupported(&TIME_FORMAT_FRAME));
    LONGLONG duration;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, seeking->GetDuration(&duration));

    EXPECT_EQ(5u, CComProbe::RefCount(static_cast<IBaseFilter*>(sink))) << "ours, and the references held above";
    pinUnknown.Reset();
    filterUnknown.Reset();
    seeking.Reset();
    seekingUnknown.Reset();
    EXPECT_EQ(0u, sink->Release());
}

TEST_F(ComObjectTest, AggregatedFilterCountsOnItsOuterObject)
{
    CComRef<IClassFactory> factory;
    ASSERT_EQ(S_OK, CComServer::GetClassObject(kClasses, CLSID_DshowTestSink, IID_IClassFactory,
                                               factory.ReceiveVoid()));
    COuterProbe outer;
    CComRef<IUnknown> inner;
    IBaseFilter* notAllowed = reinterpret_cast<IBaseFilter*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(&outer, IID_IBaseFilter,
                                                             reinterpret_cast<void**>(&notAllowed)));
    EXPECT_EQ(nullptr, notAllowed);
    ASSERT_EQ(S_OK, factory->CreateInstance(&outer, IID_IUnknown, inner.ReceiveVoid()));
    outer.inner = inner.Get();

    IBaseFilter* filter = nullptr;
    ASSERT_EQ(S_OK, inner->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter)));
    EXPECT_EQ(2u, outer.refs) << "the inner object's interfaces count on the outer object";
    IUnknown* identity = nullptr;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    EXPECT_EQ(static_cast<IUnknown*>(&outer), identity);
    identity->Release();
    filter->Release();
    EXPECT_EQ(1u, outer.refs);
    outer.inner = nullptr;
}

TEST_F(ComObjectTest, ClassFactoryServesItsClassesAndHoldsTheModule)
{
    CComRef<IClassFactory> factory;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, CComServer::GetClassObject(kClasses, CLSID_DshowTestTransform,
                                                                    IID_IClassFactory, factory.ReceiveVoid()));
    ASSERT_EQ(S_OK, CComServer::GetClassObject(kClasses, CLSID_DshowTestSource, IID_IClassFactory,
                                               factory.ReceiveVoid()));
    EXPECT_EQ(S_FALSE, CComServer::CanUnloadNow()) << "a live class object";

    CComRef<IBaseFilter> filter;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IBaseFilter, filter.ReceiveVoid()));
    CLSID clsid;
    ASSERT_EQ(S_OK, filter->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_DshowTestSource, clsid));
    EXPECT_EQ(1u, CComProbe::RefCount(filter.Get()));

    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    factory.Reset();
    filter.Reset();
    EXPECT_EQ(S_FALSE, CComServer::CanUnloadNow()) << "a server lock";
    CComServer::LockServer(false);
    EXPECT_EQ(S_OK, CComServer::CanUnloadNow());
}

} // namespace
