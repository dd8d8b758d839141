#pragma once

#include "AmMediaType.h"
#include "CSimInputPin.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"

#include <atomic>

// The class the program asks for, {15D81FE9-49E4-436B-A52E-7274E3EB4140}.
extern const CLSID CLSID_SimAvSwitch;

// The maker's A/V switch: video and sound pass through unchanged, each input to its output
// in the upstream filter's own buffers, except that the sound is silenced while muted.
// Pause means ready: the filter holds no data.
class CSimAvSwitchFilter : public CSimStandInFilter, public IAvSwitch
{
public:
    explicit CSimAvSwitchFilter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return 4; }
    CBasePin* GetPin(int index) override;

    // IAvSwitch
    STDMETHODIMP GetAudioMute(VARIANT_BOOL* mute) override;
    STDMETHODIMP SetAudioMute(VARIANT_BOOL mute) override;

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
    void* FindFilterInterface(REFIID iid) override;

private:
    // In pin order: each input is followed by its output.
    enum { PIN_VIDEO_IN, PIN_VIDEO_OUT, PIN_AUDIO_IN, PIN_AUDIO_OUT };

    CSimInputPin& InputOf(int output) { return output == PIN_VIDEO_OUT ? m_videoIn : m_audioIn; }
    CSimOutputPin& OutputOf(int input) { return input == PIN_VIDEO_IN ? m_videoOut : m_audioOut; }

    CSimInputPin m_videoIn;
    CSimOutputPin m_videoOut;
    CSimInputPin m_audioIn;
    CSimOutputPin m_audioOut;

    std::atomic<bool> m_mute{false};
};
