#include "DorinCapture.h"

#include "I2CAccess.h"

namespace {

const DWORD kAudioLines = 0x7000;
const DWORD kAudioOn = 0x1000;

} // namespace

BOOL CDorinCapture::InitDevice()
{
    SetTunerFilterName("PhTVTune");
    SetEepromOffsets(0xA0, 0xA1);
    return C713xControllerCapture::InitDevice();
}

HRESULT CDorinCapture::SetAudioInput(int input, BOOL on)
{
    DWORD word = 0;
    HRESULT hr = ReadGpioForAudioSwitch(&word);
    if (FAILED(hr))
        return hr;
    word &= ~kAudioLines;
    if (!on)
        word |= kAudioLines;
    else if (input >= 0 && input <= 2)
        word |= kAudioOn;
    return GetI2CAccess()->WriteGpio(word, kAudioLines);
}
