// The tray program's Run value and the automatic-logon values, as the prefix's registry holds
// them. Every value is put back as it was after each test.
#include <gtest/gtest.h>

#include "TVSystem.h"

#include "HelperProcess.h"
#include "RegistryValueGuard.h"
#include "TempFolder.h"
#include "UiCallLog.h"

#include <memory>
#include <string>
#include <vector>

namespace
{

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char* const kWinlogonValues[] = {"AutoAdminLogon", "DefaultDomainName", "DefaultUserName", "DefaultPassword"};

std::string RunValue(bool* exists = nullptr)
{
    return RegistryValueGuard::Read(kRunKey, "Pocketel", exists);
}

std::string Winlogon(const char* name, bool* exists = nullptr)
{
    return RegistryValueGuard::Read(kWinlogonKey, name, exists);
}

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof(name);
    GetComputerNameA(name, &size);
    return name;
}

class AutoRunLogonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_guards.emplace_back(new RegistryValueGuard(kRunKey, "Pocketel"));
        for (const char* name : kWinlogonValues) {
            m_guards.emplace_back(new RegistryValueGuard(kWinlogonKey, name));
            RegistryValueGuard::Remove(kWinlogonKey, name);
        }
        m_system.reset(new CTVSystem(m_folder.Path().c_str()));
    }

    TempFolder m_folder;
    std::vector<std::unique_ptr<RegistryValueGuard>> m_guards;
    std::unique_ptr<CTVSystem> m_system;
};

TEST_F(AutoRunLogonTest, RunValueHoldsTheTrayProgramWhenOnAndEmptyTextWhenOff)
{
    BOOL on = FALSE;
    m_system->SetAutoRunFlag(TRUE);
    EXPECT_TRUE(m_system->GetAutoRunFlag());
    EXPECT_EQ(m_folder.FilePath("Pocketel.exe"), RunValue());
    EXPECT_TRUE(m_system->GetAutoRun(&on));
    EXPECT_TRUE(on);
    EXPECT_TRUE(CTVSystem(m_folder.Path().c_str()).GetAutoRunFlag()) << "the defaults read the Run value";

    m_system->SetAutoRunFlag(FALSE);
    bool exists = false;
    EXPECT_EQ("", RunValue(&exists));
    EXPECT_TRUE(exists) << "the value is kept, emptied";
    EXPECT_TRUE(m_system->GetAutoRun(&on));
    EXPECT_FALSE(on);
    EXPECT_FALSE(CTVSystem(m_folder.Path().c_str()).GetAutoRunFlag());
}

TEST_F(AutoRunLogonTest, AutoLogonNeedsAStoredUserName)
{
    EXPECT_FALSE(m_system->EnableAutoLogon(TRUE));
    EXPECT_FALSE(m_system->SetLogonAccount("", "secret"));
    EXPECT_FALSE(m_system->EnableAutoLogon(TRUE));
    EXPECT_FALSE(m_system->IsAutoLogonEnabled());
    bool exists = true;
    Winlogon("AutoAdminLogon", &exists);
    EXPECT_FALSE(exists) << "nothing written";
}

TEST_F(AutoRunLogonTest, TurningAutoLogonOnWritesTheAccountAndOffClearsOnlyFlagAndPassword)
{
    ASSERT_TRUE(m_system->SetLogonAccount("viewer", "secret"));
    ASSERT_TRUE(m_system->EnableAutoLogon(TRUE));
    EXPECT_TRUE(m_system->IsAutoLogonEnabled());
    EXPECT_EQ("1", Winlogon("AutoAdminLogon"));
    EXPECT_EQ(ComputerName(), Winlogon("DefaultDomainName")) << "the computer, not the user";
    EXPECT_NE("viewer", Winlogon("DefaultDomainName"));
    EXPECT_EQ("viewer", Winlogon("DefaultUserName"));
    EXPECT_EQ("secret", Winlogon("DefaultPassword"));
    EXPECT_EQ("viewer", std::string(CTVSystem::ReadDefaultUserName()));
    EXPECT_EQ("secret", std::string(CTVSystem::ReadDefaultPassword()));

    ASSERT_TRUE(m_system->EnableAutoLogon(FALSE));
    EXPECT_FALSE(m_system->IsAutoLogonEnabled());
    EXPECT_EQ("0", Winlogon("AutoAdminLogon"));
    EXPECT_EQ("", Winlogon("DefaultPassword"));
    EXPECT_EQ("viewer", Winlogon("DefaultUserName"));
    EXPECT_EQ(ComputerName(), Winlogon("DefaultDomainName"));
}

TEST_F(AutoRunLogonTest, DefaultAccountReadsEmptyWhenMissing)
{
    EXPECT_EQ("", std::string(CTVSystem::ReadDefaultUserName()));
    EXPECT_EQ("", std::string(CTVSystem::ReadDefaultPassword()));
}

TEST_F(AutoRunLogonTest, ReadAutoLogonTakesTheSystemFlagOnlyWhenItCanBeRead)
{
    m_system->GetSettings().sysDefaultLogon = 7;
    m_system->ReadAutoLogon();
    EXPECT_EQ(7, m_system->GetSettings().sysDefaultLogon) << "AutoAdminLogon missing";
    ASSERT_TRUE(CTVSystem::SetAutoLogon("viewer", "secret", TRUE));
    m_system->ReadAutoLogon();
    EXPECT_EQ(1, m_system->GetSettings().sysDefaultLogon);
    ASSERT_TRUE(CTVSystem::SetAutoLogon("viewer", "secret", FALSE));
    m_system->ReadAutoLogon();
    EXPECT_EQ(0, m_system->GetSettings().sysDefaultLogon);
}

bool MayShutDown()
{
    HANDLE token = NULL;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    PRIVILEGE_SET required = {};
    required.PrivilegeCount = 1;
    required.Control = PRIVILEGE_SET_ALL_NECESSARY;
    BOOL enabled = FALSE;
    bool checked = LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &required.Privilege[0].Luid) &&
                   PrivilegeCheck(token, &required, &enabled);
    CloseHandle(token);
    return checked && enabled;
}

// ShutdownSystem itself is not run: under Wine its ExitWindowsEx would end every process of
// the prefix. This is the step before it.
TEST(ShutdownSystem, ThePrivilegeStepLetsTheProcessShutTheComputerDown)
{
    ASSERT_FALSE(MayShutDown()) << "a process starts without the privilege enabled";
    EXPECT_TRUE(CTVSystem::EnableShutdownPrivilege());
    EXPECT_TRUE(MayShutDown());
}

TEST(OptionsMenu, HidingPassesFalseToTheMenu)
{
    CUiCallLog::Clear();
    TempFolder folder;
    CTVSystem(folder.Path().c_str()).HideOptionsMenu();
    ASSERT_EQ(1u, CUiCallLog::Calls().size());
    EXPECT_EQ("ShowMenu 0", CUiCallLog::Calls()[0]);
}

// For LogonReadBack.sh: the values as a user turning both on, then both off, leaves them.
// Args: program directory, "on" or "off".
SUITE_HELPER(WriteAutoRunAndLogon)
{
    if (args.size() != 2)
        return 2;
    CTVSystem system(args[0].c_str());
    BOOL on = args[1] == "on";
    system.SetAutoRunFlag(on);
    system.SetLogonAccount("viewer", "secret");
    return system.EnableAutoLogon(on) ? 0 : 1;
}

} // namespace
