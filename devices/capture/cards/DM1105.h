#pragma once

#include <windows.h>

// The DVB-C card's chip library (DM1105.dll), linked by name. EEPROM offsets and counts
// must stay within its 128 bytes; every function answers non-zero when it did its work.
typedef void(CALLBACK* DM_KEYPROC)(DWORD context, DWORD key);

extern "C" {
BOOL WINAPI ReadEEPROM(int offset, BYTE* data, int count);
BOOL WINAPI WriteEEPROM(int offset, const BYTE* data, int count);
BOOL WINAPI WritePortBYTE(int port, BYTE value);
// The library calls proc on a thread of its own for each remote key, until unregistered.
BOOL WINAPI RegIRkeyCallback(DM_KEYPROC proc, DWORD context);
// Returns once no call of the key procedure runs any more.
BOOL WINAPI UnregIRkeyCallback();
}
