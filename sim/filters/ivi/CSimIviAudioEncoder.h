#pragma once

#include "AmMediaType.h"
#include "CSimInputPin.h"
#include "CSimIviParams.h"
#include "CSimAvSoundEncoder.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "CritSection.h"

#include <memory>

// InterVideo's audio encoder of the FM recordings: 16-bit PCM in, MPEG-1 Layer II frames out
// of FFmpeg's encoder, one frame per sample, at the bit rate of parameter 258 (kbit/s);
// parameter 259 asks for a CRC, which that encoder never writes. Parameter 261 must name the input's rate, or the filter will not pause. Pause means
// ready.
class CSimIviAudioEncoder : public CSimStandInFilter, public IIviParams
{
public:
    enum { PARAM_CHANNELS = 257, PARAM_KBITS = 258, PARAM_CRC = 259, PARAM_QUALITY = 260, PARAM_RATE = 261,
           PARAM_LAYER = 264 };

    explicit CSimIviAudioEncoder(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    // IIviParams, as IIviAudioParams
    STDMETHODIMP GetParam(LONG id, LONG* value) override;
    STDMETHODIMP SetParam(LONG id, LONG value) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;
    void OnTeardown() override;
    void* FindFilterInterface(REFIID iid) override;

private:
    enum { PIN_INPUT, PIN_OUTPUT };

    int BitRateIndex() const;

    CSimInputPin m_input;
    CSimOutputPin m_output;
    CSimIviParams m_params;

    // Serialises samples with pausing and stopping; guards the encoder and the frame count.
    // Taken after the state lock.
    CCritSection m_receiveLock;
    std::unique_ptr<CSimAvSoundEncoder> m_encoder;
    LONGLONG m_frames = 0;
};

// {55F19296-06C0-4A21-8DEF-597425440063}
extern const CLSID CLSID_SimIviAudioEncoder;
