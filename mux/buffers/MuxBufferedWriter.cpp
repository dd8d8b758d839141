#include "MuxBufferedWriter.h"

#include <string.h>

#include <new>

MuxBufferedWriter* MuxBufferedWriter::Create(const MuxWriterCallbacks& callbacks, void* context, int size,
                                             MuxPrintService printError)
{
    auto* writer = new (std::nothrow) MuxBufferedWriter(callbacks, context, size);
    if (!writer) {
        if (printError)
            printError("Unable to allocate memory for deliver buffer.");
        return nullptr;
    }
    writer->m_buffer = size > 0 ? new (std::nothrow) uint8_t[size] : nullptr;
    if (!writer->m_buffer) {
        if (printError)
            printError("Unable to allocate memory for bitstream buffer=%d", size);
        delete writer;
        return nullptr;
    }
    return writer;
}

MuxBufferedWriter::MuxBufferedWriter(const MuxWriterCallbacks& callbacks, void* context, int size)
    : m_stream{FreeSpace, Request, Confirm, Copy, ChunkSize, AuxInfo, Split, Close, Free, this},
      m_callbacks(callbacks), m_context(context), m_size(size)
{
}

MuxBufferedWriter::~MuxBufferedWriter()
{
    delete[] m_buffer;
}

// Empties the buffer into the write callback; it is reset only when that succeeded.
int MuxBufferedWriter::Flush()
{
    if (m_used > 0) {
        int result = m_callbacks.write(m_context, m_buffer, m_used);
        if (result != 0)
            return result;
    }
    m_used = 0;
    return 0;
}

int MuxBufferedWriter::FreeSpace(MuxBufStream* stream)
{
    MuxBufferedWriter* writer = Of(stream);
    return writer->m_size - writer->m_used;
}

uint8_t* MuxBufferedWriter::Request(MuxBufStream* stream, int bytes)
{
    MuxBufferedWriter* writer = Of(stream);
    if (!writer->m_buffer || bytes < 0 || bytes > writer->m_size)
        return nullptr;
    if (bytes > writer->m_size - writer->m_used && writer->Flush() != 0)
        return nullptr;
    return writer->m_buffer + writer->m_used;
}

int MuxBufferedWriter::Confirm(MuxBufStream* stream, int bytes)
{
    MuxBufferedWriter* writer = Of(stream);
    if (bytes < 0 || bytes > writer->m_size - writer->m_used)
        return -1;
    writer->m_used += bytes;
    writer->m_accepted += static_cast<uint64_t>(bytes);
    return 0;
}

int MuxBufferedWriter::Copy(MuxBufStream* stream, uint8_t* data, int bytes)
{
    MuxBufferedWriter* writer = Of(stream);
    if (bytes <= 0)
        return 0;
    if (bytes > writer->m_size) {
        int result = writer->Flush();
        if (result == 0)
            result = writer->m_callbacks.write(writer->m_context, data, bytes);
        if (result != 0)
            return 0;
        writer->m_accepted += static_cast<uint64_t>(bytes);
        return bytes;
    }
    uint8_t* target = Request(stream, bytes);
    if (!target)
        return 0;
    memcpy(target, data, bytes);
    Confirm(stream, bytes);
    return bytes;
}

int MuxBufferedWriter::ChunkSize(MuxBufStream* stream)
{
    return Of(stream)->m_size / 4;
}

int MuxBufferedWriter::AuxInfo(MuxBufStream* stream, int, uint32_t command, void* data, int length)
{
    if (command == MUX_AUX_BYTES_ACCEPTED && data && length >= 8) {
        uint64_t accepted = Of(stream)->m_accepted;
        memcpy(data, &accepted, sizeof(accepted));
        return 0;
    }
    if (command == MUX_AUX_SPLIT)
        return Split(stream);
    return 0;
}

int MuxBufferedWriter::Split(MuxBufStream* stream)
{
    MuxBufferedWriter* writer = Of(stream);
    if (!writer->m_callbacks.nextFile)
        return 0;
    int result = writer->Flush();
    if (result != 0)
        return result;
    return writer->m_callbacks.nextFile(writer->m_context);
}

// The bytes go out whatever the abort flag says: they are the file's already.
int MuxBufferedWriter::Close(MuxBufStream* stream, int)
{
    MuxBufferedWriter* writer = Of(stream);
    int result = writer->m_buffer ? writer->Flush() : 0;
    if (writer->m_callbacks.end)
        writer->m_callbacks.end(writer->m_context);
    delete[] writer->m_buffer;
    writer->m_buffer = nullptr;
    writer->m_used = 0;
    return result;
}

void MuxBufferedWriter::Free(MuxBufStream* stream)
{
    delete Of(stream);
}
