#pragma once

#include "ComServer.h"
#include "CountedWrapper.h"
#include "GraphBuilder.h"
#include "StaTest.h"
#include "TestSink.h"
#include "TestSource.h"

#include <memory>
#include <string>
#include <vector>

// A graph builder made on the test thread, as the program makes it on its user-interface
// thread. Every test must end with every wrapper deleted and no object of the base classes
// alive.
class GraphBuilderTest : public StaTest
{
protected:
    void SetUp() override
    {
        StaTest::SetUp();
        builder.reset(new CGraphBuilder());
        ASSERT_NE(nullptr, builder->GetGraph()) << CGraphBuilder::GetLastErrorText();
    }

    void TearDown() override
    {
        builder.reset();
        EXPECT_EQ(0, CCountedWrapper::Live()) << "wrappers outlived the graph";
        EXPECT_EQ(0, CComServer::LiveObjects()) << "test filters outlived the graph";
        CFilterWrapper::SetDeviceIndex(0);
        StaTest::TearDown();
    }

    // The names of the filters that stand in the graph, sorted.
    std::vector<std::wstring> FilterNames();
    // The wrappers of the builder's list, newest first.
    std::vector<CFilterWrapper*> Wrappers();

    static CTestSource* SourceOf(CFilterWrapper* wrapper) { return static_cast<CTestSource*>(wrapper->GetFilter()); }
    static CTestSink* SinkOf(CFilterWrapper* wrapper) { return static_cast<CTestSink*>(wrapper->GetFilter()); }
    // Whether the pin is connected in the graph, whatever the records say.
    static bool IsConnected(CFilterPin* pin);

    std::unique_ptr<CGraphBuilder> builder;
};
