#pragma once

#include <stddef.h>
#include <stdint.h>

#include <deque>
#include <vector>

struct SimPsSettings
{
    bool mpeg2 = true;        // MPEG-2 program stream, else MPEG-1 system stream
    int packSize = 2048;
    uint32_t muxRate = 24500; // program_mux_rate, 50 byte/s units
    bool hasVideo = true;
    bool hasAudio = true;
    int videoBufferKb = 224;  // STD buffer bounds in the system header
    int audioBufferKb = 4;
    bool audioFramePerPacket = false; // each audio PES packet carries exactly one frame
};

// One pack as it goes out: always exactly the pack size, padded with a padding packet.
struct SimPack
{
    std::vector<uint8_t> bytes;
    int64_t scr = 0;          // 90 kHz
    bool keyStart = false;    // a sequence header or I picture starts in it
};

// Interleaves a video and an audio elementary stream into packs of a fixed size, one PES
// packet each (stream 0xE0 or 0xC0), in time order. The first pack carries the system
// header. Each picture goes out as soon as it is added, its last pack padded; sound as soon
// as a pack's worth (or, when asked, each frame) is there. Finish flushes the rest and ends
// with the end code.
class CSimPsMuxer
{
public:
    explicit CSimPsMuxer(const SimPsSettings& settings);

    // One access unit (a picture or an audio frame) with its presentation time (90 kHz).
    // keyStart marks a unit that begins a sequence or I picture.
    void AddVideo(const uint8_t* data, size_t size, int64_t pts, bool keyStart);
    void AddAudio(const uint8_t* data, size_t size, int64_t pts);
    // The packs that are complete.
    void Drain(std::vector<SimPack>& packs);
    // Everything still held, then the end code (appended to the last pack's bytes).
    void Finish(std::vector<SimPack>& packs);

private:
    struct Unit
    {
        size_t offset;  // position of the unit's first byte in the stream's queue
        int64_t pts;
        bool keyStart;
    };
    struct Stream
    {
        uint8_t id;
        std::deque<uint8_t> bytes;
        std::deque<Unit> units;
        size_t consumed = 0; // bytes taken from the queue's start since the beginning
    };

    int HeaderBytes(bool withSystemHeader) const;
    int PayloadCapacity() const;
    // The bytes the stream's next packet carries.
    size_t PacketPayload(const Stream& stream) const;
    bool OneUnitPerPacket(const Stream& stream) const;
    // Whether everything queued of the stream goes out at once, the last pack padded.
    bool WholeUnitsOnly(const Stream& stream) const;
    int PacketHeaderBytes(bool withPts) const;
    int MinPaddingBytes() const;
    Stream* NextStream(bool final);
    void EmitPack(Stream& stream, std::vector<SimPack>& packs);
    void WritePackHeader(std::vector<uint8_t>& out, int64_t scr) const;
    void WriteSystemHeader(std::vector<uint8_t>& out) const;
    void WritePacket(std::vector<uint8_t>& out, Stream& stream, size_t payload, bool withPts, int64_t pts,
                     int stuffing) const;
    void WritePadding(std::vector<uint8_t>& out, int length) const;
    static void WriteTimestamp(std::vector<uint8_t>& out, int prefix, int64_t t);

    SimPsSettings m_settings;
    Stream m_video;
    Stream m_audio;
    bool m_systemHeaderSent = false;
    int64_t m_lastScr = -1;
    int m_lastPackBytes = 0;
};
