#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <mmsystem.h>

#include <vector>

// The machine's sound devices by name, and one opened mixer whose lines' volume and mute
// are reached by component type (the speakers, the line input). The graph engine keeps one
// as a member and opens it again for each job.
class CAudioDeviceList
{
public:
    struct MixerEntry
    {
        CString name;
        UINT id;
    };
    typedef std::vector<MixerEntry> MixerList;

    CAudioDeviceList();
    virtual ~CAudioDeviceList();

    static BOOL ListWaveOutNames(CStringList& names);
    static BOOL ListWaveInNames(CStringList& names);
    // Every mixer whose identifier and capabilities can be read.
    static BOOL ListMixers(MixerList& mixers);

    // The mixer of exactly that name, or the first one when the name is null or empty.
    // With a window, the mixer posts its change messages there.
    BOOL Open(LPCSTR deviceName, HWND callbackWindow);
    BOOL Close();

    BOOL GetControlId(DWORD componentType, DWORD controlType, DWORD* id);
    // value is written only on success.
    BOOL GetControlValue(DWORD id, DWORD* value);
    BOOL SetControlValue(DWORD id, DWORD value);

    BOOL GetLineVolume(DWORD componentType, DWORD* value);
    BOOL SetLineVolume(DWORD componentType, DWORD value);
    BOOL GetLineMute(DWORD componentType, DWORD* value);
    BOOL SetLineMute(DWORD componentType, DWORD value);

    BOOL GetSpeakerVolume(DWORD* value) { return GetLineVolume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, value); }
    BOOL SetSpeakerVolume(DWORD value) { return SetLineVolume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, value); }
    BOOL GetSpeakerMute(DWORD* value) { return GetLineMute(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, value); }
    BOOL SetSpeakerMute(DWORD value) { return SetLineMute(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, value); }
    BOOL GetLineInVolume(DWORD* value) { return GetLineVolume(MIXERLINE_COMPONENTTYPE_SRC_LINE, value); }
    BOOL SetLineInVolume(DWORD value) { return SetLineVolume(MIXERLINE_COMPONENTTYPE_SRC_LINE, value); }
    BOOL GetLineInMute(DWORD* value) { return GetLineMute(MIXERLINE_COMPONENTTYPE_SRC_LINE, value); }
    BOOL SetLineInMute(DWORD value) { return SetLineMute(MIXERLINE_COMPONENTTYPE_SRC_LINE, value); }

    HMIXER GetHandle() const { return m_mixer; }
    const CString& GetDeviceName() const { return m_deviceName; }
    UINT GetDeviceId() const { return m_deviceId; }

private:
    CAudioDeviceList(const CAudioDeviceList&);
    CAudioDeviceList& operator=(const CAudioDeviceList&);

    BOOL GetLineValue(DWORD componentType, DWORD controlType, DWORD* value);
    BOOL SetLineValue(DWORD componentType, DWORD controlType, DWORD value);

    CString m_deviceName;
    UINT m_deviceId;
    HMIXER m_mixer;
};
