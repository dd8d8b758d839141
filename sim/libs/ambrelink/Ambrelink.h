#pragma once

#include <windows.h>

// The remote-service control library: it installs, starts and reports the remote-control
// service "RemoteControlService". Loaded by name; every export is WINAPI with an undecorated
// name.
#ifdef __cplusplus
extern "C" {
#endif

// state: the service's current state (4 = running), or 1060 when it is not installed.
// Non-zero when the state was read.
int WINAPI RSGetStatus(DWORD* state);
// Non-zero when the service runs.
int WINAPI RSStart(void);
// Non-zero when the service is installed (newly or already).
int WINAPI RSInstall(void);
// Non-zero when the service is gone (removed now, or never installed).
int WINAPI RSUnInstall(void);

#ifdef __cplusplus
}
#endif
