#include "Cx2388x1Capture.h"

#include "Cx2388xGpioI2C.h"
#include "NamedMutex.h"

#include <new>

void CCx2388x1Capture::Configure()
{
    SetTunerFilterName("Conexant 2388x_1 Tuner");
}

CI2CAccess* CCx2388x1Capture::NewAccess()
{
    return new (std::nothrow) CCx2388xGpioI2C();
}

HRESULT CCx2388x1Capture::SetAudioInput(int input, BOOL on)
{
    CNamedMutex mutex(FrameLayout().lock, FALSE);
    if (!mutex.Lock())
        return E_FAIL;
    HRESULT hr = CCx2388xCapture::SetAudioInput(input, on);
    mutex.Unlock();
    return hr;
}
