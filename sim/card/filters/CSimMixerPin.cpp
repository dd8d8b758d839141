#include "CSimMixerPin.h"

#include "CSimFilter.h"
#include "CDebugLog.h"

CSimMixerPin::CSimMixerPin(CSimFilter& filter, const WCHAR* name, int line)
    : CBasePin(filter, name, PINDIR_INPUT), m_owner(filter), m_line(line)
{
}

void* CSimMixerPin::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMAudioInputMixer))
        return static_cast<IAMAudioInputMixer*>(this);
    return CBasePin::FindInterface(iid);
}

HRESULT CSimMixerPin::CheckMediaType(const AM_MEDIA_TYPE&)
{
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimMixerPin::CheckConnect(IPin*)
{
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

STDMETHODIMP CSimMixerPin::put_Enable(BOOL enable)
{
    return m_owner.Card().PutInputEnable(m_line, enable);
}

STDMETHODIMP CSimMixerPin::get_Enable(BOOL* enable)
{
    if (enable == nullptr)
        return E_POINTER;
    return m_owner.Card().GetInputEnable(m_line, enable);
}

STDMETHODIMP CSimMixerPin::put_MixLevel(double level)
{
    // Automatic gain has no meaning on the simulated line: it plays at full level.
    if (level == AMF_AUTOMATICGAIN)
        level = 1.0;
    return m_owner.Card().PutMixLevel(m_line, level);
}

STDMETHODIMP CSimMixerPin::get_MixLevel(double* level)
{
    if (level == nullptr)
        return E_POINTER;
    return m_owner.Card().GetMixLevel(m_line, level);
}

HRESULT CSimMixerPin::NotImplemented(const char* method)
{
    static LONG reported = 0;
    return CDebugLog::NotImplemented(method, reported);
}

STDMETHODIMP CSimMixerPin::put_Mono(BOOL) { return NotImplemented("IAMAudioInputMixer::put_Mono"); }
STDMETHODIMP CSimMixerPin::get_Mono(BOOL*) { return NotImplemented("IAMAudioInputMixer::get_Mono"); }
STDMETHODIMP CSimMixerPin::put_Pan(double) { return NotImplemented("IAMAudioInputMixer::put_Pan"); }
STDMETHODIMP CSimMixerPin::get_Pan(double*) { return NotImplemented("IAMAudioInputMixer::get_Pan"); }
STDMETHODIMP CSimMixerPin::put_Loudness(BOOL) { return NotImplemented("IAMAudioInputMixer::put_Loudness"); }
STDMETHODIMP CSimMixerPin::get_Loudness(BOOL*) { return NotImplemented("IAMAudioInputMixer::get_Loudness"); }
STDMETHODIMP CSimMixerPin::put_Treble(double) { return NotImplemented("IAMAudioInputMixer::put_Treble"); }
STDMETHODIMP CSimMixerPin::get_Treble(double*) { return NotImplemented("IAMAudioInputMixer::get_Treble"); }
STDMETHODIMP CSimMixerPin::get_TrebleRange(double*) { return NotImplemented("IAMAudioInputMixer::get_TrebleRange"); }
STDMETHODIMP CSimMixerPin::put_Bass(double) { return NotImplemented("IAMAudioInputMixer::put_Bass"); }
STDMETHODIMP CSimMixerPin::get_Bass(double*) { return NotImplemented("IAMAudioInputMixer::get_Bass"); }
STDMETHODIMP CSimMixerPin::get_BassRange(double*) { return NotImplemented("IAMAudioInputMixer::get_BassRange"); }
