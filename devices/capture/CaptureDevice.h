#pragma once

#include <windows.h>

class CI2CAccess;

// The capture device as far as the remote-key poll thread and the tuner model use it; the
// rest of the class lands with the capture-device library.
class CCaptureDevice
{
public:
    // The card's register, GPIO and I2C access object; NULL while the device is not open.
    CI2CAccess* GetI2CAccess() const;
    // The window that receives WM_REMOTE_KEY.
    HWND GetNotifyWnd() const;
    int GetPollInterval() const;

    // FALSE when no key is pressed.
    virtual BOOL ReadRemoteKey(BYTE* key);
    // The video decoder's horizontal lock; *locked is non-zero while a picture is locked.
    HRESULT IsSignalLocked(long* locked);
};
