#include "TunerModel.h"

#include "FmScanThread.h"
#include "I2CAccess.h"
#include "SignalSource.h"
#include "TvScanThread.h"

#include <new>

namespace {

// The built-in channel table: runs of picture carriers 8 MHz apart (MHz).
struct ChannelRun
{
    float firstMHz;
    int count;
};

const ChannelRun kBuiltInChannels[] = {
    // first, count
    {49.75f, 1},
    {57.75f, 2},
    {77.25f, 2},
    {112.25f, 45},
    {471.25f, 12},
    {607.25f, 33},
};

const float kChannelSpacingMHz = 8.0f;

// Dividers count steps of the PLL's reference: 62.5 kHz for TV, 31.25 kHz for FM.
const float kTvStepsPerKHz = 0.016f;
const double kFmStepsPerKHz = 0.032;

// AnalogVideo_PAL_B.
const int kDefaultVideoStandard = 0x10;

// The AFC position in the module's status byte.
const BYTE kStatusCodeMask = 0x07;

// The owner's first lock answer may lag a fresh tuning.
const DWORD kLockRetryMs = 10;

std::vector<float> BuiltInChannelTable()
{
    std::vector<float> table;
    for (size_t i = 0; i < sizeof(kBuiltInChannels) / sizeof(kBuiltInChannels[0]); ++i) {
        for (int k = 0; k < kBuiltInChannels[i].count; ++k)
            table.push_back(kBuiltInChannels[i].firstMHz + k * kChannelSpacingMHz);
    }
    return table;
}

// Truncation of a single-precision product. The store through a volatile float rounds x87's
// wider intermediate to single precision first, as the module's divider formula expects.
WORD TvDivider(int ifKHz, float kHz)
{
    volatile float steps = (ifKHz + kHz) * kTvStepsPerKHz;
    return (WORD)(int)steps;
}

} // namespace

CTunerModel::CTunerModel(CI2CAccess* access)
    : m_access(access),
      m_bandLow(48250), m_lowBandEnd(170000), m_midBandStart(170000), m_midBandEnd(450000),
      m_highBandStart(450000), m_bandHigh(863250),
      m_fmLow(0), m_fmHigh(0), m_fmSupported(FALSE), m_tvIf(38900), m_fmIf(0),
      m_tvTableWindow(625), m_tvStep2(125), m_fmStep(100), m_fmFoundSkip(100),
      m_tvSweepJump(3500), m_tvSweepHalfWidth(1000), m_settleTime(60),
      m_sweepLow(48250), m_sweepHigh(863250),
      m_lowBandByte(0x01), m_midBandByte(0x02), m_highBandByte(0x08), m_tvControlByte(0xCE),
      m_lockMask(0x40), m_readAddress(0xC0), m_writeAddress(0xC0),
      m_fmControlByte(0xCE), m_fmBandByte(0x01),
      m_afcCodeUp125(4), m_afcCodeUp62(3), m_inTuneCode(2), m_afcCodeDown62(1),
      m_afcCodeDown125(0), m_fmLockCode(4),
      m_makerLetter('N'), m_typeId(0), m_secondTypeId(0), m_reapplyStandard(FALSE),
      m_videoStandard(kDefaultVideoStandard),
      m_channelTable(BuiltInChannelTable()), m_notifyWnd(NULL), m_ownerDevice(NULL),
      m_tvScanThread(NULL), m_fmScanThread(NULL), m_scanning(FALSE)
{
}

CTunerModel::~CTunerModel()
{
    DeleteScanThreads();
}

BOOL CTunerModel::SetFmFrequency(float kHz)
{
    // Without an FM part the write would only detune the TV tuner.
    if (!m_fmSupported)
        return FALSE;
    if (kHz < m_fmLow)
        kHz = (float)m_fmLow;
    if (kHz > m_fmHigh)
        kHz = (float)m_fmHigh;
    WORD divider = (WORD)(int)((m_fmIf + (double)kHz) * kFmStepsPerKHz);
    return WriteTuning(divider, m_fmControlByte, m_fmBandByte);
}

BOOL CTunerModel::GetFmStatus(int* code)
{
    return ReadStatus(code);
}

BOOL CTunerModel::IsFmLocked()
{
    int code = kNoCode;
    return GetFmStatus(&code) && code == m_fmLockCode;
}

BOOL CTunerModel::IsTvLocked()
{
    int code = kNoCode;
    return GetTvStatus(&code) && code == m_inTuneCode;
}

BOOL CTunerModel::SetTvFrequency(float kHz)
{
    if (kHz > m_bandHigh || kHz < m_bandLow)
        return FALSE;
    BYTE band = m_highBandByte;
    if (kHz < m_lowBandEnd)
        band = m_lowBandByte;
    else if (kHz < m_midBandEnd)
        band = m_midBandByte;
    return WriteTuning(TvDivider(m_tvIf, kHz), m_tvControlByte, band);
}

BOOL CTunerModel::GetTvStatus(int* code)
{
    return ReadStatus(code);
}

BOOL CTunerModel::CreateFmScanThread()
{
    delete m_fmScanThread;
    m_fmScanThread = new (std::nothrow) CFmScanThread(this);
    return m_fmScanThread != NULL;
}

BOOL CTunerModel::CreateTvScanThread()
{
    delete m_tvScanThread;
    m_tvScanThread = new (std::nothrow) CTvScanThread(this);
    return m_tvScanThread != NULL;
}

BOOL CTunerModel::SetVideoStandard(int)
{
    return TRUE;
}

int CTunerModel::GetOwnerAccessMode() const
{
    return m_ownerDevice ? m_ownerDevice->GetAccessMode() : 0;
}

BOOL CTunerModel::IsSignalLocked(int* locked)
{
    if (!m_ownerDevice)
        return FALSE;
    long flag = 0;
    HRESULT hr = m_ownerDevice->IsSignalLocked(&flag);
    if (SUCCEEDED(hr) && !flag) {
        Sleep(kLockRetryMs);
        hr = m_ownerDevice->IsSignalLocked(&flag);
    }
    if (FAILED(hr))
        return FALSE;
    if (locked)
        *locked = (int)flag;
    return TRUE;
}

BOOL CTunerModel::StartScan(BOOL tv, BOOL sweep)
{
    if (m_scanning)
        return FALSE;
    if (tv) {
        if (!CreateTvScanThread())
            return FALSE;
        InterlockedExchange(&m_scanning, TRUE);
        m_tvScanThread->SetTableWindow(m_tvTableWindow);
        m_tvScanThread->SetStep2(m_tvStep2);
        if (sweep) {
            m_tvScanThread->SetSweepJump(m_tvSweepJump);
            m_tvScanThread->SetSweepHalfWidth(m_tvSweepHalfWidth);
            m_tvScanThread->SetSweepRange(m_sweepLow, m_sweepHigh);
        }
        m_tvScanThread->SetMode(sweep);
        m_tvScanThread->SetSettleTime(m_settleTime);
        m_tvScanThread->Resume();
        return TRUE;
    }
    if (!m_fmSupported || !CreateFmScanThread())
        return FALSE;
    InterlockedExchange(&m_scanning, TRUE);
    m_fmScanThread->SetRange(m_fmLow, m_fmHigh);
    m_fmScanThread->SetStep(m_fmStep);
    m_fmScanThread->SetFoundSkip(m_fmFoundSkip);
    m_fmScanThread->Resume();
    return TRUE;
}

void CTunerModel::StopScan()
{
    InterlockedExchange(&m_scanning, FALSE);
    DeleteScanThreads();
}

BOOL CTunerModel::IsScanning() const
{
    return m_scanning != FALSE;
}

BOOL CTunerModel::SetChannelTable(const float* mhz, int count)
{
    if (!mhz || count < 0)
        return FALSE;
    m_channelTable.assign(mhz, mhz + count);
    return TRUE;
}

BOOL CTunerModel::SetFmScanStep(int step)
{
    if (step < 1)
        return FALSE;
    m_fmStep = step;
    return TRUE;
}

BOOL CTunerModel::SetFmScanRange(int low, int high)
{
    if (!m_fmSupported || low < 1 || high < low)
        return FALSE;
    m_fmLow = low;
    m_fmHigh = high;
    return TRUE;
}

BOOL CTunerModel::SetFmFoundSkip(int skip)
{
    if (skip < 1)
        return FALSE;
    m_fmFoundSkip = skip;
    return TRUE;
}

BOOL CTunerModel::SetTvSweepSteps(int jump, int halfWidth)
{
    if (halfWidth < 1 || jump <= halfWidth)
        return FALSE;
    m_tvSweepJump = jump;
    m_tvSweepHalfWidth = halfWidth;
    return TRUE;
}

BOOL CTunerModel::SetTvScanRange(int low, int high)
{
    if (low < 1 || high <= low)
        return FALSE;
    m_sweepLow = low;
    m_sweepHigh = high;
    return TRUE;
}

void CTunerModel::SetTvScanTableWindow(int kHz)
{
    m_tvTableWindow = kHz;
    if (m_tvScanThread)
        m_tvScanThread->SetTableWindow(kHz);
}

void CTunerModel::SetTvScanStep2(int kHz)
{
    m_tvStep2 = kHz;
    if (m_tvScanThread)
        m_tvScanThread->SetStep2(kHz);
}

void CTunerModel::SetTvScanSettleTime(int ms)
{
    if (ms <= 0)
        return;
    m_settleTime = ms;
    if (m_tvScanThread)
        m_tvScanThread->SetSettleTime(ms);
}

BOOL CTunerModel::ReadStatus(int* code)
{
    if (!code || !m_access)
        return FALSE;
    BYTE status = m_readAddress;
    if (FAILED(m_access->Read(&status, 1)) || !(status & m_lockMask))
        return FALSE;
    *code = status & kStatusCodeMask;
    return TRUE;
}

BOOL CTunerModel::WriteTuning(WORD divider, BYTE control, BYTE band)
{
    if (!m_access)
        return FALSE;
    BYTE bytes[5] = {m_writeAddress, HIBYTE(divider), LOBYTE(divider), control, band};
    return m_access->Write(bytes, sizeof(bytes)) == S_OK;
}

void CTunerModel::DeleteScanThreads()
{
    delete m_tvScanThread;
    m_tvScanThread = NULL;
    delete m_fmScanThread;
    m_fmScanThread = NULL;
}
