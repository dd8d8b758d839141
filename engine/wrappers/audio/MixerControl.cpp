#include "MixerControl.h"

#include "MixerApi.h"

#include <vector>

namespace {

BOOL SameNameNoCase(LPCSTR a, LPCSTR b)
{
    return CString(a).CompareNoCase(b) == 0;
}

// Cuts at a whole character of the ANSI code page, always ending in a NUL.
void CopyName(char* buffer, int size, const char* text)
{
    int used = 0;
    while (text[used] != '\0') {
        int width = (IsDBCSLeadByte((BYTE)text[used]) && text[used + 1] != '\0') ? 2 : 1;
        if (used + width >= size)
            break;
        used += width;
    }
    memcpy(buffer, text, used);
    buffer[used] = '\0';
}

// The identifier of the first mixer of that product name (ignoring case), or of the first
// mixer when the name is null, with its capabilities.
BOOL FindDevice(LPCSTR deviceName, UINT* id, MIXERCAPSA* caps)
{
    CMixerApi& api = CMixerApi::Current();
    UINT count = api.GetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        if (api.GetID((HMIXEROBJ)(UINT_PTR)i, id, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR ||
            api.GetDevCaps(*id, caps, sizeof(*caps)) != MMSYSERR_NOERROR)
            return FALSE;
        if (deviceName == NULL || SameNameNoCase(caps->szPname, deviceName))
            return TRUE;
    }
    return FALSE;
}

} // namespace

CMixerControl::CMixerControl()
    : m_mixer(NULL), m_destination(0), m_componentType(0), m_sourceCount(0)
{
    m_destinationName[0] = '\0';
}

CMixerControl::~CMixerControl()
{
    Close();
}

BOOL CMixerControl::Open(LPCSTR deviceName, DWORD componentType, HWND callbackWindow)
{
    Close();
    CMixerApi& api = CMixerApi::Current();
    UINT count = api.GetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        UINT id = 0;
        MIXERCAPSA caps;
        if (api.GetID((HMIXEROBJ)(UINT_PTR)i, &id, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR ||
            api.GetDevCaps(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            return FALSE;
        if (deviceName != NULL && !SameNameNoCase(caps.szPname, deviceName))
            continue;
        if (OpenDevice(id, caps.cDestinations, componentType, callbackWindow))
            return TRUE;
    }
    return FALSE;
}

BOOL CMixerControl::OpenDevice(UINT id, DWORD destinations, DWORD componentType, HWND callbackWindow)
{
    CMixerApi& api = CMixerApi::Current();
    HMIXER mixer = NULL;
    DWORD flags = MIXER_OBJECTF_MIXER | (callbackWindow ? CALLBACK_WINDOW : 0);
    if (api.Open(&mixer, id, (DWORD_PTR)callbackWindow, 0, flags) != MMSYSERR_NOERROR)
        return FALSE;
    for (DWORD d = 0; d < destinations; ++d) {
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line);
        line.dwDestination = d;
        if (api.GetLineInfo((HMIXEROBJ)mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_DESTINATION) !=
                MMSYSERR_NOERROR ||
            line.dwComponentType != componentType)
            continue;
        m_mixer = mixer;
        m_destination = d;
        m_componentType = componentType;
        m_sourceCount = line.cConnections;
        CopyName(m_destinationName, sizeof(m_destinationName), line.szName);
        return TRUE;
    }
    api.Close(mixer);
    return FALSE;
}

BOOL CMixerControl::Close()
{
    if (m_mixer != NULL)
        CMixerApi::Current().Close(m_mixer);
    m_mixer = NULL;
    m_destination = 0;
    m_componentType = 0;
    m_sourceCount = 0;
    m_destinationName[0] = '\0';
    return TRUE;
}

BOOL CMixerControl::ListMixerNames(CStringList& names)
{
    CMixerApi& api = CMixerApi::Current();
    UINT count = api.GetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        MIXERCAPSA caps;
        if (api.GetDevCaps(i, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            return FALSE;
        names.AddTail(caps.szPname);
    }
    return TRUE;
}

BOOL CMixerControl::ListDestinationLines(LPCSTR deviceName, CStringList& names, CDWordArray& types)
{
    UINT id = 0;
    MIXERCAPSA caps;
    if (!FindDevice(deviceName, &id, &caps))
        return FALSE;
    CMixerApi& api = CMixerApi::Current();
    HMIXER mixer = NULL;
    if (api.Open(&mixer, id, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return FALSE;
    BOOL listed = FALSE;
    for (DWORD d = 0; d < caps.cDestinations; ++d) {
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line);
        line.dwDestination = d;
        if (api.GetLineInfo((HMIXEROBJ)mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_DESTINATION) !=
            MMSYSERR_NOERROR)
            continue;
        names.AddTail(line.szName);
        types.Add(line.dwComponentType);
        listed = TRUE;
    }
    api.Close(mixer);
    return listed;
}

BOOL CMixerControl::ListSourceLines(CStringList& names)
{
    if (m_mixer == NULL)
        return FALSE;
    for (DWORD s = 0; s < m_sourceCount; ++s) {
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line);
        line.dwDestination = m_destination;
        line.dwSource = s;
        if (CMixerApi::Current().GetLineInfo(Object(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) !=
            MMSYSERR_NOERROR)
            return FALSE;
        names.AddTail(line.szName);
    }
    return TRUE;
}

BOOL CMixerControl::GetLineName(DWORD componentType, char* buffer, int size)
{
    if (m_mixer == NULL || buffer == NULL || size < 1)
        return FALSE;
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwComponentType = componentType;
    if (CMixerApi::Current().GetLineInfo(Object(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return FALSE;
    CopyName(buffer, size, line.szName);
    return TRUE;
}

BOOL CMixerControl::GetLineControlId(DWORD componentType, DWORD controlType, DWORD* id)
{
    MIXERCONTROLA control;
    if (id == NULL || !FindTypeControl(componentType, controlType, &control))
        return FALSE;
    *id = control.dwControlID;
    return TRUE;
}

BOOL CMixerControl::GetSourceControlId(DWORD sourceIndex, DWORD controlType, DWORD* id)
{
    if (m_mixer == NULL || id == NULL)
        return FALSE;
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwDestination = m_destination;
    line.dwSource = sourceIndex;
    MIXERCONTROLA control;
    if (CMixerApi::Current().GetLineInfo(Object(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) !=
            MMSYSERR_NOERROR ||
        !CMixerApi::FindControl(Object(), line.dwLineID, controlType, &control))
        return FALSE;
    *id = control.dwControlID;
    return TRUE;
}

BOOL CMixerControl::FindSourceControl(LPCSTR sourceName, DWORD controlType, DWORD* id)
{
    if (m_mixer == NULL || sourceName == NULL || id == NULL)
        return FALSE;
    for (DWORD s = 0; s < m_sourceCount; ++s) {
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line);
        line.dwDestination = m_destination;
        line.dwSource = s;
        if (CMixerApi::Current().GetLineInfo(Object(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) !=
                MMSYSERR_NOERROR ||
            !SameNameNoCase(line.szName, sourceName))
            continue;
        MIXERCONTROLA control;
        if (!CMixerApi::FindControl(Object(), line.dwLineID, controlType, &control))
            return FALSE;
        *id = control.dwControlID;
        return TRUE;
    }
    return FALSE;
}

BOOL CMixerControl::GetVolume(LPCSTR lineName, DWORD* value)
{
    return GetControlValue(MIXERCONTROL_CONTROLTYPE_VOLUME, lineName, value);
}

BOOL CMixerControl::SetVolume(LPCSTR lineName, DWORD value)
{
    return SetControlValue(MIXERCONTROL_CONTROLTYPE_VOLUME, lineName, value);
}

BOOL CMixerControl::GetControlValue(DWORD controlType, LPCSTR lineName, DWORD* value)
{
    DWORD id = 0;
    if (value == NULL || !FindControlForLine(controlType, lineName, &id))
        return FALSE;
    return CMixerApi::ReadValue(Object(), id, value);
}

BOOL CMixerControl::SetControlValue(DWORD controlType, LPCSTR lineName, DWORD value)
{
    DWORD id = 0;
    if (!FindControlForLine(controlType, lineName, &id))
        return FALSE;
    return CMixerApi::WriteValue(Object(), id, value);
}

BOOL CMixerControl::FindControlForLine(DWORD controlType, LPCSTR lineName, DWORD* id)
{
    if (lineName != NULL && !SameNameNoCase(lineName, m_destinationName))
        return FindSourceControl(lineName, controlType, id);
    return GetLineControlId(m_componentType, controlType, id);
}

BOOL CMixerControl::IsSourceSelected(LPCSTR sourceName, DWORD* value)
{
    MIXERCONTROLA mux;
    DWORD item = 0;
    if (value == NULL || !FindMuxItem(sourceName, &mux, &item))
        return FALSE;
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(mux.cMultipleItems);
    if (!AccessMux(mux, &values[0], FALSE))
        return FALSE;
    *value = values[item].fValue;
    return TRUE;
}

BOOL CMixerControl::SelectSource(LPCSTR sourceName, BOOL select)
{
    MIXERCONTROLA mux;
    DWORD item = 0;
    if (!FindMuxItem(sourceName, &mux, &item))
        return FALSE;
    DWORD chosen = select ? item : (item + 1) % mux.cMultipleItems;
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(mux.cMultipleItems);
    values[chosen].fValue = 1;
    return AccessMux(mux, &values[0], TRUE);
}

BOOL CMixerControl::FindTypeControl(DWORD componentType, DWORD controlType, MIXERCONTROLA* control)
{
    if (m_mixer == NULL)
        return FALSE;
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwComponentType = componentType;
    return CMixerApi::Current().GetLineInfo(Object(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) ==
               MMSYSERR_NOERROR &&
           CMixerApi::FindControl(Object(), line.dwLineID, controlType, control);
}

// The item count is the control's own (cMultipleItems), which the mixer requires for its
// list; a selector need not list every source line of its destination.
BOOL CMixerControl::FindMuxItem(LPCSTR sourceName, MIXERCONTROLA* mux, DWORD* item)
{
    if (sourceName == NULL || !FindTypeControl(m_componentType, MIXERCONTROL_CONTROLTYPE_MUX, mux) ||
        mux->cMultipleItems == 0)
        return FALSE;
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts(mux->cMultipleItems);
    MIXERCONTROLDETAILS details = MuxDetails(*mux, &texts[0], sizeof(texts[0]));
    if (CMixerApi::Current().GetControlDetails(Object(), &details,
                                               MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_LISTTEXT) !=
        MMSYSERR_NOERROR)
        return FALSE;
    for (DWORD i = 0; i < mux->cMultipleItems; ++i) {
        if (strcmp(texts[i].szName, sourceName) == 0) {
            *item = i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CMixerControl::AccessMux(const MIXERCONTROLA& mux, MIXERCONTROLDETAILS_BOOLEAN* values, BOOL write)
{
    MIXERCONTROLDETAILS details = MuxDetails(mux, values, sizeof(*values));
    CMixerApi& api = CMixerApi::Current();
    MMRESULT result = write ? api.SetControlDetails(Object(), &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                            : api.GetControlDetails(Object(), &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
    return result == MMSYSERR_NOERROR;
}

MIXERCONTROLDETAILS CMixerControl::MuxDetails(const MIXERCONTROLA& mux, void* items, DWORD itemSize)
{
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = mux.dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = mux.cMultipleItems;
    details.cbDetails = itemSize;
    details.paDetails = items;
    return details;
}
