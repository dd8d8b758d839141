// The USB boxes' audio companion module: one COM class, no filter.
#include "CSimEmpAudio.h"

#include "ComServer.h"

namespace
{
const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimEmpAudio, L"EMP audio companion", CSimEmpAudio::Create, nullptr},
};
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return CComServer::GetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow()
{
    return CComServer::CanUnloadNow();
}

STDAPI DllRegisterServer()
{
    return CComServer::RegisterServer(kClasses);
}

STDAPI DllUnregisterServer()
{
    return CComServer::UnregisterServer(kClasses);
}
