#include "MuxPcmParser.h"

#include <string.h>

namespace
{

const uint8_t kPrivateStream1[4] = {0x00, 0x00, 0x01, 0xBD};
// The private-stream header and the LPCM sub-header after it.
const int kPesHeaderBytes = 4 + 7;

} // namespace

void MuxPcmParser::SetFormat(int rate, int channels, bool littleEndian)
{
    m_rate = rate;
    m_channels = channels;
    m_littleEndian = littleEndian;
}

void MuxPcmParser::Reset()
{
    int rate = m_rate, channels = m_channels;
    MuxAudioParser::Reset();
    m_rate = rate;
    m_channels = channels;
    m_headerDone = false;
}

int MuxPcmParser::FrameBytes() const
{
    return FrameSamples() * (m_channels > 0 ? m_channels : 1) * 2;
}

HRESULT MuxPcmParser::Parse(const uint8_t* data, int bytes, LONGLONG sampleStart)
{
    if (bytes >= kPesHeaderBytes && memcmp(data, kPrivateStream1, 4) == 0) {
        data += kPesHeaderBytes;
        bytes -= kPesHeaderBytes;
    }
    if (!m_headerDone) {
        HRESULT hr = WriteStreamHeader(data, bytes);
        if (FAILED(hr))
            return hr;
    }
    if (!SampleMayPass(sampleStart))
        return S_OK;
    m_pending.insert(m_pending.end(), data, data + bytes);
    return PassFrames();
}

// Data that opens with its own header ("+2", "+3") needs none of ours.
HRESULT MuxPcmParser::WriteStreamHeader(const uint8_t* data, int bytes)
{
    m_headerDone = true;
    if (bytes >= 2 && data[0] == '+' && (data[1] == '2' || data[1] == '3'))
        return S_OK;
    uint8_t flags = 0;
    if (m_rate != 48000)
        flags |= 0x01;
    if (m_channels != 1)
        flags |= 0x04;
    uint8_t header[4] = {'C', 'P', flags, 0x80};
    HRESULT hr = Write(header, 4);
    if (FAILED(hr))
        return hr;
    MuxAudioUnit unit = {4, Codec(), ~static_cast<uint64_t>(0)};
    Aux(MUX_AUX_AUDIO_UNIT, &unit, sizeof(unit));
    return S_OK;
}

HRESULT MuxPcmParser::PassFrames()
{
    size_t frameBytes = static_cast<size_t>(FrameBytes());
    size_t at = 0;
    HRESULT hr = S_OK;
    while (SUCCEEDED(hr) && at + frameBytes <= m_pending.size()) {
        uint8_t* frame = &m_pending[at];
        if (m_littleEndian) {
            for (size_t i = 0; i + 1 < frameBytes; i += 2) {
                uint8_t low = frame[i];
                frame[i] = frame[i + 1];
                frame[i + 1] = low;
            }
        }
        hr = PassFrame(frame, static_cast<int>(frameBytes), FrameSamples(), m_rate);
        at += frameBytes;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<ptrdiff_t>(at));
    return hr;
}

HRESULT MuxPcmParser::EndOfStream()
{
    if (m_pending.empty())
        return S_OK;
    m_pending.resize(static_cast<size_t>(FrameBytes()), 0);
    return PassFrames();
}
