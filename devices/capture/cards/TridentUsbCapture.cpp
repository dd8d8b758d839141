#include "TridentUsbCapture.h"

#include "I2CAccess.h"

HRESULT CTridentUsbCapture::ResetBridge()
{
    CI2CAccess* access = GetI2CAccess();
    return access ? access->SetControlLine(0) : E_FAIL;
}
