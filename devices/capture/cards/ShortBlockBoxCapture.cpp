#include "ShortBlockBoxCapture.h"

#include "I2CAccess.h"

namespace {

const int kEepromSize = 256;

} // namespace

HRESULT CShortBlockBoxCapture::CheckBlock(const BYTE* data, int offset, const int* count)
{
    if (!data || !count || *count < 1 || offset < 0 || offset + *count > kEepromSize)
        return E_INVALIDARG;
    return S_OK;
}

HRESULT CShortBlockBoxCapture::WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs)
{
    HRESULT hr = CheckBlock(data, offset, count);
    if (FAILED(hr))
        return hr;
    CI2CAccess* access = GetI2CAccess();
    if (!access)
        return E_FAIL;
    for (int i = 0; i < *count && SUCCEEDED(hr); ++i) {
        hr = access->WriteByte(GetEepromAddress(), offset + i, data[i]);
        Sleep(pauseMs);
    }
    return hr;
}

HRESULT CShortBlockBoxCapture::ReadEeprom(BYTE* data, int offset, int* count)
{
    HRESULT hr = CheckBlock(data, offset, count);
    return FAILED(hr) ? hr : CCaptureDevice::ReadEeprom(data, offset, count);
}
