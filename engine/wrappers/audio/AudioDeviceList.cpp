#include "AudioDeviceList.h"

#include "MixerApi.h"

CAudioDeviceList::CAudioDeviceList()
    : m_deviceId(0), m_mixer(NULL)
{
}

CAudioDeviceList::~CAudioDeviceList()
{
    Close();
}

BOOL CAudioDeviceList::ListWaveOutNames(CStringList& names)
{
    UINT count = waveOutGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        WAVEOUTCAPSA caps;
        if (waveOutGetDevCapsA(i, &caps, sizeof(caps)) == MMSYSERR_NOERROR)
            names.AddTail(caps.szPname);
    }
    return TRUE;
}

BOOL CAudioDeviceList::ListWaveInNames(CStringList& names)
{
    UINT count = waveInGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        WAVEINCAPSA caps;
        if (waveInGetDevCapsA(i, &caps, sizeof(caps)) == MMSYSERR_NOERROR)
            names.AddTail(caps.szPname);
    }
    return TRUE;
}

BOOL CAudioDeviceList::ListMixers(MixerList& mixers)
{
    CMixerApi& api = CMixerApi::Current();
    UINT count = api.GetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        UINT id = 0;
        MIXERCAPSA caps;
        if (api.GetID((HMIXEROBJ)(UINT_PTR)i, &id, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR ||
            api.GetDevCaps(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            continue;
        MixerEntry entry;
        entry.name = caps.szPname;
        entry.id = id;
        mixers.push_back(entry);
    }
    return TRUE;
}

BOOL CAudioDeviceList::Open(LPCSTR deviceName, HWND callbackWindow)
{
    Close();
    MixerList mixers;
    ListMixers(mixers);
    for (size_t i = 0; i < mixers.size(); ++i) {
        if (deviceName != NULL && deviceName[0] != '\0' && mixers[i].name.Compare(deviceName) != 0)
            continue;
        DWORD flags = MIXER_OBJECTF_MIXER | (callbackWindow ? CALLBACK_WINDOW : 0);
        if (CMixerApi::Current().Open(&m_mixer, mixers[i].id, (DWORD_PTR)callbackWindow, 0, flags) !=
            MMSYSERR_NOERROR) {
            m_mixer = NULL;
            return FALSE;
        }
        m_deviceName = mixers[i].name;
        m_deviceId = mixers[i].id;
        return TRUE;
    }
    return FALSE;
}

BOOL CAudioDeviceList::Close()
{
    if (m_mixer != NULL)
        CMixerApi::Current().Close(m_mixer);
    m_mixer = NULL;
    m_deviceName.Empty();
    m_deviceId = 0;
    return TRUE;
}

BOOL CAudioDeviceList::GetControlId(DWORD componentType, DWORD controlType, DWORD* id)
{
    if (m_mixer == NULL || id == NULL)
        return FALSE;
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwComponentType = componentType;
    MIXERCONTROLA control;
    if (CMixerApi::Current().GetLineInfo((HMIXEROBJ)m_mixer, &line,
                                         MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR ||
        !CMixerApi::FindControl((HMIXEROBJ)m_mixer, line.dwLineID, controlType, &control))
        return FALSE;
    *id = control.dwControlID;
    return TRUE;
}

BOOL CAudioDeviceList::GetControlValue(DWORD id, DWORD* value)
{
    if (m_mixer == NULL || value == NULL)
        return FALSE;
    return CMixerApi::ReadValue((HMIXEROBJ)m_mixer, id, value);
}

BOOL CAudioDeviceList::SetControlValue(DWORD id, DWORD value)
{
    if (m_mixer == NULL)
        return FALSE;
    return CMixerApi::WriteValue((HMIXEROBJ)m_mixer, id, value);
}

BOOL CAudioDeviceList::GetLineValue(DWORD componentType, DWORD controlType, DWORD* value)
{
    DWORD id = 0;
    return GetControlId(componentType, controlType, &id) && GetControlValue(id, value);
}

BOOL CAudioDeviceList::SetLineValue(DWORD componentType, DWORD controlType, DWORD value)
{
    DWORD id = 0;
    return GetControlId(componentType, controlType, &id) && SetControlValue(id, value);
}

BOOL CAudioDeviceList::GetLineVolume(DWORD componentType, DWORD* value)
{
    return GetLineValue(componentType, MIXERCONTROL_CONTROLTYPE_VOLUME, value);
}

BOOL CAudioDeviceList::SetLineVolume(DWORD componentType, DWORD value)
{
    return SetLineValue(componentType, MIXERCONTROL_CONTROLTYPE_VOLUME, value);
}

BOOL CAudioDeviceList::GetLineMute(DWORD componentType, DWORD* value)
{
    return GetLineValue(componentType, MIXERCONTROL_CONTROLTYPE_MUTE, value);
}

BOOL CAudioDeviceList::SetLineMute(DWORD componentType, DWORD value)
{
    return SetLineValue(componentType, MIXERCONTROL_CONTROLTYPE_MUTE, value);
}
