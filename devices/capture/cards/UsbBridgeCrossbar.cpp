#include "UsbBridgeCrossbar.h"

#include "UsbDeviceAccess.h"

namespace
{
// The multiplexer answers reads at its odd address and takes writes at the even one.
const BYTE kMuxReadAddress = 0x4B;
const BYTE kMuxWriteAddress = 0x4A;
const BYTE kMuxInputRegister = 2;
const BYTE kMuxInputBits = 0x0F;

struct InputCode
{
    int source;
    BYTE code;
};
const InputCode kInputCodes[] = {
    // source, multiplexer input
    {CCrossbarWrapper::kTuner, 2},
    {CCrossbarWrapper::kComposite, 0},
    {CCrossbarWrapper::kSVideo, 9},
};
const BYTE kOtherInputCode = 0;
}

void CUsbBridgeCrossbar::SetPinMap()
{
    m_videoTunerInput = 0;
    m_videoCompositeInput = 1;
    m_videoSVideoInput = 2;
    m_audioTunerInput = 4;
    m_audioCompositeInput = 5;
    m_audioSVideoInput = 6;
}

BOOL CUsbBridgeCrossbar::SelectInput(int source)
{
    return SwitchMultiplexer(source);
}

BOOL CUsbBridgeCrossbar::SwitchMultiplexer(int source)
{
    BYTE code = kOtherInputCode;
    for (const InputCode& row : kInputCodes) {
        if (row.source == source)
            code = row.code;
    }
    CUsbDeviceAccess box;
    if (!box.Open(GetBoxName()))
        return FALSE;
    // The register's upper bits belong to the multiplexer: without them nothing is written.
    BYTE value = 0;
    BOOL written = box.I2CReadSubOk(kMuxReadAddress, kMuxInputRegister, 1, &value);
    if (written) {
        value = (BYTE)((value & ~kMuxInputBits) | code);
        written = box.I2CWriteSubOk(kMuxWriteAddress, kMuxInputRegister, 1, &value);
    }
    box.Close();
    return written;
}
