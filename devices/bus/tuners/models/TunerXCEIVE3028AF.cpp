#include "TunerXCEIVE3028AF.h"

const XceiveDrive CTunerXCEIVE3028AF::kDrive = {XceiveDrive::kAddressed, 10, XceiveDrive::kGpioStrobe,
                                                XceiveDrive::kFirstPolicy, XceiveDrive::kCardRegister};

CTunerXCEIVE3028AF::CTunerXCEIVE3028AF(CI2CAccess* access)
    : CTunerFamilyModel(access, 136), m_chip(access)
{
}

CTunerXCEIVE3028AF::~CTunerXCEIVE3028AF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerXCEIVE3028AF::SetTvFrequency(float kHz)
{
    return m_chip.Tune(kHz, kDrive);
}

BOOL CTunerXCEIVE3028AF::GetTvStatus(int* code)
{
    return m_chip.ReadStatus(code, kDrive);
}

BOOL CTunerXCEIVE3028AF::SetVideoStandard(int standard)
{
    return m_chip.LoadStandard(standard, kDrive);
}

BOOL CTunerXCEIVE3028AF::IsSignalLocked(int* locked)
{
    return m_chip.IsCardLocked(locked);
}
