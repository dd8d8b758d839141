// The tray program's Run value and the Windows automatic-logon values.
#include "TVSystem.h"

#include "RegistryKey.h"

namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Pocketel";
const char kTrayProgram[] = "Pocketel.exe";

const char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kAutoAdminLogon[] = "AutoAdminLogon";
const char kDefaultDomainName[] = "DefaultDomainName";
const char kDefaultUserName[] = "DefaultUserName";
const char kDefaultPassword[] = "DefaultPassword";

CString ReadWinlogonValue(const char* name)
{
    CString text;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kWinlogonKey) == ERROR_SUCCESS)
        key.QueryString(name, text);
    return text;
}

// A local account's domain is the computer itself.
CString ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof(name);
    if (!GetComputerNameA(name, &size))
        return CString();
    return name;
}

} // namespace

void CTVSystem::ResetAutoRunAndLogon()
{
    GetAutoRun(&m_autoRun);
    m_logonUser.Empty();
    m_logonPassword.Empty();
}

BOOL CTVSystem::SetAutoRun(BOOL on)
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kRunKey) != ERROR_SUCCESS)
        return FALSE;
    CString path = on ? ProgramFile(kTrayProgram) : CString();
    return key.SetString(kRunValue, path) == ERROR_SUCCESS;
}

BOOL CTVSystem::GetAutoRun(BOOL* on)
{
    CString path;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kRunKey) == ERROR_SUCCESS)
        key.QueryString(kRunValue, path);
    *on = !path.IsEmpty();
    return TRUE;
}

void CTVSystem::SetAutoRunFlag(BOOL on)
{
    m_autoRun = on;
    SetAutoRun(on);
}

BOOL CTVSystem::SetLogonAccount(const char* user, const char* password)
{
    if (user == NULL || *user == '\0')
        return FALSE;
    m_logonUser = user;
    m_logonPassword = password ? password : "";
    return TRUE;
}

BOOL CTVSystem::EnableAutoLogon(BOOL on)
{
    if (m_logonUser.IsEmpty())
        return FALSE;
    if (!SetAutoLogon(m_logonUser, m_logonPassword, on))
        return FALSE;
    m_autoLogon = on;
    return TRUE;
}

// Turning off keeps the user and domain names, so the logon screen still offers that user.
BOOL CTVSystem::SetAutoLogon(const char* user, const char* password, BOOL on)
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kWinlogonKey) != ERROR_SUCCESS)
        return FALSE;
    key.SetString(kAutoAdminLogon, on ? "1" : "0");
    if (on) {
        key.SetString(kDefaultDomainName, ComputerName());
        key.SetString(kDefaultUserName, user ? user : "");
    }
    key.SetString(kDefaultPassword, on && password ? password : "");
    return TRUE;
}

CString CTVSystem::ReadDefaultUserName()
{
    return ReadWinlogonValue(kDefaultUserName);
}

CString CTVSystem::ReadDefaultPassword()
{
    return ReadWinlogonValue(kDefaultPassword);
}

void CTVSystem::ReadAutoLogon()
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kWinlogonKey) != ERROR_SUCCESS)
        return;
    CString text;
    if (key.QueryString(kAutoAdminLogon, text) != ERROR_SUCCESS)
        return;
    m_settings.sysDefaultLogon = (text == "1");
    if (key.QueryString(kDefaultUserName, text) != ERROR_SUCCESS)
        return;
    m_sysDefaultUser = text;
    if (key.QueryString(kDefaultPassword, text) != ERROR_SUCCESS)
        return;
    m_sysDefaultPassword = text;
}
