#include "TunerXCEIVE3028SIF.h"

const XceiveDrive CTunerXCEIVE3028SIF::kDrive = {XceiveDrive::kAddressed, 20, XceiveDrive::kControlLine2Strobe,
                                                 XceiveDrive::kSecondPolicy, XceiveDrive::kLockRegister};

CTunerXCEIVE3028SIF::CTunerXCEIVE3028SIF(CI2CAccess* access)
    : CTunerFamilyModel(access, 137), m_chip(access)
{
}

CTunerXCEIVE3028SIF::~CTunerXCEIVE3028SIF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerXCEIVE3028SIF::SetTvFrequency(float kHz)
{
    return m_chip.Tune(kHz, kDrive);
}

BOOL CTunerXCEIVE3028SIF::GetTvStatus(int* code)
{
    return m_chip.ReadStatus(code, kDrive);
}

BOOL CTunerXCEIVE3028SIF::SetVideoStandard(int standard)
{
    return m_chip.LoadStandard(standard, kDrive);
}
