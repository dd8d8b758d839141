#include "XceiveTables.h"

#include <string.h>

namespace {

const WORD kEnd = 0xFFFF;
const WORD kReset = 0x0000;
const WORD kWaitFlag = 0x8000;
const WORD kTableWaitMs = 100;

// The shape of one table: size with the end word, records (the naming one included), the
// largest record's length (0: every record short), resets and waits.
struct TableShape
{
    const char* name;
    int size;
    int records;
    int largest;
    int resets;
    int waits;
};

const TableShape kShapes[CXceiveTables::kTableCount] = {
    {"M BASE", 6483, 22, 3837, 2, 1},
    {"BG BASE", 6503, 22, 3857, 2, 1},
    {"M/171", 171, 23, 0, 0, 0},
    {"BG/171", 171, 23, 0, 0, 0},
    {"DK/171", 171, 23, 0, 0, 0},
    {"I/171", 171, 23, 0, 0, 0},
    {"SBGL/171", 171, 23, 0, 0, 0},
    {"M/163", 163, 21, 0, 0, 0},
    {"BGI/163", 163, 21, 0, 0, 0},
    {"DK/163", 163, 21, 0, 0, 0},
    {"L/163", 163, 21, 0, 0, 0},
};

class CTableWriter
{
public:
    CTableWriter(std::vector<BYTE>* table, DWORD seed) : m_table(table), m_seed(seed | 1) {}

    void Header(WORD word)
    {
        m_table->push_back(HIBYTE(word));
        m_table->push_back(LOBYTE(word));
    }
    void Record(BYTE reg, const BYTE* data, int count)
    {
        Header((WORD)(count + 1));
        m_table->push_back(reg);
        m_table->insert(m_table->end(), data, data + count);
    }
    // Register and data bytes of no meaning but the format's.
    void FillerRecord(int length)
    {
        std::vector<BYTE> data(length - 1);
        for (BYTE& byte : data)
            byte = Next();
        Record((BYTE)(Next() & 0x7F), data.data(), (int)data.size());
    }

private:
    BYTE Next()
    {
        m_seed ^= m_seed << 13;
        m_seed ^= m_seed >> 17;
        m_seed ^= m_seed << 5;
        return (BYTE)m_seed;
    }

    std::vector<BYTE>* m_table;
    DWORD m_seed;
};

// Reset, the naming record, the largest record, half the rest, the remaining resets and
// waits, the other half, the end word.
std::vector<BYTE> Generate(const TableShape& shape, DWORD seed)
{
    std::vector<BYTE> table;
    CTableWriter writer(&table, seed);
    int nameLength = (int)strlen(shape.name);
    int fillers = shape.records - 1 - (shape.largest ? 1 : 0);
    int overhead = 2 * (shape.records + shape.resets + shape.waits + 1);
    int fillerBytes = shape.size - overhead - (nameLength + 1) - shape.largest;

    int resets = shape.resets;
    if (resets > 0) {
        writer.Header(kReset);
        --resets;
    }
    writer.Record(CXceiveTables::kNameRegister, (const BYTE*)shape.name, nameLength);
    if (shape.largest)
        writer.FillerRecord(shape.largest);
    for (int i = 0; i < fillers; ++i) {
        if (i == fillers / 2) {
            for (; resets > 0; --resets)
                writer.Header(kReset);
            for (int w = 0; w < shape.waits; ++w)
                writer.Header((WORD)(kWaitFlag | kTableWaitMs));
        }
        writer.FillerRecord(fillerBytes / fillers + (i < fillerBytes % fillers ? 1 : 0));
    }
    writer.Header(kEnd);
    return table;
}

} // namespace

CXceiveTables::CXceiveTables()
{
    for (int i = 0; i < kTableCount; ++i)
        m_tables[i] = Generate(kShapes[i], 0x2028u + 977u * i);
}

const char* CXceiveTables::Name(Table table)
{
    return kShapes[table].name;
}
