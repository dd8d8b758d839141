#include "MuxPresetDefaults.h"

#include <string.h>

namespace
{

enum
{
    kVideoBufferSd = 229376,  // 224 KiB, MPEG-2 main level
    kVideoBufferHd = 1212416, // 1184 KiB, MPEG-2 high level
    kAudioBuffer = 4096,
    kTsPacket = 188
};

const uint32_t kPsEnd = MUX_FLAG_END_CODE;
const uint32_t kPadEnd = MUX_FLAG_PAD_PACKS | MUX_FLAG_END_CODE;
const uint32_t kVcd = MUX_FLAG_HEADER_EVERY_PACK | MUX_FLAG_PAD_PACKS | MUX_FLAG_END_CODE;
const uint32_t kDvd = MUX_FLAG_PAD_PACKS | MUX_FLAG_END_CODE | MUX_FLAG_NAV_PACKS;

struct PresetRow
{
    int id;
    uint32_t outputKind;
    uint32_t packSize;
    uint32_t muxRate;
    uint32_t videoBuffer;
    uint32_t flags;
    uint32_t pmtPid;
    uint32_t videoPid;
    uint32_t audioPid;
    uint32_t pcrPeriodMs;
    uint32_t psiPeriodMs;
};

const PresetRow kPresets[] = {
    // id, output kind, pack size, mux rate, video buffer, flags, PMT PID, video PID, audio PID, PCR and PSI periods
    {MUX_PRESET_MPEG1, MUX_OUTPUT_MPEG1_SYSTEM, 2048, 0, kVideoBufferSd, kPsEnd, 0, 0, 0, 0, 0},
    {MUX_PRESET_VCD, MUX_OUTPUT_MPEG1_SYSTEM, 2324, 1411200, kVideoBufferSd, kVcd, 0, 0, 0, 0, 0},
    {MUX_PRESET_MPEG2, MUX_OUTPUT_MPEG2_PROGRAM, 2048, 0, kVideoBufferSd, kPsEnd, 0, 0, 0, 0, 0},
    {MUX_PRESET_SVCD, MUX_OUTPUT_MPEG2_PROGRAM, 2324, 0, kVideoBufferSd, kPadEnd, 0, 0, 0, 0, 0},
    {MUX_PRESET_DVD_MPEG2, MUX_OUTPUT_MPEG2_PROGRAM, 2048, 10080000, kVideoBufferSd, kDvd, 0, 0, 0, 0, 0},
    {MUX_PRESET_DVD_MPEG1, MUX_OUTPUT_MPEG2_PROGRAM, 2048, 10080000, kVideoBufferSd, kDvd, 0, 0, 0, 0, 0},
    {MUX_PRESET_MPEG_TS, MUX_OUTPUT_MPEG2_TRANSPORT, kTsPacket, 0, kVideoBufferSd, 0, 0x1000, 0x100, 0x101, 20, 100},
    {MUX_PRESET_DVB, MUX_OUTPUT_MPEG2_TRANSPORT, kTsPacket, 0, kVideoBufferSd, 0, 0x100, 0x200, 0x280, 40, 100},
    {MUX_PRESET_MMV, MUX_OUTPUT_MPEG2_TRANSPORT, kTsPacket, 0, kVideoBufferSd, 0, 0x1000, 0x100, 0x101, 40, 100},
    {MUX_PRESET_DVHS, MUX_OUTPUT_MPEG2_TRANSPORT, kTsPacket, 28200000, kVideoBufferHd, 0, 0x100, 0x200, 0x280, 40, 100},
    {MUX_PRESET_ATSC, MUX_OUTPUT_MPEG2_TRANSPORT, kTsPacket, 19392658, kVideoBufferHd, 0, 0x30, 0x31, 0x34, 40, 100},
    {MUX_PRESET_ATSC_HI, MUX_OUTPUT_MPEG2_TRANSPORT, kTsPacket, 38785316, kVideoBufferHd, 0, 0x30, 0x31, 0x34, 40, 100},
    {MUX_PRESET_HDV_HD1, MUX_OUTPUT_MPEG2_TRANSPORT, kTsPacket, 19700000, kVideoBufferHd, 0, 0x100, 0x810, 0x814, 40, 100},
    {MUX_PRESET_HDV_HD2, MUX_OUTPUT_MPEG2_TRANSPORT, kTsPacket, 25000000, kVideoBufferHd, 0, 0x100, 0x810, 0x814, 40, 100},
};
static_assert(sizeof(kPresets) / sizeof(kPresets[0]) == 14, "one row per preset id");

} // namespace

bool MuxFillPresetDefaults(int preset, MuxSettings* settings)
{
    for (const PresetRow& row : kPresets) {
        if (row.id != preset)
            continue;
        memset(settings, 0, sizeof(*settings));
        settings->size = sizeof(*settings);
        settings->outputKind = row.outputKind;
        settings->packSize = row.packSize;
        settings->muxRate = row.muxRate;
        settings->videoBufferSize = row.videoBuffer;
        settings->audioBufferSize = kAudioBuffer;
        settings->flags = row.flags;
        settings->programNumber = row.outputKind == MUX_OUTPUT_MPEG2_TRANSPORT ? 1 : 0;
        settings->pmtPid = row.pmtPid;
        settings->videoPid = row.videoPid;
        settings->audioPid = row.audioPid;
        settings->muxType = (uint32_t)preset;
        settings->pcrPeriodMs = row.pcrPeriodMs;
        settings->psiPeriodMs = row.psiPeriodMs;
        settings->videoStreamId = 0xE0;
        settings->audioStreamId = 0xC0;
        settings->privateStreamId = 0x80;
        return true;
    }
    return false;
}
