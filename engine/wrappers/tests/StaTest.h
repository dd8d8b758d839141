#pragma once

#include <gtest/gtest.h>

#include <objbase.h>

// Base of the engine's graph tests: the test thread is a single-threaded apartment, as the
// program's user-interface thread is, so the graph builder's own initialisation joins it.
class StaTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};
