#pragma once

#include "BaseOutputPin.h"
#include "CritSection.h"

#include <string>
#include <vector>

class CSimLog;

// An output pin the demultiplexer makes on request: it offers exactly the type it was made
// with, and carries the PES payloads of the stream identifiers mapped to it.
class CSimDemuxOutput : public CBaseOutputPin, public IMPEG2StreamIdMap
{
public:
    CSimDemuxOutput(CBaseFilter& filter, const WCHAR* name, const AM_MEDIA_TYPE& type, const CSimLog& log);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBasePin::Release(); }

    // IMPEG2StreamIdMap
    STDMETHODIMP MapStreamId(ULONG streamId, DWORD content, ULONG substreamFilter, int dataOffset) override;
    STDMETHODIMP UnmapStreamId(ULONG count, ULONG* streamIds) override;
    STDMETHODIMP EnumStreamIdMap(IEnumStreamIdMap** streamIdMap) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;
    // Caller holds the filter's state lock; the pin is unconnected.
    HRESULT SetType(const AM_MEDIA_TYPE& type);

    bool Carries(ULONG streamId);
    // One payload as one sample without time stamps, on the streaming thread.
    HRESULT DeliverPayload(const BYTE* data, size_t size);
    void MarkDiscontinuity() { m_discontinuity = true; }

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void* FindInterface(REFIID iid) override;

private:
    CAmMediaType m_type;
    // Weak: the filter's log, which outlives its pins.
    const CSimLog& m_log;
    // Guards the stream map, which the application changes while the stream flows.
    CCritSection m_mapLock;
    std::vector<ULONG> m_streams;
    bool m_discontinuity = true;
};
