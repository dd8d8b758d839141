#include "TVGraph.h"

#include "AudioCaptureDevice.h"
#include "AvSwitchFilter.h"
#include "CWinApp.h"
#include "MixerApi.h"
#include "MixerControl.h"

namespace
{

const char kAudioDeviceWrapperName[] = "AudioDevice";
const char kAudioDeviceFailText[] = "音频设备错误";

BOOL Contains(const CStringArray& names, const CString& name)
{
    for (int i = 0; i < names.GetSize(); ++i) {
        if (names[i] == name)
            return TRUE;
    }
    return FALSE;
}

LPCSTR NameOrFirst(const CString& name)
{
    return name.IsEmpty() ? NULL : (LPCSTR)name;
}

// Lists the source lines of the destination, keeps the chosen line when it is listed (else
// takes the first) and switches it on; a destination without readable sources gives its own
// name. The mixers' line names are what the user picks from, so a mixer that cannot be opened
// leaves the list empty rather than another device's lines.
BOOL ReadLines(CMixerControl& mixer, CStringArray& names, CString& chosen)
{
    names.RemoveAll();
    if (!mixer.IsOpen())
        return FALSE;
    CStringList lines;
    mixer.ListSourceLines(lines);
    for (POSITION pos = lines.GetHeadPosition(); pos != NULL;)
        names.Add(lines.GetNext(pos));
    if (names.GetSize() == 0) {
        chosen = mixer.GetDestinationName();
        return TRUE;
    }
    if (!Contains(names, chosen))
        chosen = names[0];
    mixer.SetControlValue(MIXERCONTROL_CONTROLTYPE_ONOFF, chosen, 1);
    return TRUE;
}

} // namespace

void CTVGraph::SetDefaultInputLines()
{
    m_playLineNames.RemoveAll();
    m_playLineNames.Add("线路输入");
    m_playLineNames.Add("Line In");
}

// An empty name would match any device, so it opens none.
CAudioCaptureDevice* CTVGraph::AddAudioDevice(const char* friendlyName, const char* name)
{
    if (friendlyName == NULL || *friendlyName == '\0')
        return NULL;
    CFilterWrapper* wrapper = m_builder.AddFilterByName(CLSID_AudioInputDeviceCategory, friendlyName, name, 0, 0);
    CAudioCaptureDevice* device = dynamic_cast<CAudioCaptureDevice*>(wrapper);
    if (wrapper && !device)
        m_builder.RemoveWrapper(wrapper);
    return device;
}

BOOL CTVGraph::OpenAudioDevice()
{
    if (m_audioCapture)
        return TRUE;
    if (m_audioDeviceNames.GetSize() > 0 && m_audioDeviceName.IsEmpty())
        m_audioDeviceName = m_audioDeviceNames[0];
    const CString first = m_audioDeviceName;
    m_audioCapture = AddAudioDevice(first, kAudioDeviceWrapperName);
    for (int i = 0; !m_audioCapture && i < m_audioDeviceNames.GetSize(); ++i) {
        if (m_audioDeviceNames[i] == first)
            continue;
        m_audioDeviceName = m_audioDeviceNames[i];
        m_audioCapture = AddAudioDevice(m_audioDeviceName, kAudioDeviceWrapperName);
    }
    if (!m_audioCapture) {
        AfxMessageBox(kAudioDeviceFailText);
        return FALSE;
    }
    EnableChosenInputLine();
    return TRUE;
}

// A device whose pins do not carry the chosen line's name is asked for the line its sound
// card mixer records from instead.
void CTVGraph::EnableChosenInputLine()
{
    if (m_audioCapture->EnableInputPin(m_inputLine, TRUE))
        return;
    CMixerControl* mixer = RecordMixer();
    if (mixer == NULL)
        return;
    m_inputLine = mixer->GetDestinationName();
    m_audioCapture->EnableInputPin(m_inputLine, TRUE);
}

// The new device is kept only when its capture pin has a format. A failed change takes the
// new wrapper out again, and a preview that was running runs on in either case.
BOOL CTVGraph::SetAudioDevice(const char* name)
{
    BOOL wasRunning = m_builder.GetState() != CGraphBuilder::kStopped;
    m_builder.StopAndDisconnectAll();
    CAudioCaptureDevice* device = AddAudioDevice(name, name);
    WAVEFORMATEX format;
    BOOL taken = device && device->GetAudioFormat(&format);
    if (taken) {
        m_builder.RemoveWrapper(m_audioCapture);
        m_audioCapture = device;
        m_audioDeviceName = name;
        ReadMixerLines();
    } else {
        m_builder.RemoveWrapper(device);
    }
    if (wasRunning)
        RestartPreview();
    return taken;
}

BOOL CTVGraph::SetAudioInput(const char* line)
{
    return m_audioCapture && m_audioCapture->EnableInputPin(line, TRUE);
}

BOOL CTVGraph::IsAudioInputEnabled(const char* line)
{
    BOOL enabled = FALSE;
    return m_audioCapture && m_audioCapture->IsInputPinEnabled(line, &enabled) && enabled;
}

BOOL CTVGraph::GetAudioFormat(WAVEFORMATEX* format)
{
    return m_audioCapture && m_audioCapture->GetAudioFormat(format);
}

BOOL CTVGraph::SetAudioFormat(const WAVEFORMATEX* format)
{
    return m_audioCapture && m_audioCapture->SetAudioFormat(format);
}

// The capture line is muted while the card switches its sound input, so the switch is not heard.
void CTVGraph::SwitchDeviceAudioMuted(BOOL on)
{
    Host().SetDeviceMute(TRUE);
    SetDeviceAudio(on);
    Host().SetDeviceMute(FALSE);
}

BOOL CTVGraph::SetAudioOn(BOOL on)
{
    if (!m_recordRoad.GetAvSwitch() || !m_recordRoad.GetAvSwitch()->SetAudioMute(!on))
        return FALSE;
    m_audioOn = on;
    return TRUE;
}

BOOL CTVGraph::GetAudioOn()
{
    BOOL mute = TRUE;
    return m_recordRoad.GetAvSwitch() && m_recordRoad.GetAvSwitch()->GetAudioMute(&mute) && !mute;
}

BOOL CTVGraph::ReadMixerLines()
{
    // A mixer that cannot be opened is left closed, and gives no lines.
    RecordMixer();
    BOOL result = ReadLines(m_recordMixer, m_inputLineNames, m_inputLine);

    CStringList mixers;
    CMixerControl::ListMixerNames(mixers);
    m_playDeviceNames.RemoveAll();
    for (POSITION pos = mixers.GetHeadPosition(); pos != NULL;)
        m_playDeviceNames.Add(mixers.GetNext(pos));
    PlayMixer();
    return ReadLines(m_playMixer, m_playLineNames, m_playLine) && result;
}

BOOL CTVGraph::IsPlayLineMuted(BOOL* muted)
{
    CMixerControl* mixer = PlayMixer();
    DWORD value = 0;
    if (muted == NULL || mixer == NULL || !mixer->GetControlValue(MIXERCONTROL_CONTROLTYPE_MUTE, m_playLine, &value))
        return FALSE;
    *muted = value != 0;
    return TRUE;
}

BOOL CTVGraph::MutePlayLine(BOOL on)
{
    CMixerControl* mixer = PlayMixer();
    return mixer != NULL && mixer->SetControlValue(MIXERCONTROL_CONTROLTYPE_MUTE, m_playLine, on ? 1 : 0);
}

BOOL CTVGraph::GetPlayLineVolume(DWORD* volume)
{
    CMixerControl* mixer = PlayMixer();
    return mixer != NULL && mixer->GetVolume(m_playLine, volume);
}

BOOL CTVGraph::SetPlayLineVolume(DWORD volume)
{
    CMixerControl* mixer = PlayMixer();
    return mixer != NULL && mixer->SetVolume(m_playLine, volume);
}

BOOL CTVGraph::SelectAudioInputLine(BOOL on)
{
    CMixerControl* mixer = RecordMixer();
    return mixer != NULL && mixer->SetControlValue(MIXERCONTROL_CONTROLTYPE_ONOFF, m_inputLine, on ? 0 : 1);
}

BOOL CTVGraph::OpenPlayDeviceList()
{
    if (m_deviceList.GetHandle() != NULL && m_deviceListDevice == m_playDevice)
        return TRUE;
    m_deviceListDevice = m_playDevice;
    return m_deviceList.Open(NameOrFirst(m_playDevice), NULL);
}

CMixerControl* CTVGraph::PlayMixer()
{
    if (!m_playMixer.IsOpen() || m_playMixerDevice != m_playDevice) {
        m_playMixerDevice = m_playDevice;
        if (!m_playMixer.Open(NameOrFirst(m_playDevice), MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, NULL))
            return NULL;
    }
    return &m_playMixer;
}

CMixerControl* CTVGraph::RecordMixer()
{
    if (!m_recordMixer.IsOpen() || m_recordMixerDevice != m_audioDeviceName) {
        m_recordMixerDevice = m_audioDeviceName;
        if (!m_recordMixer.Open(m_audioDeviceName, MIXERLINE_COMPONENTTYPE_DST_WAVEIN, NULL))
            return NULL;
    }
    return &m_recordMixer;
}

// The destination types, then the source types, in WinMM's order; only lines with a volume
// control count. 0 when no such line has the name.
DWORD CTVGraph::FindPlayLineType()
{
    if (m_playLineNames.GetSize() == 0)
        return 0;
    const CString& name = m_playLineNames[0];
    std::vector<DWORD> types;
    for (DWORD type = MIXERLINE_COMPONENTTYPE_DST_FIRST; type <= MIXERLINE_COMPONENTTYPE_DST_LAST; ++type)
        types.push_back(type);
    for (DWORD type = MIXERLINE_COMPONENTTYPE_SRC_FIRST; type <= MIXERLINE_COMPONENTTYPE_SRC_LAST; ++type)
        types.push_back(type);
    for (DWORD type : types) {
        DWORD id = 0;
        if (!m_deviceList.GetControlId(type, MIXERCONTROL_CONTROLTYPE_VOLUME, &id))
            continue;
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line);
        line.dwComponentType = type;
        if (CMixerApi::Current().GetLineInfo((HMIXEROBJ)m_deviceList.GetHandle(), &line,
                                             MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) ==
                MMSYSERR_NOERROR &&
            name == line.szName)
            return type;
    }
    return 0;
}

BOOL CTVGraph::GetPlayVolumeByType(DWORD* volume)
{
    if (!OpenPlayDeviceList())
        return FALSE;
    return m_deviceList.GetLineVolume(FindPlayLineType(), volume);
}

BOOL CTVGraph::SetPlayVolumeByType(DWORD volume)
{
    if (!OpenPlayDeviceList())
        return FALSE;
    return m_deviceList.SetLineVolume(FindPlayLineType(), volume);
}

// Compared without case as the mixer finds lines: a name that differs only in case would set
// the speakers' own volume.
BOOL CTVGraph::SetInputLineVolume()
{
    CMixerControl* mixer = PlayMixer();
    if (mixer == NULL || m_inputLine.CompareNoCase(mixer->GetDestinationName()) == 0)
        return FALSE;
    return mixer->SetVolume(m_inputLine, m_inputLineVolume);
}
