#pragma once

#include <windows.h>
#include <mmsystem.h>

// The WinMM mixer calls the engine's audio classes make, behind one replaceable object.
// The default forwards each call to WinMM as it is (ANSI forms). A test installs its own
// mixer to show paths that the machine's sound driver cannot: named input lines, a MUX
// control, several mixers of one name.
class CMixerApi
{
public:
    virtual ~CMixerApi() {}

    virtual UINT GetNumDevs();
    virtual UINT GetWaveInNumDevs();
    virtual MMRESULT GetID(HMIXEROBJ object, UINT* id, DWORD flags);
    virtual MMRESULT GetDevCaps(UINT_PTR id, MIXERCAPSA* caps, UINT size);
    virtual MMRESULT Open(HMIXER* mixer, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
    virtual MMRESULT Close(HMIXER mixer);
    virtual MMRESULT GetLineInfo(HMIXEROBJ object, MIXERLINEA* line, DWORD flags);
    virtual MMRESULT GetLineControls(HMIXEROBJ object, MIXERLINECONTROLSA* controls, DWORD flags);
    virtual MMRESULT GetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags);
    virtual MMRESULT SetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags);

    // One value for one channel of a control, which the mixer applies to every channel.
    // value is written only on success.
    static BOOL ReadValue(HMIXEROBJ object, DWORD controlId, DWORD* value);
    static BOOL WriteValue(HMIXEROBJ object, DWORD controlId, DWORD value);
    // The line's control of that type.
    static BOOL FindControl(HMIXEROBJ object, DWORD lineId, DWORD controlType, MIXERCONTROLA* control);

    // The mixer every audio class calls.
    static CMixerApi& Current();
    // Installs a replacement (null: WinMM again) and returns the one it replaces. The
    // caller keeps ownership; nothing may be using the old one.
    static CMixerApi* Replace(CMixerApi* mixer);
};
