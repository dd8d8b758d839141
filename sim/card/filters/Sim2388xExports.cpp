// The module's exports: the COM server entry points and the test-control command.
#include "CSimCardTable.h"
#include "CSimCommandInterpreter.h"
#include "CSimInstanceKeys.h"
#include "CSimRegistration.h"

#include <string.h>

#include <memory>

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    size_t count = 0;
    const CComServer::ClassEntry* classes = CSimRegistration::Classes(&count);
    return CComServer::GetClassObject(classes, count, clsid, iid, out);
}

STDAPI DllCanUnloadNow()
{
    return CComServer::CanUnloadNow();
}

STDAPI DllRegisterServer()
{
    return CSimRegistration::RegisterDefault();
}

STDAPI DllUnregisterServer()
{
    return CSimRegistration::UnregisterDefault();
}

STDAPI DllInstall(BOOL install, LPCWSTR commandLine)
{
    char text[1024] = "";
    if (commandLine != nullptr &&
        WideCharToMultiByte(CP_ACP, 0, commandLine, -1, text, sizeof(text), nullptr, nullptr) == 0)
        return E_INVALIDARG;
    return CSimRegistration::Install(install != FALSE, text);
}

// Runs one control command on card `card`; the answer goes to out as key=value lines.
extern "C" HRESULT WINAPI SimCommand(int card, const char* command, char* out, DWORD cbOut)
{
    if (command == nullptr || card < 0 || card >= SIM_MAX_CARDS)
        return E_INVALIDARG;
    if (out != nullptr && cbOut > 0)
        out[0] = '\0';
    CSimCard* live = CSimCardTable::Find((DWORD)card);
    std::unique_ptr<CSimCard> opened;
    if (live == nullptr) {
        CSimCard* existing = nullptr;
        HRESULT hr = CSimCard::OpenShared((DWORD)card, nullptr, &existing);
        if (hr == E_FAIL)
            return hr;
        opened.reset(existing);
        live = existing;
    }
    CSimInstanceKeys values((DWORD)card);
    CSimCommandInterpreter interpreter((DWORD)card, live, values);
    std::string answer;
    HRESULT hr = interpreter.Execute(command, &answer);
    if (out == nullptr || cbOut == 0)
        return hr;
    size_t copied = answer.size() < cbOut ? answer.size() : cbOut - 1;
    memcpy(out, answer.data(), copied);
    out[copied] = '\0';
    if (SUCCEEDED(hr) && copied < answer.size())
        hr = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    return hr;
}

// The device-I/O family's controls on card `card`, as the driver in the system's driver host
// passes them on: 0 or the Win32 error its DeviceIoControl reports.
extern "C" DWORD WINAPI SimDeviceControl(DWORD card, DWORD code, const BYTE* in, DWORD inSize, BYTE* out,
                                         DWORD outSize, DWORD* returned)
{
    if (returned != nullptr)
        *returned = 0;
    if (card >= (DWORD)SIM_MAX_CARDS)
        return ERROR_DEVICE_NOT_CONNECTED;
    CSimCard* live = CSimCardTable::Find(card);
    std::unique_ptr<CSimCard> opened;
    if (live == nullptr) {
        // The driver host makes no filter: the card is there once a program has opened it.
        if (FAILED(CSimCard::OpenShared(card, nullptr, &live)))
            return ERROR_DEVICE_NOT_CONNECTED;
        opened.reset(live);
    }
    return live->DeviceControl(code, in, inSize, out, outSize, returned);
}
