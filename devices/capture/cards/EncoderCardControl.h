#pragma once

#include "I2CAccess.h"

// The chips of an MPEG encoder card (tuner module, EEPROM, demodulator, key controller),
// reached through the register command of the encoder driver's property set. Addresses are
// 8-bit on this interface and 7-bit in the command. The card has no GPIO lines to reach.
class CEncoderCardControl : public CI2CAccess
{
public:
    CEncoderCardControl();
    ~CEncoderCardControl() override;

    // Keeps the filter; the owner is not used. No interface is asked for here: each command
    // asks for its own.
    HRESULT Attach(IUnknown* filter, void* owner) override;
    // Nothing is sent: S_OK while a filter is attached (or for value 0).
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    // One byte without sub-address from the device in buffer[0], over it, whatever the length.
    HRESULT Read(BYTE* buffer, int length) override;
    // A tuner frame [address, divider high, divider low, control, band] as one tuner write;
    // a shorter buffer is refused.
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

    enum { kFrameLength = 5 };

protected:
    IUnknown* Filter() const { return m_filter; }
    // Held around each register command.
    CRITICAL_SECTION m_commandLock;

private:
    // Owned reference; NULL until Attach.
    IUnknown* m_filter;
};

// The twin card's form: one-byte reads come in bits 16 to 23, and writes go as block commands
// of up to eight bytes, the register byte first.
class CEncoderCardControlB : public CEncoderCardControl
{
public:
    // buffer[0] keeps the address; the byte read goes to buffer[1].
    HRESULT Read(BYTE* buffer, int length) override;
    // buffer[0] the address, buffer[1] the register R, then the data. The data goes in pieces
    // of at most seven bytes, each one block command of R and the piece: n = 1 + piece bytes
    // taken as one big-endian number, the first byte highest. Up to four bytes fill the data
    // word from its low end (n = 2 sends R * 256 + d); from five bytes on the first four fill
    // the sub word and the rest the data word, again from its low end. Every piece repeats R.
    // A register byte without data is one command of R alone. S_OK when the last piece went.
    HRESULT Write(BYTE* buffer, int length) override;
    // The card's control line through its own property: 1 when the driver took it, else 0.
    HRESULT SetControlLine(int state) override;

    enum { kMaxPieceData = 7 };

    // The block command's mode for n bytes (1 to 8).
    static BYTE BlockMode(int n);
};
