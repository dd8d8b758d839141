// The framework's headers go before dshow.h, whose safe-string header must follow them.
#include "TunerModelNames.h"

#include "CaptureDevice.h"
#include "I2CAccess.h"
#include "NamedMutex.h"
#include "TunerModel.h"
#include "TunerModelRecord.h"

#include <algorithm>

namespace {

// Maker family letters by tuner type id, in ranges.
struct LetterRange
{
    int first, last;
    char letter;
};

const LetterRange kLetters[] = {
    // first, last, letter
    {0, 0, 'N'},
    {1, 5, 'T'},
    {10, 11, 'T'},
    {12, 13, 'G'},
    {14, 15, 'T'},
    {17, 17, 'T'},
    {32, 35, 'X'},
    {52, 71, 'A'},
    {72, 75, 'L'},
    {90, 91, 'E'},
    {92, 98, 'P'},
    {100, 100, 'O'},
    {110, 110, 'C'},
    {130, 134, 'A'},
    {135, 135, 'D'},
    {136, 137, 'E'},
};

// The tuner addresses a card with more than two devices on its bus most likely uses, as
// read address and the write address that goes with it.
struct KnownTunerAddress
{
    BYTE read, write;
};

const KnownTunerAddress kKnownTunerAddresses[] = {
    {0xC1, 0xC0},
    {0xC3, 0xC2},
    {0xC7, 0xC6},
    {0x87, 0xC0},
};

const BYTE kDefaultReadAddress = 0xC1;
const BYTE kDefaultWriteAddress = 0xC0;
// A probe tuning settles this long before the lock is read.
const DWORD kProbeSettleMs = 150;
// Every register request of the cards that share one bus takes this lock.
const char kBusLockName[] = "GPIO_LOCK";

} // namespace

BOOL CCaptureDevice::LetterForTunerModel(int typeId, int* letter)
{
    for (const LetterRange& range : kLetters) {
        if (typeId >= range.first && typeId <= range.last) {
            *letter = range.letter;
            return TRUE;
        }
    }
    *letter = 'N';
    return FALSE;
}

CTunerModel* CCaptureDevice::CreateTunerModel(int typeId)
{
    CTunerModel* tuner = NewTunerModel(typeId, m_access);
    if (!tuner)
        return NULL;
    tuner->SetOwnerDevice(this);
    if (!IsTunerPresent(tuner))
        DetectTunerAddress(tuner);
    return tuner;
}

BOOL CCaptureDevice::CreateTuner()
{
    delete m_tuner;
    m_tuner = CreateTunerModel(m_tunerModelId);
    if (!m_tuner) {
        // The id follows the module actually driven, so its name and letter agree with it.
        m_tuner = CreateTunerModel(kFallbackTunerType);
        m_tunerModelId = kFallbackTunerType;
        m_systemLetter = kFallbackLetter;
    }
    return m_tuner != NULL;
}

BOOL CCaptureDevice::IsTunerPresent(CTunerModel* tuner)
{
    return tuner && ProbeI2CAddress(tuner->GetReadAddress());
}

// Holds the bus lock for the whole scan: the probes' own locks then succeed at once, and a
// card busy elsewhere ends the scan after one wait instead of one wait per address.
BOOL CCaptureDevice::ScanI2CBus(std::vector<BYTE>* found)
{
    CNamedMutex lock(kBusLockName, FALSE);
    if (!found || !lock.Lock())
        return FALSE;
    for (int address = 0; address < 256; ++address) {
        if (ProbeI2CAddress((BYTE)address))
            found->push_back((BYTE)address);
    }
    lock.Unlock();
    return !found->empty();
}

BOOL CCaptureDevice::DetectTunerAddress(CTunerModel* tuner)
{
    if (!tuner)
        return FALSE;
    std::vector<BYTE> found;
    ScanI2CBus(&found);
    BYTE eeprom = m_eepromAddress & 0xFE;
    found.erase(std::remove_if(found.begin(), found.end(), [eeprom](BYTE a) { return (a & 0xFE) == eeprom; }),
                found.end());
    BYTE read = kDefaultReadAddress;
    BYTE write = kDefaultWriteAddress;
    if (found.size() == 1) {
        read = found[0];
        write = found[0] & 0xFE;
    } else if (found.size() == 2) {
        read = std::max(found[0], found[1]);
        write = std::min(found[0], found[1]);
    } else if (found.size() > 2) {
        const KnownTunerAddress* known = NULL;
        for (const KnownTunerAddress& candidate : kKnownTunerAddresses) {
            if (std::find(found.begin(), found.end(), candidate.read) != found.end()) {
                known = &candidate;
                break;
            }
        }
        read = known ? known->read : std::max(found[0], found[1]);
        write = known ? known->write : (BYTE)(read & 0xFE);
    }
    tuner->SetAddresses(read, write);
    return !found.empty();
}

BOOL CCaptureDevice::SelectTunerModel(int typeId)
{
    CTunerModel* tuner = CreateTunerModel(typeId);
    if (!tuner)
        return FALSE;
    LetterForTunerModel(typeId, &m_systemLetter);
    if (m_tuner) {
        tuner->SetNotifyWnd(m_tuner->GetNotifyWnd());
        delete m_tuner;
    }
    m_tuner = tuner;
    m_tunerModelId = typeId;
    return TRUE;
}

BOOL CCaptureDevice::ProbeTunerType(int typeId, DWORD kHz)
{
    CTunerModel* tuner = CreateTunerModel(typeId);
    if (!tuner)
        return FALSE;
    BOOL locked = FALSE;
    if (tuner->SetTvFrequency((float)kHz)) {
        Sleep(kProbeSettleMs);
        locked = tuner->IsTvLocked();
    }
    delete tuner;
    return locked;
}

BOOL CCaptureDevice::ReplaceTuner(CTunerModel* tuner)
{
    if (!tuner)
        return FALSE;
    delete m_tuner;
    m_tuner = tuner;
    return TRUE;
}

void CCaptureDevice::DeleteTuner()
{
    delete m_tuner;
    m_tuner = NULL;
}

const char* CCaptureDevice::GetTunerModelName() const
{
    InitTunerModelNames();
    const TunerModelNameMap& names = GetTunerModelNameMap();
    TunerModelNameMap::const_iterator it = names.find(m_tunerModelId);
    return it == names.end() ? "" : (LPCTSTR)it->second;
}

BOOL CCaptureDevice::SetTunerFrequency(DWORD kHz)
{
    if (!m_tuner)
        return FALSE;
    BOOL result = m_tuner->SetTvFrequency((float)kHz);
    if (m_tuner->GetReapplyStandard())
        result = m_tuner->SetVideoStandard(m_tuner->GetVideoStandard());
    return result;
}

BOOL CCaptureDevice::SetTunerStandard(long standard)
{
    if (!m_tuner)
        return FALSE;
    m_tuner->StoreVideoStandard((int)standard);
    return m_tuner->SetVideoStandard((int)standard);
}

std::vector<int> CCaptureDevice::GetTunerStandards() const
{
    return m_tuner ? m_tuner->GetSupportedStandards() : std::vector<int>();
}

BOOL CCaptureDevice::IsScanning() const
{
    return m_tuner && m_tuner->IsScanning();
}

BOOL CCaptureDevice::SetFmScanStep(int step)
{
    return m_tuner && m_tuner->SetFmScanStep(step);
}

BOOL CCaptureDevice::SetFmScanRange(int low, int high)
{
    return m_tuner && m_tuner->SetFmScanRange(low, high);
}

BOOL CCaptureDevice::SetTvSweepSteps(int jump, int halfWidth)
{
    return m_tuner && m_tuner->SetTvSweepSteps(jump, halfWidth);
}

BOOL CCaptureDevice::SetTvScanRange(int low, int high)
{
    return m_tuner && m_tuner->SetTvScanRange(low, high);
}

BOOL CCaptureDevice::SetFmFoundSkip(int skip)
{
    return m_tuner && m_tuner->SetFmFoundSkip(skip);
}

BOOL CCaptureDevice::SetTvScanSettleTime(int ms)
{
    if (!m_tuner)
        return FALSE;
    m_tuner->SetTvScanSettleTime(ms);
    return TRUE;
}

BOOL CCaptureDevice::IsTvLocked()
{
    return m_tuner && m_tuner->IsTvLocked();
}

BOOL CCaptureDevice::IsFmLocked()
{
    return m_tuner && m_tuner->IsFmLocked();
}

BOOL CCaptureDevice::GetTvStatus(int* code)
{
    return m_tuner && m_tuner->GetTvStatus(code);
}

BOOL CCaptureDevice::GetFmStatus(int* code)
{
    return m_tuner && m_tuner->GetFmStatus(code);
}
