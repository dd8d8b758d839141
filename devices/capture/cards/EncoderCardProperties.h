#pragma once

#include <windows.h>
#include <unknwn.h>

// The MPEG encoder cards' driver reaches every chip on the card, and the encoder's own
// settings, through one private property set of the capture filter. Each operation here asks
// the filter for IKsPropertySet anew, checks that the driver reports the needed support bit,
// makes the call and lets the interface go; TRUE only when the call returned S_OK. None takes
// a lock: the transports serialise their own commands.

// {D2185A40-0398-11D3-A53E-00A0C9EF506A}
inline constexpr GUID kEncoderCardSet = {0xD2185A40, 0x0398, 0x11D3, {0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A}};
// The encoder's image upload. {EE6C0342-E3A9-11D2-A53E-00A0C9EF506A}
inline constexpr GUID kEncoderImageSet = {0xEE6C0342, 0xE3A9, 0x11D2, {0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A}};

enum EncoderCardProperty
{
    kEncoderRegisterProperty = 20,
    kEncoderChannelOnProperty = 22,
    kEncoderChannelOffProperty = 24,
    kEncoderControlLineProperty = 25,
    kEncoderVersionProperty = 27,
    kEncoderPreFilterProperty = 42,
    kEncoderImageProperty = 5,
};

// The devices behind the encoder, by their 7-bit addresses.
enum EncoderCardDevice
{
    kEncoderChip = 0x21,
    kEncoderDemodulator = 0x43,
    kEncoderEeprom = 0x51,
    kEncoderKeyController = 0x5D,
    kEncoderTunerModule = 0x60,
};

// The mode byte of a register command.
enum EncoderRegisterMode
{
    kModeEncoderRegister = 0,
    kModeRegisterRead = 1,
    kModeByteWrite = 2,
    kModeByteRead = 3,
    kModeWordWrite = 8,
    kModeTunerWrite = 10,
    kModeUnaddressedRead = 0x21,
    kModeUnaddressedReadHigh = 0x38,
};

#pragma pack(push, 1)
// The instance data of a register command; the property data is one DWORD, the value read or
// the second data word written.
struct EncoderRegisterRequest
{
    DWORD device;
    BYTE mode;
    DWORD sub;
};
#pragma pack(pop)
static_assert(sizeof(EncoderRegisterRequest) == 9, "register request");

BOOL GetCardProperty(IUnknown* filter, DWORD id, void* instance, DWORD instanceLength, void* data, DWORD dataLength);
BOOL SetCardProperty(IUnknown* filter, DWORD id, void* instance, DWORD instanceLength, void* data, DWORD dataLength);
// The same buffer goes as instance and as data.
BOOL GetCardPropertyBlock(IUnknown* filter, DWORD id, void* buffer, DWORD length);
BOOL SetCardPropertyBlock(IUnknown* filter, DWORD id, void* buffer, DWORD length);
// Either call on any set of the filter; get selects Get over Set.
BOOL CallCardProperty(IUnknown* filter, REFGUID set, DWORD id, BOOL get, void* instance, DWORD instanceLength,
                      void* data, DWORD dataLength);

BOOL ReadCardRegister(IUnknown* filter, DWORD device, BYTE mode, DWORD sub, DWORD* value);
BOOL WriteCardRegister(IUnknown* filter, DWORD device, BYTE mode, DWORD sub, DWORD data);
// The key controller's waiting register (48) reads 1 while its code register (49) holds a key.
BOOL ReadEncoderCardKey(IUnknown* filter, BYTE* key);

// The encoder's status register: busy while bit 0x40 is set, idle while bit 0x20 is clear.
// Both polls try 50 times, 10 ms apart.
BOOL WaitEncoderReady(IUnknown* filter);
BOOL GetEncoderIdle(IUnknown* filter, BOOL* idle);
// kind 1 or 3: bit 0x2 of the status register.
BOOL ReadEncoderStatusBit(IUnknown* filter, int kind);
BOOL ReadEncoderStatus(IUnknown* filter, DWORD* value);
// kind 1 or 2; input 0, 1 or 2 selects the encoder's input 6, 3 or 4, another keeps it.
BOOL SelectEncoderVideoInput(IUnknown* filter, int input, int kind);
// Register 9 is kept with an offset of the standard (0, or 1 and 2); register 13 is written
// less 127.
BOOL ReadVideoSetting(IUnknown* filter, DWORD reg, BYTE* value, int standard);
BOOL WriteVideoSetting(IUnknown* filter, DWORD reg, BYTE value, int standard);
// Only value 5 writes the demodulator's word; the B form writes the other word.
BOOL SetDemodulatorWord(IUnknown* filter, int value);
BOOL SetDemodulatorWordB(IUnknown* filter, int value);
BOOL WriteEepromByte(IUnknown* filter, DWORD sub, BYTE value);
BOOL ReadEepromByte(IUnknown* filter, DWORD sub, BYTE* value);
BOOL ProbeTuner(IUnknown* filter);
// The tuner module with intermediate frequency 38.9 MHz in 62.5 kHz steps; then waits for
// its lock. The write's result.
BOOL SetEncoderTunerFrequency(IUnknown* filter, DWORD kHz);
// Up to 50 reads of the lock bit, 10 ms apart; stops at a failed read or at the lock. TRUE.
BOOL WaitTunerLock(IUnknown* filter);
BOOL SetChannelProperties(IUnknown* filter);
BOOL GetCardProperty4(IUnknown* filter, DWORD* value);
BOOL SetCardProperty4(IUnknown* filter, DWORD* value);
// TRUE when the filter has IKsPropertySet, whatever the driver answers.
BOOL SendCardProperty63(IUnknown* filter);
BOOL SendCardProperty64(IUnknown* filter);

// The encoder firmware's version as a*100000 + b*1000 + c from its text "a.b.c"; FALSE when
// it cannot be read.
BOOL ReadEncoderFirmwareVersion(IUnknown* filter, DWORD* version);
// Refuses firmware older than 2.0.52, accepts newer at once, and waits on 2.0.52 itself.
BOOL CheckEncoderFirmware(IUnknown* filter);
// Waits while the version reads as 1 (at most 80 reads 50 ms apart); TRUE when it then reads
// at least 2.4.21.
BOOL WaitEncoderFirmware(IUnknown* filter);

// The driver's switch for the 10-byte bit-rate block: off only when the value is there and 0.
BOOL IsOldEncoderBitrateInterface();

// Uploads the first 256 KiB of the file with the driver's trailer; FALSE for a shorter file.
BOOL SendEncoderImageFile(IUnknown* filter, const char* path);
