#pragma once

#include "ISimValues.h"

#include <dshow.h>

// The instance values as the device enumerator's property bag hands them to a filter.
// Read-only: the bag is the registry's copy, written by registration and the commands.
class CSimBagValues : public ISimValues
{
public:
    explicit CSimBagValues(IPropertyBag* bag);

    bool GetDword(const char* name, DWORD* value) override;
    bool GetString(const char* name, std::string* value) override;
    bool GetBinary(const char* name, std::vector<BYTE>* value) override;
    bool SetDword(const char*, DWORD) override { return false; }
    bool SetString(const char*, const std::string&) override { return false; }
    bool SetBinary(const char*, const BYTE*, DWORD) override { return false; }

private:
    bool Read(const char* name, VARIANT* value);

    IPropertyBag* m_bag;    // weak: valid for the Load call that made this
};
