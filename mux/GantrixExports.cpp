// The module's entry points: the COM server over its two classes, registered with the filter
// mapper under the multiplexer category.
#include "CMpegMuxFilter.h"
#include "CMpegMuxPropertyPage.h"
#include "ComServer.h"
#include "GantrixModule.h"
#include "MpegMuxInterfaces.h"
#include "MuxGuids.h"
#include "MuxMediaTypes.h"

namespace
{

WCHAR kInputPinName[] = L"Input";
WCHAR kOutputPinName[] = L"Output";

const REGFILTERPINS kPins[] = {
    // name, rendered, output, zero, many, connects to filter, connects to pin, types
    {kInputPinName, FALSE, FALSE, FALSE, TRUE, &CLSID_NULL, kOutputPinName, kMuxInputTypeCount, MuxInputMediaTypes},
    {kOutputPinName, FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, kInputPinName, kMuxOutputTypeCount, MuxOutputMediaTypes},
};

// The filter's name is its instance name under the category too.
const CComServer::FilterEntry kFilter = {&KSCATEGORY_MULTIPLEXER, MERIT_DO_NOT_USE, CGantrixModule::FilterName(), 2,
                                         kPins};

// The names are filled in at process attach, before any entry point runs.
const CComServer::ClassEntry kClasses[] = {
    {&CLSID_MpegMultiplexer, CGantrixModule::FilterName(), CMpegMuxFilter::Create, &kFilter},
    {&CLSID_MpegMultiplexerPropertyPage, CGantrixModule::PageName(), CMpegMuxPropertyPage::Create, nullptr},
};

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        CGantrixModule::Attach(instance);
    }
    return TRUE;
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
