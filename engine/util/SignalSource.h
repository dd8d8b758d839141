#pragma once

#include <windows.h>

// What the tuner model and the remote-key poll thread read of the capture device that owns
// them: the picture lock and the remote-control receiver. The capture device implements it;
// the libraries below the device know it only through this interface.
class ISignalSource
{
public:
    // A failed HRESULT when the device cannot tell; else *locked is the picture-lock flag.
    virtual HRESULT IsSignalLocked(long* locked) = 0;
    // FALSE when no key waits or the receiver cannot be read.
    virtual BOOL ReadRemoteKey(BYTE* key) = 0;
    // FALSE while the device has no register access, so no key can be read.
    virtual BOOL CanReadRemoteKey() const = 0;
    // The window that receives WM_REMOTE_KEY.
    virtual HWND GetNotifyWnd() const = 0;
    // Milliseconds between two reads of the receiver.
    virtual int GetPollInterval() const = 0;
    // How the device reaches its chips (the access mode it was opened with); a tuner that
    // drives its chip differently per transport reads it.
    virtual int GetAccessMode() const = 0;

protected:
    // Never deleted through the interface: the device's owner deletes the device.
    ~ISignalSource() {}
};
