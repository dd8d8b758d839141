#pragma once

#include "CSimSound.h"
#include "LiveSourcePin.h"

class CSimFilter;

// "Capture" of the audio filter: the card's sound as PCM, in 20 ms buffers, self-paced.
class CSimAudioPin : public CLiveSourcePin, public IAMStreamConfig
{
public:
    explicit CSimAudioPin(CSimFilter& filter, const WCHAR* name = L"Capture");

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBasePin::Release(); }

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;
    HRESULT Active() override;

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT FillBuffer(IMediaSample* sample) override;
    void* FindInterface(REFIID iid) override;

private:
    static bool Valid(const AM_MEDIA_TYPE& type);
    static DWORD BufferBytes(const WAVEFORMATEX& format);

    CSimFilter& m_owner;
    // Guarded by the filter's state lock.
    WAVEFORMATEX m_format;

    // Streaming thread only, set up by Active before the thread starts.
    WAVEFORMATEX m_streamFormat = {};
    DWORD m_block = 0;
    CSimSound m_sound;
    SimSoundInput m_lastSound = {};
};
