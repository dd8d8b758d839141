#pragma once

#include "AmMediaType.h"
#include "CSimFrame.h"
#include "CSimInputPin.h"
#include "CSimAvEncoder.h"
#include "CSimAvScaler.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "CSimXvidSettings.h"
#include "CritSection.h"

#include <memory>

// The class of the video compressor device "XviD MPEG-4 Codec".
extern const CLSID CLSID_SimXvidCodec;

// The MPEG-4 video compressor the program records its MPEG-4 format with: pictures on
// "Input" (YUY2, UYVY, YV12, RGB24), an MPEG-4 Visual Simple Profile stream of FFmpeg's
// encoder on "Output" whose subtype and biCompression are the FOURCC the settings choose.
// One sample a picture, I-VOPs (sync points, each with the stream headers) and P-VOPs. The settings are read from the
// codec's registry key as the filter pauses, and the output FOURCC as the output connects.
// Pause means ready: the filter holds no data of its own.
class CSimXvidCodec : public CSimStandInFilter, public IAMVfwCompressDialogs
{
public:
    explicit CSimXvidCodec(IUnknown* outer);
    ~CSimXvidCodec() override;

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    // IAMVfwCompressDialogs: the configuration dialog, and the settings as a 20-byte block.
    STDMETHODIMP ShowDialog(int dialog, HWND parent) override;
    STDMETHODIMP GetState(LPVOID state, int* size) override;
    STDMETHODIMP SetState(LPVOID state, int size) override;
    STDMETHODIMP SendDriverMessage(int message, LONG param1, LONG param2) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT BeginInputFlush(int pin) override;
    HRESULT EndInputFlush(int pin) override;
    void PinConnected(int pin, bool connected) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;
    void OnTeardown() override;
    void* FindFilterInterface(REFIID iid) override;

private:
    enum { kInputPin = 0, kOutputPin = 1 };

    // Called with the receive lock held: the coded picture to the output pin.
    HRESULT DeliverPicture(const AVPacket* packet, IMediaSample* input);

    CSimInputPin m_input;
    CSimOutputPin m_output;
    // Set while the input is connected, under the state lock; read by the streaming thread.
    CAmMediaType m_inputType;

    // Serialises samples, flushes and Stop; taken after the state lock. Guards everything below.
    CCritSection m_receiveLock;
    CSimXvidSettings m_settings;
    std::unique_ptr<CSimAvEncoder> m_encoder;
    int m_quant = 7;
    CSimFrame m_frame;
    CSimAvScaler m_scaler;
    SimAvPtr<AVFrame> m_picture;
    int64_t m_pictures = 0;
};
