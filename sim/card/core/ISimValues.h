#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Named instance values of a card: the registry under the card's instance keys, or the
// property bag that the device enumerator hands to a filter.
class ISimValues
{
public:
    virtual ~ISimValues() {}
    virtual bool GetDword(const char* name, DWORD* value) = 0;
    virtual bool GetString(const char* name, std::string* value) = 0;
    virtual bool GetBinary(const char* name, std::vector<BYTE>* value) = 0;
    virtual bool SetDword(const char* name, DWORD value) = 0;
    virtual bool SetString(const char* name, const std::string& value) = 0;
    virtual bool SetBinary(const char* name, const BYTE* data, DWORD size) = 0;
};
