// The library's entry points. An engine lives in memory from the caller's allocator and goes
// back through the caller's free.
#include "MuxEngine.h"
#include "MuxPresetDefaults.h"
#include "muxlib.h"

#include <new>

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
    auto allocate = reinterpret_cast<MuxMallocService>(resolver("malloc"));
    auto release = reinterpret_cast<MuxFreeService>(resolver("free"));
    if (!allocate || !release)
        return nullptr;
    void* memory = allocate(sizeof(MuxEngine));
    if (!memory)
        return nullptr;
    auto* engine = new (memory) MuxEngine(allocate, release, *settings);
    engine->printError = reinterpret_cast<MuxPrintService>(resolver("err_printf"));
    engine->printProgress = reinterpret_cast<MuxProgressService>(resolver("prg_printf"));
    engine->printWarning = reinterpret_cast<MuxPrintService>(resolver("wrn_printf"));
    engine->printInfo = reinterpret_cast<MuxPrintService>(resolver("inf_printf"));
    return engine;
}

int MuxLibInit(MuxHandle engine, const MuxOptions* options, MuxBufStream* writer)
{
    if (!engine || !options || !writer)
        return -1;
    return engine->Init(writer);
}

int MuxLibAddStream(MuxHandle engine, const MuxStreamSettings* stream, MuxBufStream* input)
{
    if (!engine || !stream || !input)
        return -1;
    return engine->AddStream(*stream, input);
}

int MuxLibFinish(MuxHandle engine, int abort)
{
    if (!engine)
        return -1;
    return engine->Finish(abort);
}

void MuxLibFree(MuxHandle engine)
{
    if (!engine)
        return;
    MuxFreeService release = engine->release;
    engine->~MuxEngine();
    release(engine);
}

} // extern "C"
