#pragma once

#include "KsShortBlockI2C.h"

// The tunnelled vendor requests of CKsShortBlockI2C driven as a port: byte access carries its
// sub-address in the index field (request 14), and blocks go in pieces of at most 8 data
// bytes, so long tuner writes fit the device's request.
class CKsPortI2C : public CKsShortBlockI2C
{
public:
    // Only the EEPROM and demodulator range answers byte access: addresses without a bit of
    // 0xA0 are refused.
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    // Up to 8 bytes; the tuner's addresses 0xC0 and 0xC1 are refused.
    HRESULT Read(BYTE* buffer, int length) override;
    // From 10 bytes on, buffer[1] is the sub-address of every 8-byte piece.
    HRESULT Write(BYTE* buffer, int length) override;

    // Request 12, the second byte-access form.
    HRESULT ReadByte12(BYTE address, BYTE subAddress, BYTE* value);
    HRESULT WriteByte12(BYTE address, BYTE subAddress, BYTE value);
    // Request 5: a bridge register.
    HRESULT ReadPortRegister(BYTE reg, BYTE* value);

    enum { kPieceBytes = 8, kLongWrite = 10 };

private:
    HRESULT ReadIndexed(BYTE request, BYTE address, BYTE subAddress, BYTE* value);
    HRESULT WriteIndexed(BYTE request, BYTE address, BYTE subAddress, BYTE value);
    HRESULT WritePiece(BYTE address, BYTE subAddress, const BYTE* data, int count);
};
