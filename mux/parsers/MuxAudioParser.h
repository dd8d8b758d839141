#pragma once

#include "MuxStreamParser.h"
#include "MuxSyncClock.h"

#include <vector>

// What the audio forms share: bytes gather until a whole frame is there, and only whole
// frames go into the buffer, each with its record; bytes before a frame header are dropped.
// Frame i of the stream gets the time ceil(i x duration). With audio sync, frames are held
// back (dropped) until the stream's running time reaches the start of the video; the first
// frame to pass is then frame 0, so the audio begins with the video.
class MuxAudioParser : public MuxStreamParser
{
public:
    // The video start to wait for, or null when the audio flows at once. Set before a run.
    void SetSyncClock(MuxSyncClock* clock) { m_syncClock = clock; }

    void Reset() override;
    void Discontinuity() override;
    HRESULT Parse(const uint8_t* data, int bytes, LONGLONG sampleStart) override;
    HRESULT EndOfStream() override;

    LONGLONG FramesPassed() const { return m_frames; }
    LONGLONG FramesHeld() const { return m_heldFrames; }
    bool Waiting() const { return m_syncClock && m_waiting; }
    int SampleRate() const { return m_rate; }
    int Channels() const { return m_channels; }

    // ceil(index x samples x 27 MHz / rate), exactly.
    static uint64_t FrameTime(LONGLONG index, int samples, int rate);

protected:
    struct Frame
    {
        int size;
        int rate;
        int channels;
        int samples;
    };

    virtual uint32_t Codec() const = 0;
    // Bytes a header needs to be read, and the header read: false for no header here.
    virtual int HeaderBytes() const = 0;
    virtual bool ReadHeader(const uint8_t* header, Frame* frame) = 0;
    // The frame as it goes into the buffer (AC-3 turns a swapped frame round).
    virtual void Prepare(uint8_t*, int) {}
    // Called on the first sample of a run, before its frames.
    virtual HRESULT StreamStart(const uint8_t*, int) { return S_OK; }

    // One whole frame: held back while waiting for the video, else into the buffer.
    HRESULT PassFrame(uint8_t* data, int size, int samples, int rate);
    // The first sample's time is where the waiting counts from; none yet means no audio.
    bool SampleMayPass(LONGLONG sampleStart);

    std::vector<uint8_t> m_pending;
    int m_rate = 0;
    int m_channels = 0;
    bool m_started = false;

private:
    HRESULT CutFrames();

    MuxSyncClock* m_syncClock = nullptr;
    LONGLONG m_frames = 0;
    bool m_waiting = true;
    bool m_haveFirstTime = false;
    LONGLONG m_firstTime = 0;
    LONGLONG m_heldFrames = 0;
    LONGLONG m_heldTime = 0;
};
