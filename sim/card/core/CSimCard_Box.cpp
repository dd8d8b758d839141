#include "CSimCard.h"

#include "CSimText.h"

#include <string.h>

// The USB box's driver: selector properties say what the next data property carries, register
// data reaches the box's own registers, I2C data the card's bus.
namespace
{
const DWORD PROP_REG_SELECTOR = 4101;
const DWORD PROP_REG_DATA = 4102;
const DWORD PROP_I2C_SELECTOR = 4103;
const DWORD PROP_I2C_DATA = 4104;
const DWORD PROP_4107 = 4107;
const DWORD PROP_4115 = 4115;
const DWORD PROP_4116 = 4116;
const DWORD PROP_4121 = 4121;

const BYTE REG_GPIO_OUT = 8;
const BYTE REG_GPIO_IN = 9;
const BYTE REG_INDIRECT_LOW = 0x40;
const BYTE REG_INDIRECT_HIGH = 0x41;
const BYTE REG_INDIRECT_NUMBER = 0x42;
const BYTE REG_INDIRECT_STATUS = 0x43;
const BYTE INDIRECT_READ = 0x80;
const BYTE INDIRECT_BUSY = 0x01;
const DWORD BUSY_HELD = ~0u;

// The demodulator's lock status register: bit 6 set while nothing is locked.
const BYTE BOX_DEMOD_STATUS = 31;
const BYTE BOX_DEMOD_UNLOCKED = 0x40;

// A data property before its selector.
const HRESULT HR_NOT_ARMED = E_UNEXPECTED;

DWORD ReadDword(const void* p)
{
    DWORD v;
    memcpy(&v, p, sizeof(v));
    return v;
}
}

DWORD CSimCard::Family()
{
    return m_shared->config.family;
}

DWORD CSimCard::Upstream()
{
    return m_shared->config.upstream;
}

bool CSimCard::BoxDemodDevice(BYTE device)
{
    const SimConfig& c = m_shared->config;
    return c.family == SIM_FAMILY_USB2800 && c.boxDemod != 0 && device == (BYTE)(c.boxDemod >> 1);
}

void CSimCard::WriteBoxDemod(const BYTE* data, DWORD count)
{
    SimBoxState& b = m_shared->state.box;
    if (count == 0)
        return;
    b.demodPointer = data[0] % SIM_BOX_DEMOD_REGISTERS;
    for (DWORD i = 1; i < count; ++i) {
        b.demodRegs[b.demodPointer] = data[i];
        b.demodPointer = (b.demodPointer + 1) % SIM_BOX_DEMOD_REGISTERS;
    }
}

BYTE CSimCard::ReadBoxDemod()
{
    SimBoxState& b = m_shared->state.box;
    if (b.demodPointer == BOX_DEMOD_STATUS)
        return TunerHasPicture() ? 0 : BOX_DEMOD_UNLOCKED;
    return b.demodRegs[b.demodPointer];
}

BYTE CSimCard::ReadBoxRegister(BYTE reg)
{
    SimBoxState& b = m_shared->state.box;
    switch (reg) {
    case REG_GPIO_IN:
        // The input lines follow the outputs: nothing else drives them.
        return b.regs[REG_GPIO_OUT];
    case REG_INDIRECT_STATUS:
        ++b.statusReads;
        if (b.busyLeft == 0)
            return 0;
        if (b.busyLeft != BUSY_HELD)
            --b.busyLeft;
        return INDIRECT_BUSY;
    default:
        return b.regs[reg];
    }
}

void CSimCard::WriteBoxRegister(BYTE reg, BYTE value)
{
    SimBoxState& b = m_shared->state.box;
    b.regs[reg] = value;
    if (reg == REG_GPIO_OUT) {
        Trace(1, "U gpio %02X", value);
    } else if (reg == REG_INDIRECT_NUMBER) {
        BYTE number = value & ~INDIRECT_READ & (SIM_BOX_INDIRECT - 1);
        b.busyLeft = m_shared->config.boxBusyReads;
        b.statusReads = 0;
        if (value & INDIRECT_READ) {
            WORD word = b.indirect[number];
            b.regs[REG_INDIRECT_LOW] = LOBYTE(word);
            b.regs[REG_INDIRECT_HIGH] = HIBYTE(word);
            Trace(1, "U ind R %02X -> %04X", number, word);
        } else {
            b.indirect[number] = MAKEWORD(b.regs[REG_INDIRECT_LOW], b.regs[REG_INDIRECT_HIGH]);
            Trace(1, "U ind W %02X = %04X", number, b.indirect[number]);
        }
    }
}

HRESULT CSimCard::DescribeBox(std::string* text)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        const SimBoxState& b = m_shared->state.box;
        *text = CSimText::Format("gpio=0x%02X\nstatusreads=%lu\nvalue4107=%lu\n", b.regs[REG_GPIO_OUT], b.statusReads,
                                 b.value4107);
    }
    return guard.Result();
}

HRESULT CSimCard::BoxFault(DWORD id)
{
    SimBoxState& b = m_shared->state.box;
    if (b.failCount == 0 || b.failId != id)
        return S_OK;
    --b.failCount;
    Trace(1, "! fail prop=%lu hr=%08lX", id, (DWORD)b.failResult);
    return b.failResult;
}

HRESULT CSimCard::BoxI2C(bool get, BYTE* data)
{
    DWORD selector = m_shared->state.box.i2cSelector;
    BYTE device = (BYTE)(selector >> 16) >> 1;
    BYTE count = (BYTE)selector;
    if ((selector >> 24) == 0)
        return get ? BusRead(device, data, count) : BusWrite(device, data, count);
    // A sub-address goes first, in the same transfer for a write.
    BYTE sub = (BYTE)(selector >> 8);
    if (get) {
        HRESULT hr = BusWrite(device, &sub, 1);
        return FAILED(hr) ? hr : BusRead(device, data, count);
    }
    BYTE write[1 + 255];
    write[0] = sub;
    memcpy(write + 1, data, count);
    return BusWrite(device, write, 1u + count);
}

HRESULT CSimCard::BoxSet(DWORD id, const void* value)
{
    if (value == NULL)
        return E_POINTER;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    Trace(2, "P box Set %lu", id);
    HRESULT hr = BoxFault(id);
    if (FAILED(hr))
        return hr;
    SimBoxState& b = m_shared->state.box;
    switch (id) {
    case PROP_REG_SELECTOR:
    case PROP_I2C_SELECTOR: {
        DWORD selector = ReadDword(value);
        (id == PROP_REG_SELECTOR ? b.regSelector : b.i2cSelector) = selector;
        if (selector == 0)
            Trace(1, "U reset %lu", id);
        return S_OK;
    }
    case PROP_REG_DATA: {
        if (b.regSelector == 0)
            return HR_NOT_ARMED;
        BYTE reg = (BYTE)(b.regSelector >> 8);
        BYTE count = (BYTE)b.regSelector;
        TraceBytes("U W", reg, (const BYTE*)value, count);
        for (BYTE i = 0; i < count; ++i)
            WriteBoxRegister((BYTE)(reg + i), ((const BYTE*)value)[i]);
        return S_OK;
    }
    case PROP_I2C_DATA:
        return b.i2cSelector == 0 ? HR_NOT_ARMED : BoxI2C(false, (BYTE*)value);
    case PROP_4107:
        b.value4107 = ReadDword(value);
        Trace(1, "U 4107 = %lu", b.value4107);
        return S_OK;
    }
    return E_PROP_ID_UNSUPPORTED;
}

HRESULT CSimCard::BoxGet(DWORD id, void* buffer)
{
    if (buffer == NULL)
        return E_POINTER;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    Trace(2, "P box Get %lu", id);
    HRESULT hr = BoxFault(id);
    if (FAILED(hr))
        return hr;
    SimBoxState& b = m_shared->state.box;
    const SimConfig& c = m_shared->config;
    DWORD value = 0;
    switch (id) {
    case PROP_REG_DATA: {
        if (b.regSelector == 0)
            return HR_NOT_ARMED;
        BYTE reg = (BYTE)(b.regSelector >> 8);
        BYTE count = (BYTE)b.regSelector;
        BYTE* out = (BYTE*)buffer;
        for (BYTE i = 0; i < count; ++i)
            out[i] = ReadBoxRegister((BYTE)(reg + i));
        // The busy polls of an indirect access would flood the trace.
        if (reg != REG_INDIRECT_STATUS)
            TraceBytes("U R", reg, out, count);
        return S_OK;
    }
    case PROP_I2C_DATA:
        return b.i2cSelector == 0 ? HR_NOT_ARMED : BoxI2C(true, (BYTE*)buffer);
    case PROP_4115: value = c.box4115; break;
    case PROP_4116: value = c.box4116; break;
    case PROP_4121: value = c.box4121; break;
    default:
        return E_PROP_ID_UNSUPPORTED;
    }
    memcpy(buffer, &value, sizeof(value));
    return S_OK;
}

// The video multiplexer: the first byte of a write sets the register pointer, further bytes
// fill registers from there; a read answers the pointed register and moves on. The input
// code in sub-address 2 routes the card's jack that the picture shows, as the crossbar's
// route does on the other cards.
namespace
{
const BYTE VIDEO_MUX_DEVICE = 0x25;
const BYTE MUX_INPUT_REGISTER = 2;

struct MuxInput
{
    BYTE code;
    LONG jack;
};
const MuxInput MUX_INPUTS[] = {
    // code, jack (0 S-video, 1 tuner, 2 composite)
    { 2, 1 }, { 0, 2 }, { 9, 0 },
};
}

bool CSimCard::VideoMuxDevice(BYTE device)
{
    return m_shared->config.family == SIM_FAMILY_USB2800 && device == VIDEO_MUX_DEVICE;
}

void CSimCard::WriteVideoMux(const BYTE* data, DWORD count)
{
    SimVideoMuxState& m = m_shared->state.videoMux;
    if (count == 0)
        return;
    m.pointer = data[0] % sizeof(m.regs);
    for (DWORD i = 1; i < count; ++i) {
        m.regs[m.pointer] = data[i];
        if (m.pointer == MUX_INPUT_REGISTER) {
            LONG jack = -1;
            for (const MuxInput& row : MUX_INPUTS) {
                if (row.code == (data[i] & 0x0F))
                    jack = row.jack;
            }
            m_shared->state.videoRoute = jack;
            Trace(1, "VM in=%u route=%ld", data[i] & 0x0F, jack);
        }
        m.pointer = (m.pointer + 1) % sizeof(m.regs);
    }
}

BYTE CSimCard::ReadVideoMux()
{
    SimVideoMuxState& m = m_shared->state.videoMux;
    BYTE value = m.regs[m.pointer];
    m.pointer = (m.pointer + 1) % sizeof(m.regs);
    return value;
}
