#pragma once

// The engine behind a MuxHandle: an adapter that hands the units of its input streams to one
// of FFmpeg's program-stream muxers or its transport-stream muxer and writes what the muxer
// makes onto the caller's writer.
#include "muxlib.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <deque>
#include <memory>
#include <vector>

struct MuxEngine
{
    // One access unit as its record announced it, waiting for its bytes in the ring.
    struct Unit
    {
        uint32_t size;
        int64_t decodeTime; // 90 kHz
        int64_t presentTime;
        bool key;
        uint32_t codingType;
        // A stream header ahead of the frames (LPCM's "CP"), which the muxer writes its own way.
        bool header;
    };

    // A unit written to the muxer whose index record waits for the pack that carries its
    // first byte.
    struct PendingIndex
    {
        int64_t presentTime;
        uint32_t size;
        uint32_t codingType;
    };

    struct Stream
    {
        MuxEngine* engine = nullptr;
        // Weak: the caller owns its input buffers until MuxLibFinish.
        MuxBufStream* reader = nullptr;
        MuxStreamSettings settings = {};
        std::deque<Unit> units;
        int index = -1;
        // The PES stream id the muxer gives it (private stream 1 sub-id for AC-3 and LPCM).
        int streamId = 0;
        std::deque<PendingIndex> pending;
        // What the muxer adds to the unit's times in its PES headers, once seen.
        bool offsetKnown = false;
        int64_t ptsOffset = 0;
        bool ended = false;
        // Where the last unit with a time of its own and the last I picture began.
        uint64_t lastStart = 0;
        uint64_t keyPosition = ~static_cast<uint64_t>(0);
        // Transport stream: the stream's PID.
        int pid = 0;
        // MPEG video without a sequence extension, known from its first sequence header.
        bool mpeg1 = false;
        bool formKnown = false;
        // An AAC stream's two configuration bytes, from its configuration record.
        uint8_t audioConfig[2] = {0, 0};
        bool configKnown = false;

        void Learn(uint32_t codec);
    };

    MuxEngine(MuxMallocService allocate, MuxFreeService release, const MuxSettings& settings);
    ~MuxEngine();

    int Init(MuxBufStream* writer);
    int AddStream(const MuxStreamSettings& settings, MuxBufStream* reader);
    int Finish(int abort);

    MuxMallocService allocate;
    MuxFreeService release;
    MuxPrintService printError = nullptr;
    MuxProgressService printProgress = nullptr;
    MuxPrintService printWarning = nullptr;
    MuxPrintService printInfo = nullptr;

private:
    static int StreamAux(MuxBufStream* reader, int offset, uint32_t command, void* data, int length);
    static int WritePacket(void* opaque, uint8_t* data, int size);

    bool Start();
    void AssignStreamIds();
    bool CutSegment();
    bool Transport() const;
    void SetTransportOptions();
    void AssignPids();
    void IndexPack(const uint8_t* pack, int size, uint64_t position);
    void IndexTransportPacket(const uint8_t* packet, uint64_t position);
    void MarkUnitStart(Stream& stream, int64_t pts, uint64_t position);
    void IndexUnit(Stream& stream, const PendingIndex& unit, uint64_t start);
    void PatchProgramMap(uint8_t* packet) const;
    void SendIndex(Stream& stream, const PendingIndex& unit, uint64_t position);
    Stream* StreamById(int id);
    int BlockId(int id) const;
    int BlockSubId(int id) const;
    void RenumberPack(uint8_t* pack, int size) const;
    bool ReadyToStart(const Stream& stream) const;
    void Pump(Stream& stream);
    bool WriteUnit(Stream& stream, const Unit& unit);
    void EndMuxer(bool flush);
    void EndSegment(bool flush);
    void Forget();
    template <class... Args>
    void Report(const char* format, Args... args);

    MuxSettings m_settings;
    // Weak: the caller's writer, from MuxLibInit to MuxLibFinish.
    MuxBufStream* m_writer = nullptr;
    std::vector<std::unique_ptr<Stream>> m_streams;
    AVFormatContext* m_format = nullptr;
    AVIOContext* m_io = nullptr;
    bool m_started = false;
    bool m_failed = false;
    // A split asked for by the caller, made at the next I picture.
    bool m_splitPending = false;
    // No next file came: the rest is read and dropped.
    bool m_stopped = false;
    uint64_t m_segmentBytes = 0;
};
