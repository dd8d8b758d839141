#include "MiroxCapture.h"

#include "DeviceIoI2C.h"
#include "NamedMutex.h"

#include <new>

namespace {

const char kRemoteMutexName[] = "Mutex_Remote_Control";

} // namespace

BOOL CMiroxCapture::InitDevice()
{
    SetTunerInfo(kSystemLetter, kTunerModel);
    if (!CFilterWrapper::Init())
        return FALSE;
    FindCapturePins();
    CNamedMutex mutex(kRemoteMutexName, FALSE);
    if (!mutex.Lock())
        return FALSE;
    BOOL opened = SUCCEEDED(OpenDeviceAccess()) && GetI2CAccess();
    BOOL created = opened && CreateTuner();
    mutex.Unlock();
    return created;
}

HRESULT CMiroxCapture::OpenDeviceAccess()
{
    HRESULT hr = OpenAccess(new (std::nothrow) CDeviceIoI2C(), kNotOpen, GetFilter(), NULL);
    FindUpstreamFilters(TRUE);
    return hr;
}

BOOL CMiroxCapture::ReadRemoteKey(BYTE* key)
{
    return ReadKeyController(kKeyController, kKeyWaiting, kKeyCode, key);
}

HRESULT CMiroxCapture::IsSignalLocked(long* locked)
{
    if (!locked)
        return E_POINTER;
    *locked = 1;
    return S_OK;
}

BOOL CMiroxCapture::ClearRemoteKey()
{
    CI2CAccess* access = GetI2CAccess();
    return access && SUCCEEDED(access->WriteByte(kKeyController, kKeyCode, kNoKey));
}
