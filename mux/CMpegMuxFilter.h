#pragma once

#include "BaseFilter.h"
#include "CMpegMuxInputPin.h"
#include "CMpegMuxOutputPin.h"
#include "MpegMuxInterfaces.h"
#include "PersistStream.h"
#include "muxlib.h"

#include <strmif.h>

#include <memory>
#include <vector>

// "Stelvark MPEG Multiplexer": any number of elementary streams in, one MPEG-1 system,
// MPEG-2 program or transport stream out, made by the multiplexing library from the
// settings block the filter keeps, persists and lets callers edit. Pausing means nothing
// more here than for any filter: the data is always ready.
class CMpegMuxFilter : public CBaseFilter,
                       public ISpecifyPropertyPages,
                       public IMpegMuxSettings,
                       public IMpegMuxParams,
                       public CPersistStream,
                       public IMpegMuxCaps,
                       public ICodecAPI
{
public:
    enum
    {
        kWriterBufferSize = 65536,
        kPersistVersion = 2,
        kPersistSizeMax = 2688,
        kCaps = 0x3FFF
    };

    ~CMpegMuxFilter() override;

    static CComIdentity* Create(IUnknown* outer, HRESULT* result);

    DSHOW_DELEGATING_UNKNOWN

    // The input pins in creation order, then the output pin. Caller holds the state lock.
    int GetPinCount() override;
    CBasePin* GetPin(int index) override;

    // IPersist, for both the filter and its persistence.
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;
    // IMpegMuxSettings
    STDMETHODIMP GetMuxType(int* type) override;
    STDMETHODIMP SetMuxType(int type) override;
    STDMETHODIMP GetSettings(void* block) override;
    STDMETHODIMP SetSettings(const void* block) override;
    STDMETHODIMP GetPresetDefaults(int preset, void* block) override;
    STDMETHODIMP LoadPreset(int preset) override;
    // IMpegMuxParams
    STDMETHODIMP GetParam(int id, int* value) override;
    STDMETHODIMP SetParam(int id, int value) override;
    // IMpegMuxCaps
    STDMETHODIMP GetCaps(int* caps) override;
    // ICodecAPI: nothing is modifiable through it.
    STDMETHODIMP IsSupported(const GUID* api) override;
    STDMETHODIMP IsModifiable(const GUID* api) override;
    STDMETHODIMP GetParameterRange(const GUID* api, VARIANT* minimum, VARIANT* maximum, VARIANT* step) override;
    STDMETHODIMP GetParameterValues(const GUID* api, VARIANT** values, ULONG* count) override;
    STDMETHODIMP GetDefaultValue(const GUID* api, VARIANT* value) override;
    STDMETHODIMP GetValue(const GUID* api, VARIANT* value) override;
    STDMETHODIMP SetValue(const GUID* api, VARIANT* value) override;
    STDMETHODIMP RegisterForEvent(const GUID* api, LONG_PTR userData) override;
    STDMETHODIMP UnregisterForEvent(const GUID* api) override;
    STDMETHODIMP SetAllDefaults() override;
    STDMETHODIMP SetValueWithNotify(const GUID* api, VARIANT* value, GUID** changed, ULONG* count) override;
    STDMETHODIMP SetAllDefaultsWithNotify(GUID** changed, ULONG* count) override;
    STDMETHODIMP GetAllSettings(IStream* stream) override;
    STDMETHODIMP SetAllSettings(IStream* stream) override;
    STDMETHODIMP SetAllSettingsWithNotify(IStream* stream, GUID** changed, ULONG* count) override;

    // The multiplex type of the settings block (a MuxPresetId).
    int MuxType() const { return static_cast<int>(m_settings.muxType); }

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnStart(REFERENCE_TIME start) override;
    void* FindInterface(REFIID iid) override;
    HRESULT ReadFromStream(IStream* stream, DWORD version) override;
    HRESULT WriteToStream(IStream* stream) override;

private:
    struct ParamRow;
    static const ParamRow kParams[];

    explicit CMpegMuxFilter(IUnknown* outer);
    HRESULT Construct();
    HRESULT AddInputPin();
    void ReadRegistryOptions();
    // E_UNEXPECTED unless stopped. Caller holds the state lock.
    HRESULT CheckStopped() const;
    const ParamRow* FindParam(int id) const;
    void FillStatistics(MuxStatistics* record) const;
    HRESULT SendVideoCommand();

    // The pins change only under the state lock (the base filter's lock).
    std::vector<std::unique_ptr<CMpegMuxInputPin>> m_inputPins;
    int m_lastPinNumber = 0;
    std::unique_ptr<CMpegMuxOutputPin> m_outputPin;

    // Written under the state lock while stopped; read without it.
    MuxSettings m_settings = {};
    int m_syncAudio = 0;
    int m_writerA = 0;
    int m_writerB = 0;
    MuxServiceResolver m_resolver = nullptr;

    // Plain 32-bit values any caller stores and reads without a lock.
    int m_splitFiles = 0;
    int m_writeList = 0;
    int m_fileControls = 1;
    int m_timeLimitMs = 0;
    int m_streamFiles = 0;
    int m_optionBit7 = 0;
    int m_audioNoSpamVobu = 0;
    int m_pageLock = 0;
    int m_caps = 0;

    // Set by Run (state lock held); read by the statistics.
    DWORD m_runStartMs = 0;
    ULONGLONG m_bytesSinceRun = 0;
};
