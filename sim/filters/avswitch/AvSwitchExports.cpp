// The A/V switch module's COM server entry points.
#include "CSimAvSwitchFilter.h"
#include "ComServer.h"

namespace
{
// Made by class identifier only: never offered to intelligent connect.
const CComServer::FilterEntry FILTER = { &CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr };
const CComServer::ClassEntry CLASSES[] = {
    { &CLSID_SimAvSwitch, L"Quorvex AV Switch", CSimAvSwitchFilter::Create, &FILTER },
};
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return CComServer::GetClassObject(CLASSES, clsid, iid, out);
}

STDAPI DllCanUnloadNow()
{
    return CComServer::CanUnloadNow();
}

STDAPI DllRegisterServer()
{
    return CComServer::RegisterServer(CLASSES);
}

STDAPI DllUnregisterServer()
{
    return CComServer::UnregisterServer(CLASSES);
}
