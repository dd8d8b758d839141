#pragma once

#include "ISimValues.h"

#include <string>

// The instance keys under which a card's filters are registered with the filter mapper
// (HKCR\CLSID\{category}\Instance\Sim2388x_1-<n>-<role>). All keys of a card carry the
// same values: reads come from the first key that exists, writes go to every one.
class CSimInstanceKeys : public ISimValues
{
public:
    // ROLE_KSAUDIO: the audio filter entered once more in the kernel-streaming audio
    // category, as the USB box's driver has it.
    enum Role { ROLE_CAPTURE, ROLE_CROSSBAR, ROLE_TUNER, ROLE_AUDIO, ROLE_KSAUDIO, ROLE_COUNT };

    explicit CSimInstanceKeys(DWORD card);

    static std::string InstanceName(DWORD card, Role role);
    static std::string KeyPath(DWORD card, Role role);
    static const char* CategoryText(Role role);
    bool Registered();

    bool GetDword(const char* name, DWORD* value) override;
    bool GetString(const char* name, std::string* value) override;
    bool GetBinary(const char* name, std::vector<BYTE>* value) override;
    bool SetDword(const char* name, DWORD value) override;
    bool SetString(const char* name, const std::string& value) override;
    bool SetBinary(const char* name, const BYTE* data, DWORD size) override;

private:
    bool Query(const char* name, DWORD type, std::vector<BYTE>* data);
    bool SetAll(const char* name, DWORD type, const BYTE* data, DWORD size);

    DWORD m_card;
};
