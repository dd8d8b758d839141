#include "XceiveChip.h"

#include "ChipWait.h"
#include "I2CAccess.h"

#include <strmif.h>

namespace {

const DWORD kResetLowMs = 200;
const DWORD kBetweenTablesMs = 100;
const DWORD kTuneModeMs = 20;
const DWORD kTuneWordMs = 10;
const DWORD kGpioStrobeMs = 10;
const DWORD kLine2StrobeMs = 200;
const DWORD kLockAnswerMs = 50;

// A message carries at most this many data bytes after the address and register bytes.
const int kChunkData = 63;

const WORD kEndWord = 0xFFFF;
const WORD kWaitFlag = 0x8000;

// The tuning words: the mode word, then the divider in 15.625 kHz steps.
const BYTE kModeWord[] = {0x00, 0x02, 0x00, 0x00};
const BYTE kDividerRegister[] = {0x00, 0x00};
const BYTE kLockRegisterWord[] = {0x00, 0x02};

struct PolicyRow
{
    DWORD standards;
    CXceiveTables::Table base;
    CXceiveTables::Table standard;
};

const DWORD kMStandards = AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_NTSC_433 | AnalogVideo_PAL_H |
                          AnalogVideo_PAL_M | AnalogVideo_PAL_N | AnalogVideo_PAL_60;

const PolicyRow kFirstPolicy[] = {
    {kMStandards, CXceiveTables::kMBase, CXceiveTables::kMStandard},
    {AnalogVideo_PAL_B | AnalogVideo_PAL_G, CXceiveTables::kBgBase, CXceiveTables::kBgStandard},
    {AnalogVideo_PAL_D | AnalogVideo_SECAM_D | AnalogVideo_SECAM_H | AnalogVideo_SECAM_K | AnalogVideo_SECAM_K1,
     CXceiveTables::kBgBase, CXceiveTables::kDkStandard},
    {AnalogVideo_PAL_I, CXceiveTables::kBgBase, CXceiveTables::kIStandard},
    {AnalogVideo_SECAM_B | AnalogVideo_SECAM_G | AnalogVideo_SECAM_L | AnalogVideo_SECAM_L1, CXceiveTables::kBgBase,
     CXceiveTables::kSecamBglStandard},
};

const PolicyRow kSecondPolicy[] = {
    {kMStandards, CXceiveTables::kMBase, CXceiveTables::kMStandard2},
    {AnalogVideo_PAL_B | AnalogVideo_PAL_D | AnalogVideo_PAL_G | AnalogVideo_PAL_I | AnalogVideo_SECAM_B |
         AnalogVideo_SECAM_G,
     CXceiveTables::kBgBase, CXceiveTables::kBgiStandard2},
    {AnalogVideo_SECAM_D | AnalogVideo_SECAM_H | AnalogVideo_SECAM_K | AnalogVideo_SECAM_K1, CXceiveTables::kBgBase,
     CXceiveTables::kDkStandard2},
    {AnalogVideo_SECAM_L | AnalogVideo_SECAM_L1, CXceiveTables::kBgBase, CXceiveTables::kLStandard2},
};

// One standard is one bit; a value of several bits is none of the table's.
template <size_t N>
const PolicyRow* FindRow(const PolicyRow (&rows)[N], int standard)
{
    if (standard == 0 || (standard & (standard - 1)) != 0)
        return NULL;
    for (const PolicyRow& row : rows) {
        if (row.standards & (DWORD)standard)
            return &row;
    }
    return NULL;
}

} // namespace

CXceiveChip::CXceiveChip(CI2CAccess* access) : m_access(access)
{
}

BOOL CXceiveChip::Reset()
{
    if (!m_access)
        return FALSE;
    m_access->SetControlLine(0);
    ChipWait(kResetLowMs);
    return SUCCEEDED(m_access->SetControlLine(1));
}

BOOL CXceiveChip::Send(BYTE* message, int length, const XceiveDrive& drive)
{
    if (drive.framing == XceiveDrive::kAddressed)
        return SUCCEEDED(m_access->Write(message, length));
    return SUCCEEDED(m_access->Write(message + 1, length - 1));
}

BOOL CXceiveChip::SendTable(CXceiveTables::Table which, const XceiveDrive& drive)
{
    return SendTable(m_tables.Get(which), drive);
}

BOOL CXceiveChip::SendTable(const std::vector<BYTE>& table, const XceiveDrive& drive)
{
    if (!m_access)
        return FALSE;
    BOOL result = FALSE;
    size_t p = 0;
    // A table cut short ends the walk as a failure instead of reading past it.
    while (p + 2 <= table.size()) {
        WORD header = (WORD)(table[p] << 8 | table[p + 1]);
        if (header == kEndWord)
            return result;
        p += 2;
        if (header == 0) {
            result = Reset();
            if (!result)
                return FALSE;
        } else if (header & kWaitFlag) {
            ChipWait(header & ~kWaitFlag);
        } else {
            if (p + header > table.size())
                return FALSE;
            const BYTE* record = &table[p];
            BYTE message[2 + kChunkData];
            message[0] = kAddress;
            message[1] = record[0];
            for (int k = 1; k < header;) {
                int data = header - k > kChunkData ? kChunkData : header - k;
                CopyMemory(message + 2, record + k, data);
                result = Send(message, 2 + data, drive);
                if (!result)
                    return FALSE;
                if (drive.chunkWaitMs)
                    ChipWait(drive.chunkWaitMs);
                k += data;
            }
            p += header;
        }
    }
    return FALSE;
}

BOOL CXceiveChip::LoadStandard(int standard, const XceiveDrive& drive)
{
    if (drive.policy == XceiveDrive::kFirstPolicy) {
        Reset();
        const PolicyRow* row = FindRow(kFirstPolicy, standard);
        if (!row)
            return FALSE;
        BOOL base = SendTable(row->base, drive);
        ChipWait(kBetweenTablesMs);
        BOOL tables = SendTable(row->standard, drive);
        return base && tables;
    }
    if (!m_access)
        return FALSE;
    const PolicyRow* row = FindRow(kSecondPolicy, standard);
    if (!row)
        return TRUE;
    BOOL reset = Reset();
    BOOL base = SendTable(row->base, drive);
    BOOL tables = SendTable(row->standard, drive);
    return reset && base && tables;
}

BOOL CXceiveChip::LoadBaseTables(const XceiveDrive& drive)
{
    Reset();
    ChipWait(kBetweenTablesMs);
    BOOL result = SendTable(CXceiveTables::kMBase, drive);
    if (result) {
        ChipWait(kBetweenTablesMs);
        result = SendTable(CXceiveTables::kBgiStandard2, drive);
    }
    return result;
}

void CXceiveChip::Strobe(XceiveDrive::Strobe strobe)
{
    if (strobe == XceiveDrive::kGpioStrobe) {
        ChipWait(kGpioStrobeMs);
        m_access->WriteGpio(1, 0);
        ChipWait(kGpioStrobeMs);
        m_access->WriteGpio(0, 0);
    } else if (strobe == XceiveDrive::kControlLine2Strobe) {
        m_access->SetControlLine2(1);
        ChipWait(kLine2StrobeMs);
        m_access->SetControlLine2(0);
    }
}

BOOL CXceiveChip::Tune(float kHz, const XceiveDrive& drive)
{
    if (!m_access)
        return FALSE;
    BYTE mode[1 + sizeof(kModeWord)] = {kAddress};
    CopyMemory(mode + 1, kModeWord, sizeof(kModeWord));
    BOOL addressed = drive.framing == XceiveDrive::kAddressed;
    HRESULT hr = addressed ? m_access->Write(mode, sizeof(mode)) : m_access->Write(mode + 1, sizeof(mode) - 1);
    if (hr != S_OK)
        return FALSE;
    if (addressed)
        Strobe(drive.strobe);
    ChipWait(kTuneModeMs);
    // The frequency in 15.625 kHz steps.
    DWORD divider = (DWORD)((double)kHz * 64.0 / 1000.0);
    BYTE word[] = {kAddress, kDividerRegister[0], kDividerRegister[1], HIBYTE(LOWORD(divider)),
                   LOBYTE(LOWORD(divider))};
    BOOL result = Send(word, sizeof(word), drive);
    ChipWait(kTuneWordMs);
    return result;
}

BOOL CXceiveChip::ReadLockRegister(int* code, XceiveDrive::Framing framing)
{
    BYTE request[] = {kAddress, kLockRegisterWord[0], kLockRegisterWord[1]};
    BYTE buffer[4] = {kAddress, 0, 0, 0};
    if (framing == XceiveDrive::kAddressed) {
        *code = 0;
        if (m_access->Write(request, sizeof(request)) != S_OK)
            return FALSE;
        ChipWait(kLockAnswerMs);
        HRESULT hr = m_access->Read(buffer, 4);
        if (SUCCEEDED(hr) && buffer[1] == 1)
            *code = 1;
        return SUCCEEDED(hr);
    }
    *code = 2;
    if (m_access->Write(request + 1, sizeof(request) - 1) == S_OK) {
        ChipWait(kLockAnswerMs);
        // The unaddressed read fills the buffer from its start: the status word is those two
        // bytes, high byte first (reading it from bytes 1 and 2 could never give 1, a lock).
        if (m_access->Read(buffer, 2) == S_OK)
            *code = buffer[0] * 256 + buffer[1];
    }
    return *code == 1;
}

BOOL CXceiveChip::ReadCardLock(int* code)
{
    if (!m_access || !code)
        return FALSE;
    // A failed read counts as bit 0 set: no lock.
    BYTE value = 0x01;
    HRESULT hr = m_access->ReadRegByte(kLockRegisterOfCard, &value);
    if (FAILED(hr))
        value = 0x01;
    *code = (value & 1) == 0 ? 1 : 0;
    return SUCCEEDED(hr);
}

BOOL CXceiveChip::IsCardLocked(int* locked)
{
    int code = 0;
    BOOL answered = ReadCardLock(&code);
    if (locked)
        *locked = code == 1;
    return answered;
}

BOOL CXceiveChip::ReadStatus(int* code, const XceiveDrive& drive)
{
    if (!m_access || !code)
        return FALSE;
    if (drive.status == XceiveDrive::kCardRegister)
        return ReadCardLock(code);
    return ReadLockRegister(code, drive.framing);
}
