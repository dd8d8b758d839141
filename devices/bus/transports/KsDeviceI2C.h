#pragma once

#include "I2CAccess.h"
#include "KsDeviceCommand.h"

// The transport of drivers with a bit-level I2C master and a GPIO block behind the bus-master
// property set, sent straight to the driver's object handle: a transfer is driven condition by
// condition (start, address, data, stop). The user interface, scan and remote-poll threads
// share one object, so every operation holds the transport's lock.
class CKsDeviceI2C : public CI2CAccess
{
public:
    // control: the KS device-control entry point. NULL takes KsSynchronousDeviceControl from
    // the system's KS proxy library when the first command goes out.
    explicit CKsDeviceI2C(KsDeviceControlFunction control = NULL);
    virtual ~CKsDeviceI2C();

    // E_POINTER without a filter or an owner, E_INVALIDARG when the filter has no IKsObject,
    // E_FAIL when it gives no handle; a failed Attach leaves nothing attached.
    HRESULT Attach(IUnknown* filter, void* context) override;
    // A value of 0 sends nothing.
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    // E_FAIL when the transfer took more than kReadMsPerByte for each byte.
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

    enum { kReadMsPerByte = 200 };

private:
    HRESULT Send(CKsDeviceCommand& command);
    HRESULT LoadControl();

    HRESULT Start();
    HRESULT Stop();
    HRESULT SendByte(BYTE value);
    HRESULT ReceiveByte(BYTE* value);
    HRESULT AcknowledgeByte();
    HRESULT GetMode(DWORD* mode);
    HRESULT SetMode(DWORD mode);
    // Runs gpio in GPIO access mode 0 and puts the driver's mode back afterwards.
    template <class GpioCommand>
    HRESULT InGpioMode(GpioCommand gpio);

    KsDeviceControlFunction m_control;
    // The KS proxy library, when this object loaded it.
    HMODULE m_ksProxy;
    // Weak: the capture filter owns its handle and outlives its transport.
    HANDLE m_handle;
};
