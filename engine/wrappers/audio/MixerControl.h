#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <mmsystem.h>

// One destination line of a sound card's mixer (the speakers, or the recording line), with
// its source lines and their controls found by name. Made on the stack for one job: opened,
// used, closed by the destructor. Control values are one unsigned value for one channel,
// which the mixer applies to every channel; switches carry 0 or 1.
class CMixerControl
{
public:
    CMixerControl();
    virtual ~CMixerControl();

    // The first mixer (of that product name, ignoring case, when one is given) that has a
    // destination line of the component type. With a window, the mixer posts its change
    // messages there.
    BOOL Open(LPCSTR deviceName, DWORD componentType, HWND callbackWindow);
    BOOL Close();
    BOOL IsOpen() const { return m_mixer != NULL; }

    static BOOL ListMixerNames(CStringList& names);
    // The destination lines of the named mixer, or of the first one when the name is null.
    static BOOL ListDestinationLines(LPCSTR deviceName, CStringList& names, CDWordArray& types);
    BOOL ListSourceLines(CStringList& names);

    // The name of this mixer's line of that component type, cut to size.
    BOOL GetLineName(DWORD componentType, char* buffer, int size);
    BOOL GetLineControlId(DWORD componentType, DWORD controlType, DWORD* id);
    BOOL GetSourceControlId(DWORD sourceIndex, DWORD controlType, DWORD* id);
    // The control of the first source line of that name, ignoring case.
    BOOL FindSourceControl(LPCSTR sourceName, DWORD controlType, DWORD* id);

    // A null line name, or the destination's own name, means the destination line;
    // another name means the source line of that name.
    BOOL GetVolume(LPCSTR lineName, DWORD* value);
    BOOL SetVolume(LPCSTR lineName, DWORD value);
    BOOL GetControlValue(DWORD controlType, LPCSTR lineName, DWORD* value);
    BOOL SetControlValue(DWORD controlType, LPCSTR lineName, DWORD value);

    // The destination's input selector (MUX), by item name (case counts).
    BOOL IsSourceSelected(LPCSTR sourceName, DWORD* value);
    // Selects that item alone; deselecting it selects the item after it instead (the last
    // one's next is the first), since a selector always has one item on.
    BOOL SelectSource(LPCSTR sourceName, BOOL select);

    const char* GetDestinationName() const { return m_destinationName; }
    DWORD GetDestinationIndex() const { return m_destination; }
    DWORD GetComponentType() const { return m_componentType; }
    DWORD GetSourceCount() const { return m_sourceCount; }

private:
    CMixerControl(const CMixerControl&);
    CMixerControl& operator=(const CMixerControl&);

    BOOL OpenDevice(UINT id, DWORD destinations, DWORD componentType, HWND callbackWindow);
    // The control of that type on this mixer's line of that component type.
    BOOL FindTypeControl(DWORD componentType, DWORD controlType, MIXERCONTROLA* control);
    BOOL FindControlForLine(DWORD controlType, LPCSTR lineName, DWORD* id);
    // The destination's MUX control and the index of the item of that name.
    BOOL FindMuxItem(LPCSTR sourceName, MIXERCONTROLA* mux, DWORD* item);
    // Reads or writes the selection of every item of the MUX.
    BOOL AccessMux(const MIXERCONTROLA& mux, MIXERCONTROLDETAILS_BOOLEAN* values, BOOL write);
    static MIXERCONTROLDETAILS MuxDetails(const MIXERCONTROLA& mux, void* items, DWORD itemSize);
    HMIXEROBJ Object() const { return (HMIXEROBJ)m_mixer; }

    HMIXER m_mixer;
    DWORD m_destination;
    DWORD m_componentType;
    DWORD m_sourceCount;
    char m_destinationName[MIXER_LONG_NAME_CHARS];
};
