#include "CSimMpegEncodeSession.h"

#include <math.h>

CSimMpegEncodeSession::CSimMpegEncodeSession(const Config& config)
    : m_config(config), m_video(config.video), m_mux(config.mux),
      m_frameRate(CSimMpvEncoder::FrameRate(config.video.frameRateCode))
{
    if (config.audioRate > 0)
        m_audio.reset(new CSimMp2Encoder(config.audioRate, config.audioChannels, config.audioBitRateIndex,
                                         config.audioCrc));
    m_latest.Allocate(config.video.width, config.video.height);
}

int64_t CSimMpegEncodeSession::SlotTime(long slot) const
{
    return kStartPts + (int64_t)floor(slot * 90000.0 / m_frameRate + 0.5);
}

// Slot k shows the latest frame stamped at or before k periods: frames between slots are
// dropped, and a slot without a new frame repeats the last one.
void CSimMpegEncodeSession::PushVideo(const BYTE* frame, CSimPictureScaler::Layout layout, int width, int height,
                                      REFERENCE_TIME start, std::vector<SimPack>& packs)
{
    double period = 10000000.0 / m_frameRate;
    if (!m_haveLatest)
        m_slot = start <= 0 ? 0 : (long)ceil(start / period);
    while (m_haveLatest && m_slot * period < start)
        EncodeSlot(packs);
    CSimPictureScaler::ToPicture(frame, layout, width, height, m_latest);
    m_haveLatest = true;
    m_mux.Drain(packs);
}

void CSimMpegEncodeSession::PushAudio(const int16_t* samples, size_t frames, REFERENCE_TIME start,
                                      std::vector<SimPack>& packs)
{
    if (!m_audio || !m_audio->Valid())
        return;
    if (!m_audioStarted) {
        m_audioStarted = true;
        m_audioPts = kStartPts + (start > 0 ? start * 9 / 1000 : 0);
    }
    std::vector<std::vector<uint8_t>> coded;
    m_audio->Encode(samples, frames, coded);
    for (const std::vector<uint8_t>& f : coded) {
        int64_t pts = m_audioPts + (int64_t)m_audioFrames * CSimMp2Tables::kFrameSamples * 90000 / m_audio->SampleRate();
        m_mux.AddAudio(f.data(), f.size(), pts);
        ++m_audioFrames;
    }
    m_mux.Drain(packs);
}

void CSimMpegEncodeSession::EncodeSlot(std::vector<SimPack>& packs)
{
    std::vector<uint8_t> coded;
    bool key = m_video.Encode(m_latest, coded);
    m_mux.AddVideo(coded.data(), coded.size(), SlotTime(m_slot), key);
    ++m_slot;
    m_mux.Drain(packs);
}

void CSimMpegEncodeSession::Finish(std::vector<SimPack>& packs)
{
    if (m_haveLatest)
        EncodeSlot(packs);
    std::vector<uint8_t> end;
    m_video.End(end);
    m_mux.AddVideo(end.data(), end.size(), SlotTime(m_slot), false);
    m_mux.Finish(packs);
}
