#include "Cx2388x1Capture.h"

#include "Cx2388xGpioI2C.h"
#include "NamedMutex.h"

#include <new>

namespace {

const char kRemoteMutexName[] = "Mutex_Remote_Control";

// GPIO lines of the controller link: a data byte on lines 16-23 and its kind on 9-11.
const DWORD kDataShift = 16;
const DWORD kKindMask = 0xE00;
const DWORD kKindKey = 0x600;        // a key, or a command to the controller
const DWORD kKindHighByte = 0x400;
const DWORD kKindLowByte = 0x200;
// Line 11 is the controller's strobe, low while it presents a word.
const DWORD kStrobeLine = 0x800;
// The host's frame flag (line 15) with the kind lines, idle between frames.
const DWORD kFrameIdle = 0x8600;
const DWORD kFrameMask = 0xFF8600;
const DWORD kFrameHoldMs = 10;

const DWORD kReadHighCommand = 0x010600;
const DWORD kReadLowCommand = 0x100600;
const DWORD kArmCommand = 0x330600;
const DWORD kDisarmCommand = 0x110600;
// The answer of an arm or disarm, read from lines 16-23 of the word masked with this.
const DWORD kAnswerMask = 0xFF0C00;
const BYTE kArmAnswer = 0xCA;
const BYTE kDisarmAnswer = 0xBA;

const int kAttempts = 5;
const DWORD kByteGapMs = 200;
const DWORD kReadGapMs = 100;
const DWORD kRetryMs = 100;

BYTE DataByte(DWORD word)
{
    return (BYTE)(word >> kDataShift);
}

// Holds the named mutex for its scope when it could get it.
class CMutexHold
{
public:
    explicit CMutexHold(const char* name) : m_mutex(name, FALSE), m_held(m_mutex.Lock()) {}
    ~CMutexHold()
    {
        if (m_held)
            m_mutex.Unlock();
    }
    CMutexHold(const CMutexHold&) = delete;
    CMutexHold& operator=(const CMutexHold&) = delete;
    BOOL Held() const { return m_held; }

private:
    CNamedMutex m_mutex;
    BOOL m_held;
};

} // namespace

void CCx2388x1Capture::Configure()
{
    SetTunerFilterName("Conexant 2388x_1 Tuner");
}

CI2CAccess* CCx2388x1Capture::NewAccess()
{
    return new (std::nothrow) CCx2388xGpioI2C();
}

HRESULT CCx2388x1Capture::SetAudioInput(int input, BOOL on)
{
    CMutexHold hold(kRemoteMutexName);
    if (!hold.Held())
        return E_FAIL;
    return CCx2388xCapture::SetAudioInput(input, on);
}

BOOL CCx2388x1Capture::ReadRemoteKey(BYTE* key)
{
    CI2CAccess* access = GetI2CAccess();
    DWORD word = 0;
    if (!key || !access || FAILED(access->ReadGpio(&word)) || (word & kKindMask) != kKindKey)
        return FALSE;
    // The key stays presented while held: read until it goes, so it counts once.
    DWORD start = GetTickCount();
    DWORD last = word;
    while (GetTickCount() - start < (DWORD)GetRemoteHoldTime()) {
        Sleep(1);
        if (FAILED(access->ReadGpio(&word)) || (word & kKindMask) != kKindKey)
            break;
        last = word;
    }
    *key = (BYTE)~DataByte(last);
    return TRUE;
}

BOOL CCx2388x1Capture::SendGpioFrame(DWORD value, DWORD mask, DWORD ms)
{
    CI2CAccess* access = GetI2CAccess();
    return access && SUCCEEDED(access->WriteGpio(kFrameIdle, kFrameIdle)) &&
           SUCCEEDED(access->WriteGpioTimed(value, mask, ms)) && SUCCEEDED(access->WriteGpio(kFrameIdle, kFrameIdle));
}

BOOL CCx2388x1Capture::ReadGpioStrobed(DWORD* value)
{
    return ReadGpioStrobedOn(kStrobeLine, value);
}

BOOL CCx2388x1Capture::Ask(DWORD command, DWORD* answer)
{
    return SendGpioFrame(command, kFrameMask, kFrameHoldMs) && ReadGpioStrobed(answer);
}

BOOL CCx2388x1Capture::ReadMcuWord(WORD* value)
{
    if (!value)
        return FALSE;
    *value = 0;
    DWORD word = 0;
    if (!Ask(kReadHighCommand, &word) || (word & kKindMask) != kKindHighByte)
        return FALSE;
    BYTE high = DataByte(word);
    Sleep(kReadGapMs);
    if (!Ask(kReadLowCommand, &word) || (word & kKindMask) != kKindLowByte)
        return FALSE;
    *value = (WORD)(high << 8 | DataByte(word));
    return TRUE;
}

BOOL CCx2388x1Capture::WriteMcuWord(WORD value)
{
    if (!GetI2CAccess())
        return FALSE;
    CMutexHold hold(kRemoteMutexName);
    if (!hold.Held())
        return FALSE;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (!SendGpioFrame((DWORD)HIBYTE(value) << kDataShift | kKindHighByte, kFrameMask, kFrameHoldMs)) {
            Sleep(kRetryMs);
            continue;
        }
        Sleep(kByteGapMs);
        if (!SendGpioFrame((DWORD)LOBYTE(value) << kDataShift | kKindLowByte, kFrameMask, kFrameHoldMs)) {
            Sleep(kRetryMs);
            continue;
        }
        Sleep(kByteGapMs);
        WORD readBack = 0;
        if (ReadMcuWord(&readBack) && readBack == value)
            return TRUE;
    }
    return FALSE;
}

BOOL CCx2388x1Capture::McuHandshake(BOOL on)
{
    if (!GetI2CAccess())
        return FALSE;
    CMutexHold hold(kRemoteMutexName);
    if (!hold.Held())
        return FALSE;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        DWORD word = 0;
        if (Ask(on ? kArmCommand : kDisarmCommand, &word) &&
            DataByte(word & kAnswerMask) == (on ? kArmAnswer : kDisarmAnswer))
            return TRUE;
        Sleep(kRetryMs);
    }
    return FALSE;
}
