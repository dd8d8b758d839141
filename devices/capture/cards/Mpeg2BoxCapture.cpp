#include "Mpeg2BoxCapture.h"

#include "EncoderCardControl.h"
#include "EncoderCardProperties.h"

#include <new>

namespace {

const BYTE kEepromAddress = 0xA2;
const int kPollIntervalMs = 100;

} // namespace

void CMpeg2BoxCapture::Configure()
{
    SetEepromAddress(kEepromAddress);
    SetRemotePollInterval(kPollIntervalMs);
}

BOOL CMpeg2BoxCapture::InitDevice()
{
    BOOL opened = CCaptureDevice::InitDevice();
    m_propertySet.Reset();
    BOOL found = GetFilter() && SUCCEEDED(GetFilter()->QueryInterface(IID_IKsPropertySet, m_propertySet.ReceiveVoid()));
    return opened && found;
}

HRESULT CMpeg2BoxCapture::OpenDeviceAccess()
{
    return OpenAccess(new (std::nothrow) CEncoderCardControl(), kAccessMode, GetFilter(), NULL);
}

HRESULT CMpeg2BoxCapture::SetAudioInput(int, BOOL)
{
    return E_NOTIMPL;
}

BOOL CMpeg2BoxCapture::ReadRemoteKey(BYTE* key)
{
    return ReadEncoderCardKey(GetFilter(), key);
}
