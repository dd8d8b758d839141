#include "CSimMpegEncodeSession.h"

#include <math.h>
#include <string.h>

CSimMpegEncodeSession::CSimMpegEncodeSession(const Config& config)
    : m_config(config), m_video(config.mpeg2 ? AV_CODEC_ID_MPEG2VIDEO : AV_CODEC_ID_MPEG1VIDEO), m_mux(config.mux),
      m_latest(av_frame_alloc()), m_sound(av_frame_alloc())
{
    m_valid = OpenVideo() && (config.audioRate <= 0 || OpenAudio()) && m_mux.Start();
}

namespace
{

// The standard's default intra matrix, doubled.
const uint8_t kMatrix[64] = {
    16, 32, 38, 44, 52, 54, 58, 68,  32, 32, 44, 48, 54, 58, 68,  74,  38, 44, 52, 54, 58, 68,  68,  76,
    44, 44, 52, 54, 58, 68, 74, 80,  44, 52, 54, 58, 64, 70, 80,  96,  52, 54, 58, 64, 70, 80,  96,  116,
    52, 54, 58, 68, 76, 92, 112, 138, 54, 58, 70, 76, 92, 112, 138, 166};

// The codec context frees the matrix with the rest.
bool SetMatrix(uint16_t** matrix)
{
    *matrix = (uint16_t*)av_malloc(64 * sizeof(uint16_t));
    if (*matrix == nullptr)
        return false;
    for (int i = 0; i < 64; ++i)
        (*matrix)[i] = kMatrix[i];
    return true;
}

} // namespace

bool CSimMpegEncodeSession::OpenVideo()
{
    AVCodecContext* c = m_video.Context();
    if (c == nullptr || !m_latest)
        return false;
    c->width = m_config.width;
    c->height = m_config.height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->framerate = m_config.frameRate;
    c->time_base = av_inv_q(m_config.frameRate);
    // The sequence header carries the maximum rate: the stream keeps to the preset's rate.
    c->bit_rate = m_config.bitRate;
    c->rc_max_rate = m_config.bitRate;
    c->rc_buffer_size = m_config.vbvBits;
    // A picture without a signal is noise, which even the coarsest quantiser codes at twice
    // the rate with the standard's matrices: matrices twice the standard intra one weigh the
    // high frequencies down enough to hold the rate there. (Rate-distortion quantisation
    // held it too, but its search at the weights noise needs cost six times the coding.)
    // MPEG-2 also takes its coarser non-linear quantiser scale (FFmpeg's ceiling for that
    // scale is code 28).
    if (!SetMatrix(&c->intra_matrix) || !SetMatrix(&c->inter_matrix))
        return false;
    if (m_config.mpeg2) {
        av_opt_set_int(c->priv_data, "non_linear_quant", 1, 0);
        c->qmax = 28;
    }
    // Slices coded side by side where the machine has the processors.
    c->thread_count = 4;
    c->thread_type = FF_THREAD_SLICE;
    // Pictures shown at 4:3 whatever their size.
    av_reduce(&c->sample_aspect_ratio.num, &c->sample_aspect_ratio.den, 4LL * m_config.height,
              3LL * m_config.width, 255);
    // The preset's group of pictures exactly: no extra I pictures at scene changes.
    c->gop_size = m_config.gopLength;
    c->max_b_frames = m_config.bFrames;
    av_opt_set_int(c->priv_data, "sc_threshold", 1000000000, 0);
    if (m_config.closedGop)
        c->flags |= AV_CODEC_FLAG_CLOSED_GOP;
    if (!m_video.Open())
        return false;
    m_videoStream = m_mux.AddStream(c);
    m_latest->format = AV_PIX_FMT_YUV420P;
    m_latest->width = m_config.width;
    m_latest->height = m_config.height;
    return m_videoStream >= 0 && av_frame_get_buffer(m_latest.get(), 0) >= 0;
}

bool CSimMpegEncodeSession::OpenAudio()
{
    m_audio.reset(new CSimAvEncoder(AV_CODEC_ID_MP2));
    AVCodecContext* c = m_audio->Context();
    if (c == nullptr || !m_sound)
        return false;
    c->sample_rate = m_config.audioRate;
    c->sample_fmt = AV_SAMPLE_FMT_S16;
    av_channel_layout_default(&c->ch_layout, m_config.audioChannels);
    c->bit_rate = m_config.audioBitRate;
    c->time_base = AVRational{1, m_config.audioRate};
    if (!m_audio->Open())
        return false;
    m_audioStream = m_mux.AddStream(c);
    m_sound->format = AV_SAMPLE_FMT_S16;
    m_sound->nb_samples = c->frame_size;
    m_sound->sample_rate = c->sample_rate;
    return m_audioStream >= 0 && av_channel_layout_copy(&m_sound->ch_layout, &c->ch_layout) >= 0 &&
           av_frame_get_buffer(m_sound.get(), 0) >= 0;
}

// Slot k shows the latest frame stamped at or before k periods: frames between slots are
// dropped, and a slot without a new frame repeats the last one.
bool CSimMpegEncodeSession::PushVideo(const BYTE* frame, DWORD fourcc, int width, int height, REFERENCE_TIME start,
                                      std::vector<SimPack>& packs)
{
    if (!m_valid)
        return false;
    double period = 10000000.0 / av_q2d(m_config.frameRate);
    if (!m_haveLatest)
        m_slot = m_firstSlot = start <= 0 ? 0 : (long)ceil(start / period);
    while (m_haveLatest && m_slot * period < start)
        if (!EncodeSlot())
            return false;
    if (!m_scaler.ToPicture(frame, fourcc, width, height, m_latest.get()))
        return false;
    m_haveLatest = true;
    m_latestEncoded = false;
    m_mux.Drain(packs);
    return true;
}

bool CSimMpegEncodeSession::EncodeSlot()
{
    m_repeated += m_latestEncoded ? 1 : 0;
    m_latestEncoded = true;
    m_latest->pts = m_slot++;
    return m_video.Encode(m_latest.get(), [this](AVPacket* p) { return Write(m_videoStream, p); });
}

bool CSimMpegEncodeSession::PushAudio(const int16_t* samples, size_t frames, REFERENCE_TIME start,
                                      std::vector<SimPack>& packs)
{
    if (!m_valid || !m_audio)
        return m_valid;
    if (!m_audioStarted) {
        m_audioStarted = true;
        m_audioPts = start > 0 ? start * m_config.audioRate / 10000000 : 0;
    }
    m_pending.insert(m_pending.end(), samples, samples + frames * m_config.audioChannels);
    bool ok = EncodeAudioFrames(false);
    m_mux.Drain(packs);
    return ok;
}

// Whole encoder frames from the samples held; at the end the rest, padded with silence.
bool CSimMpegEncodeSession::EncodeAudioFrames(bool final)
{
    size_t frameValues = (size_t)m_sound->nb_samples * m_config.audioChannels;
    auto sink = [this](AVPacket* p) { return Write(m_audioStream, p); };
    while (m_pending.size() >= frameValues || (final && !m_pending.empty())) {
        m_pending.resize(m_pending.size() > frameValues ? m_pending.size() : frameValues, 0);
        if (av_frame_make_writable(m_sound.get()) < 0)
            return false;
        memcpy(m_sound->data[0], m_pending.data(), frameValues * sizeof(int16_t));
        m_pending.erase(m_pending.begin(), m_pending.begin() + frameValues);
        m_sound->pts = m_audioPts;
        m_audioPts += m_sound->nb_samples;
        if (!m_audio->Encode(m_sound.get(), sink))
            return false;
    }
    return !final || m_audio->Encode(nullptr, sink);
}

bool CSimMpegEncodeSession::Finish(std::vector<SimPack>& packs, bool endCode)
{
    bool ok = m_valid;
    if (ok && m_haveLatest)
        ok = EncodeSlot();
    if (ok)
        ok = m_video.Encode(nullptr, [this](AVPacket* p) { return Write(m_videoStream, p); });
    if (ok && m_audio)
        ok = EncodeAudioFrames(true);
    ok = m_mux.Finish(packs, endCode) && ok;
    m_valid = false;
    return ok;
}
