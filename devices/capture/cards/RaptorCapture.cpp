#include "RaptorCapture.h"

#include "KsPropertyI2C16.h"

#include <new>

namespace {

const BYTE kEepromAddress = 0xA0;
const BYTE kEepromLetterOffset = 160;
const BYTE kEepromModelOffset = 161;
const int kPollIntervalMs = 100;

} // namespace

void CRaptorCapture::Configure()
{
    SetEepromOffsets(kEepromLetterOffset, kEepromModelOffset);
    SetEepromAddress(kEepromAddress);
    SetRemotePollInterval(kPollIntervalMs);
    SetTunerFilterName("Conexant Raptor Tuner");
    ReleaseUpstreamFilters();
}

HRESULT CRaptorCapture::OpenDeviceAccess()
{
    FindUpstreamFilters(FALSE);
    HRESULT hr = OpenAccess(new (std::nothrow) CKsPropertyI2C16(), kAccessMode, GetFilter(), this);
    if (FAILED(hr) || !GetTunerFilter())
        return hr;
    CComRef<IAMTVTuner> tuner;
    if (SUCCEEDED(GetTunerFilter()->QueryInterface(IID_IAMTVTuner, tuner.ReceiveVoid())))
        tuner->put_Mode(AMTUNER_MODE_TV);
    return hr;
}

HRESULT CRaptorCapture::SetAudioInput(int, BOOL)
{
    return E_NOTIMPL;
}

BOOL CRaptorCapture::ReadRemoteKey(BYTE* key)
{
    return ReadKeyController(kKeyController, kKeyWaiting, kKeyCode, key);
}

BYTE CRaptorCapture::ReadEepromConfigByte()
{
    return 0;
}
