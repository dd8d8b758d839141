// The operating-system code of the menu library for each release Wine can be told to report.
#include <gtest/gtest.h>

#include <HelperProcess.h>
#include <MenuSystemCode.h>

#include <string>

namespace {

SUITE_HELPER(ReportMenuSystemCode)
{
    return GetMenuSystemCode();
}

// The per-program release setting of this test program, removed afterwards.
class ProgramVersionSetting
{
public:
    explicit ProgramVersionSetting(const char* version)
    {
        char path[MAX_PATH];
        GetModuleFileNameA(NULL, path, MAX_PATH);
        std::string name = path;
        m_key = "Software\\Wine\\AppDefaults\\" + name.substr(name.find_last_of("\\/") + 1);
        HKEY hKey = NULL;
        RegCreateKeyA(HKEY_CURRENT_USER, m_key.c_str(), &hKey);
        RegSetValueExA(hKey, "Version", 0, REG_SZ, (const BYTE*)version, lstrlenA(version) + 1);
        RegCloseKey(hKey);
    }
    ~ProgramVersionSetting() { RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str()); }

private:
    std::string m_key;
};

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
        {"winxp64", kMenuSystemWinXP},
        {"vista",   kMenuSystemWinXP},
        {"win7",    kMenuSystemWinXP},
        {"win10",   kMenuSystemWinXP},
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
        {TRUE,  6,  1,  kMenuSystemWinXP},
        {TRUE,  10, 0,  kMenuSystemWinXP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code, MenuSystemCodeOf(c.nt, c.major, c.minor)) << c.nt << " " << c.major << "." << c.minor;
}

} // namespace
