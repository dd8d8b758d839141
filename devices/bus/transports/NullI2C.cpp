#include "NullI2C.h"

CNullI2C::CNullI2C()
    : m_owner(NULL)
{
}

HRESULT CNullI2C::Attach(IUnknown*, void* context)
{
    if (!m_owner)
        m_owner = context;
    return m_owner ? S_OK : E_FAIL;
}

HRESULT CNullI2C::SendBusControl(BYTE)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::ReadByte(BYTE, int, BYTE*)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::WriteByte(BYTE, int, BYTE)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::Read(BYTE*, int)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::Write(BYTE*, int)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::SendDeviceControl(BYTE)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::ReadGpio(DWORD*)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::WriteGpio(DWORD, DWORD)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::WriteGpioTimed(DWORD, DWORD, DWORD)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::SetControlLine(int)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::WriteRegByte(BYTE, BYTE)
{
    return E_NOTIMPL;
}

HRESULT CNullI2C::ReadRegByte(DWORD, BYTE*)
{
    return E_NOTIMPL;
}
