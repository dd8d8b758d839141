#pragma once

#include "I2CAccess.h"

#include <functional>
#include <mutex>
#include <vector>

// A CI2CAccess that records the tuner's block transfers and answers status reads from a
// rule over the bytes last written. Only Read and Write are used by tuner models; every
// other operation fails with E_NOTIMPL. Safe to use from a scan thread while the test
// thread waits.
class RecordingI2C : public CI2CAccess
{
public:
    typedef std::vector<BYTE> Bytes;

    // The status byte for a read at readAddress, given the last block written successfully
    // (empty before the first).
    typedef std::function<BYTE(BYTE readAddress, const Bytes& lastWrite)> StatusRule;
    // The result of a write of these bytes.
    typedef std::function<HRESULT(const Bytes& write)> WriteRule;

    RecordingI2C();

    void SetStatus(BYTE status);
    void SetStatusRule(const StatusRule& rule);
    void SetReadResult(HRESULT result);
    void SetWriteRule(const WriteRule& rule);

    // Every block the model tried to write, address byte first, in order.
    std::vector<Bytes> Writes() const;
    int Reads() const;
    void Clear();

    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;

    HRESULT Attach(IUnknown*, void*) override { return E_NOTIMPL; }
    HRESULT SendBusControl(BYTE) override { return E_NOTIMPL; }
    HRESULT ReadByte(BYTE, int, BYTE*) override { return E_NOTIMPL; }
    HRESULT WriteByte(BYTE, int, BYTE) override { return E_NOTIMPL; }
    HRESULT SendDeviceControl(BYTE) override { return E_NOTIMPL; }
    HRESULT ReadGpio(DWORD*) override { return E_NOTIMPL; }
    HRESULT WriteGpio(DWORD, DWORD) override { return E_NOTIMPL; }

private:
    // Guards every member below: the scan thread writes while the test thread reads.
    mutable std::mutex m_mutex;
    StatusRule m_statusRule;
    WriteRule m_writeRule;
    HRESULT m_readResult;
    std::vector<Bytes> m_writes;
    Bytes m_lastWrite;
    int m_reads;
};

// The picture carrier a five-byte TV write of the default model tunes: divider × 62.5 kHz
// less the 38900 kHz IF.
double TunedTvKHz(const RecordingI2C::Bytes& write);
