#include "DM1105.h"

#include "CSimLog.h"
#include "CSimSwitches.h"

#include <stdlib.h>

#include <string>
#include <vector>

// The DVB-C chip library. Its values live in HKLM\Software\Sim\dm1105: "Eeprom" (BINARY, the
// card's 128 bytes, 0xFF where never written) and "KeyQueue" (SZ, hex key codes "C3 45" that
// the key thread takes out and hands to the registered procedure). Log "dm1105".
namespace
{
const char kModule[] = "dm1105";
const char kKeyName[] = "Software\\Sim\\dm1105";
const int kEepromSize = 128;
const DWORD kQueuePollMs = 50;
const DWORD kKeySpacingMs = 200;

const CSimLog& Log()
{
    static const CSimLog log(kModule, CSimSwitches(kModule).TraceLevel());
    return log;
}

bool InEeprom(int offset, const void* data, int count)
{
    return data && count >= 1 && offset >= 0 && offset + count <= kEepromSize;
}

void LoadEeprom(BYTE* eeprom)
{
    memset(eeprom, 0xFF, kEepromSize);
    DWORD size = kEepromSize;
    RegGetValueA(HKEY_LOCAL_MACHINE, kKeyName, "Eeprom", RRF_RT_REG_BINARY, NULL, eeprom, &size);
}

bool StoreEeprom(const BYTE* eeprom)
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyName, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return false;
    bool stored = RegSetValueExA(key, "Eeprom", 0, REG_BINARY, eeprom, kEepromSize) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}

// Empties the queue and returns the keys it held.
std::vector<DWORD> TakeQueuedKeys()
{
    std::vector<DWORD> keys;
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyName, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return keys;
    char text[512] = {0};
    DWORD size = sizeof(text) - 1, type = 0;
    if (RegQueryValueExA(key, "KeyQueue", NULL, &type, (BYTE*)text, &size) == ERROR_SUCCESS && type == REG_SZ &&
        text[0]) {
        RegSetValueExA(key, "KeyQueue", 0, REG_SZ, (const BYTE*)"", 1);
        char* next = text;
        for (;;) {
            char* end = NULL;
            unsigned long code = strtoul(next, &end, 16);
            if (end == next)
                break;
            keys.push_back(code & 0xFF);
            next = end;
        }
    }
    RegCloseKey(key);
    return keys;
}

// The registered procedure and the thread that calls it. Only the registering and
// unregistering calls touch these, from the caller's thread; the key thread reads the
// procedure and context, which stay fixed while it runs.
DM_KEYPROC g_proc;
DWORD g_context;
HANDLE g_thread;
// Signalled by UnregIRkeyCallback, waited on by the key thread between its polls.
HANDLE g_stop;

DWORD WINAPI KeyThread(void*)
{
    while (WaitForSingleObject(g_stop, kQueuePollMs) == WAIT_TIMEOUT) {
        for (DWORD code : TakeQueuedKeys()) {
            Log().Line("K %02lX", code);
            g_proc(g_context, code);
            if (WaitForSingleObject(g_stop, kKeySpacingMs) != WAIT_TIMEOUT)
                return 0;
        }
    }
    return 0;
}

void StopKeyThread()
{
    if (!g_thread)
        return;
    SetEvent(g_stop);
    WaitForSingleObject(g_thread, INFINITE);
    CloseHandle(g_thread);
    CloseHandle(g_stop);
    g_thread = NULL;
    g_stop = NULL;
}
}

extern "C" BOOL WINAPI ReadEEPROM(int offset, BYTE* data, int count)
{
    if (!InEeprom(offset, data, count)) {
        Log().Line("! read %d+%d", offset, count);
        return FALSE;
    }
    BYTE eeprom[kEepromSize];
    LoadEeprom(eeprom);
    memcpy(data, eeprom + offset, count);
    Log().Line("E read %d+%d", offset, count);
    return TRUE;
}

extern "C" BOOL WINAPI WriteEEPROM(int offset, const BYTE* data, int count)
{
    if (!InEeprom(offset, data, count)) {
        Log().Line("! write %d+%d", offset, count);
        return FALSE;
    }
    BYTE eeprom[kEepromSize];
    LoadEeprom(eeprom);
    memcpy(eeprom + offset, data, count);
    Log().Line("E write %d+%d", offset, count);
    return StoreEeprom(eeprom);
}

extern "C" BOOL WINAPI WritePortBYTE(int port, BYTE value)
{
    Log().Line("P %02X <- %02X", port, value);
    return TRUE;
}

extern "C" BOOL WINAPI RegIRkeyCallback(DM_KEYPROC proc, DWORD context)
{
    StopKeyThread();
    g_proc = proc;
    g_context = context;
    Log().Line("C register");
    if (!proc)
        return TRUE;
    g_stop = CreateEventA(NULL, TRUE, FALSE, NULL);
    g_thread = g_stop ? CreateThread(NULL, 0, KeyThread, NULL, 0, NULL) : NULL;
    if (!g_thread && g_stop) {
        CloseHandle(g_stop);
        g_stop = NULL;
    }
    return g_thread != NULL;
}

extern "C" BOOL WINAPI UnregIRkeyCallback()
{
    StopKeyThread();
    g_proc = NULL;
    Log().Line("C unregister");
    return TRUE;
}
