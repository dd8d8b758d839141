#pragma once

#include "ComRef.h"
#include "MpegEncoderInterfaces.h"

// The multiplexer settings interface of a filter, held and called the one way for every
// wrapper that offers it (the encoder's built-in multiplexer and the suite's own). Each call
// answers TRUE only when the filter gave the interface and the call succeeds.
class CMuxSettingsRef
{
public:
    BOOL Attach(IBaseFilter* filter)
    {
        m_settings.Reset();
        return filter && SUCCEEDED(filter->QueryInterface(IID_IMpegMuxSettings, m_settings.ReceiveVoid()));
    }
    void Reset() { m_settings.Reset(); }

    BOOL GetMuxType(int* type) { return m_settings && SUCCEEDED(m_settings->GetMuxType(type)); }
    BOOL SetMuxType(int type) { return m_settings && SUCCEEDED(m_settings->SetMuxType(type)); }
    BOOL GetSettings(BYTE* record) { return m_settings && SUCCEEDED(m_settings->GetSettings(record)); }
    BOOL SetSettings(const BYTE* record) { return m_settings && SUCCEEDED(m_settings->SetSettings(record)); }
    BOOL GetPresetDefaults(int type, BYTE* record)
    {
        return m_settings && SUCCEEDED(m_settings->GetPresetDefaults(type, record));
    }
    BOOL LoadPreset(int type) { return m_settings && SUCCEEDED(m_settings->LoadPreset(type)); }

private:
    CComRef<IMpegMuxSettings> m_settings;
};
