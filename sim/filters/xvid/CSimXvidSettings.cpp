#include "CSimXvidSettings.h"

#include <string.h>

namespace
{
const char kSettingsKey[] = "Software\\GNU\\XviD";

struct Field
{
    const char* name;
    DWORD CSimXvidSettings::*value;
};

// name, member: the registry values in the order of the state block.
const Field kFields[] = {
    {"mode", &CSimXvidSettings::mode},
    {"rc_bitrate", &CSimXvidSettings::bitRate},
    {"quality", &CSimXvidSettings::quality},
    {"quant", &CSimXvidSettings::quant},
    {"fourcc_used", &CSimXvidSettings::fourccUsed},
};
static_assert(sizeof(kFields) / sizeof(kFields[0]) * sizeof(DWORD) == CSimXvidSettings::kStateSize,
              "one field per state word");

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}
}

CSimXvidSettings CSimXvidSettings::Load()
{
    CSimXvidSettings settings;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return settings;
    for (const Field& field : kFields) {
        DWORD value = 0, type = 0, size = sizeof(value);
        if (RegQueryValueExA(key, field.name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
            type == REG_DWORD)
            settings.*field.value = value;
    }
    RegCloseKey(key);
    return settings;
}

bool CSimXvidSettings::Save() const
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool saved = true;
    for (const Field& field : kFields) {
        DWORD value = this->*field.value;
        saved = RegSetValueExA(key, field.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
                    ERROR_SUCCESS &&
                saved;
    }
    RegCloseKey(key);
    return saved;
}

void CSimXvidSettings::ToState(BYTE* state) const
{
    for (size_t i = 0; i < sizeof(kFields) / sizeof(kFields[0]); ++i)
        memcpy(state + i * sizeof(DWORD), &(this->*kFields[i].value), sizeof(DWORD));
}

CSimXvidSettings CSimXvidSettings::FromState(const BYTE* state)
{
    CSimXvidSettings settings;
    for (size_t i = 0; i < sizeof(kFields) / sizeof(kFields[0]); ++i)
        memcpy(&(settings.*kFields[i].value), state + i * sizeof(DWORD), sizeof(DWORD));
    return settings;
}

DWORD CSimXvidSettings::Fourcc() const
{
    switch (fourccUsed) {
    case 1: return MAKEFOURCC('D', 'I', 'V', 'X');
    case 2: return MAKEFOURCC('D', 'X', '5', '0');
    default: return MAKEFOURCC('X', 'V', 'I', 'D');
    }
}

int CSimXvidSettings::FixedQuant() const
{
    if (mode == kQuality)
        return Clamp(31 - (int)Clamp((int)quality, 0, 100) * 29 / 100, 2, 31);
    return Clamp((int)quant, 1, 31);
}
