#include "DeviceIoI2C.h"

#include "AutoCritLock.h"

#include <setupapi.h>

#include <string.h>
#include <vector>

namespace
{
const GUID kTunerInterfaceClass = {0x4F397D29, 0x7F2F, 0x42A9, {0xAB, 0x90, 0x17, 0x91, 0x38, 0x40, 0x14, 0xC4}};
const DWORD kMaxIndex = 255;
const BYTE kTunerWrite = 0xC2;
const BYTE kTunerRead = 0xC3;
const BYTE kSecondTunerWrite = 0xC8;
const BYTE kSecondTunerRead = 0xC9;
const BYTE kGpioLine = 3;
const BYTE kSecondGpioLine = 4;

HANDLE OpenInterface(DWORD member)
{
    HDEVINFO devices = SetupDiGetClassDevsA(&kTunerInterfaceClass, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE)
        return INVALID_HANDLE_VALUE;
    HANDLE device = INVALID_HANDLE_VALUE;
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = sizeof(data);
    if (SetupDiEnumDeviceInterfaces(devices, NULL, &kTunerInterfaceClass, member, &data)) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailA(devices, &data, NULL, 0, &size, NULL);
        if (size >= sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
            std::vector<BYTE> buffer(size);
            SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail = (SP_DEVICE_INTERFACE_DETAIL_DATA_A*)buffer.data();
            detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
            if (SetupDiGetDeviceInterfaceDetailA(devices, &data, detail, size, NULL, NULL))
                device = CreateFileA(detail->DevicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        }
    }
    SetupDiDestroyDeviceInfoList(devices);
    return device;
}

BOOL ControlDevice(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned)
{
    return DeviceIoControl(device, code, in, inSize, out, outSize, returned, NULL);
}

void CloseDevice(HANDLE device)
{
    CloseHandle(device);
}

const DeviceIoFunctions kSystemFunctions = {OpenInterface, ControlDevice, CloseDevice};
}

CDeviceIoI2C::CDeviceIoI2C(const DeviceIoFunctions* functions)
    : m_functions(functions ? *functions : kSystemFunctions), m_device(INVALID_HANDLE_VALUE), m_index(0)
{
}

CDeviceIoI2C::~CDeviceIoI2C()
{
    if (m_device != INVALID_HANDLE_VALUE)
        m_functions.close(m_device);
}

HRESULT CDeviceIoI2C::Attach(IUnknown*, void* context)
{
    CAutoCritLock lock(&m_lock);
    DWORD index = (DWORD)(UINT_PTR)context;
    if (index <= kMaxIndex)
        m_index = index;
    if (m_device != INVALID_HANDLE_VALUE) {
        m_functions.close(m_device);
        m_device = INVALID_HANDLE_VALUE;
    }
    m_device = m_functions.open(m_index >> 1);
    return m_device != INVALID_HANDLE_VALUE ? S_OK : E_FAIL;
}

HRESULT CDeviceIoI2C::Control(DWORD code, BYTE* request, DWORD size, BYTE* reply, DWORD replySize)
{
    CAutoCritLock lock(&m_lock);
    if (m_device == INVALID_HANDLE_VALUE)
        return E_FAIL;
    DWORD returned = 0;
    if (m_functions.control(m_device, code, request, size, reply, replySize, &returned))
        return S_OK;
    // The driver's failure is the caller's failure, never a positive code.
    DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

HRESULT CDeviceIoI2C::SendBusControl(BYTE)
{
    return S_OK;
}

HRESULT CDeviceIoI2C::SendDeviceControl(BYTE)
{
    return S_OK;
}

HRESULT CDeviceIoI2C::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    HRESULT hr = CheckByteRead(subAddress, value);
    if (FAILED(hr))
        return hr;
    BYTE request[kReadRequestBytes] = {address, 1, 1, (BYTE)subAddress};
    BYTE reply[2] = {0, 0};
    hr = Control(kReadCode, request, sizeof(request), reply, sizeof(reply));
    if (SUCCEEDED(hr))
        *value = reply[1];
    return hr;
}

HRESULT CDeviceIoI2C::WriteByte(BYTE address, int subAddress, BYTE value)
{
    HRESULT hr = CheckSubAddress(subAddress);
    if (FAILED(hr))
        return hr;
    BYTE request[kWriteRequestBytes] = {address, 2, (BYTE)subAddress, value};
    return Control(kWriteCode, request, sizeof(request), NULL, 0);
}

HRESULT CDeviceIoI2C::ReadByte16(BYTE address, WORD subAddress, BYTE* value)
{
    HRESULT hr = CheckOut(value);
    if (FAILED(hr))
        return hr;
    BYTE request[kReadRequestBytes] = {address, 2, 2, HIBYTE(subAddress), LOBYTE(subAddress)};
    BYTE reply[2] = {0, 0};
    hr = Control(kReadCode, request, sizeof(request), reply, sizeof(reply));
    if (SUCCEEDED(hr))
        *value = reply[1];
    return hr;
}

HRESULT CDeviceIoI2C::WriteByte16(BYTE address, WORD subAddress, BYTE value)
{
    BYTE request[kWriteRequestBytes] = {address, 3, HIBYTE(subAddress), LOBYTE(subAddress), value};
    return Control(kWriteCode, request, sizeof(request), NULL, 0);
}

HRESULT CDeviceIoI2C::Read(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < kMinReadLength || length > kMaxDataBytes)
        return E_INVALIDARG;
    BYTE request[kReadRequestBytes] = {SecondTuner() ? kSecondTunerRead : kTunerRead, 1, (BYTE)length};
    return Control(kReadCode, request, sizeof(request), buffer, length);
}

HRESULT CDeviceIoI2C::Write(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1 || length > kMaxDataBytes)
        return E_INVALIDARG;
    BYTE request[kWriteRequestBytes] = {SecondTuner() ? kSecondTunerWrite : kTunerWrite, (BYTE)length};
    memcpy(request + 2, buffer, length);
    return Control(kWriteCode, request, sizeof(request), NULL, 0);
}

HRESULT CDeviceIoI2C::ReadGpio(DWORD*)
{
    return E_NOTIMPL;
}

HRESULT CDeviceIoI2C::WriteGpio(DWORD value, DWORD)
{
    BYTE request[kGpioRequestBytes] = {SecondTuner() ? kSecondGpioLine : kGpioLine, (BYTE)value};
    return Control(kGpioCode, request, sizeof(request), NULL, 0);
}

HRESULT CDeviceIoI2C::SetControlLine(int state)
{
    return WriteGpio(state != 0, 0);
}
