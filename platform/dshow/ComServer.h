#pragma once

#include <dshow.h>

class CComIdentity;

// The module's COM server: its table of classes, the class-object and unload entry points
// and the registration of its classes and filters. A filter DLL exports the Dll* entry
// points and implements each one by calling the function of the same purpose here with
// its own class table.
class CComServer
{
public:
    // Makes one object at reference count 1, or returns null and sets *result.
    // outer is the controlling unknown when aggregated, else null.
    using CreateFunction = CComIdentity* (*)(IUnknown* outer, HRESULT* result);

    // How a filter class is entered with the filter mapper.
    struct FilterEntry
    {
        const CLSID* category;
        DWORD merit;
        const WCHAR* instanceKey; // null: the mapper uses the CLSID's string
        ULONG pinCount;
        const REGFILTERPINS* pins;
    };

    struct ClassEntry
    {
        const CLSID* clsid;
        const WCHAR* name;          // the class key's default value and the FriendlyName
        CreateFunction create;
        const FilterEntry* filter;  // null: a COM class only (a property page)
    };

    static HRESULT GetClassObject(const ClassEntry* classes, size_t count, REFCLSID clsid, REFIID iid, void** out);
    // S_OK once no object of this module and no server lock is left.
    static HRESULT CanUnloadNow();
    // The class keys (InprocServer32 = this module, ThreadingModel "Both"), then the filters.
    static HRESULT RegisterServer(const ClassEntry* classes, size_t count);
    // Removes both, in the same order, and carries on past entries that are already gone.
    static HRESULT UnregisterServer(const ClassEntry* classes, size_t count);

    template <size_t N>
    static HRESULT GetClassObject(const ClassEntry (&classes)[N], REFCLSID clsid, REFIID iid, void** out)
    {
        return GetClassObject(classes, N, clsid, iid, out);
    }
    template <size_t N>
    static HRESULT RegisterServer(const ClassEntry (&classes)[N]) { return RegisterServer(classes, N); }
    template <size_t N>
    static HRESULT UnregisterServer(const ClassEntry (&classes)[N]) { return UnregisterServer(classes, N); }

    // The module (DLL or program) this library is linked into.
    static HMODULE Module();

    // Counted by every CComIdentity and by IClassFactory::LockServer.
    static void ObjectCreated();
    static void ObjectDestroyed();
    static void LockServer(bool lock);
    static LONG LiveObjects();
};
