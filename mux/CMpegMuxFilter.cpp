#include "CMpegMuxFilter.h"

#include "CritGuard.h"
#include "GantrixModule.h"
#include "MuxInputBuffer.h"
#include "MuxLibService.h"

#include <mmsystem.h>
#include <stddef.h>
#include <string.h>

#include <new>

namespace
{

enum { kFirstPreset = MUX_PRESET_MPEG2 };

// SetMuxType takes the ids 0 to 5 and 8 to 12; the others come only with their preset.
bool IsSettableMuxType(int type)
{
    return (type >= 0 && type <= 5) || (type >= 8 && type <= 12);
}

} // namespace

// One plain parameter: where it lives and what GetParam and SetParam do with it.
struct CMpegMuxFilter::ParamRow
{
    enum Get { kGetValue, kGetIsOne };
    enum Set { kSetStore, kSetFlag };

    int id;
    int CMpegMuxFilter::*field;
    Get get;
    Set set;
    bool stoppedOnly; // also read under the state lock
    bool saved;       // persisted with the settings block
};

const CMpegMuxFilter::ParamRow CMpegMuxFilter::kParams[] = {
    // id, field, get, set, stopped only, saved
    {MUX_PARAM_SPLIT_FILES, &CMpegMuxFilter::m_splitFiles, ParamRow::kGetValue, ParamRow::kSetFlag, false, false},
    {MUX_PARAM_WRITE_LIST, &CMpegMuxFilter::m_writeList, ParamRow::kGetIsOne, ParamRow::kSetStore, false, false},
    {MUX_PARAM_FILE_CONTROLS, &CMpegMuxFilter::m_fileControls, ParamRow::kGetValue, ParamRow::kSetStore, false, false},
    {MUX_PARAM_SYNC_AUDIO, &CMpegMuxFilter::m_syncAudio, ParamRow::kGetValue, ParamRow::kSetStore, true, true},
    {MUX_PARAM_TIME_LIMIT, &CMpegMuxFilter::m_timeLimitMs, ParamRow::kGetValue, ParamRow::kSetStore, false, false},
    {MUX_PARAM_STREAM_FILES, &CMpegMuxFilter::m_streamFiles, ParamRow::kGetValue, ParamRow::kSetStore, false, false},
    {MUX_PARAM_OPTION_BIT7, &CMpegMuxFilter::m_optionBit7, ParamRow::kGetIsOne, ParamRow::kSetStore, false, false},
    {MUX_PARAM_WRITER_A, &CMpegMuxFilter::m_writerA, ParamRow::kGetValue, ParamRow::kSetStore, true, false},
    {MUX_PARAM_WRITER_B, &CMpegMuxFilter::m_writerB, ParamRow::kGetValue, ParamRow::kSetStore, true, false},
    {MUX_PARAM_AUDIO_NO_SPAM_VOBU, &CMpegMuxFilter::m_audioNoSpamVobu, ParamRow::kGetIsOne, ParamRow::kSetStore,
     false, false},
    {MUX_PARAM_PAGE_LOCK, &CMpegMuxFilter::m_pageLock, ParamRow::kGetValue, ParamRow::kSetStore, false, false},
};

CMpegMuxFilter::CMpegMuxFilter(IUnknown* outer)
    : CBaseFilter(outer, CLSID_MpegMultiplexer),
      CPersistStream(CLSID_MpegMultiplexer, kPersistVersion, kPersistSizeMax)
{
}

CMpegMuxFilter::~CMpegMuxFilter()
{
    DestroyMux();
    for (CMpegMuxInputPin* pin : m_inputPins)
        pin->ReleaseFromFilter();
    m_inputPins.clear();
}

CComIdentity* CMpegMuxFilter::Create(IUnknown* outer, HRESULT* result)
{
    auto* filter = new (std::nothrow) CMpegMuxFilter(outer);
    if (!filter) {
        *result = E_OUTOFMEMORY;
        return nullptr;
    }
    *result = filter->Construct();
    if (FAILED(*result)) {
        filter->InnerRelease();
        return nullptr;
    }
    return filter;
}

HRESULT CMpegMuxFilter::Construct()
{
    MuxLibDefaults(&m_settings, kFirstPreset);
    m_resolver = MuxGetLibService;
    m_outputPin.reset(new (std::nothrow) CMpegMuxOutputPin(*this));
    if (!m_outputPin || FAILED(AddInputPin())) {
        m_outputPin.reset();
        return E_FAIL;
    }
    m_caps = kCaps;
    ReadRegistryOptions();
    return S_OK;
}

HRESULT CMpegMuxFilter::AddInputPin()
{
    auto* pin = new (std::nothrow) CMpegMuxInputPin(*this, m_lastPinNumber + 1);
    if (!pin)
        return E_OUTOFMEMORY;
    try {
        m_inputPins.push_back(pin);
    } catch (const std::bad_alloc&) {
        pin->ReleaseFromFilter();
        return E_OUTOFMEMORY;
    }
    ++m_lastPinNumber;
    IncrementPinVersion();
    return S_OK;
}

// The filter only reads the value; the set-up of the user's machine writes it.
void CMpegMuxFilter::ReadRegistryOptions()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, CGantrixModule::SettingsKey(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    if (RegQueryValueExA(key, "AudioNoSpamVOBU", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &bytes) ==
        ERROR_SUCCESS)
        m_audioNoSpamVobu = static_cast<int>(value);
    RegCloseKey(key);
}

int CMpegMuxFilter::GetPinCount()
{
    return static_cast<int>(m_inputPins.size()) + (m_outputPin ? 1 : 0);
}

CBasePin* CMpegMuxFilter::GetPin(int index)
{
    int inputs = static_cast<int>(m_inputPins.size());
    if (index >= 0 && index < inputs)
        return m_inputPins[index];
    if (index == inputs && m_outputPin)
        return m_outputPin.get();
    return nullptr;
}

STDMETHODIMP CMpegMuxFilter::GetClassID(CLSID* clsid)
{
    return CPersistStream::GetClassID(clsid);
}

void* CMpegMuxFilter::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_ISpecifyPropertyPages))
        return static_cast<ISpecifyPropertyPages*>(this);
    if (IsEqualIID(iid, IID_IMpegMuxSettings))
        return static_cast<IMpegMuxSettings*>(this);
    if (IsEqualIID(iid, IID_IMpegMuxParams))
        return static_cast<IMpegMuxParams*>(this);
    if (IsEqualIID(iid, IID_IPersistStream))
        return static_cast<IPersistStream*>(this);
    if (IsEqualIID(iid, IID_IMpegMuxCaps))
        return static_cast<IMpegMuxCaps*>(this);
    if (IsEqualIID(iid, IID_ICodecAPI))
        return static_cast<ICodecAPI*>(this);
    if (IsEqualIID(iid, IID_IFileSinkFilter))
        return static_cast<IFileSinkFilter*>(this);
    if (IsEqualIID(iid, IID_IMediaSeeking) || IsEqualIID(iid, IID_IMediaPosition)) {
        // The first connected input pin answers for the filter, over its upstream pin.
        CCritGuard guard(StateLock());
        for (CMpegMuxInputPin* pin : m_inputPins) {
            if (pin->IsConnected())
                return IsEqualIID(iid, IID_IMediaSeeking) ? static_cast<void*>(pin->Seeking())
                                                          : static_cast<void*>(pin->Position());
        }
        return nullptr;
    }
    return CBaseFilter::FindInterface(iid);
}

HRESULT CMpegMuxFilter::OnStart(REFERENCE_TIME)
{
    m_runStartMs = m_system->Milliseconds();
    m_bytesSinceRun = 0;
    m_outputFailed = false;
    return S_OK;
}

HRESULT CMpegMuxFilter::CheckStopped() const
{
    return State() == State_Stopped ? S_OK : E_UNEXPECTED;
}

// ISpecifyPropertyPages

STDMETHODIMP CMpegMuxFilter::GetPages(CAUUID* pages)
{
    if (!pages)
        return E_POINTER;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pages->pElems) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    pages->cElems = 1;
    pages->pElems[0] = CLSID_MpegMultiplexerPropertyPage;
    return S_OK;
}

// IMpegMuxSettings

STDMETHODIMP CMpegMuxFilter::GetMuxType(int* type)
{
    if (!type)
        return E_POINTER;
    *type = MuxType();
    return S_OK;
}

STDMETHODIMP CMpegMuxFilter::SetMuxType(int type)
{
    CCritGuard guard(StateLock());
    HRESULT hr = CheckStopped();
    if (FAILED(hr))
        return hr;
    if (!IsSettableMuxType(type))
        return E_INVALIDARG;
    m_settings.muxType = static_cast<uint32_t>(type);
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP CMpegMuxFilter::GetSettings(void* block)
{
    if (!block)
        return E_INVALIDARG;
    CCritGuard guard(StateLock());
    memcpy(block, &m_settings, sizeof(m_settings));
    return S_OK;
}

STDMETHODIMP CMpegMuxFilter::SetSettings(const void* block)
{
    CCritGuard guard(StateLock());
    HRESULT hr = CheckStopped();
    if (FAILED(hr))
        return hr;
    if (!block)
        return E_INVALIDARG;
    memcpy(&m_settings, block, sizeof(m_settings));
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP CMpegMuxFilter::GetPresetDefaults(int preset, void* block)
{
    if (!block)
        return E_INVALIDARG;
    return MuxLibDefaults(static_cast<MuxSettings*>(block), preset) == 0 ? S_OK : E_INVALIDARG;
}

STDMETHODIMP CMpegMuxFilter::LoadPreset(int preset)
{
    CCritGuard guard(StateLock());
    HRESULT hr = CheckStopped();
    if (FAILED(hr))
        return hr;
    if (MuxLibDefaults(&m_settings, preset) != 0)
        return E_INVALIDARG;
    SetDirty(true);
    return S_OK;
}

// IMpegMuxParams

const CMpegMuxFilter::ParamRow* CMpegMuxFilter::FindParam(int id) const
{
    for (const ParamRow& row : kParams) {
        if (row.id == id)
            return &row;
    }
    return nullptr;
}

STDMETHODIMP CMpegMuxFilter::GetParam(int id, int* value)
{
    if (!value)
        return E_POINTER;
    switch (id) {
    case MUX_PARAM_STATISTICS:
        FillStatistics(reinterpret_cast<MuxStatistics*>(value));
        return S_OK;
    case MUX_PARAM_SEGMENT_SIZE:
        *value = static_cast<int>(m_settings.segmentSizeMb);
        return S_OK;
    case MUX_PARAM_RESOLVER:
        *value = static_cast<int>(reinterpret_cast<INT_PTR>(m_resolver));
        return S_OK;
    case MUX_PARAM_OUTPUT_CONNECTED:
        *value = m_outputPin && m_outputPin->IsConnected() ? 1 : 0;
        return S_OK;
    }
    const ParamRow* row = FindParam(id);
    if (!row)
        return E_INVALIDARG;
    int stored = this->*row->field;
    *value = row->get == ParamRow::kGetIsOne ? (stored == 1 ? 1 : 0) : stored;
    return S_OK;
}

STDMETHODIMP CMpegMuxFilter::SetParam(int id, int value)
{
    switch (id) {
    case MUX_PARAM_SEGMENT_SIZE:
        m_settings.segmentSizeMb = static_cast<uint32_t>(value);
        SetDirty(true);
        return S_OK;
    case MUX_PARAM_VIDEO_COMMAND:
        return m_splitFiles == 1 ? SendVideoCommand() : E_INVALIDARG;
    case MUX_PARAM_RESOLVER: {
        CCritGuard guard(StateLock());
        HRESULT hr = CheckStopped();
        if (FAILED(hr))
            return hr;
        m_resolver = value ? reinterpret_cast<MuxServiceResolver>(static_cast<INT_PTR>(value)) : MuxGetLibService;
        return S_OK;
    }
    }
    const ParamRow* row = FindParam(id);
    if (!row)
        return E_INVALIDARG;
    if (row->set == ParamRow::kSetFlag && value != 0 && value != 1)
        return E_INVALIDARG;
    if (row->stoppedOnly) {
        CCritGuard guard(StateLock());
        HRESULT hr = CheckStopped();
        if (FAILED(hr))
            return hr;
        this->*row->field = value;
    } else {
        this->*row->field = value;
    }
    if (row->saved)
        SetDirty(true);
    return S_OK;
}

void CMpegMuxFilter::FillStatistics(MuxStatistics* record) const
{
    DWORD size = record->size;
    if (size >= offsetof(MuxStatistics, runStartMs))
        record->bytesWritten = m_bytesSinceRun;
    if (size >= offsetof(MuxStatistics, nowMs))
        record->runStartMs = m_runStartMs;
    DWORD now = m_system->Milliseconds();
    if (size >= offsetof(MuxStatistics, elapsedMs))
        record->nowMs = now;
    if (size >= offsetof(MuxStatistics, elapsedMs) + sizeof(record->elapsedMs))
        record->elapsedMs = now - m_runStartMs;
}

// A new segment begins at the next group of pictures of the first video stream. The
// streaming thread writes into the same buffer, so the command waits for the receive lock;
// without an open output there is no buffer to send it to.
HRESULT CMpegMuxFilter::SendVideoCommand()
{
    CCritGuard guard(m_receiveLock);
    for (CMpegMuxInputPin* pin : m_inputPins) {
        if (!pin->IsConnected() || pin->StreamKind() != CMpegMuxInputPin::kVideo)
            continue;
        MuxBufStream* buffer = pin->InputBuffer();
        if (!buffer)
            return E_UNEXPECTED;
        buffer->auxInfo(buffer, 0, MUX_AUX_SPLIT, nullptr, 0);
        return S_OK;
    }
    return E_NOINTERFACE;
}

void CMpegMuxFilter::StreamConnected(CMpegMuxInputPin& pin)
{
    if (pin.StreamKind() == CMpegMuxInputPin::kVideo) {
        if (!m_firstVideoPin) {
            m_firstVideoPin = &pin;
            m_videoPresent = true;
        }
        ++m_videoStreams;
    } else if (pin.StreamKind() == CMpegMuxInputPin::kAudio) {
        ++m_audioStreams;
    }
}

void CMpegMuxFilter::StreamDisconnected(CMpegMuxInputPin& pin)
{
    if (pin.StreamKind() == CMpegMuxInputPin::kVideo) {
        --m_videoStreams;
        if (m_firstVideoPin == &pin) {
            m_firstVideoPin = nullptr;
            m_videoPresent = false;
        }
    } else if (pin.StreamKind() == CMpegMuxInputPin::kAudio) {
        --m_audioStreams;
    }
}

void CMpegMuxFilter::OfferFreeInputPin()
{
    int free = 0;
    for (CMpegMuxInputPin* pin : m_inputPins)
        free += pin->IsConnected() ? 0 : 1;
    if (free != 1 && static_cast<int>(m_inputPins.size()) < kMaxInputPins)
        AddInputPin();
}

// In pin mode the output ends with the streams; in file mode the graph hears of it.
void CMpegMuxFilter::InputEnded()
{
    if (++m_endedPins != m_videoStreams + m_audioStreams)
        return;
    if (OutputConnected())
        CloseMuxOutput(0);
    else
        NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
}

// IMpegMuxCaps

STDMETHODIMP CMpegMuxFilter::GetCaps(int* caps)
{
    if (!caps)
        return E_POINTER;
    *caps = m_caps;
    return S_OK;
}

// Persistence: the settings block, then the sync-audio flag.

HRESULT CMpegMuxFilter::ReadFromStream(IStream* stream, DWORD version)
{
    if (version != kPersistVersion)
        return S_FALSE;
    MuxSettings settings;
    int syncAudio = 0;
    HRESULT hr = ReadBytes(stream, &settings, sizeof(settings));
    if (SUCCEEDED(hr))
        hr = ReadBytes(stream, &syncAudio, sizeof(syncAudio));
    if (FAILED(hr))
        return hr;
    CCritGuard guard(StateLock());
    m_settings = settings;
    m_syncAudio = syncAudio;
    return S_OK;
}

HRESULT CMpegMuxFilter::WriteToStream(IStream* stream)
{
    MuxSettings settings;
    int syncAudio;
    {
        CCritGuard guard(StateLock());
        settings = m_settings;
        syncAudio = m_syncAudio;
    }
    HRESULT hr = WriteBytes(stream, &settings, sizeof(settings));
    if (SUCCEEDED(hr))
        hr = WriteBytes(stream, &syncAudio, sizeof(syncAudio));
    return hr;
}

// ICodecAPI

STDMETHODIMP CMpegMuxFilter::IsSupported(const GUID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::IsModifiable(const GUID*)
{
    return S_FALSE;
}

STDMETHODIMP CMpegMuxFilter::GetParameterRange(const GUID*, VARIANT*, VARIANT*, VARIANT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::GetParameterValues(const GUID*, VARIANT**, ULONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::GetDefaultValue(const GUID*, VARIANT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::GetValue(const GUID*, VARIANT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::SetValue(const GUID*, VARIANT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::RegisterForEvent(const GUID*, LONG_PTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::UnregisterForEvent(const GUID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::SetAllDefaults()
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::SetValueWithNotify(const GUID*, VARIANT*, GUID**, ULONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::SetAllDefaultsWithNotify(GUID**, ULONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::GetAllSettings(IStream*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::SetAllSettings(IStream*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CMpegMuxFilter::SetAllSettingsWithNotify(IStream*, GUID**, ULONG*)
{
    return E_NOTIMPL;
}
