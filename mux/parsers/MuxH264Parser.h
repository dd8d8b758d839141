#pragma once

#include "MuxVideoParser.h"

#include <vector>

// H.264 in byte-stream form. A NAL unit of types 6 to 9 or 13 to 18, or a slice whose first
// macroblock is 0, begins an access unit; type 10 ends the sequence. The sequence parameter
// set gives the frame size, the picture order count's form, and from its VUI the frame
// rate and bit rate. H.264 has no temporal reference: r is the picture order count since
// the last IDR picture, in frames.
class MuxH264Parser : public MuxVideoParser
{
public:
    typedef void (*DebugPrinter)(const char* text);

    enum { kCarryBytes = 512, kSliceHeaderBytes = 64 };

    // Where the texts about missing VUI parts go: the debugger's output unless a test says.
    void SetDebugPrinter(DebugPrinter printer) { m_print = printer; }

    void Reset() override;
    void Discontinuity() override;
    HRESULT Parse(const uint8_t* data, int bytes, LONGLONG sampleStart) override;
    HRESULT EndOfStream() override;

    // From the last parameter set, for tests and the engine's sequence record.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    uint32_t BitRate() const { return m_bitRate; }

protected:
    uint16_t Codec() const override { return MUX_CODEC_H264; }

private:
    struct Sps
    {
        bool frameMbsOnly = true;
        bool separateColourPlane = false;
        int frameNumBits = 4;
        int pocType = 0;
        int pocLsbBits = 4;
    };

    void NalStart(LONGLONG prefix, bool lastInSample);
    void NalDone();
    void ReadSps(const std::vector<uint8_t>& payload);
    void ReadVui(class MuxBitReader& bits);
    void ReadSlice(const std::vector<uint8_t>& payload, bool idr, int refIdc);
    int PictureOrder(uint32_t lsb, bool idr, int refIdc);
    void SendSequence();

    DebugPrinter m_print = nullptr;
    uint32_t m_code = 0xFFFFFFFF;
    // The NAL unit being read: where it began, how many of its bytes matter, and them.
    LONGLONG m_nalPosition = -1;
    int m_nalNeed = 0;
    std::vector<uint8_t> m_carry;
    std::vector<uint8_t> m_lastSps;

    Sps m_sps;
    bool m_haveSps = false;
    int m_width = 0;
    int m_height = 0;
    uint32_t m_bitRate = 0;
    uint32_t m_bufferSize = 0;
    int m_rateCode = 0;
    int m_prevPocMsb = 0;
    int m_prevPocLsb = 0;
};
