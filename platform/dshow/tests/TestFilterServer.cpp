// A filter DLL built from the base classes, serving the test sink, for the registration tests.
#include "ComServer.h"
#include "TestGuids.h"
#include "TestSink.h"

namespace {

const REGPINTYPES kSinkTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_NULL}};
WCHAR kSinkPinName[] = L"In";
const REGFILTERPINS kSinkPins[] = {
    // name         rendered output zero   many   connects to   pin      types
    {kSinkPinName, TRUE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kSinkTypes},
};
const CComServer::FilterEntry kSinkFilter = {&CATEGORY_DshowTest, MERIT_DO_NOT_USE, L"DshowBaseTest-Sink", 1,
                                             kSinkPins};
const CComServer::ClassEntry kClasses[] = {
    {&CLSID_DshowTestSink, L"Dshow Base Test Sink", &CTestSink::Create, &kSinkFilter},
};

} // namespace

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
