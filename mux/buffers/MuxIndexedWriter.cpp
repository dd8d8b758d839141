#include "MuxIndexedWriter.h"

#include <string.h>

#include <new>

MuxIndexedWriter* MuxIndexedWriter::Create(MuxBufStream* main, MuxBufStream* videoTarget,
                                           MuxBufStream* audioTarget, MuxPrintService printError)
{
    if (!main) {
        if (printError)
            printError("No main stream buffer .");
        return nullptr;
    }
    auto* writer = new (std::nothrow) MuxIndexedWriter(main);
    if (!writer) {
        if (printError)
            printError("Unable to allocate memory for open_bufstream_write_with_index.");
        return nullptr;
    }
    writer->m_video = {videoTarget, MUX_AUX_VIDEO_INDEX, kVideoRecordSize, kVideoRecords};
    writer->m_audio = {audioTarget, MUX_AUX_AUDIO_INDEX, kAudioRecordSize, kAudioRecords};
    writer->m_video.records = new (std::nothrow) uint8_t[kVideoRecords * kVideoRecordSize];
    if (!writer->m_video.records) {
        if (printError)
            printError("Unable to allocate memory for vau buffer");
        delete writer;
        return nullptr;
    }
    writer->m_audio.records = new (std::nothrow) uint8_t[kAudioRecords * kAudioRecordSize];
    if (!writer->m_audio.records) {
        if (printError)
            printError("Unable to allocate memory for aau buffer");
        delete writer;
        return nullptr;
    }
    return writer;
}

MuxIndexedWriter::MuxIndexedWriter(MuxBufStream* main)
    : m_stream{FreeSpace, Request, Confirm, Copy, ChunkSize, AuxInfo, Split, Close, Free, this}, m_main(main)
{
}

MuxIndexedWriter::~MuxIndexedWriter()
{
    delete[] m_video.records;
    delete[] m_audio.records;
}

int MuxIndexedWriter::SendTo(MuxBufStream* target, int offset, uint32_t command, void* data, int length)
{
    return target ? target->auxInfo(target, offset, command, data, length) : 0;
}

void MuxIndexedWriter::Queue::WriteOldest()
{
    uint8_t* record = At(0);
    if (target) {
        target->copy(target, record, recordSize);
        target->auxInfo(target, 0, command, record, recordSize);
    }
    head = (head + 1) % capacity;
    --count;
}

void MuxIndexedWriter::Queue::WriteAll()
{
    while (count > 0)
        WriteOldest();
    head = 0;
}

void MuxIndexedWriter::AddRecord(Queue& queue, const void* data, int length)
{
    if (!queue.target || !queue.records || !data || length < queue.recordSize)
        return;
    if (queue.count == queue.capacity)
        queue.WriteOldest();
    memcpy(queue.At(queue.count), data, queue.recordSize);
    ++queue.count;
    WriteAccepted(queue);
}

void MuxIndexedWriter::WriteAccepted(Queue& queue)
{
    uint64_t accepted = 0;
    m_main->auxInfo(m_main, 0, MUX_AUX_BYTES_ACCEPTED, &accepted, sizeof(accepted));
    while (queue.count > 0) {
        uint64_t position;
        memcpy(&position, queue.At(0), sizeof(position));
        if (position >= accepted)
            break;
        queue.WriteOldest();
    }
}

int MuxIndexedWriter::AuxInfo(MuxBufStream* stream, int offset, uint32_t command, void* data, int length)
{
    MuxIndexedWriter* writer = Of(stream);
    switch (command) {
    case MUX_AUX_INDEX_RESET:
        writer->m_main->auxInfo(writer->m_main, offset, command, data, length);
        SendTo(writer->m_video.target, offset, command, data, length);
        SendTo(writer->m_audio.target, offset, command, data, length);
        return 0;
    case MUX_AUX_SPLIT:
        writer->m_video.WriteAll();
        writer->m_audio.WriteAll();
        SendTo(writer->m_video.target, offset, command, data, length);
        SendTo(writer->m_audio.target, offset, command, data, length);
        // The main output splits last, behind the records that point into its old file.
        return writer->m_main->auxInfo(writer->m_main, offset, command, data, length);
    case MUX_AUX_VIDEO_INDEX_HEADER:
    case MUX_AUX_AUDIO_INDEX_HEADER: {
        MuxBufStream* target =
            command == MUX_AUX_VIDEO_INDEX_HEADER ? writer->m_video.target : writer->m_audio.target;
        if (target && data && length > 0)
            target->copy(target, static_cast<uint8_t*>(data), length);
        return SendTo(target, offset, command, data, length);
    }
    case MUX_AUX_VIDEO_INDEX:
        writer->AddRecord(writer->m_video, data, length);
        return 0;
    case MUX_AUX_AUDIO_INDEX:
        writer->AddRecord(writer->m_audio, data, length);
        return 0;
    }
    return writer->m_main->auxInfo(writer->m_main, offset, command, data, length);
}

int MuxIndexedWriter::FreeSpace(MuxBufStream* stream)
{
    MuxBufStream* main = Of(stream)->m_main;
    return main->freeSpace(main);
}

uint8_t* MuxIndexedWriter::Request(MuxBufStream* stream, int bytes)
{
    MuxBufStream* main = Of(stream)->m_main;
    return main->request(main, bytes);
}

int MuxIndexedWriter::Confirm(MuxBufStream* stream, int bytes)
{
    MuxBufStream* main = Of(stream)->m_main;
    return main->confirm(main, bytes);
}

int MuxIndexedWriter::Copy(MuxBufStream* stream, uint8_t* data, int bytes)
{
    MuxBufStream* main = Of(stream)->m_main;
    return main->copy(main, data, bytes);
}

int MuxIndexedWriter::ChunkSize(MuxBufStream* stream)
{
    MuxBufStream* main = Of(stream)->m_main;
    return main->chunkSize(main);
}

int MuxIndexedWriter::Split(MuxBufStream* stream)
{
    MuxBufStream* main = Of(stream)->m_main;
    return main->split(main);
}

int MuxIndexedWriter::Close(MuxBufStream* stream, int abort)
{
    MuxIndexedWriter* writer = Of(stream);
    if (!abort) {
        writer->m_video.WriteAll();
        writer->m_audio.WriteAll();
    }
    writer->m_video.count = writer->m_audio.count = 0;
    return 0;
}

void MuxIndexedWriter::Free(MuxBufStream* stream)
{
    delete Of(stream);
}
