#pragma once

#include "BasePin.h"

class CSimFilter;

// An input line of the audio filter: never connects, only switches the line into the
// card's sound and sets its level.
class CSimMixerPin : public CBasePin, public IAMAudioInputMixer
{
public:
    CSimMixerPin(CSimFilter& filter, const WCHAR* name, int line);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBasePin::Release(); }

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

    // IAMAudioInputMixer
    STDMETHODIMP put_Enable(BOOL enable) override;
    STDMETHODIMP get_Enable(BOOL* enable) override;
    STDMETHODIMP put_Mono(BOOL mono) override;
    STDMETHODIMP get_Mono(BOOL* mono) override;
    STDMETHODIMP put_MixLevel(double level) override;
    STDMETHODIMP get_MixLevel(double* level) override;
    STDMETHODIMP put_Pan(double pan) override;
    STDMETHODIMP get_Pan(double* pan) override;
    STDMETHODIMP put_Loudness(BOOL loudness) override;
    STDMETHODIMP get_Loudness(BOOL* loudness) override;
    STDMETHODIMP put_Treble(double treble) override;
    STDMETHODIMP get_Treble(double* treble) override;
    STDMETHODIMP get_TrebleRange(double* range) override;
    STDMETHODIMP put_Bass(double bass) override;
    STDMETHODIMP get_Bass(double* bass) override;
    STDMETHODIMP get_BassRange(double* range) override;

protected:
    HRESULT CheckConnect(IPin* peer) override;
    void* FindInterface(REFIID iid) override;

private:
    HRESULT NotImplemented(const char* method);

    CSimFilter& m_owner;
    const int m_line;
};
