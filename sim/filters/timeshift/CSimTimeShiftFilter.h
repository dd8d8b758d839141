#pragma once

#include "CSimInputPin.h"
#include "CSimStandInFilter.h"
#include "CSimTimeShiftOutput.h"
#include "CSimTimeShiftStore.h"
#include "simmpegifaces.h"

#include <string>

// "TimeShift": writes the incoming program stream into a ring-buffer data file with an index
// of its packets, and plays them out again from a read position that trails the writing,
// can be paused while the writing goes on, and can be moved within what is held.
class CSimTimeShiftFilter : public CSimStandInFilter, public ITimeShiftControl
{
public:
    explicit CSimTimeShiftFilter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    // ITimeShiftControl
    STDMETHODIMP SetPosition(const LONGLONG* position) override;
    STDMETHODIMP GetPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current) override;
    STDMETHODIMP SetBufferSize(const LONGLONG* bytes, LONG reserve) override;
    STDMETHODIMP Unnamed6(DWORD) override;
    STDMETHODIMP TogglePause() override;
    STDMETHODIMP SetTimeShiftFile(LPCSTR data, LPCSTR index) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;

    // The output pin's streaming thread: fills sample with the next unit once it is due.
    HRESULT PlayOut(IMediaSample* sample);


protected:
    void* FindFilterInterface(REFIID iid) override;
    HRESULT PausedStateResult() override { return VFW_S_CANT_CUE; }
    HRESULT OnPrepare() override;
    void OnTeardown() override;

private:
    enum Step { kDeliver, kWait, kStop };
    Step NextUnit(CSimTimeShiftStore::Unit* unit, bool* discontinuity);

    CSimInputPin m_input;
    CSimTimeShiftOutput m_output;
    CSimTimeShiftStore m_store;

    // Guards the file names and sizes (set while stopped) and the play-out position; taken
    // after the state lock, before the store's own lock.
    CCritSection m_playLock;
    std::string m_dataPath;
    std::string m_indexPath;
    LONGLONG m_bufferSize = 0;
    LONG m_reserve = 0;
    ULONGLONG m_read = 0;
    bool m_paused = false;
    bool m_jumped = false;
    bool m_haveBase = false;
    LONGLONG m_baseStamp = 0; // 90 kHz
    REFERENCE_TIME m_baseTime = 0;
};
