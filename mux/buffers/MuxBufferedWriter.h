#pragma once

#include "muxlib.h"

#include <stdint.h>

// Where a writer's bytes go: the filter's file, side-file or pin callbacks. A non-zero
// result of write or next file is a failure. End and next file may be absent.
struct MuxWriterCallbacks
{
    int (*write)(void* context, const uint8_t* data, int bytes);
    void (*end)(void* context);
    int (*nextFile)(void* context);
};

// The engine's output: a linear buffer emptied into the write callback whenever the next
// request does not fit, at a split and at close. It counts every byte it accepted, which
// the indexed writer asks for before it lets an index record out.
class MuxBufferedWriter
{
public:
    // Null, reported through the printer, when the memory cannot be had.
    static MuxBufferedWriter* Create(const MuxWriterCallbacks& callbacks, void* context, int size,
                                     MuxPrintService printError);

    MuxBufStream* Stream() { return &m_stream; }
    uint64_t Accepted() const { return m_accepted; }

private:
    MuxBufferedWriter(const MuxWriterCallbacks& callbacks, void* context, int size);
    ~MuxBufferedWriter();

    static MuxBufferedWriter* Of(MuxBufStream* stream) { return static_cast<MuxBufferedWriter*>(stream->state); }
    int Flush();

    static int FreeSpace(MuxBufStream* stream);
    static uint8_t* Request(MuxBufStream* stream, int bytes);
    static int Confirm(MuxBufStream* stream, int bytes);
    static int Copy(MuxBufStream* stream, uint8_t* data, int bytes);
    static int ChunkSize(MuxBufStream* stream);
    static int AuxInfo(MuxBufStream* stream, int offset, uint32_t command, void* data, int length);
    static int Split(MuxBufStream* stream);
    static int Close(MuxBufStream* stream, int abort);
    static void Free(MuxBufStream* stream);

    MuxBufStream m_stream;
    MuxWriterCallbacks m_callbacks;
    void* m_context;
    uint8_t* m_buffer = nullptr;
    int m_size;
    int m_used = 0;
    uint64_t m_accepted = 0;
};
