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
    return AttachToFilter(NewAccess(), kPropertySet);
}
