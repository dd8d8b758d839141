#include "MuxAdtsParser.h"

namespace
{

const int kRates[13] = {96000, 88200, 64000, 48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000, 7350};

} // namespace

bool MuxAdtsParser::ReadHeader(const uint8_t* h, Frame* frame)
{
    if (h[0] != 0xFF || h[1] < 0xF0)
        return false;
    int rateIndex = (h[2] >> 2) & 0x0F;
    int length = ((h[3] & 3) << 11) | (h[4] << 3) | (h[5] >> 5);
    if (rateIndex >= 13 || length < 7)
        return false;
    m_version = (h[1] >> 3) & 1;
    m_profile = h[2] >> 6;
    int config = ((h[2] & 1) << 2) | (h[3] >> 6);
    frame->size = length;
    frame->rate = kRates[rateIndex];
    frame->channels = config ? (config == 7 ? 8 : config) : 2;
    frame->samples = 1024;
    return true;
}

HRESULT MuxAdtsParser::StreamStart(const uint8_t*, int)
{
    MuxAudioConfig config = {};
    config.configWord = m_configWord;
    config.configValue = m_configValue;
    Aux(MUX_AUX_AUDIO_CONFIG, &config, sizeof(config));
    return S_OK;
}
