#include "MuxInputBuffer.h"

#include <new>

MuxInputBuffer* MuxInputBuffer::Create(int capacity)
{
    auto* buffer = new (std::nothrow) MuxInputBuffer();
    if (buffer && !buffer->m_ring.Allocate(capacity)) {
        delete buffer;
        return nullptr;
    }
    return buffer;
}

// The faces are freed with the buffer by its owner, the filter, never through the faces.
MuxInputBuffer::MuxInputBuffer()
    : m_writer{WriterFree, WriterRequest, WriterConfirm, WriterCopy, ChunkSize, WriterAux,
               Nothing, CloseNothing, FreeNothing, this},
      m_reader{ReaderUsed, ReaderRequest, ReaderConfirm, ReaderCopy, ChunkSize, ReaderAux,
               Nothing, CloseNothing, FreeNothing, this}
{
}

int MuxInputBuffer::WriterFree(MuxBufStream* stream)
{
    return Of(stream)->m_ring.FreeSpace();
}

uint8_t* MuxInputBuffer::WriterRequest(MuxBufStream* stream, int bytes)
{
    return Of(stream)->m_ring.Request(bytes);
}

int MuxInputBuffer::WriterConfirm(MuxBufStream* stream, int bytes)
{
    return Of(stream)->m_ring.Confirm(bytes);
}

int MuxInputBuffer::WriterCopy(MuxBufStream* stream, uint8_t* data, int bytes)
{
    return Of(stream)->m_ring.Copy(data, bytes);
}

int MuxInputBuffer::WriterAux(MuxBufStream* stream, int offset, uint32_t command, void* data, int length)
{
    MuxBufStream* reader = &Of(stream)->m_reader;
    return reader->auxInfo(reader, offset, command, data, length);
}

int MuxInputBuffer::ReaderUsed(MuxBufStream* stream)
{
    return Of(stream)->m_ring.UsedBytes();
}

uint8_t* MuxInputBuffer::ReaderRequest(MuxBufStream* stream, int bytes)
{
    return Of(stream)->m_ring.RequestRead(bytes);
}

int MuxInputBuffer::ReaderConfirm(MuxBufStream* stream, int bytes)
{
    return Of(stream)->m_ring.ConfirmRead(bytes);
}

int MuxInputBuffer::ReaderCopy(MuxBufStream* stream, uint8_t* data, int bytes)
{
    return Of(stream)->m_ring.CopyOut(data, bytes);
}

int MuxInputBuffer::ReaderAux(MuxBufStream*, int, uint32_t, void*, int)
{
    return 0;
}

int MuxInputBuffer::ChunkSize(MuxBufStream*)
{
    return kChunkSize;
}

int MuxInputBuffer::Nothing(MuxBufStream*)
{
    return 0;
}

int MuxInputBuffer::CloseNothing(MuxBufStream*, int)
{
    return 0;
}

void MuxInputBuffer::FreeNothing(MuxBufStream*)
{
}
