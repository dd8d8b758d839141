#include "I2CAccess.h"

CI2CAccess::CI2CAccess()
{
    InitializeCriticalSection(&m_lock);
}

CI2CAccess::~CI2CAccess()
{
    DeleteCriticalSection(&m_lock);
}

HRESULT CI2CAccess::WriteGpioTimed(DWORD value, DWORD mask, DWORD)
{
    return WriteGpio(value, mask);
}

HRESULT CI2CAccess::SetProperty7(DWORD)
{
    return S_OK;
}

HRESULT CI2CAccess::SetProperty8(DWORD)
{
    return S_OK;
}

HRESULT CI2CAccess::SendProperty9()
{
    return S_OK;
}

HRESULT CI2CAccess::SetProperty10(DWORD)
{
    return S_OK;
}

HRESULT CI2CAccess::SetControlLine(int)
{
    return S_OK;
}

HRESULT CI2CAccess::WriteRegByte(BYTE, BYTE)
{
    return E_FAIL;
}

HRESULT CI2CAccess::ReadRegByte(DWORD, BYTE*)
{
    return E_FAIL;
}

HRESULT CI2CAccess::SetControlLine2(int)
{
    return S_OK;
}

HRESULT CI2CAccess::CheckByteRead(int subAddress, const BYTE* value)
{
    HRESULT hr = CheckOut(value);
    return FAILED(hr) ? hr : CheckSubAddress(subAddress);
}

HRESULT CI2CAccess::CheckSubAddress(int subAddress)
{
    return subAddress < 0 ? E_INVALIDARG : S_OK;
}

HRESULT CI2CAccess::CheckOut(const void* out)
{
    return out ? S_OK : E_POINTER;
}

HRESULT CI2CAccess::CheckReadBlock(const BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    return length < kMinReadLength || length > kMaxBlockLength ? E_INVALIDARG : S_OK;
}

HRESULT CI2CAccess::CheckWriteBlock(const BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    return length < kMinWriteLength || length > kMaxBlockLength ? E_INVALIDARG : S_OK;
}
