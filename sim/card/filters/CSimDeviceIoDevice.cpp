#include "CSimDeviceIoDevice.h"

#include "CSimText.h"

#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace
{
const char INTERFACE_CLASS[] = "{4F397D29-7F2F-42A9-AB90-1791384014C4}";
// The device's setup class: media devices.
const char DEVICE_CLASS[] = "{4D36E96C-E325-11CE-BFC1-08002BE10318}";
const char DEVICE_CLASSES[] = "System\\CurrentControlSet\\Control\\DeviceClasses\\";
const char ENUM_ROOT[] = "System\\CurrentControlSet\\Enum\\ROOT\\SIMDEVIO";
const char SERVICE_NAME[] = "SimDevIo";
const char DRIVER_FILE[] = "simdevio.sys";

std::string DeviceKey(DWORD card)
{
    return std::string(ENUM_ROOT) + CSimText::Format("\\%04lu", card);
}

std::string InstanceId(DWORD card)
{
    return CSimText::Format("ROOT\\SIMDEVIO\\%04lu", card);
}

// The interface's key under its class: the symbolic link with '\' as '#'.
std::string InterfaceKey(DWORD card)
{
    return std::string(DEVICE_CLASSES) + INTERFACE_CLASS + "\\##?#" +
           CSimText::Format("ROOT#SIMDEVIO#%04lu#", card) + INTERFACE_CLASS;
}

HRESULT SetValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY handle = NULL;
    LONG error = RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &handle, NULL);
    if (error == ERROR_SUCCESS) {
        error = RegSetValueExA(handle, name, 0, type, (const BYTE*)data, size);
        RegCloseKey(handle);
    }
    return HRESULT_FROM_WIN32(error);
}

HRESULT SetText(const std::string& key, const char* name, const std::string& text)
{
    return SetValue(key, name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

std::string DriverPath()
{
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA((HMODULE)&__ImageBase, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + DRIVER_FILE;
}

HRESULT StartDriver()
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (manager == NULL)
        return HRESULT_FROM_WIN32(GetLastError());
    std::string path = DriverPath();
    SC_HANDLE service = CreateServiceA(manager, SERVICE_NAME, SERVICE_NAME, SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
                                       SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, path.c_str(), NULL, NULL, NULL,
                                       NULL, NULL);
    if (service == NULL && GetLastError() == ERROR_SERVICE_EXISTS) {
        service = OpenServiceA(manager, SERVICE_NAME, SERVICE_ALL_ACCESS);
        // The module may have moved since the service was entered.
        if (service != NULL)
            ChangeServiceConfigA(service, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, path.c_str(), NULL,
                                 NULL, NULL, NULL, NULL, NULL);
    }
    HRESULT hr = S_OK;
    if (service == NULL)
        hr = HRESULT_FROM_WIN32(GetLastError());
    else if (!StartServiceA(service, 0, NULL) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
        hr = HRESULT_FROM_WIN32(GetLastError());
    if (service != NULL)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return hr;
}
}

HRESULT CSimDeviceIoDevice::Publish(DWORD card)
{
    std::string iface = InterfaceKey(card);
    std::string link = "\\\\?\\" + CSimText::Format("ROOT#SIMDEVIO#%04lu#", card) + INTERFACE_CLASS;
    const DWORD linked = 1;
    HRESULT hr = SetText(DeviceKey(card), "ClassGUID", DEVICE_CLASS);
    if (SUCCEEDED(hr))
        hr = SetText(iface, "DeviceInstance", InstanceId(card));
    if (SUCCEEDED(hr))
        hr = SetText(iface + "\\#", "SymbolicLink", link);
    if (SUCCEEDED(hr))
        hr = SetValue(iface + "\\#\\Control", "Linked", REG_DWORD, &linked, sizeof(linked));
    return SUCCEEDED(hr) ? StartDriver() : hr;
}

HRESULT CSimDeviceIoDevice::Withdraw(DWORD card)
{
    // Innermost first; a card entered without its device has none of them.
    std::string iface = InterfaceKey(card);
    for (const std::string& key : {iface + "\\#\\Control", iface + "\\#", iface, DeviceKey(card)})
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    return S_OK;
}
