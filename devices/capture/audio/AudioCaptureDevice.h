#pragma once

#include "FilterWrapper.h"

#include <mmsystem.h>

#include <vector>

// A capture card's sound: the audio capture filter (any device of the audio capture
// category), its capture pin's wave format, its input lines' enable and mix level, and the
// recording line of the sound card mixer that carries the same name as the filter (mute,
// volume, source lines). Each mixer call opens the mixer and closes it again.
class CAudioCaptureDevice : public CFilterWrapper
{
public:
    enum { kMaxLineControls = 100 };

    CAudioCaptureDevice(CGraphBuilder* graph, REFCLSID clsid);
    CAudioCaptureDevice(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    // "Capture" is the capture pin the graph's capture builder found.
    CFilterPin* FindPin(const char* name) override;
    // Finds the capture pin and its stream configuration, chooses the mixer and reads its
    // first destination line's sources and controls.
    BOOL Init() override;

    BOOL SetMute(BOOL mute);
    BOOL GetMute(BOOL* mute);
    BOOL GetVolume(DWORD* volume);
    BOOL SetVolume(DWORD volume);

    // The capture pin's wave format; FALSE when it has none.
    BOOL GetAudioFormat(WAVEFORMATEX* format);
    // Sets the capture pin's wave format; TRUE only when the filter takes it.
    BOOL SetAudioFormat(const WAVEFORMATEX* format);

    const MIXERLINEA* GetSourceLines(int* count) const;
    UINT GetMixerId() const { return m_mixerId; }

    // The input pin of that name through IAMAudioInputMixer; TRUE when the pin answers S_OK.
    BOOL EnableInputPin(const char* pinName, BOOL enable);
    BOOL IsInputPinEnabled(const char* pinName, BOOL* enabled);
    BOOL GetInputMixLevel(const char* pinName, double* level);
    BOOL SetInputMixLevel(const char* pinName, double level);

private:
    void InitFields();
    BOOL FindMixer(UINT* id);
    BOOL ReadMixerLines(HMIXER mixer);
    // The line control of that type, read or written with the mixer opened for the call.
    BOOL ReadControl(DWORD controlType, DWORD* value);
    BOOL WriteControl(DWORD controlType, DWORD value);
    const MIXERCONTROLA* FindLineControl(DWORD controlType) const;
    // The capture pin's current media type: the stream configuration's, else the pin's first.
    BOOL GetCaptureType(AM_MEDIA_TYPE** type);
    CComRef<IAMAudioInputMixer> InputMixer(const char* pinName);

    UINT m_mixerId;
    std::vector<MIXERCONTROLA> m_lineControls;
    CComRef<IAMStreamConfig> m_streamConfig;
    // Weak: one of this wrapper's own pin records.
    CFilterPin* m_capturePin;
    std::vector<MIXERLINEA> m_sourceLines;
};
