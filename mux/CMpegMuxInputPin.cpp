#include "CMpegMuxInputPin.h"

#include "CMpegMuxFilter.h"
#include "CritGuard.h"
#include "MuxAc3Parser.h"
#include "MuxAdtsParser.h"
#include "MuxGuids.h"
#include "MuxH264Parser.h"
#include "MuxMediaTypes.h"
#include "MuxMpegAudioParser.h"
#include "MuxMpegVideoParser.h"
#include "MuxPcmParser.h"

#include <mmreg.h>
#include <stdio.h>
#include <string.h>

#include <new>

namespace
{

enum
{
    kWaveTagA106 = 0x00FF,
    kA106ExtraBytes = 22,
    kWaitMs = 10
};

std::wstring PinName(int number)
{
    WCHAR name[16];
    _snwprintf(name, 16, L"Input%d", number);
    name[15] = 0;
    return name;
}

bool Is(const GUID& a, const GUID& b)
{
    return IsEqualGUID(a, b) != FALSE;
}

} // namespace

CMpegMuxInputPin::CMpegMuxInputPin(CMpegMuxFilter& filter, int number)
    : CBaseInputPin(filter, PinName(number).c_str()), m_filter(filter), m_number(number)
{
}

CMpegMuxInputPin::~CMpegMuxInputPin() = default;

// Every reference from outside holds the filter too, so the filter cannot go while a
// holder might still call the pin.
STDMETHODIMP_(ULONG) CMpegMuxInputPin::AddRef()
{
    ULONG refs = static_cast<ULONG>(InterlockedIncrement(&m_refs));
    m_filter.ControllingUnknown()->AddRef();
    return refs;
}

STDMETHODIMP_(ULONG) CMpegMuxInputPin::Release()
{
    ULONG refs = static_cast<ULONG>(InterlockedDecrement(&m_refs));
    // May delete the filter, and with it this pin: nothing of it is touched after.
    m_filter.ControllingUnknown()->Release();
    return refs;
}

void CMpegMuxInputPin::ReleaseFromFilter()
{
    if (InterlockedDecrement(&m_refs) == 0)
        delete this;
}

HRESULT CMpegMuxInputPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return MuxHasPair(MuxInputMediaTypes, kMuxInputTypeCount, type) ? S_OK : S_FALSE;
}

HRESULT CMpegMuxInputPin::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return E_INVALIDARG;
    if (index >= kMuxInputTypeCount)
        return VFW_S_NO_MORE_ITEMS;
    MuxSetPair(MuxInputMediaTypes[index], type);
    return S_OK;
}

// Caller holds the state lock (connecting).
HRESULT CMpegMuxInputPin::SetMediaType(const AM_MEDIA_TYPE& type)
{
    const GUID& major = type.majortype;
    const GUID& sub = type.subtype;
    bool videoMajor = Is(major, MEDIATYPE_Video), audioMajor = Is(major, MEDIATYPE_Audio);
    HRESULT hr = S_OK;
    m_form = kFormNone;
    if (Is(sub, MEDIASUBTYPE_MPEG1Video) || Is(sub, MEDIASUBTYPE_MPEG2_VIDEO) || Is(sub, MEDIASUBTYPE_H264Video) ||
        (videoMajor && (Is(sub, MEDIASUBTYPE_MPEG1Payload) || Is(sub, MEDIASUBTYPE_MPEG1Packet)))) {
        m_form = Is(sub, MEDIASUBTYPE_H264Video) ? kFormH264 : kFormMpegVideo;
        hr = ClassifyVideo(type);
    } else if (Is(sub, MEDIASUBTYPE_DOLBY_AC3)) {
        hr = ClassifyAudio(type, kFormAc3);
    } else if (Is(sub, MEDIASUBTYPE_PCM)) {
        hr = ClassifyAudio(type, kFormPcm);
    } else if (Is(sub, MEDIASUBTYPE_DVD_LPCM_AUDIO)) {
        hr = ClassifyAudio(type, kFormLpcm);
    } else if (Is(sub, MEDIASUBTYPE_WaveA106)) {
        hr = ClassifyAudio(type, kFormAdts);
    } else if (Is(sub, MEDIASUBTYPE_MPEG1Audio) || Is(sub, MEDIASUBTYPE_MPEG2_AUDIO) ||
               (audioMajor && (Is(sub, MEDIASUBTYPE_MPEG1Payload) || Is(sub, MEDIASUBTYPE_MPEG1AudioPayload) ||
                               Is(sub, MEDIASUBTYPE_MPEG1Packet)))) {
        hr = ClassifyAudio(type, kFormMpegAudio);
    }
    if (FAILED(hr)) {
        m_kind = kNone;
        m_form = kFormNone;
        return E_FAIL;
    }
    return CBaseInputPin::SetMediaType(type);
}

HRESULT CMpegMuxInputPin::ClassifyVideo(const AM_MEDIA_TYPE& type)
{
    if (m_filter.ConnectedStreams(kVideo) >= kMaxStreamsOfAKind)
        return E_FAIL;
    m_kind = kVideo;
    m_streamSettings.streamKind = MUX_STREAM_VIDEO;
    m_streamSettings.bufferSize = kVideoBufferSize;
    m_streamSettings.codec = m_form == kFormH264 ? MUX_CODEC_H264 : MUX_CODEC_MPEG_VIDEO;
    const GUID& format = type.formattype;
    if (!Is(format, FORMAT_MPEGVideo) && !Is(format, FORMAT_MPEG2Video) && !Is(format, MEDIASUBTYPE_H264Video))
        return E_FAIL;
    return S_OK;
}

HRESULT CMpegMuxInputPin::ClassifyAudio(const AM_MEDIA_TYPE& type, Form form)
{
    const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    if (form == kFormAdts) {
        if (!wave || !Is(type.formattype, FORMAT_WaveFormatEx) ||
            type.cbFormat < sizeof(WAVEFORMATEX) + kA106ExtraBytes || wave->wFormatTag != kWaveTagA106 ||
            wave->cbSize != kA106ExtraBytes)
            return E_FAIL;
        const BYTE* extra = type.pbFormat + sizeof(WAVEFORMATEX);
        memcpy(&m_configWord, extra, sizeof(m_configWord));
        memcpy(&m_configValue, extra + sizeof(m_configWord), sizeof(m_configValue));
    } else if (form == kFormPcm || form == kFormLpcm) {
        // A stream without channels would have no frames to cut.
        if (!wave || type.cbFormat < sizeof(PCMWAVEFORMAT) ||
            (wave->nSamplesPerSec != 48000 && wave->nSamplesPerSec != 96000) || wave->wBitsPerSample != 16 ||
            wave->nChannels < 1 || wave->nChannels > 2)
            return E_FAIL;
        m_sampleRate = static_cast<int>(wave->nSamplesPerSec);
        m_channels = wave->nChannels;
    }
    if (m_filter.ConnectedStreams(kAudio) >= kMaxStreamsOfAKind)
        return E_FAIL;
    m_form = form;
    m_kind = kAudio;
    m_streamSettings.streamKind = MUX_STREAM_AUDIO;
    m_streamSettings.bufferSize = kAudioBufferSize;
    switch (form) {
    case kFormAc3:
        m_streamSettings.codec = MUX_CODEC_AC3;
        break;
    case kFormPcm:
    case kFormLpcm:
        m_streamSettings.codec = MUX_CODEC_LPCM;
        m_streamSettings.sampleRate = static_cast<uint32_t>(m_sampleRate);
        m_streamSettings.channels = static_cast<uint16_t>(m_channels);
        break;
    case kFormAdts:
        m_streamSettings.codec = MUX_CODEC_AAC;
        break;
    default:
        m_streamSettings.codec = MUX_CODEC_MPEG_AUDIO;
        break;
    }
    return S_OK;
}

HRESULT CMpegMuxInputPin::CompleteConnect(IPin* peer)
{
    HRESULT hr = CBaseInputPin::CompleteConnect(peer);
    if (FAILED(hr))
        return hr;
    if (m_kind != kNone) {
        m_filter.StreamConnected(*this);
        m_counted = true;
    }
    m_filter.OfferFreeInputPin();
    return S_OK;
}

void CMpegMuxInputPin::BreakConnect()
{
    if (m_counted) {
        m_filter.StreamDisconnected(*this);
        m_counted = false;
    }
    m_kind = kNone;
    m_form = kFormNone;
    m_streamSettings = MuxStreamSettings();
    CBaseInputPin::BreakConnect();
}

void CMpegMuxInputPin::MakeParser()
{
    m_parser.reset();
    switch (m_form) {
    case kFormMpegVideo:
        m_parser.reset(new (std::nothrow) MuxMpegVideoParser());
        break;
    case kFormH264:
        m_parser.reset(new (std::nothrow) MuxH264Parser());
        break;
    case kFormMpegAudio:
        m_parser.reset(new (std::nothrow) MuxMpegAudioParser());
        break;
    case kFormAc3:
        m_parser.reset(new (std::nothrow) MuxAc3Parser());
        break;
    case kFormAdts: {
        auto* adts = new (std::nothrow) MuxAdtsParser();
        if (adts)
            adts->SetConfiguration(m_configWord, m_configValue);
        m_parser.reset(adts);
        break;
    }
    case kFormPcm:
    case kFormLpcm: {
        auto* pcm = new (std::nothrow) MuxPcmParser();
        if (pcm)
            pcm->SetFormat(m_sampleRate, m_channels, m_form == kFormPcm);
        m_parser.reset(pcm);
        break;
    }
    case kFormNone:
        break;
    }
}

// Caller holds the state lock.
HRESULT CMpegMuxInputPin::Active()
{
    if (!IsConnected())
        return CBaseInputPin::Active();
    CCritGuard guard(m_filter.ReceiveLock());
    m_active = true;
    m_ended = false;
    MakeParser();
    if (m_parser) {
        m_parser->Reset();
        m_parser->SetOutput(m_inputBuffer);
        // Audio waits for the video only when the filter syncs and a video stream is there.
        MuxSyncClock* clock = m_filter.AudioSyncOn() ? &m_filter.SyncClock() : nullptr;
        if (m_kind == kAudio)
            static_cast<MuxAudioParser*>(m_parser.get())->SetSyncClock(clock);
        else if (m_kind == kVideo)
            static_cast<MuxVideoParser*>(m_parser.get())->SetSyncClock(m_filter.IsFirstVideoPin(*this) ? clock : nullptr);
    }
    return CBaseInputPin::Active();
}

// Caller holds the state lock.
HRESULT CMpegMuxInputPin::Inactive()
{
    HRESULT hr;
    {
        CCritGuard guard(m_filter.ReceiveLock());
        m_active = false;
        hr = CBaseInputPin::Inactive();
        m_parser.reset();
    }
    return hr;
}

void CMpegMuxInputPin::SetInputBuffer(MuxBufStream* buffer)
{
    m_inputBuffer = buffer;
    if (m_parser)
        m_parser->SetOutput(buffer);
}

STDMETHODIMP CMpegMuxInputPin::ReceiveCanBlock()
{
    return S_FALSE;
}

STDMETHODIMP CMpegMuxInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly)
{
    if (!allocator)
        return E_FAIL;
    return CBaseInputPin::NotifyAllocator(allocator, readOnly);
}

// A sample longer than half the buffer could never see twice its length free: it waits
// only for its own length. Nor does it wait for room that cannot come: a unit still open
// (a damaged stream's that never ends) keeps its bytes, and the parser then refuses the
// sample that does not fit.
void CMpegMuxInputPin::AwaitRoom(int bytes)
{
    const LONGLONG size = static_cast<LONGLONG>(m_streamSettings.bufferSize);
    int wanted = size / 2 > bytes ? 2 * bytes + 1 : bytes;
    while (m_filter.State() == State_Running) {
        {
            CCritGuard guard(m_filter.ReceiveLock());
            if (!m_inputBuffer || m_inputBuffer->freeSpace(m_inputBuffer) >= wanted)
                return;
            if (m_parser && size - m_parser->PendingBytes() < wanted)
                return;
        }
        Sleep(kWaitMs);
    }
}

STDMETHODIMP CMpegMuxInputPin::Receive(IMediaSample* sample)
{
    if (!sample)
        return E_POINTER;
    if (!m_active || m_filter.OutputFailed())
        return S_OK;
    if (!m_inputBuffer)
        return E_FAIL;
    long bytes = sample->GetActualDataLength();
    if (bytes <= 0)
        return S_OK;
    if (sample->IsDiscontinuity() == S_OK && m_filter.SyncAudioFlag()) {
        CCritGuard guard(m_filter.ReceiveLock());
        if (m_parser)
            m_parser->Discontinuity();
    }
    AM_MEDIA_TYPE* changed = nullptr;
    if (sample->GetMediaType(&changed) == S_OK && changed)
        CAmMediaType::Delete(changed);
    m_bytesReceived += static_cast<ULONGLONG>(bytes);
    REFERENCE_TIME start = 0, stop = 0;
    m_sampleStart = SUCCEEDED(sample->GetTime(&start, &stop)) ? start : 0;

    AwaitRoom(bytes);

    CCritGuard guard(m_filter.ReceiveLock());
    HRESULT hr = CheckStreaming();
    if (hr != S_OK)
        return hr;
    return OnReceive(sample);
}

// Caller holds the receive lock; the sample passed the base pin's checks.
HRESULT CMpegMuxInputPin::OnReceive(IMediaSample* sample)
{
    if (m_kind == kNone)
        return E_UNEXPECTED;
    if (!m_active || !m_inputBuffer || !m_parser)
        return m_active ? E_FAIL : S_OK;
    BYTE* data = nullptr;
    HRESULT hr = sample->GetPointer(&data);
    if (FAILED(hr))
        return hr;
    return m_parser->Parse(data, sample->GetActualDataLength(), m_sampleStart);
}

STDMETHODIMP CMpegMuxInputPin::EndOfStream()
{
    CBaseInputPin::EndOfStream();
    return S_OK;
}

HRESULT CMpegMuxInputPin::OnEndOfStream()
{
    CCritGuard guard(m_filter.StateLock());
    if (m_filter.State() != State_Running || m_ended)
        return S_OK;
    {
        CCritGuard receive(m_filter.ReceiveLock());
        if (m_inputBuffer && m_parser && !m_parser->Ended())
            m_parser->EndOfStream();
        m_ended = true;
        if (m_inputBuffer)
            m_inputBuffer->auxInfo(m_inputBuffer, 0, MUX_AUX_END_OF_STREAM, nullptr, 0);
    }
    m_filter.InputEnded();
    return S_OK;
}

// A flush goes on downstream once: from the video stream, or from any stream when there
// is no video.
bool CMpegMuxInputPin::PassesFlushOn() const
{
    return m_kind == kVideo || m_filter.ConnectedStreams(kVideo) == 0;
}

HRESULT CMpegMuxInputPin::OnBeginFlush()
{
    CMpegMuxOutputPin* output = m_filter.OutputPin();
    if (PassesFlushOn() && output && output->IsConnected())
        return output->DeliverBeginFlush();
    return S_OK;
}

HRESULT CMpegMuxInputPin::OnEndFlush()
{
    CMpegMuxOutputPin* output = m_filter.OutputPin();
    if (PassesFlushOn() && output && output->IsConnected())
        return output->DeliverEndFlush();
    return S_OK;
}

IMediaSeeking* CMpegMuxInputPin::Seeking()
{
    if (!m_seeking)
        m_seeking.reset(new (std::nothrow) CSeekingPassThrough(*m_filter.ControllingUnknown(), *this));
    return m_seeking.get();
}

IMediaPosition* CMpegMuxInputPin::Position()
{
    if (!m_position && Seeking())
        m_position.reset(new (std::nothrow) CPositionPassThrough(*m_filter.ControllingUnknown(), *m_seeking));
    return m_position.get();
}
