#include "RecordingI2C.h"

RecordingI2C::RecordingI2C() : m_readResult(S_OK), m_reads(0)
{
    SetStatus(0x00);
    SetWriteRule([](const Bytes&) { return S_OK; });
}

void RecordingI2C::SetStatus(BYTE status)
{
    SetStatusRule([status](BYTE, const Bytes&) { return status; });
}

void RecordingI2C::SetStatusRule(const StatusRule& rule)
{
    std::lock_guard<std::mutex> hold(m_mutex);
    m_statusRule = rule;
}

void RecordingI2C::SetReadResult(HRESULT result)
{
    std::lock_guard<std::mutex> hold(m_mutex);
    m_readResult = result;
}

void RecordingI2C::SetWriteRule(const WriteRule& rule)
{
    std::lock_guard<std::mutex> hold(m_mutex);
    m_writeRule = rule;
}

std::vector<RecordingI2C::Bytes> RecordingI2C::Writes() const
{
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_writes;
}

int RecordingI2C::Reads() const
{
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_reads;
}

void RecordingI2C::Clear()
{
    std::lock_guard<std::mutex> hold(m_mutex);
    m_writes.clear();
    m_lastWrite.clear();
    m_reads = 0;
}

HRESULT RecordingI2C::Read(BYTE* buffer, int length)
{
    std::lock_guard<std::mutex> hold(m_mutex);
    ++m_reads;
    if (FAILED(m_readResult))
        return m_readResult;
    BYTE status = m_statusRule(buffer[0], m_lastWrite);
    for (int i = 0; i < length; ++i)
        buffer[i] = status;
    return m_readResult;
}

HRESULT RecordingI2C::Write(BYTE* buffer, int length)
{
    std::lock_guard<std::mutex> hold(m_mutex);
    Bytes bytes(buffer, buffer + length);
    m_writes.push_back(bytes);
    HRESULT hr = m_writeRule(bytes);
    if (SUCCEEDED(hr))
        m_lastWrite = bytes;
    return hr;
}

double TunedTvKHz(const RecordingI2C::Bytes& write)
{
    if (write.size() < 3)
        return 0;
    return ((write[1] << 8) | write[2]) * 62.5 - 38900;
}
