#pragma once

#include "BaseInputPin.h"
#include "muxlib.h"

class CMpegMuxFilter;

// One elementary stream into the multiplexer, named "Input%d" from its 1-based number.
// It accepts the pairs of MuxInputMediaTypes and offers them in that order.
class CMpegMuxInputPin : public CBaseInputPin
{
public:
    enum Kind { kNone = 0, kAudio = 1, kVideo = 2 };

    CMpegMuxInputPin(CMpegMuxFilter& filter, int number);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;

    int Number() const { return m_number; }
    Kind StreamKind() const { return m_kind; }
    // The writing face of the pin's input buffer while the output is open, else null.
    MuxBufStream* InputBuffer() const { return m_inputBuffer; }
    // Set by the filter as it opens and closes its output, under the state lock.
    void SetInputBuffer(MuxBufStream* buffer) { m_inputBuffer = buffer; }
    // What the engine is told of the stream; its buffer size sizes the input buffer.
    const MuxStreamSettings& StreamSettings() const { return m_streamSettings; }

protected:
    HRESULT OnReceive(IMediaSample* sample) override;

private:
    const int m_number;
    Kind m_kind = kNone;
    MuxBufStream* m_inputBuffer = nullptr;
    MuxStreamSettings m_streamSettings = {};
};
