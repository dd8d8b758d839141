#include "FakeMixer.h"

#include <cstring>

namespace {

const UINT_PTR kHandleBase = 0x4D00;

DWORD LineId(DWORD destination, int source)
{
    return (destination << 8) | (DWORD)(source + 1);
}

} // namespace

FakeMixer::FakeMixer()
    : m_replaced(CMixerApi::Replace(this))
{
}

FakeMixer::~FakeMixer()
{
    CMixerApi::Replace(m_replaced);
}

FakeMixer::Control FakeMixer::Mux(const std::vector<std::string>& items, size_t on)
{
    Control control{MIXERCONTROL_CONTROLTYPE_MUX, 0, items, std::vector<DWORD>(items.size(), 0)};
    control.selected[on] = 1;
    return control;
}

FakeMixer::Control* FakeMixer::FindControl(size_t device, DWORD type, int destination, int source)
{
    Destination& d = devices[device].destinations[destination];
    Line& line = source < 0 ? d.line : d.sources[source];
    for (Control& control : line.controls) {
        if (control.type == type)
            return &control;
    }
    return nullptr;
}

MMRESULT FakeMixer::GetID(HMIXEROBJ object, UINT* id, DWORD flags)
{
    UINT_PTR index = (UINT_PTR)object;
    if (flags == MIXER_OBJECTF_WAVEIN) {
        if (index >= waveInMixers.size())
            return MMSYSERR_BADDEVICEID;
        *id = waveInMixers[index];
        return MMSYSERR_NOERROR;
    }
    if (flags != MIXER_OBJECTF_MIXER || index >= devices.size())
        return MMSYSERR_BADDEVICEID;
    *id = (UINT)index;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::GetDevCaps(UINT_PTR id, MIXERCAPSA* caps, UINT size)
{
    if (id >= devices.size() || size < sizeof(*caps))
        return MMSYSERR_BADDEVICEID;
    if (devices[id].refuseCaps)
        return MMSYSERR_ERROR;
    memset(caps, 0, sizeof(*caps));
    strncpy(caps->szPname, devices[id].name.c_str(), MAXPNAMELEN - 1);
    caps->cDestinations = (DWORD)devices[id].destinations.size();
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::Open(HMIXER* mixer, UINT id, DWORD_PTR callback, DWORD_PTR, DWORD flags)
{
    lastOpenId = id;
    lastCallback = callback;
    lastOpenFlags = flags;
    if (id >= devices.size())
        return MMSYSERR_BADDEVICEID;
    if (devices[id].refuseOpen)
        return MMSYSERR_ALLOCATED;
    m_open.insert(id);
    ++opens;
    *mixer = (HMIXER)(kHandleBase + id);
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::Close(HMIXER mixer)
{
    return m_open.erase((UINT_PTR)mixer - kHandleBase) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

FakeMixer::Device* FakeMixer::OpenDevice(HMIXEROBJ object, DWORD flags)
{
    if ((flags & 0xF0000000) != MIXER_OBJECTF_HMIXER)
        return nullptr;
    size_t index = (UINT_PTR)object - kHandleBase;
    return m_open.count(index) ? &devices[index] : nullptr;
}

FakeMixer::Line* FakeMixer::LineById(Device& device, DWORD lineId)
{
    DWORD d = lineId >> 8, s = lineId & 0xFF;
    if (d >= device.destinations.size())
        return nullptr;
    Destination& destination = device.destinations[d];
    if (s == 0)
        return &destination.line;
    return s <= destination.sources.size() ? &destination.sources[s - 1] : nullptr;
}

FakeMixer::Control* FakeMixer::ControlById(Device& device, DWORD controlId)
{
    Line* line = LineById(device, controlId >> 8);
    DWORD k = controlId & 0xFF;
    return line && k < line->controls.size() ? &line->controls[k] : nullptr;
}

void FakeMixer::FillLine(const Line& line, DWORD destination, int source, DWORD connections, MIXERLINEA* out)
{
    out->dwDestination = destination;
    out->dwSource = source < 0 ? 0 : (DWORD)source;
    out->dwLineID = LineId(destination, source);
    out->dwComponentType = line.componentType;
    out->cChannels = 2;
    out->cConnections = connections;
    out->cControls = (DWORD)line.controls.size();
    strncpy(out->szShortName, line.name.c_str(), MIXER_SHORT_NAME_CHARS - 1);
    out->szShortName[MIXER_SHORT_NAME_CHARS - 1] = '\0';
    strncpy(out->szName, line.name.c_str(), MIXER_LONG_NAME_CHARS - 1);
    out->szName[MIXER_LONG_NAME_CHARS - 1] = '\0';
}

MMRESULT FakeMixer::GetLineInfo(HMIXEROBJ object, MIXERLINEA* line, DWORD flags)
{
    Device* device = OpenDevice(object, flags);
    if (device == nullptr)
        return MMSYSERR_INVALHANDLE;
    std::vector<Destination>& dests = device->destinations;
    switch (flags & MIXER_GETLINEINFOF_QUERYMASK) {
    case MIXER_GETLINEINFOF_DESTINATION:
        if (line->dwDestination >= dests.size())
            return MIXERR_INVALLINE;
        FillLine(dests[line->dwDestination].line, line->dwDestination, -1,
                 (DWORD)dests[line->dwDestination].sources.size(), line);
        return MMSYSERR_NOERROR;
    case MIXER_GETLINEINFOF_SOURCE:
        if (line->dwDestination >= dests.size() || line->dwSource >= dests[line->dwDestination].sources.size())
            return MIXERR_INVALLINE;
        FillLine(dests[line->dwDestination].sources[line->dwSource], line->dwDestination, (int)line->dwSource, 0,
                 line);
        return MMSYSERR_NOERROR;
    case MIXER_GETLINEINFOF_LINEID: {
        DWORD d = line->dwLineID >> 8, s = line->dwLineID & 0xFF;
        Line* found = LineById(*device, line->dwLineID);
        if (found == nullptr)
            return MIXERR_INVALLINE;
        FillLine(*found, d, (int)s - 1, s == 0 ? (DWORD)dests[d].sources.size() : 0, line);
        return MMSYSERR_NOERROR;
    }
    case MIXER_GETLINEINFOF_COMPONENTTYPE:
        for (DWORD d = 0; d < dests.size(); ++d) {
            if (dests[d].line.componentType == line->dwComponentType) {
                FillLine(dests[d].line, d, -1, (DWORD)dests[d].sources.size(), line);
                return MMSYSERR_NOERROR;
            }
            for (DWORD s = 0; s < dests[d].sources.size(); ++s) {
                if (dests[d].sources[s].componentType == line->dwComponentType) {
                    FillLine(dests[d].sources[s], d, (int)s, 0, line);
                    return MMSYSERR_NOERROR;
                }
            }
        }
        return MIXERR_INVALLINE;
    default:
        return MMSYSERR_NOTSUPPORTED;
    }
}

void FakeMixer::FillControl(const Control& control, DWORD id, MIXERCONTROLA* out)
{
    memset(out, 0, sizeof(*out));
    out->cbStruct = sizeof(*out);
    out->dwControlID = id;
    out->dwControlType = control.type;
    out->cMultipleItems = (DWORD)control.items.size();
    if (!control.items.empty())
        out->fdwControl = MIXERCONTROL_CONTROLF_MULTIPLE | MIXERCONTROL_CONTROLF_UNIFORM;
    out->Bounds.dwMaximum = control.type == MIXERCONTROL_CONTROLTYPE_VOLUME ? 0xFFFF : 1;
}

MMRESULT FakeMixer::GetLineControls(HMIXEROBJ object, MIXERLINECONTROLSA* controls, DWORD flags)
{
    Device* device = OpenDevice(object, flags);
    if (device == nullptr)
        return MMSYSERR_INVALHANDLE;
    Line* line = LineById(*device, controls->dwLineID);
    if (line == nullptr)
        return MIXERR_INVALLINE;
    DWORD query = flags & MIXER_GETLINECONTROLSF_QUERYMASK;
    if (query == MIXER_GETLINECONTROLSF_ONEBYTYPE) {
        for (DWORD k = 0; k < line->controls.size(); ++k) {
            if (line->controls[k].type == controls->dwControlType) {
                FillControl(line->controls[k], (controls->dwLineID << 8) | k, controls->pamxctrl);
                return MMSYSERR_NOERROR;
            }
        }
        return MIXERR_INVALCONTROL;
    }
    if (query == MIXER_GETLINECONTROLSF_ALL) {
        if (controls->cControls != line->controls.size())
            return MMSYSERR_INVALPARAM;
        for (DWORD k = 0; k < line->controls.size(); ++k)
            FillControl(line->controls[k], (controls->dwLineID << 8) | k, controls->pamxctrl + k);
        return MMSYSERR_NOERROR;
    }
    return MMSYSERR_NOTSUPPORTED;
}

// A list control's details are one entry per item, and the caller must ask for exactly the
// control's item count, as Windows requires.
MMRESULT FakeMixer::GetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags)
{
    Device* device = OpenDevice(object, flags);
    Control* control = device ? ControlById(*device, details->dwControlID) : nullptr;
    if (control == nullptr)
        return device ? MIXERR_INVALCONTROL : MMSYSERR_INVALHANDLE;
    bool list = !control->items.empty();
    if (details->cChannels != 1 || details->cMultipleItems != (list ? control->items.size() : 0))
        return MMSYSERR_INVALPARAM;
    DWORD query = flags & MIXER_GETCONTROLDETAILSF_QUERYMASK;
    if (query == MIXER_GETCONTROLDETAILSF_LISTTEXT && list) {
        MIXERCONTROLDETAILS_LISTTEXTA* texts = (MIXERCONTROLDETAILS_LISTTEXTA*)details->paDetails;
        for (size_t i = 0; i < control->items.size(); ++i) {
            memset(&texts[i], 0, sizeof(texts[i]));
            strncpy(texts[i].szName, control->items[i].c_str(), MIXER_LONG_NAME_CHARS - 1);
        }
        return MMSYSERR_NOERROR;
    }
    if (query != MIXER_GETCONTROLDETAILSF_VALUE)
        return MMSYSERR_NOTSUPPORTED;
    DWORD* values = (DWORD*)details->paDetails;
    if (!list)
        values[0] = control->value;
    for (size_t i = 0; i < control->selected.size(); ++i)
        values[i] = control->selected[i];
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::SetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags)
{
    Device* device = OpenDevice(object, flags);
    Control* control = device ? ControlById(*device, details->dwControlID) : nullptr;
    if (control == nullptr)
        return device ? MIXERR_INVALCONTROL : MMSYSERR_INVALHANDLE;
    bool list = !control->items.empty();
    if (details->cChannels != 1 || details->cMultipleItems != (list ? control->items.size() : 0) ||
        (flags & MIXER_SETCONTROLDETAILSF_QUERYMASK) != MIXER_SETCONTROLDETAILSF_VALUE)
        return MMSYSERR_INVALPARAM;
    const DWORD* values = (const DWORD*)details->paDetails;
    if (!list)
        control->value = values[0];
    for (size_t i = 0; i < control->selected.size(); ++i)
        control->selected[i] = values[i];
    return MMSYSERR_NOERROR;
}
