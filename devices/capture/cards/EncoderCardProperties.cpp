#include "EncoderCardProperties.h"

#include "ComRef.h"

#include <strmif.h>
#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

const int kPollAttempts = 50;
const DWORD kPollPauseMs = 10;

const DWORD kKeyWaiting = 48;
const DWORD kKeyCode = 49;
const BYTE kKeyPresent = 1;

const DWORD kStatusRegister = 31;
const DWORD kStatusBusy = 0x40;
const DWORD kStatusNotIdle = 0x20;
const DWORD kStatusFlag = 0x2;
const DWORD kInputRegister = 2;
const DWORD kLevelRegister = 9;
const DWORD kSignedRegister = 13;
const BYTE kLevelOffsetStandard0 = 189;
const BYTE kLevelOffsetOther = 77;
const BYTE kSignedOffset = 127;
const BYTE kInputSelect[] = {6, 3, 4};

const int kDemodulatorValue = 5;
const DWORD kDemodulatorWord = 0x1610;
const DWORD kDemodulatorWordB = 0x3610;

const DWORD kTunerLockRegister = 0x8E;
const DWORD kTunerLocked = 0x40;
const DWORD kIntermediateKHz = 38900;
const DWORD kLowBandBelowKHz = 170000;
const DWORD kMidBandBelowKHz = 450000;
const DWORD kLowBand = 0xCE01;
const DWORD kMidBand = 0xCE02;
const DWORD kHighBand = 0xCE08;

const DWORD kProperty4 = 4;
const DWORD kProperty63 = 63;
const DWORD kProperty64 = 64;

const DWORD kVersionTextBytes = 20;
const DWORD kOldestFirmware = 200052;
const DWORD kFirmwareAfterWait = 204021;
const DWORD kFirmwareStarting = 1;
const int kFirmwareReads = 80;
const DWORD kFirmwarePauseMs = 50;

const char kDriverKey[] = "SYSTEM\\CurrentControlSet\\Services\\Conexant\\Parameters\\iVac15\\Driver";
const char kOldBitrateValue[] = "OldEncoderBitrateInterface";

const DWORD kImageBytes = 0x40000;

#pragma pack(push, 1)
// What the driver expects after the image.
struct ImageTrailer
{
    DWORD kind;
    BYTE format;
    BYTE padding[3];
    DWORD count;
};
#pragma pack(pop)
static_assert(sizeof(ImageTrailer) == 12, "image trailer");

#pragma pack(push, 1)
struct ChannelBlock
{
    BYTE channel;
    DWORD on;
};
#pragma pack(pop)
static_assert(sizeof(ChannelBlock) == 5, "channel block");

BOOL ReadEncoderRegister(IUnknown* filter, BYTE mode, DWORD reg, DWORD* value)
{
    return ReadCardRegister(filter, kEncoderChip, mode, reg, value);
}

} // namespace

BOOL CallCardProperty(IUnknown* filter, REFGUID set, DWORD id, BOOL get, void* instance, DWORD instanceLength,
                      void* data, DWORD dataLength)
{
    CComRef<IKsPropertySet> driver;
    if (!filter || FAILED(filter->QueryInterface(IID_IKsPropertySet, driver.ReceiveVoid())) || !driver)
        return FALSE;
    DWORD support = 0;
    DWORD needed = get ? KSPROPERTY_SUPPORT_GET : KSPROPERTY_SUPPORT_SET;
    if (FAILED(driver->QuerySupported(set, id, &support)) || !(support & needed))
        return FALSE;
    DWORD returned = 0;
    HRESULT hr = get ? driver->Get(set, id, instance, instanceLength, data, dataLength, &returned)
                     : driver->Set(set, id, instance, instanceLength, data, dataLength);
    return hr == S_OK;
}

BOOL GetCardProperty(IUnknown* filter, DWORD id, void* instance, DWORD instanceLength, void* data, DWORD dataLength)
{
    return CallCardProperty(filter, kEncoderCardSet, id, TRUE, instance, instanceLength, data, dataLength);
}

BOOL SetCardProperty(IUnknown* filter, DWORD id, void* instance, DWORD instanceLength, void* data, DWORD dataLength)
{
    return CallCardProperty(filter, kEncoderCardSet, id, FALSE, instance, instanceLength, data, dataLength);
}

BOOL GetCardPropertyBlock(IUnknown* filter, DWORD id, void* buffer, DWORD length)
{
    return GetCardProperty(filter, id, buffer, length, buffer, length);
}

BOOL SetCardPropertyBlock(IUnknown* filter, DWORD id, void* buffer, DWORD length)
{
    return SetCardProperty(filter, id, buffer, length, buffer, length);
}

BOOL ReadCardRegister(IUnknown* filter, DWORD device, BYTE mode, DWORD sub, DWORD* value)
{
    if (!value)
        return FALSE;
    EncoderRegisterRequest request = {device, mode, sub};
    DWORD read = 0;
    if (!GetCardProperty(filter, kEncoderRegisterProperty, &request, sizeof(request), &read, sizeof(read)))
        return FALSE;
    *value = read;
    return TRUE;
}

BOOL WriteCardRegister(IUnknown* filter, DWORD device, BYTE mode, DWORD sub, DWORD data)
{
    EncoderRegisterRequest request = {device, mode, sub};
    return SetCardProperty(filter, kEncoderRegisterProperty, &request, sizeof(request), &data, sizeof(data));
}

BOOL ReadEncoderCardKey(IUnknown* filter, BYTE* key)
{
    DWORD waiting = 0, code = 0;
    if (!key || !ReadCardRegister(filter, kEncoderKeyController, kModeRegisterRead, kKeyWaiting, &waiting) ||
        (BYTE)waiting != kKeyPresent || !ReadCardRegister(filter, kEncoderKeyController, kModeRegisterRead, kKeyCode, &code))
        return FALSE;
    *key = (BYTE)code;
    return TRUE;
}

BOOL WaitEncoderReady(IUnknown* filter)
{
    for (int i = 0; i < kPollAttempts; ++i) {
        DWORD status = 0;
        if (ReadEncoderRegister(filter, kModeEncoderRegister, kStatusRegister, &status) && !(status & kStatusBusy))
            return TRUE;
        Sleep(kPollPauseMs);
    }
    return FALSE;
}

BOOL GetEncoderIdle(IUnknown* filter, BOOL* idle)
{
    for (int i = 0; i < kPollAttempts; ++i) {
        DWORD status = 0;
        if (ReadEncoderRegister(filter, kModeEncoderRegister, kStatusRegister, &status)) {
            if (idle)
                *idle = (status & kStatusNotIdle) ? 0 : 1;
            return TRUE;
        }
        Sleep(kPollPauseMs);
    }
    return FALSE;
}

BOOL ReadEncoderStatusBit(IUnknown* filter, int kind)
{
    if (kind != 1 && kind != 3)
        return FALSE;
    DWORD status = 0;
    return ReadEncoderRegister(filter, kModeEncoderRegister, kStatusRegister, &status) && (status & kStatusFlag);
}

BOOL ReadEncoderStatus(IUnknown* filter, DWORD* value)
{
    return ReadEncoderRegister(filter, kModeRegisterRead, kStatusRegister, value);
}

BOOL SelectEncoderVideoInput(IUnknown* filter, int input, int kind)
{
    if (kind != 1 && kind != 2)
        return FALSE;
    DWORD value = 0;
    if (!ReadEncoderRegister(filter, kModeRegisterRead, kInputRegister, &value))
        return FALSE;
    if (input >= 0 && input < (int)sizeof(kInputSelect))
        value = (value & 0xF0) | kInputSelect[input];
    return WriteCardRegister(filter, kEncoderChip, kModeEncoderRegister, kInputRegister, value);
}

BOOL ReadVideoSetting(IUnknown* filter, DWORD reg, BYTE* value, int standard)
{
    DWORD read = 0;
    if (!value || !ReadEncoderRegister(filter, kModeRegisterRead, reg, &read))
        return FALSE;
    BYTE setting = (BYTE)read;
    if (reg == kLevelRegister && standard == 0)
        setting -= kLevelOffsetStandard0;
    else if (reg == kLevelRegister && (standard == 1 || standard == 2))
        setting -= kLevelOffsetOther;
    *value = setting;
    return TRUE;
}

BOOL WriteVideoSetting(IUnknown* filter, DWORD reg, BYTE value, int standard)
{
    if (reg == kLevelRegister && standard == 0)
        value += kLevelOffsetStandard0;
    else if (reg == kLevelRegister && (standard == 1 || standard == 2))
        value += kLevelOffsetOther;
    else if (reg == kSignedRegister)
        value -= kSignedOffset;
    return WriteCardRegister(filter, kEncoderChip, kModeEncoderRegister, reg, value);
}

BOOL SetDemodulatorWord(IUnknown* filter, int value)
{
    if (value != kDemodulatorValue)
        return TRUE;
    return WriteCardRegister(filter, kEncoderDemodulator, kModeWordWrite, 0, kDemodulatorWord);
}

BOOL SetDemodulatorWordB(IUnknown* filter, int value)
{
    if (value != kDemodulatorValue)
        return TRUE;
    return WriteCardRegister(filter, kEncoderDemodulator, kModeWordWrite, 0, kDemodulatorWordB);
}

BOOL WriteEepromByte(IUnknown* filter, DWORD sub, BYTE value)
{
    return WriteCardRegister(filter, kEncoderEeprom, kModeByteWrite, sub, value);
}

BOOL ReadEepromByte(IUnknown* filter, DWORD sub, BYTE* value)
{
    DWORD read = 0;
    if (!value || !ReadCardRegister(filter, kEncoderEeprom, kModeByteRead, sub, &read))
        return FALSE;
    *value = (BYTE)read;
    return TRUE;
}

BOOL ProbeTuner(IUnknown* filter)
{
    DWORD value = 0;
    return ReadCardRegister(filter, kEncoderTunerModule, kModeUnaddressedRead, 0, &value);
}

BOOL SetEncoderTunerFrequency(IUnknown* filter, DWORD kHz)
{
    DWORD band = kHz < kLowBandBelowKHz ? kLowBand : kHz < kMidBandBelowKHz ? kMidBand : kHighBand;
    DWORD divider = (kHz + kIntermediateKHz) * 16 / 1000;
    BOOL written = WriteCardRegister(filter, kEncoderTunerModule, kModeTunerWrite, divider & 0xFFFF, band);
    WaitTunerLock(filter);
    return written;
}

BOOL WaitTunerLock(IUnknown* filter)
{
    for (int i = 0; i < kPollAttempts; ++i) {
        DWORD status = 0;
        BOOL read = ReadCardRegister(filter, kEncoderTunerModule, kModeRegisterRead, kTunerLockRegister, &status);
        Sleep(kPollPauseMs);
        if (!read || (status & kTunerLocked))
            break;
    }
    return TRUE;
}

BOOL SetChannelProperties(IUnknown* filter)
{
    const struct { DWORD id; ChannelBlock block; } sets[] = {
        {kEncoderChannelOnProperty, {3, 1}},
        {kEncoderChannelOnProperty, {13, 1}},
        {kEncoderChannelOffProperty, {3, 0}},
        {kEncoderChannelOffProperty, {13, 0}},
    };
    for (const auto& s : sets) {
        ChannelBlock block = s.block;
        SetCardPropertyBlock(filter, s.id, &block, sizeof(block));
    }
    return TRUE;
}

BOOL GetCardProperty4(IUnknown* filter, DWORD* value)
{
    return value && GetCardPropertyBlock(filter, kProperty4, value, sizeof(*value));
}

BOOL SetCardProperty4(IUnknown* filter, DWORD* value)
{
    return value && SetCardPropertyBlock(filter, kProperty4, value, sizeof(*value));
}

static BOOL SendZeroByte(IUnknown* filter, DWORD id)
{
    CComRef<IKsPropertySet> driver;
    if (!filter || FAILED(filter->QueryInterface(IID_IKsPropertySet, driver.ReceiveVoid())) || !driver)
        return FALSE;
    BYTE zero = 0;
    SetCardPropertyBlock(filter, id, &zero, sizeof(zero));
    return TRUE;
}

BOOL SendCardProperty63(IUnknown* filter)
{
    return SendZeroByte(filter, kProperty63);
}

BOOL SendCardProperty64(IUnknown* filter)
{
    return SendZeroByte(filter, kProperty64);
}

BOOL ReadEncoderFirmwareVersion(IUnknown* filter, DWORD* version)
{
    // The driver fills all 20 bytes and need not end the text: the byte after it does.
    char text[kVersionTextBytes + 1] = {};
    if (!GetCardPropertyBlock(filter, kEncoderVersionProperty, text, kVersionTextBytes))
        return FALSE;
    int a = 0, b = 0, c = 0;
    char dot1 = 0, dot2 = 0;
    sscanf(text, "%d%c%d%c%d", &a, &dot1, &b, &dot2, &c);
    *version = (DWORD)(a * 100000 + b * 1000 + c);
    return TRUE;
}

BOOL CheckEncoderFirmware(IUnknown* filter)
{
    DWORD version = 0;
    if (!ReadEncoderFirmwareVersion(filter, &version) || version < kOldestFirmware)
        return FALSE;
    if (version > kOldestFirmware)
        return TRUE;
    return WaitEncoderFirmware(filter);
}

BOOL WaitEncoderFirmware(IUnknown* filter)
{
    Sleep(kFirmwarePauseMs);
    for (int i = 0; i < kFirmwareReads; ++i) {
        if (i > 0)
            Sleep(kFirmwarePauseMs);
        DWORD version = 0;
        if (!ReadEncoderFirmwareVersion(filter, &version))
            return FALSE;
        if (version != kFirmwareStarting)
            return version >= kFirmwareAfterWait;
    }
    return FALSE;
}

BOOL IsOldEncoderBitrateInterface()
{
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return TRUE;
    DWORD value = 0, type = 0, size = sizeof(value);
    LONG result = RegQueryValueExA(key, kOldBitrateValue, NULL, &type, (BYTE*)&value, &size);
    RegCloseKey(key);
    return !(result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) && value == 0);
}

BOOL SendEncoderImageFile(IUnknown* filter, const char* path)
{
    FILE* file = path ? fopen(path, "rb") : NULL;
    if (!file)
        return FALSE;
    std::vector<BYTE> buffer(kImageBytes + sizeof(ImageTrailer));
    size_t read = fread(buffer.data(), 1, kImageBytes, file);
    fclose(file);
    if (read < kImageBytes)
        return FALSE;
    ImageTrailer trailer = {2, 6, {0, 0, 0}, 1};
    memcpy(buffer.data() + kImageBytes, &trailer, sizeof(trailer));
    return CallCardProperty(filter, kEncoderImageSet, kEncoderImageProperty, FALSE, buffer.data(),
                            (DWORD)buffer.size(), buffer.data(), (DWORD)buffer.size());
}
