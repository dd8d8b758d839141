#include "FakeCaptureDevice.h"

CI2CAccess* FakeCaptureDevice::access = NULL;
HWND FakeCaptureDevice::notifyWnd = NULL;
int FakeCaptureDevice::pollInterval = 100;
BOOL FakeCaptureDevice::keyPressed = FALSE;
BYTE FakeCaptureDevice::key = 0;
volatile LONG FakeCaptureDevice::reads = 0;

void FakeCaptureDevice::Reset()
{
    access = NULL;
    notifyWnd = NULL;
    pollInterval = 100;
    keyPressed = FALSE;
    key = 0;
    reads = 0;
}

CI2CAccess* FakeCaptureDevice::SomeAccess()
{
    static int placeholder;
    return (CI2CAccess*)&placeholder;
}

CI2CAccess* CCaptureDevice::GetI2CAccess() const
{
    return FakeCaptureDevice::access;
}

HWND CCaptureDevice::GetNotifyWnd() const
{
    return FakeCaptureDevice::notifyWnd;
}

int CCaptureDevice::GetPollInterval() const
{
    return FakeCaptureDevice::pollInterval;
}

BOOL CCaptureDevice::ReadRemoteKey(BYTE* key)
{
    InterlockedIncrement(&FakeCaptureDevice::reads);
    if (!FakeCaptureDevice::keyPressed)
        return FALSE;
    *key = FakeCaptureDevice::key;
    return TRUE;
}
