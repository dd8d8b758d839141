#include "FakeCaptureDevice.h"

#include "NullI2C.h"

FakeCaptureDevice::FakeCaptureDevice() : CCaptureDevice(NULL, (IBaseFilter*)NULL)
{
}

void FakeCaptureDevice::SetAccessPresent(bool present)
{
    SetAccess(present ? new CNullI2C() : NULL, kPropertySet);
}

BOOL FakeCaptureDevice::ReadRemoteKey(BYTE* read)
{
    InterlockedIncrement(&reads);
    if (!keyPressed)
        return FALSE;
    *read = key;
    return TRUE;
}
