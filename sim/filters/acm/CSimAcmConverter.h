#pragma once

#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

// One PCM to PCM conversion through the system's audio compression manager (rate, channels
// and sample size in one step), or a plain copy when both formats are the same. The
// manager's PCM converter keeps its position across calls, so a stream converts in pieces.
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
    // Converts whole input blocks; *used and *written report what was taken and given.
    HRESULT Convert(const BYTE* input, DWORD inputBytes, BYTE* output, DWORD outputBytes, DWORD* used,
                    DWORD* written);

private:
    HACMSTREAM m_stream = nullptr;
    bool m_copy = false;
    bool m_started = false;
    WAVEFORMATEX m_input = {};
    WAVEFORMATEX m_output = {};
};
