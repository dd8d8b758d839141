#include "713xControllerCapture.h"

#include "KsPropertyI2CB.h"

#include <new>

CI2CAccess* C713xControllerCapture::NewAccess()
{
    return new (std::nothrow) CKsPropertyI2CB();
}

HRESULT C713xControllerCapture::OpenDeviceAccess()
{
    SetAccess(NULL, kNotOpen);
    if (!GetFilter())
        return E_POINTER;
    CI2CAccess* access = NewAccess();
    if (!access)
        return E_OUTOFMEMORY;
    HRESULT hr = access->Attach(GetFilter(), this);
    if (FAILED(hr)) {
        delete access;
        return hr;
    }
    SetAccess(access, kPropertySet);
    return access->SendBusControl(1) == S_OK ? S_OK : E_FAIL;
}
