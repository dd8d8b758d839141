#include "MuxAc3Parser.h"

namespace
{

enum { kStandard = 1, kSwapped = 2 };

const int kRates[3] = {48000, 44100, 32000};
// kbit/s by half the frame-size code.
const int kBitRates[19] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640};
const int kChannels[8] = {2, 1, 2, 3, 3, 4, 4, 5};

} // namespace

void MuxAc3Parser::Reset()
{
    MuxAudioParser::Reset();
    m_order = 0;
}

bool MuxAc3Parser::ReadHeader(const uint8_t* data, Frame* frame)
{
    int order = data[0] == 0x0B && data[1] == 0x77 ? kStandard : data[0] == 0x77 && data[1] == 0x0B ? kSwapped : 0;
    if (!order || (m_order && order != m_order))
        return false;
    uint8_t h[8];
    for (int i = 0; i < 8; ++i)
        h[i] = order == kSwapped ? data[i ^ 1] : data[i];
    int rateCode = h[4] >> 6;
    int sizeCode = h[4] & 0x3F;
    if (rateCode == 3 || sizeCode >= 38)
        return false;
    int rate = kRates[rateCode];
    // 16-bit words per frame: 1536 samples at the bit rate; 44.1 kHz adds a word to odd codes.
    int words = kBitRates[sizeCode / 2] * 1000 * 96 / rate;
    if (rateCode == 1 && (sizeCode & 1))
        ++words;
    frame->size = words * 2;
    frame->rate = rate;
    frame->channels = kChannels[h[6] >> 5];
    frame->samples = 1536;
    m_order = order;
    return true;
}

void MuxAc3Parser::Prepare(uint8_t* data, int size)
{
    if (m_order != kSwapped)
        return;
    for (int i = 0; i + 1 < size; i += 2) {
        uint8_t first = data[i];
        data[i] = data[i + 1];
        data[i + 1] = first;
    }
}
