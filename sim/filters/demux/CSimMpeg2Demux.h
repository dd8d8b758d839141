#pragma once

#include "CSimDemuxOutput.h"
#include "CSimInputPin.h"
#include "CSimAvDemuxer.h"
#include "CSimStandInFilter.h"

#include <memory>
#include <vector>

// "MPEG-2 Demultiplexer" for program and MPEG-1 system streams, read by FFmpeg's demuxer:
// output pins are made on request with the type asked for, and each carries the PES
// payloads of the stream identifiers mapped to it; unmapped streams are dropped.
class CSimMpeg2Demux : public CSimStandInFilter, public IMpeg2Demultiplexer
{
public:
    explicit CSimMpeg2Demux(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return 1 + (int)m_outputs.size(); }
    CBasePin* GetPin(int index) override;

    // IMpeg2Demultiplexer
    STDMETHODIMP CreateOutputPin(AM_MEDIA_TYPE* type, LPWSTR name, IPin** pin) override;
    STDMETHODIMP SetOutputPinMediaType(LPWSTR name, AM_MEDIA_TYPE* type) override;
    STDMETHODIMP DeleteOutputPin(LPWSTR name) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT BeginInputFlush(int pin) override;
    HRESULT EndInputFlush(int pin) override;


protected:
    void* FindFilterInterface(REFIID iid) override;
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;

private:
    // Caller holds the state lock.
    CSimDemuxOutput* FindOutput(const WCHAR* name);
    void MarkDiscontinuity();
    // Caller holds the receive lock.
    HRESULT DeliverPackets();

    CSimInputPin m_input;
    // Changed only while stopped, under the state lock; the streaming thread reads it then
    // without the lock. Deleted pins are kept until the filter goes, since whoever still
    // holds one holds the filter too.
    std::vector<std::unique_ptr<CSimDemuxOutput>> m_outputs;
    std::vector<std::unique_ptr<CSimDemuxOutput>> m_retired;

    // Guards the parser (streaming thread against flushes and state changes).
    CCritSection m_receiveLock;
    CSimAvDemuxer m_parser;
};
