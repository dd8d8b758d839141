#pragma once

#include "AmMediaType.h"
#include "CSimInputPin.h"
#include "CSimIviParams.h"
#include "CSimOutputPin.h"
#include "CSimAvMuxer.h"
#include "CSimStandInFilter.h"
#include "CritSection.h"

#include <memory>
#include <vector>

// InterVideo's multiplexer of the FM recordings: Layer II audio on "Input 1" (one input is
// always free) into an MPEG system stream of packs on "Output" through FFmpeg's muxer, which
// the writer appends.
// Parameter 515 chooses the stream (0 MPEG-1, 2 VCD: MPEG-1 system packs; 1, 3, 4: MPEG-2
// program packs), 513 the pack size. What is still held, and the end code, go out as the
// graph leaves running (the writer, downstream, is paused first and still takes them).
class CSimIviMux : public CSimStandInFilter, public IIviParams
{
public:
    enum { PARAM_PACK_SIZE = 513, PARAM_TYPE = 515 };

    explicit CSimIviMux(IUnknown* outer);
    ~CSimIviMux() override;

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return (int)m_inputs.size() + 1; }
    CBasePin* GetPin(int index) override;

    // IIviParams, as IIviMuxParams
    STDMETHODIMP GetParam(LONG id, LONG* value) override;
    STDMETHODIMP SetParam(LONG id, LONG value) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    void PinConnected(int pin, bool connected) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;
    HRESULT OnHalt() override;
    void OnTeardown() override;
    void* FindFilterInterface(REFIID iid) override;

private:
    enum { PIN_OUTPUT = 0 };

    bool SystemStream() const;
    int PackSize() const;
    CSimAvMuxer::Settings Settings() const;
    // The sound's stream from the first connected input's format.
    bool AddSoundStream(CSimAvMuxer& muxer);
    void AddFreeInput();
    // Called with the receive lock held.
    HRESULT Deliver(const std::vector<SimPack>& packs);

    CSimOutputPin m_output;
    // Inputs in pin order, numbered from 1; guarded by the state lock, never removed.
    std::vector<std::unique_ptr<CSimInputPin>> m_inputs;
    CSimIviParams m_params;

    // Serialises samples with the closing packs; guards the multiplexer. Taken after the
    // state lock.
    CCritSection m_receiveLock;
    std::unique_ptr<CSimAvMuxer> m_muxer;
    int m_stream = -1;
    REFERENCE_TIME m_nextTime = 0; // for a sample without times
    bool m_finished = false;
};

// {31FDD5E8-68AD-4D29-A2A5-A4290C3721A1}
extern const CLSID CLSID_SimIviMux;
