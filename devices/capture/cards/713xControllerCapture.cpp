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
    HRESULT hr = OpenAccess(NewAccess(), kPropertySet, GetFilter(), this);
    if (FAILED(hr))
        return hr;
    return GetI2CAccess()->SendBusControl(1) == S_OK ? S_OK : E_FAIL;
}
