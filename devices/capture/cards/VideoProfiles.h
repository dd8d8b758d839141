#pragma once

#include <windows.h>

#include <stddef.h>
#include <stdio.h>

// The GO7007 box's encoder profiles: the driver's catalogue and the rows that the user's
// video_profiles.txt in the Windows directory adds to it. Rows and catalogue are the driver's
// byte layouts, hence packed and checked against their sizes.

enum { kProfileNameSize = 64, kProfileDescSize = 256 };
enum { kProfileRowsPerKind = 30, kDriverProfileRows = 16, kProfileLinkCapacity = 300 };
enum { kProfileLineSize = 1000 };

// Kinds of setting rows, as the reference records name them.
enum { kStreamKind = 1, kResolutionKind = 2, kBitrateKind = 3, kFrameRateKind = 4 };

// Presence-mask bits of every kind.
const DWORD kProfileMaskName = 0x20000000;
const DWORD kProfileMaskDesc = 0x10000000;

// Reader status codes.
enum {
    kProfileOk = 0,
    kProfileOutsideSection = 2,
    kProfileLinksFull = 5,
    kProfileNoMatch = 24,
    kProfileUnknownStreamKey = 26,
    kProfileUnknownBitrateKey = 27,
    kProfileUnknownResolutionKey = 28,
    kProfileUnknownFrameRateKey = 29,
    kProfileTooManyRows = 37,
    kProfileNameMissing = 38,
    kProfileDuplicateName = 39,
    kProfileBadStandard = 41,
    kProfileNoCompressMode = 42,
    kProfileBadCompressMode = 43,
    kProfileBadSequence = 44,
    kProfileBadMpeg4Mode = 45,
    kProfileBadDeinterlace = 47,
    kProfileBadSearchRange = 48,
    kProfileBadAspectRatio = 49,
    kProfileFrameRateIncomplete = 50,
    kProfileBitrateIncomplete = 51,
    kProfilePeakBelowTarget = 53,
    kProfileBadConvergeSpeed = 54,
    kProfileBadLambda = 55,
    kProfileBadQuantisers = 56,
    kProfileResolutionIncomplete = 57,
    kProfileBadSubWindow = 59,
    kProfileNoMemory = 60,
    kProfileRefused = 61,
    kProfileMalformedLine = 62
};

// Line codes of ReadProfileLine.
enum {
    kLineEmpty = 0,
    kLineStreamHeader = 1,
    kLineFrameRateHeader = 2,
    kLineResolutionHeader = 3,
    kLineBitrateHeader = 4,
    kLineKeyValue = 5,
    kLineMalformed = 6,
    kLineEnd = 7
};

#pragma pack(push, 1)

struct ProfileRowHead
{
    char name[kProfileNameSize];
    char desc[kProfileDescSize];
    DWORD mask;
    DWORD reserved;
};

struct StreamSettingRow
{
    ProfileRowHead head;
    DWORD compressMode;         // 0x1
    DWORD sequence;             // 0x2
    DWORD gopMode;              // 0x4: a byte in the file, compared as the whole word
    DWORD gopSize;              // 0x8
    BYTE mpeg4Mode;             // 0x10
    BYTE dvdCompliant;          // 0x400
    BYTE deinterlaceMode;       // 0x20
    BYTE searchRange;           // 0x40
    BYTE gopHeadEnable;         // 0x80
    BYTE seqHeadEnable;         // 0x100
    BYTE aspectRatio;           // 0x200
    BYTE reserved[5];
};

struct FrameRateSettingRow
{
    ProfileRowHead head;
    DWORD tvStandard;           // 0x8: an AnalogVideoStandard mask
    DWORD frameRate;            // 0x1: frames per second times 1001
    DWORD dropFrame;            // 0x4
    DWORD ivtcEnable;           // 0x2
    BYTE reserved[4];
};

struct ResolutionSettingRow
{
    ProfileRowHead head;
    DWORD tvStandard;           // 0x208
    DWORD width;                // 0x1
    DWORD height;               // 0x2
    BYTE hSubWindow;            // 0x4
    BYTE vSubWindow;            // 0x8
    BYTE reserved1[2];
    DWORD hSubOffset;           // 0x1000
    DWORD vSubOffset;           // 0x2000
    BYTE hScaleEnb;             // 0x4000
    BYTE vScaleEnb;             // 0x8000
    BYTE subSample;             // 0x100
    BYTE reserved2;
    DWORD maxBitrate;           // 0x400
    DWORD minBitrate;           // 0x800
    BYTE reserved3[4];
};

struct BitrateSettingRow
{
    ProfileRowHead head;
    DWORD targetBitrate;        // 0x4
    DWORD peakBitrate;          // 0x8
    DWORD vbvBuffer;            // 0x10
    BYTE convergeSpeed;         // 0x20
    BYTE lambda;                // 0x40
    BYTE reserved1[2];
    DWORD q;                    // 0x80
    BYTE iq;                    // 0x200
    BYTE pq;                    // 0x400
    BYTE bq;                    // 0x800
    BYTE reserved2;
    // Bits 0-6 QMin (0x1000), 7 Duplicate (0x4000), 8-14 QMax (0x2000), 15 MBBrc (0x8000),
    // 16-31 WindowSize (0x10000).
    DWORD rateControl;
};

struct DriverProfileRow
{
    char name[kProfileNameSize];
    BYTE rest[360 - kProfileNameSize];
};

// Owner and target name rows by kind and index; 0xFFFFFFFF: any.
struct ProfileLink
{
    DWORD ownerKind;
    DWORD ownerIndex;
    DWORD targetKind;
    DWORD targetIndex;
    DWORD end;
};
const DWORD kAnyProfileRow = 0xFFFFFFFF;

// One allowed combination: indices of a stream, a resolution and a frame-rate row.
struct ProfileCombination
{
    DWORD stream;
    DWORD resolution;
    DWORD frameRate;
};

struct VideoProfileCatalogue
{
    DWORD driverProfileCount;
    DriverProfileRow driverProfiles[kDriverProfileRows];
    DWORD streamCount;
    StreamSettingRow streams[kProfileRowsPerKind];
    DWORD resolutionCount;
    ResolutionSettingRow resolutions[kProfileRowsPerKind];
    DWORD frameRateCount;
    FrameRateSettingRow frameRates[kProfileRowsPerKind];
    DWORD linkCount;
    ProfileLink links[kProfileLinkCapacity];
    DWORD combinationCount;
    // malloc'ed by BuildProfileCombinations, released with free.
    ProfileCombination* combinations;
};

struct VideoProfileSet
{
    DWORD streamCount;
    StreamSettingRow streams[kProfileRowsPerKind];
    DWORD streamIndices[kProfileRowsPerKind];
    DWORD resolutionCount;
    ResolutionSettingRow resolutions[kProfileRowsPerKind];
    DWORD resolutionIndices[kProfileRowsPerKind];
    DWORD bitrateCount;
    BitrateSettingRow bitrates[kProfileRowsPerKind];
    DWORD bitrateIndices[kProfileRowsPerKind];
    DWORD frameRateCount;
    FrameRateSettingRow frameRates[kProfileRowsPerKind];
    DWORD frameRateIndices[kProfileRowsPerKind];
};

// A stream, a frame-rate and a resolution row in one block, as BuildSequenceHeader takes them.
struct CombinedProfile
{
    StreamSettingRow stream;
    FrameRateSettingRow frameRate;
    ResolutionSettingRow resolution;
};

#pragma pack(pop)

static_assert(sizeof(ProfileRowHead) == 328, "row head");
static_assert(sizeof(StreamSettingRow) == 356, "stream row");
static_assert(sizeof(FrameRateSettingRow) == 348, "frame-rate row");
static_assert(sizeof(ResolutionSettingRow) == 368, "resolution row");
static_assert(sizeof(BitrateSettingRow) == 356, "bitrate row");
static_assert(sizeof(DriverProfileRow) == 360, "driver profile row");
static_assert(sizeof(ProfileLink) == 20, "reference record");
static_assert(offsetof(StreamSettingRow, aspectRatio) == 350, "stream row fields");
static_assert(offsetof(ResolutionSettingRow, maxBitrate) == 356, "resolution row fields");
static_assert(offsetof(BitrateSettingRow, rateControl) == 352, "bitrate row fields");
static_assert(offsetof(VideoProfileCatalogue, streamCount) == 5764, "catalogue streams");
static_assert(offsetof(VideoProfileCatalogue, resolutionCount) == 16448, "catalogue resolutions");
static_assert(offsetof(VideoProfileCatalogue, frameRateCount) == 27492, "catalogue frame rates");
static_assert(offsetof(VideoProfileCatalogue, linkCount) == 37936, "catalogue links");
static_assert(offsetof(VideoProfileCatalogue, combinationCount) == 43940, "catalogue combinations");
static_assert(offsetof(VideoProfileCatalogue, combinations) == 43944, "catalogue combination array");
// 43948 bytes in the 32-bit program, the driver's size.
static_assert(sizeof(VideoProfileCatalogue) == 43944 + sizeof(void*), "catalogue");

// The reader's state: one instance, used from the user-interface thread only.
struct CVideoProfiles
{
    FILE* stream;
    int status;
    char lastName[kProfileLineSize];
    int lineCounter;
    char line[kProfileLineSize];
    VideoProfileCatalogue* catalogue;
    VideoProfileSet set;
};

// Reads video_profiles.txt from the Windows directory against the catalogue into *set; the
// catalogue gains the file's reference records. FALSE, nothing touched, without the file; FALSE
// with a status other than 0.
BOOL LoadVideoProfiles(VideoProfileCatalogue* catalogue, VideoProfileSet* set);
// The allowed combinations under the standard mask into the catalogue: 0, kProfileNoMatch when
// none, kProfileNoMemory.
int BuildProfileCombinations(VideoProfileCatalogue* catalogue, int profileIndex, DWORD tvStandard);

CVideoProfiles* OpenVideoProfileFile(const char* path);
int ParseVideoProfileFile(CVideoProfiles* reader, VideoProfileCatalogue* catalogue, VideoProfileSet* out);
int GetVideoProfileStatus(CVideoProfiles* reader, int* line);
void CloseVideoProfileFile(CVideoProfiles* reader);
// key and value point into the reader's line; the line code.
int ReadProfileLine(CVideoProfiles* reader, char** key, char** value);
int ParseStreamSetting(CVideoProfiles* reader, int* pending);
int ParseFrameRateSetting(CVideoProfiles* reader, int* pending);
int ParseResolutionSetting(CVideoProfiles* reader, int* pending);
int ParseBitrateSetting(CVideoProfiles* reader, int* pending);
int ValidateStreamSetting(CVideoProfiles* reader, StreamSettingRow* row);
int ValidateFrameRateSetting(CVideoProfiles* reader, FrameRateSettingRow* row);
int ValidateResolutionSetting(CVideoProfiles* reader, ResolutionSettingRow* row);
int ValidateBitrateSetting(CVideoProfiles* reader, BitrateSettingRow* row);
// The first catalogue row the row matches; -1 for none. A matched resolution row takes the
// catalogue row's bit-rate limits.
int MatchStreamSetting(const VideoProfileCatalogue* catalogue, const StreamSettingRow* row);
int MatchFrameRateSetting(const VideoProfileCatalogue* catalogue, const FrameRateSettingRow* row);
int MatchResolutionSetting(const VideoProfileCatalogue* catalogue, ResolutionSettingRow* row);
// The new record count, or -3 when the catalogue holds kProfileLinkCapacity records.
int AddProfileLink(VideoProfileCatalogue* catalogue, DWORD ownerKind, DWORD ownerIndex, DWORD targetKind,
                   DWORD targetIndex, DWORD end);
DWORD ResolveProfileName(const VideoProfileCatalogue* catalogue, DWORD kind, const char* name);
// kProfileRefused when the first record for the key is an end record, else 0.
int FindProfileLink(const VideoProfileCatalogue* catalogue, const ProfileLink* key);
BOOL HasAllBits(DWORD mask, DWORD bits);
BOOL StandardsCompatible(DWORD a, DWORD b);
void StripLineComment(char* line);
void RemoveBlanks(char* line);
DWORD SwapBytes32(DWORD value);
// Fills a static MPEG video sequence header; its length (12).
int BuildSequenceHeader(const CombinedProfile* profile, const BYTE** header);
