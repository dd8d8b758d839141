#include "713xIoCapture.h"

#include "I2CAccess.h"

CI2CAccess* C713xIoCapture::EnsureAccess()
{
    if (GetI2CAccess() && GetAccessMode() == kPropertySet)
        return GetI2CAccess();
    if (FAILED(OpenDeviceAccess()) || GetAccessMode() != kPropertySet) {
        CloseDeviceAccess();
        return NULL;
    }
    return GetI2CAccess();
}

BOOL C713xIoCapture::Checked(HRESULT hr)
{
    if (FAILED(hr)) {
        CloseDeviceAccess();
        return FALSE;
    }
    return TRUE;
}

BOOL C713xIoCapture::SetDriverValue(DWORD value)
{
    CI2CAccess* access = EnsureAccess();
    return access && Checked(access->SetProperty10(value));
}

BOOL C713xIoCapture::SetDeviceCallback(void (*callback)(void*))
{
    CI2CAccess* access = EnsureAccess();
    if (!access)
        return FALSE;
    StoreDeviceCallback(callback);
    // The driver keeps the event by its handle value, which fits the property's DWORD.
    HANDLE event = RenewDeviceEvent();
    return event && Checked(access->SetProperty7((DWORD)(ULONG_PTR)event));
}

BOOL C713xIoCapture::StartDeviceNotify(DWORD value)
{
    CI2CAccess* access = EnsureAccess();
    if (!access)
        return FALSE;
    DeleteNotifyThread();
    return Checked(access->SetProperty8(value)) && StartNotifyThread();
}

BOOL C713xIoCapture::StopDeviceNotify()
{
    CI2CAccess* access = EnsureAccess();
    if (!access)
        return FALSE;
    DeleteNotifyThread();
    return Checked(access->SendProperty9());
}
