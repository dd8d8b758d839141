// The filter's service resolver, as the library asks it by name.
#include "MuxLibService.h"
#include "muxlib.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

namespace
{

TEST(MuxLibService, KnownNamesGiveServicesAndOthersNull)
{
    EXPECT_EQ(reinterpret_cast<void*>(&malloc), MuxGetLibService("malloc"));
    EXPECT_EQ(reinterpret_cast<void*>(&free), MuxGetLibService("free"));
    EXPECT_EQ(MuxGetLibService("wrn_printf"), MuxGetLibService("inf_printf"));
    for (const char* name : {"err_printf", "prg_printf", "wrn_printf"})
        EXPECT_NE(nullptr, MuxGetLibService(name)) << name;
    for (const char* name : {"", "Malloc", "malloc ", "realloc"})
        EXPECT_EQ(nullptr, MuxGetLibService(name)) << name;
}

TEST(MuxLibService, PrintersCutALongLineWithinTheirBuffer)
{
    std::string line(1000, 'x');
    auto error = reinterpret_cast<MuxPrintService>(MuxGetLibService("err_printf"));
    auto progress = reinterpret_cast<MuxProgressService>(MuxGetLibService("prg_printf"));
    auto notice = reinterpret_cast<MuxPrintService>(MuxGetLibService("wrn_printf"));
    EXPECT_EQ(0, error("%s", line.c_str()));
    EXPECT_EQ(0, progress(42, "%s", line.c_str()));
    EXPECT_EQ(0, notice("%s", line.c_str()));
}

} // namespace
