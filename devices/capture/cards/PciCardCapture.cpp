#include "PciCardCapture.h"

#include "I2CAccess.h"
#include "TunerModel.h"

namespace
{
const int kPollIntervalMs = 140;
// The receiver's lines: the key code in the low byte, bit 8 high while no key waits. The
// device-control driver latches them; setting all nine releases the latch for the next key.
const DWORD kKeyLines = 0x1FF;
const DWORD kNoKey = 0x100;
const BYTE kTunerWriteAddresses[] = {0xC0, 0xC2, 0xC4, 0xC6, 0xC8};
}

void CPciCardCapture::Configure()
{
    SetRemotePollInterval(kPollIntervalMs);
}

BOOL CPciCardCapture::ReadRemoteKey(BYTE* key)
{
    CI2CAccess* access = GetI2CAccess();
    DWORD word = 0;
    if (!key || !access || FAILED(access->ReadGpio(&word)))
        return FALSE;
    if (GetAccessMode() == kDeviceControl)
        access->WriteGpio(word | kKeyLines, 0);
    if (word & kNoKey)
        return FALSE;
    BYTE inverted = (BYTE)~word;
    *key = (BYTE)((inverted << 4) | (inverted >> 4));
    return TRUE;
}

BOOL CPciCardCapture::DetectTunerAddress(CTunerModel* tuner)
{
    if (!tuner)
        return FALSE;
    for (BYTE write : kTunerWriteAddresses) {
        if (ProbeI2CAddress(write)) {
            tuner->SetAddresses((BYTE)(write | 1), write);
            return TRUE;
        }
    }
    return FALSE;
}
