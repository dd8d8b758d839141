#include "IfDemodulator.h"

#include "I2CAccess.h"

#include <strmif.h>

namespace {

enum { kRegisterCount = 3, kMaxGroups = 6 };

// Status byte, as the modules report it: the AFC position of the carrier in bits 1-4, and
// two carrier bits that the radio modules test.
const int kAfcShift = 1;
const BYTE kAfcMask = 0x0F;
const BYTE kCarrierInRange = 0x80;
const BYTE kFmCarrier = 0x20;

enum WriteForm {
    // One register write per register; all run, and only the third's result counts.
    WRITE_REGISTERS,
    // One register write per register; the results are not looked at.
    WRITE_REGISTERS_UNCHECKED,
    // A three-byte message per register; all run, and only the first's result counts.
    WRITE_MESSAGES_FIRST_COUNTS,
    // A three-byte message per register, up to the first that fails.
    WRITE_MESSAGES_UNTIL_FAILURE,
    // One message with the three registers from sub-address 0 on.
    WRITE_BLOCK
};

struct Group
{
    int standards;                  // AnalogVideoStandard bits of the group
    BYTE registers[kRegisterCount]; // sub-addresses 0, 1, 2
};

// The first group also takes every standard that no group of the set lists.
struct SetRecord
{
    CIfDemodulator::Set set;
    WriteForm form;
    DWORD settleMs;                 // wait after the writes
    int groupCount;
    Group groups[kMaxGroups];
};

enum Standard {
    NTSC_M = AnalogVideo_NTSC_M,
    NTSC_M_J = AnalogVideo_NTSC_M_J,
    PAL_B = AnalogVideo_PAL_B,
    PAL_D = AnalogVideo_PAL_D,
    PAL_I = AnalogVideo_PAL_I,
    SECAM_B = AnalogVideo_SECAM_B,
    SECAM_D = AnalogVideo_SECAM_D,
    SECAM_G = AnalogVideo_SECAM_G,
    SECAM_K = AnalogVideo_SECAM_K,
    SECAM_L = AnalogVideo_SECAM_L,
    SECAM_L1 = AnalogVideo_SECAM_L1,
    ANY = 0
};

const SetRecord kSets[] = {
    // set, write form, settle ms, group count, groups {standards, {register 0, 1, 2}}
    {CIfDemodulator::SET_J1, WRITE_REGISTERS, 100, 5, {{PAL_B, {0x56, 0x70, 0x09}}, {PAL_I, {0x56, 0x70, 0x0A}}, {PAL_D, {0x56, 0x70, 0x0B}}, {SECAM_L, {0x46, 0x70, 0x0B}}, {SECAM_L1, {0xC6, 0x70, 0x13}}}},
    {CIfDemodulator::SET_J2, WRITE_REGISTERS, 100, 5, {{PAL_B, {0x56, 0x70, 0x09}}, {PAL_I, {0x56, 0x70, 0x0A}}, {PAL_D, {0x56, 0x70, 0x0B}}, {SECAM_L, {0x46, 0x50, 0x4B}}, {SECAM_L1, {0xC6, 0x50, 0x13}}}},
    {CIfDemodulator::SET_P6, WRITE_REGISTERS, 0, 6, {{PAL_B, {0x16, 0x70, 0x49}}, {PAL_D, {0x16, 0x70, 0x4B}}, {PAL_I, {0x16, 0x70, 0x4A}}, {SECAM_L, {0x06, 0x50, 0x4B}}, {SECAM_L1, {0x86, 0x50, 0x53}}, {SECAM_D | SECAM_K, {0x16, 0x70, 0x4B}}}},
    {CIfDemodulator::SET_P5, WRITE_REGISTERS, 0, 5, {{PAL_B, {0x16, 0x70, 0x49}}, {PAL_D, {0x16, 0x70, 0x4B}}, {PAL_I, {0x16, 0x70, 0x4A}}, {SECAM_L, {0x06, 0x50, 0x4B}}, {SECAM_L1, {0x86, 0x50, 0x53}}}},
    {CIfDemodulator::SET_L5, WRITE_REGISTERS, 0, 5, {{PAL_B, {0x16, 0x70, 0x49}}, {PAL_I, {0x16, 0x70, 0x4B}}, {PAL_D, {0xD6, 0x70, 0x4A}}, {SECAM_L, {0x06, 0x70, 0x4B}}, {SECAM_L1, {0x86, 0x70, 0x47}}}},
    {CIfDemodulator::SET_T4, WRITE_REGISTERS, 0, 4, {{PAL_B, {0x16, 0x70, 0x49}}, {PAL_D, {0x16, 0x70, 0x4B}}, {PAL_I, {0x16, 0x70, 0x4A}}, {SECAM_L, {0x06, 0x50, 0x4B}}}},
    {CIfDemodulator::SET_T4B, WRITE_REGISTERS, 0, 4, {{PAL_B, {0x16, 0x70, 0x49}}, {PAL_D, {0x16, 0x70, 0x4B}}, {PAL_I, {0x16, 0x30, 0x4A}}, {SECAM_B | SECAM_D | SECAM_G | SECAM_K | SECAM_L, {0x06, 0x50, 0x4B}}}},
    {CIfDemodulator::SET_N2, WRITE_REGISTERS, 0, 2, {{NTSC_M, {0x16, 0x70, 0x00}}, {NTSC_M_J, {0x16, 0x70, 0x00}}}},
    {CIfDemodulator::SET_T3, WRITE_MESSAGES_FIRST_COUNTS, 0, 3, {{PAL_B, {0xD6, 0x30, 0x49}}, {PAL_I, {0xD6, 0x30, 0x4A}}, {PAL_D, {0xD6, 0x30, 0x4A}}}},
    {CIfDemodulator::SET_W, WRITE_MESSAGES_FIRST_COUNTS, 0, 3, {{PAL_B, {0x52, 0x70, 0x09}}, {PAL_I, {0x52, 0x70, 0x0A}}, {PAL_D, {0x52, 0x70, 0x0B}}}},
    {CIfDemodulator::SET_LGM200T, WRITE_MESSAGES_UNTIL_FAILURE, 0, 3, {{ANY, {0xD6, 0x70, 0x4A}}, {PAL_B, {0xD6, 0x70, 0x49}}, {PAL_D, {0xD6, 0x70, 0x4B}}}},
    {CIfDemodulator::SET_FIXED_D6_30_00, WRITE_MESSAGES_UNTIL_FAILURE, 0, 1, {{ANY, {0xD6, 0x30, 0x00}}}},
    {CIfDemodulator::SET_FIXED_56_30_44, WRITE_MESSAGES_UNTIL_FAILURE, 0, 1, {{ANY, {0x56, 0x30, 0x44}}}},
    {CIfDemodulator::SET_FIXED_56_30_40, WRITE_MESSAGES_UNTIL_FAILURE, 0, 1, {{ANY, {0x56, 0x30, 0x40}}}},
    {CIfDemodulator::SET_ENGE4326D, WRITE_REGISTERS_UNCHECKED, 0, 1, {{ANY, {0xD0, 0x0D, 0x80}}}},
    {CIfDemodulator::SET_RADIO_PHILIPS1216, WRITE_BLOCK, 0, 1, {{ANY, {0x5A, 0x90, 0x20}}}},
    {CIfDemodulator::SET_RADIO_FM1236MK3, WRITE_MESSAGES_UNTIL_FAILURE, 0, 1, {{ANY, {0x0A, 0x90, 0x20}}}},
    {CIfDemodulator::SET_RADIO_TNJ, WRITE_REGISTERS_UNCHECKED, 0, 1, {{ANY, {0x5D, 0x10, 0x00}}}},
};
static_assert(sizeof(kSets) / sizeof(kSets[0]) == CIfDemodulator::SET_COUNT,
              "the demodulator set table and its enum disagree");

// Position per range of the AFC field: 0 or 15, 1-3, 4-7, 8-11, 12-14.
struct StatusFormRecord
{
    CIfDemodulator::StatusForm form;
    CIfDemodulator::AfcPosition positions[5];
};

const CIfDemodulator::AfcPosition UP_125 = CIfDemodulator::AFC_UP_125;
const CIfDemodulator::AfcPosition UP_62 = CIfDemodulator::AFC_UP_62;
const CIfDemodulator::AfcPosition IN_TUNE = CIfDemodulator::AFC_IN_TUNE;
const CIfDemodulator::AfcPosition DOWN_62 = CIfDemodulator::AFC_DOWN_62;
const CIfDemodulator::AfcPosition DOWN_125 = CIfDemodulator::AFC_DOWN_125;

const StatusFormRecord kStatusForms[] = {
    // form, positions
    {CIfDemodulator::STATUS_A, {IN_TUNE, UP_62, UP_125, DOWN_125, DOWN_62}},
    {CIfDemodulator::STATUS_B, {IN_TUNE, IN_TUNE, UP_62, UP_62, DOWN_62}},
    {CIfDemodulator::STATUS_C, {IN_TUNE, UP_62, UP_62, UP_62, DOWN_62}},
    {CIfDemodulator::STATUS_D, {IN_TUNE, IN_TUNE, UP_62, UP_62, IN_TUNE}},
};
static_assert(sizeof(kStatusForms) / sizeof(kStatusForms[0]) == CIfDemodulator::STATUS_FORM_COUNT,
              "the status form table and its enum disagree");

struct FmStatusFormRecord
{
    CIfDemodulator::FmStatusForm form;
    bool bothCarrierBits;           // else either bit will do
    WORD centredFields;             // bit n: an AFC field of n counts as centred
};

const FmStatusFormRecord kFmStatusForms[] = {
    // form, both carrier bits, centred AFC fields
    {CIfDemodulator::FM_BOTH_CARRIER_BITS, true, 0xE007},   // 0-2, 13-15
    {CIfDemodulator::FM_EITHER_CARRIER_BIT, false, 0xC007}, // 0-2, 14, 15
};
static_assert(sizeof(kFmStatusForms) / sizeof(kFmStatusForms[0]) == CIfDemodulator::FM_STATUS_FORM_COUNT,
              "the FM status form table and its enum disagree");

// The row of key in one of the tables above; NULL when it has none.
template <class Record, size_t N, class Key>
const Record* FindRow(const Record (&table)[N], Key Record::*column, Key key)
{
    for (size_t i = 0; i < N; ++i) {
        if (table[i].*column == key)
            return &table[i];
    }
    return NULL;
}

const BYTE* GroupBytes(const SetRecord& record, int standard)
{
    for (int i = 0; i < record.groupCount; ++i) {
        if (record.groups[i].standards & standard)
            return record.groups[i].registers;
    }
    return record.groups[0].registers;
}

int AfcField(BYTE status)
{
    return (status >> kAfcShift) & kAfcMask;
}

int AfcRange(int field)
{
    if (field == 0 || field == 15)
        return 0;
    if (field <= 3)
        return 1;
    if (field <= 7)
        return 2;
    if (field <= 11)
        return 3;
    return 4;
}

} // namespace

CIfDemodulator::CIfDemodulator(CI2CAccess* access)
    : m_access(access)
{
}

BOOL CIfDemodulator::WriteSet(Set set, int standard)
{
    const SetRecord* found = FindRow(kSets, &SetRecord::set, set);
    if (!m_access || !found)
        return FALSE;
    const SetRecord& record = *found;
    const BYTE* bytes = GroupBytes(record, standard);
    BOOL result = FALSE;
    switch (record.form) {
    case WRITE_REGISTERS:
    case WRITE_REGISTERS_UNCHECKED:
        result = WriteRegisters(bytes, record.form == WRITE_REGISTERS);
        break;
    case WRITE_MESSAGES_FIRST_COUNTS:
    case WRITE_MESSAGES_UNTIL_FAILURE:
        result = WriteMessages(bytes, record.form == WRITE_MESSAGES_UNTIL_FAILURE);
        break;
    case WRITE_BLOCK:
        result = WriteBlock(bytes);
        break;
    }
    if (record.settleMs)
        Sleep(record.settleMs);
    return result;
}

BOOL CIfDemodulator::WriteRegisters(const BYTE* bytes, bool checked)
{
    HRESULT last = S_OK;
    for (int sub = 0; sub < kRegisterCount; ++sub)
        last = m_access->WriteByte(kWriteAddress, sub, bytes[sub]);
    return !checked || last == S_OK;
}

BOOL CIfDemodulator::WriteMessages(const BYTE* bytes, bool untilFailure)
{
    HRESULT first = S_OK;
    for (int sub = 0; sub < kRegisterCount; ++sub) {
        BYTE message[3] = {kWriteAddress, (BYTE)sub, bytes[sub]};
        HRESULT hr = m_access->Write(message, sizeof(message));
        if (untilFailure && FAILED(hr))
            return FALSE;
        if (sub == 0)
            first = hr;
    }
    return untilFailure || first == S_OK;
}

BOOL CIfDemodulator::WriteBlock(const BYTE* bytes)
{
    BYTE message[2 + kRegisterCount] = {kWriteAddress, 0, bytes[0], bytes[1], bytes[2]};
    return SUCCEEDED(m_access->Write(message, sizeof(message)));
}

BOOL CIfDemodulator::ReadStatusByte(BYTE* status, bool needOk)
{
    if (!m_access)
        return FALSE;
    *status = kReadAddress;
    HRESULT hr = m_access->Read(status, 1);
    return needOk ? hr == S_OK : SUCCEEDED(hr);
}

BOOL CIfDemodulator::ReadTvStatus(StatusForm form, AfcPosition* position)
{
    const StatusFormRecord* record = FindRow(kStatusForms, &StatusFormRecord::form, form);
    BYTE status = 0;
    if (!position || !record || !ReadStatusByte(&status, true))
        return FALSE;
    *position = record->positions[AfcRange(AfcField(status))];
    return TRUE;
}

BOOL CIfDemodulator::ReadFmStatus(FmStatusForm form, int noCarrierCode, int* code)
{
    const FmStatusFormRecord* record = FindRow(kFmStatusForms, &FmStatusFormRecord::form, form);
    BYTE status = 0;
    if (!code || !record || !ReadStatusByte(&status, false))
        return FALSE;
    bool inRange = (status & kCarrierInRange) != 0;
    bool fm = (status & kFmCarrier) != 0;
    bool carrier = record->bothCarrierBits ? (inRange && fm) : (inRange || fm);
    if (!carrier)
        *code = noCarrierCode;
    else if (record->centredFields & (1 << AfcField(status)))
        *code = kFmCentred;
    else
        *code = kFmOffCentre;
    return TRUE;
}
