#include "MuxMpegAudioParser.h"

namespace
{

const int kRates[3] = {44100, 48000, 32000};
// kbit/s by layer (I, II, III) and bit-rate index; index 0 is the free format.
const int kBitRates[3][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
};

} // namespace

bool MuxMpegAudioParser::ReadHeader(const uint8_t* h, Frame* frame)
{
    if (h[0] != 0xFF || h[1] < 0xF0 || !(h[1] & 0x08))
        return false;
    int layerBits = (h[1] >> 1) & 3;
    int rateIndex = (h[2] >> 2) & 3;
    int bitRateIndex = h[2] >> 4;
    // A free-format frame has no size of its own to cut by.
    if (layerBits == 0 || rateIndex == 3 || bitRateIndex == 0 || bitRateIndex >= 15)
        return false;
    int layer = 4 - layerBits;
    int rate = kRates[rateIndex];
    int bitRate = kBitRates[layer - 1][bitRateIndex] * 1000;
    int padding = (h[2] >> 1) & 1;
    frame->rate = rate;
    frame->channels = (h[3] >> 6) == 3 ? 1 : 2;
    if (layer == 1) {
        frame->samples = 384;
        frame->size = (12 * bitRate / rate + padding) * 4;
    } else {
        frame->samples = 1152;
        frame->size = 144 * bitRate / rate + padding;
    }
    m_layer = layer;
    return true;
}
