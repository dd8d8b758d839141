#include "CSimAcmMp2Encoder.h"

#include "CSimAcmFormats.h"

CSimAcmMp2Encoder::CSimAcmMp2Encoder(int sampleRate, int channels)
    : m_encoder(AV_CODEC_ID_MP2, sampleRate, channels, CSimAcmFormats::kMp2BitRate, 0)
{
}

bool CSimAcmMp2Encoder::Encode(const int16_t* samples, size_t frames, std::vector<uint8_t>& coded)
{
    return m_encoder.Encode(samples, frames, [&coded](AVPacket* p) {
        coded.insert(coded.end(), p->data, p->data + p->size);
        return true;
    });
}
