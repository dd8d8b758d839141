// The module's exports: the COM server entry points. The AVI multiplexer enters itself under
// the system's AVI Mux class through TreatAs; the Dump writer has its own class.
#include "CSimAviMux.h"
#include "CSimDumpFilter.h"
#include "CSimTreatAs.h"
#include "SimComExports.h"

namespace
{
// {E2510970-F137-11CE-8B67-00AA00A3F1A6}
const CLSID CLSID_SystemAviMux = { 0xE2510970, 0xF137, 0x11CE, { 0x8B, 0x67, 0x00, 0xAA, 0x00, 0xA3, 0xF1, 0xA6 } };

// Made by class identifier only: never offered to intelligent connect.
const CComServer::FilterEntry FILTER = { &CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr };
const CComServer::ClassEntry CLASSES[] = {
    { &CLSID_SimAviMux, L"Sim AVI Mux", SimCreate<CSimAviMux>, &FILTER },
    { &CLSID_SimDump, L"Dump", SimCreate<CSimDumpFilter>, &FILTER },
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
    HRESULT hr = CComServer::RegisterServer(CLASSES);
    return SUCCEEDED(hr) ? CSimTreatAs::Set(CLSID_SystemAviMux, CLSID_SimAviMux) : hr;
}

STDAPI DllUnregisterServer()
{
    CSimTreatAs::Clear(CLSID_SystemAviMux, CLSID_SimAviMux);
    return CComServer::UnregisterServer(CLASSES);
}
