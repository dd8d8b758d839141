#include <gtest/gtest.h>

#include <afxwin.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "AfxTestResources.h"
#include "DialogWatcher.h"
#include "GbkText.h"
#include "TempFolder.h"

namespace {

const char kCompanyKey[] = "Software\\KavexAfxTests";
// The application is named by AFX_IDS_APP_TITLE in AfxTests.rc.
const char kSettingsKey[] = "Software\\KavexAfxTests\\AfxTestApp\\Settings";

struct RegistryValue {
    LONG lResult;
    DWORD dwType;
    std::string bytes;
};

RegistryValue ReadRegistryValue(const char* lpszKey, const char* lpszName)
{
    RegistryValue value = {ERROR_SUCCESS, REG_NONE, ""};
    HKEY hKey;
    value.lResult = RegOpenKeyExA(HKEY_CURRENT_USER, lpszKey, 0, KEY_READ, &hKey);
    if (value.lResult != ERROR_SUCCESS)
        return value;
    char data[256];
    DWORD dwSize = sizeof(data);
    value.lResult = RegQueryValueExA(hKey, lpszName, NULL, &value.dwType, (LPBYTE)data, &dwSize);
    if (value.lResult == ERROR_SUCCESS)
        value.bytes.assign(data, dwSize);
    RegCloseKey(hKey);
    return value;
}

bool KeyExists(const char* lpszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

class CWinAppRegistry : public testing::Test {
protected:
    void SetUp() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kCompanyKey);
        m_app.SetRegistryKey("KavexAfxTests");
    }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, kCompanyKey); }

    CWinApp m_app;
};

// A top-level window of this thread to serve as the main window.
class MainWindow {
public:
    MainWindow()
    {
        m_wnd.m_hWnd = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                       NULL, NULL, NULL, NULL);
    }
    ~MainWindow() { DestroyWindow(m_wnd.m_hWnd); }
    CWnd* Get() { return &m_wnd; }

private:
    CWnd m_wnd;
};

} // namespace

TEST(CWinApp, RegistersItselfAndNamesTheApplication)
{
    EXPECT_EQ(nullptr, AfxGetApp());
    {
        CWinApp app;
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_STREQ("afx_tests", app.m_pszExeName);
        EXPECT_STREQ("AfxTestApp", app.m_pszAppName);
        EXPECT_STREQ("afx_tests.INI", app.m_pszProfileName);
        EXPECT_EQ(nullptr, app.m_pszRegistryKey);
        EXPECT_STREQ("AfxTestApp", AfxGetAppName());
        EXPECT_EQ(GetModuleHandleA(NULL), app.m_hInstance);
        EXPECT_EQ(GetModuleHandleA(NULL), AfxGetInstanceHandle());
        EXPECT_EQ(GetModuleHandleA(NULL), AfxGetResourceHandle());
        EXPECT_EQ(nullptr, AfxGetMainWnd());
        EXPECT_EQ(nullptr, AfxGetMainWnd()->GetSafeHwnd());
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(nullptr, AfxGetAppName());

    CWinApp named("Kavex");
    EXPECT_STREQ("Kavex", named.m_pszAppName);
}

TEST(CWinApp, SetRegistryKeyRenamesTheProfileAfterTheApplication)
{
    CWinApp app("Kavex");
    app.SetRegistryKey(IDS_REGISTRY_KEY);
    EXPECT_STREQ("KavexAfxTests", app.m_pszRegistryKey);
    EXPECT_STREQ("Kavex", app.m_pszProfileName);
}

TEST_F(CWinAppRegistry, ProfileIntIsADwordUnderTheSectionKey)
{
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Volume", 42));
    RegistryValue value = ReadRegistryValue(kSettingsKey, "Volume");
    ASSERT_EQ(ERROR_SUCCESS, value.lResult);
    EXPECT_EQ((DWORD)REG_DWORD, value.dwType);
    EXPECT_EQ(std::string("\x2A\0\0\0", 4), value.bytes);
    EXPECT_EQ(42u, m_app.GetProfileInt("Settings", "Volume", 7));

    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Offset", -5));
    EXPECT_EQ(-5, (int)m_app.GetProfileInt("Settings", "Offset", 0));
}

TEST_F(CWinAppRegistry, ProfileStringIsARegSzWithItsNul)
{
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Skin", GBK_PINDAO "\\" GBK_CHENG));
    RegistryValue value = ReadRegistryValue(kSettingsKey, "Skin");
    ASSERT_EQ(ERROR_SUCCESS, value.lResult);
    EXPECT_EQ((DWORD)REG_SZ, value.dwType);
    EXPECT_EQ(std::string(GBK_PINDAO "\\" GBK_CHENG, 7) + '\0', value.bytes);
    EXPECT_STREQ(GBK_PINDAO "\\" GBK_CHENG, m_app.GetProfileString("Settings", "Skin"));
}

TEST_F(CWinAppRegistry, MissingValuesGiveTheDefault)
{
    EXPECT_EQ(7u, m_app.GetProfileInt("Settings", "Missing", 7));
    EXPECT_STREQ("fallback", m_app.GetProfileString("Settings", "Missing", "fallback"));
    EXPECT_STREQ("", m_app.GetProfileString("Settings", "Missing"));
    // A value of the other type counts as missing.
    m_app.WriteProfileString("Settings", "Text", "12");
    EXPECT_EQ(3u, m_app.GetProfileInt("Settings", "Text", 3));
    m_app.WriteProfileInt("Settings", "Number", 12);
    EXPECT_STREQ("x", m_app.GetProfileString("Settings", "Number", "x"));
}

TEST_F(CWinAppRegistry, WritingNullDeletesTheValueOrTheSection)
{
    m_app.WriteProfileString("Settings", "A", "1");
    m_app.WriteProfileString("Settings", "B", "2");
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "A", NULL));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRegistryValue(kSettingsKey, "A").lResult);
    EXPECT_EQ(ERROR_SUCCESS, ReadRegistryValue(kSettingsKey, "B").lResult);
    EXPECT_TRUE(m_app.WriteProfileString("Settings", NULL, NULL));
    EXPECT_FALSE(KeyExists(kSettingsKey));
    EXPECT_TRUE(KeyExists("Software\\KavexAfxTests\\AfxTestApp"));
}

TEST_F(CWinAppRegistry, ProfileBinaryIsARegBinary)
{
    BYTE bytes[] = {0x12, 0xAB, 0x00, 0x5C};
    EXPECT_TRUE(m_app.WriteProfileBinary("Settings", "Window", bytes, sizeof(bytes)));
    RegistryValue value = ReadRegistryValue(kSettingsKey, "Window");
    EXPECT_EQ((DWORD)REG_BINARY, value.dwType);
    EXPECT_EQ(std::string("\x12\xAB\x00\x5C", 4), value.bytes);

    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(m_app.GetProfileBinary("Settings", "Window", &pData, &nBytes));
    EXPECT_EQ(4u, nBytes);
    EXPECT_EQ(0, memcmp(bytes, pData, 4));
    delete[] pData;
    EXPECT_FALSE(m_app.GetProfileBinary("Settings", "Missing", &pData, &nBytes));
    EXPECT_EQ(nullptr, pData);
}

class CWinAppIni : public testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_folder.FilePath("Kavex.ini");
        free((void*)m_app.m_pszProfileName);
        m_app.m_pszProfileName = _strdup(m_path.c_str());
    }

    TempFolder m_folder;
    std::string m_path;
    CWinApp m_app;
};

TEST_F(CWinAppIni, WithoutARegistryKeyValuesGoToTheIniFile)
{
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Volume", 42));
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Skin", GBK_CHENG));
    std::string text = TempFolder::ReadWholeFile(m_path);
    EXPECT_NE(std::string::npos, text.find("[Settings]\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("Volume=42\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("Skin=" GBK_CHENG "\r\n")) << text;
    EXPECT_EQ(42u, m_app.GetProfileInt("Settings", "Volume", 0));
    EXPECT_STREQ(GBK_CHENG, m_app.GetProfileString("Settings", "Skin"));
    EXPECT_EQ(9u, m_app.GetProfileInt("Settings", "Missing", 9));
    EXPECT_STREQ("d", m_app.GetProfileString("Other", "Missing", "d"));
    EXPECT_FALSE(KeyExists("Software\\KavexAfxTests"));
}

TEST_F(CWinAppIni, LongValuesAreReadWhole)
{
    CString value;
    for (int i = 0; i < 3000; ++i)
        value += GBK_CHENG;
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Long", value));
    EXPECT_STREQ(value, m_app.GetProfileString("Settings", "Long"));
}

TEST_F(CWinAppIni, NullDeletesTheKeyOrTheSection)
{
    m_app.WriteProfileString("Settings", "A", "1");
    m_app.WriteProfileString("Settings", "B", "2");
    m_app.WriteProfileString("Settings", "A", NULL);
    EXPECT_STREQ("gone", m_app.GetProfileString("Settings", "A", "gone"));
    EXPECT_STREQ("2", m_app.GetProfileString("Settings", "B"));
    m_app.WriteProfileString("Settings", NULL, NULL);
    EXPECT_EQ(std::string::npos, TempFolder::ReadWholeFile(m_path).find("[Settings]"));
}

TEST_F(CWinAppIni, BinaryIsStoredAsLettersLowHalfFirst)
{
    BYTE bytes[] = {0x12, 0xAB};
    EXPECT_TRUE(m_app.WriteProfileBinary("Settings", "Window", bytes, sizeof(bytes)));
    EXPECT_NE(std::string::npos, TempFolder::ReadWholeFile(m_path).find("Window=CBLK\r\n"));
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(m_app.GetProfileBinary("Settings", "Window", &pData, &nBytes));
    ASSERT_EQ(2u, nBytes);
    EXPECT_EQ(0x12, pData[0]);
    EXPECT_EQ(0xAB, pData[1]);
    delete[] pData;
}

TEST(AfxMessageBox, CaptionIsTheApplicationAndOwnerTheMainWindow)
{
    DialogWatcher watcher;
    CWinApp app;
    MainWindow main;
    app.m_pMainWnd = main.Get();
    EXPECT_EQ(main.Get(), AfxGetMainWnd());
    EXPECT_EQ(IDOK, AfxMessageBox("Disk full"));
    watcher.PressId(IDNO);
    EXPECT_EQ(IDNO, AfxMessageBox(IDS_PROMPT, MB_YESNO));

    std::vector<ShownDialog> dialogs = watcher.Dialogs();
    ASSERT_EQ(2u, dialogs.size());
    EXPECT_EQ("AfxTestApp", dialogs[0].caption);
    EXPECT_EQ("Disk full", dialogs[0].text);
    EXPECT_EQ(main.Get()->m_hWnd, dialogs[0].owner);
    EXPECT_EQ("\xCE\xC4\xBC\xFE\xB2\xBB\xB4\xE6\xD4\xDA!", dialogs[1].text);
}

TEST(AfxMessageBox, ADialogOpenOverTheMainWindowOwnsTheBox)
{
    DialogWatcher watcher;
    CWinApp app;
    MainWindow main;
    app.m_pMainWnd = main.Get();
    ShowWindow(main.Get()->m_hWnd, SW_SHOW);
    HWND dialog = CreateWindowExA(0, "STATIC", "over main", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                  main.Get()->m_hWnd, NULL, NULL, NULL);
    SetActiveWindow(dialog);
    EXPECT_EQ(IDOK, AfxMessageBox("Refused"));
    DestroyWindow(dialog);

    std::vector<ShownDialog> dialogs = watcher.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ(dialog, dialogs[0].owner);
    EXPECT_TRUE(IsWindowEnabled(main.Get()->m_hWnd));
}

TEST(AfxMessageBox, WithoutAnApplicationTheCaptionIsTheProgramFile)
{
    DialogWatcher watcher;
    EXPECT_EQ(IDOK, AfxMessageBox("no app"));
    std::vector<ShownDialog> dialogs = watcher.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ("afx_tests.exe", dialogs[0].caption);
    EXPECT_EQ("no app", dialogs[0].text);
    EXPECT_EQ(nullptr, dialogs[0].owner);
}
