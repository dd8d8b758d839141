#pragma once

#include "SimPicture.h"

#include <stdint.h>

#include <vector>

// What an MPEG-4 Visual elementary stream is made with.
struct SimMp4vSettings
{
    int width = 352;
    int height = 288;
    int timeResolution = 25; // vop_time_increment_resolution, ticks per second
    int timeIncrement = 1;   // ticks per frame (fixed frame rate)
};

// An MPEG-4 Visual Simple Profile encoder of I-VOPs only. Each block carries its DC
// coefficient alone (intra DC VLC with the standard's DC prediction, no AC coefficients), so
// the picture is a mosaic of 8x8 means: blocky, but a valid stream any decoder reads. The
// first picture carries the VOS, VO and VOL headers.
class CSimMp4vEncoder
{
public:
    explicit CSimMp4vEncoder(const SimMp4vSettings& settings);

    // Appends one coded picture at quantiser quant (1-31).
    void Encode(const SimPicture& picture, int quant, std::vector<uint8_t>& out);

    const SimMp4vSettings& Settings() const { return m_settings; }

private:
    void WriteHeaders(class CSimBitWriter& bits) const;
    void WriteVop(class CSimBitWriter& bits, const SimPicture& picture, int quant);
    void WriteMacroblock(class CSimBitWriter& bits, const SimPicture& picture, int mbx, int mby, int quant);
    // Codes the DC of one block and records its reconstruction for its neighbours' prediction.
    void WriteDc(class CSimBitWriter& bits, bool luma, int mean8, int scaler, std::vector<int>& plane, int stride,
                 int bx, int by);
    int TimeBits() const;

    SimMp4vSettings m_settings;
    long m_frames = 0;
    long m_lastSecond = 0;
    // Reconstructed DC values (level x scaler) of the picture being coded, one per block, for
    // prediction: the luminance block grid, then the two chrominance grids.
    std::vector<int> m_lumaDc, m_cbDc, m_crDc;
};
