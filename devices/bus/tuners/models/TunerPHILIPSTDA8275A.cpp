#include "TunerPHILIPSTDA8275A.h"

#include "ChipWait.h"

namespace {

// Between the tuning and the demodulator's finish.
const DWORD kSettleMs = 50;

} // namespace

CTunerPHILIPSTDA8275A::CTunerPHILIPSTDA8275A(CI2CAccess* access)
    : CTunerFamilyModel(access, 95), m_sink(access), m_chip(&m_sink), m_initialised(FALSE)
{
}

CTunerPHILIPSTDA8275A::~CTunerPHILIPSTDA8275A()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

// The demodulator gets its power-on settings before the chip's first use.
void CTunerPHILIPSTDA8275A::InitialiseOnce()
{
    if (!m_initialised)
        m_initialised = m_chip.Initialise();
}

BOOL CTunerPHILIPSTDA8275A::SetTvFrequency(float kHz)
{
    if (!m_access || kHz <= 0)
        return FALSE;
    InitialiseOnce();
    int mode = m_chip.Prepare();
    BOOL tuned = m_chip.Tune((DWORD)(kHz * 1000.0), mode);
    ChipWait(kSettleMs);
    m_chip.Finish(mode);
    return tuned;
}

// The chip reports no AFC position: the owner device's picture lock stands in for the status.
BOOL CTunerPHILIPSTDA8275A::GetTvStatus(int* code)
{
    if (!code)
        return FALSE;
    int locked = 0;
    BOOL answered = IsSignalLocked(&locked);
    *code = locked ? m_inTuneCode : m_afcCodeUp125;
    return answered;
}

BOOL CTunerPHILIPSTDA8275A::SetVideoStandard(int standard)
{
    if (!m_access)
        return FALSE;
    InitialiseOnce();
    return m_chip.SelectStandard(standard);
}
