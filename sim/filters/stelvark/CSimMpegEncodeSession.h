#pragma once

#include "CSimMp2Encoder.h"
#include "CSimMpvEncoder.h"
#include "CSimPictureScaler.h"
#include "CSimPsMuxer.h"

#include <dshow.h>

#include <memory>
#include <vector>

// One run of the encoder stand-in, from pause to stop: pictures on a fixed grid, audio
// frames and the multiplexer, fed from both input pins' streaming threads. The caller
// serialises the calls.
class CSimMpegEncodeSession
{
public:
    struct Config
    {
        SimMpvSettings video;
        SimPsSettings mux;
        int audioRate = 0;       // 0: no audio
        int audioChannels = 2;
        int audioBitRateIndex = 11;
        bool audioCrc = false;
    };

    explicit CSimMpegEncodeSession(const Config& config);

    // One input frame with its start time (100 ns) in the layout given.
    void PushVideo(const BYTE* frame, CSimPictureScaler::Layout layout, int width, int height, REFERENCE_TIME start,
                   std::vector<SimPack>& packs);
    // Interleaved 16-bit samples; the first block's start time places the sound.
    void PushAudio(const int16_t* samples, size_t frames, REFERENCE_TIME start, std::vector<SimPack>& packs);
    // The last picture's remaining slot, everything held, and the end code.
    void Finish(std::vector<SimPack>& packs);

    long Pictures() const { return m_slot; }
    int QuantiserCode() const { return m_video.QuantiserCode(); }

private:
    void EncodeSlot(std::vector<SimPack>& packs);
    int64_t SlotTime(long slot) const;

    // Pictures and sound start half a second into the stream, so packs can lead them.
    static const int64_t kStartPts = 45000;

    Config m_config;
    CSimMpvEncoder m_video;
    std::unique_ptr<CSimMp2Encoder> m_audio;
    CSimPsMuxer m_mux;
    double m_frameRate;
    SimPicture m_latest;
    bool m_haveLatest = false;
    long m_slot = 0;
    bool m_audioStarted = false;
    int64_t m_audioPts = 0;
    long m_audioFrames = 0;
};
