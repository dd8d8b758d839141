// The FriendlyName rule and the fixed name buffers.
#include "DeviceSearch.h"
#include "NameBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

TEST(DeviceNameMatch, ComparesTheShorterNameWithoutItsLastCharacter)
{
    struct Case
    {
        const char* device;
        const char* request;
        BOOL match;
    };
    const Case cases[] = {
        // device                                  request                               match
        {"Conexant 2388x_1 Video Capture",         "Conexant 2388x_1 Video Capture",     TRUE},
        {"Conexant 2388x_1 Video Capture Plus",    "Conexant 2388x_1 Video Capture",     TRUE},
        {"Conexant 2388x Video Capture",           "Conexant 2388x_1 Video Capture",     FALSE},
        {"Conexant 2388x_1 Video CapturX",         "Conexant 2388x_1 Video Capture",     TRUE},
        {"Conexant 2388x_1 Crossbar",              "Conexant 2388x_1 Video Capture",     FALSE},
        {"Conexant",                               "Conexant 2388x_1 Video Capture",     TRUE},
        {"conexant 2388x_1 Video Capture",         "Conexant 2388x_1 Video Capture",     FALSE},
        {"AB",                                     "AX",                                 TRUE},
        {"视频采集卡",                             "视频采集",                           TRUE},
        {"视频采集卡",                             "视频捕获",                           FALSE},
        // Nothing left to compare: such names answer no request.
        {"A",                                      "A",                                  FALSE},
        {"C",                                      "Conexant 2388x_1 Video Capture",     FALSE},
        {"",                                       "Conexant 2388x_1 Video Capture",     FALSE},
        {"Conexant 2388x_1 Video Capture",         "C",                                  FALSE},
        {"Conexant 2388x_1 Video Capture",         "",                                   FALSE},
        {"Conexant 2388x_1 Video Capture",         nullptr,                              FALSE},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].match, CDeviceSearch::NamesMatch(cases[i].device, cases[i].request)) << "case " << i;
}

TEST(NameBuffer, CutsWholeCharactersAndAlwaysTerminates)
{
    struct Case
    {
        const char* text;
        int size;
        const char* expected;
    };
    const Case cases[] = {
        // text        size  expected
        {"Capture",    8,    "Capture"},
        {"Capture",    7,    "Captur"},
        {"Capture",    1,    ""},
        {nullptr,      8,    ""},
        {"视频",       5,    "视频"},
        {"视频",       4,    "视"},
        {"视频",       3,    "视"},
        {"视频",       2,    ""},
        {"a视频",      4,    "a视"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        char buffer[16];
        memset(buffer, 'X', sizeof(buffer));
        CNameBuffer::Copy(buffer, cases[i].size, cases[i].text);
        EXPECT_STREQ(cases[i].expected, buffer) << "case " << i;
        EXPECT_EQ('X', buffer[cases[i].size]) << "nothing written past the buffer, case " << i;
    }
}

TEST(NameBuffer, ConvertsWideNamesWithTheAnsiCodePageAndCutsThem)
{
    char buffer[16];
    memset(buffer, 'X', sizeof(buffer));
    CNameBuffer::FromWide(buffer, 4, L"视频采集");
    EXPECT_STREQ("视", buffer);
    EXPECT_EQ('X', buffer[4]);

    CNameBuffer::FromWide(buffer, sizeof(buffer), L"视频 Capture");
    EXPECT_STREQ("视频 Capture", buffer);
}

} // namespace
