#include "CSimCard.h"

#include "CSimText.h"

namespace
{
// GPIO word as the card presents it.
const DWORD GPIO_READABLE     = 0x0FFFFFFF;
const DWORD GPIO_KIND         = 0x00000600;     // bits 9-10: what the data byte is
const DWORD GPIO_KIND_KEY     = 0x00000600;
const DWORD GPIO_KIND_HIGH    = 0x00000400;
const DWORD GPIO_KIND_LOW     = 0x00000200;
const DWORD GPIO_STROBE       = 0x00000800;     // bit 11: 1 idle, 0 while presenting
const DWORD GPIO_AUDIO        = 0x00007000;     // bits 12-14
const DWORD GPIO_FRAME        = 0x00008000;     // bit 15: 0 while a host frame is open
// The data byte: lines 16-23, or on the 713x-style cards byte bits 0-4 on lines 19-23 and
// bits 5-7 on lines 25-27, line 24 left alone.
const DWORD GPIO_DATA         = 0x00FF0000;
const int   GPIO_DATA_SHIFT   = 16;
const DWORD GPIO_PACKED_DATA  = 0x0EF80000;
const BYTE  PACKED_LOW_BITS   = 0x1F;
const int   PACKED_LOW_SHIFT  = 19;
const int   PACKED_HIGH_SHIFT = 20;

// The other PCI cards' key lines: the code in 0-7, sent inverted with its nibbles swapped;
// line 8 high while no key waits.
const DWORD PCI_KEY_LINES     = 0x000001FF;
const DWORD PCI_NO_KEY        = 0x00000100;

const DWORD REG_GPIO_CONTROL  = 0x1B0;
const DWORD REG_GPIO_DATA     = 0x1B4;
const DWORD REG_LATCH_SETTING = 0x80000000;

enum ControllerCommand {
    CMD_READ_HIGH = 0x01,
    CMD_READ_LOW = 0x10,
    CMD_ENABLE = 0x33,
    CMD_DISABLE = 0x11,
};
const BYTE ANSWER_ENABLED = 0xCA;
const BYTE ANSWER_DISABLED = 0xBA;

// Longest an answer stays up: under the 500 ms the host waits for the strobe edge.
const LONGLONG ANSWER_MAX_US = 400000;
// A key is dropped after this even if unread: under the host's 1000 ms hold limit.
const LONGLONG KEY_MAX_US = 900000;
// Keys wait this long after a frame closed: controller exchanges pause at most 200 ms
// between frames, so a key never lands inside one.
const LONGLONG KEY_AFTER_FRAME_US = 300000;
// Idle time between two keys, so the host's key read sees them as two presses.
const LONGLONG KEY_GAP_US = 200000;
const DWORD KEY_MIN_READS = 3;
}

bool CSimCard::PackedGpioByte()
{
    switch (Family()) {
    case SIM_FAMILY_713X_IO:
    case SIM_FAMILY_713X_3:
    case SIM_FAMILY_713X_PIP:
    case SIM_FAMILY_DORIN:
    case SIM_FAMILY_PELTA:
        return true;
    }
    return false;
}

bool CSimCard::KeysOnGpio()
{
    switch (Family()) {
    case SIM_FAMILY_2388X:
    case SIM_FAMILY_MCU_CARD:
    case SIM_FAMILY_MCU_2388X:
    case SIM_FAMILY_PCI:
        return true;
    }
    return PackedGpioByte();
}

DWORD CSimCard::GpioDataLines()
{
    return PackedGpioByte() ? GPIO_PACKED_DATA : GPIO_DATA;
}

DWORD CSimCard::PackGpioByte(BYTE value)
{
    if (!PackedGpioByte())
        return (DWORD)value << GPIO_DATA_SHIFT;
    return ((DWORD)(value & PACKED_LOW_BITS) << PACKED_LOW_SHIFT) |
           ((DWORD)(value & ~PACKED_LOW_BITS & 0xFF) << PACKED_HIGH_SHIFT);
}

BYTE CSimCard::UnpackGpioByte(DWORD word)
{
    if (!PackedGpioByte())
        return (BYTE)(word >> GPIO_DATA_SHIFT);
    return (BYTE)(((word >> PACKED_LOW_SHIFT) & PACKED_LOW_BITS) | ((word >> PACKED_HIGH_SHIFT) & ~PACKED_LOW_BITS & 0xFF));
}

DWORD CSimCard::GpioView()
{
    const SimCardState& s = m_shared->state;
    DWORD view = (s.gpio.latch & GPIO_READABLE) | GPIO_STROBE;
    if (s.mcu.keyShown)
        view = (view & ~(GPIO_KIND | GPIO_STROBE)) | GPIO_KIND_KEY;
    else if (s.mcu.answerShown)
        view = (view & ~(GPIO_KIND | GPIO_STROBE)) | s.mcu.answerKind;
    if (Family() == SIM_FAMILY_PCI) {
        BYTE key = (BYTE)s.mcu.shownKey.key;
        DWORD lines = s.mcu.keyShown ? (BYTE)~((key << 4) | (key >> 4)) : PCI_NO_KEY;
        return ((s.gpio.latch & GPIO_READABLE) & ~PCI_KEY_LINES) | lines;
    }
    if (s.mcu.driveData)
        view = (view & ~GpioDataLines()) | PackGpioByte((BYTE)s.mcu.dataByte);
    return view;
}

DWORD CSimCard::ReadGpio()
{
    SimControllerState& mcu = m_shared->state.mcu;
    DWORD view = GpioView();
    if (mcu.keyShown && Family() == SIM_FAMILY_PCI) {
        // The latch lets go of a key once it has been read.
        mcu.keyShown = 0;
        mcu.keyEndUs = m_now;
        Trace(1, "K %02X release reads=1", mcu.shownKey.key);
    } else if (mcu.keyShown) {
        ++mcu.keyReads;
    }
    else if (mcu.answerShown)
        ++mcu.answerReads;
    Trace(2, "G4 -> %08lX", view);
    return view;
}

void CSimCard::WriteGpio(DWORD mask, DWORD value)
{
    DWORD& latch = m_shared->state.gpio.latch;
    DWORD old = latch;
    latch = (latch & ~mask) | (value & mask);
    Trace(1, "S4 m=%08lX v=%08lX latch=%08lX", mask, value, latch);
    if ((old ^ latch) & GPIO_AUDIO) {
        DWORD input = (latch >> 12) & 3;
        Trace(1, "A in=%lu mute=%d mux_off=%lu", input, input == 3 ? 1 : 0, (latch >> 14) & 1);
    }
    ControllerSees(mask, value);
}

void CSimCard::ControllerSees(DWORD mask, DWORD value)
{
    // A Set opens a frame when it drives the data byte and the frame flag.
    DWORD openMask = GpioDataLines() | GPIO_FRAME;
    if ((mask & openMask) == openMask && (value & GPIO_FRAME) == 0)
        OpenFrame(value);
    else if ((mask & GPIO_FRAME) != 0 && (value & GPIO_FRAME) != 0 && m_shared->state.mcu.frameOpen)
        CloseFrame();
}

void CSimCard::OpenFrame(DWORD value)
{
    SimControllerState& mcu = m_shared->state.mcu;
    DWORD kind = value & GPIO_KIND;
    BYTE data = UnpackGpioByte(value);
    if (!m_shared->config.mcuPresent) {
        Trace(1, "M absent %03lX:%02X", kind, data);
        return;
    }
    if (mcu.keyShown) {
        // The host talks to the controller: the key goes back to the head of the queue.
        DWORD keep = mcu.keyCount < (DWORD)SIM_KEY_QUEUE ? mcu.keyCount : SIM_KEY_QUEUE - 1;
        for (DWORD i = keep; i > 0; --i)
            mcu.keys[i] = mcu.keys[i - 1];
        mcu.keys[0] = mcu.shownKey;
        mcu.keyCount = keep + 1;
        mcu.keyShown = 0;
        mcu.keyEndUs = m_now;
        Trace(1, "K %02X requeued", mcu.shownKey.key);
    }
    if (mcu.answerShown) {
        mcu.answerShown = 0;
        Trace(1, "M pulse end reads=%lu", mcu.answerReads);
    }
    mcu.driveData = 0;
    mcu.frameOpen = 1;
    mcu.frameKind = kind;
    mcu.frameByte = data;
    Trace(1, "M open %03lX:%02X", kind, data);
}

void CSimCard::CloseFrame()
{
    SimControllerState& mcu = m_shared->state.mcu;
    mcu.frameOpen = 0;
    mcu.lastCloseUs = m_now;
    ++mcu.frames;
    BYTE data = (BYTE)mcu.frameByte;
    switch (mcu.frameKind) {
    case GPIO_KIND_HIGH:
        mcu.high = data;
        Trace(1, "M hi=%02X", data);
        break;
    case GPIO_KIND_LOW:
        mcu.low = data;
        Trace(1, "M lo=%02X word=%02lX%02lX", data, mcu.high, mcu.low);
        break;
    case GPIO_KIND_KEY:
        ExecuteCommand(data);
        break;
    default:
        Trace(1, "M unknown %03lX:%02X", mcu.frameKind, data);
        break;
    }
}

void CSimCard::ExecuteCommand(BYTE command)
{
    SimControllerState& mcu = m_shared->state.mcu;
    switch (command) {
    case CMD_READ_HIGH:
        Trace(1, "M cmd %02X -> 400:%02lX", command, mcu.high);
        PresentAnswer(GPIO_KIND_HIGH, (BYTE)mcu.high);
        break;
    case CMD_READ_LOW:
        Trace(1, "M cmd %02X -> 200:%02lX", command, mcu.low);
        PresentAnswer(GPIO_KIND_LOW, (BYTE)mcu.low);
        break;
    case CMD_ENABLE:
    case CMD_DISABLE:
        mcu.enabled = command == CMD_ENABLE ? 1 : 0;
        Trace(1, "M cmd %02X -> %02X enabled=%lu", command, mcu.enabled ? ANSWER_ENABLED : ANSWER_DISABLED,
              mcu.enabled);
        PresentAnswer(0, mcu.enabled ? ANSWER_ENABLED : ANSWER_DISABLED);
        break;
    default:
        Trace(1, "M unknown %02X", command);
        break;
    }
}

void CSimCard::PresentAnswer(DWORD kind, BYTE data)
{
    SimControllerState& mcu = m_shared->state.mcu;
    mcu.answerShown = 1;
    mcu.answerKind = kind;
    mcu.answerUs = m_now;
    mcu.answerReads = 0;
    mcu.driveData = 1;
    mcu.dataByte = data;
}

void CSimCard::AdvanceKeys(LONGLONG now)
{
    SimControllerState& mcu = m_shared->state.mcu;
    const SimConfig& c = m_shared->config;
    if (mcu.answerShown) {
        LONGLONG shown = now - mcu.answerUs;
        if ((shown >= (LONGLONG)c.answerMs * 1000 && mcu.answerReads >= 1) || shown >= ANSWER_MAX_US) {
            mcu.answerShown = 0;
            Trace(1, "M pulse end reads=%lu", mcu.answerReads);
        }
    }
    if (mcu.keyShown) {
        LONGLONG shown = now - mcu.keyUs;
        if ((shown >= (LONGLONG)mcu.shownKey.holdMs * 1000 && mcu.keyReads >= KEY_MIN_READS) || shown >= KEY_MAX_US) {
            mcu.keyShown = 0;
            mcu.keyEndUs = now;
            if (mcu.keyReads == 0)
                Trace(1, "K %02X dropped", mcu.shownKey.key);
            else
                Trace(1, "K %02X release reads=%lu", mcu.shownKey.key, mcu.keyReads);
        }
    }
    // The boxes hand their keys over through the key controller, not the GPIO lines.
    if (!KeysOnGpio() && c.keyController != 0)
        return;
    bool quiet = !mcu.frameOpen && !mcu.answerShown &&
                 (mcu.lastCloseUs < 0 || now - mcu.lastCloseUs >= KEY_AFTER_FRAME_US) &&
                 (mcu.keyEndUs < 0 || now - mcu.keyEndUs >= KEY_GAP_US);
    if (!mcu.keyShown && mcu.keyCount > 0 && quiet) {
        mcu.shownKey = mcu.keys[0];
        for (DWORD i = 1; i < mcu.keyCount; ++i)
            mcu.keys[i - 1] = mcu.keys[i];
        --mcu.keyCount;
        mcu.keyShown = 1;
        mcu.keyUs = now;
        mcu.keyReads = 0;
        mcu.driveData = 1;
        mcu.dataByte = (BYTE)~mcu.shownKey.key;
        Trace(1, "K %02X start", mcu.shownKey.key);
    }
}

HRESULT CSimCard::GetRegister(DWORD reg, DWORD* value)
{
    SimGpioState& g = m_shared->state.gpio;
    if (reg == REG_GPIO_CONTROL) {
        *value = g.control;
    } else if (reg == REG_GPIO_DATA) {
        *value = ReadGpio();
    } else {
        *value = 0;
        for (DWORD i = 0; i < g.scratchCount; ++i) {
            if (g.scratchReg[i] == reg)
                *value = g.scratchValue[i];
        }
    }
    return S_OK;
}

void CSimCard::SetRegister(DWORD reg, DWORD value)
{
    SimGpioState& g = m_shared->state.gpio;
    if (reg == REG_GPIO_CONTROL) {
        g.control = value;
        if (value & REG_LATCH_SETTING)
            g.outputEnable = value & GPIO_READABLE;
        return;
    }
    if (reg == REG_GPIO_DATA) {
        WriteGpio(g.outputEnable, value);
        return;
    }
    for (DWORD i = 0; i < g.scratchCount; ++i) {
        if (g.scratchReg[i] == reg) {
            g.scratchValue[i] = value;
            return;
        }
    }
    if (g.scratchCount < (DWORD)SIM_SCRATCH_REGISTERS) {
        g.scratchReg[g.scratchCount] = reg;
        g.scratchValue[g.scratchCount++] = value;
    } else {
        Trace(1, "! register %08lX not kept", reg);
    }
}
