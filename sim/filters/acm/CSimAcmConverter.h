#pragma once

#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include "CSimAcmEncoder.h"

#include <memory>

// One conversion of PCM: to PCM through the system's audio compression manager (rate,
// channels and sample size in one step), a plain copy when both formats are the same, or
// to a compressed format through one of the codec's encoders (Layer II on FFmpeg, Microsoft
// ADPCM our own). The manager's PCM converter and the encoder keep their position across
// calls, so a stream converts in pieces.
class CSimAcmConverter
{
public:
    CSimAcmConverter();
    ~CSimAcmConverter();
    CSimAcmConverter(const CSimAcmConverter&) = delete;
    CSimAcmConverter& operator=(const CSimAcmConverter&) = delete;

    // Whether the manager converts input into output at all.
    static bool CanConvert(const WAVEFORMATEX& input, const WAVEFORMATEX& output);

    HRESULT Open(const WAVEFORMATEX& input, const WAVEFORMATEX& output);
    void Close();

    // The most output bytes that inputBytes can give.
    DWORD OutputSize(DWORD inputBytes) const;
    // Converts whole input blocks; *used and *written report what was taken and given. The
    // encoder may take input and give nothing yet, while its next block is incomplete.
    HRESULT Convert(const BYTE* input, DWORD inputBytes, BYTE* output, DWORD outputBytes, DWORD* used,
                    DWORD* written);

private:
    HRESULT Encode(const BYTE* input, DWORD inputBytes, BYTE* output, DWORD outputBytes, DWORD* used,
                   DWORD* written);

    HACMSTREAM m_stream = nullptr;
    bool m_copy = false;
    bool m_started = false;
    std::unique_ptr<CSimAcmEncoder> m_encoder;
    WAVEFORMATEX m_input = {};
    WAVEFORMATEX m_output = {};
};
