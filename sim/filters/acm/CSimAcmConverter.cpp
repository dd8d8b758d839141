#include "CSimAcmConverter.h"

#include "CSimAcmFormats.h"
#include "CSimAcmMp2Encoder.h"
#include "CSimMsAdpcmEncoder.h"

#include <dshow.h>

#include <string.h>

namespace
{
// Our encoders keep the input's rate and channels.
bool Encodes(const WAVEFORMATEX& input, const WAVEFORMATEX& output)
{
    return (output.wFormatTag == WAVE_FORMAT_ADPCM || output.wFormatTag == WAVE_FORMAT_MPEG) &&
           CSimAcmFormats::IsPlainPcm(input) && input.wBitsPerSample == 16 &&
           output.nChannels == input.nChannels && output.nSamplesPerSec == input.nSamplesPerSec;
}

std::unique_ptr<CSimAcmEncoder> MakeEncoder(const WAVEFORMATEX& output)
{
    if (output.wFormatTag == WAVE_FORMAT_ADPCM)
        return std::unique_ptr<CSimAcmEncoder>(new CSimMsAdpcmEncoder(output.nChannels, output.nBlockAlign));
    std::unique_ptr<CSimAcmMp2Encoder> mp2(new CSimAcmMp2Encoder((int)output.nSamplesPerSec, output.nChannels));
    if (!mp2->Valid())
        mp2.reset();
    return std::unique_ptr<CSimAcmEncoder>(mp2.release());
}
} // namespace

CSimAcmConverter::CSimAcmConverter() = default;

CSimAcmConverter::~CSimAcmConverter()
{
    Close();
}

bool CSimAcmConverter::CanConvert(const WAVEFORMATEX& input, const WAVEFORMATEX& output)
{
    if (CSimAcmFormats::SameFormat(input, output) || Encodes(input, output))
        return true;
    if (output.wFormatTag != WAVE_FORMAT_PCM)
        return false;
    WAVEFORMATEX in = input, out = output;
    return acmStreamOpen(nullptr, nullptr, &in, &out, nullptr, 0, 0, ACM_STREAMOPENF_QUERY) == MMSYSERR_NOERROR;
}

HRESULT CSimAcmConverter::Open(const WAVEFORMATEX& input, const WAVEFORMATEX& output)
{
    Close();
    m_input = input;
    m_output = output;
    m_copy = CSimAcmFormats::SameFormat(input, output);
    if (m_copy)
        return S_OK;
    if (Encodes(input, output)) {
        m_encoder = MakeEncoder(output);
        return m_encoder ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    if (output.wFormatTag != WAVE_FORMAT_PCM)
        return VFW_E_TYPE_NOT_ACCEPTED;
    MMRESULT result = acmStreamOpen(&m_stream, nullptr, &m_input, &m_output, nullptr, 0, 0,
                                    ACM_STREAMOPENF_NONREALTIME);
    if (result != MMSYSERR_NOERROR) {
        m_stream = nullptr;
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}

void CSimAcmConverter::Close()
{
    if (m_stream)
        acmStreamClose(m_stream, 0);
    m_stream = nullptr;
    m_copy = false;
    m_started = false;
    m_encoder.reset();
}

DWORD CSimAcmConverter::OutputSize(DWORD inputBytes) const
{
    if (m_copy)
        return inputBytes;
    if (m_encoder) {
        size_t frames = m_encoder->PendingFrames() + inputBytes / m_input.nBlockAlign;
        return (DWORD)(frames / m_encoder->FrameSamples() * m_encoder->MaxFrameBytes());
    }
    DWORD size = 0;
    if (!m_stream || acmStreamSize(m_stream, inputBytes, &size, ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR)
        return 0;
    return size;
}

HRESULT CSimAcmConverter::Convert(const BYTE* input, DWORD inputBytes, BYTE* output, DWORD outputBytes, DWORD* used,
                                  DWORD* written)
{
    *used = *written = 0;
    if (m_copy) {
        DWORD bytes = inputBytes < outputBytes ? inputBytes : outputBytes;
        bytes -= bytes % m_input.nBlockAlign;
        memcpy(output, input, bytes);
        *used = *written = bytes;
        return S_OK;
    }
    if (m_encoder)
        return Encode(input, inputBytes, output, outputBytes, used, written);
    if (!m_stream)
        return E_UNEXPECTED;
    ACMSTREAMHEADER header = {};
    header.cbStruct = sizeof(header);
    header.pbSrc = const_cast<BYTE*>(input);
    header.cbSrcLength = inputBytes;
    header.pbDst = output;
    header.cbDstLength = outputBytes;
    if (acmStreamPrepareHeader(m_stream, &header, 0) != MMSYSERR_NOERROR)
        return E_FAIL;
    DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN | (m_started ? 0 : ACM_STREAMCONVERTF_START);
    MMRESULT result = acmStreamConvert(m_stream, &header, flags);
    m_started = true;
    *used = header.cbSrcLengthUsed;
    *written = header.cbDstLengthUsed;
    acmStreamUnprepareHeader(m_stream, &header, 0);
    return result == MMSYSERR_NOERROR ? S_OK : E_FAIL;
}

// Takes no more input than makes the frames that surely fit the output.
HRESULT CSimAcmConverter::Encode(const BYTE* input, DWORD inputBytes, BYTE* output, DWORD outputBytes, DWORD* used,
                                 DWORD* written)
{
    size_t fit = outputBytes / m_encoder->MaxFrameBytes();
    if (fit == 0)
        return S_OK;
    size_t room = fit * m_encoder->FrameSamples() - m_encoder->PendingFrames();
    size_t frames = inputBytes / m_input.nBlockAlign;
    if (frames > room)
        frames = room;
    std::vector<uint8_t> encoded;
    if (!m_encoder->Encode(reinterpret_cast<const int16_t*>(input), frames, encoded))
        return E_FAIL;
    memcpy(output, encoded.data(), encoded.size());
    *used = (DWORD)(frames * m_input.nBlockAlign);
    *written = (DWORD)encoded.size();
    return S_OK;
}
