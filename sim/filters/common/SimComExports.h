#pragma once

#include "ComServer.h"

#include <new>

// A stand-in module's four COM server entry points over its class table.
#define SIM_COM_EXPORTS(classes)                                                                                       \
    STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)                                                   \
    {                                                                                                                  \
        return CComServer::GetClassObject(classes, clsid, iid, out);                                                   \
    }                                                                                                                  \
    STDAPI DllCanUnloadNow() { return CComServer::CanUnloadNow(); }                                                    \
    STDAPI DllRegisterServer() { return CComServer::RegisterServer(classes); }                                         \
    STDAPI DllUnregisterServer() { return CComServer::UnregisterServer(classes); }

// The class table's maker of a stand-in class over its outer-object constructor.
template <class T>
CComIdentity* SimCreate(IUnknown* outer, HRESULT* result)
{
    T* object = new (std::nothrow) T(outer);
    *result = object ? S_OK : E_OUTOFMEMORY;
    return object;
}
