#include "Cx2388xCapture.h"

#include "DeviceSearch.h"
#include "GpioLockI2C.h"

#include <new>

namespace {

const DWORD kAudioLines = 0x7000;

} // namespace

void CCx2388xCapture::Configure()
{
    SetTunerFilterName("Conexant 2388x Tuner");
}

CI2CAccess* CCx2388xCapture::NewAccess()
{
    return new (std::nothrow) CGpioLockI2C();
}

HRESULT CCx2388xCapture::OpenDeviceAccess()
{
    CI2CAccess* access = NewAccess();
    if (!access)
        return E_OUTOFMEMORY;
    SetAccess(access, kTunerFilter);
    CComRef<IBaseFilter> tuner;
    HRESULT hr = CreateDeviceFilterByName(AM_KSCATEGORY_TVTUNER, GetTunerFilterName(), tuner.Receive());
    if (FAILED(hr))
        return hr;
    SetTunerFilter(tuner.Get());
    hr = access->Attach(tuner.Get(), this);
    if (FAILED(hr))
        SetAccess(NULL, kNotOpen);
    return hr;
}

HRESULT CCx2388xCapture::SetAudioInput(int input, BOOL on)
{
    return SwitchAudioInput(input, on, kAudioLines);
}
