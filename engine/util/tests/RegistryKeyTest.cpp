#include <gtest/gtest.h>

#include <string>

#include "HelperProcess.h"
#include "MutexHolder.h"
#include "RegistryKey.h"

// args: key path under HKEY_CURRENT_USER. Writes the values that RegistryReadBack.sh looks
// for with Wine's own reg tool.
SUITE_HELPER(WriteRegistryValues)
{
    CRegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, args[0].c_str()) != ERROR_SUCCESS)
        return 2;
    if (key.SetString("Text", "Written by CRegistryKey") != ERROR_SUCCESS ||
        key.SetString("Chinese", "\xB5\xE7\xCA\xD3") != ERROR_SUCCESS ||
        key.SetDWORD("Number", 42) != ERROR_SUCCESS)
        return 3;
    return 0;
}

namespace {

class RegistryKeyTest : public testing::Test
{
protected:
    RegistryKeyTest() : m_path("Software\\KavexTest\\" + MutexHolder::UniqueName("Util")) {}
    ~RegistryKeyTest() override
    {
        m_key.Close();
        RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
    }

    std::string m_path;
    CRegistryKey m_key;
};

} // namespace

TEST_F(RegistryKeyTest, OpenCreatesTheKeyAndValuesReadBack)
{
    ASSERT_EQ(ERROR_SUCCESS, m_key.Open(HKEY_CURRENT_USER, m_path.c_str()));

    ASSERT_EQ(ERROR_SUCCESS, m_key.SetString("Name", "\xB5\xE7\xCA\xD3 TV"));
    CString text;
    EXPECT_EQ(ERROR_SUCCESS, m_key.QueryString("Name", text));
    EXPECT_STREQ("\xB5\xE7\xCA\xD3 TV", (LPCTSTR)text);

    ASSERT_EQ(ERROR_SUCCESS, m_key.SetDWORD("Count", 0x12345678));
    DWORD number = 0;
    EXPECT_EQ(ERROR_SUCCESS, m_key.QueryDWORD("Count", number));
    EXPECT_EQ(0x12345678u, number);

    const BYTE bytes[3] = {1, 0, 0xFF};
    ASSERT_EQ(ERROR_SUCCESS, m_key.SetBinary("Blob", bytes, sizeof(bytes)));
    BYTE read[3] = {};
    EXPECT_EQ(ERROR_SUCCESS, m_key.QueryValue("Blob", read, sizeof(read)));
    EXPECT_EQ(0, memcmp(bytes, read, sizeof(bytes)));

    EXPECT_EQ(ERROR_SUCCESS, m_key.DeleteValue("Name"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, m_key.DeleteValue("Name"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, m_key.QueryString("Name", text));
    EXPECT_STREQ("\xB5\xE7\xCA\xD3 TV", (LPCTSTR)text);
}

// The registry does not promise a terminating NUL: a value stored without one (here as raw
// bytes) that fills the buffer exactly arrives without one.
TEST_F(RegistryKeyTest, QueryStringOfAValueFillingTheBufferIsTerminated)
{
    ASSERT_EQ(ERROR_SUCCESS, m_key.Open(HKEY_CURRENT_USER, m_path.c_str()));
    HKEY raw;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, KEY_SET_VALUE,
                                           &raw));
    const std::string full(200, 'x');
    RegSetValueExA(raw, "Full", 0, REG_BINARY, (const BYTE*)full.data(), (DWORD)full.size());
    const std::string tooLong(201, 'y');
    RegSetValueExA(raw, "TooLong", 0, REG_SZ, (const BYTE*)tooLong.data(),
                   (DWORD)tooLong.size());
    RegCloseKey(raw);

    CString text;
    EXPECT_EQ(ERROR_SUCCESS, m_key.QueryString("Full", text));
    EXPECT_EQ(full, (LPCTSTR)text);
    EXPECT_EQ(ERROR_MORE_DATA, m_key.QueryString("TooLong", text));
    EXPECT_EQ(full, (LPCTSTR)text);
}

TEST(RegistryKey, OperationsWithoutAnOpenKeyFail)
{
    CRegistryKey key;
    CString text("unchanged");
    EXPECT_NE(ERROR_SUCCESS, key.QueryString("x", text));
    EXPECT_NE(ERROR_SUCCESS, key.SetString("x", "y"));
    EXPECT_STREQ("unchanged", (LPCTSTR)text);
    key.Close();
}
