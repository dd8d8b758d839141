#pragma once

#include <windows.h>

#include <string>

// A stand-in module's switches, HKLM\Software\Sim\<module>, read once when an object is
// made: "Trace" (0 off, 1 default, 2 one line per sample), "Omit" (interface names that
// QueryInterface refuses, separated by blanks or commas) and the module's own values.
class CSimSwitches
{
public:
    explicit CSimSwitches(const char* module);

    DWORD TraceLevel() const { return m_trace; }
    bool Omits(const char* interfaceName) const;

    DWORD Dword(const char* name, DWORD fallback) const;
    std::string Text(const char* name, const char* fallback) const;

private:
    bool Query(const char* name, DWORD* type, void* data, DWORD* size) const;

    std::string m_key;
    DWORD m_trace;
    std::string m_omit;
};
