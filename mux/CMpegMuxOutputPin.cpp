#include "CMpegMuxOutputPin.h"

#include "CMpegMuxFilter.h"
#include "ComRef.h"
#include "MuxMediaTypes.h"

#include <string.h>

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

HRESULT CMpegMuxOutputPin::SetMediaType(const AM_MEDIA_TYPE& type)
{
    HRESULT hr = CBaseOutputPin::SetMediaType(type);
    return FAILED(hr) ? hr : S_OK;
}

// Caller holds the state lock.
HRESULT CMpegMuxOutputPin::CompleteConnect(IPin* peer)
{
    HRESULT hr = CBaseOutputPin::CompleteConnect(peer);
    if (FAILED(hr))
        return hr;
    return m_muxFilter.CreateMux();
}

void CMpegMuxOutputPin::BreakConnect()
{
    m_muxFilter.DestroyMux();
    CBaseOutputPin::BreakConnect();
}

// One buffer as large as the engine's writes: a smaller one would cut them further.
HRESULT CMpegMuxOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES*)
{
    ALLOCATOR_PROPERTIES wanted = {};
    wanted.cBuffers = 1;
    wanted.cbBuffer = CMpegMuxFilter::kWriterBufferSize;
    wanted.cbAlign = 1;
    return RequireBuffers(allocator, wanted);
}

// Caller holds the state lock.
HRESULT CMpegMuxOutputPin::Active()
{
    if (!IsConnected())
        return CBaseOutputPin::Active();
    HRESULT opened = m_muxFilter.OpenMuxOutput();
    m_position = 0;
    HRESULT hr = CBaseOutputPin::Active();
    // An allocator that cannot commit would fail every delivery: say so now.
    return SUCCEEDED(opened) && FAILED(hr) ? hr : opened;
}

HRESULT CMpegMuxOutputPin::DeliverBytes(const uint8_t* data, int bytes)
{
    HRESULT hr = S_OK;
    while (bytes > 0) {
        CComRef<IMediaSample> sample;
        hr = GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0);
        BYTE* buffer = nullptr;
        if (SUCCEEDED(hr))
            hr = sample->GetPointer(&buffer);
        if (FAILED(hr))
            break;
        long size = sample->GetSize();
        if (size <= 0) {
            hr = E_FAIL;
            break;
        }
        int piece = bytes < size ? bytes : static_cast<int>(size);
        memcpy(buffer, data, piece);
        hr = sample->SetActualDataLength(piece);
        // Byte offsets in the stream, not times: a file writer puts each sample at its start.
        REFERENCE_TIME start = m_position;
        REFERENCE_TIME stop = m_position + piece;
        if (SUCCEEDED(hr))
            hr = sample->SetTime(&start, &stop);
        if (SUCCEEDED(hr))
            hr = Deliver(sample.Get());
        if (FAILED(hr))
            break;
        m_position = stop;
        data += piece;
        bytes -= piece;
    }
    if (FAILED(hr)) {
        m_muxFilter.NotifyEvent(EC_ERRORABORT, hr, 0);
        return hr;
    }
    return S_OK;
}
