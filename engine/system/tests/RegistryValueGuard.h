#pragma once

#include <windows.h>

#include <string>

// Keeps a text value of HKLM as it was before a test and puts it back afterwards (removing it
// when it was missing), so tests leave the prefix's Run and Winlogon values alone.
class RegistryValueGuard
{
public:
    RegistryValueGuard(const char* subkey, const char* name);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

    // The value's text now; `exists` tells whether there is a value at all.
    static std::string Read(const char* subkey, const char* name, bool* exists = nullptr);
    static void Remove(const char* subkey, const char* name);

private:
    std::string m_subkey;
    std::string m_name;
    bool m_existed;
    std::string m_text;
};
