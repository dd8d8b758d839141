#pragma once

#include <windows.h>

class CI2CAccess;

// The IF demodulator that many tuner modules carry beside the tuner on the same bus: three
// registers (sub-addresses 0 to 2) set per video standard or for the radio, and a status byte
// with the AFC position of the carrier. The modules hold one each, over their own transport.
class CIfDemodulator
{
public:
    enum { kWriteAddress = 0x86, kReadAddress = 0x87 };

    // The register sets of the modules: per set, the bytes of each standard group, and how the
    // set is written and judged.
    enum Set {
        SET_J1,
        SET_J2,
        SET_P6,
        SET_P5,
        SET_L5,
        SET_T4,
        SET_T4B,
        SET_N2,
        SET_T3,
        SET_W,
        SET_LGM200T,
        SET_FIXED_D6_30_00,
        SET_FIXED_56_30_44,
        SET_FIXED_56_30_40,
        SET_ENGE4326D,
        SET_RADIO_PHILIPS1216,
        SET_RADIO_FM1236MK3,
        SET_RADIO_TNJ,
        SET_COUNT
    };

    // How the modules judge the AFC field of the status byte.
    enum StatusForm { STATUS_A, STATUS_B, STATUS_C, STATUS_D, STATUS_FORM_COUNT };

    // Where the tuning lies from the carrier, as a form judges it: the module reports the
    // status code it has for that position.
    enum AfcPosition { AFC_UP_125, AFC_UP_62, AFC_IN_TUNE, AFC_DOWN_62, AFC_DOWN_125 };

    // How the radio modules tell an FM carrier from none.
    enum FmStatusForm { FM_BOTH_CARRIER_BITS, FM_EITHER_CARRIER_BIT, FM_STATUS_FORM_COUNT };

    // FM status codes: a carrier centred on the tuning (the radio modules' FM lock code) or
    // beside it.
    enum { kFmCentred = 4, kFmOffCentre = 0 };

    // access: not owned; the module's transport.
    explicit CIfDemodulator(CI2CAccess* access);

    // Writes the set's bytes for standard (an AnalogVideoStandard value; a standard the set
    // does not list takes the set's first group). FALSE without a transport.
    BOOL WriteSet(Set set, int standard);
    // One status read. FALSE, position untouched, when the read does not return S_OK.
    BOOL ReadTvStatus(StatusForm form, AfcPosition* position);
    // One status read: kFmCentred or kFmOffCentre while the demodulator sees an FM carrier,
    // noCarrierCode while it sees none. FALSE, code untouched, when the read fails.
    BOOL ReadFmStatus(FmStatusForm form, int noCarrierCode, int* code);

private:
    BOOL ReadStatusByte(BYTE* status, bool needOk);
    BOOL WriteRegisters(const BYTE* bytes, bool checked);
    BOOL WriteMessages(const BYTE* bytes, bool untilFailure);
    BOOL WriteBlock(const BYTE* bytes);

    CI2CAccess* m_access;           // not owned: the capture device owns the transport
};
