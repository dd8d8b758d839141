#pragma once

#include "SiliconTunerBus.h"

// A silicon tuner chip (I2C 0xC2) behind the IF demodulator that gates its bus (0x96): a
// band table, a fractional divider and a two-pass calibration with waits, and the
// demodulator's standard and settling sequences around it.
//
// A tuning is Prepare, Tune, a pause of the caller's, then Finish with Prepare's mode.
// Frequencies are Hz.
class CSiliconTuner
{
public:
    // The demodulator registers the driver reads back. Bit 7 of the status is its busy
    // bit; the AFC register carries the lock bit in bit 7 and the AFC value in bits 0-6; a
    // level below kWeakLevel is a usable carrier.
    enum DemodReadRegister {
        kDemodStatus = 24,
        kDemodAfc = 25,
        kDemodLevel = 28,
        kDemodSecamLevel = 26,
        kDemodSecamCarrier = 27
    };
    enum { kDemodBusy = 0x80, kDemodLock = 0x80, kDemodAfcValue = 0x7F, kWeakLevel = 116 };

    // bus: not owned, outlives the driver.
    explicit CSiliconTuner(CSiliconTunerBus* bus);
    virtual ~CSiliconTuner();

    // The demodulator's power-on settings.
    BOOL Initialise();
    // AnalogVideoStandard value; an unknown one is kept as PAL_B. The result of the standard
    // write.
    BOOL SelectStandard(int standard);
    // Selects the kept standard again and readies the demodulator; returns the mode that
    // Tune and Finish take (the standard code).
    int Prepare();
    // Both programming passes with the indicator retries; the second pass's result, or
    // FALSE when the demodulator could not be read.
    BOOL Tune(DWORD hz, int mode);
    void Finish(int mode);

    int GetStandard() const { return m_standard; }
    int GetStandardCode() const { return m_standardCode; }
    DWORD GetIfOffset() const { return m_ifOffset; }
    BOOL LockFailed() const { return m_lockFailed; }

    // AFC step of an AFC value: -2 .. 2.
    static int AfcStep(BYTE value);

    enum { kChipAddress = 0xC2, kDemodAddress = 0x96 };

private:
    enum { kProgrammingBytes = 14, kDemodRegisters = 64 };

    // One row of the band table; the codes go to programming bytes 3-5.
    struct BandRow
    {
        DWORD upperHz;
        BYTE a, b, c, d, e;
    };
    static const BandRow kBands[];
    static const BandRow& FindBand(DWORD hz);

    BOOL ProgrammingPass(DWORD hz, BOOL first);
    BOOL WriteChip(BYTE reg, BYTE value);
    BOOL WriteDemod(BYTE reg, BYTE value);
    BOOL ReadDemod(BYTE reg, BYTE* value);
    BOOL OpenGate(BOOL open);
    BYTE SettleValue() const;
    void Wait(DWORD ms);

    struct Indicators
    {
        BOOL afcInRange, levelOk, locked;
    };
    BOOL ReadIndicators(Indicators* indicators);

    CSiliconTunerBus* m_bus;
    // Nothing signals it: every wait is its time-out.
    HANDLE m_waitEvent;
    BOOL m_lockFailed;
    BYTE m_chip[kProgrammingBytes];

    BYTE m_demod[kDemodRegisters];
    int m_standard;
    int m_standardCode;
    DWORD m_ifOffset;

    CSiliconTuner(const CSiliconTuner&);
    CSiliconTuner& operator=(const CSiliconTuner&);
};
