#pragma once

#include "ChipWait.h"
#include "I2CAccess.h"

#include <functional>
#include <string>
#include <vector>

// A CI2CAccess for the chip drivers' tests that writes every call down as one line, and
// every chip wait too while it is the recorder in use:
//   "W C2 00 02 00 00"  Write (address byte first)   "R C3 4"      Read of 4 bytes
//   "B 96 21 C0"        WriteByte                     "RB 96 18"    ReadByte
//   "line 0" / "line2 1" SetControlLine(2)            "gpio 1 0"    WriteGpio(value, mask)
//   "reg 3A"            ReadRegByte                   "wait 10"     a chip wait of 10 ms
// Waits are not spent. Answers and failures come from the test's rules. One recorder at a
// time per process.
class ChipBusRecorder : public CI2CAccess
{
public:
    typedef std::vector<std::string> Lines;
    // The result of the call the line describes; S_OK unless set.
    typedef std::function<HRESULT(const std::string& line)> ResultRule;
    // Byte reads and register reads: the byte read.
    typedef std::function<BYTE(BYTE address, DWORD reg)> ByteRule;
    // Block reads: the bytes from buffer byte 0 on.
    typedef std::function<std::vector<BYTE>(int length)> BlockRule;

    ChipBusRecorder();
    ~ChipBusRecorder();

    const Lines& Calls() const { return m_calls; }
    // The calls that are not waits.
    Lines Transfers() const;
    void Clear() { m_calls.clear(); }

    ResultRule result;
    ByteRule byteAnswer;
    BlockRule blockAnswer;

    HRESULT Attach(IUnknown*, void*) override { return E_NOTIMPL; }
    HRESULT SendBusControl(BYTE) override { return E_NOTIMPL; }
    HRESULT SendDeviceControl(BYTE) override { return E_NOTIMPL; }
    HRESULT ReadGpio(DWORD*) override { return E_NOTIMPL; }
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT SetControlLine(int state) override;
    HRESULT SetControlLine2(int state) override;
    HRESULT ReadRegByte(DWORD reg, BYTE* value) override;

private:
    static void RecordWait(DWORD ms);
    HRESULT Record(const std::string& line);

    Lines m_calls;
    ChipWaitFunction m_previousWait;
};
