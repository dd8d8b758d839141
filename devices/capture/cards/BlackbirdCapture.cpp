#include "BlackbirdCapture.h"

#include "KsPropertyI2CEx.h"

#include <new>

namespace {

const BYTE kEepromAddress = 0xA0;
const int kPollIntervalMs = 100;
const int kEepromConfigOffset = 7;

} // namespace

void CBlackbirdCapture::Configure()
{
    SetEepromAddress(kEepromAddress);
    SetRemotePollInterval(kPollIntervalMs);
    SetTunerFilterName("BlackBird Tuner");
    ReleaseUpstreamFilters();
}

HRESULT CBlackbirdCapture::OpenDeviceAccess()
{
    FindUpstreamFilters(FALSE);
    CI2CAccess* access = new (std::nothrow) CKsPropertyI2CEx();
    if (!GetTunerFilter())
        return OpenAccess(access, kAccessMode, GetFilter(), NULL);
    HRESULT hr = OpenAccess(access, kAccessMode, GetTunerFilter(), this);
    if (FAILED(hr))
        return hr;
    CComRef<IAMTVTuner> tuner;
    if (SUCCEEDED(GetTunerFilter()->QueryInterface(IID_IAMTVTuner, tuner.ReceiveVoid()))) {
        tuner->put_Mode(AMTUNER_MODE_TV);
        tuner->put_Channel(1, 0, 0);
    }
    return hr;
}

HRESULT CBlackbirdCapture::SetAudioInput(int, BOOL)
{
    return E_NOTIMPL;
}

BOOL CBlackbirdCapture::ReadRemoteKey(BYTE*)
{
    return FALSE;
}

BYTE CBlackbirdCapture::ReadEepromConfigByte()
{
    return ReadEepromByte(kEepromConfigOffset);
}
