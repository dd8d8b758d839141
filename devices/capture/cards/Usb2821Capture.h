#pragma once

#include "UsbBridgeCapture.h"

class CUsbDeviceAccess;

// The USB 2821 box, which keeps its tuner entry at 0xD0/0xD1 of its EEPROM and lets its
// callers reach the box library's indirect registers and properties.
class CUsb2821Capture : public CUsbBridgeCapture
{
public:
    using CUsbBridgeCapture::CUsbBridgeCapture;

    void Configure() override { SetBoxName("USB 2821 Video"); }
    // Moves the EEPROM's tuner entry to 0xD0/0xD1 for the reads that follow, then the base.
    BOOL CreateTuner() override;

    // Straight to the box library; FALSE without the bridge transport or when it fails.
    BOOL ReadIndirectRegister(BYTE reg, BYTE* buffer);
    BOOL WriteIndirectRegister(BYTE reg, BYTE* buffer);
    BOOL GetProperty(DWORD id, void* buffer);
    BOOL SetProperty(DWORD id, void* value);

private:
    CUsbDeviceAccess* Library();
};
