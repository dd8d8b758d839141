#include "CSimMpegAudioDecoder.h"

#include "AmMediaType.h"
#include "CritGuard.h"
#include "SimStelvarkClasses.h"

#include "simmpegguids.h"

#include <new>
#include <vector>

namespace
{
const long kBufferBytes = 32768;
}

CSimMpegAudioDecoder::CSimMpegAudioDecoder(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimMpegAudioDecoder, "mpegdec", "simstelvark:mpegadec 1"),
      m_input(*this, L"Audio In", 0), m_output(*this, L"Audio Out", 1)
{
}

CBasePin* CSimMpegAudioDecoder::GetPin(int index)
{
    return index == 0 ? static_cast<CBasePin*>(&m_input) : index == 1 ? static_cast<CBasePin*>(&m_output) : nullptr;
}

HRESULT CSimMpegAudioDecoder::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    bool subtype = IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG2_AUDIO) ||
                   IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG1AudioPayload) ||
                   IsEqualGUID(type.subtype, MEDIASUBTYPE_MPEG1Payload);
    const WAVEFORMATEX* w = CAmMediaType::WaveFormatOf(type);
    return IsEqualGUID(type.majortype, MEDIATYPE_Audio) && subtype && w != nullptr && w->nSamplesPerSec > 0 &&
                   (w->nChannels == 1 || w->nChannels == 2)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimMpegAudioDecoder::GetOutputType(int, int index, CAmMediaType& type)
{
    const WAVEFORMATEX* in = m_input.IsConnected() ? m_input.ConnectionType().WaveFormat() : nullptr;
    if (index > 0 || in == nullptr)
        return VFW_S_NO_MORE_ITEMS;
    WAVEFORMATEX pcm = {};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = in->nChannels;
    pcm.nSamplesPerSec = in->nSamplesPerSec;
    pcm.wBitsPerSample = 16;
    pcm.nBlockAlign = (WORD)(pcm.nChannels * 2);
    pcm.nAvgBytesPerSec = pcm.nSamplesPerSec * pcm.nBlockAlign;
    return type.SetWaveFormat(pcm);
}

HRESULT CSimMpegAudioDecoder::CheckOutputType(int pin, const AM_MEDIA_TYPE& type)
{
    CAmMediaType offered;
    if (GetOutputType(pin, 0, offered) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return offered.Equals(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimMpegAudioDecoder::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = wanted.cBuffers > 8 ? wanted.cBuffers : 8;
    wanted.cbBuffer = wanted.cbBuffer > kBufferBytes ? wanted.cbBuffer : kBufferBytes;
    wanted.cbAlign = wanted.cbAlign > 0 ? wanted.cbAlign : 1;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

HRESULT CSimMpegAudioDecoder::OnPrepare()
{
    CCritGuard guard(m_receiveLock);
    m_decoder.Reset();
    m_resampler.reset();
    m_discontinuity = true;
    return S_OK;
}

HRESULT CSimMpegAudioDecoder::ReceiveSample(int, IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)))
        return E_POINTER;
    CCritGuard guard(m_receiveLock);
    if (sample->IsDiscontinuity() == S_OK) {
        m_decoder.Reset();
        m_discontinuity = true;
    }
    m_deliverResult = S_OK;
    m_decoder.Feed(data, (size_t)sample->GetActualDataLength(),
                   [this](AVFrame* frame) { return (m_deliverResult = DeliverSound(frame)) == S_OK; });
    return SUCCEEDED(m_deliverResult) ? S_OK : m_deliverResult;
}

// Caller holds the receive lock. S_FALSE when downstream takes no more.
HRESULT CSimMpegAudioDecoder::DeliverSound(const AVFrame* frame)
{
    const WAVEFORMATEX* out = m_output.ConnectionType().WaveFormat();
    if (out == nullptr)
        return S_OK;
    if (!m_resampler) {
        m_resampler.reset(new CSimAvResampler((int)out->nSamplesPerSec, out->nChannels));
        Log().Line("A out %lu/%u in=%d", out->nSamplesPerSec, out->nChannels, frame->sample_rate);
    }
    std::vector<int16_t> converted;
    if (!m_resampler->Convert(frame, converted))
        return S_OK;
    size_t bytes = converted.size() * sizeof(int16_t);
    size_t sent = 0;
    while (sent < bytes) {
        IMediaSample* sample = nullptr;
        HRESULT hr = m_output.GetDeliveryBuffer(&sample, nullptr, nullptr, 0);
        if (FAILED(hr))
            return hr;
        BYTE* buffer = nullptr;
        sample->GetPointer(&buffer);
        size_t chunk = bytes - sent < (size_t)sample->GetSize() ? bytes - sent : (size_t)sample->GetSize();
        chunk -= chunk % out->nBlockAlign;
        memcpy(buffer, reinterpret_cast<const BYTE*>(converted.data()) + sent, chunk);
        sample->SetActualDataLength((long)chunk);
        sample->SetTime(nullptr, nullptr);
        sample->SetDiscontinuity(m_discontinuity);
        m_discontinuity = false;
        hr = m_output.Deliver(sample);
        sample->Release();
        sent += chunk;
        if (hr != S_OK)
            return hr;
    }
    return S_OK;
}

HRESULT CSimMpegAudioDecoder::EndOfInput(int)
{
    return m_output.IsConnected() ? m_output.DeliverEndOfStream() : S_OK;
}

HRESULT CSimMpegAudioDecoder::BeginInputFlush(int)
{
    return m_output.IsConnected() ? m_output.DeliverBeginFlush() : S_OK;
}

HRESULT CSimMpegAudioDecoder::EndInputFlush(int)
{
    {
        CCritGuard guard(m_receiveLock);
        m_decoder.Reset();
        m_discontinuity = true;
    }
    return m_output.IsConnected() ? m_output.DeliverEndFlush() : S_OK;
}
