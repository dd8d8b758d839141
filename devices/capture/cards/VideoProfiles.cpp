#include "VideoProfiles.h"

#include <io.h>
#include <stdlib.h>
#include <string.h>

namespace
{
CVideoProfiles g_reader;

enum FieldType { kByteField, kDwordField, kStandardField, kRateBitsField, kLinkField };

// One key of a section: its presence bit and where its value goes. For rate-control bits,
// shift and width of the field in the word; for reference keys, the target kind in shift.
struct KeyRow
{
    const char* key;
    DWORD mask;
    size_t offset;
    FieldType type;
    DWORD shift;
    DWORD bits;
};

// key                  mask     offset                                          type
const KeyRow kStreamKeys[] = {
    {"compress_mode",    0x1,   offsetof(StreamSettingRow, compressMode),    kDwordField, 0, 0},
    {"sequence",         0x2,   offsetof(StreamSettingRow, sequence),        kDwordField, 0, 0},
    {"gop_mode",         0x4,   offsetof(StreamSettingRow, gopMode),         kByteField, 0, 0},
    {"gop_size",         0x8,   offsetof(StreamSettingRow, gopSize),         kDwordField, 0, 0},
    {"mpeg4_mode",       0x10,  offsetof(StreamSettingRow, mpeg4Mode),       kByteField, 0, 0},
    {"DVD_compliant",    0x400, offsetof(StreamSettingRow, dvdCompliant),    kByteField, 0, 0},
    {"deinterlace_mode", 0x20,  offsetof(StreamSettingRow, deinterlaceMode), kByteField, 0, 0},
    {"search_range",     0x40,  offsetof(StreamSettingRow, searchRange),     kByteField, 0, 0},
    {"gop_head_enable",  0x80,  offsetof(StreamSettingRow, gopHeadEnable),   kByteField, 0, 0},
    {"seq_head_enable",  0x100, offsetof(StreamSettingRow, seqHeadEnable),   kByteField, 0, 0},
    {"aspect_ratio",     0x200, offsetof(StreamSettingRow, aspectRatio),     kByteField, 0, 0},
    {"rescfg",           0,     0,                                           kLinkField, kResolutionKind, 0},
    {"fpscfg",           0,     0,                                           kLinkField, kFrameRateKind, 0},
    {"ctlcfg",           0,     0,                                           kLinkField, kBitrateKind, 0},
};

const KeyRow kFrameRateKeys[] = {
    {"tv_standard",      0x8,   offsetof(FrameRateSettingRow, tvStandard),   kStandardField, 0, 0},
    {"frame_rate",       0x1,   offsetof(FrameRateSettingRow, frameRate),    kDwordField, 0, 0},
    {"drop_frame",       0x4,   offsetof(FrameRateSettingRow, dropFrame),    kDwordField, 0, 0},
    {"ivtc_enable",      0x2,   offsetof(FrameRateSettingRow, ivtcEnable),   kDwordField, 0, 0},
    {"rescfg",           0,     0,                                           kLinkField, kResolutionKind, 0},
    {"ctlcfg",           0,     0,                                           kLinkField, kBitrateKind, 0},
};

const KeyRow kResolutionKeys[] = {
    {"tv_standard",      0x208,  offsetof(ResolutionSettingRow, tvStandard), kStandardField, 0, 0},
    {"width",            0x1,    offsetof(ResolutionSettingRow, width),      kDwordField, 0, 0},
    {"height",           0x2,    offsetof(ResolutionSettingRow, height),     kDwordField, 0, 0},
    {"h_sub_window",     0x4,    offsetof(ResolutionSettingRow, hSubWindow), kByteField, 0, 0},
    {"v_sub_window",     0x8,    offsetof(ResolutionSettingRow, vSubWindow), kByteField, 0, 0},
    {"h_sub_offset",     0x1000, offsetof(ResolutionSettingRow, hSubOffset), kDwordField, 0, 0},
    {"v_sub_offset",     0x2000, offsetof(ResolutionSettingRow, vSubOffset), kDwordField, 0, 0},
    {"h_scale_enb",      0x4000, offsetof(ResolutionSettingRow, hScaleEnb),  kByteField, 0, 0},
    {"v_scale_enb",      0x8000, offsetof(ResolutionSettingRow, vScaleEnb),  kByteField, 0, 0},
    {"sub_sample",       0x100,  offsetof(ResolutionSettingRow, subSample),  kByteField, 0, 0},
    {"max_bitrate",      0x400,  offsetof(ResolutionSettingRow, maxBitrate), kDwordField, 0, 0},
    {"min_bitrate",      0x800,  offsetof(ResolutionSettingRow, minBitrate), kDwordField, 0, 0},
    {"ctlcfg",           0,      0,                                          kLinkField, kBitrateKind, 0},
};

const KeyRow kBitrateKeys[] = {
    {"target_bitrate",   0x4,     offsetof(BitrateSettingRow, targetBitrate), kDwordField, 0, 0},
    {"peak_bitrate",     0x8,     offsetof(BitrateSettingRow, peakBitrate),   kDwordField, 0, 0},
    {"vbv_buffer",       0x10,    offsetof(BitrateSettingRow, vbvBuffer),     kDwordField, 0, 0},
    {"converge_speed",   0x20,    offsetof(BitrateSettingRow, convergeSpeed), kByteField, 0, 0},
    {"lambda",           0x40,    offsetof(BitrateSettingRow, lambda),        kByteField, 0, 0},
    {"Q",                0x80,    offsetof(BitrateSettingRow, q),             kDwordField, 0, 0},
    {"IQ",               0x200,   offsetof(BitrateSettingRow, iq),            kByteField, 0, 0},
    {"PQ",               0x400,   offsetof(BitrateSettingRow, pq),            kByteField, 0, 0},
    {"BQ",               0x800,   offsetof(BitrateSettingRow, bq),            kByteField, 0, 0},
    {"QMin",             0x1000,  offsetof(BitrateSettingRow, rateControl),   kRateBitsField, 0, 7},
    {"Duplicate",        0x4000,  offsetof(BitrateSettingRow, rateControl),   kRateBitsField, 7, 1},
    {"QMax",             0x2000,  offsetof(BitrateSettingRow, rateControl),   kRateBitsField, 8, 7},
    {"MBBrc",            0x8000,  offsetof(BitrateSettingRow, rateControl),   kRateBitsField, 15, 1},
    {"WindowSize",       0x10000, offsetof(BitrateSettingRow, rateControl),   kRateBitsField, 16, 16},
};

// What differs between the four section parsers.
struct SectionRow
{
    DWORD kind;
    const KeyRow* keys;
    size_t keyCount;
    int unknownKeyStatus;
};

#define SECTION(kind, keys, status) {kind, keys, sizeof(keys) / sizeof(keys[0]), status}
const SectionRow kStreamSection = SECTION(kStreamKind, kStreamKeys, kProfileUnknownStreamKey);
const SectionRow kFrameRateSection = SECTION(kFrameRateKind, kFrameRateKeys, kProfileUnknownFrameRateKey);
const SectionRow kResolutionSection = SECTION(kResolutionKind, kResolutionKeys, kProfileUnknownResolutionKey);
const SectionRow kBitrateSection = SECTION(kBitrateKind, kBitrateKeys, kProfileUnknownBitrateKey);
#undef SECTION

// End records follow the section in this order of target kinds.
const DWORD kLinkTargetOrder[] = {kResolutionKind, kFrameRateKind, kBitrateKind};

struct StandardWord
{
    const char* word;
    DWORD mask;
};
// NTSC_M, NTSC_M_J, NTSC_433, PAL_60; PAL_B, _D, _G, _H, _I, _M, _N.
const StandardWord kStandardWords[] = {{"NTSC", 0x807}, {"PAL", 0x7F0}, {"None", 0}};

// Frame rates in sequence-header code order, codes 1 to 8.
const DWORD kFrameRateCodes[] = {24000, 24024, 25025, 30000, 30030, 50050, 60000, 60060};

const DWORD kValidCompressModes[] = {0, 1, 3, 4, 8, 64, 65, 67, 68};
const DWORD kValidSearchRanges[] = {16, 32, 64, 128};

// Copies at most size - 1 characters, so the copy always ends inside its field.
void CopyText(char* to, size_t size, const char* from)
{
    size_t length = strnlen(from, size - 1);
    memcpy(to, from, length);
    to[length] = '\0';
}

template <size_t N>
bool Listed(const DWORD (&list)[N], DWORD value)
{
    for (DWORD v : list) {
        if (v == value)
            return true;
    }
    return false;
}

// The status of a value for the key's field; the field and mask bit set.
int StoreValue(const KeyRow& key, const char* value, BYTE* row, DWORD* mask)
{
    DWORD number = (DWORD)atoi(value);
    BYTE* field = row + key.offset;
    switch (key.type) {
    case kByteField:
        *field = (BYTE)number;
        break;
    case kDwordField:
        memcpy(field, &number, sizeof(number));
        break;
    case kStandardField: {
        const StandardWord* found = NULL;
        for (const StandardWord& w : kStandardWords) {
            if (strcmp(w.word, value) == 0)
                found = &w;
        }
        if (!found)
            return kProfileBadStandard;
        memcpy(field, &found->mask, sizeof(DWORD));
        break;
    }
    case kRateBitsField: {
        DWORD word;
        memcpy(&word, field, sizeof(word));
        DWORD fieldMask = (key.bits == 32 ? 0xFFFFFFFF : ((1u << key.bits) - 1)) << key.shift;
        word = (word & ~fieldMask) | ((number << key.shift) & fieldMask);
        memcpy(field, &word, sizeof(word));
        break;
    }
    case kLinkField:
        break;
    }
    *mask |= key.mask;
    return kProfileOk;
}

// Reads the lines of one section into the row; the code of the line that ended it goes to
// *pending. 0 or the status that ends the parse.
int ParseSectionLines(CVideoProfiles* reader, const SectionRow& section, BYTE* row, int* pending)
{
    ProfileRowHead* head = (ProfileRowHead*)row;
    bool linked[sizeof(kLinkTargetOrder) / sizeof(kLinkTargetOrder[0])] = {};
    int code;
    char* key = NULL;
    char* value = NULL;
    while ((code = ReadProfileLine(reader, &key, &value)) == kLineEmpty || code == kLineKeyValue) {
        if (code == kLineEmpty)
            continue;
        if (strcmp(key, "name") == 0) {
            CopyText(head->name, sizeof(head->name), value);
            CopyText(reader->lastName, sizeof(reader->lastName), value);
            head->mask |= kProfileMaskName;
            continue;
        }
        if (strcmp(key, "desc") == 0) {
            CopyText(head->desc, sizeof(head->desc), value);
            head->mask |= kProfileMaskDesc;
            continue;
        }
        const KeyRow* found = NULL;
        for (size_t i = 0; i < section.keyCount && !found; ++i) {
            if (strcmp(section.keys[i].key, key) == 0)
                found = &section.keys[i];
        }
        if (!found)
            return section.unknownKeyStatus;
        if (found->type == kLinkField) {
            DWORD owner = ResolveProfileName(reader->catalogue, section.kind, head->name);
            DWORD target = ResolveProfileName(reader->catalogue, found->shift, value);
            if (AddProfileLink(reader->catalogue, section.kind, owner, found->shift, target, 0) < 0)
                return kProfileLinksFull;
            for (size_t t = 0; t < sizeof(kLinkTargetOrder) / sizeof(kLinkTargetOrder[0]); ++t)
                linked[t] = linked[t] || kLinkTargetOrder[t] == found->shift;
            continue;
        }
        int status = StoreValue(*found, value, row, &head->mask);
        if (status != kProfileOk)
            return status;
    }
    *pending = code;
    DWORD owner = ResolveProfileName(reader->catalogue, section.kind, head->name);
    for (size_t t = 0; t < sizeof(kLinkTargetOrder) / sizeof(kLinkTargetOrder[0]); ++t) {
        if (linked[t] && AddProfileLink(reader->catalogue, section.kind, owner, kLinkTargetOrder[t],
                                        kAnyProfileRow, 1) < 0)
            return kProfileLinksFull;
    }
    return code == kLineMalformed ? kProfileMalformedLine : kProfileOk;
}

// 38 for a row without a name, 39 for a name a held row of its kind has.
template <class Row>
int CheckName(const Row& row, const Row* held, DWORD count)
{
    if (!(row.head.mask & kProfileMaskName) || row.head.name[0] == '\0')
        return kProfileNameMissing;
    for (DWORD i = 0; i < count; ++i) {
        if (strcmp(held[i].head.name, row.head.name) == 0)
            return kProfileDuplicateName;
    }
    return kProfileOk;
}

// A count the driver gave, never past its table.
DWORD Held(DWORD count, DWORD capacity)
{
    return count < capacity ? count : capacity;
}

BYTE AsFlag(DWORD value)
{
    return value != 0 ? 1 : 0;
}

// The section's row read, validated and matched, then kept with its catalogue index.
template <class Row, class Validate, class Match>
int ParseRow(CVideoProfiles* reader, const SectionRow& section, DWORD* count, Row* rows, DWORD* indices,
             int* pending, Validate validate, Match match)
{
    if (*count >= kProfileRowsPerKind)
        return kProfileTooManyRows;
    Row row;
    memset(&row, 0, sizeof(row));
    int status = ParseSectionLines(reader, section, (BYTE*)&row, pending);
    if (status == kProfileOk)
        status = validate(reader, &row);
    if (status != kProfileOk)
        return status;
    int index = match(&row);
    if (index < 0)
        return kProfileNoMatch;
    rows[*count] = row;
    indices[*count] = (DWORD)index;
    ++*count;
    return kProfileOk;
}
}

CVideoProfiles* OpenVideoProfileFile(const char* path)
{
    if (_access(path, 0) != 0)
        return NULL;
    FILE* stream = fopen(path, "rt");
    if (!stream)
        return NULL;
    memset(&g_reader, 0, sizeof(g_reader));
    g_reader.stream = stream;
    return &g_reader;
}

void CloseVideoProfileFile(CVideoProfiles* reader)
{
    if (reader->stream)
        fclose(reader->stream);
    reader->stream = NULL;
    reader->status = kProfileOk;
    reader->lineCounter = 0;
}

int GetVideoProfileStatus(CVideoProfiles* reader, int* line)
{
    if (line)
        *line = reader->lineCounter;
    return reader->status;
}

BOOL LoadVideoProfiles(VideoProfileCatalogue* catalogue, VideoProfileSet* set)
{
    char path[MAX_PATH + 32];
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    strcat(path, "/video_profiles.txt");
    CVideoProfiles* reader = OpenVideoProfileFile(path);
    if (!reader)
        return FALSE;
    ParseVideoProfileFile(reader, catalogue, set);
    BOOL loaded = GetVideoProfileStatus(reader, NULL) == kProfileOk;
    CloseVideoProfileFile(reader);
    return loaded;
}

int ParseVideoProfileFile(CVideoProfiles* reader, VideoProfileCatalogue* catalogue, VideoProfileSet* out)
{
    reader->catalogue = catalogue;
    int pending = -1;
    while (!feof(reader->stream)) {
        int code = pending;
        pending = -1;
        if (code < 0)
            code = ReadProfileLine(reader, NULL, NULL);
        if (code == kLineEnd)
            break;
        if (code == kLineEmpty)
            continue;
        if (code == kLineKeyValue || code == kLineMalformed) {
            reader->status = kProfileOutsideSection;
            return reader->status;
        }
        switch (code) {
        case kLineStreamHeader: reader->status = ParseStreamSetting(reader, &pending); break;
        case kLineFrameRateHeader: reader->status = ParseFrameRateSetting(reader, &pending); break;
        case kLineResolutionHeader: reader->status = ParseResolutionSetting(reader, &pending); break;
        case kLineBitrateHeader: reader->status = ParseBitrateSetting(reader, &pending); break;
        }
        if (reader->status != kProfileOk && reader->status != kProfileNoMatch)
            break;
    }
    memcpy(out, &reader->set, sizeof(*out));
    return reader->status;
}

int ReadProfileLine(CVideoProfiles* reader, char** key, char** value)
{
    if (!fgets(reader->line, sizeof(reader->line), reader->stream))
        return kLineEnd;
    ++reader->lineCounter;
    StripLineComment(reader->line);
    RemoveBlanks(reader->line);
    char* line = reader->line;
    if (line[0] == '\0')
        return kLineEmpty;
    if (line[0] == '[') {
        _strlwr(line);
        const char* const headers[] = {"[streamsetting]", "[frameratesetting]", "[resolutionsetting]",
                                       "[bitratesetting]"};
        for (int i = 0; i < 4; ++i) {
            if (strcmp(line, headers[i]) == 0)
                return kLineStreamHeader + i;
        }
        return kLineMalformed;
    }
    char* equals = strchr(line, '=');
    if (!equals)
        return kLineMalformed;
    *equals = '\0';
    if (key)
        *key = line;
    if (value)
        *value = equals + 1;
    return kLineKeyValue;
}

int ParseStreamSetting(CVideoProfiles* reader, int* pending)
{
    VideoProfileSet& set = reader->set;
    return ParseRow(reader, kStreamSection, &set.streamCount, set.streams, set.streamIndices, pending,
                    ValidateStreamSetting,
                    [reader](StreamSettingRow* row) { return MatchStreamSetting(reader->catalogue, row); });
}

int ParseFrameRateSetting(CVideoProfiles* reader, int* pending)
{
    VideoProfileSet& set = reader->set;
    return ParseRow(reader, kFrameRateSection, &set.frameRateCount, set.frameRates, set.frameRateIndices, pending,
                    ValidateFrameRateSetting,
                    [reader](FrameRateSettingRow* row) { return MatchFrameRateSetting(reader->catalogue, row); });
}

int ParseResolutionSetting(CVideoProfiles* reader, int* pending)
{
    VideoProfileSet& set = reader->set;
    return ParseRow(reader, kResolutionSection, &set.resolutionCount, set.resolutions, set.resolutionIndices,
                    pending, ValidateResolutionSetting,
                    [reader](ResolutionSettingRow* row) { return MatchResolutionSetting(reader->catalogue, row); });
}

int ParseBitrateSetting(CVideoProfiles* reader, int* pending)
{
    // Bit-rate rows have nothing in the catalogue to match; their index stays 0.
    VideoProfileSet& set = reader->set;
    return ParseRow(reader, kBitrateSection, &set.bitrateCount, set.bitrates, set.bitrateIndices, pending,
                    ValidateBitrateSetting, [](BitrateSettingRow*) { return 0; });
}

int ValidateStreamSetting(CVideoProfiles* reader, StreamSettingRow* row)
{
    int status = CheckName(*row, reader->set.streams, reader->set.streamCount);
    if (status != kProfileOk)
        return status;
    DWORD mask = row->head.mask;
    if (!(mask & 0x1))
        return kProfileNoCompressMode;
    if (!Listed(kValidCompressModes, row->compressMode))
        return kProfileBadCompressMode;
    if (row->sequence < 1 || row->sequence > 3)
        return kProfileBadSequence;
    row->gopMode = AsFlag(row->gopMode);
    bool mpeg4 = row->compressMode == 4 || row->compressMode == 68;
    if ((!(mask & 0x10) && mpeg4) || row->mpeg4Mode > 3)
        return kProfileBadMpeg4Mode;
    row->dvdCompliant = AsFlag(row->dvdCompliant);
    if ((mask & 0x20) && (row->deinterlaceMode > 2 || (row->deinterlaceMode == 2 && row->compressMode != 1)))
        return kProfileBadDeinterlace;
    if ((mask & 0x40) && !Listed(kValidSearchRanges, row->searchRange))
        return kProfileBadSearchRange;
    row->gopHeadEnable = AsFlag(row->gopHeadEnable);
    row->seqHeadEnable = AsFlag(row->seqHeadEnable);
    if ((mask & 0x200) && (row->aspectRatio == 0 || row->aspectRatio > 3))
        return kProfileBadAspectRatio;
    return kProfileOk;
}

int ValidateFrameRateSetting(CVideoProfiles* reader, FrameRateSettingRow* row)
{
    int status = CheckName(*row, reader->set.frameRates, reader->set.frameRateCount);
    if (status != kProfileOk)
        return status;
    if ((row->head.mask & 0x9) != 0x9)
        return kProfileFrameRateIncomplete;
    row->ivtcEnable = AsFlag(row->ivtcEnable);
    return kProfileOk;
}

int ValidateResolutionSetting(CVideoProfiles* reader, ResolutionSettingRow* row)
{
    int status = CheckName(*row, reader->set.resolutions, reader->set.resolutionCount);
    if (status != kProfileOk)
        return status;
    DWORD& mask = row->head.mask;
    if ((mask & 0x203) != 0x203)
        return kProfileResolutionIncomplete;
    mask |= 0x400 | 0x800;
    if (!(mask & 0x4))
        row->hSubWindow = 1;
    if (!(mask & 0x8))
        row->vSubWindow = 1;
    if (!(mask & 0x100))
        row->vSubWindow = 0;
    const DWORD window = 0x1000 | 0x2000 | 0x4000 | 0x8000;
    if ((mask & window) != 0 && (mask & window) != window)
        return kProfileBadSubWindow;
    if ((mask & window) == window)
        mask |= 0x10;
    return kProfileOk;
}

int ValidateBitrateSetting(CVideoProfiles* reader, BitrateSettingRow* row)
{
    int status = CheckName(*row, reader->set.bitrates, reader->set.bitrateCount);
    if (status != kProfileOk)
        return status;
    DWORD& mask = row->head.mask;
    if ((mask & 0x84) != 0x84)
        return kProfileBitrateIncomplete;
    if ((mask & 0x8) && row->peakBitrate < row->targetBitrate)
        return kProfilePeakBelowTarget;
    if (row->convergeSpeed > 100)
        return kProfileBadConvergeSpeed;
    if (row->lambda > 100)
        return kProfileBadLambda;
    const DWORD quantisers = 0x200 | 0x400 | 0x800;
    if ((mask & quantisers) == 0)
        return kProfileOk;
    if ((mask & quantisers) != quantisers)
        return kProfileBadQuantisers;
    mask |= 0x100;
    const BYTE quantiser[] = {row->iq, row->pq, row->bq};
    for (BYTE q : quantiser) {
        if (q < 1 || q > 32)
            return kProfileBadQuantisers;
    }
    return kProfileOk;
}

int MatchStreamSetting(const VideoProfileCatalogue* catalogue, const StreamSettingRow* row)
{
    struct Field { DWORD bit; DWORD StreamSettingRow::*word; BYTE StreamSettingRow::*byte; };
    const Field fields[] = {
        {0x10, NULL, &StreamSettingRow::mpeg4Mode},
        {0x400, NULL, &StreamSettingRow::dvdCompliant},
        {0x2, &StreamSettingRow::sequence, NULL},
        {0x4, &StreamSettingRow::gopMode, NULL},
        {0x8, &StreamSettingRow::gopSize, NULL},
        {0x20, NULL, &StreamSettingRow::deinterlaceMode},
        {0x40, NULL, &StreamSettingRow::searchRange},
        {0x80, NULL, &StreamSettingRow::gopHeadEnable},
        {0x100, NULL, &StreamSettingRow::seqHeadEnable},
        {0x200, NULL, &StreamSettingRow::aspectRatio},
    };
    DWORD count = Held(catalogue->streamCount, kProfileRowsPerKind);
    for (DWORD i = 0; i < count; ++i) {
        const StreamSettingRow& c = catalogue->streams[i];
        bool same = c.compressMode == row->compressMode;
        for (const Field& f : fields) {
            if (same && HasAllBits(c.head.mask, f.bit))
                same = f.word ? c.*f.word == row->*f.word : c.*f.byte == row->*f.byte;
        }
        if (same)
            return (int)i;
    }
    return -1;
}

int MatchFrameRateSetting(const VideoProfileCatalogue* catalogue, const FrameRateSettingRow* row)
{
    DWORD count = Held(catalogue->frameRateCount, kProfileRowsPerKind);
    for (DWORD i = 0; i < count; ++i) {
        const FrameRateSettingRow& c = catalogue->frameRates[i];
        if (c.frameRate == row->frameRate && StandardsCompatible(row->tvStandard, c.tvStandard) &&
            (!HasAllBits(c.head.mask, 0x4) || c.dropFrame == row->dropFrame) &&
            (!HasAllBits(c.head.mask, 0x2) || c.ivtcEnable == row->ivtcEnable))
            return (int)i;
    }
    return -1;
}

int MatchResolutionSetting(const VideoProfileCatalogue* catalogue, ResolutionSettingRow* row)
{
    DWORD count = Held(catalogue->resolutionCount, kProfileRowsPerKind);
    for (DWORD i = 0; i < count; ++i) {
        const ResolutionSettingRow& c = catalogue->resolutions[i];
        if (c.width != row->width || c.height != row->height || !StandardsCompatible(row->tvStandard, c.tvStandard))
            continue;
        if (HasAllBits(c.head.mask, 0x10) &&
            (c.hSubOffset != row->hSubOffset || c.vSubOffset != row->vSubOffset || c.hScaleEnb != row->hScaleEnb ||
             c.vScaleEnb != row->vScaleEnb))
            continue;
        row->maxBitrate = c.maxBitrate;
        row->minBitrate = c.minBitrate;
        return (int)i;
    }
    return -1;
}

int AddProfileLink(VideoProfileCatalogue* catalogue, DWORD ownerKind, DWORD ownerIndex, DWORD targetKind,
                   DWORD targetIndex, DWORD end)
{
    if (catalogue->linkCount >= (DWORD)kProfileLinkCapacity)
        return -3;
    catalogue->links[catalogue->linkCount] = {ownerKind, ownerIndex, targetKind, targetIndex, end};
    return (int)++catalogue->linkCount;
}

// Names are not looked up: every reference of the file names row 1.
DWORD ResolveProfileName(const VideoProfileCatalogue*, DWORD, const char*)
{
    return 1;
}

int FindProfileLink(const VideoProfileCatalogue* catalogue, const ProfileLink* key)
{
    DWORD count = Held(catalogue->linkCount, kProfileLinkCapacity);
    for (DWORD i = 0; i < count; ++i) {
        const ProfileLink& l = catalogue->links[i];
        if (l.ownerKind == key->ownerKind && l.targetKind == key->targetKind &&
            (l.ownerIndex == key->ownerIndex || l.ownerIndex == kAnyProfileRow) &&
            (l.targetIndex == key->targetIndex || l.targetIndex == kAnyProfileRow))
            return l.end ? kProfileRefused : kProfileOk;
    }
    return kProfileOk;
}

int BuildProfileCombinations(VideoProfileCatalogue* catalogue, int, DWORD tvStandard)
{
    free(catalogue->combinations);
    catalogue->combinations = NULL;
    catalogue->combinationCount = 0;
    DWORD streams = Held(catalogue->streamCount, kProfileRowsPerKind);
    DWORD rates = Held(catalogue->frameRateCount, kProfileRowsPerKind);
    DWORD sizes = Held(catalogue->resolutionCount, kProfileRowsPerKind);
    // Nothing to combine is "no combination", not a failed allocation of zero bytes.
    size_t room = (size_t)streams * rates * sizes;
    if (room == 0)
        return kProfileNoMatch;
    ProfileCombination* entries = (ProfileCombination*)malloc(room * sizeof(ProfileCombination));
    if (!entries)
        return kProfileNoMemory;
    catalogue->combinations = entries;
    for (DWORD s = 0; s < streams; ++s) {
        for (DWORD f = 0; f < rates; ++f) {
            if (!StandardsCompatible(tvStandard, catalogue->frameRates[f].tvStandard))
                continue;
            for (DWORD r = 0; r < sizes; ++r) {
                if (!StandardsCompatible(tvStandard, catalogue->resolutions[r].tvStandard))
                    continue;
                const ProfileLink keys[] = {{kStreamKind, s, kFrameRateKind, f, 0},
                                            {kStreamKind, s, kResolutionKind, r, 0},
                                            {kFrameRateKind, f, kResolutionKind, r, 0}};
                bool refused = false;
                for (const ProfileLink& key : keys)
                    refused = refused || FindProfileLink(catalogue, &key) == kProfileRefused;
                if (!refused)
                    entries[catalogue->combinationCount++] = {s, r, f};
            }
        }
    }
    return catalogue->combinationCount > 0 ? kProfileOk : kProfileNoMatch;
}

BOOL HasAllBits(DWORD mask, DWORD bits)
{
    return mask == 0 || (mask & bits) == bits;
}

BOOL StandardsCompatible(DWORD a, DWORD b)
{
    if (a == 0 || b == 0)
        return a == 0 && b == 0;
    return (a & ~b) == 0;
}

void StripLineComment(char* line)
{
    bool quoted = false;
    int slashes = 0;
    char* first = NULL;
    for (char* p = line; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
        } else if (*p == '/') {
            if (quoted)
                continue;
            if (slashes++ == 0)
                first = p;
            if (slashes == 2) {
                *first = '\0';
                return;
            }
        } else {
            slashes = 0;
        }
    }
}

void RemoveBlanks(char* line)
{
    bool quoted = false;
    char* to = line;
    for (const char* p = line; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            continue;
        }
        if (*p == '\r' || *p == '\n' || (!quoted && (*p == ' ' || *p == '\t')))
            continue;
        *to++ = *p;
    }
    *to = '\0';
}

DWORD SwapBytes32(DWORD value)
{
    return (value >> 24) | ((value >> 8) & 0xFF00) | ((value << 8) & 0xFF0000) | (value << 24);
}

int BuildSequenceHeader(const CombinedProfile* profile, const BYTE** header)
{
    static BYTE sequence[12];
    DWORD width = profile->resolution.width & 0xFFF;
    DWORD height = profile->resolution.height & 0xFFF;
    BYTE aspect = profile->stream.dvdCompliant ? profile->stream.aspectRatio : 2;
    BYTE rateCode = 4;
    for (BYTE i = 0; i < sizeof(kFrameRateCodes) / sizeof(kFrameRateCodes[0]); ++i) {
        if (kFrameRateCodes[i] == profile->frameRate.frameRate) {
            rateCode = (BYTE)(i + 1);
            break;
        }
    }
    const BYTE bytes[12] = {0x00, 0x00, 0x01, 0xB3, (BYTE)(width >> 4), (BYTE)(((width & 0xF) << 4) | (height >> 8)),
                            (BYTE)height, (BYTE)((aspect << 4) | (rateCode & 0xF)), 0xFF, 0xFF, 0xF2, 0xA8};
    memcpy(sequence, bytes, sizeof(sequence));
    if (header)
        *header = sequence;
    return (int)sizeof(sequence);
}
