#include "Ut800Capture.h"

#include "TunerXCEIVE2028.h"

namespace {

const BYTE kPortAddressRange = 0xC0;

} // namespace

HRESULT CUt800Capture::SetAudioInput(int, BOOL)
{
    return S_OK;
}

BOOL CUt800Capture::ProbeI2CAddress(BYTE address)
{
    return address & kPortAddressRange;
}

HRESULT CUt800Capture::LoadTunerTables()
{
    if (GetTunerModelId() != kTableTunerType)
        return S_OK;
    CTunerXCEIVE2028* tuner = dynamic_cast<CTunerXCEIVE2028*>(GetTuner());
    if (!tuner)
        return S_OK;
    return tuner->LoadBaseTables() ? S_OK : E_FAIL;
}
