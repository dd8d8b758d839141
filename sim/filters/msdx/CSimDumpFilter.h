#pragma once

#include "CSimInputPin.h"
#include "CSimStandInFilter.h"
#include "CritSection.h"
#include "SeekingPassThrough.h"

#include <string>

// The writer's class, {36A5F770-FE4C-11CE-A8ED-00AA002FEAB5}.
extern const CLSID CLSID_SimDump;

// The "Dump" writer: every sample it receives is appended to the file it was given, which is
// created as the filter pauses and closed when it stops. It counts as a renderer, so the graph
// hears of the end of its stream. Pause means ready.
class CSimDumpFilter : public CSimStandInFilter, public IFileSinkFilter
{
public:
    explicit CSimDumpFilter(IUnknown* outer);
    ~CSimDumpFilter() override;
    // For writers of other makers built the same way.
    CSimDumpFilter(IUnknown* outer, REFCLSID clsid, const char* module, const char* identity);

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_input : nullptr; }
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

    // IFileSinkFilter
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    void* FindPinInterface(int pin, REFIID iid) override;

protected:
    // Bytes past the limit are not written (the file stays at the limit).
    void SetSizeLimit(ULONGLONG bytes);
    ULONGLONG SizeLimit();

    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;
    void OnTeardown() override;
    void* FindFilterInterface(REFIID iid) override;

private:
    CSimInputPin m_input;
    CSeekingPassThrough m_seeking;

    // Guards m_name; set by the application thread while stopped.
    CCritSection m_nameLock;
    std::wstring m_name;

    // Serialises samples with the file's opening and closing; guards the file and the count.
    // Taken after the state lock.
    CCritSection m_receiveLock;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    ULONGLONG m_bytes = 0;
    ULONGLONG m_limit = ~0ULL;
};
