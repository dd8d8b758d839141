#include "CSimInstanceKeys.h"

#include "CSimText.h"

namespace
{
struct RoleEntry
{
    const char* name;
    const char* category;
};

const RoleEntry ROLES[CSimInstanceKeys::ROLE_COUNT] = {
    // instance suffix  category
    { "Capture",  "{860BB310-5D01-11D0-BD3B-00A0C911CE86}" },  // video input devices
    { "Crossbar", "{A799A801-A46D-11D0-A18C-00A02401DCD4}" },  // AM_KSCATEGORY_CROSSBAR
    { "Tuner",    "{A799A800-A46D-11D0-A18C-00A02401DCD4}" },  // AM_KSCATEGORY_TVTUNER
    { "Audio",    "{33D9A762-90C8-11D0-BD43-00A0C911CE86}" },  // audio input devices
    { "KsAudio",  "{6994AD04-93EF-11D0-A3CC-00A0C9223196}" },  // KSCATEGORY_AUDIO
};
}

CSimInstanceKeys::CSimInstanceKeys(DWORD card) : m_card(card)
{
}

std::string CSimInstanceKeys::InstanceName(DWORD card, Role role)
{
    return CSimText::Format("Sim2388x_1-%lu-%s", card, ROLES[role].name);
}

std::string CSimInstanceKeys::KeyPath(DWORD card, Role role)
{
    return CSimText::Format("CLSID\\%s\\Instance\\", ROLES[role].category) + InstanceName(card, role);
}

const char* CSimInstanceKeys::CategoryText(Role role)
{
    return ROLES[role].category;
}

bool CSimInstanceKeys::Registered()
{
    for (int r = 0; r < ROLE_COUNT; ++r) {
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, KeyPath(m_card, (Role)r).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            return true;
        }
    }
    return false;
}

bool CSimInstanceKeys::Query(const char* name, DWORD type, std::vector<BYTE>* data)
{
    for (int r = 0; r < ROLE_COUNT; ++r) {
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, KeyPath(m_card, (Role)r).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        DWORD actual = 0;
        DWORD size = 0;
        LONG err = RegQueryValueExA(key, name, NULL, &actual, NULL, &size);
        if (err == ERROR_SUCCESS && actual == type) {
            data->resize(size);
            err = RegQueryValueExA(key, name, NULL, &actual, data->data(), &size);
        }
        RegCloseKey(key);
        return err == ERROR_SUCCESS && actual == type;
    }
    return false;
}

bool CSimInstanceKeys::SetAll(const char* name, DWORD type, const BYTE* data, DWORD size)
{
    bool any = false;
    for (int r = 0; r < ROLE_COUNT; ++r) {
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, KeyPath(m_card, (Role)r).c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS)
            continue;
        any = RegSetValueExA(key, name, 0, type, data, size) == ERROR_SUCCESS || any;
        RegCloseKey(key);
    }
    return any;
}

bool CSimInstanceKeys::GetDword(const char* name, DWORD* value)
{
    std::vector<BYTE> data;
    if (!Query(name, REG_DWORD, &data) || data.size() != sizeof(DWORD))
        return false;
    *value = *(const DWORD*)data.data();
    return true;
}

bool CSimInstanceKeys::GetString(const char* name, std::string* value)
{
    std::vector<BYTE> data;
    if (!Query(name, REG_SZ, &data))
        return false;
    value->assign((const char*)data.data(), data.size());
    value->resize(value->find('\0') == std::string::npos ? value->size() : value->find('\0'));
    return true;
}

bool CSimInstanceKeys::GetBinary(const char* name, std::vector<BYTE>* value)
{
    return Query(name, REG_BINARY, value);
}

bool CSimInstanceKeys::SetDword(const char* name, DWORD value)
{
    return SetAll(name, REG_DWORD, (const BYTE*)&value, sizeof(value));
}

bool CSimInstanceKeys::SetString(const char* name, const std::string& value)
{
    return SetAll(name, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
}

bool CSimInstanceKeys::SetBinary(const char* name, const BYTE* data, DWORD size)
{
    return SetAll(name, REG_BINARY, data, size);
}
