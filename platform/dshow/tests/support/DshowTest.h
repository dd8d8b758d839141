#pragma once

#include "ComServer.h"

#include <gtest/gtest.h>

#include <objbase.h>

// Base of the DirectShow tests: COM for the test's thread, and at the end no object of
// the base classes left alive in the test program.
class DshowTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)); }
    void TearDown() override
    {
        EXPECT_EQ(0, CComServer::LiveObjects()) << "objects of the base classes outlived the test";
        CoUninitialize();
    }
};
