#include "TunerPANOSONIC_ENGE4326D.h"

#include "I2CAccess.h"

namespace {

const int kSetupMode = 2;

// The second chip: sub-address 0 takes the mode byte of the set-up mode, 1 a fixed byte.
const BYTE kSecondChipAddress = 0xB6;
const int kSecondChipMode = 0;
const int kSecondChipControl = 1;
const BYTE kSecondChipControlByte = 0x04;

struct ModeByte
{
    int mode;
    BYTE value;
};

// Modes the table lacks take 0x00.
const ModeByte kModeBytes[] = {
    // set-up mode, mode byte
    {1, 0x00},
    {2, 0x80},
    {3, 0x00},
    {4, 0x02},
    {5, 0x01},
};

BYTE ModeByteOf(int mode)
{
    for (const ModeByte& row : kModeBytes) {
        if (row.mode == mode)
            return row.value;
    }
    return 0x00;
}

} // namespace

CTunerPANOSONIC_ENGE4326D::CTunerPANOSONIC_ENGE4326D(CI2CAccess* access)
    : CTunerFamilyModel(access, 100), m_setupMode(kSetupMode)
{
}

CTunerPANOSONIC_ENGE4326D::~CTunerPANOSONIC_ENGE4326D()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerPANOSONIC_ENGE4326D::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_C, code);
}

// Succeeds whatever the writes answer: the module has the device set its standard again after
// every tuning, which repeats a write that was lost.
BOOL CTunerPANOSONIC_ENGE4326D::SetVideoStandard(int standard)
{
    if (!m_access)
        return FALSE;
    m_demodulator.WriteSet(CIfDemodulator::SET_ENGE4326D, standard);
    m_access->WriteByte(kSecondChipAddress, kSecondChipMode, ModeByteOf(m_setupMode));
    m_access->WriteByte(kSecondChipAddress, kSecondChipControl, kSecondChipControlByte);
    return TRUE;
}
