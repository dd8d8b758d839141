// The library's entry points. An engine keeps the caller's services and settings; the
// streams it is given are taken as they come until the multiplexer behind them arrives.
#include "MuxPresetDefaults.h"
#include "muxlib.h"

#include <string.h>

struct MuxEngine
{
    MuxMallocService allocate;
    MuxFreeService release;
    MuxPrintService printError;
    MuxProgressService printProgress;
    MuxPrintService printWarning;
    MuxPrintService printInfo;
    MuxSettings settings;
    // Weak: the caller owns its buffer streams until MuxLibFinish.
    MuxBufStream* writer;
    int streams;
};

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
    auto* engine = static_cast<MuxEngine*>(allocate(sizeof(MuxEngine)));
    if (!engine)
        return nullptr;
    memset(engine, 0, sizeof(*engine));
    engine->allocate = allocate;
    engine->release = release;
    engine->printError = reinterpret_cast<MuxPrintService>(resolver("err_printf"));
    engine->printProgress = reinterpret_cast<MuxProgressService>(resolver("prg_printf"));
    engine->printWarning = reinterpret_cast<MuxPrintService>(resolver("wrn_printf"));
    engine->printInfo = reinterpret_cast<MuxPrintService>(resolver("inf_printf"));
    engine->settings = *settings;
    return engine;
}

int MuxLibInit(MuxHandle engine, const MuxOptions* options, MuxBufStream* writer)
{
    if (!engine || !options || !writer)
        return -1;
    engine->writer = writer;
    engine->streams = 0;
    return 0;
}

int MuxLibAddStream(MuxHandle engine, const MuxStreamSettings* stream, MuxBufStream* input)
{
    if (!engine || !engine->writer || !stream || !input)
        return -1;
    ++engine->streams;
    return 0;
}

int MuxLibFinish(MuxHandle engine, int abort)
{
    if (!engine)
        return -1;
    engine->writer = nullptr;
    engine->streams = 0;
    return 0;
}

void MuxLibFree(MuxHandle engine)
{
    if (engine)
        engine->release(engine);
}

} // extern "C"
