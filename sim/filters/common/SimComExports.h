#pragma once

#include "ComServer.h"

// A stand-in module's four COM server entry points over its class table.
#define SIM_COM_EXPORTS(classes)                                                                                       \
    STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)                                                   \
    {                                                                                                                  \
        return CComServer::GetClassObject(classes, clsid, iid, out);                                                   \
    }                                                                                                                  \
    STDAPI DllCanUnloadNow() { return CComServer::CanUnloadNow(); }                                                    \
    STDAPI DllRegisterServer() { return CComServer::RegisterServer(classes); }                                         \
    STDAPI DllUnregisterServer() { return CComServer::UnregisterServer(classes); }
