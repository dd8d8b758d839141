#pragma once

#include <windows.h>

// The capture drivers' private property sets that the transports speak.

// Registers, GPIO and I2C of the capture drivers: one request per transfer.
inline constexpr GUID kCaptureI2CSet =
    {0xFC8FACFF, 0x0293, 0x4CE3, {0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0}};

// The same requests on a later driver family's own set.
inline constexpr GUID kCaptureI2CExSet =
    {0xB9433C39, 0x8511, 0x4660, {0xA2, 0xED, 0xE0, 0x91, 0x14, 0x56, 0xDF, 0x74}};

// Bit-level I2C master and GPIO block, sent to the driver's object handle.
inline constexpr GUID kDeviceControlSet =
    {0xC44A1A10, 0x0A37, 0x11D2, {0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB}};

// One USB vendor control request to the device, tunnelled through property 0.
inline constexpr GUID kUsbTunnelSet =
    {0x85551A18, 0xA51C, 0x4F2D, {0x95, 0x5F, 0x3F, 0x36, 0x37, 0x2A, 0xDB, 0x5C}};
