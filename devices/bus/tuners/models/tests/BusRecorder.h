#pragma once

#include "I2CAccess.h"

#include <deque>
#include <string>
#include <vector>

// A CI2CAccess that writes down every bus call a tuner model makes, one line per call in
// hexadecimal: "W C0 05 8A CE 01" for Write (address byte first), "B 86 00 16" for
// WriteByte (device, sub-address, value), "R 87" for a Read of one byte; the register-table
// chip's strobes as "gpio 1 0" for WriteGpio (value, mask) and "line2 1" for SetControlLine2.
// Reads answer the queued status bytes in turn, then the default one. Any call can be made
// to fail.
class BusRecorder : public CI2CAccess
{
public:
    typedef std::vector<std::string> Lines;

    BusRecorder();

    const Lines& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }

    void SetStatus(BYTE status) { m_status = status; }
    void QueueStatus(BYTE status) { m_queued.push_back(status); }
    // The calls numbered from 0 in the order made answer result instead of S_OK; a failed read
    // leaves the buffer alone.
    void FailCall(size_t index, HRESULT result);

    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;

    HRESULT Attach(IUnknown*, void*) override { return Unexpected("Attach"); }
    HRESULT SendBusControl(BYTE) override { return Unexpected("SendBusControl"); }
    HRESULT SendDeviceControl(BYTE) override { return Unexpected("SendDeviceControl"); }
    HRESULT ReadGpio(DWORD*) override { return Unexpected("ReadGpio"); }
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT SetControlLine2(int state) override;

private:
    HRESULT Record(const std::string& line);
    HRESULT Unexpected(const char* name) { return Record(name), E_NOTIMPL; }

    Lines m_calls;
    std::vector<std::pair<size_t, HRESULT>> m_failures;
    std::deque<BYTE> m_queued;
    BYTE m_status;
};
