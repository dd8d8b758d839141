#pragma once

#include "TunerModel.h"

// The tuner model of the USB boxes: one class for every module the box's EEPROM may name.
// It takes its parameters from the ordinary model of the same type id (CopyModelParams)
// and sends the operations that differ by type id to small routines of its own, chosen
// from one table.
class CTunerTypeTable : public CTunerModel
{
public:
    explicit CTunerTypeTable(CI2CAccess* access);
    virtual ~CTunerTypeTable();

    BOOL SetFmFrequency(float kHz) override;
    BOOL IsTvLocked() override;
    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;

    // The constants, addresses, codes and standards of source, the factory's model of the
    // same type id.
    void CopyModelParams(const CTunerModel* source);

    BYTE GetDemodAddress() const { return m_demodAddress; }
    void SetDemodAddress(BYTE address) { m_demodAddress = address; }
    BOOL IsDemodBusy() const { return m_demodBusy; }

    // The standard columns of the demodulator routines.
    enum StandardColumn { kColumnPalB, kColumnPalI, kColumnPalD, kColumnSecamL, kColumnSecamL1, kColumnCount };

private:
    typedef BOOL (CTunerTypeTable::*TuneRoutine)(float kHz);
    typedef BOOL (CTunerTypeTable::*StatusRoutine)(int* code);
    typedef BOOL (CTunerTypeTable::*StandardRoutine)(int standard);

    // The routines of one type id; NULL: the base operation (SetVideoStandard: TRUE).
    struct Routines
    {
        int typeId;
        TuneRoutine tune;
        StatusRoutine status;
        StandardRoutine standard;
        TuneRoutine fm;
    };
    static const Routines kRoutines[];
    const Routines* FindRoutines() const;

    BOOL TuneFixedLow(float kHz);           // 72, 75
    BOOL TuneFixedHigh(float kHz);          // 69
    BOOL TuneSixBytes(float kHz);           // 93
    BOOL TuneSixBytesLPrime(float kHz);     // 92
    BOOL TuneSixBytesAt(float kHz, int ifKHz);
    BOOL StatusAtC0(int* code);             // 72
    BOOL StatusAtC6(int* code);             // 69
    BOOL StatusAtC0Only(int* code);         // 73
    BOOL StatusDemod92(int* code);          // 92
    BOOL StatusDemod(int* code);            // 93, 75
    BOOL ReadPllStatus(BYTE address, int failCode, BOOL setFailCode, int* code);
    BOOL ReadDemodAfc(BYTE* a);
    BOOL DecodeDemodAfc(const BYTE* codes, int* code);
    BOOL Standard13(int standard);
    BOOL Standard72(int standard);
    BOOL Standard75(int standard);
    BOOL Standard9293(int standard);
    BOOL WriteDemodColumn(const BYTE (*table)[kColumnCount], StandardColumn column);
    BOOL Fm92(float kHz);

    BOOL m_demodBusy;
    BYTE m_demodAddress;
};
