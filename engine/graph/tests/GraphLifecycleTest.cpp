// Making and tearing down the graph, and the graph state the builder keeps.
#include "ComProbe.h"
#include "GraphBuilderFixture.h"
#include "GraphTestRecords.h"
#include "StockFilters.h"

#include <thread>

namespace
{

// A class object whose objects can never be made.
class CFailingFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_IClassFactory) ? static_cast<IClassFactory*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID, void** out) override
    {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

TEST_F(GraphBuilderTest, MakesTheGraphWithoutTheOptionalStreamInterface)
{
    EXPECT_NE(nullptr, builder->GetCaptureBuilder());
    EXPECT_EQ(CGraphBuilder::kStopped, builder->GetState());
    EXPECT_EQ(nullptr, builder->GetFirstWrapper());
    bool hasStreams = CComProbe::Supports(builder->GetGraph(), IID_IAMGraphStreams);
    if (hasStreams)
        EXPECT_HRESULT_SUCCEEDED(builder->SyncUsingStreamOffset(TRUE));
    else
        EXPECT_EQ(E_POINTER, builder->SyncUsingStreamOffset(TRUE));
}

TEST_F(GraphBuilderTest, TearDownReleasesTheGraphAndMakeGraphMakesANewOne)
{
    IGraphBuilder* old = builder->GetGraph();
    old->AddRef();
    ASSERT_NE(nullptr, builder->AddFilter(CLSID_NullRenderer, "Renderer"));
    builder->TearDown();
    EXPECT_EQ(0u, old->Release()) << "the builder kept no reference to its graph";
    EXPECT_EQ(nullptr, builder->GetGraph());
    EXPECT_EQ(nullptr, builder->GetCaptureBuilder());
    EXPECT_EQ(0, CCountedWrapper::Live());

    EXPECT_EQ(nullptr, builder->AddFilter(CLSID_NullRenderer, "Renderer")) << "no graph to add to";
    EXPECT_FALSE(builder->Run());
    EXPECT_EQ(0, builder->GetDuration());
    builder->TearDown();

    ASSERT_TRUE(builder->MakeGraph());
    EXPECT_NE(nullptr, builder->GetGraph());
    EXPECT_NE(nullptr, builder->AddFilter(CLSID_NullRenderer, "Renderer"));
}

TEST_F(GraphBuilderTest, AFilterGraphThatCannotBeMadeLeavesItsReasonAndNoComBehind)
{
    builder.reset();
    CFailingFactory factory;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, CoRegisterClassObject(CLSID_FilterGraph, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                          &cookie));
    {
        CGraphBuilder failing;
        EXPECT_STREQ("MakeGraph() fail : Cannot instantiate filtergraph", CGraphBuilder::GetLastErrorText());
        EXPECT_EQ(nullptr, failing.GetGraph());
        EXPECT_EQ(nullptr, failing.GetCaptureBuilder()) << "what was made before the failure is released";
        EXPECT_EQ(E_POINTER, failing.SetState(CGraphBuilder::kRunning));
        EXPECT_FALSE(failing.Run());
    }
    ASSERT_EQ(S_OK, CoRevokeClassObject(cookie));

    // Only the test's own initialisation is left on the thread.
    CoUninitialize();
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

TEST_F(GraphBuilderTest, AThreadOfTheMultithreadedApartmentGetsNoGraph)
{
    std::thread other([] {
        ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        {
            CGraphBuilder builder;
            EXPECT_EQ(nullptr, builder.GetGraph());
        }
        CoUninitialize();
        EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED))
            << "the builder's failed start left no COM behind";
        CoUninitialize();
    });
    other.join();
}

TEST_F(GraphBuilderTest, KeepsTheStateItLastSetAndTrustsIt)
{
    CFilterWrapper* source = builder->AddFilter(kTestSourceClsid, "source");
    CFilterWrapper* sink = builder->AddFilter(kTestSinkClsid, "sink");
    ASSERT_TRUE(builder->ConnectFilters(source, sink, nullptr, nullptr));
    CComRef<IMediaControl> control;
    ASSERT_HRESULT_SUCCEEDED(builder->GetGraph()->QueryInterface(IID_IMediaControl, control.ReceiveVoid()));
    OAFilterState state = State_Running;

    ASSERT_TRUE(builder->Run());
    EXPECT_EQ(CGraphBuilder::kRunning, builder->GetState());
    ASSERT_TRUE(SinkOf(sink)->Pin().WaitForSamples(2, 5000));
    // Stopped behind the builder's back: a second Run trusts the kept state and does nothing.
    ASSERT_EQ(S_OK, control->Stop());
    EXPECT_TRUE(builder->Run());
    control->GetState(0, &state);
    EXPECT_EQ(State_Stopped, state);

    EXPECT_TRUE(builder->Pause());
    EXPECT_EQ(CGraphBuilder::kPaused, builder->GetState());
    EXPECT_EQ(E_FAIL, builder->SetState(3));
    EXPECT_EQ(CGraphBuilder::kPaused, builder->GetState()) << "a refused state leaves the kept one";
    EXPECT_TRUE(builder->Stop());
    EXPECT_EQ(CGraphBuilder::kStopped, builder->GetState());
    control->GetState(0, &state);
    EXPECT_EQ(State_Stopped, state);
}

} // namespace
