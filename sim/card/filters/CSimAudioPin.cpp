#include "CSimAudioPin.h"

#include "CSimFilter.h"
#include "CritGuard.h"

#include <string.h>

namespace
{
const DWORD BUFFERS = 4;
const REFERENCE_TIME BUFFER_TIME = 200000;      // 20 ms
const DWORD BUFFERS_PER_SECOND = 50;
const DWORD MIN_RATE = 8000;
const DWORD MAX_RATE = 48000;

WAVEFORMATEX Pcm(DWORD rate, WORD channels, WORD bits)
{
    WAVEFORMATEX f = {};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = (WORD)(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}
}

CSimAudioPin::CSimAudioPin(CSimFilter& filter, const WCHAR* name)
    : CLiveSourcePin(filter, name, &PIN_CATEGORY_CAPTURE), m_owner(filter), m_format(Pcm(44100, 2, 16))
{
}

void* CSimAudioPin::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMStreamConfig))
        return static_cast<IAMStreamConfig*>(this);
    return CLiveSourcePin::FindInterface(iid);
}

bool CSimAudioPin::Valid(const AM_MEDIA_TYPE& type)
{
    const WAVEFORMATEX* f = CAmMediaType::WaveFormatOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Audio) || !IsEqualGUID(type.subtype, MEDIASUBTYPE_PCM) || f == nullptr)
        return false;
    return f->wFormatTag == WAVE_FORMAT_PCM && f->nChannels >= 1 && f->nChannels <= 2 &&
           (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) && f->nSamplesPerSec >= MIN_RATE &&
           f->nSamplesPerSec <= MAX_RATE && f->nBlockAlign == f->nChannels * f->wBitsPerSample / 8 &&
           f->nAvgBytesPerSec == f->nSamplesPerSec * f->nBlockAlign;
}

DWORD CSimAudioPin::BufferBytes(const WAVEFORMATEX& format)
{
    return format.nSamplesPerSec / BUFFERS_PER_SECOND * format.nBlockAlign;
}

STDMETHODIMP CSimAudioPin::SetFormat(AM_MEDIA_TYPE* type)
{
    if (type == nullptr)
        return E_POINTER;
    CCritGuard guard(Filter().StateLock());
    if (Filter().State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (!Valid(*type))
        return VFW_E_INVALIDMEDIATYPE;
    const WAVEFORMATEX& f = *CAmMediaType::WaveFormatOf(*type);
    WAVEFORMATEX wanted = Pcm(f.nSamplesPerSec, f.nChannels, f.wBitsPerSample);
    if (IsConnected()) {
        const WAVEFORMATEX* now = ConnectionType().WaveFormat();
        if (now == nullptr || memcmp(now, &wanted, sizeof(PCMWAVEFORMAT)) != 0)
            return VFW_E_ALREADY_CONNECTED;
    }
    m_format = wanted;
    MediaTypesChanged();
    return m_owner.Card().NoteAudioFormat(wanted.nSamplesPerSec, wanted.nChannels, wanted.wBitsPerSample);
}

STDMETHODIMP CSimAudioPin::GetFormat(AM_MEDIA_TYPE** type)
{
    if (type == nullptr)
        return E_POINTER;
    CCritGuard guard(Filter().StateLock());
    CAmMediaType current;
    HRESULT hr = GetMediaType(0, current);
    if (FAILED(hr))
        return hr;
    *type = CAmMediaType::NewCopy(current);
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CSimAudioPin::GetNumberOfCapabilities(int* count, int* size)
{
    if (count == nullptr || size == nullptr)
        return E_POINTER;
    *count = 1;
    *size = sizeof(AUDIO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CSimAudioPin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps)
{
    if (type == nullptr || caps == nullptr)
        return E_POINTER;
    *type = nullptr;
    if (index < 0)
        return E_INVALIDARG;
    if (index > 0)
        return S_FALSE;
    AUDIO_STREAM_CONFIG_CAPS c = {};
    c.guid = MEDIATYPE_Audio;
    c.MinimumChannels = 1;
    c.MaximumChannels = 2;
    c.ChannelsGranularity = 1;
    c.MinimumBitsPerSample = 8;
    c.MaximumBitsPerSample = 16;
    c.BitsPerSampleGranularity = 8;
    c.MinimumSampleFrequency = MIN_RATE;
    c.MaximumSampleFrequency = MAX_RATE;
    c.SampleFrequencyGranularity = 1;
    memcpy(caps, &c, sizeof(c));
    return GetFormat(type);
}

HRESULT CSimAudioPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    if (!Valid(type))
        return VFW_E_TYPE_NOT_ACCEPTED;
    return memcmp(CAmMediaType::WaveFormatOf(type), &m_format, sizeof(PCMWAVEFORMAT)) == 0 ? S_OK
                                                                                          : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimAudioPin::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return E_INVALIDARG;
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    HRESULT hr = type.SetWaveFormat(m_format);
    if (SUCCEEDED(hr)) {
        type.bFixedSizeSamples = TRUE;
        type.lSampleSize = m_format.nBlockAlign;
    }
    return hr;
}

HRESULT CSimAudioPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES*)
{
    const WAVEFORMATEX* f = ConnectionType().WaveFormat();
    if (f == nullptr)
        return VFW_E_INVALIDMEDIATYPE;
    ALLOCATOR_PROPERTIES wanted = {};
    wanted.cBuffers = BUFFERS;
    wanted.cbBuffer = (LONG)BufferBytes(*f);
    wanted.cbAlign = f->nBlockAlign;
    return RequireBuffers(allocator, wanted);
}

HRESULT CSimAudioPin::Active()
{
    const WAVEFORMATEX* f = ConnectionType().WaveFormat();
    if (IsConnected() && f != nullptr) {
        m_streamFormat = *f;
        m_block = 0;
    }
    return CLiveSourcePin::Active();
}

HRESULT CSimAudioPin::FillBuffer(IMediaSample* sample)
{
    REFERENCE_TIME start = (REFERENCE_TIME)m_block * BUFFER_TIME;
    REFERENCE_TIME stop = start + BUFFER_TIME;
    HRESULT hr = WaitForStreamTime(stop);
    if (hr != S_OK)
        return S_FALSE;
    SimSoundInput sound;
    if (SUCCEEDED(m_owner.Card().TakeSound(&sound)))
        m_lastSound = sound;
    BYTE* buffer = nullptr;
    hr = sample->GetPointer(&buffer);
    if (FAILED(hr))
        return hr;
    DWORD bytes = BufferBytes(m_streamFormat);
    if ((DWORD)sample->GetSize() < bytes)
        return VFW_E_BUFFER_OVERFLOW;
    m_sound.Render(m_lastSound, m_streamFormat.nSamplesPerSec, m_streamFormat.nChannels,
                   m_streamFormat.wBitsPerSample, buffer, bytes);
    sample->SetActualDataLength((LONG)bytes);
    sample->SetTime(&start, &stop);
    sample->SetDiscontinuity(m_block == 0);
    sample->SetSyncPoint(TRUE);
    m_owner.Card().CountAudioBlock();
    ++m_block;
    return S_OK;
}
