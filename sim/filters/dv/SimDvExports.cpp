// The DV device module's COM server entry points. Its filter stands in the video input
// category under the system DV filter's FriendlyName, which is how the program finds it.
#include "CSimDvFilter.h"

#include "ComServer.h"

#include <uuids.h>

namespace
{
const CComServer::FilterEntry kFilter = {&CLSID_VideoInputDeviceCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimDvCamera, L"Microsoft DV Camera and VCR", CSimDvFilter::Create, &kFilter},
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
