#include "KsDeviceI2C.h"

#include "AutoCritLock.h"

#include <dshow.h>
#include <ks.h>
// mingw's ksproxy.h declares IKsObject only for code built on the stream base classes, which
// it recognises by this macro.
#define __STREAMS__
#include <ksproxy.h>

namespace
{
// Bus commands and their payload.
const DWORD kBusStart = 0x1100000B;
const DWORD kBusStop = 0x1100000C;
const DWORD kBusReceive = 0x1100000D;
const DWORD kBusSend = 0x1100000E;
const DWORD kBusAcknowledge = 0x11000010;
const DWORD kBusControl = 0x11000018;
const DWORD kAtBusByte = 50;

// Device commands and their payload.
const DWORD kDeviceSetMode = 2;
const DWORD kDeviceGetMode = 0x10000002;
const DWORD kDeviceWriteGpio = 10;
const DWORD kDeviceReadGpio = 0x1000000A;
const DWORD kDeviceControl = 0x1000000C;
const DWORD kAtMode = 36;
const DWORD kAtModeRead = 28;
const DWORD kAtReadGpioCount = 40;
const DWORD kAtWriteGpioCount = 48;
const DWORD kAtWriteGpioEnable = 52;
const DWORD kAtGpioValue = 72;
const DWORD kAtGpioMask = 76;
// The mode in which the GPIO block is read and written.
const DWORD kGpioMode = 0;
}

CKsDeviceI2C::CKsDeviceI2C(KsDeviceControlFunction control)
    : m_control(control), m_ksProxy(NULL), m_handle(NULL)
{
}

CKsDeviceI2C::~CKsDeviceI2C()
{
    if (m_ksProxy)
        FreeLibrary(m_ksProxy);
}

HRESULT CKsDeviceI2C::Attach(IUnknown* filter, void* context)
{
    if (!filter || !context)
        return E_POINTER;
    CAutoCritLock lock(&m_lock);
    m_handle = NULL;
    IKsObject* object = NULL;
    if (FAILED(filter->QueryInterface(IID_IKsObject, (void**)&object)))
        return E_INVALIDARG;
    m_handle = object->KsGetObjectHandle();
    object->Release();
    return m_handle ? S_OK : E_FAIL;
}

HRESULT CKsDeviceI2C::LoadControl()
{
    if (m_control)
        return S_OK;
    // Loaded only when a command goes out: Wine's export ends the process, and no driver
    // there offers this set, so on Wine nothing gets this far.
    m_ksProxy = LoadLibraryA("ksproxy.ax");
    if (!m_ksProxy)
        return HRESULT_FROM_WIN32(GetLastError());
    m_control = (KsDeviceControlFunction)(void*)GetProcAddress(m_ksProxy, "KsSynchronousDeviceControl");
    return m_control ? S_OK : HRESULT_FROM_WIN32(GetLastError());
}

HRESULT CKsDeviceI2C::Send(CKsDeviceCommand& command)
{
    if (!m_handle)
        return E_FAIL;
    HRESULT hr = LoadControl();
    return FAILED(hr) ? hr : command.Send(m_control, m_handle);
}

HRESULT CKsDeviceI2C::Start()
{
    CKsDeviceCommand command(CKsDeviceCommand::kBusCommand, kBusStart);
    return Send(command);
}

HRESULT CKsDeviceI2C::Stop()
{
    CKsDeviceCommand command(CKsDeviceCommand::kBusCommand, kBusStop);
    return Send(command);
}

HRESULT CKsDeviceI2C::SendByte(BYTE value)
{
    CKsDeviceCommand command(CKsDeviceCommand::kBusCommand, kBusSend);
    command.PutByte(kAtBusByte, value);
    return Send(command);
}

HRESULT CKsDeviceI2C::ReceiveByte(BYTE* value)
{
    CKsDeviceCommand command(CKsDeviceCommand::kBusCommand, kBusReceive);
    HRESULT hr = Send(command);
    if (SUCCEEDED(hr))
        *value = command.GetByte(kAtBusByte);
    return hr;
}

HRESULT CKsDeviceI2C::AcknowledgeByte()
{
    CKsDeviceCommand command(CKsDeviceCommand::kBusCommand, kBusAcknowledge);
    return Send(command);
}

HRESULT CKsDeviceI2C::GetMode(DWORD* mode)
{
    CKsDeviceCommand command(CKsDeviceCommand::kDeviceCommand, kDeviceGetMode);
    HRESULT hr = Send(command);
    if (SUCCEEDED(hr))
        *mode = command.GetDword(kAtModeRead);
    return hr;
}

HRESULT CKsDeviceI2C::SetMode(DWORD mode)
{
    CKsDeviceCommand command(CKsDeviceCommand::kDeviceCommand, kDeviceSetMode);
    command.PutDword(kAtMode, mode);
    return Send(command);
}

HRESULT CKsDeviceI2C::SendBusControl(BYTE value)
{
    if (!value)
        return S_OK;
    CAutoCritLock lock(&m_lock);
    CKsDeviceCommand command(CKsDeviceCommand::kBusCommand, kBusControl);
    command.PutByte(kAtBusByte, value);
    return Send(command);
}

HRESULT CKsDeviceI2C::SendDeviceControl(BYTE)
{
    CAutoCritLock lock(&m_lock);
    CKsDeviceCommand command(CKsDeviceCommand::kDeviceCommand, kDeviceControl);
    return Send(command);
}

// A transfer stops at its first failing condition or byte and leaves the bus without a stop
// condition: the next transfer begins with a start condition anyway.
HRESULT CKsDeviceI2C::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    HRESULT hr = CheckByteRead(subAddress, value);
    if (FAILED(hr))
        return hr;
    CAutoCritLock lock(&m_lock);
    BYTE writeAddress = address & 0xFE;
    hr = Start();
    if (SUCCEEDED(hr))
        hr = SendByte(writeAddress);
    if (SUCCEEDED(hr))
        hr = SendByte((BYTE)subAddress);
    if (SUCCEEDED(hr))
        hr = Start();
    if (SUCCEEDED(hr))
        hr = SendByte(writeAddress + 1);
    if (SUCCEEDED(hr))
        hr = ReceiveByte(value);
    return FAILED(hr) ? hr : Stop();
}

HRESULT CKsDeviceI2C::WriteByte(BYTE address, int subAddress, BYTE value)
{
    HRESULT hr = CheckSubAddress(subAddress);
    if (FAILED(hr))
        return hr;
    CAutoCritLock lock(&m_lock);
    hr = Start();
    if (SUCCEEDED(hr))
        hr = SendByte(address & 0xFE);
    if (SUCCEEDED(hr))
        hr = SendByte((BYTE)subAddress);
    if (SUCCEEDED(hr))
        hr = SendByte(value);
    return FAILED(hr) ? hr : Stop();
}

HRESULT CKsDeviceI2C::Read(BYTE* buffer, int length)
{
    HRESULT hr = CheckReadBlock(buffer, length);
    if (FAILED(hr))
        return hr;
    CAutoCritLock lock(&m_lock);
    DWORD started = GetTickCount();
    hr = Start();
    if (SUCCEEDED(hr))
        hr = SendByte((buffer[0] & 0xFE) + 1);
    for (int i = 0; i < length && SUCCEEDED(hr); ++i) {
        hr = ReceiveByte(&buffer[i]);
        if (SUCCEEDED(hr))
            hr = AcknowledgeByte();
    }
    if (SUCCEEDED(hr))
        hr = Stop();
    if (FAILED(hr))
        return hr;
    // A device that stretches the clock this long has not answered properly.
    return GetTickCount() - started > (DWORD)length * kReadMsPerByte ? E_FAIL : S_OK;
}

HRESULT CKsDeviceI2C::Write(BYTE* buffer, int length)
{
    HRESULT hr = CheckWriteBlock(buffer, length);
    if (FAILED(hr))
        return hr;
    CAutoCritLock lock(&m_lock);
    buffer[0] &= 0xFE;
    hr = Start();
    for (int i = 0; i < length && SUCCEEDED(hr); ++i)
        hr = SendByte(buffer[i]);
    return FAILED(hr) ? hr : Stop();
}

template <class GpioCommand>
HRESULT CKsDeviceI2C::InGpioMode(GpioCommand gpio)
{
    DWORD mode = 0;
    HRESULT hr = GetMode(&mode);
    if (SUCCEEDED(hr))
        hr = SetMode(kGpioMode);
    if (FAILED(hr))
        return hr;
    hr = gpio();
    HRESULT restored = SetMode(mode);
    return FAILED(hr) ? hr : restored;
}

HRESULT CKsDeviceI2C::ReadGpio(DWORD* value)
{
    HRESULT hr = CheckOut(value);
    if (FAILED(hr))
        return hr;
    CAutoCritLock lock(&m_lock);
    return InGpioMode([&] {
        CKsDeviceCommand command(CKsDeviceCommand::kDeviceCommand, kDeviceReadGpio);
        command.PutDword(kAtReadGpioCount, 1);
        HRESULT read = Send(command);
        // The block holds the GPIO word first, as the write sends it.
        if (SUCCEEDED(read))
            *value = command.GetDword(kAtGpioValue);
        return read;
    });
}

HRESULT CKsDeviceI2C::WriteGpio(DWORD value, DWORD mask)
{
    CAutoCritLock lock(&m_lock);
    return InGpioMode([&] {
        CKsDeviceCommand command(CKsDeviceCommand::kDeviceCommand, kDeviceWriteGpio);
        command.PutDword(kAtWriteGpioCount, 1);
        command.PutDword(kAtWriteGpioEnable, 1);
        command.PutDword(kAtGpioValue, value);
        command.PutDword(kAtGpioMask, mask);
        return Send(command);
    });
}
