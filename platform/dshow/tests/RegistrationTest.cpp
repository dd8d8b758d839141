// Registering a filter DLL built from the base classes in the prefix, finding it through
// the system device enumerator, and unregistering it.
#include "ComRef.h"
#include "DshowTest.h"
#include "TestGuids.h"

#include <string>

namespace {

using ServerCall = HRESULT(STDAPICALLTYPE*)();

class RegistrationTest : public DshowTest
{
protected:
    void SetUp() override
    {
        DshowTest::SetUp();
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        dllPath = path;
        dllPath = dllPath.substr(0, dllPath.rfind('\\') + 1) + "dshowbase_testserver.ax";
        dll = LoadLibraryA(dllPath.c_str());
        ASSERT_NE(nullptr, dll) << dllPath;
        registerServer = reinterpret_cast<ServerCall>((void*)GetProcAddress(dll, "DllRegisterServer"));
        unregisterServer = reinterpret_cast<ServerCall>((void*)GetProcAddress(dll, "DllUnregisterServer"));
        canUnloadNow = reinterpret_cast<ServerCall>((void*)GetProcAddress(dll, "DllCanUnloadNow"));
        ASSERT_TRUE(registerServer && unregisterServer && canUnloadNow);
    }

    void TearDown() override
    {
        if (unregisterServer)
            unregisterServer();
        if (dll)
            FreeLibrary(dll);
        DshowTest::TearDown();
    }

    // The device of the test category with that FriendlyName, or null.
    CComRef<IMoniker> FindDevice(const WCHAR* friendlyName)
    {
        CComRef<ICreateDevEnum> devices;
        CComRef<IEnumMoniker> monikers;
        if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                    devices.ReceiveVoid()))
            || devices->CreateClassEnumerator(CATEGORY_DshowTest, monikers.Receive(), 0) != S_OK)
            return CComRef<IMoniker>();
        CComRef<IMoniker> moniker;
        while (monikers->Next(1, moniker.Receive(), nullptr) == S_OK) {
            CComRef<IPropertyBag> bag;
            if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.ReceiveVoid())))
                continue;
            VARIANT name;
            VariantInit(&name);
            bool match = SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR
                && lstrcmpW(name.bstrVal, friendlyName) == 0;
            VariantClear(&name);
            if (match)
                return moniker;
        }
        return CComRef<IMoniker>();
    }

    std::string ClassValue(const char* subkey, const char* value)
    {
        std::string path = std::string("CLSID\\{CADC6BDF-60C3-403D-93CD-A090B895E134}") + subkey;
        char data[MAX_PATH] = {};
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>";
        DWORD bytes = sizeof(data);
        LONG err = RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &bytes);
        RegCloseKey(key);
        return err == ERROR_SUCCESS ? data : "<no value>";
    }

    std::string dllPath;
    HMODULE dll = nullptr;
    ServerCall registerServer = nullptr;
    ServerCall unregisterServer = nullptr;
    ServerCall canUnloadNow = nullptr;
};

TEST_F(RegistrationTest, RegisteredFilterIsFoundByFriendlyNameUntilUnregistered)
{
    ASSERT_EQ(S_OK, registerServer());
    EXPECT_EQ("Dshow Base Test Sink", ClassValue("", nullptr));
    EXPECT_EQ(0, lstrcmpiA(dllPath.c_str(), ClassValue("\\InprocServer32", nullptr).c_str()));
    EXPECT_EQ("Both", ClassValue("\\InprocServer32", "ThreadingModel"));

    CComRef<IMoniker> device = FindDevice(L"Dshow Base Test Sink");
    ASSERT_TRUE(device);
    CComRef<IBaseFilter> filter;
    ASSERT_EQ(S_OK, device->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.ReceiveVoid()));
    CLSID clsid;
    ASSERT_EQ(S_OK, filter->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_DshowTestSink, clsid));
    EXPECT_EQ(S_FALSE, canUnloadNow()) << "a filter of the DLL is alive";
    filter.Reset();
    device.Reset();
    EXPECT_EQ(S_OK, canUnloadNow());

    ASSERT_EQ(S_OK, unregisterServer());
    EXPECT_FALSE(FindDevice(L"Dshow Base Test Sink"));
    EXPECT_EQ("<no key>", ClassValue("", nullptr));
    EXPECT_EQ(S_OK, unregisterServer()) << "unregistering what is gone is not an error";
}

} // namespace
