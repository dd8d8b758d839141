#pragma once

#include "CSimAvEncoder.h"
#include "CSimAvMuxer.h"
#include "CSimAvScaler.h"

#include <dshow.h>

#include <memory>
#include <vector>

// One run of the encoder stand-in, from pause to stop: pictures on a fixed grid into
// FFmpeg's MPEG-1/2 video encoder, sound into its Layer II encoder, both into its MPEG
// muxer, fed from both input pins' streaming threads. The caller serialises the calls.
class CSimMpegEncodeSession
{
public:
    struct Config
    {
        bool mpeg2 = true;
        int width = 720;           // multiple of 16
        int height = 576;
        AVRational frameRate = {25, 1};
        int64_t bitRate = 4500000;
        int vbvBits = 1835008;
        int gopLength = 12;
        int bFrames = 2;
        bool closedGop = true;
        CSimAvMuxer::Settings mux;
        int audioRate = 0;         // 0: no audio
        int audioChannels = 2;
        int audioBitRate = 224000;
    };

    explicit CSimMpegEncodeSession(const Config& config);

    // False when FFmpeg refused the settings: the session then takes nothing.
    bool Valid() const { return m_valid; }
    // One input frame of the layout (a FOURCC) with its start time (100 ns). False when
    // the encoder or muxer fails.
    bool PushVideo(const BYTE* frame, DWORD fourcc, int width, int height, REFERENCE_TIME start,
                   std::vector<SimPack>& packs);
    // Interleaved 16-bit samples at the configured channel count; the first block's start
    // time places the sound.
    bool PushAudio(const int16_t* samples, size_t frames, REFERENCE_TIME start, std::vector<SimPack>& packs);
    // The last picture's remaining slot, everything held and, when asked, the end code.
    bool Finish(std::vector<SimPack>& packs, bool endCode);

    long Pictures() const { return m_slot; }
    // The slot of the first picture (slots before it had no picture yet), and the slots after
    // it that repeated a picture because no new one had come.
    long FirstSlot() const { return m_firstSlot; }
    long Repeated() const { return m_repeated; }
    int AudioChannels() const { return m_config.audioChannels; }

private:
    bool OpenVideo();
    bool OpenAudio();
    bool EncodeSlot();
    bool EncodeAudioFrames(bool final);
    bool Write(int stream, AVPacket* packet) { return m_mux.Write(stream, packet); }

    Config m_config;
    bool m_valid = false;
    CSimAvEncoder m_video;
    std::unique_ptr<CSimAvEncoder> m_audio;
    CSimAvMuxer m_mux;
    int m_videoStream = -1;
    int m_audioStream = -1;
    CSimAvScaler m_scaler;
    SimAvPtr<AVFrame> m_latest;
    bool m_haveLatest = false;
    bool m_latestEncoded = false;
    long m_slot = 0;
    long m_firstSlot = 0;
    long m_repeated = 0;
    SimAvPtr<AVFrame> m_sound;
    std::vector<int16_t> m_pending;
    bool m_audioStarted = false;
    int64_t m_audioPts = 0;
};
