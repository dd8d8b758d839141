#pragma once

#include "SimPicture.h"

#include <stdint.h>

#include <vector>

// What a video elementary stream is made with.
struct SimMpvSettings
{
    bool mpeg2 = true;
    int width = 720;            // multiple of 16
    int height = 576;           // multiple of 16
    int frameRateCode = 3;      // 3: 25 fps, 4: 30000/1001
    double bitRate = 4500000;   // bit/s
    bool constrained = false;   // MPEG-1 constrained_parameters_flag
    int vbvBufferSize = 112;    // vbv_buffer_size_value, 16 kbit units
    int gopLength = 15;
    bool closedGop = true;
    bool headerEveryGop = true; // sequence header before every GOP, else at the start only
};

// An intra-only MPEG-1 or MPEG-2 (Main@Main, 4:2:0) video encoder: every picture is an I
// picture with the default intra matrix, one slice per macroblock row, and a quantiser per
// picture chosen so that the picture stays near its share of the bit rate.
class CSimMpvEncoder
{
public:
    explicit CSimMpvEncoder(const SimMpvSettings& settings);

    // Appends the coded picture (with the sequence and GOP headers due before it).
    // Returns whether a sequence header went out with it.
    bool Encode(const SimPicture& picture, std::vector<uint8_t>& out);
    // The sequence end code.
    void End(std::vector<uint8_t>& out);

    const SimMpvSettings& Settings() const { return m_settings; }
    int QuantiserCode() const { return m_qcode; }
    // Frames per second of the frame-rate code.
    static double FrameRate(int frameRateCode);

private:
    void WriteSequenceHeader(std::vector<uint8_t>& out) const;
    void WriteGopHeader(std::vector<uint8_t>& out) const;
    void WritePicture(const SimPicture& picture, int qcode, std::vector<uint8_t>& out) const;
    void WriteMacroblock(class CSimBitWriter& bits, const SimPicture& picture, int mbx, int mby, int quant,
                         int dcPredictor[3]) const;
    void WriteBlock(class CSimBitWriter& bits, const float pixels[64], int component, int quant,
                    int& dcPredictor) const;
    void WriteEscape(class CSimBitWriter& bits, int run, int level) const;

    SimMpvSettings m_settings;
    int m_qcode = 8;
    int m_coefficients = 64; // zigzag positions coded per block, DC included
    long m_pictureCount = 0;
    bool m_sequenceSent = false;
};
