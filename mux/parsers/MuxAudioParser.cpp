#include "MuxAudioParser.h"

uint64_t MuxAudioParser::FrameTime(LONGLONG index, int samples, int rate)
{
    if (rate <= 0)
        return 0;
    uint64_t scaled = static_cast<uint64_t>(index) * static_cast<uint64_t>(samples) * kClock;
    return (scaled + rate - 1) / rate;
}

void MuxAudioParser::Reset()
{
    m_ended = false;
    m_pending.clear();
    m_rate = m_channels = 0;
    m_started = false;
    m_frames = 0;
    m_waiting = true;
    m_haveFirstTime = false;
    m_firstTime = 0;
    m_heldFrames = 0;
    m_heldTime = 0;
}

void MuxAudioParser::Discontinuity()
{
    m_pending.clear();
}

bool MuxAudioParser::SampleMayPass(LONGLONG sampleStart)
{
    if (!m_syncClock || !m_waiting || m_haveFirstTime)
        return true;
    if (sampleStart == 0)
        return false;
    m_haveFirstTime = true;
    m_firstTime = sampleStart;
    return true;
}

HRESULT MuxAudioParser::Parse(const uint8_t* data, int bytes, LONGLONG sampleStart)
{
    if (!SampleMayPass(sampleStart))
        return S_OK;
    if (!m_started) {
        m_started = true;
        HRESULT hr = StreamStart(data, bytes);
        if (FAILED(hr))
            return hr;
    }
    m_pending.insert(m_pending.end(), data, data + bytes);
    return CutFrames();
}

HRESULT MuxAudioParser::CutFrames()
{
    size_t at = 0;
    size_t headerBytes = static_cast<size_t>(HeaderBytes());
    HRESULT hr = S_OK;
    while (SUCCEEDED(hr) && at + headerBytes <= m_pending.size()) {
        Frame frame;
        if (!ReadHeader(&m_pending[at], &frame) || frame.size < static_cast<int>(headerBytes)) {
            ++at;
            continue;
        }
        if (at + static_cast<size_t>(frame.size) > m_pending.size())
            break;
        m_rate = frame.rate;
        m_channels = frame.channels;
        Prepare(&m_pending[at], frame.size);
        hr = PassFrame(&m_pending[at], frame.size, frame.samples, frame.rate);
        at += static_cast<size_t>(frame.size);
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<ptrdiff_t>(at));
    return hr;
}

HRESULT MuxAudioParser::PassFrame(uint8_t* data, int size, int samples, int rate)
{
    if (m_syncClock && m_waiting) {
        // Running time: the first sample's time plus the frames held so far, in 100 ns.
        uint64_t held = FrameTime(m_heldFrames, samples, rate);
        LONGLONG running = m_firstTime + static_cast<LONGLONG>((held * 10000 + 26999) / 27000);
        if (!m_syncClock->Known() || running < m_syncClock->VideoStart()) {
            ++m_heldFrames;
            return S_OK;
        }
        m_waiting = false;
    }
    HRESULT hr = Write(data, size);
    if (FAILED(hr))
        return hr;
    MuxAudioUnit unit = {static_cast<uint32_t>(size), Codec(), FrameTime(m_frames, samples, rate)};
    ++m_frames;
    Aux(MUX_AUX_AUDIO_UNIT, &unit, sizeof(unit));
    return S_OK;
}

// Whole frames went out as they came: a cut last frame is no frame.
HRESULT MuxAudioParser::EndOfStream()
{
    m_pending.clear();
    return S_OK;
}
