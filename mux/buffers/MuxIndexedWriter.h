#pragma once

#include "muxlib.h"

#include <stdint.h>

// Puts the engine's index records beside the main output. A record names the output
// position of its unit in its first 8 bytes and waits in its queue until the main writer
// has accepted that many bytes, so an index never points past the data written; a split or
// a normal close lets every queued record out, an abort drops them.
class MuxIndexedWriter
{
public:
    enum
    {
        kVideoRecords = 300,
        kVideoRecordSize = 32,
        kAudioRecords = 420,
        kAudioRecordSize = 20
    };

    // Null, reported through the printer, without a main writer or memory. Either target
    // may be null; its records are then dropped.
    static MuxIndexedWriter* Create(MuxBufStream* main, MuxBufStream* videoTarget, MuxBufStream* audioTarget,
                                    MuxPrintService printError);

    MuxBufStream* Stream() { return &m_stream; }
    int Queued(bool video) const { return (video ? m_video : m_audio).count; }

private:
    struct Queue
    {
        MuxBufStream* target = nullptr;
        uint32_t command = 0;
        int recordSize = 0;
        int capacity = 0;
        uint8_t* records = nullptr;
        int head = 0;
        int count = 0;

        uint8_t* At(int index) { return records + ((head + index) % capacity) * recordSize; }
        void WriteOldest();
        void WriteAll();
    };

    MuxIndexedWriter(MuxBufStream* main);
    ~MuxIndexedWriter();

    static MuxIndexedWriter* Of(MuxBufStream* stream) { return static_cast<MuxIndexedWriter*>(stream->state); }
    void AddRecord(Queue& queue, const void* data, int length);
    void WriteAccepted(Queue& queue);
    static int SendTo(MuxBufStream* target, int offset, uint32_t command, void* data, int length);

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
    // Weak: the filter owns and closes the main writer and the targets.
    MuxBufStream* m_main;
    Queue m_video;
    Queue m_audio;
};
