#pragma once

#include <windows.h>

// The KS device-control entry point: (handle, IOCTL code, in buffer, in size, out buffer,
// out size, bytes returned).
typedef HRESULT (WINAPI *KsDeviceControlFunction)(HANDLE, ULONG, PVOID, ULONG, PVOID, ULONG, PULONG);

// One command of the bus-master property set, sent to the driver's object handle. The buffer
// is zero-filled and starts with the property header (set, id, flags), the command code and
// the driver's status word; the payload follows at byte 32.
class CKsDeviceCommand
{
public:
    enum Kind {
        kBusCommand,        // conditions and bytes of the I2C bus
        kDeviceCommand      // GPIO block and device control
    };

    CKsDeviceCommand(Kind kind, DWORD code);

    void PutByte(DWORD offset, BYTE value);
    void PutDword(DWORD offset, DWORD value);
    BYTE GetByte(DWORD offset) const;
    DWORD GetDword(DWORD offset) const;

    // A command is a Set followed, when the driver took it, by a Get of the same buffer with
    // the header written again; the Get leaves the results in the buffer.
    HRESULT Send(KsDeviceControlFunction control, HANDLE handle);

private:
    enum { kMaxBytes = 328 };

    void WriteHeader(DWORD flags);
    HRESULT Call(KsDeviceControlFunction control, HANDLE handle, DWORD flags);

    DWORD m_id;
    DWORD m_size;
    BYTE m_buffer[kMaxBytes];
};
