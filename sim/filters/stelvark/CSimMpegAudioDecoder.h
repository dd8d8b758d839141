#pragma once

#include "CSimInputPin.h"
#include "CSimAvDecoder.h"
#include "CSimAvResampler.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"

#include <memory>

// "Stelvark Demo MPEG Audio Decoder": decodes Layer II frames through FFmpeg to 16-bit PCM
// at the rate and channel count its input format block names, resampling the stream's own
// rate to it.
class CSimMpegAudioDecoder : public CSimStandInFilter
{
public:
    explicit CSimMpegAudioDecoder(IUnknown* outer);

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT BeginInputFlush(int pin) override;
    HRESULT EndInputFlush(int pin) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;


protected:
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;

private:
    HRESULT DeliverSound(const AVFrame* frame);

    CSimInputPin m_input;
    CSimOutputPin m_output;

    // Guards the decoder and resampler (streaming thread against flushes and state changes).
    CCritSection m_receiveLock;
    CSimAvDecoder m_decoder{AV_CODEC_ID_MP2};
    std::unique_ptr<CSimAvResampler> m_resampler;
    HRESULT m_deliverResult = S_OK;
    bool m_discontinuity = false;
};
