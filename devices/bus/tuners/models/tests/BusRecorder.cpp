#include "BusRecorder.h"

#include "HexLine.h"

BusRecorder::BusRecorder() : m_status(0)
{
}

void BusRecorder::FailCall(size_t index, HRESULT result)
{
    m_failures.push_back(std::make_pair(index, result));
}

HRESULT BusRecorder::Record(const std::string& line)
{
    size_t index = m_calls.size();
    m_calls.push_back(line);
    for (size_t i = 0; i < m_failures.size(); ++i) {
        if (m_failures[i].first == index)
            return m_failures[i].second;
    }
    return S_OK;
}

HRESULT BusRecorder::ReadByte(BYTE address, int subAddress, BYTE*)
{
    BYTE bytes[2] = {address, (BYTE)subAddress};
    Record(HexLine("ReadByte", bytes, 2));
    return E_NOTIMPL;
}

HRESULT BusRecorder::WriteByte(BYTE address, int subAddress, BYTE value)
{
    BYTE bytes[3] = {address, (BYTE)subAddress, value};
    return Record(HexLine("B", bytes, 3));
}

HRESULT BusRecorder::Read(BYTE* buffer, int length)
{
    HRESULT hr = Record(HexLine("R", buffer, 1));
    if (FAILED(hr))
        return hr;
    BYTE status = m_status;
    if (!m_queued.empty()) {
        status = m_queued.front();
        m_queued.pop_front();
    }
    for (int i = 0; i < length; ++i)
        buffer[i] = status;
    return hr;
}

HRESULT BusRecorder::Write(BYTE* buffer, int length)
{
    return Record(HexLine("W", buffer, length));
}

HRESULT BusRecorder::WriteGpio(DWORD value, DWORD mask)
{
    return Record("gpio " + std::to_string(value) + " " + std::to_string(mask));
}

HRESULT BusRecorder::SetControlLine2(int state)
{
    return Record("line2 " + std::to_string(state));
}
