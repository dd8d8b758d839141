#include "TridVidCapture.h"

#include "I2CAccess.h"

void CTridVidCapture::ReadTunerInfo()
{
    CShortBlockBoxCapture::ReadTunerInfo();
    int letter = GetSystemLetter();
    int model = GetTunerModelId();
    if (letter == 'N')
        letter = kFallbackLetter;
    if (model == 0 || model == 255)
        model = kFallbackTunerType;
    SetTunerInfo(letter, model);
}

BOOL CTridVidCapture::SendGpioFrame(DWORD value, DWORD mask, DWORD)
{
    CI2CAccess* access = GetI2CAccess();
    return access && SUCCEEDED(access->WriteGpio(value, mask));
}
