// The operating-system code of the menu library for each release Wine can be told to report.
#include <gtest/gtest.h>

#include <HelperProcess.h>
#include <MenuSystemCode.h>

#include "MenuTestSupport.h"

#include <string>

namespace {

SUITE_HELPER(ReportMenuSystemCode)
{
    return GetMenuSystemCode();
}

TEST(MenuSystemCode, EachReleaseWineReportsHasItsCode)
{
    struct Case {
        const char* version;
        int code;
    };
    const Case cases[] = {
        // version  code
        {"nt40",    kMenuSystemNT4},
        {"win2k",   kMenuSystemWin2000},
        {"winxp",   kMenuSystemWinXP},
        {"winxp64", kMenuSystemNT3},
        {"vista",   kMenuSystemNT3},
        {"win7",    kMenuSystemNT3},
        {"win10",   kMenuSystemNT3},
    };
    for (const Case& c : cases) {
        ProgramVersionSetting setting(c.version);
        EXPECT_EQ(c.code, HelperProcess::Run("ReportMenuSystemCode")) << c.version;
    }
}

TEST(MenuSystemCode, ReleasesOfBothFamilies)
{
    struct Case {
        BOOL nt;
        DWORD major;
        DWORD minor;
        int code;
    };
    const Case cases[] = {
        // nt    major minor code
        {FALSE, 3,  10, kMenuSystemWin32s},
        {FALSE, 4,  0,  kMenuSystemWin95},
        {FALSE, 4,  10, kMenuSystemWin98},
        {FALSE, 4,  90, kMenuSystemWinMe},
        {TRUE,  3,  51, kMenuSystemNT3},
        {TRUE,  4,  0,  kMenuSystemNT4},
        {TRUE,  5,  0,  kMenuSystemWin2000},
        {TRUE,  5,  1,  kMenuSystemWinXP},
        {TRUE,  5,  2,  kMenuSystemNT3},
        {TRUE,  6,  1,  kMenuSystemNT3},
        {TRUE,  10, 0,  kMenuSystemNT3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code, MenuSystemCodeOf(c.nt, c.major, c.minor)) << c.nt << " " << c.major << "." << c.minor;
}

} // namespace
