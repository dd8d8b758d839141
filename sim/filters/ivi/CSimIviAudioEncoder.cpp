#include "CSimIviAudioEncoder.h"

#include "CritGuard.h"

#include <mmreg.h>
#include <msacm.h>
#include <new>
#include <string.h>

const CLSID CLSID_SimIviAudioEncoder = { 0x55F19296, 0x06C0, 0x4A21, { 0x8D, 0xEF, 0x59, 0x74, 0x25, 0x44, 0x00, 0x63 } };

namespace
{
const int SAMPLES_PER_FRAME = 1152;
// Layer II bit rates of MPEG-1 by index, kbit/s.
const int KBITS[15] = { 0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 };
const int DEFAULT_KBITS = 224;
}

CSimIviAudioEncoder::CSimIviAudioEncoder(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimIviAudioEncoder, "ivi", "simivi:audio 1")
    , m_input(*this, L"Input", PIN_INPUT)
    , m_output(*this, L"Output", PIN_OUTPUT)
    , m_params(Log(), 'A')
{
}

CBasePin* CSimIviAudioEncoder::GetPin(int index)
{
    if (index == PIN_INPUT)
        return &m_input;
    return index == PIN_OUTPUT ? &m_output : nullptr;
}

void* CSimIviAudioEncoder::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IIviAudioParams))
        return static_cast<IIviParams*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimIviAudioEncoder::GetParam(LONG id, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = m_params.Get(id);
    return S_OK;
}

STDMETHODIMP CSimIviAudioEncoder::SetParam(LONG id, LONG value)
{
    m_params.Set(id, value);
    return S_OK;
}

int CSimIviAudioEncoder::BitRateIndex() const
{
    LONG kbits = m_params.Get(PARAM_KBITS);
    for (int i = 1; i < 15; ++i) {
        if (KBITS[i] == (kbits != 0 ? kbits : DEFAULT_KBITS))
            return i;
    }
    return 0;
}

HRESULT CSimIviAudioEncoder::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    const WAVEFORMATEX* wave = CAmMediaType::WaveFormatOf(type);
    if (wave == nullptr || wave->wFormatTag != WAVE_FORMAT_PCM || wave->wBitsPerSample != 16 ||
        wave->nChannels < 1 || wave->nChannels > 2)
        return VFW_E_TYPE_NOT_ACCEPTED;
    DWORD rate = wave->nSamplesPerSec;
    return rate == 32000 || rate == 44100 || rate == 48000 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimIviAudioEncoder::GetOutputType(int, int index, CAmMediaType& type)
{
    const WAVEFORMATEX* in = CAmMediaType::WaveFormatOf(m_input.ConnectionType());
    if (!m_input.IsConnected() || in == nullptr || index > 0)
        return VFW_S_NO_MORE_ITEMS;
    int kbits = KBITS[BitRateIndex()];
    MPEG1WAVEFORMAT format = {};
    format.wfx.wFormatTag = WAVE_FORMAT_MPEG;
    format.wfx.nChannels = in->nChannels;
    format.wfx.nSamplesPerSec = in->nSamplesPerSec;
    format.wfx.nAvgBytesPerSec = kbits * 1000 / 8;
    format.wfx.nBlockAlign = 1;
    format.wfx.cbSize = sizeof(MPEG1WAVEFORMAT) - sizeof(WAVEFORMATEX);
    format.fwHeadLayer = ACM_MPEG_LAYER2;
    format.dwHeadBitrate = kbits * 1000;
    format.fwHeadMode = in->nChannels == 2 ? ACM_MPEG_STEREO : ACM_MPEG_SINGLECHANNEL;
    format.fwHeadFlags = ACM_MPEG_ID_MPEG1;
    HRESULT hr = type.SetWaveFormat(format.wfx);
    if (SUCCEEDED(hr))
        type.subtype = MEDIASUBTYPE_MPEG1AudioPayload;
    return hr;
}

HRESULT CSimIviAudioEncoder::CheckOutputType(int, const AM_MEDIA_TYPE& type)
{
    const WAVEFORMATEX* wave = CAmMediaType::WaveFormatOf(type);
    return m_input.IsConnected() && wave != nullptr && wave->wFormatTag == WAVE_FORMAT_MPEG ? S_OK
                                                                                          : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimIviAudioEncoder::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = request->cBuffers > 8 ? request->cBuffers : 8;
    // The largest Layer II frame: 384 kbit/s at 32 kHz.
    wanted.cbBuffer = request->cbBuffer > 1728 ? request->cbBuffer : 1728;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

HRESULT CSimIviAudioEncoder::OnPrepare()
{
    const WAVEFORMATEX* in = CAmMediaType::WaveFormatOf(m_input.ConnectionType());
    if (in == nullptr)
        return VFW_E_NOT_CONNECTED;
    if ((DWORD)m_params.Get(PARAM_RATE) != in->nSamplesPerSec)
        return VFW_E_TYPE_NOT_ACCEPTED;
    CCritGuard guard(m_receiveLock);
    m_encoder.reset(new CSimAvSoundEncoder(AV_CODEC_ID_MP2, (int)in->nSamplesPerSec, in->nChannels,
                                           KBITS[BitRateIndex()] * 1000, 0));
    if (!m_encoder->Valid())
        return VFW_E_TYPE_NOT_ACCEPTED;
    m_frames = 0;
    return S_OK;
}

void CSimIviAudioEncoder::OnTeardown()
{
    CCritGuard guard(m_receiveLock);
    m_encoder.reset();
}

HRESULT CSimIviAudioEncoder::ReceiveSample(int, IMediaSample* sample)
{
    CCritGuard guard(m_receiveLock);
    BYTE* data = nullptr;
    if (!m_encoder || !m_output.IsConnected() || FAILED(sample->GetPointer(&data)))
        return S_OK;
    // The encoder counts sample frames: one 16-bit sample per channel.
    size_t sampleFrames = (size_t)sample->GetActualDataLength() / (2 * m_encoder->Channels());
    HRESULT result = S_OK;
    m_encoder->Encode(reinterpret_cast<const int16_t*>(data), sampleFrames, [&](AVPacket* frame) {
        CComRef<IMediaSample> out;
        result = m_output.GetDeliveryBuffer(out.Receive(), nullptr, nullptr, 0);
        if (FAILED(result))
            return false;
        BYTE* buffer = nullptr;
        out->GetPointer(&buffer);
        if (out->GetSize() < frame->size) {
            result = E_UNEXPECTED;
            return false;
        }
        memcpy(buffer, frame->data, frame->size);
        out->SetActualDataLength(frame->size);
        REFERENCE_TIME start = m_frames * SAMPLES_PER_FRAME * 10000000LL / m_encoder->SampleRate();
        REFERENCE_TIME stop = (m_frames + 1) * SAMPLES_PER_FRAME * 10000000LL / m_encoder->SampleRate();
        out->SetTime(&start, &stop);
        out->SetSyncPoint(TRUE);
        ++m_frames;
        result = m_output.Deliver(out.Get());
        return SUCCEEDED(result);
    });
    return FAILED(result) ? result : S_OK;
}

HRESULT CSimIviAudioEncoder::EndOfInput(int)
{
    CCritGuard guard(m_receiveLock);
    return m_output.IsConnected() ? m_output.DeliverEndOfStream() : S_OK;
}
