#pragma once

#include <windows.h>

#include <vector>

// The register tables of the register-table tuner chips: a base table and a standard table
// for each group of standards. Entries are headed by a big-endian word L: 0xFFFF ends the
// table, 0x0000 resets the chip, 0x8000-0xFFFE waits L & 0x7FFF ms, else a record of L bytes
// (register byte, then data) follows.
//
// The chip's firmware is not ours to ship: the tables are generated in its format, with its
// sizes, record counts, resets and waits. The first record of each names the table, so the
// chip's side can tell which one arrived.
class CXceiveTables
{
public:
    enum Table {
        kMBase,
        kBgBase,
        // Chosen by the first policy.
        kMStandard,
        kBgStandard,
        kDkStandard,
        kIStandard,
        kSecamBglStandard,
        // Chosen by the second policy.
        kMStandard2,
        kBgiStandard2,
        kDkStandard2,
        kLStandard2,
        kTableCount
    };
    // The register byte of the naming record; its data is the table's name.
    enum { kNameRegister = 0xFE };

    CXceiveTables();

    const std::vector<BYTE>& Get(Table table) const { return m_tables[table]; }
    static const char* Name(Table table);

private:
    std::vector<BYTE> m_tables[kTableCount];
};
