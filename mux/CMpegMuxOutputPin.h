#pragma once

#include "BaseOutputPin.h"

#include <stdint.h>

class CMpegMuxFilter;

// The multiplexed stream out of the filter, "Output", while it writes no file of its own.
// Its one offered media type follows the filter's multiplex type. Connecting makes the
// engine; activation opens the output, whose bytes then go downstream as samples stamped
// with their byte offsets in the stream.
class CMpegMuxOutputPin : public CBaseOutputPin
{
public:
    explicit CMpegMuxOutputPin(CMpegMuxFilter& filter);

    // Any of the three output types, whatever the multiplex type: a peer may propose one.
    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;
    HRESULT Active() override;

    // Sends bytes downstream in buffer-sized samples. The first failure ends it; the
    // filter tells the graph and the result goes back to the engine. On the thread that
    // makes the engine write, while the output is open.
    HRESULT DeliverBytes(const uint8_t* data, int bytes);

protected:
    HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

private:
    // Weak: the filter owns the pin.
    CMpegMuxFilter& m_muxFilter;
    // The stream's byte offset of the next sample, from zero at each activation.
    LONGLONG m_position = 0;
};
