// The multiplexing library answering from HKLM\Software\Sim\brevalon. "Script" is a list of
// steps, separated by commas or blanks, that MuxLibFinish(engine, 0) carries out on the
// writer it was given, stopping at the first one that fails:
//   a number    that many bytes, copied in pieces of the writer's chunk size;
//   S           a split (the auxiliary command 0x000F0040);
//   V, A        a video or audio index record naming the writer's accepted count.
// "FinishResult" is what MuxLibFinish returns. Nothing is written at an abort.
#include "CSimLog.h"
#include "CSimSwitches.h"
#include "MuxPresetDefaults.h"
#include "muxlib.h"

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

struct MuxEngine
{
    MuxBufStream* writer = nullptr;
    uint64_t written = 0;
};

namespace
{

bool WriteBytes(MuxEngine* engine, uint64_t count)
{
    MuxBufStream* writer = engine->writer;
    int chunk = writer->chunkSize(writer);
    if (chunk <= 0)
        chunk = 4096;
    std::vector<uint8_t> piece(chunk);
    while (count > 0) {
        int bytes = count < static_cast<uint64_t>(chunk) ? static_cast<int>(count) : chunk;
        for (int i = 0; i < bytes; ++i)
            piece[i] = static_cast<uint8_t>(engine->written + i);
        if (writer->copy(writer, piece.data(), bytes) != bytes)
            return false;
        engine->written += bytes;
        count -= bytes;
    }
    return true;
}

bool SendIndex(MuxEngine* engine, uint32_t command, int size)
{
    MuxBufStream* writer = engine->writer;
    uint64_t accepted = 0;
    writer->auxInfo(writer, 0, MUX_AUX_BYTES_ACCEPTED, &accepted, sizeof(accepted));
    uint8_t record[32] = {};
    memcpy(record, &accepted, sizeof(accepted));
    return writer->auxInfo(writer, 0, command, record, size) == 0;
}

void RunScript(MuxEngine* engine, const std::string& script, CSimLog& log)
{
    const char* p = script.c_str();
    while (*p) {
        while (*p == ',' || *p == ' ')
            ++p;
        if (!*p)
            break;
        bool ok = true;
        if (*p == 'S') {
            ok = engine->writer->auxInfo(engine->writer, 0, MUX_AUX_SPLIT, nullptr, 0) == 0;
            ++p;
        } else if (*p == 'V' || *p == 'A') {
            ok = *p == 'V' ? SendIndex(engine, MUX_AUX_VIDEO_INDEX, 32) : SendIndex(engine, MUX_AUX_AUDIO_INDEX, 20);
            ++p;
        } else {
            char* end = nullptr;
            unsigned long long count = strtoull(p, &end, 10);
            if (end == p)
                break;
            p = end;
            ok = WriteBytes(engine, count);
        }
        if (!ok) {
            log.Line("script stopped by the writer");
            return;
        }
    }
}

} // namespace

extern "C" {

int MuxLibDefaults(MuxSettings* settings, int preset)
{
    if (!settings || !MuxFillPresetDefaults(preset, settings))
        return -1;
    return 0;
}

MuxHandle MuxLibCreate(MuxServiceResolver resolver, const MuxSettings* settings)
{
    if (!resolver || !settings)
        return nullptr;
    return new MuxEngine();
}

int MuxLibInit(MuxHandle engine, const MuxOptions* options, MuxBufStream* writer)
{
    if (!engine || !options || !writer)
        return -1;
    engine->writer = writer;
    return 0;
}

int MuxLibAddStream(MuxHandle engine, const MuxStreamSettings* stream, MuxBufStream* input)
{
    return engine && engine->writer && stream && input ? 0 : -1;
}

int MuxLibFinish(MuxHandle engine, int abort)
{
    if (!engine)
        return -1;
    CSimSwitches switches("brevalon");
    if (!abort && engine->writer) {
        CSimLog log("brevalon", switches.TraceLevel());
        RunScript(engine, switches.Text("Script", ""), log);
    }
    engine->writer = nullptr;
    return static_cast<int>(switches.Dword("FinishResult", 0));
}

void MuxLibFree(MuxHandle engine)
{
    delete engine;
}

} // extern "C"
