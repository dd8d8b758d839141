#pragma once

#include "BaseOutputPin.h"

class CMpegMuxFilter;

// The multiplexed stream out of the filter, "Output", while it writes no file of its own.
// Its one media type follows the filter's multiplex type.
class CMpegMuxOutputPin : public CBaseOutputPin
{
public:
    explicit CMpegMuxOutputPin(CMpegMuxFilter& filter);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

private:
    // Weak: the filter owns the pin.
    CMpegMuxFilter& m_muxFilter;
};
