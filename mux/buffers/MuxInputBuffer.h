#pragma once

#include "MuxRingBuffer.h"
#include "muxlib.h"

// An input pin's buffer: one ring with a writing face for the pin's parser and a reading
// face for the engine. The engine may put its own handler in the reading face's auxInfo;
// an auxiliary call on the writing face reaches that handler, with the reading face as its
// stream, which is how the parser's commands reach the engine.
class MuxInputBuffer
{
public:
    enum { kChunkSize = 4096 };

    // Null when the ring cannot be had.
    static MuxInputBuffer* Create(int capacity);

    MuxBufStream* Writer() { return &m_writer; }
    MuxBufStream* Reader() { return &m_reader; }
    MuxRingBuffer& Ring() { return m_ring; }

private:
    MuxInputBuffer();

    static MuxInputBuffer* Of(MuxBufStream* stream) { return static_cast<MuxInputBuffer*>(stream->state); }

    static int WriterFree(MuxBufStream* stream);
    static uint8_t* WriterRequest(MuxBufStream* stream, int bytes);
    static int WriterConfirm(MuxBufStream* stream, int bytes);
    static int WriterCopy(MuxBufStream* stream, uint8_t* data, int bytes);
    static int WriterAux(MuxBufStream* stream, int offset, uint32_t command, void* data, int length);
    static int ReaderUsed(MuxBufStream* stream);
    static uint8_t* ReaderRequest(MuxBufStream* stream, int bytes);
    static int ReaderConfirm(MuxBufStream* stream, int bytes);
    static int ReaderCopy(MuxBufStream* stream, uint8_t* data, int bytes);
    static int ReaderAux(MuxBufStream* stream, int offset, uint32_t command, void* data, int length);
    static int ChunkSize(MuxBufStream* stream);
    static int Nothing(MuxBufStream* stream);
    static int CloseNothing(MuxBufStream* stream, int abort);
    static void FreeNothing(MuxBufStream* stream);

    MuxRingBuffer m_ring;
    MuxBufStream m_writer;
    MuxBufStream m_reader;
};
