#include "CSimMp4vEncoder.h"

#include "CSimBitWriter.h"

#include <stdlib.h>

namespace
{
// Start codes (the byte after 00 00 01).
const uint8_t kVisualObjectSequence = 0xB0;
const uint8_t kVisualObject = 0xB5;
const uint8_t kVideoObject = 0x00;
const uint8_t kVideoObjectLayer = 0x20;
const uint8_t kVop = 0xB6;

const int kSimpleObjectType = 1;
const int kVideoIdType = 1;
const int kSquarePixels = 1;
const int kVopTypeI = 0;
// The DC a block outside the picture is taken to have.
const int kOutsideDc = 1024;

struct Vlc
{
    uint32_t code;
    int length;
};

// dct_dc_size_luminance and dct_dc_size_chrominance, by size 0-12.
const Vlc kDcSizeLuma[13] = {{3, 3}, {3, 2}, {2, 2}, {2, 3}, {1, 3}, {1, 4}, {1, 5},
                             {1, 6}, {1, 7}, {1, 8}, {1, 9}, {1, 10}, {1, 11}};
const Vlc kDcSizeChroma[13] = {{3, 2}, {2, 2}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6},
                               {1, 7}, {1, 8}, {1, 9}, {1, 10}, {1, 11}, {1, 12}};
// mcbpc of an I-VOP's intra macroblock with cbpc 00, and cbpy 0000 of an intra macroblock.
const Vlc kMcbpcIntraNoChroma = {1, 1};
const Vlc kCbpyIntraNone = {3, 4};

// The Simple Profile level (profile_and_level_indication) whose picture size holds this many
// macroblocks: 3 up to CIF, 4a up to 640x480, 5 up to 720x576, else 6.
int ProfileLevel(int width, int height)
{
    int macroblocks = ((width + 15) / 16) * ((height + 15) / 16);
    return macroblocks <= 396 ? 0x03 : macroblocks <= 1200 ? 0x04 : macroblocks <= 1620 ? 0x05 : 0x06;
}

int DcScaler(bool luma, int quant)
{
    if (quant <= 4)
        return 8;
    if (luma)
        return quant <= 8 ? 2 * quant : quant <= 24 ? quant + 8 : 2 * quant - 16;
    return quant <= 24 ? (quant + 13) / 2 : quant - 6;
}

// The byte-alignment stuffing before a start code: a zero bit, then ones.
void NextStartCode(CSimBitWriter& bits)
{
    bits.Put(0, 1);
    while (bits.BitCount() % 8)
        bits.Put(1, 1);
}

void PutVlc(CSimBitWriter& bits, const Vlc& vlc)
{
    bits.Put(vlc.code, vlc.length);
}

int BitsFor(int value)
{
    int count = 0;
    while (value > 0) {
        ++count;
        value >>= 1;
    }
    return count;
}

// Eight times the mean of an 8x8 block of a plane (the DCT's DC), edges repeated past its size.
int BlockDc(const std::vector<uint8_t>& plane, int width, int height, int x0, int y0)
{
    int sum = 0;
    for (int y = 0; y < 8; ++y) {
        int row = y0 + y < height ? y0 + y : height - 1;
        for (int x = 0; x < 8; ++x) {
            int column = x0 + x < width ? x0 + x : width - 1;
            sum += plane[(size_t)row * width + column];
        }
    }
    return (sum + 4) / 8;
}
}

CSimMp4vEncoder::CSimMp4vEncoder(const SimMp4vSettings& settings) : m_settings(settings)
{
}

int CSimMp4vEncoder::TimeBits() const
{
    int bits = BitsFor(m_settings.timeResolution - 1);
    return bits > 0 ? bits : 1;
}

void CSimMp4vEncoder::Encode(const SimPicture& picture, int quant, std::vector<uint8_t>& out)
{
    CSimBitWriter bits(out);
    if (m_frames == 0)
        WriteHeaders(bits);
    WriteVop(bits, picture, quant < 1 ? 1 : quant > 31 ? 31 : quant);
    NextStartCode(bits);
    ++m_frames;
}

void CSimMp4vEncoder::WriteHeaders(CSimBitWriter& bits) const
{
    bits.StartCode(kVisualObjectSequence);
    bits.Put(ProfileLevel(m_settings.width, m_settings.height), 8);
    bits.StartCode(kVisualObject);
    bits.Put(0, 1); // is_visual_object_identifier
    bits.Put(kVideoIdType, 4);
    bits.Put(0, 1); // video_signal_type
    NextStartCode(bits);
    bits.StartCode(kVideoObject);
    bits.StartCode(kVideoObjectLayer);
    bits.Put(0, 1); // random_accessible_vol
    bits.Put(kSimpleObjectType, 8);
    bits.Put(0, 1); // is_object_layer_identifier
    bits.Put(kSquarePixels, 4);
    bits.Put(0, 1); // vol_control_parameters
    bits.Put(0, 2); // rectangular shape
    bits.Put(1, 1);
    bits.Put(m_settings.timeResolution, 16);
    bits.Put(1, 1);
    bits.Put(1, 1); // fixed_vop_rate
    bits.Put(m_settings.timeIncrement, TimeBits());
    bits.Put(1, 1);
    bits.Put(m_settings.width, 13);
    bits.Put(1, 1);
    bits.Put(m_settings.height, 13);
    bits.Put(1, 1);
    bits.Put(0, 1); // interlaced
    bits.Put(1, 1); // obmc_disable
    bits.Put(0, 1); // sprite_enable
    bits.Put(0, 1); // not_8_bit
    bits.Put(0, 1); // quant_type: H.263 quantisation
    bits.Put(1, 1); // complexity_estimation_disable
    bits.Put(1, 1); // resync_marker_disable
    bits.Put(0, 1); // data_partitioned
    bits.Put(0, 1); // scalability
    NextStartCode(bits);
}

void CSimMp4vEncoder::WriteVop(CSimBitWriter& bits, const SimPicture& picture, int quant)
{
    long ticks = m_frames * m_settings.timeIncrement;
    long second = ticks / m_settings.timeResolution;
    bits.StartCode(kVop);
    bits.Put(kVopTypeI, 2);
    for (long s = m_lastSecond; s < second; ++s)
        bits.Put(1, 1); // modulo_time_base: the seconds passed since the previous VOP
    bits.Put(0, 1);
    m_lastSecond = second;
    bits.Put(1, 1);
    bits.Put((uint32_t)(ticks % m_settings.timeResolution), TimeBits());
    bits.Put(1, 1);
    bits.Put(1, 1); // vop_coded
    bits.Put(0, 3); // intra_dc_vlc_thr: DCs always by their own VLC
    bits.Put(quant, 5);

    int mbWidth = (m_settings.width + 15) / 16, mbHeight = (m_settings.height + 15) / 16;
    m_lumaDc.assign((size_t)mbWidth * 2 * mbHeight * 2, 0);
    m_cbDc.assign((size_t)mbWidth * mbHeight, 0);
    m_crDc.assign((size_t)mbWidth * mbHeight, 0);
    for (int mby = 0; mby < mbHeight; ++mby) {
        for (int mbx = 0; mbx < mbWidth; ++mbx)
            WriteMacroblock(bits, picture, mbx, mby, quant);
    }
}

void CSimMp4vEncoder::WriteMacroblock(CSimBitWriter& bits, const SimPicture& picture, int mbx, int mby, int quant)
{
    PutVlc(bits, kMcbpcIntraNoChroma);
    bits.Put(0, 1); // ac_pred_flag
    PutVlc(bits, kCbpyIntraNone);
    int lumaScaler = DcScaler(true, quant), chromaScaler = DcScaler(false, quant);
    int lumaStride = ((m_settings.width + 15) / 16) * 2;
    for (int block = 0; block < 4; ++block) {
        int bx = mbx * 2 + (block & 1), by = mby * 2 + (block >> 1);
        int dc = BlockDc(picture.y, picture.width, picture.height, bx * 8, by * 8);
        WriteDc(bits, true, dc, lumaScaler, m_lumaDc, lumaStride, bx, by);
    }
    int chromaStride = lumaStride / 2, chromaWidth = picture.width / 2, chromaHeight = picture.height / 2;
    int cb = BlockDc(picture.cb, chromaWidth, chromaHeight, mbx * 8, mby * 8);
    WriteDc(bits, false, cb, chromaScaler, m_cbDc, chromaStride, mbx, mby);
    int cr = BlockDc(picture.cr, chromaWidth, chromaHeight, mbx * 8, mby * 8);
    WriteDc(bits, false, cr, chromaScaler, m_crDc, chromaStride, mbx, mby);
}

void CSimMp4vEncoder::WriteDc(CSimBitWriter& bits, bool luma, int dc, int scaler, std::vector<int>& plane, int stride,
                              int bx, int by)
{
    int left = bx > 0 ? plane[(size_t)by * stride + bx - 1] : kOutsideDc;
    int aboveLeft = bx > 0 && by > 0 ? plane[(size_t)(by - 1) * stride + bx - 1] : kOutsideDc;
    int above = by > 0 ? plane[(size_t)(by - 1) * stride + bx] : kOutsideDc;
    // The direction whose neighbours change less predicts: above when the left column is flat.
    int from = abs(left - aboveLeft) < abs(aboveLeft - above) ? above : left;
    int predicted = (from + scaler / 2) / scaler;
    int level = (dc + scaler / 2) / scaler;
    plane[(size_t)by * stride + bx] = level * scaler;

    int difference = level - predicted;
    int size = BitsFor(abs(difference));
    PutVlc(bits, luma ? kDcSizeLuma[size] : kDcSizeChroma[size]);
    if (size == 0)
        return;
    // A negative difference is sent as its ones' complement in size bits.
    bits.Put((uint32_t)(difference > 0 ? difference : difference + (1 << size) - 1), size);
    if (size > 8)
        bits.Put(1, 1); // marker
}
