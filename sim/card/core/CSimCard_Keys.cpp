#include "CSimCard.h"

// The boxes' key controller: the first byte of a write sets the register pointer and further
// bytes fill registers from there; a read answers the pointed register and moves on. Register
// 48 reads 1 while a queued key waits, register 49 hands the key over (0 when none waits),
// register 50 holds the board's tuner code. The 16-byte family's controller keeps the waiting
// flag and the key at 0xAA and 0xAB instead. Everything written is kept and traced, so a test
// sees an acknowledgement (0 into register 48) or a clear (255) as the host sent it.
namespace
{
const BYTE REG_KEY_WAITING = 48;
const BYTE REG_KEY = 49;
const BYTE REG_BUS16_KEY_WAITING = 0xAA;
const BYTE REG_BUS16_KEY = 0xAB;
const BYTE REG_TUNER_CODE = 50;
}

bool CSimCard::KeyControllerDevice(BYTE device)
{
    const SimConfig& c = m_shared->config;
    return c.family != SIM_FAMILY_2388X && c.keyController != 0 && device == (BYTE)(c.keyController >> 1);
}

void CSimCard::WriteKeyController(const BYTE* data, DWORD count)
{
    SimKeyControllerState& k = m_shared->state.keyCtl;
    if (count == 0)
        return;
    k.pointer = data[0];
    for (DWORD i = 1; i < count; ++i) {
        k.regs[k.pointer] = data[i];
        Trace(1, "KC %u=%02X", k.pointer, data[i]);
        ++k.pointer;
    }
}

BYTE CSimCard::ReadKeyController()
{
    SimKeyControllerState& k = m_shared->state.keyCtl;
    SimControllerState& mcu = m_shared->state.mcu;
    bool bus16 = m_shared->config.family == SIM_FAMILY_BUS16;
    BYTE value = k.regs[k.pointer];
    if (k.pointer == (bus16 ? REG_BUS16_KEY_WAITING : REG_KEY_WAITING)) {
        value = mcu.keyCount > 0 ? 1 : 0;
    } else if (k.pointer == (bus16 ? REG_BUS16_KEY : REG_KEY)) {
        value = 0;
        if (mcu.keyCount > 0) {
            value = mcu.keys[0].key;
            for (DWORD i = 1; i < mcu.keyCount; ++i)
                mcu.keys[i - 1] = mcu.keys[i];
            --mcu.keyCount;
            Trace(1, "K %02X read", value);
        }
    } else if (k.pointer == REG_TUNER_CODE) {
        value = (BYTE)m_shared->config.keyTunerCode;
    }
    ++k.pointer;
    return value;
}
