// The multiplexing library through its import library, as Gantrix links it: exports by
// ordinal only, the services an engine asks for, and the defaults of every preset.
#include "muxlib.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> g_asked;
int g_freed = 0;

void CountedFree(void* memory)
{
    ++g_freed;
    free(memory);
}

// Gives only the allocator, as a caller without printers would.
void* AllocatorOnly(const char* name)
{
    g_asked.push_back(name);
    if (strcmp(name, "malloc") == 0)
        return reinterpret_cast<void*>(&malloc);
    if (strcmp(name, "free") == 0)
        return reinterpret_cast<void*>(&CountedFree);
    return nullptr;
}

void* Nothing(const char*)
{
    return nullptr;
}

TEST(BrevalonTest, EntryPointsAreExportedByOrdinalOnly)
{
    HMODULE library = GetModuleHandleA("brevalon.dll");
    ASSERT_NE(nullptr, library);
    for (WORD ordinal : {1, 2, 6, 7, 13, 15})
        EXPECT_NE(nullptr, GetProcAddress(library, MAKEINTRESOURCEA(ordinal))) << "ordinal " << ordinal;
    for (const char* name : {"MuxLibDefaults", "MuxLibCreate", "MuxLibInit", "MuxLibAddStream", "MuxLibFinish",
                             "MuxLibFree"})
        EXPECT_EQ(nullptr, GetProcAddress(library, name)) << name;
}

TEST(BrevalonTest, EngineAsksForItsSixServicesAndToleratesMissingPrinters)
{
    MuxSettings settings;
    ASSERT_EQ(0, MuxLibDefaults(&settings, MUX_PRESET_MPEG2));
    g_asked.clear();
    g_freed = 0;
    MuxHandle engine = MuxLibCreate(AllocatorOnly, &settings);
    ASSERT_NE(nullptr, engine);
    const std::vector<std::string> kServices = {"malloc", "free", "err_printf", "prg_printf", "wrn_printf",
                                                "inf_printf"};
    EXPECT_EQ(kServices, g_asked);

    MuxOptions options = {};
    MuxBufStream writer = {};
    MuxBufStream input = {};
    MuxStreamSettings stream = {};
    stream.streamKind = MUX_STREAM_VIDEO;
    EXPECT_EQ(0, MuxLibInit(engine, &options, &writer));
    EXPECT_EQ(0, MuxLibAddStream(engine, &stream, &input));
    EXPECT_EQ(0, MuxLibFinish(engine, 0));
    MuxLibFree(engine);
    EXPECT_EQ(1, g_freed) << "the engine goes back through the caller's free";

    EXPECT_EQ(nullptr, MuxLibCreate(Nothing, &settings)) << "no allocator, no engine";
    EXPECT_EQ(nullptr, MuxLibCreate(AllocatorOnly, nullptr));
}

TEST(BrevalonTest, DefaultsFillEveryPresetAndLeaveUnknownOnesAlone)
{
    // preset id, output stream, pack or packet size
    const struct { int preset; uint32_t kind; uint32_t pack; } kRows[] = {
        {0, MUX_OUTPUT_MPEG1_SYSTEM, 2048},    {1, MUX_OUTPUT_MPEG1_SYSTEM, 2324},
        {2, MUX_OUTPUT_MPEG2_PROGRAM, 2048},   {3, MUX_OUTPUT_MPEG2_PROGRAM, 2324},
        {4, MUX_OUTPUT_MPEG2_PROGRAM, 2048},   {13, MUX_OUTPUT_MPEG2_PROGRAM, 2048},
        {5, MUX_OUTPUT_MPEG2_TRANSPORT, 188},  {8, MUX_OUTPUT_MPEG2_TRANSPORT, 188},
        {9, MUX_OUTPUT_MPEG2_TRANSPORT, 188},  {10, MUX_OUTPUT_MPEG2_TRANSPORT, 188},
        {11, MUX_OUTPUT_MPEG2_TRANSPORT, 188}, {12, MUX_OUTPUT_MPEG2_TRANSPORT, 188},
        {18, MUX_OUTPUT_MPEG2_TRANSPORT, 188}, {19, MUX_OUTPUT_MPEG2_TRANSPORT, 188},
    };
    for (const auto& row : kRows) {
        MuxSettings settings;
        memset(&settings, 0xCD, sizeof(settings));
        ASSERT_EQ(0, MuxLibDefaults(&settings, row.preset)) << "preset " << row.preset;
        EXPECT_EQ(108u, settings.size) << "preset " << row.preset;
        EXPECT_EQ(static_cast<uint32_t>(row.preset), settings.muxType) << "preset " << row.preset;
        EXPECT_EQ(row.kind, settings.outputKind) << "preset " << row.preset;
        EXPECT_EQ(row.pack, settings.packSize) << "preset " << row.preset;
        EXPECT_EQ(0u, settings.segmentSizeMb) << "preset " << row.preset;
    }
    for (int unknown : {-1, 6, 7, 14, 15, 16, 17, 20}) {
        MuxSettings settings;
        memset(&settings, 0xCD, sizeof(settings));
        EXPECT_NE(0, MuxLibDefaults(&settings, unknown)) << "preset " << unknown;
        EXPECT_EQ(0xCDCDCDCDu, settings.muxType) << "preset " << unknown;
        EXPECT_EQ(0xCDCDCDCDu, settings.size) << "preset " << unknown;
    }
    EXPECT_NE(0, MuxLibDefaults(nullptr, MUX_PRESET_MPEG2));
}

} // namespace
