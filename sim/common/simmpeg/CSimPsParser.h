#pragma once

#include <stddef.h>
#include <stdint.h>

#include <deque>
#include <vector>

struct SimPsPackInfo
{
    uint64_t offset = 0; // of the pack start code in the stream
    uint32_t length = 0; // up to the next pack or the end code
    int64_t scr = 0;     // 90 kHz
    bool keyStart = false;
    bool mpeg2 = false;
};

// Reads where each pack of an MPEG-1 system or MPEG-2 program stream starts and ends, with
// its clock and whether a picture to start from begins in it, as the bytes arrive (the
// time-shift file's index; FFmpeg's demuxer reads the streams themselves). Bytes that do not
// parse are skipped up to the next start code.
class CSimPsParser
{
public:
    void Feed(const uint8_t* data, size_t size);
    // After the last byte: the pack still open ends there.
    void Finish();
    bool NextPack(SimPsPackInfo& pack);
    void Reset();

private:
    // Parses the unit at the buffer's start; false when it needs more bytes.
    bool ParseUnit();
    void ParsePes(size_t length);
    void ClosePack(uint64_t end);
    static bool StartsKeyPicture(const uint8_t* data, size_t size);
    static int64_t ReadTimestamp(const uint8_t* p);

    std::vector<uint8_t> m_buffer;
    uint64_t m_bufferOffset = 0; // stream offset of m_buffer[0]
    bool m_packOpen = false;
    SimPsPackInfo m_pack;
    std::deque<SimPsPackInfo> m_packs;
};
