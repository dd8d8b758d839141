#include <gtest/gtest.h>

#include <windows.h>

#include "XvidSettings.h"

namespace {

const char kKey[] = "Software\\GNU\\XviD";

// Reads and writes the codec's key with the plain registry functions, as the codec does.
class XvidSettingsTest : public testing::Test
{
protected:
    XvidSettingsTest() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    ~XvidSettingsTest() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

    // -1 when the value is missing or not a REG_DWORD.
    static long long Stored(const char* name)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return -1;
        DWORD value = 0, type = 0, size = sizeof(value);
        LONG result = RegQueryValueExA(key, name, NULL, &type, (BYTE*)&value, &size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS && type == REG_DWORD ? value : -1;
    }
    static void Store(const char* name, DWORD value)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0,
                                                 KEY_WRITE, NULL, &key, NULL));
        RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
        RegCloseKey(key);
    }
};

} // namespace

TEST_F(XvidSettingsTest, MissingValuesReadAsTheCodecsOwnDefaults)
{
    CXvidSettings settings;
    EXPECT_EQ(1u, settings.GetMode());
    EXPECT_EQ(1100u, settings.GetBitrate());
    EXPECT_EQ(85u, settings.GetQuality());
    EXPECT_EQ(7u, settings.GetQuant());
    EXPECT_EQ(0u, settings.GetFourcc());
}

TEST_F(XvidSettingsTest, SetDefaultsWritesEveryValueToTheCodecsKey)
{
    CXvidSettings settings;
    ASSERT_TRUE(settings.SetDefaults());
    EXPECT_EQ(2, Stored("mode"));
    EXPECT_EQ(1100000, Stored("rc_bitrate"));
    EXPECT_EQ(85, Stored("quality"));
    EXPECT_EQ(7, Stored("quant"));
    EXPECT_EQ(2, Stored("fourcc_used"));
    EXPECT_EQ(2u, CXvidSettings().GetMode());
}

// Each value at and beyond both ends of its range: refused values write nothing.
TEST_F(XvidSettingsTest, SettersAcceptOnlyTheirRange)
{
    CXvidSettings settings;
    struct Case {
        BOOL (CXvidSettings::*set)(DWORD);
        DWORD (CXvidSettings::*get)();
        const char* name;
        DWORD low, high;
        DWORD scale;
    };
    const Case cases[] = {
        {&CXvidSettings::SetMode, &CXvidSettings::GetMode, "mode", 0, 2, 1},
        {&CXvidSettings::SetBitrate, &CXvidSettings::GetBitrate, "rc_bitrate", 1, 10000, 1000},
        {&CXvidSettings::SetQuality, &CXvidSettings::GetQuality, "quality", 1, 100, 1},
        {&CXvidSettings::SetQuant, &CXvidSettings::GetQuant, "quant", 1, 31, 1},
        {&CXvidSettings::SetFourcc, &CXvidSettings::GetFourcc, "fourcc_used", 0, 2, 1},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].name);
        const Case& c = cases[i];
        EXPECT_TRUE((settings.*c.set)(c.low));
        EXPECT_EQ(c.low * c.scale, Stored(c.name));
        EXPECT_TRUE((settings.*c.set)(c.high));
        EXPECT_EQ(c.high * c.scale, Stored(c.name));
        EXPECT_EQ(c.high, (settings.*c.get)());
        if (c.low > 0) {
            EXPECT_FALSE((settings.*c.set)(c.low - 1));
        }
        EXPECT_FALSE((settings.*c.set)(c.high + 1));
        EXPECT_EQ(c.high * c.scale, Stored(c.name));
    }
    EXPECT_EQ(10000000, Stored("rc_bitrate"));
}

TEST_F(XvidSettingsTest, BitrateReadsBackInWholeKilobits)
{
    Store("rc_bitrate", 1100999);
    EXPECT_EQ(1100u, CXvidSettings().GetBitrate());
}
