#pragma once

#include "GraphBuilder.h"

#include <gtest/gtest.h>

#include <memory>

// A graph builder on the test thread, a single-threaded apartment as the program's
// user-interface thread is.
class AudioGraphTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        builder.reset(new CGraphBuilder());
        ASSERT_NE(nullptr, builder->GetGraph()) << CGraphBuilder::GetLastErrorText();
    }

    void TearDown() override
    {
        builder.reset();
        CoUninitialize();
    }

    std::unique_ptr<CGraphBuilder> builder;
};

// The simulated card's sound, card 0 of the prefix.
const char kCardAudio[] = "Conexant 2388x_1 Audio Capture";
