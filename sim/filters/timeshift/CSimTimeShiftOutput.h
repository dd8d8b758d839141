#pragma once

#include "LiveSourcePin.h"

class CSimTimeShiftFilter;

// The time-shift filter's "Output": its streaming thread plays the buffered units out,
// one unit per sample and without time stamps, paced by their packets' time stamps.
class CSimTimeShiftOutput : public CLiveSourcePin
{
public:
    explicit CSimTimeShiftOutput(CSimTimeShiftFilter& filter);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;

    // For the filter on the streaming thread: waits a little on the stream clock;
    // S_FALSE when the run halts first.
    HRESULT Nap(REFERENCE_TIME duration);
    HRESULT StreamTime(REFERENCE_TIME* now) { return GetStreamTime(now); }

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT FillBuffer(IMediaSample* sample) override;

private:
    // Weak: the filter owns the pin.
    CSimTimeShiftFilter& m_owner;
};
