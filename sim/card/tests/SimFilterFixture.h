#pragma once

#include "SimDeviceSupport.h"

#include <gtest/gtest.h>

// The card's filters as a program finds them, on a card of their own (card 7), registered
// afresh for each test so no instance value of another test or run is left over.
class SimFilterFixture : public ::testing::Test
{
protected:
    static const DWORD CARD = 7;

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(S_OK, SimControl::Install(FALSE, L"card=7"));
        ASSERT_EQ(S_OK, SimControl::Install(TRUE, L"card=7"));
        tuner = Bind(AM_KSCATEGORY_TVTUNER, "Conexant 2388x_1 Tuner");
        ASSERT_TRUE(tuner);
        // The card may be live from an earlier test: back to the fresh instance values.
        control("reset");
        control("trace clear");
    }

    void TearDown() override
    {
        tuner.Reset();
        CoUninitialize();
    }

    static CComRef<IBaseFilter> Bind(REFCLSID category, const char* name)
    {
        return SimDevices::Bind(category, name, CARD);
    }

    bool Traced(const char* text)
    {
        std::string answer;
        return SUCCEEDED(control.Run(std::string("trace wait 1 2000 ") + text, &answer));
    }

    CComRef<IBaseFilter> tuner;
    SimControl control{CARD};
};
