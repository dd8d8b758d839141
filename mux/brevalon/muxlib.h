#pragma once

// Brevalon, the multiplexing library: its six entry points (exported by ordinal only, C
// calling convention), the three blocks a caller fills, the buffer streams through which all
// data moves, and the auxiliary commands and unit records that travel on those streams.
// Every block is little-endian and packed exactly as declared.

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Preset ids; the multiplex type of a settings block is one of them.
enum MuxPresetId
{
    MUX_PRESET_MPEG1 = 0,
    MUX_PRESET_VCD = 1,
    MUX_PRESET_MPEG2 = 2,
    MUX_PRESET_SVCD = 3,
    MUX_PRESET_DVD_MPEG2 = 4,
    MUX_PRESET_MPEG_TS = 5,
    MUX_PRESET_DVB = 8,
    MUX_PRESET_MMV = 9,
    MUX_PRESET_DVHS = 10,
    MUX_PRESET_ATSC = 11,
    MUX_PRESET_ATSC_HI = 12,
    MUX_PRESET_DVD_MPEG1 = 13,
    MUX_PRESET_HDV_HD1 = 18,
    MUX_PRESET_HDV_HD2 = 19
};

// The stream a settings block asks for.
enum MuxOutputKind
{
    MUX_OUTPUT_MPEG1_SYSTEM = 0,
    MUX_OUTPUT_MPEG2_PROGRAM = 1,
    MUX_OUTPUT_MPEG2_TRANSPORT = 2
};

// MuxSettings::flags
enum MuxSettingsFlags
{
    MUX_FLAG_HEADER_EVERY_PACK = 0x01, // a system header in every pack, not only the first
    MUX_FLAG_PAD_PACKS = 0x02,         // every pack filled to its full size
    MUX_FLAG_END_CODE = 0x04,          // the stream closes with an end code
    MUX_FLAG_NAV_PACKS = 0x08          // a navigation pack opens each video unit group
};

// The settings block (108 bytes). A caller keeps and stores it whole; callers outside the
// library read only muxType and segmentSizeMb.
typedef struct MuxSettings
{
    uint32_t size;            // 0: sizeof(MuxSettings)
    uint32_t outputKind;      // 4: MuxOutputKind
    uint32_t packSize;        // 8: bytes per pack, or per transport packet (188)
    uint32_t muxRate;         // 12: bit/s; 0 = the sum of the streams' rates
    uint32_t videoBufferSize; // 16: decoder buffer of a video stream, bytes
    uint32_t audioBufferSize; // 20: decoder buffer of an audio stream, bytes
    uint32_t flags;           // 24: MuxSettingsFlags
    uint32_t programNumber;   // 28: transport stream: the program's number
    uint32_t pmtPid;          // 32: transport stream: PID of the program map
    uint32_t videoPid;        // 36: transport stream: PID of the first video stream
    uint32_t audioPid;        // 40: transport stream: PID of the first audio stream
    uint32_t muxType;         // 44: MuxPresetId
    uint32_t pcrPeriodMs;     // 48: transport stream: clock reference period
    uint32_t videoStreamId;   // 52: stream id of the first video stream
    uint32_t audioStreamId;   // 56: stream id of the first MPEG audio stream
    uint32_t privateStreamId; // 60: sub-stream id of the first AC-3 or LPCM stream
    uint32_t psiPeriodMs;     // 64: transport stream: period of the PAT and PMT
    uint32_t reserved1[4];    // 68
    uint32_t segmentSizeMb;   // 84: a new file after this many MiB; 0 = no limit
    uint32_t reserved2[5];    // 88
} MuxSettings;

// MuxOptions::flags0 and flags1
enum MuxOptionFlags
{
    MUX_OPTION0_BIT7 = 0x80,
    MUX_OPTION1_AUDIO_NO_SPAM_VOBU = 0x01 // no audio-only navigation units
};

// The option block (100 bytes), zeroed by the caller before MuxLibInit.
typedef struct MuxOptions
{
    uint8_t flags0;
    uint8_t flags1;
    uint8_t reserved[98];
} MuxOptions;

// MuxStreamSettings::streamKind
enum MuxStreamKind
{
    MUX_STREAM_VIDEO = 0x10000,
    MUX_STREAM_AUDIO = 0x20000
};

// MuxStreamSettings::codec
enum MuxStreamCodec
{
    MUX_CODEC_UNKNOWN = 0,
    MUX_CODEC_MPEG_VIDEO = 1,
    MUX_CODEC_H264 = 2,
    MUX_CODEC_MPEG_AUDIO = 3,
    MUX_CODEC_AC3 = 4,
    MUX_CODEC_LPCM = 5,
    MUX_CODEC_AAC = 6
};

#pragma pack(push, 1)
// One input stream's settings (80 bytes), zeroed when the caller makes them. The kind and
// the buffer size sit unaligned, at exactly these offsets. A codec of 0 is learnt from the
// stream's first unit record; the rate and channels matter for LPCM.
typedef struct MuxStreamSettings
{
    uint32_t codec;        // 0: MuxStreamCodec
    uint32_t sampleRate;   // 4: audio
    uint16_t channels;     // 8: audio
    uint8_t reserved0[4];  // 10
    uint32_t streamKind;   // 14: MuxStreamKind
    uint8_t reserved1[8];  // 18
    uint32_t bufferSize;   // 26: bytes of the stream's input buffer
    uint8_t reserved2[50]; // 30
} MuxStreamSettings;
#pragma pack(pop)

// A buffer stream: entry points in this fixed order, then the stream's private state.
// A writing face counts free space and takes data; a reading face counts the bytes it
// holds and gives them out.
typedef struct MuxBufStream MuxBufStream;
struct MuxBufStream
{
    int (*freeSpace)(MuxBufStream* stream);
    uint8_t* (*request)(MuxBufStream* stream, int bytes); // null when that many do not fit
    int (*confirm)(MuxBufStream* stream, int bytes);
    int (*copy)(MuxBufStream* stream, uint8_t* data, int bytes);
    int (*chunkSize)(MuxBufStream* stream);
    int (*auxInfo)(MuxBufStream* stream, int offset, uint32_t command, void* data, int length);
    int (*split)(MuxBufStream* stream);
    int (*close)(MuxBufStream* stream, int abort);
    void (*free)(MuxBufStream* stream);
    void* state;
};

// Auxiliary commands (auxInfo's command).
#define MUX_AUX_PICTURE 0x00000100u           // MuxPictureRecord
#define MUX_AUX_SEQUENCE 0x000001B3u          // MuxSequenceRecord
#define MUX_AUX_SEQUENCE_END 0x000001B7u      // no data
#define MUX_AUX_GROUP 0x000001B8u             // no data
#define MUX_AUX_END_AT_BOUNDARY 0x000E0004u   // no data: the stream ended with an end code
#define MUX_AUX_VIDEO_UNIT 0x000F0001u        // MuxVideoUnit
#define MUX_AUX_AUDIO_UNIT 0x000F0002u        // MuxAudioUnit
#define MUX_AUX_BYTES_ACCEPTED 0x000F0010u    // 8 bytes: the writer's 64-bit count
#define MUX_AUX_INDEX_RESET 0x000F0020u
#define MUX_AUX_SPLIT 0x000F0040u             // a new file at the next video unit group
#define MUX_AUX_END_OF_STREAM 0x000F0080u     // no data
#define MUX_AUX_VIDEO_INDEX_HEADER 0x000F0100u
#define MUX_AUX_VIDEO_INDEX 0x000F0200u       // 32-byte video index record
#define MUX_AUX_AUDIO_INDEX_HEADER 0x000F0400u
#define MUX_AUX_AUDIO_INDEX 0x000F0800u       // 20-byte audio index record
#define MUX_AUX_AUDIO_CONFIG 0xFFF00000u      // MuxAudioConfig

// MuxVideoUnit::flags
enum MuxVideoUnitFlags
{
    MUX_UNIT_SEQUENCE_HEADER = 0x01,
    MUX_UNIT_GROUP_HEADER = 0x02,
    MUX_UNIT_IDR = 0x40
};

// Times are 64-bit counts of a 27 MHz clock from the start of the stream.
typedef struct MuxVideoUnit
{
    uint32_t size;           // 0: bytes of the access unit
    uint16_t codingType;     // 4: 1 I, 2 P, 3 B
    uint8_t flags;           // 6: MuxVideoUnitFlags
    uint8_t reserved0;       // 7
    uint16_t codec;          // 8: MuxStreamCodec of the stream, or 0 when the caller does not say
    uint16_t headerDistance; // 10: bytes from the sequence or group header to the picture
    uint32_t leadTime;       // 12: an I picture opening a group: its temporal lead
    uint64_t decodeTime;     // 16
    uint64_t presentTime;    // 24
} MuxVideoUnit;

typedef struct MuxAudioUnit
{
    uint32_t size;  // 0: bytes of the frame
    uint32_t codec; // 4: MuxStreamCodec of the stream, or 0 when the caller does not say
    uint64_t time;  // 8
} MuxAudioUnit;

typedef struct MuxSequenceRecord
{
    uint32_t version;       // 0: 2
    uint32_t frameRateCode; // 4
    uint32_t reserved0;     // 8
    uint32_t bitRate;       // 12: the sequence header's 18-bit value (400 bit/s units)
    uint32_t reserved1;     // 16
    uint32_t bufferSize;    // 20: the sequence header's 10-bit value (16 KiB units)
} MuxSequenceRecord;

typedef struct MuxPictureRecord
{
    uint32_t codingType;        // 0
    uint32_t temporalReference; // 4
    uint32_t reserved;          // 8
    uint32_t delay;             // 12: the picture header's 16-bit value
} MuxPictureRecord;

// The configuration of an AAC stream, sent before its first frame.
typedef struct MuxAudioConfig
{
    uint32_t reserved0;   // 0
    uint32_t configWord;  // 4: the format's 16-bit word, widened
    uint32_t reserved1;   // 8
    uint32_t configValue; // 12: the format's 32-bit value
    uint32_t reserved2[8]; // 16
} MuxAudioConfig;

// The caller's services, which the library asks for by name: "malloc", "free",
// "err_printf", "prg_printf", "wrn_printf", "inf_printf". The printers may be null.
typedef void* (*MuxServiceResolver)(const char* name);
typedef void* (*MuxMallocService)(size_t bytes);
typedef void (*MuxFreeService)(void* memory);
typedef int (*MuxPrintService)(const char* format, ...);
typedef int (*MuxProgressService)(int value, const char* format, ...);

typedef struct MuxEngine* MuxHandle;

// Fills the settings block with a preset's defaults: 0, or non-zero for a preset the
// library does not know (the block is then unchanged).
int MuxLibDefaults(MuxSettings* settings, int preset);                                // @1
// An engine for these settings, or null.
MuxHandle MuxLibCreate(MuxServiceResolver resolver, const MuxSettings* settings);      // @2
int MuxLibInit(MuxHandle engine, const MuxOptions* options, MuxBufStream* writer);     // @13
// Non-zero for a stream the output cannot carry: LPCM (MUX_CODEC_LPCM) in a transport stream,
// which has no standard place for it, so a caller's opening fails rather than dropping it.
int MuxLibAddStream(MuxHandle engine, const MuxStreamSettings* stream, MuxBufStream* input); // @15
// abort: 0 at the normal end, 1 when the output is thrown away. 0 = a clean end.
int MuxLibFinish(MuxHandle engine, int abort);                                         // @6
void MuxLibFree(MuxHandle engine);                                                     // @7

#ifdef __cplusplus
}

static_assert(sizeof(MuxSettings) == 108, "the settings block is 108 bytes");
static_assert(offsetof(MuxSettings, muxType) == 44 && offsetof(MuxSettings, segmentSizeMb) == 84,
              "callers read the multiplex type and the segment size at these offsets");
static_assert(sizeof(MuxOptions) == 100, "the option block is 100 bytes");
static_assert(sizeof(MuxStreamSettings) == 80, "a stream's settings are 80 bytes");
static_assert(offsetof(MuxStreamSettings, streamKind) == 14 && offsetof(MuxStreamSettings, bufferSize) == 26,
              "the kind and the buffer size sit at these offsets");
static_assert(sizeof(MuxVideoUnit) == 32 && sizeof(MuxAudioUnit) == 16, "unit records");
static_assert(sizeof(MuxSequenceRecord) == 24 && sizeof(MuxPictureRecord) == 16, "header records");
static_assert(sizeof(MuxAudioConfig) == 48, "audio configuration");
#endif
