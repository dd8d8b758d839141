#include "TunerXCEIVE2028.h"

namespace {

const DWORD kChunkWaitMs = 10;

} // namespace

CTunerXCEIVE2028::CTunerXCEIVE2028(CI2CAccess* access)
    : CTunerFamilyModel(access, 91), m_chip(access)
{
}

CTunerXCEIVE2028::CTunerXCEIVE2028(CI2CAccess* access, int typeId)
    : CTunerFamilyModel(access, typeId), m_chip(access)
{
}

CTunerXCEIVE2028::~CTunerXCEIVE2028()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

XceiveDrive CTunerXCEIVE2028::Drive() const
{
    int mode = GetOwnerAccessMode();
    XceiveDrive drive;
    BOOL unaddressed = mode == kModeUnaddressed;
    drive.framing = unaddressed ? XceiveDrive::kUnaddressed : XceiveDrive::kAddressed;
    drive.chunkWaitMs = unaddressed ? 0 : kChunkWaitMs;
    drive.strobe = (unaddressed || mode == kModeNoStrobe) ? XceiveDrive::kNoStrobe : XceiveDrive::kGpioStrobe;
    drive.policy = (unaddressed || mode == kModeNoStrobe) ? XceiveDrive::kSecondPolicy : XceiveDrive::kFirstPolicy;
    drive.status = (mode == kModeCardRegister || mode == kModeCardRegister2) ? XceiveDrive::kCardRegister
                                                                             : XceiveDrive::kLockRegister;
    return drive;
}

BOOL CTunerXCEIVE2028::SetTvFrequency(float kHz)
{
    return m_chip.Tune(kHz, Drive());
}

BOOL CTunerXCEIVE2028::GetTvStatus(int* code)
{
    return m_chip.ReadStatus(code, Drive());
}

BOOL CTunerXCEIVE2028::SetVideoStandard(int standard)
{
    return m_chip.LoadStandard(standard, Drive());
}

BOOL CTunerXCEIVE2028::IsSignalLocked(int* locked)
{
    int mode = GetOwnerAccessMode();
    if (mode == kModeUnaddressed || mode == kModeNoStrobe)
        return CTunerFamilyModel::IsSignalLocked(locked);
    return m_chip.IsCardLocked(locked);
}

BOOL CTunerXCEIVE2028::LoadBaseTables()
{
    return m_chip.LoadBaseTables(Drive());
}
