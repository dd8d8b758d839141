#include "LunetCapture.h"

#include "EncoderCardControl.h"
#include "EncoderCardProperties.h"

#include <new>

namespace {

const BYTE kEepromAddress = 0xA2;
const BYTE kEepromLetterOffset = 160;
const BYTE kEepromModelOffset = 161;

} // namespace

BOOL CLunetCapture::InitDevice()
{
    SetTunerInfo(kSystemLetter, kTunerModel);
    SetTunerFilterName("Quorvex Lunet TvTuner");
    SetEepromAddress(kEepromAddress);
    SetEepromOffsets(kEepromLetterOffset, kEepromModelOffset);
    if (!CFilterWrapper::Init())
        return FALSE;
    return CCaptureDevice::InitDevice();
}

HRESULT CLunetCapture::OpenDeviceAccess()
{
    return OpenAccess(new (std::nothrow) CEncoderCardControlB(), kAccessMode, GetFilter(), NULL);
}

BOOL CLunetCapture::ReadRemoteKey(BYTE* key)
{
    return ReadEncoderCardKey(GetFilter(), key);
}
