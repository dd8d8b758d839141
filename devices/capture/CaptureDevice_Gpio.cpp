#include "CaptureDevice.h"

#include "I2CAccess.h"

namespace {

// The card's audio source lines: a two-bit input select (3 = mute) and, on cards with an
// audio multiplexer, a third line that switches it off.
const DWORD kAudioInputMask = 0x3000;
const DWORD kAudioInputShift = 12;
const DWORD kAudioMuxMask = 0x7000;
const DWORD kAudioMuxOff = 0x4000;
// The previous source fades out before the lines switch.
const DWORD kAudioSwitchDelayMs = 300;

// Remote receivers on the GPIO lines: the low byte carries the key with its nibbles
// swapped and inverted; line 8 high means no key.
const DWORD kRemoteNoKey = 0x100;

// Command frames: the idle state around a frame, and the lines it is written with.
const DWORD kFrameIdleLines = 0x180100;
const DWORD kFrameIdleMask = 0x187100;

// The controller's strobe on these cards: low while it presents a word.
const DWORD kBaseStrobeLine = 0x40000;
const DWORD kStrobeTimeoutMs = 500;

} // namespace

HRESULT CCaptureDevice::ReadGpioForAudioSwitch(DWORD* word)
{
    if (!m_access)
        return E_FAIL;
    Sleep(kAudioSwitchDelayMs);
    return m_access->ReadGpio(word);
}

HRESULT CCaptureDevice::SwitchAudioInput(int input, BOOL on, DWORD mask)
{
    DWORD word = 0;
    HRESULT hr = ReadGpioForAudioSwitch(&word);
    if (FAILED(hr))
        return hr;
    if (!on) {
        word |= kAudioInputMask;
    } else if (input >= 0 && input <= 2) {
        word = (word & ~kAudioInputMask) | ((DWORD)input << kAudioInputShift);
    }
    return m_access->WriteGpio(word, mask);
}

HRESULT CCaptureDevice::SetAudioInput(int input, BOOL on)
{
    return SwitchAudioInput(input, on, kAudioInputMask);
}

HRESULT CCaptureDevice::SetAudioMux(int input, BOOL on)
{
    DWORD word = 0;
    HRESULT hr = ReadGpioForAudioSwitch(&word);
    if (FAILED(hr))
        return hr;
    if (on) {
        word &= ~kAudioMuxMask;
        if (input >= 1 && input <= 3)
            word |= (DWORD)input << kAudioInputShift;
    } else {
        word |= kAudioMuxOff;
    }
    return m_access->WriteGpio(word, kAudioMuxMask);
}

BOOL CCaptureDevice::ReadRemoteKey(BYTE* key)
{
    DWORD word = 0;
    if (!key || !m_access || FAILED(m_access->ReadGpio(&word)))
        return FALSE;
    if (word & kRemoteNoKey)
        return FALSE;
    BYTE inverted = (BYTE)~word;
    *key = (BYTE)((inverted << 4) | (inverted >> 4));
    return TRUE;
}

BOOL CCaptureDevice::SendGpioFrame(DWORD value, DWORD mask, DWORD ms)
{
    DWORD current = 0;
    if (!m_access || FAILED(m_access->ReadGpio(&current)))
        return FALSE;
    DWORD audio = current & kAudioMuxMask;
    DWORD idle = audio | kFrameIdleLines;
    return SUCCEEDED(m_access->WriteGpioTimed(idle, kFrameIdleMask, 0)) &&
           SUCCEEDED(m_access->WriteGpioTimed((value & ~kAudioMuxMask) | audio, mask | kAudioMuxMask, ms)) &&
           SUCCEEDED(m_access->WriteGpioTimed(idle, kFrameIdleMask, 0));
}

BOOL CCaptureDevice::ReadGpioStrobed(DWORD* value)
{
    return ReadGpioStrobedOn(kBaseStrobeLine, value);
}

BOOL CCaptureDevice::ReadGpioStrobedOn(DWORD line, DWORD* value)
{
    if (!value || !m_access)
        return FALSE;
    *value = 0;
    DWORD start = GetTickCount();
    BOOL sawLow = FALSE;
    DWORD presented = 0;
    while (GetTickCount() - start <= kStrobeTimeoutMs) {
        DWORD word = 0;
        if (FAILED(m_access->ReadGpio(&word)))
            return FALSE;
        if (!(word & line)) {
            sawLow = TRUE;
            presented = word;
        } else if (sawLow) {
            *value = presented;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CCaptureDevice::WriteMcuWord(WORD)
{
    return FALSE;
}

BOOL CCaptureDevice::ReadMcuWord(WORD*)
{
    return FALSE;
}

BOOL CCaptureDevice::McuHandshake(BOOL)
{
    return FALSE;
}

BOOL CCaptureDevice::SetPowerOnMinutes(DWORD minutes, BOOL enable)
{
    BOOL arm = enable && minutes > 0;
    if (arm && !WriteMcuWord((WORD)(minutes > 0xFFFF ? 0xFFFF : minutes)))
        return FALSE;
    return McuHandshake(arm);
}
