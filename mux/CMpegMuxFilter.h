#pragma once

#include "BaseFilter.h"
#include "CMpegMuxInputPin.h"
#include "CMuxSystem.h"
#include "CMpegMuxOutputPin.h"
#include "CritSection.h"
#include "MpegMuxInterfaces.h"
#include "MuxSyncClock.h"
#include "PersistStream.h"
#include "muxlib.h"

#include <strmif.h>

#include <memory>
#include <string>
#include <vector>

class MuxBufferedWriter;
class MuxIndexedWriter;
class MuxInputBuffer;

// Events the filter sends to the graph about its output.
enum MuxEventCode
{
    EC_MUX_FILE_CLOSED = 0x8401,
    EC_MUX_FAT_LIMIT = 0x8402,
    EC_MUX_DISK_FULL = 0x8403,
    EC_MUX_TIME_LIMIT = 0x8404,
    EC_MUX_WRITE_ERROR = 0x8406,
    EC_MUX_NEW_SEGMENT = 0x8407
};

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
                       public ICodecAPI,
                       public IFileSinkFilter
{
public:
    enum
    {
        kWriterBufferSize = 65536,
        kPersistVersion = 2,
        kPersistSizeMax = 2688,
        kCaps = 0x3FFF,
        kSideWriterBufferSize = 2048,
        kFatSegmentMb = 4095,
        kMaxInputPins = 24
    };

    // Output files. The segment list names each finished segment with its size.
    enum SideKind { kVideoIndex = 1, kAudioIndex = 2 };
    struct Segment
    {
        std::string path;
        ULONGLONG bytes;
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

    // IFileSinkFilter
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;

    // The multiplex type of the settings block (a MuxPresetId).
    int MuxType() const { return static_cast<int>(m_settings.muxType); }

    // The engine and its output. Pause and Stop call them under the state lock; so does a
    // caller that drives the output by hand.
    HRESULT CreateMux();
    void DestroyMux();
    // What Pause does for file output once an input is connected: the FAT cap on the
    // segment size, then a fresh engine and the output opened.
    void PrepareFileOutput();
    HRESULT OpenMuxOutput();
    HRESULT CloseMuxOutput(int abort);
    // The writer the engine was given while the output is open, else null.
    MuxBufStream* OutputWriter() const;
    MuxHandle Engine() const { return m_engine; }

    // Weak; null restores the system's own. Set while stopped.
    void SetSystem(CMuxSystem* system) { m_system = system ? system : &CMuxSystem::Default(); }

    // For the input pins. Connection calls come with the state lock held.
    int ConnectedStreams(CMpegMuxInputPin::Kind kind) const
    {
        return kind == CMpegMuxInputPin::kVideo ? m_videoStreams : m_audioStreams;
    }
    void StreamConnected(CMpegMuxInputPin& pin);
    void StreamDisconnected(CMpegMuxInputPin& pin);
    // Keeps one unconnected input pin, while there are fewer than kMaxInputPins.
    void OfferFreeInputPin();
    bool IsFirstVideoPin(const CMpegMuxInputPin& pin) const { return m_firstVideoPin == &pin; }
    int SyncAudioFlag() const { return m_syncAudio; }
    // Audio waits for the video: the flag is set and a video stream is connected.
    bool AudioSyncOn() const { return m_syncAudio && m_videoPresent; }
    MuxSyncClock& SyncClock() { return m_syncClock; }
    CCritSection& ReceiveLock() { return m_receiveLock; }
    bool OutputFailed() const { return m_outputFailed; }
    // One more input pin has ended its stream. Caller holds the state lock.
    void InputEnded();
    CMpegMuxOutputPin* OutputPin() const { return m_outputPin.get(); }

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;
    HRESULT OnStart(REFERENCE_TIME start) override;
    void OnTeardown() override;
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

    struct SideContext
    {
        CMpegMuxFilter* filter;
        int kind;
    };

    // Writer callbacks, with the filter or a side context as context.
    static int OnWriteFile(void* context, const uint8_t* data, int bytes);
    static int OnNextFile(void* context);
    static int OnWriteStreamFile(void* context, const uint8_t* data, int bytes);
    static int OnNextStreamFile(void* context);
    static int OnDeliverOutput(void* context, const uint8_t* data, int bytes);
    static void OnEndOutput(void* context);

    bool AnyInputConnected() const;
    bool AnyInputConnected(CMpegMuxInputPin::Kind kind) const;
    bool OutputConnected() const { return m_outputPin && m_outputPin->IsConnected(); }
    void MeasureVolume();
    void ApplyFatCap();
    HRESULT OpenSideFiles();
    void ReleaseOutput(int abort);
    void WriteSegmentList();
    void FailOutput(long code);
    HRESULT WriteFileBytes(const uint8_t* data, int bytes);
    HRESULT NextFile();
    HRESULT WriteSideFile(int kind, const uint8_t* data, int bytes);
    HRESULT NextSideFile(int kind);
    // The path of segment or side file number `counter` ("%s%04d"), or of the file itself
    // when not splitting; `extension` replaces the name's own when given.
    std::string OutputPath(int counter, bool numbered, const char* extension) const;

    // The pins change only under the state lock (the base filter's lock). Each input pin
    // holds the filter's reference of itself until the destructor gives it up.
    std::vector<CMpegMuxInputPin*> m_inputPins;
    int m_lastPinNumber = 0;
    // The connected streams of each kind and the first video pin, under the state lock.
    int m_videoStreams = 0;
    int m_audioStreams = 0;
    CMpegMuxInputPin* m_firstVideoPin = nullptr;
    bool m_videoPresent = false;

    // Serialises the input pins' parsers with each other and with the output's opening and
    // closing, so the engine sees one pin's data at a time and no buffer goes while in use.
    // Guards the pins' parsers and input buffers. Taken after the state lock.
    CCritSection m_receiveLock;
    MuxSyncClock m_syncClock;
    std::unique_ptr<CMpegMuxOutputPin> m_outputPin;
    // The output pin while a file name has put it away: a caller may still hold it (pins
    // count with the filter), so it lives as long as the filter and comes back for no name.
    std::unique_ptr<CMpegMuxOutputPin> m_spareOutputPin;

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

    CMuxSystem* m_system = &CMuxSystem::Default();

    // The output name (ANSI) and its volume, set while stopped.
    std::string m_fileName;
    bool m_fatVolume = false;
    LONGLONG m_freeBytes = -1;
    bool m_fatCapApplied = false;

    // The engine and its output, made and ended under the state lock; the callbacks run on
    // whichever thread makes the engine write, while the output is open.
    MuxHandle m_engine = nullptr;
    bool m_outputOpen = false;
    MuxBufferedWriter* m_writer = nullptr;
    MuxIndexedWriter* m_indexed = nullptr;
    MuxBufferedWriter* m_sideWriters[2] = {};
    SideContext m_sideContexts[2] = {};
    std::vector<std::unique_ptr<MuxInputBuffer>> m_inputBuffers;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::string m_segmentPath;
    int m_segmentCounter = 0;
    ULONGLONG m_segmentBytes = 0;
    HANDLE m_sideFiles[2] = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};
    int m_sideCounters[2] = {};
    std::unique_ptr<std::vector<Segment>> m_fileList;
    // Read by the input pins without a lock: after a failure they drop samples until Run.
    volatile bool m_outputFailed = false;
    bool m_endOutputSent = false;
    int m_endedPins = 0;
};
