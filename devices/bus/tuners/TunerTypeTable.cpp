#include "TunerTypeTable.h"

#include "I2CAccess.h"

#include <strmif.h>

namespace {

const float kTvStepsPerKHz = 0.016f;

// The modules' own demodulator, whatever the box's demodulator address says.
const BYTE kModuleDemod = 0x86;
const BYTE kModuleDemodStatus = 0x87;
const BYTE kLockRegister = 31;
const BYTE kLockBusy = 0x40;

const BYTE kAuxiliarySecamL = 0x20;
const BYTE kAuxiliaryOther = 0xA0;
const int kLPrimeIfKHz = 33900;
const int kFixedIfKHz = 38900;
const DWORD kRadioSetUpMs = 10;
const DWORD kType13SettleMs = 100;
const int kNoLockCode = 9;

// Status codes by the demodulator's AFC field a (0-15; 0 and 15 in tune).
const BYTE kAfcCodes92[16] = {3, 2, 2, 2, 4, 4, 4, 4, 0, 0, 0, 0, 1, 1, 1, 3};
const BYTE kAfcCodes[16] = {3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 3};

// The demodulator's registers 0-2 for each standard column.
const BYTE kDemod13[3][CTunerTypeTable::kColumnCount] = {
    {0x56, 0x56, 0x56, 0x46, 0xC6}, {0x70, 0x70, 0x70, 0x50, 0x50}, {0x09, 0x0A, 0x0B, 0x4B, 0x13}};
const BYTE kDemod9293[3][CTunerTypeTable::kColumnCount] = {
    {0x16, 0x16, 0x16, 0x06, 0x86}, {0x70, 0x70, 0x70, 0x50, 0x50}, {0x49, 0x4A, 0x4B, 0x4B, 0x53}};
const BYTE kDemod75[3][CTunerTypeTable::kColumnCount] = {
    {0x16, 0x16, 0xD6, 0x06, 0x86}, {0x70, 0x70, 0x70, 0x70, 0x70}, {0x49, 0x4B, 0x4A, 0x4B, 0x47}};

WORD Divider(int ifKHz, float kHz)
{
    volatile float steps = (ifKHz + kHz) * kTvStepsPerKHz;
    return (WORD)(int)steps;
}

// A standard no routine lists takes the PAL B column; secamDK: SECAM D and K count as PAL D.
CTunerTypeTable::StandardColumn ColumnOf(int standard, bool secamDK)
{
    switch (standard) {
    case AnalogVideo_PAL_I: return CTunerTypeTable::kColumnPalI;
    case AnalogVideo_PAL_D: return CTunerTypeTable::kColumnPalD;
    case AnalogVideo_SECAM_L: return CTunerTypeTable::kColumnSecamL;
    case AnalogVideo_SECAM_L1: return CTunerTypeTable::kColumnSecamL1;
    case AnalogVideo_SECAM_D:
    case AnalogVideo_SECAM_K: return secamDK ? CTunerTypeTable::kColumnPalD : CTunerTypeTable::kColumnPalB;
    default: return CTunerTypeTable::kColumnPalB;
    }
}

} // namespace

const CTunerTypeTable::Routines CTunerTypeTable::kRoutines[] = {
    {13, NULL, NULL, &CTunerTypeTable::Standard13, NULL},
    {69, &CTunerTypeTable::TuneFixedHigh, &CTunerTypeTable::StatusAtC6, NULL, NULL},
    {72, &CTunerTypeTable::TuneFixedLow, &CTunerTypeTable::StatusAtC0, &CTunerTypeTable::Standard72, NULL},
    {73, &CTunerTypeTable::TuneFixedLow, &CTunerTypeTable::StatusAtC0Only, NULL, NULL},
    {75, &CTunerTypeTable::TuneFixedLow, &CTunerTypeTable::StatusDemod, &CTunerTypeTable::Standard75, NULL},
    {92, &CTunerTypeTable::TuneSixBytesLPrime, &CTunerTypeTable::StatusDemod92, &CTunerTypeTable::Standard9293,
     &CTunerTypeTable::Fm92},
    {93, &CTunerTypeTable::TuneSixBytes, &CTunerTypeTable::StatusDemod, &CTunerTypeTable::Standard9293, NULL},
};

CTunerTypeTable::CTunerTypeTable(CI2CAccess* access)
    : CTunerModel(access), m_demodBusy(TRUE), m_demodAddress(0x42)
{
    m_lowBandEnd = m_midBandStart = 170000;
    m_midBandEnd = m_highBandStart = 450000;
    m_makerLetter = 'T';
    m_fmLow = m_fmHigh = 0;
    m_fmSupported = FALSE;
    m_fmIf = 0;
    m_typeId = 4;
    m_lockMask = 0x40;
    m_readAddress = 0xC7;
    m_writeAddress = 0xC6;
    m_tvControlByte = 0xCE;
    m_lowBandByte = 0x01;
    m_midBandByte = 0x02;
    m_highBandByte = 0x08;
    m_bandLow = 48250;
    m_bandHigh = 863250;
    m_tvIf = 38900;
}

CTunerTypeTable::~CTunerTypeTable()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

void CTunerTypeTable::CopyModelParams(const CTunerModel* source)
{
    if (!source)
        return;
    m_makerLetter = source->m_makerLetter;
    m_typeId = source->m_typeId;
    m_lockMask = source->m_lockMask;
    if (m_typeId == 13)
        m_readAddress = 0x86;
    m_tvControlByte = source->m_tvControlByte;
    m_lowBandByte = source->m_lowBandByte;
    m_midBandByte = source->m_midBandByte;
    m_highBandByte = source->m_highBandByte;
    m_bandLow = source->m_bandLow;
    m_lowBandEnd = source->m_lowBandEnd;
    m_midBandStart = source->m_midBandStart;
    m_midBandEnd = source->m_midBandEnd;
    m_highBandStart = source->m_highBandStart;
    m_bandHigh = source->m_bandHigh;
    m_fmLow = source->m_fmLow;
    m_fmHigh = source->m_fmHigh;
    m_tvIf = source->m_tvIf;
    m_fmSupported = source->m_fmSupported;
    m_fmStep = source->m_fmStep;
    m_fmControlByte = source->m_fmControlByte;
    m_fmBandByte = source->m_fmBandByte;
    m_fmIf = source->m_fmIf;
    m_fmLockCode = source->m_fmLockCode;
    if (m_typeId == 72 || m_typeId == 73) {
        m_afcCodeUp125 = source->m_afcCodeUp125;
        m_afcCodeUp62 = source->m_afcCodeUp62;
        m_inTuneCode = source->m_inTuneCode;
        m_afcCodeDown62 = source->m_afcCodeDown62;
        m_afcCodeDown125 = source->m_afcCodeDown125;
    }
    m_supportedStandards.insert(m_supportedStandards.end(), source->m_supportedStandards.begin(),
                                source->m_supportedStandards.end());
}

const CTunerTypeTable::Routines* CTunerTypeTable::FindRoutines() const
{
    for (const Routines& routines : kRoutines) {
        if (routines.typeId == m_typeId)
            return &routines;
    }
    return NULL;
}

BOOL CTunerTypeTable::SetFmFrequency(float kHz)
{
    const Routines* routines = FindRoutines();
    return routines && routines->fm ? (this->*routines->fm)(kHz) : CTunerModel::SetFmFrequency(kHz);
}

BOOL CTunerTypeTable::SetTvFrequency(float kHz)
{
    const Routines* routines = FindRoutines();
    return routines && routines->tune ? (this->*routines->tune)(kHz) : CTunerModel::SetTvFrequency(kHz);
}

BOOL CTunerTypeTable::GetTvStatus(int* code)
{
    const Routines* routines = FindRoutines();
    return routines && routines->status ? (this->*routines->status)(code) : CTunerModel::GetTvStatus(code);
}

BOOL CTunerTypeTable::SetVideoStandard(int standard)
{
    const Routines* routines = FindRoutines();
    return routines && routines->standard ? (this->*routines->standard)(standard) : TRUE;
}

// The box's demodulator reports a picture carrier with bit 6 of register 31 clear.
BOOL CTunerTypeTable::IsTvLocked()
{
    if (!m_access)
        return FALSE;
    BYTE value = 0;
    HRESULT hr = m_access->ReadByte(m_demodAddress, kLockRegister, &value);
    m_demodBusy = FALSE;
    return SUCCEEDED(hr) && !(value & kLockBusy);
}

// The two fixed-IF module kinds differ only in their address, band edges and control byte.
struct FixedTuning { BYTE address; float lowEdge; float midEdge; BYTE control; };
static const FixedTuning s_fixedLow  = {0xC0, 147250, 425250, 0x8E};
static const FixedTuning s_fixedHigh = {0xC6, 168250, 471250, 0xCE};

static BOOL TuneFixed(CI2CAccess* access, const FixedTuning& t, WORD divider, float kHz)
{
    BYTE band = kHz < t.lowEdge ? 0x01 : (kHz < t.midEdge ? 0x02 : 0x08);
    BYTE message[] = {t.address, HIBYTE(divider), LOBYTE(divider), t.control, band};
    return access->Write(message, sizeof(message)) == S_OK;
}

BOOL CTunerTypeTable::TuneFixedLow(float kHz)
{
    return m_access && TuneFixed(m_access, s_fixedLow, Divider(kFixedIfKHz, kHz), kHz);
}

BOOL CTunerTypeTable::TuneFixedHigh(float kHz)
{
    return m_access && TuneFixed(m_access, s_fixedHigh, Divider(kFixedIfKHz, kHz), kHz);
}

BOOL CTunerTypeTable::TuneSixBytes(float kHz)
{
    return TuneSixBytesAt(kHz, m_tvIf);
}

BOOL CTunerTypeTable::TuneSixBytesLPrime(float kHz)
{
    return TuneSixBytesAt(kHz, m_videoStandard == AnalogVideo_SECAM_L1 ? kLPrimeIfKHz : m_tvIf);
}

BOOL CTunerTypeTable::TuneSixBytesAt(float kHz, int ifKHz)
{
    if (!m_access)
        return FALSE;
    BYTE band = m_highBandByte;
    if (kHz < m_lowBandEnd)
        band = m_lowBandByte;
    else if (kHz < m_midBandEnd)
        band = m_midBandByte;
    bool secamL = m_videoStandard == AnalogVideo_SECAM_L || m_videoStandard == AnalogVideo_SECAM_L1;
    WORD divider = Divider(ifKHz, kHz);
    BYTE message[] = {m_writeAddress, HIBYTE(divider), LOBYTE(divider), m_tvControlByte, band,
                      secamL ? kAuxiliarySecamL : kAuxiliaryOther};
    return m_access->Write(message, sizeof(message)) == S_OK;
}

BOOL CTunerTypeTable::ReadPllStatus(BYTE address, int failCode, BOOL setFailCode, int* code)
{
    if (!m_access || !code)
        return FALSE;
    BYTE status = address;
    if (FAILED(m_access->Read(&status, 1)))
        return FALSE;
    if (!(status & m_lockMask)) {
        if (setFailCode)
            *code = failCode;
        return FALSE;
    }
    *code = status & 7;
    return TRUE;
}

BOOL CTunerTypeTable::StatusAtC0(int* code)
{
    return ReadPllStatus(0xC0, kNoLockCode, TRUE, code);
}

BOOL CTunerTypeTable::StatusAtC6(int* code)
{
    return ReadPllStatus(0xC6, kNoLockCode, TRUE, code);
}

BOOL CTunerTypeTable::StatusAtC0Only(int* code)
{
    return ReadPllStatus(0xC0, 0, FALSE, code);
}

BOOL CTunerTypeTable::ReadDemodAfc(BYTE* a)
{
    if (!m_access)
        return FALSE;
    BYTE status = kModuleDemodStatus;
    if (FAILED(m_access->Read(&status, 1)))
        return FALSE;
    *a = (BYTE)((status >> 1) & 15);
    return TRUE;
}

BOOL CTunerTypeTable::StatusDemod92(int* code)
{
    return DecodeDemodAfc(kAfcCodes92, code);
}

BOOL CTunerTypeTable::StatusDemod(int* code)
{
    return DecodeDemodAfc(kAfcCodes, code);
}

BOOL CTunerTypeTable::DecodeDemodAfc(const BYTE* codes, int* code)
{
    BYTE a = 0;
    if (!code || !ReadDemodAfc(&a))
        return FALSE;
    *code = codes[a];
    return TRUE;
}

BOOL CTunerTypeTable::WriteDemodColumn(const BYTE (*table)[kColumnCount], StandardColumn column)
{
    if (!m_access)
        return FALSE;
    m_access->WriteByte(kModuleDemod, 0, table[0][column]);
    m_access->WriteByte(kModuleDemod, 1, table[1][column]);
    return m_access->WriteByte(kModuleDemod, 2, table[2][column]) == S_OK;
}

BOOL CTunerTypeTable::Standard13(int standard)
{
    BOOL result = WriteDemodColumn(kDemod13, ColumnOf(standard, false));
    if (m_access) {
        Sleep(kType13SettleMs);
        BYTE registers[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i)
            m_access->ReadByte(kModuleDemod, i, &registers[i]);
    }
    return result;
}

BOOL CTunerTypeTable::Standard72(int standard)
{
    if (!m_access)
        return FALSE;
    BYTE last = standard == AnalogVideo_PAL_B ? 'I' : (standard == AnalogVideo_PAL_D ? 'K' : 'J');
    BYTE writes[3][3] = {{kModuleDemod, 0, 0xD6}, {kModuleDemod, 1, 0x70}, {kModuleDemod, 2, last}};
    for (BYTE* write : writes) {
        if (m_access->Write(write, 3) != S_OK)
            return FALSE;
    }
    return TRUE;
}

BOOL CTunerTypeTable::Standard75(int standard)
{
    return WriteDemodColumn(kDemod75, ColumnOf(standard, false));
}

BOOL CTunerTypeTable::Standard9293(int standard)
{
    return WriteDemodColumn(kDemod9293, ColumnOf(standard, true));
}

// The radio needs the module's set-up bytes first. The divider counts the module's 50 kHz
// steps, as its own family model does; the x 5 / 1000 of the programming this follows tuned
// a quarter of the frequency.
BOOL CTunerTypeTable::Fm92(float kHz)
{
    if (!m_access)
        return FALSE;
    BYTE setUp1[] = {m_writeAddress, 0x08, 0xFF, 0x8E, 0x01};
    BYTE setUp2[] = {m_writeAddress, 0x08, 0xFF, 0x8E, 0x19};
    BYTE radio[] = {kModuleDemod, 0x00, 0x5A, 0x90, 0x20};
    if (m_access->Write(setUp1, sizeof(setUp1)) != S_OK || m_access->Write(setUp2, sizeof(setUp2)) != S_OK)
        return FALSE;
    Sleep(kRadioSetUpMs);
    if (m_access->Write(radio, sizeof(radio)) != S_OK)
        return FALSE;
    DWORD divider = (((DWORD)(int)kHz + 10700) * 20) / 1000;
    BYTE message[] = {m_writeAddress, HIBYTE(LOWORD(divider)), LOBYTE(LOWORD(divider)), m_fmControlByte, m_fmBandByte};
    return SUCCEEDED(m_access->Write(message, sizeof(message)));
}
