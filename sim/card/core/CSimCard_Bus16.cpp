#include "CSimCard.h"

#include <string.h>

// The 16-byte family's driver. Payloads, no instance data:
//   0 byte read (Get, 19), 1 byte write (Set, 19): [0] bus, [1] address, [2] sub-address, [3] value.
//   3 block read (Get, 264), 4 block write (Set, 264): [0] bus, [1] address, [2..3] byte count,
//     data from [8]; a write of no bytes only addresses the device.
//   5 register read (Get, 8), 6 register write (Set, 8): DWORD register, DWORD value.
//   Bus control and device control sets, property 0 (Set, 4): DWORD value.
// Bus 1 reaches the EEPROM range (addresses with both bits of 0xA0 set), bus 2 the rest.
namespace
{
struct Bus16Rule
{
    DWORD support;
    DWORD size;
};

const Bus16Rule MAIN_RULES[] = {
    { CSimCard::SUPPORT_GET, 19 },
    { CSimCard::SUPPORT_SET, 19 },
    { 0, 28 },
    { CSimCard::SUPPORT_GET, 264 },
    { CSimCard::SUPPORT_SET, 264 },
    { CSimCard::SUPPORT_GET, 8 },
    { CSimCard::SUPPORT_SET, 8 },
    { 0, 32 },
};
const Bus16Rule CONTROL_RULE = { CSimCard::SUPPORT_SET, 4 };

const BYTE EEPROM_RANGE = 0xA0;
const DWORD AT_BLOCK_DATA = 8;
const DWORD BLOCK_MAX = 256;

const DWORD GPIO_DATA_LOW = 0xC7008100;
const DWORD GPIO_DATA_HIGH = 0xC7008104;
const DWORD GPIO_DIR_LOW = 0xC7008108;
const DWORD GPIO_DIR_HIGH = 0xC700810C;

const HRESULT HR_NACK = HRESULT_FROM_WIN32(ERROR_IO_DEVICE);
const HRESULT HR_SHORT_BUFFER = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
const HRESULT HR_BAD_LENGTH = HRESULT_FROM_WIN32(ERROR_BAD_LENGTH);
const HRESULT HR_FULL = HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY);

const Bus16Rule* Rule(int set, DWORD id)
{
    if (set == CSimCard::BUS16_MAIN)
        return id < sizeof(MAIN_RULES) / sizeof(MAIN_RULES[0]) ? &MAIN_RULES[id] : NULL;
    if (set == CSimCard::BUS16_CONTROL || set == CSimCard::BUS16_DEVICE)
        return id == 0 ? &CONTROL_RULE : NULL;
    return NULL;
}

bool OnBus(BYTE bus, BYTE address)
{
    bool eeprom = (address & EEPROM_RANGE) == EEPROM_RANGE;
    return bus == (eeprom ? 1 : 2);
}

// One 16-bit half of the GPIO lines: the register's top half says which of its bottom half's
// lines the write touches.
DWORD MergeHalf(DWORD lines, DWORD written, int shift)
{
    DWORD mask = (written >> 16) << shift;
    DWORD value = (written & 0xFFFF) << shift;
    return (lines & ~mask) | (value & mask);
}
}

HRESULT CSimCard::Bus16Support(int set, DWORD id, DWORD* support)
{
    const Bus16Rule* rule = Rule(set, id);
    if (rule == NULL || rule->support == 0)
        return E_PROP_ID_UNSUPPORTED;
    if (support == NULL)
        return E_POINTER;
    *support = rule->support;
    return S_OK;
}

HRESULT CSimCard::Bus16Property(int set, DWORD id, bool get, BYTE* data, DWORD cb, DWORD* returned)
{
    const Bus16Rule* rule = Rule(set, id);
    if (rule == NULL || (rule->support & (get ? SUPPORT_GET : SUPPORT_SET)) == 0)
        return E_PROP_ID_UNSUPPORTED;
    if (data == NULL)
        return E_POINTER;
    if (cb < rule->size)
        return HR_SHORT_BUFFER;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    Trace(2, "P bus16 %s %d.%lu cb=%lu", get ? "Get" : "Set", set, id, cb);
    HRESULT hr = S_OK;
    if (set != BUS16_MAIN) {
        Trace(1, "B%d %02X", set == BUS16_CONTROL ? 1 : 3, data[0]);
    } else if (id == 0 || id == 1) {
        BYTE device = data[1] >> 1;
        if (!OnBus(data[0], data[1])) {
            Trace(1, "N %02X bus %u", device, data[0]);
            return HR_NACK;
        }
        BYTE write[2] = { data[2], data[3] };
        hr = BusWrite(device, write, get ? 1 : 2);
        if (SUCCEEDED(hr) && get)
            hr = BusRead(device, data + 3, 1);
    } else if (id == 3 || id == 4) {
        hr = Bus16Block(get, data);
    } else if (get) {
        DWORD reg;
        memcpy(&reg, data, sizeof(reg));
        DWORD value = Bus16Register(reg);
        memcpy(data + 4, &value, sizeof(value));
    } else {
        DWORD words[2];
        memcpy(words, data, sizeof(words));
        if (!SetBus16Register(words[0], words[1]))
            return HR_FULL;
    }
    if (SUCCEEDED(hr) && get && returned != NULL)
        *returned = rule->size;
    return hr;
}

HRESULT CSimCard::Bus16Block(bool get, BYTE* data)
{
    BYTE device = data[1] >> 1;
    DWORD count = MAKEWORD(data[2], data[3]);
    if (count > BLOCK_MAX || (get && count == 0))
        return HR_BAD_LENGTH;
    if (!OnBus(data[0], data[1])) {
        Trace(1, "N %02X bus %u", device, data[0]);
        return HR_NACK;
    }
    return get ? BusRead(device, data + AT_BLOCK_DATA, count) : BusWrite(device, data + AT_BLOCK_DATA, count);
}

DWORD CSimCard::Bus16Register(DWORD reg)
{
    const SimBus16State& b = m_shared->state.bus16;
    // The data registers read back the lines' levels.
    if (reg == GPIO_DATA_LOW)
        return b.lines & 0xFFFF;
    if (reg == GPIO_DATA_HIGH)
        return b.lines >> 16;
    for (DWORD i = 0; i < b.count; ++i) {
        if (b.reg[i] == reg)
            return b.value[i];
    }
    return 0;
}

bool CSimCard::SetBus16Register(DWORD reg, DWORD value)
{
    SimBus16State& b = m_shared->state.bus16;
    DWORD i = 0;
    while (i < b.count && b.reg[i] != reg)
        ++i;
    if (i == b.count) {
        if (b.count == SIM_BUS16_REGISTERS)
            return false;
        b.reg[b.count++] = reg;
    }
    b.value[i] = value;
    Trace(1, "Y reg %08lX = %08lX", reg, value);
    switch (reg) {
    // The direction registers' top halves name lines that become outputs.
    case GPIO_DIR_LOW:
        b.outputs |= value >> 16;
        break;
    case GPIO_DIR_HIGH:
        b.outputs |= value & 0xFFFF0000;
        break;
    case GPIO_DATA_LOW:
    case GPIO_DATA_HIGH:
        b.lines = MergeHalf(b.lines, value, reg == GPIO_DATA_LOW ? 0 : 16);
        Trace(1, "Y gpio lines=%08lX out=%08lX", b.lines, b.outputs);
        break;
    }
    return true;
}
