#pragma once

#include "CSimInputPin.h"
#include "CSimAvDecoder.h"
#include "CSimAvScaler.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "simmpegifaces.h"

#include <map>

// "Stelvark Demo MPEG Video Decoder": decodes an MPEG-1/2 video elementary stream through
// FFmpeg and delivers the pictures in display order at the size its input format block names. Of its seven output formats it produces YUY2; the
// others can be switched and reordered but are never offered.
class CSimMpegVideoDecoder : public CSimStandInFilter, public IMpegDecoderFormats, public IMpegDecoderParams
{
public:
    enum { kConfigSize = 40, kFormatCount = 7 };

    explicit CSimMpegVideoDecoder(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    // IMpegDecoderFormats
    STDMETHODIMP GetFormatEnabled(DWORD fourcc, LONG* enabled) override;
    STDMETHODIMP SetFormatOrder(DWORD fourcc, LONG position) override;
    STDMETHODIMP EnableFormat(DWORD fourcc, LONG enable) override;
    STDMETHODIMP GetDecoderConfig(BYTE* record) override;
    STDMETHODIMP SetDecoderConfig(const BYTE* record) override;
    // IMpegDecoderParams
    STDMETHODIMP GetDecoderParam(LONG id, LONG* value) override;
    STDMETHODIMP SetDecoderParam(LONG id, LONG value) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT BeginInputFlush(int pin) override;
    HRESULT EndInputFlush(int pin) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;


protected:
    void* FindFilterInterface(REFIID iid) override;
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;

private:
    int FormatIndex(DWORD fourcc) const;
    bool Refused(DWORD fourcc) const;
    bool OutputSize(LONG* width, LONG* height);
    HRESULT DeliverPicture(const AVFrame* picture);

    CSimInputPin m_input;
    CSimOutputPin m_output;

    // Guards the formats, the configuration and the parameters.
    CCritSection m_settingsLock;
    DWORD m_order[kFormatCount];
    DWORD m_enabled; // bit i: the format of kFourccs[i]
    LONG m_width = 0;
    LONG m_height = 0;
    bool m_repeat = true;
    std::map<LONG, LONG> m_params;

    // Guards the decoder (streaming thread against flushes and state changes).
    CCritSection m_receiveLock;
    CSimAvDecoder m_decoder{AV_CODEC_ID_MPEG2VIDEO};
    CSimAvScaler m_scaler;
    HRESULT m_deliverResult = S_OK;
    bool m_discontinuity = false;
    bool m_announced = false;
};
