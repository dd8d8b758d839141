#include "Go7007RegisterAccess.h"

#include "AutoCritLock.h"

CGo7007RegisterAccess::CGo7007RegisterAccess()
    : m_registers(NULL)
{
}

CGo7007RegisterAccess::~CGo7007RegisterAccess()
{
    if (m_registers)
        m_registers->Release();
}

HRESULT CGo7007RegisterAccess::Attach(IUnknown* filter, void*)
{
    CAutoCritLock lock(&m_lock);
    if (m_registers) {
        m_registers->Release();
        m_registers = NULL;
    }
    if (!filter)
        return E_FAIL;
    HRESULT hr = filter->QueryInterface(IID_IGo7007Registers, (void**)&m_registers);
    if (FAILED(hr))
        m_registers = NULL;
    return SUCCEEDED(hr) && m_registers ? S_OK : E_FAIL;
}

HRESULT CGo7007RegisterAccess::SendBusControl(BYTE)
{
    return S_OK;
}

HRESULT CGo7007RegisterAccess::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_registers || !value)
        return E_FAIL;
    return m_registers->RegisterRead(address, WidthOf(subAddress), (DWORD)subAddress, value, kFlags);
}

HRESULT CGo7007RegisterAccess::WriteByte(BYTE address, int subAddress, BYTE value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_registers)
        return E_FAIL;
    return m_registers->RegisterWrite(address, WidthOf(subAddress), (DWORD)subAddress, value, kFlags);
}

HRESULT CGo7007RegisterAccess::Read(BYTE* buffer, int length)
{
    CAutoCritLock lock(&m_lock);
    if (!m_registers || !buffer || length < 1)
        return E_FAIL;
    return m_registers->RegisterRead(buffer[0], 8, 0, buffer, kFlags);
}

HRESULT CGo7007RegisterAccess::Write(BYTE* buffer, int length)
{
    CAutoCritLock lock(&m_lock);
    if (!m_registers || !buffer || length < 1)
        return E_FAIL;
    return m_registers->BlockWrite(buffer[0], 0, 0, (DWORD)(length - 1), buffer + 1, kFlags);
}

HRESULT CGo7007RegisterAccess::SendDeviceControl(BYTE)
{
    return S_OK;
}

HRESULT CGo7007RegisterAccess::ReadGpio(DWORD*)
{
    return S_OK;
}

HRESULT CGo7007RegisterAccess::WriteGpio(DWORD, DWORD)
{
    return S_OK;
}

HRESULT CGo7007RegisterAccess::ReadRegister(BYTE address, DWORD width, DWORD subAddress, BYTE* value, DWORD flags)
{
    CAutoCritLock lock(&m_lock);
    if (!m_registers || !value)
        return E_FAIL;
    return m_registers->RegisterRead(address, width, subAddress, value, flags);
}

HRESULT CGo7007RegisterAccess::WriteRegister(BYTE address, DWORD, DWORD subAddress, DWORD value, DWORD flags)
{
    CAutoCritLock lock(&m_lock);
    if (!m_registers)
        return E_FAIL;
    BYTE request[3] = {address, (BYTE)subAddress, 0};
    return m_registers->Command(kCommandWriteRegister, request, 1, &value, flags);
}
