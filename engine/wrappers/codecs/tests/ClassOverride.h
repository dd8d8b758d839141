#pragma once

#include "ComRef.h"

#include <objbase.h>

// Makes CoCreateInstance of a class in this process yield objects of the test's choosing,
// for as long as the object lives: a class factory is registered under the class's CLSID.
class ClassOverride
{
public:
    // Each creation hands out the same object (it must be a filter made with refcount 1).
    ClassOverride(REFCLSID clsid, IUnknown* object);
    // The class as a module's DllGetClassObject gives it (a stand-in not registered in the prefix).
    ClassOverride(REFCLSID clsid, const char* modulePath);
    ~ClassOverride();
    ClassOverride(const ClassOverride&) = delete;
    ClassOverride& operator=(const ClassOverride&) = delete;

    bool Registered() const { return m_cookie != 0; }

private:
    void Register(REFCLSID clsid, IClassFactory* factory);

    DWORD m_cookie = 0;
    HMODULE m_module = nullptr;
};
