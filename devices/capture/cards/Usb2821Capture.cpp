#include "Usb2821Capture.h"

#include "UsbBridgeI2C.h"

namespace
{
const BYTE kEepromLetterOffset = 0xD0;
const BYTE kEepromModelOffset = 0xD1;

// The library's results count as done unless negative or one of its own refusals.
BOOL Done(HRESULT hr)
{
    return hr >= 0 && hr != CUsbDeviceAccess::kRefused && hr != CUsbDeviceAccess::kClosed &&
           hr != CUsbDeviceAccess::kNoValue;
}
}

BOOL CUsb2821Capture::CreateTuner()
{
    SetEepromOffsets(kEepromLetterOffset, kEepromModelOffset);
    return CUsbBridgeCapture::CreateTuner();
}

CUsbDeviceAccess* CUsb2821Capture::Library()
{
    CUsbBridgeI2C* bridge = dynamic_cast<CUsbBridgeI2C*>(GetI2CAccess());
    return bridge ? &bridge->Library() : NULL;
}

BOOL CUsb2821Capture::ReadIndirectRegister(BYTE reg, BYTE* buffer)
{
    CUsbDeviceAccess* library = Library();
    return library && Done(library->ReadIndirectRegister(reg, buffer));
}

BOOL CUsb2821Capture::WriteIndirectRegister(BYTE reg, BYTE* buffer)
{
    CUsbDeviceAccess* library = Library();
    return library && Done(library->WriteIndirectRegister(reg, buffer));
}

BOOL CUsb2821Capture::GetProperty(DWORD id, void* buffer)
{
    CUsbDeviceAccess* library = Library();
    return library && library->GetPropertyOk(id, buffer);
}

BOOL CUsb2821Capture::SetProperty(DWORD id, void* value)
{
    CUsbDeviceAccess* library = Library();
    return library && library->SetPropertyOk(id, value);
}
