#include "AudioCaptureDevice.h"

#include "AmMediaType.h"
#include "FilterClassRecord.h"
#include "GraphBuilder.h"
#include "MixerApi.h"

#include <cstddef>
#include <cstring>

// The record joins the registration list with the class: a program that makes this wrapper
// links this file. It takes whichever audio capture device was asked for by name.
static CFilterClassRecord s_audioCapture(NULL, &CLSID_AudioInputDeviceCategory, "CLASS_FILTER",
                                         CFilterClassRecord::CreateWrapper<CAudioCaptureDevice>);

namespace
{

// The seven fields before cbSize, which a 16-byte PCM block also has.
const ULONG kWaveFieldsSize = offsetof(WAVEFORMATEX, cbSize);

WAVEFORMATEX* WaveFields(const AM_MEDIA_TYPE& type)
{
    if (!IsEqualGUID(type.formattype, FORMAT_WaveFormatEx) || type.pbFormat == NULL || type.cbFormat < kWaveFieldsSize)
        return NULL;
    return reinterpret_cast<WAVEFORMATEX*>(type.pbFormat);
}

} // namespace

CAudioCaptureDevice::CAudioCaptureDevice(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    InitFields();
    if (!Init())
        SetValid(FALSE);
}

CAudioCaptureDevice::CAudioCaptureDevice(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    InitFields();
    if (!Init())
        SetValid(FALSE);
}

void CAudioCaptureDevice::InitFields()
{
    m_mixerId = 0;
    m_lineControls.clear();
    m_streamConfig.Reset();
    m_capturePin = NULL;
    m_sourceLines.clear();
}

CFilterPin* CAudioCaptureDevice::FindPin(const char* name)
{
    if (name != NULL && strcmp(name, "Capture") == 0 && m_capturePin != NULL)
        return m_capturePin;
    return CFilterWrapper::FindPin(name);
}

BOOL CAudioCaptureDevice::Init()
{
    InitFields();
    if (!CFilterWrapper::Init())
        return FALSE;
    ICaptureGraphBuilder2* builder = GetGraph() ? GetGraph()->GetCaptureBuilder() : NULL;
    if (builder != NULL) {
        CComRef<IPin> pin;
        if (SUCCEEDED(builder->FindPin(GetFilter(), PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, FALSE, 0,
                                       pin.Receive())))
            m_capturePin = FindPinByIPin(pin.Get());
        builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, GetFilter(), IID_IAMStreamConfig,
                               m_streamConfig.ReceiveVoid());
    }

    UINT id = 0;
    if (!FindMixer(&id))
        return FALSE;
    m_mixerId = id;
    CMixerApi& api = CMixerApi::Current();
    HMIXER mixer = NULL;
    if (api.Open(&mixer, id, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return FALSE;
    BOOL read = ReadMixerLines(mixer);
    api.Close(mixer);
    if (!read) {
        m_sourceLines.clear();
        m_lineControls.clear();
    }
    return read;
}

// The wave-in mixer of the filter's name, the last one when several have it; mixer 0 when
// none has.
BOOL CAudioCaptureDevice::FindMixer(UINT* id)
{
    CMixerApi& api = CMixerApi::Current();
    for (UINT i = api.GetWaveInNumDevs(); i-- > 0;) {
        MIXERCAPSA caps;
        if (api.GetID((HMIXEROBJ)(UINT_PTR)i, id, MIXER_OBJECTF_WAVEIN) != MMSYSERR_NOERROR ||
            api.GetDevCaps(*id, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            return FALSE;
        if (strcmp(caps.szPname, GetFriendlyName()) == 0)
            return TRUE;
    }
    *id = 0;
    return TRUE;
}

BOOL CAudioCaptureDevice::ReadMixerLines(HMIXER mixer)
{
    CMixerApi& api = CMixerApi::Current();
    HMIXEROBJ object = (HMIXEROBJ)mixer;
    MIXERLINEA destination = {};
    destination.cbStruct = sizeof(destination);
    destination.dwDestination = 0;
    if (api.GetLineInfo(object, &destination, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_DESTINATION) !=
        MMSYSERR_NOERROR)
        return FALSE;
    m_sourceLines.resize(destination.cConnections);
    for (DWORD s = 0; s < destination.cConnections; ++s) {
        MIXERLINEA& line = m_sourceLines[s];
        memset(&line, 0, sizeof(line));
        line.cbStruct = sizeof(line);
        line.dwDestination = 0;
        line.dwSource = s;
        if (api.GetLineInfo(object, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR)
            return FALSE;
    }

    MIXERLINEA byId = {};
    byId.cbStruct = sizeof(byId);
    byId.dwLineID = destination.dwLineID;
    if (api.GetLineInfo(object, &byId, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_LINEID) != MMSYSERR_NOERROR ||
        byId.cControls > kMaxLineControls)
        return FALSE;
    m_lineControls.resize(byId.cControls);
    if (byId.cControls == 0)
        return TRUE;
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = byId.dwLineID;
    controls.cControls = byId.cControls;
    controls.cbmxctrl = sizeof(MIXERCONTROLA);
    controls.pamxctrl = &m_lineControls[0];
    return api.GetLineControls(object, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) ==
           MMSYSERR_NOERROR;
}

const MIXERCONTROLA* CAudioCaptureDevice::FindLineControl(DWORD controlType) const
{
    for (size_t i = 0; i < m_lineControls.size(); ++i) {
        if (m_lineControls[i].dwControlType == controlType)
            return &m_lineControls[i];
    }
    return NULL;
}

BOOL CAudioCaptureDevice::ReadControl(DWORD controlType, DWORD* value)
{
    const MIXERCONTROLA* control = FindLineControl(controlType);
    CMixerApi& api = CMixerApi::Current();
    HMIXER mixer = NULL;
    if (value == NULL || control == NULL || api.Open(&mixer, m_mixerId, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return FALSE;
    BOOL read = CMixerApi::ReadValue((HMIXEROBJ)mixer, control->dwControlID, value);
    api.Close(mixer);
    return read;
}

BOOL CAudioCaptureDevice::WriteControl(DWORD controlType, DWORD value)
{
    const MIXERCONTROLA* control = FindLineControl(controlType);
    CMixerApi& api = CMixerApi::Current();
    HMIXER mixer = NULL;
    if (control == NULL || api.Open(&mixer, m_mixerId, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return FALSE;
    BOOL written = CMixerApi::WriteValue((HMIXEROBJ)mixer, control->dwControlID, value);
    api.Close(mixer);
    return written;
}

BOOL CAudioCaptureDevice::SetMute(BOOL mute)
{
    return WriteControl(MIXERCONTROL_CONTROLTYPE_MUTE, mute ? 1 : 0);
}

BOOL CAudioCaptureDevice::GetMute(BOOL* mute)
{
    DWORD value = 0;
    if (mute == NULL || !ReadControl(MIXERCONTROL_CONTROLTYPE_MUTE, &value))
        return FALSE;
    *mute = value != 0;
    return TRUE;
}

BOOL CAudioCaptureDevice::GetVolume(DWORD* volume)
{
    return ReadControl(MIXERCONTROL_CONTROLTYPE_VOLUME, volume);
}

BOOL CAudioCaptureDevice::SetVolume(DWORD volume)
{
    return WriteControl(MIXERCONTROL_CONTROLTYPE_VOLUME, volume);
}

const MIXERLINEA* CAudioCaptureDevice::GetSourceLines(int* count) const
{
    if (count != NULL)
        *count = (int)m_sourceLines.size();
    return m_sourceLines.empty() ? NULL : &m_sourceLines[0];
}

BOOL CAudioCaptureDevice::GetCaptureType(AM_MEDIA_TYPE** type)
{
    *type = NULL;
    if (m_streamConfig && SUCCEEDED(m_streamConfig->GetFormat(type)) && *type != NULL)
        return TRUE;
    CComRef<IEnumMediaTypes> types;
    if (m_capturePin == NULL || FAILED(m_capturePin->EnumMediaTypes(types.Receive())) || !types)
        return FALSE;
    return types->Next(1, type, NULL) == S_OK && *type != NULL;
}

// A type without a wave format gives FALSE: the caller would otherwise read a format that
// was never written.
BOOL CAudioCaptureDevice::GetAudioFormat(WAVEFORMATEX* format)
{
    AM_MEDIA_TYPE* type = NULL;
    if (format == NULL || !GetCaptureType(&type))
        return FALSE;
    const WAVEFORMATEX* wave = WaveFields(*type);
    if (wave != NULL)
        memcpy(format, wave, kWaveFieldsSize);
    CAmMediaType::Delete(type);
    return wave != NULL;
}

BOOL CAudioCaptureDevice::SetAudioFormat(const WAVEFORMATEX* format)
{
    AM_MEDIA_TYPE* type = NULL;
    if (format == NULL || !m_streamConfig || !GetCaptureType(&type))
        return FALSE;
    WAVEFORMATEX* wave = WaveFields(*type);
    BOOL set = FALSE;
    if (wave != NULL) {
        memcpy(wave, format, kWaveFieldsSize);
        type->lSampleSize = format->nBlockAlign;
        set = m_streamConfig->SetFormat(type) == S_OK;
    }
    CAmMediaType::Delete(type);
    return set;
}

CComRef<IAMAudioInputMixer> CAudioCaptureDevice::InputMixer(const char* pinName)
{
    CComRef<IAMAudioInputMixer> mixer;
    CFilterPin* pin = FindPin(pinName);
    PIN_DIRECTION direction = PINDIR_OUTPUT;
    if (pin != NULL && pin->QueryDirection(&direction) && direction == PINDIR_INPUT)
        pin->GetPin()->QueryInterface(IID_IAMAudioInputMixer, mixer.ReceiveVoid());
    return mixer;
}

BOOL CAudioCaptureDevice::EnableInputPin(const char* pinName, BOOL enable)
{
    CComRef<IAMAudioInputMixer> mixer = InputMixer(pinName);
    return mixer && mixer->put_Enable(enable) == S_OK;
}

BOOL CAudioCaptureDevice::IsInputPinEnabled(const char* pinName, BOOL* enabled)
{
    CComRef<IAMAudioInputMixer> mixer = InputMixer(pinName);
    return enabled != NULL && mixer && mixer->get_Enable(enabled) == S_OK;
}

BOOL CAudioCaptureDevice::GetInputMixLevel(const char* pinName, double* level)
{
    CComRef<IAMAudioInputMixer> mixer = InputMixer(pinName);
    return level != NULL && mixer && mixer->get_MixLevel(level) == S_OK;
}

BOOL CAudioCaptureDevice::SetInputMixLevel(const char* pinName, double level)
{
    CComRef<IAMAudioInputMixer> mixer = InputMixer(pinName);
    return mixer && mixer->put_MixLevel(level) == S_OK;
}
