#pragma once

#include "CSimInputPin.h"
#include "CSimMpegEncodeSession.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "MuxPresetDefaults.h"
#include "simmpegifaces.h"

#include <map>
#include <memory>
#include <string>

// "Stelvark Demo MPEG Encoder": video encoder, Layer II audio encoder and multiplexer in one
// filter, driven by three settings records and two parameter tables. The records are taken
// when the filter leaves the stopped state; the stream goes to "Output", or, while that pin
// is unconnected, into the file IFileSinkFilter names.
class CSimMpegEncoder : public CSimStandInFilter,
                        public IMpegVideoEncoder,
                        public IMpegAudioEncoder,
                        public IMpegMuxSettings,
                        public IMpegVideoParams,
                        public IMpegAudioParams,
                        public IFileSinkFilter
{
public:
    enum { kVideoRecordSize = 877, kAudioRecordSize = 36 };

    explicit CSimMpegEncoder(IUnknown* outer);
    ~CSimMpegEncoder() override;

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return 3; }
    CBasePin* GetPin(int index) override;

    // Unnamed slots of the two encoder interfaces.
    STDMETHODIMP Unnamed3(DWORD) override;
    STDMETHODIMP Unnamed4(DWORD) override;
    STDMETHODIMP Unnamed5(DWORD) override;
    STDMETHODIMP Unnamed6(DWORD) override;
    STDMETHODIMP Unnamed7(DWORD) override;
    STDMETHODIMP Unnamed8(DWORD) override;
    STDMETHODIMP Unnamed9(DWORD) override;
    STDMETHODIMP Unnamed10(DWORD) override;
    STDMETHODIMP Unnamed11(DWORD) override;
    STDMETHODIMP Unnamed14(DWORD) override;
    STDMETHODIMP Unnamed15(DWORD) override;
    // IMpegVideoEncoder
    STDMETHODIMP GetVideoRecord(BYTE* record) override;
    STDMETHODIMP SetVideoRecord(const BYTE* record) override;
    STDMETHODIMP GetVideoPresetDefaults(LONG type, BOOL b25, BYTE* record) override;
    // IMpegAudioEncoder
    STDMETHODIMP GetAudioRecord(BYTE* record) override;
    STDMETHODIMP SetAudioRecord(const BYTE* record) override;
    STDMETHODIMP GetAudioPresetDefaults(LONG type, BYTE* record) override;
    // IMpegMuxSettings
    STDMETHODIMP GetMuxType(LONG* type) override;
    STDMETHODIMP SetMuxType(LONG type) override;
    STDMETHODIMP GetMuxRecord(BYTE* record) override;
    STDMETHODIMP SetMuxRecord(const BYTE* record) override;
    STDMETHODIMP GetMuxPresetDefaults(LONG type, BYTE* record) override;
    STDMETHODIMP LoadMuxPreset(LONG type) override;
    // IMpegVideoParams, IMpegAudioParams
    STDMETHODIMP GetVideoParam(LONG id, LONG* value) override;
    STDMETHODIMP SetVideoParam(LONG id, LONG value) override;
    STDMETHODIMP GetAudioParam(LONG id, LONG* value) override;
    STDMETHODIMP SetAudioParam(LONG id, LONG value) override;
    // IFileSinkFilter
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;


protected:
    void* FindFilterInterface(REFIID iid) override;
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;
    HRESULT OnStart(REFERENCE_TIME start) override;
    HRESULT OnHalt() override;
    void OnTeardown() override;

private:
    enum { kVideoPin = 0, kAudioPin = 1, kOutputPin = 2 };

    struct Failure
    {
        HRESULT result = S_OK;
        LONG remaining = -1; // -1: every call
    };

    HRESULT Refused(const char* method);
    void ParseFailures(const std::string& text);
    // The result the "Fail" switch injects into the call, or S_OK.
    HRESULT Injected(const char* method);
    static void FillVideoDefaults(LONG type, BOOL b25, BYTE* record);
    static void FillAudioDefaults(BYTE* record);
    bool Stopped() const { return State() == State_Stopped; }
    CSimMpegEncodeSession::Config BuildConfig();
    HRESULT Deliver(std::vector<SimPack>& packs);
    // Called with the receive lock held.
    void LogCounts();
    HRESULT WriteToFile(const std::vector<SimPack>& packs);

    CSimInputPin m_videoPin;
    CSimInputPin m_audioPin;
    CSimOutputPin m_outputPin;

    // Guards the records, the parameters and the file name (state lock taken first).
    CCritSection m_settingsLock;
    BYTE m_videoRecord[kVideoRecordSize];
    BYTE m_audioRecord[kAudioRecordSize];
    MuxSettings m_muxRecord;
    std::map<LONG, LONG> m_videoParams;
    std::map<LONG, LONG> m_audioParams;
    std::wstring m_fileName;
    std::map<std::string, Failure> m_failures;

    // Guards the session and its configuration, the file and the end-of-stream flags;
    // serialises the two input streaming threads. Taken after the state lock.
    CCritSection m_receiveLock;
    CSimMpegEncodeSession::Config m_config;
    std::unique_ptr<CSimMpegEncodeSession> m_session;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    bool m_packPerSample = false;
    bool m_ended[2] = {};
    bool m_finished = false;
    // The session was finished as the graph left running: running again starts the next one.
    bool m_halted = false;
};
