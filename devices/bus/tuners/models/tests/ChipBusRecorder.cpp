#include "ChipBusRecorder.h"

#include "HexLine.h"

namespace {

ChipBusRecorder* g_recorder = NULL;

} // namespace

ChipBusRecorder::ChipBusRecorder()
{
    result = [](const std::string&) { return S_OK; };
    byteAnswer = [](BYTE, DWORD) { return (BYTE)0; };
    blockAnswer = [](int length) { return std::vector<BYTE>(length, 0); };
    g_recorder = this;
    m_previousWait = ReplaceChipWait(RecordWait);
}

ChipBusRecorder::~ChipBusRecorder()
{
    ReplaceChipWait(m_previousWait);
    g_recorder = NULL;
}

void ChipBusRecorder::RecordWait(DWORD ms)
{
    if (g_recorder)
        g_recorder->m_calls.push_back("wait " + std::to_string(ms));
}

ChipBusRecorder::Lines ChipBusRecorder::Transfers() const
{
    Lines transfers;
    for (const std::string& line : m_calls) {
        if (line.compare(0, 5, "wait ") != 0)
            transfers.push_back(line);
    }
    return transfers;
}

HRESULT ChipBusRecorder::Record(const std::string& line)
{
    m_calls.push_back(line);
    return result(line);
}

HRESULT ChipBusRecorder::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    BYTE bytes[2] = {address, (BYTE)subAddress};
    HRESULT hr = Record(HexLine("RB", bytes, 2));
    if (SUCCEEDED(hr))
        *value = byteAnswer(address, (DWORD)subAddress);
    return hr;
}

HRESULT ChipBusRecorder::WriteByte(BYTE address, int subAddress, BYTE value)
{
    BYTE bytes[3] = {address, (BYTE)subAddress, value};
    return Record(HexLine("B", bytes, 3));
}

HRESULT ChipBusRecorder::Read(BYTE* buffer, int length)
{
    HRESULT hr = Record(HexLine("R", buffer, 1) + " " + std::to_string(length));
    if (SUCCEEDED(hr)) {
        std::vector<BYTE> bytes = blockAnswer(length);
        for (int i = 0; i < length && i < (int)bytes.size(); ++i)
            buffer[i] = bytes[i];
    }
    return hr;
}

HRESULT ChipBusRecorder::Write(BYTE* buffer, int length)
{
    return Record(HexLine("W", buffer, length));
}

HRESULT ChipBusRecorder::WriteGpio(DWORD value, DWORD mask)
{
    return Record("gpio " + std::to_string(value) + " " + std::to_string(mask));
}

HRESULT ChipBusRecorder::SetControlLine(int state)
{
    return Record("line " + std::to_string(state));
}

HRESULT ChipBusRecorder::SetControlLine2(int state)
{
    return Record("line2 " + std::to_string(state));
}

HRESULT ChipBusRecorder::ReadRegByte(DWORD reg, BYTE* value)
{
    BYTE bytes[1] = {(BYTE)reg};
    HRESULT hr = Record(HexLine("reg", bytes, 1));
    if (SUCCEEDED(hr))
        *value = byteAnswer(0, reg);
    return hr;
}
