#include "MixerApi.h"

namespace {

CMixerApi g_winmm;
CMixerApi* g_current = &g_winmm;

} // namespace

UINT CMixerApi::GetNumDevs()
{
    return mixerGetNumDevs();
}

UINT CMixerApi::GetWaveInNumDevs()
{
    return waveInGetNumDevs();
}

MMRESULT CMixerApi::GetID(HMIXEROBJ object, UINT* id, DWORD flags)
{
    return mixerGetID(object, id, flags);
}

MMRESULT CMixerApi::GetDevCaps(UINT_PTR id, MIXERCAPSA* caps, UINT size)
{
    return mixerGetDevCapsA(id, caps, size);
}

MMRESULT CMixerApi::Open(HMIXER* mixer, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags)
{
    return mixerOpen(mixer, id, callback, instance, flags);
}

MMRESULT CMixerApi::Close(HMIXER mixer)
{
    return mixerClose(mixer);
}

MMRESULT CMixerApi::GetLineInfo(HMIXEROBJ object, MIXERLINEA* line, DWORD flags)
{
    return mixerGetLineInfoA(object, line, flags);
}

MMRESULT CMixerApi::GetLineControls(HMIXEROBJ object, MIXERLINECONTROLSA* controls, DWORD flags)
{
    return mixerGetLineControlsA(object, controls, flags);
}

MMRESULT CMixerApi::GetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags)
{
    return mixerGetControlDetailsA(object, details, flags);
}

MMRESULT CMixerApi::SetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags)
{
    return mixerSetControlDetails(object, details, flags);
}

BOOL CMixerApi::ReadValue(HMIXEROBJ object, DWORD controlId, DWORD* value)
{
    MIXERCONTROLDETAILS_UNSIGNED detail = {0};
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof(detail);
    details.paDetails = &detail;
    if (Current().GetControlDetails(object, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        return FALSE;
    *value = detail.dwValue;
    return TRUE;
}

BOOL CMixerApi::WriteValue(HMIXEROBJ object, DWORD controlId, DWORD value)
{
    MIXERCONTROLDETAILS_UNSIGNED detail = {value};
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof(detail);
    details.paDetails = &detail;
    return Current().SetControlDetails(object, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
}

BOOL CMixerApi::FindControl(HMIXEROBJ object, DWORD lineId, DWORD controlType, MIXERCONTROLA* control)
{
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = lineId;
    controls.dwControlType = controlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(*control);
    controls.pamxctrl = control;
    return Current().GetLineControls(object, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
           MMSYSERR_NOERROR;
}

CMixerApi& CMixerApi::Current()
{
    return *g_current;
}

CMixerApi* CMixerApi::Replace(CMixerApi* mixer)
{
    CMixerApi* old = g_current;
    g_current = mixer ? mixer : &g_winmm;
    return old == &g_winmm ? nullptr : old;
}
