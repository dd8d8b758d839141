#include "GpioFrameProtocol.h"

#include "CaptureDevice.h"
#include "I2CAccess.h"
#include "NamedMutex.h"

#include <memory>

namespace {

const int kAttempts = 5;
const DWORD kByteGapMs = 200;
const DWORD kReadGapMs = 100;
const DWORD kRetryMs = 100;

// Holds the layout's mutex for its scope; a layout without one needs nothing.
class CExchangeLock
{
public:
    explicit CExchangeLock(const char* name)
    {
        if (name) {
            m_mutex.reset(new CNamedMutex(name, FALSE));
            m_held = m_mutex->Lock();
        }
    }
    ~CExchangeLock()
    {
        if (m_mutex && m_held)
            m_mutex->Unlock();
    }
    CExchangeLock(const CExchangeLock&) = delete;
    CExchangeLock& operator=(const CExchangeLock&) = delete;
    BOOL Held() const { return !m_mutex || m_held; }

private:
    std::unique_ptr<CNamedMutex> m_mutex;
    BOOL m_held = FALSE;
};

} // namespace

BOOL CGpioFrameProtocol::ReadRemoteKey(BYTE* key, LONG holdMs)
{
    CI2CAccess* access = m_device.GetI2CAccess();
    DWORD word = 0;
    if (!key || !access || FAILED(access->ReadGpio(&word)) ||
        (word & GpioFrameLayout::kKindMask) != GpioFrameLayout::kKindKey)
        return FALSE;
    DWORD start = GetTickCount();
    DWORD last = word;
    while (GetTickCount() - start < (DWORD)holdMs) {
        Sleep(1);
        if (FAILED(access->ReadGpio(&word)) || (word & GpioFrameLayout::kKindMask) != GpioFrameLayout::kKindKey)
            break;
        last = word;
    }
    *key = (BYTE)~m_layout.Unpack(last);
    return TRUE;
}

BOOL CGpioFrameProtocol::SendFrame(DWORD value, DWORD mask, DWORD ms)
{
    const DWORD idle = GpioFrameLayout::kFrameIdle;
    CI2CAccess* access = m_device.GetI2CAccess();
    return access && SUCCEEDED(access->WriteGpio(idle, idle)) && SUCCEEDED(access->WriteGpioTimed(value, mask, ms)) &&
           SUCCEEDED(access->WriteGpio(idle, idle));
}

BOOL CGpioFrameProtocol::SendByte(BYTE value, DWORD kind)
{
    return m_device.SendGpioFrame(m_layout.Pack(value) | kind, m_layout.frameMask, GpioFrameLayout::kFrameHoldMs);
}

BOOL CGpioFrameProtocol::Ask(BYTE command, DWORD* answer)
{
    return SendByte(command, GpioFrameLayout::kKindKey) && m_device.ReadGpioStrobed(answer);
}

BOOL CGpioFrameProtocol::ReadWord(WORD* value)
{
    if (!value)
        return FALSE;
    *value = 0;
    DWORD word = 0;
    if (!Ask(m_layout.readHighCommand, &word) || (word & GpioFrameLayout::kKindMask) != GpioFrameLayout::kKindHighByte)
        return FALSE;
    BYTE high = m_layout.Unpack(word);
    Sleep(kReadGapMs);
    if (!Ask(m_layout.readLowCommand, &word) || (word & GpioFrameLayout::kKindMask) != GpioFrameLayout::kKindLowByte)
        return FALSE;
    *value = (WORD)(high << 8 | m_layout.Unpack(word));
    return TRUE;
}

BOOL CGpioFrameProtocol::Exchange(const std::function<BOOL()>& attempt)
{
    if (!m_device.GetI2CAccess())
        return FALSE;
    CExchangeLock lock(m_layout.lock);
    if (!lock.Held())
        return FALSE;
    for (int i = 0; i < kAttempts; ++i) {
        if (attempt())
            return TRUE;
    }
    return FALSE;
}

BOOL CGpioFrameProtocol::WriteWord(WORD value)
{
    return Exchange([&]() -> BOOL {
        if (!SendByte(HIBYTE(value), GpioFrameLayout::kKindHighByte)) {
            Sleep(kRetryMs);
            return FALSE;
        }
        Sleep(kByteGapMs);
        if (!SendByte(LOBYTE(value), GpioFrameLayout::kKindLowByte)) {
            Sleep(kRetryMs);
            return FALSE;
        }
        Sleep(kByteGapMs);
        WORD readBack = 0;
        return m_device.ReadMcuWord(&readBack) && readBack == value;
    });
}

BOOL CGpioFrameProtocol::Handshake(BOOL on)
{
    return Exchange([&]() -> BOOL {
        DWORD word = 0;
        if (Ask(on ? m_layout.armCommand : m_layout.disarmCommand, &word) &&
            m_layout.Unpack(word & m_layout.answerMask) == (on ? m_layout.armAnswer : m_layout.disarmAnswer))
            return TRUE;
        Sleep(kRetryMs);
        return FALSE;
    });
}
