// The encoder's blocks, decoded by the system's Microsoft ADPCM decoder (an implementation
// that is not ours), must give back the signal that went in.
#include <gtest/gtest.h>

#include "CSimAcmFormats.h"
#include "CSimMsAdpcmEncoder.h"

#include <msacm.h>

#include <math.h>

#include <algorithm>
#include <vector>

namespace
{

const double kPi = 3.14159265358979323846;

enum Signal { kSine, kFullScaleSquare, kSilence };

struct EncoderCase
{
    const char* what;
    Signal signal;
    DWORD rate;
    WORD channels;
    // The block size the format gives this rate and channel count.
    WORD blockAlign;
    int samplesPerBlock;
};

const EncoderCase kCases[] = {
    {"stereo sine, 44100 Hz", kSine, 44100, 2, 2048, 2036},
    {"mono sine, 22050 Hz", kSine, 22050, 1, 512, 1012},
    {"mono sine, 8000 Hz", kSine, 8000, 1, 256, 500},
    {"stereo sine, 48000 Hz", kSine, 48000, 2, 2048, 2036},
    {"stereo full-scale square, 44100 Hz", kFullScaleSquare, 44100, 2, 2048, 2036},
    {"stereo silence, 32000 Hz", kSilence, 32000, 2, 1024, 1012},
};

// Channel c of frame i; the right channel runs at a different pitch so swapped nibbles show.
int16_t SampleOf(Signal signal, DWORD rate, size_t i, int c)
{
    double t = (double)i / rate;
    double frequency = c == 0 ? 1000 : 440;
    switch (signal) {
    case kSine:
        return (int16_t)lround(12000 * sin(2 * kPi * frequency * t));
    case kFullScaleSquare:
        return fmod(t * frequency, 1.0) < 0.5 ? 32767 : -32768;
    default:
        return 0;
    }
}

std::vector<int16_t> MakeSignal(const EncoderCase& c, size_t frames)
{
    std::vector<int16_t> samples(frames * c.channels);
    for (size_t i = 0; i < frames; ++i) {
        for (int ch = 0; ch < c.channels; ++ch)
            samples[i * c.channels + ch] = SampleOf(c.signal, c.rate, i, ch);
    }
    return samples;
}

// Through the system's decoder; empty when it refuses the format or the data.
std::vector<int16_t> DecodeWithSystem(const EncoderCase& c, std::vector<uint8_t>& blocks)
{
    SimAcmFormat adpcm = CSimAcmFormats::MsAdpcm(c.rate, c.channels);
    WAVEFORMATEX pcm = CSimAcmFormats::Pcm(c.rate, c.channels, 16).wave;
    HACMSTREAM stream = nullptr;
    if (acmStreamOpen(&stream, nullptr, &adpcm.wave, &pcm, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
        MMSYSERR_NOERROR)
        return std::vector<int16_t>();
    std::vector<int16_t> decoded(blocks.size() / c.blockAlign * c.samplesPerBlock * c.channels);
    ACMSTREAMHEADER header = {};
    header.cbStruct = sizeof(header);
    header.pbSrc = blocks.data();
    header.cbSrcLength = (DWORD)blocks.size();
    header.pbDst = reinterpret_cast<BYTE*>(decoded.data());
    header.cbDstLength = (DWORD)(decoded.size() * sizeof(int16_t));
    MMRESULT result = acmStreamPrepareHeader(stream, &header, 0);
    if (result == MMSYSERR_NOERROR)
        result = acmStreamConvert(stream, &header, ACM_STREAMCONVERTF_BLOCKALIGN | ACM_STREAMCONVERTF_START);
    acmStreamUnprepareHeader(stream, &header, 0);
    acmStreamClose(stream, 0);
    if (result != MMSYSERR_NOERROR)
        return std::vector<int16_t>();
    decoded.resize(header.cbDstLengthUsed / sizeof(int16_t));
    return decoded;
}

double SignalToNoiseDb(const std::vector<int16_t>& original, const std::vector<int16_t>& decoded)
{
    double signal = 0, noise = 0;
    for (size_t i = 0; i < decoded.size(); ++i) {
        signal += (double)original[i] * original[i];
        noise += ((double)original[i] - decoded[i]) * ((double)original[i] - decoded[i]);
    }
    return 10 * log10((signal + 1) / (noise + 1));
}

TEST(SimMsAdpcmEncoderTest, TheSystemDecoderGivesBackWhatWentIn)
{
    for (const EncoderCase& c : kCases) {
        SimAcmFormat format = CSimAcmFormats::MsAdpcm(c.rate, c.channels);
        ASSERT_EQ(c.blockAlign, format.wave.nBlockAlign) << c.what;
        CSimMsAdpcmEncoder encoder(c.channels, c.blockAlign);
        ASSERT_EQ(c.samplesPerBlock, encoder.FrameSamples()) << c.what;
        const size_t frames = (size_t)c.samplesPerBlock * 5 + 100;
        std::vector<int16_t> samples = MakeSignal(c, frames);
        // In uneven pieces, as a capture filter delivers them.
        std::vector<uint8_t> blocks;
        for (size_t done = 0; done < frames;) {
            size_t piece = std::min<size_t>(frames - done, 441 + done % 7);
            ASSERT_TRUE(encoder.Encode(samples.data() + done * c.channels, piece, blocks)) << c.what;
            done += piece;
        }
        ASSERT_EQ((size_t)5 * c.blockAlign, blocks.size()) << c.what << ": whole blocks only";
        EXPECT_EQ(100u, encoder.PendingFrames()) << c.what;

        // The block opens with the first two samples, the older last.
        for (int ch = 0; ch < c.channels; ++ch) {
            const uint8_t* header = blocks.data();
            EXPECT_LT(header[ch], 7) << c.what << ": predictor index";
            int16_t delta = (int16_t)(header[c.channels + 2 * ch] | header[c.channels + 2 * ch + 1] << 8);
            EXPECT_GE(delta, 16) << c.what;
            const uint8_t* newer = header + 3 * c.channels + 2 * ch;
            const uint8_t* older = header + 5 * c.channels + 2 * ch;
            EXPECT_EQ(samples[c.channels + ch], (int16_t)(newer[0] | newer[1] << 8)) << c.what;
            EXPECT_EQ(samples[ch], (int16_t)(older[0] | older[1] << 8)) << c.what;
        }

        std::vector<int16_t> decoded = DecodeWithSystem(c, blocks);
        ASSERT_EQ((size_t)5 * c.samplesPerBlock * c.channels, decoded.size()) << c.what;
        if (c.signal == kSilence) {
            for (int16_t sample : decoded)
                ASSERT_EQ(0, sample) << c.what;
        } else {
            EXPECT_GT(SignalToNoiseDb(samples, decoded), 20.0) << c.what;
        }
    }
}

TEST(SimMsAdpcmEncoderTest, TheFormatCarriesTheStandardCoefficientsAndAByteRateForItsBlocks)
{
    SimAcmFormat format = CSimAcmFormats::MsAdpcm(44100, 2);
    const ADPCMWAVEFORMAT* adpcm = reinterpret_cast<const ADPCMWAVEFORMAT*>(&format);
    EXPECT_EQ(WAVE_FORMAT_ADPCM, format.wave.wFormatTag);
    EXPECT_EQ(32, format.wave.cbSize);
    EXPECT_EQ(4, format.wave.wBitsPerSample);
    EXPECT_EQ(2036, adpcm->wSamplesPerBlock);
    EXPECT_EQ(44100u * 2048 / 2036, format.wave.nAvgBytesPerSec);
    const short coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    ASSERT_EQ(7, adpcm->wNumCoef);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(coefficients[i][0], adpcm->aCoef[i].iCoef1) << i;
        EXPECT_EQ(coefficients[i][1], adpcm->aCoef[i].iCoef2) << i;
    }
}

} // namespace
