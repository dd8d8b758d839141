#pragma once

#include "CSimAcmConverter.h"
#include "CSimAcmFormats.h"
#include "CSimInputPin.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "CritSection.h"

#include <ocidl.h>

// The stand-in registered over the system's ACM Wrapper class: PCM in on "Input", PCM out
// on "Output" in the format chosen through IAMStreamConfig, converted by the audio
// compression manager. Unlike the wrapper it replaces, it takes PCM input, and its output
// formats can be listed and chosen before either pin is connected. Its devices in the audio
// compressor category make it a codec through their instance value "Codec" (CSimAcmFormats).
// Pause means ready.
class CSimAcmFilter : public CSimStandInFilter, public IAMStreamConfig, public IPersistPropertyBag
{
public:
    enum { kInputPin = 0, kOutputPin = 1 };

    explicit CSimAcmFilter(IUnknown* outer);
    ~CSimAcmFilter() override;

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IPersistPropertyBag: the device's "Codec", taken while both pins are unconnected.
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IAMStreamConfig, on the filter and on "Output" alike.
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT BeginInputFlush(int pin) override;
    HRESULT EndInputFlush(int pin) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void* FindPinInterface(int pin, REFIID iid) override;


protected:
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;
    void OnTeardown() override;
    void* FindFilterInterface(REFIID iid) override;

private:
    // Callers hold the state lock.
    std::vector<SimAcmFormat> Formats();
    // The listed format equal to format, or null.
    const SimAcmFormat* FindListed(const std::vector<SimAcmFormat>& formats, const WAVEFORMATEX& format);
    bool Listed(const WAVEFORMATEX& format);
    // The format "Output" has or will have: its connection's, the chosen one, or the first listed.
    bool CurrentFormat(SimAcmFormat* format);
    const WAVEFORMATEX* InputFormat() const;

    HRESULT DeliverConverted(IMediaSample* input, const BYTE* data, DWORD bytes);

    // Its codec is guarded by the state lock.
    CSimAcmFormats m_formats;
    CSimInputPin m_input;
    CSimOutputPin m_output;
    // Guarded by the state lock: the format SetFormat chose, if any.
    bool m_chosen = false;
    SimAcmFormat m_chosenFormat = {};

    // Serialises the streaming thread's conversion with Stop and flushes; taken after the
    // state lock. Guards m_converter and m_outputFormat while running.
    CCritSection m_receiveLock;
    CSimAcmConverter m_converter;
    WAVEFORMATEX m_inputFormat = {};
    WAVEFORMATEX m_outputFormat = {};
};
