#pragma once

#include "CaptureDevice.h"

// The USB boxes whose driver tunnels the box's bridge registers and I2C bus through a KS
// property: a key controller at I2C 0xBB, the EEPROM's configuration byte at offset 3, a
// choice of the capture pin's pixel format, and bridge registers whose meaning is the box
// driver's. Each box class names its row of the box table.
class CBridgeBoxCapture : public CCaptureDevice
{
public:
    enum BridgeBox { kTridVid, kTridentUsb, kUt800, kUt810, kBridgeBoxCount };
    // The key controller and its registers.
    enum { kKeyController = 0xBB, kKeyWaiting = 48, kKeyCode = 49 };
    // What ClearRemoteKey leaves in the key register.
    enum { kKeyCleared = 0xBB };
    enum { kEepromConfigOffset = 3 };
    enum { kRegister58 = 58, kRegister60 = 60, kRegister128 = 128 };

    using CCaptureDevice::CCaptureDevice;

    // The box's transport in its access mode, attached to the capture filter.
    HRESULT OpenDeviceAccess() override;
    // The EEPROM's letter and model as they are, without the base's fallbacks.
    void ReadTunerInfo() override;
    BYTE ReadEepromConfigByte() override;
    BOOL ReadRemoteKey(BYTE* key) override;

    // TRUE when bit 0 is clear, or when the register cannot be read.
    BOOL IsRegister58Clear();
    // TRUE when bit 0 is set, or when the register cannot be read.
    BOOL IsRegister60Set();
    BOOL WriteBridgeRegister128(BYTE value);
    // FALSE without an access object or when the transport fails.
    BOOL WriteBridgeRegister(BYTE reg, BYTE value);
    BOOL ReadBridgeRegister(BYTE reg, BYTE* value);
    // TRUE when the key register took the cleared value.
    BOOL ClearRemoteKey();
    // Whether the configuration byte marks the box's model variant (the box table's rule).
    BOOL IsModelByte();

    // Subtype codes 0 RGB555, 1 RGB24, 2 YUY2, 3 YVU9, 4 YV12; any other code UYVY. E_FAIL
    // without a filter or a capture graph builder.
    HRESULT SetCaptureFormat(const CaptureFormat& format, int pin);

protected:
    virtual BridgeBox Box() const = 0;
};
