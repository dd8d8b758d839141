#pragma once

#include "I2CAccess.h"

// How CDeviceIoI2C reaches its device: the system's device-interface search, CreateFileA,
// DeviceIoControl and CloseHandle unless a test gives its own.
struct DeviceIoFunctions
{
    // The member-th present device of the driver's interface class, opened for reading and
    // writing; INVALID_HANDLE_VALUE when there is none.
    HANDLE (*open)(DWORD member);
    // DeviceIoControl's contract: FALSE with the error in GetLastError().
    BOOL (*control)(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned);
    void (*close)(HANDLE device);
};

// The transport of drivers that take I2C transfers as device I/O controls on their own device
// file. Each device carries two tuners; the index says which device (index / 2) and which
// tuner (bit 0) the block transfers address.
class CDeviceIoI2C : public CI2CAccess
{
public:
    // functions: NULL takes the system's.
    explicit CDeviceIoI2C(const DeviceIoFunctions* functions = NULL);
    virtual ~CDeviceIoI2C();

    // context: the index (0 to 255; a larger one keeps the previous). Reopens the device;
    // E_FAIL when there is none.
    HRESULT Attach(IUnknown* filter, void* context) override;
    // The device has no bus or device controls: S_OK, nothing sent.
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    // The tuner of the index is addressed; the address byte in the buffer is not used.
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    // No GPIO state can be read: E_NOTIMPL.
    HRESULT ReadGpio(DWORD* value) override;
    // The low byte of value on the tuner's own line; the mask is not used.
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT SetControlLine(int state) override;

    // Byte access with a 16-bit sub-address.
    HRESULT ReadByte16(BYTE address, WORD subAddress, BYTE* value);
    HRESULT WriteByte16(BYTE address, WORD subAddress, BYTE value);

    enum {
        kReadCode = 0x226000,
        kWriteCode = 0x22A004,
        kGpioCode = 0x226458,
        kReadRequestBytes = 253,
        kWriteRequestBytes = 252,
        kGpioRequestBytes = 2,
        // A block write's header takes two bytes of its request.
        kMaxDataBytes = 250
    };

private:
    HRESULT Control(DWORD code, BYTE* request, DWORD size, BYTE* reply, DWORD replySize);
    BOOL SecondTuner() const { return m_index & 1; }

    DeviceIoFunctions m_functions;
    HANDLE m_device;
    DWORD m_index;
};
