#include "CMpegMuxOutputPin.h"

#include "CMpegMuxFilter.h"
#include "MuxMediaTypes.h"

CMpegMuxOutputPin::CMpegMuxOutputPin(CMpegMuxFilter& filter)
    : CBaseOutputPin(filter, L"Output"), m_muxFilter(filter)
{
}

HRESULT CMpegMuxOutputPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return MuxHasPair(MuxOutputMediaTypes, kMuxOutputTypeCount, type) ? S_OK : S_FALSE;
}

HRESULT CMpegMuxOutputPin::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return E_INVALIDARG;
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    MuxSetPair(MuxOutputMediaType(m_muxFilter.MuxType()), type);
    return S_OK;
}

HRESULT CMpegMuxOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES*)
{
    ALLOCATOR_PROPERTIES wanted = {};
    wanted.cBuffers = 1;
    wanted.cbBuffer = CMpegMuxFilter::kWriterBufferSize;
    wanted.cbAlign = 1;
    return RequireBuffers(allocator, wanted);
}
