#pragma once

#include "BaseInputPin.h"
#include "MuxStreamParser.h"
#include "PositionPassThrough.h"
#include "SeekingPassThrough.h"
#include "muxlib.h"

#include <memory>

class CMpegMuxFilter;

// One elementary stream into the multiplexer, named "Input%d" from its 1-based number.
// It accepts the pairs of MuxInputMediaTypes and offers them in that order; at connection
// it learns whether it carries video or audio, checks the format, and sets its stream
// settings. While the filter runs, each sample goes to the parser of its form, which fills
// the input buffer the engine reads.
//
// The pin counts its own references: the filter holds one from creation until it empties
// its pin list. Every other holder (the graph, a peer, the application) also holds the
// filter, so a pin held from outside never outlives its filter.
class CMpegMuxInputPin : public CBaseInputPin
{
public:
    enum Kind { kNone = 0, kAudio = 1, kVideo = 2 };
    enum { kVideoBufferSize = 0x400000, kAudioBufferSize = 0x200000, kMaxStreamsOfAKind = 9 };

    CMpegMuxInputPin(CMpegMuxFilter& filter, int number);

    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // The filter gives up its own reference as it goes.
    void ReleaseFromFilter();

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveCanBlock() override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP EndOfStream() override;

    int Number() const { return m_number; }
    Kind StreamKind() const { return m_kind; }
    // The writing face of the pin's input buffer while the output is open, else null.
    MuxBufStream* InputBuffer() const { return m_inputBuffer; }
    // Set by the filter as it opens and closes its output, under its receive lock.
    void SetInputBuffer(MuxBufStream* buffer);
    // What the engine is told of the stream; its buffer size sizes the input buffer.
    const MuxStreamSettings& StreamSettings() const { return m_streamSettings; }
    ULONGLONG BytesReceived() const { return m_bytesReceived; }
    bool Ended() const { return m_ended; }

    // The position interfaces the filter answers with, over this pin's upstream pin.
    IMediaSeeking* Seeking();
    IMediaPosition* Position();

protected:
    HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;
    HRESULT OnReceive(IMediaSample* sample) override;
    HRESULT OnEndOfStream() override;
    HRESULT OnBeginFlush() override;
    HRESULT OnEndFlush() override;

private:
    ~CMpegMuxInputPin() override;

    enum Form { kFormNone, kFormMpegVideo, kFormH264, kFormMpegAudio, kFormAc3, kFormPcm, kFormLpcm, kFormAdts };

    HRESULT ClassifyVideo(const AM_MEDIA_TYPE& type);
    HRESULT ClassifyAudio(const AM_MEDIA_TYPE& type, Form form);
    void MakeParser();
    // Waits while the filter runs and the buffer lacks room for the sample.
    void AwaitRoom(int bytes);
    bool PassesFlushOn() const;

    CMpegMuxFilter& m_filter;
    const int m_number;
    LONG m_refs = 1;

    // Set while connecting, under the filter's state lock; read by the streaming thread
    // while the filter is paused or running.
    Kind m_kind = kNone;
    Form m_form = kFormNone;
    bool m_counted = false;
    MuxStreamSettings m_streamSettings = {};
    int m_sampleRate = 0;
    int m_channels = 0;
    uint16_t m_configWord = 0;
    uint32_t m_configValue = 0;

    // Made on first use, under the filter's state lock; they live as long as the pin.
    std::unique_ptr<CSeekingPassThrough> m_seeking;
    std::unique_ptr<CPositionPassThrough> m_position;

    // Set by Active and cleared by Inactive under the state lock; the parser and the buffer
    // are used under the filter's receive lock.
    volatile bool m_active = false;
    MuxBufStream* m_inputBuffer = nullptr;
    std::unique_ptr<MuxStreamParser> m_parser;
    volatile bool m_ended = false;
    ULONGLONG m_bytesReceived = 0;
    LONGLONG m_sampleStart = 0;
};
