#pragma once

#include "XceiveTables.h"

class CI2CAccess;

// How a module on the register-table chip is driven: message framing, the wait after each
// table chunk, the strobe between the two tuning words, which table policy chooses the
// standard tables, and where lock is read. The module decides it from its owner's access
// mode or fixes it.
struct XceiveDrive
{
    // Unaddressed: the transport takes messages without the chip's address byte.
    enum Framing { kUnaddressed, kAddressed };
    enum Strobe { kNoStrobe, kGpioStrobe, kControlLine2Strobe };
    enum Policy { kFirstPolicy, kSecondPolicy };
    // The lock register goes in the drive's framing.
    enum LockSource { kLockRegister, kCardRegister };

    Framing framing;
    DWORD chunkWaitMs;
    Strobe strobe;
    Policy policy;
    LockSource status;
};

// The register-table tuner chip at I2C 0xC2 over a tuner model's access object: chip reset,
// table sender, standard tables, tuning words and lock reads. Holds its own copy of the
// tables.
class CXceiveChip
{
public:
    enum { kAddress = 0xC2 };
    // The card register whose bit 0 is clear while the tuner is locked.
    enum { kLockRegisterOfCard = 0x3A };

    // access: not owned; NULL makes every operation fail.
    explicit CXceiveChip(CI2CAccess* access);

    // The chip's reset line low for 200 ms.
    BOOL Reset();
    BOOL SendTable(CXceiveTables::Table table, const XceiveDrive& drive);
    // Any table in the tables' format.
    BOOL SendTable(const std::vector<BYTE>& table, const XceiveDrive& drive);
    // AnalogVideoStandard value: the tables of its policy.
    BOOL LoadStandard(int standard, const XceiveDrive& drive);
    // The M base table and the BG/I standard table of the second policy.
    BOOL LoadBaseTables(const XceiveDrive& drive);
    BOOL Tune(float kHz, const XceiveDrive& drive);
    // *code 1 when locked.
    BOOL ReadStatus(int* code, const XceiveDrive& drive);
    // The card register's reading: *code 1 when locked.
    BOOL ReadCardLock(int* code);
    // The same as a lock flag.
    BOOL IsCardLocked(int* locked);

    const CXceiveTables& Tables() const { return m_tables; }

private:
    BOOL Send(BYTE* message, int length, const XceiveDrive& drive);
    BOOL ReadLockRegister(int* code, XceiveDrive::Framing framing);
    void Strobe(XceiveDrive::Strobe strobe);

    CI2CAccess* m_access;
    CXceiveTables m_tables;
};
