// The MPEG-4 codec as the prefix has it registered: its settings block is the codec's
// registry values, and its configuration dialog is the compression-dialog library's.
#include <gtest/gtest.h>

#include "SimLogTail.h"

#include <dshow.h>

#include <string.h>

namespace
{
const CLSID kCodecClsid = {0x37C0EC6A, 0x43DC, 0x40AA, {0x95, 0x6D, 0xB6, 0xC2, 0x3C, 0x1A, 0x3E, 0x9C}};
const char kSettingsKey[] = "Software\\GNU\\XviD";

class SimXvidCodecTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        HKEY key = NULL;
        m_hadSettings = RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (key)
            RegCloseKey(key);
        ASSERT_EQ(S_OK, CoCreateInstance(kCodecClsid, NULL, CLSCTX_INPROC_SERVER, IID_IAMVfwCompressDialogs,
                                         reinterpret_cast<void**>(&m_dialogs)));
        int size = sizeof(m_kept);
        ASSERT_EQ(S_OK, m_dialogs->GetState(m_kept, &size));
    }

    void TearDown() override
    {
        if (m_dialogs) {
            if (m_hadSettings)
                m_dialogs->SetState(m_kept, sizeof(m_kept));
            else
                RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
            m_dialogs->Release();
        }
        CoUninitialize();
    }

    static DWORD RegistryValue(const char* name)
    {
        DWORD value = 0xFFFFFFFF, size = sizeof(value);
        RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, NULL, &value, &size);
        return value;
    }

    IAMVfwCompressDialogs* m_dialogs = NULL;
    bool m_hadSettings = false;
    BYTE m_kept[20];
};
}

TEST_F(SimXvidCodecTest, TheStateBlockIsTheFiveSettingsOfTheCodecsKey)
{
    int size = 0;
    ASSERT_EQ(S_OK, m_dialogs->GetState(NULL, &size));
    EXPECT_EQ(20, size);

    const DWORD state[5] = {2, 2000000, 50, 5, 2};
    ASSERT_EQ(S_OK, m_dialogs->SetState(const_cast<DWORD*>(state), sizeof(state)));
    EXPECT_EQ(2u, RegistryValue("mode"));
    EXPECT_EQ(2000000u, RegistryValue("rc_bitrate"));
    EXPECT_EQ(50u, RegistryValue("quality"));
    EXPECT_EQ(5u, RegistryValue("quant"));
    EXPECT_EQ(2u, RegistryValue("fourcc_used"));

    DWORD back[5] = {};
    size = sizeof(back);
    ASSERT_EQ(S_OK, m_dialogs->GetState(back, &size));
    EXPECT_EQ(0, memcmp(state, back, sizeof(state)));

    EXPECT_EQ(E_INVALIDARG, m_dialogs->SetState(back, 19)) << "a block of another size";
    size = 19;
    EXPECT_EQ(E_INVALIDARG, m_dialogs->GetState(back, &size)) << "a buffer too small";
}

TEST_F(SimXvidCodecTest, WithoutSettingsTheStateHoldsTheDefaults)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    DWORD state[5] = {};
    int size = sizeof(state);
    ASSERT_EQ(S_OK, m_dialogs->GetState(state, &size));
    const DWORD defaults[5] = {1, 1100000, 85, 7, 0};
    EXPECT_EQ(0, memcmp(defaults, state, sizeof(state)));
}

// The prefix lets the library's dialog close itself at once with Cancel.
TEST_F(SimXvidCodecTest, TheConfigurationDialogIsTheLibrarysAndThereIsNoAboutBox)
{
    EXPECT_EQ(S_OK, m_dialogs->ShowDialog(VfwCompressDialog_QueryConfig, NULL));
    EXPECT_EQ(S_FALSE, m_dialogs->ShowDialog(VfwCompressDialog_QueryAbout, NULL));
    SimLogTail library("framewise");
    EXPECT_EQ(S_OK, m_dialogs->ShowDialog(VfwCompressDialog_Config, NULL));
    bool shown = false;
    for (const std::string& line : library.Lines())
        shown = shown || line.find("D parent=00000000 result=2 auto=1") != std::string::npos;
    EXPECT_TRUE(shown);
}
