#pragma once

#include <stddef.h>
#include <stdint.h>

#include <deque>
#include <vector>

struct SimPsPacket
{
    uint8_t streamId = 0;
    bool hasPts = false;
    int64_t pts = 0;
    std::vector<uint8_t> payload;
};

struct SimPsPackInfo
{
    uint64_t offset = 0; // of the pack start code in the stream
    uint32_t length = 0; // up to the next pack or the end code
    int64_t scr = 0;     // 90 kHz
    bool keyStart = false;
    bool mpeg2 = false;
};

// Reads MPEG-1 system and MPEG-2 program streams as they arrive: the PES packets with
// their time stamps (padding dropped) and where each pack starts and ends. Bytes that do
// not parse are skipped up to the next start code.
class CSimPsParser
{
public:
    void Feed(const uint8_t* data, size_t size);
    // After the last byte: the pack still open ends there.
    void Finish();
    bool NextPacket(SimPsPacket& packet);
    bool NextPack(SimPsPackInfo& pack);
    void Reset();

private:
    // Parses the unit at the buffer's start; false when it needs more bytes.
    bool ParseUnit();
    bool ParsePes(size_t length);
    void ClosePack(uint64_t end);
    static bool StartsKeyPicture(const uint8_t* data, size_t size);
    static int64_t ReadTimestamp(const uint8_t* p);

    std::vector<uint8_t> m_buffer;
    uint64_t m_bufferOffset = 0; // stream offset of m_buffer[0]
    bool m_packOpen = false;
    SimPsPackInfo m_pack;
    std::deque<SimPsPacket> m_packets;
    std::deque<SimPsPackInfo> m_packs;
};
