#include "Usb2881Capture.h"

#include "UsbBridgeI2C.h"

#include <new>

namespace
{
const char kCaptureName[] = "USB 2881 Video";
const char kTunerFilterName[] = "USB 2881 TVTuner";
}

void CUsb2881Capture::Configure()
{
    SetBoxName(kCaptureName);
    SetTunerFilterName(kTunerFilterName);
}

HRESULT CUsb2881Capture::OpenDeviceAccess()
{
    SetAccess(NULL, kNotOpen);
    return OpenAccess(new (std::nothrow) CUsbBridgeI2C(), kUsb2881Bridge, NULL, (void*)kCaptureName);
}
