#include "BridgeBoxCapture.h"

#include "KsPortI2C.h"
#include "KsShortBlockI2C.h"

#include <new>

namespace {

template <class T>
CI2CAccess* NewAccess()
{
    return new (std::nothrow) T();
}

struct BridgeBoxRow
{
    CBridgeBoxCapture::BridgeBox box;
    CI2CAccess* (*newAccess)();
    int accessMode;
    // IsModelByte: the configuration byte equals modelByte, or differs from it when
    // modelByteEquals is FALSE.
    BYTE modelByte;
    BOOL modelByteEquals;
};

const BridgeBoxRow kBoxes[] = {
    // box, transport, access mode, model byte, equals
    {CBridgeBoxCapture::kTridVid, NewAccess<CKsShortBlockI2C>, 0, 'F', TRUE},
    {CBridgeBoxCapture::kTridentUsb, NewAccess<CKsShortBlockI2C2>, 17, 128, TRUE},
    {CBridgeBoxCapture::kUt800, NewAccess<CKsPortI2C>, 12, 'C', FALSE},
    {CBridgeBoxCapture::kUt810, NewAccess<CKsPortI2C>, 14, 'C', FALSE},
};
static_assert(sizeof(kBoxes) / sizeof(kBoxes[0]) == CBridgeBoxCapture::kBridgeBoxCount, "one row per box");

const BYTE kBit0 = 0x01;

// The common subtypes; UYVY for any other code.
const CCaptureFormatTable kFormats(kStandardSubtypes, kCommonSubtypeCount, CaptureFormat::kUyvy);

} // namespace

HRESULT CBridgeBoxCapture::OpenDeviceAccess()
{
    SetAccess(NULL, kNotOpen);
    const BridgeBoxRow& row = kBoxes[Box()];
    return OpenAccess(row.newAccess(), row.accessMode, GetFilter(), this);
}

void CBridgeBoxCapture::ReadTunerInfo()
{
    int letter = 'N', model = 0;
    ReadEepromInfo(&letter, &model);
    SetTunerInfo(letter, model);
}

BYTE CBridgeBoxCapture::ReadEepromConfigByte()
{
    return ReadEepromByte(kEepromConfigOffset);
}

BOOL CBridgeBoxCapture::ReadRemoteKey(BYTE* key)
{
    CI2CAccess* access = GetI2CAccess();
    BYTE waiting = 0;
    if (!key || !access || FAILED(access->ReadByte(kKeyController, kKeyWaiting, &waiting)) || waiting != 1)
        return FALSE;
    return SUCCEEDED(access->ReadByte(kKeyController, kKeyCode, key));
}

BOOL CBridgeBoxCapture::IsRegister58Clear()
{
    BYTE value = 0;
    return !ReadBridgeRegister(kRegister58, &value) || !(value & kBit0);
}

BOOL CBridgeBoxCapture::IsRegister60Set()
{
    BYTE value = 0;
    return !ReadBridgeRegister(kRegister60, &value) || (value & kBit0);
}

BOOL CBridgeBoxCapture::WriteBridgeRegister128(BYTE value)
{
    return WriteBridgeRegister(kRegister128, value);
}

BOOL CBridgeBoxCapture::WriteBridgeRegister(BYTE reg, BYTE value)
{
    CI2CAccess* access = GetI2CAccess();
    return access && SUCCEEDED(access->WriteRegByte(reg, value));
}

BOOL CBridgeBoxCapture::ReadBridgeRegister(BYTE reg, BYTE* value)
{
    CI2CAccess* access = GetI2CAccess();
    return access && SUCCEEDED(access->ReadRegByte(reg, value));
}

BOOL CBridgeBoxCapture::ClearRemoteKey()
{
    CI2CAccess* access = GetI2CAccess();
    return access && access->WriteByte(kKeyController, kKeyCode, kKeyCleared) == S_OK;
}

BOOL CBridgeBoxCapture::IsModelByte()
{
    const BridgeBoxRow& row = kBoxes[Box()];
    return (ReadEepromConfigByte() == row.modelByte) == (row.modelByteEquals != FALSE);
}

HRESULT CBridgeBoxCapture::SetCaptureFormat(const CaptureFormat& format, int pin)
{
    return WriteCaptureFormat(kFormats, format, pin);
}
