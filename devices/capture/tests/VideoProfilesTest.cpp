#include "VideoProfiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace
{
const DWORD kNtsc = 0x807;
const DWORD kPal = 0x7F0;

// The driver's catalogue as the tests give it: MPEG-1, MPEG-2 and an MPEG-4 mode; 29.97 fps
// NTSC and 25 fps PAL; 720x480 NTSC, 720x576 PAL and a PAL 352x288 with its sub-window.
struct Catalogue
{
    Catalogue() : c(new VideoProfileCatalogue())
    {
        c->streamCount = 3;
        Stream(0, 0, 0x3, 1, 0);
        Stream(1, 1, 0x3, 2, 0);
        Stream(2, 4, 0x11, 0, 1);
        c->frameRateCount = 2;
        FrameRate(0, 30000, kNtsc);
        FrameRate(1, 25025, kPal);
        c->resolutionCount = 3;
        Resolution(0, 720, 480, kNtsc, 8000000, 1000000, 0x203);
        Resolution(1, 720, 576, kPal, 9000000, 2000000, 0x203);
        Resolution(2, 352, 288, kPal, 4000000, 500000, 0x213);
        c->resolutions[2].hSubOffset = 8;
    }
    ~Catalogue() { free(c->combinations); }

    void Stream(int i, DWORD mode, DWORD mask, DWORD sequence, BYTE mpeg4)
    {
        c->streams[i].compressMode = mode;
        c->streams[i].head.mask = mask;
        c->streams[i].sequence = sequence;
        c->streams[i].mpeg4Mode = mpeg4;
    }
    void FrameRate(int i, DWORD rate, DWORD standard)
    {
        c->frameRates[i].frameRate = rate;
        c->frameRates[i].tvStandard = standard;
        c->frameRates[i].head.mask = 0x9;
    }
    void Resolution(int i, DWORD w, DWORD h, DWORD standard, DWORD max, DWORD min, DWORD mask)
    {
        ResolutionSettingRow& r = c->resolutions[i];
        r.width = w;
        r.height = h;
        r.tvStandard = standard;
        r.maxBitrate = max;
        r.minBitrate = min;
        r.head.mask = mask;
    }

    std::unique_ptr<VideoProfileCatalogue> c;
};

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

void WriteText(const std::string& path, const std::string& text)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

// Parses the text as a profile file against the catalogue: the status, the line counter and
// the set handed out (filled with 0xAB before).
struct Parsed
{
    int status;
    int line;
    std::unique_ptr<VideoProfileSet> set;
};

Parsed Parse(VideoProfileCatalogue* catalogue, const std::string& text)
{
    std::string path = TempPath("profiles_test.txt");
    WriteText(path, text);
    Parsed result{-1, -1, std::unique_ptr<VideoProfileSet>(new VideoProfileSet)};
    memset(result.set.get(), 0xAB, sizeof(VideoProfileSet));
    CVideoProfiles* reader = OpenVideoProfileFile(path.c_str());
    EXPECT_NE(nullptr, reader);
    if (reader) {
        ParseVideoProfileFile(reader, catalogue, result.set.get());
        result.status = GetVideoProfileStatus(reader, &result.line);
        CloseVideoProfileFile(reader);
    }
    DeleteFileA(path.c_str());
    return result;
}

const char kMpeg1[] = "[StreamSetting]\nname=mp1\ncompress_mode=0\nsequence=1\n";
const char kNtscRate[] = "[FrameRateSetting]\nname=ntsc\nframe_rate=30000\ntv_standard=NTSC\n";
const char kPalSize[] = "[ResolutionSetting]\nname=d1\nwidth=720\nheight=576\ntv_standard=PAL\n";
const char kRate[] = "[BitrateSetting]\nname=r\ntarget_bitrate=4000000\nQ=8\n";

std::string Streams(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "[StreamSetting]\nname=s" + std::to_string(i) + "\ncompress_mode=0\nsequence=1\n";
    return text;
}

typedef std::function<void(const VideoProfileSet&, const VideoProfileCatalogue&)> Check;
}

TEST(VideoProfiles, StatusAndLineOfEveryFileShape)
{
    struct Case { const char* what; std::string text; int status; int line; Check check; };
    const Case cases[] = {
        {"an empty file", "", 0, 0, [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_EQ(0u, s.streamCount);
         }},
        {"comments and blank lines only", "// nothing\n\n  \t\n", 0, 3, nullptr},
        {"a key before any section: nothing is copied out", "name=x\n" + std::string(kMpeg1), 2, 1,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) { EXPECT_EQ(0xABABABABu, s.streamCount); }},
        {"an unknown header at top level", "[Other]\n", 2, 1, nullptr},
        {"an MPEG-1 stream row matching catalogue row 0", kMpeg1, 0, 4,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             ASSERT_EQ(1u, s.streamCount);
             EXPECT_STREQ("mp1", s.streams[0].head.name);
             EXPECT_EQ(0x20000003u, s.streams[0].head.mask);
             EXPECT_EQ(0u, s.streamIndices[0]);
             EXPECT_EQ(0u, s.resolutionCount);
         }},
        {"a capitalised bitrate header with blanks", "[ BITRATESETTING ]\n name = r 1 \ntarget_bitrate = 5x\nQ=\t7\n", 0, 4,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             ASSERT_EQ(1u, s.bitrateCount);
             EXPECT_STREQ("r1", s.bitrates[0].head.name);
             EXPECT_EQ(5u, s.bitrates[0].targetBitrate);
             EXPECT_EQ(7u, s.bitrates[0].q);
             EXPECT_EQ(0u, s.bitrateIndices[0]);
         }},
        {"QMin written in capitals is an unknown bitrate key", std::string(kRate) + "QMIN=3\n", 27, 5, nullptr},
        {"a quoted value keeps its blanks and its //, loses its quotes",
         "[StreamSetting]\nname=\"m p//1\" // the first\ndesc = \"a\tb\"\ncompress_mode=0\nsequence=1//x\n", 0, 5,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_STREQ("m p//1", s.streams[0].head.name);
             EXPECT_STREQ("a\tb", s.streams[0].head.desc);
             EXPECT_EQ(1u, s.streams[0].sequence);
         }},
        {"the rate-control keys fill their bits", std::string(kRate) + "QMin=3\nDuplicate=1\nQMax=31\nMBBrc=1\nWindowSize=300\n",
         0, 9, [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_EQ(0x012C9F83u, s.bitrates[0].rateControl);
             EXPECT_EQ(0x2001F084u, s.bitrates[0].head.mask);
         }},
        {"a line of more than 999 characters is read in pieces",
         "[StreamSetting]\ndesc=" + std::string(994, 'x') + "name=long\ncompress_mode=0\nsequence=1\n", 0, 5,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_STREQ("long", s.streams[0].head.name);
             EXPECT_EQ(std::string(255, 'x'), s.streams[0].head.desc);
         }},
        {"a name longer than its field is cut to 63 characters",
         "[StreamSetting]\nname=" + std::string(80, 'n') + "\ncompress_mode=0\nsequence=1\n", 0, 4,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_EQ(std::string(63, 'n'), s.streams[0].head.name);
         }},
        {"a 31st stream section", Streams(31), 37, 121, [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_EQ(30u, s.streamCount);
         }},
        {"the only row without a match loads with 24 and an empty table",
         "[StreamSetting]\nname=m3\ncompress_mode=3\nsequence=1\n", 24, 4,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) { EXPECT_EQ(0u, s.streamCount); }},
        {"a row without a match lets parsing go on",
         "[StreamSetting]\nname=m3\ncompress_mode=3\nsequence=1\n" + std::string(kMpeg1), 0, 8,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) { EXPECT_EQ(1u, s.streamCount); }},
        {"a resolution row takes the catalogue's bit-rate limits",
         std::string(kPalSize) + "max_bitrate=1\nmin_bitrate=2\n", 0, 7,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             ASSERT_EQ(1u, s.resolutionCount);
             EXPECT_EQ(1u, s.resolutionIndices[0]);
             EXPECT_EQ(9000000u, s.resolutions[0].maxBitrate);
             EXPECT_EQ(2000000u, s.resolutions[0].minBitrate);
             EXPECT_EQ(1, s.resolutions[0].hSubWindow);
             EXPECT_EQ(0, s.resolutions[0].vSubWindow);
             EXPECT_EQ(0x20000E0Bu, s.resolutions[0].head.mask);
         }},
        {"a resolution with its sub-window matches only a row with the same one",
         "[ResolutionSetting]\nname=c\nwidth=352\nheight=288\ntv_standard=PAL\nsub_sample=1\nv_sub_window=0\n"
         "h_sub_offset=8\nv_sub_offset=0\nh_scale_enb=0\nv_scale_enb=0\n", 0, 11,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_EQ(2u, s.resolutionIndices[0]);
             EXPECT_EQ(0, s.resolutions[0].vSubWindow);
             EXPECT_EQ(0x2000FF1Bu, s.resolutions[0].head.mask);
         }},
        {"the other sub-window offset finds no row",
         "[ResolutionSetting]\nname=c\nwidth=352\nheight=288\ntv_standard=PAL\n"
         "h_sub_offset=4\nv_sub_offset=0\nh_scale_enb=0\nv_scale_enb=0\n", 24, 9, nullptr},
        {"a frame rate under both standards of a row", "[FrameRateSetting]\nname=p\nframe_rate=25025\ntv_standard=PAL\n"
         "ivtc_enable=5\n", 0, 5, [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_EQ(1u, s.frameRateIndices[0]);
             EXPECT_EQ(1u, s.frameRates[0].ivtcEnable);
         }},
        {"a frame rate under no standard matches no standard row",
         "[FrameRateSetting]\nname=p\nframe_rate=25025\ntv_standard=None\n", 24, 4, nullptr},
        {"a malformed line inside a section", "[StreamSetting]\nname=a\nnonsense\n", 62, 3, nullptr},
        {"unknown stream key", "[StreamSetting]\nname=a\nwidth=1\n", 26, 3, nullptr},
        {"unknown frame-rate key", "[FrameRateSetting]\nname=a\nQ=1\n", 29, 3, nullptr},
        {"unknown resolution key", "[ResolutionSetting]\nname=a\nframe_rate=1\n", 28, 3, nullptr},
        {"unknown bitrate key", "[BitrateSetting]\nname=a\nrescfg=x\n", 27, 3, nullptr},
        {"no name", "[StreamSetting]\ncompress_mode=0\nsequence=1\n", 38, 3, nullptr},
        {"an empty name", "[StreamSetting]\nname=\ncompress_mode=0\nsequence=1\n", 38, 4, nullptr},
        {"a name twice in one kind", std::string(kMpeg1) + kMpeg1, 39, 8, nullptr},
        {"the same name in two kinds", std::string(kMpeg1) + "[BitrateSetting]\nname=mp1\ntarget_bitrate=1\nQ=1\n",
         0, 8, nullptr},
        {"a bad standard word", "[FrameRateSetting]\nname=a\ntv_standard=SECAM\n", 41, 3, nullptr},
        {"no compress mode", "[StreamSetting]\nname=a\nsequence=1\n", 42, 3, nullptr},
        {"compress mode 2", "[StreamSetting]\nname=a\ncompress_mode=2\nsequence=1\n", 43, 4, nullptr},
        {"sequence 4", "[StreamSetting]\nname=a\ncompress_mode=0\nsequence=4\n", 44, 4, nullptr},
        {"MPEG-4 without its mode", "[StreamSetting]\nname=a\ncompress_mode=4\nsequence=1\n", 45, 4, nullptr},
        {"MPEG-4 mode 4", "[StreamSetting]\nname=a\ncompress_mode=4\nsequence=1\nmpeg4_mode=4\n", 45, 5, nullptr},
        {"MPEG-4 mode 1 matches the MPEG-4 row",
         "[StreamSetting]\nname=a\ncompress_mode=4\nsequence=1\nmpeg4_mode=1\ngop_mode=9\n", 0, 6,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_EQ(2u, s.streamIndices[0]);
             EXPECT_EQ(1u, s.streams[0].gopMode);
         }},
        {"deinterlace 2 outside MPEG-2", "[StreamSetting]\nname=a\ncompress_mode=0\nsequence=1\ndeinterlace_mode=2\n",
         47, 5, nullptr},
        {"deinterlace 3", "[StreamSetting]\nname=a\ncompress_mode=1\nsequence=2\ndeinterlace_mode=3\n", 47, 5, nullptr},
        {"search range 48", "[StreamSetting]\nname=a\ncompress_mode=0\nsequence=1\nsearch_range=48\n", 48, 5, nullptr},
        {"aspect ratio 0", "[StreamSetting]\nname=a\ncompress_mode=0\nsequence=1\naspect_ratio=0\n", 49, 5, nullptr},
        {"aspect ratio 4", "[StreamSetting]\nname=a\ncompress_mode=0\nsequence=1\naspect_ratio=4\n", 49, 5, nullptr},
        {"frame rate without standard", "[FrameRateSetting]\nname=a\nframe_rate=30000\n", 50, 3, nullptr},
        {"bitrate without Q", "[BitrateSetting]\nname=a\ntarget_bitrate=1\n", 51, 3, nullptr},
        {"peak below target", std::string(kRate) + "peak_bitrate=3999999\n", 53, 5, nullptr},
        {"converge speed 101", std::string(kRate) + "converge_speed=101\n", 54, 5, nullptr},
        {"lambda 101", std::string(kRate) + "lambda=101\n", 55, 5, nullptr},
        {"IQ and PQ without BQ", std::string(kRate) + "IQ=2\nPQ=2\n", 56, 6, nullptr},
        {"a quantiser of 33", std::string(kRate) + "IQ=2\nPQ=33\nBQ=2\n", 56, 7, nullptr},
        {"all three quantisers", std::string(kRate) + "IQ=1\nPQ=32\nBQ=2\n", 0, 7,
         [](const VideoProfileSet& s, const VideoProfileCatalogue&) {
             EXPECT_EQ(0x20000F84u, s.bitrates[0].head.mask);
         }},
        {"resolution without height", "[ResolutionSetting]\nname=a\nwidth=720\ntv_standard=PAL\n", 57, 4, nullptr},
        {"two of the four sub-window values",
         std::string(kPalSize) + "h_sub_offset=1\nv_scale_enb=1\n", 59, 7, nullptr},
        {"a stream's references and their end records",
         std::string(kMpeg1) + "rescfg=d1\nfpscfg=ntsc\nrescfg=cif\n", 0, 7,
         [](const VideoProfileSet&, const VideoProfileCatalogue& c) {
             const ProfileLink expected[] = {{1, 1, 2, 1, 0}, {1, 1, 4, 1, 0}, {1, 1, 2, 1, 0},
                                             {1, 1, 2, 0xFFFFFFFF, 1}, {1, 1, 4, 0xFFFFFFFF, 1}};
             ASSERT_EQ(5u, c.linkCount);
             EXPECT_EQ(0, memcmp(expected, c.links, sizeof(expected)));
         }},
        {"a frame rate's and a resolution's references",
         std::string(kNtscRate) + "ctlcfg=r\nrescfg=d1\n" + kPalSize + "ctlcfg=r\n", 0, 12,
         [](const VideoProfileSet&, const VideoProfileCatalogue& c) {
             const ProfileLink expected[] = {{4, 1, 3, 1, 0}, {4, 1, 2, 1, 0}, {4, 1, 2, 0xFFFFFFFF, 1},
                                             {4, 1, 3, 0xFFFFFFFF, 1}, {2, 1, 3, 1, 0}, {2, 1, 3, 0xFFFFFFFF, 1}};
             ASSERT_EQ(6u, c.linkCount);
             EXPECT_EQ(0, memcmp(expected, c.links, sizeof(expected)));
         }},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        Catalogue catalogue;
        Parsed parsed = Parse(catalogue.c.get(), cases[i].text);
        EXPECT_EQ(cases[i].status, parsed.status) << i << ": " << cases[i].what;
        EXPECT_EQ(cases[i].line, parsed.line) << i << ": " << cases[i].what;
        if (cases[i].check) {
            SCOPED_TRACE(cases[i].what);
            cases[i].check(*parsed.set, *catalogue.c);
        }
    }
}

TEST(VideoProfiles, AFullReferenceTableRefusesTheSection)
{
    Catalogue catalogue;
    catalogue.c->linkCount = 300;
    EXPECT_EQ(-3, AddProfileLink(catalogue.c.get(), 1, 1, 2, 1, 0));
    Parsed parsed = Parse(catalogue.c.get(), std::string(kMpeg1) + "rescfg=d1\n");
    EXPECT_EQ(5, parsed.status);
    EXPECT_EQ(300u, catalogue.c->linkCount);
}

TEST(VideoProfiles, ReferenceListsAdmitOnlyWhatTheyList)
{
    Catalogue catalogue;
    VideoProfileCatalogue* c = catalogue.c.get();
    AddProfileLink(c, 1, 1, 2, 1, 0);
    AddProfileLink(c, 1, 1, 2, 0xFFFFFFFF, 1);
    AddProfileLink(c, 0xFFFFFFFF, 0xFFFFFFFF, 3, 0xFFFFFFFF, 1);
    struct Case { ProfileLink key; int result; };
    const Case cases[] = {
        {{1, 1, 2, 1, 0}, 0},       // listed
        {{1, 1, 2, 0, 0}, 61},      // not listed
        {{1, 0, 2, 0, 0}, 0},       // another owner has no list
        {{1, 1, 4, 0, 0}, 0},       // no list of that target kind
        {{4, 1, 2, 0, 0}, 0},       // owner kinds are never a wildcard
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].result, FindProfileLink(c, &cases[i].key)) << i;
}

TEST(VideoProfiles, CombinationsFollowStandardsAndReferenceLists)
{
    Catalogue catalogue;
    VideoProfileCatalogue* c = catalogue.c.get();
    ASSERT_EQ(0, BuildProfileCombinations(c, 0, kPal));
    // Every stream with the PAL rate (1) and the two PAL sizes (1, 2).
    const ProfileCombination pal[] = {{0, 1, 1}, {0, 2, 1}, {1, 1, 1}, {1, 2, 1}, {2, 1, 1}, {2, 2, 1}};
    ASSERT_EQ(6u, c->combinationCount);
    EXPECT_EQ(0, memcmp(pal, c->combinations, sizeof(pal)));

    // Stream 1 admits only size 1, frame rate 1 only size 2.
    AddProfileLink(c, 1, 1, 2, 1, 0);
    AddProfileLink(c, 1, 1, 2, 0xFFFFFFFF, 1);
    AddProfileLink(c, 4, 1, 2, 2, 0);
    AddProfileLink(c, 4, 1, 2, 0xFFFFFFFF, 1);
    ASSERT_EQ(0, BuildProfileCombinations(c, 0, kPal));
    const ProfileCombination refused[] = {{0, 2, 1}, {2, 2, 1}};
    ASSERT_EQ(2u, c->combinationCount);
    EXPECT_EQ(0, memcmp(refused, c->combinations, sizeof(refused)));

    EXPECT_EQ(24, BuildProfileCombinations(c, 0, 0x1000));
    EXPECT_EQ(0u, c->combinationCount);
    EXPECT_EQ(0, BuildProfileCombinations(c, 0, 0x1));
    EXPECT_EQ(2u, c->combinationCount);
}

TEST(VideoProfiles, NothingToCombineIsNoCombinationNotNoMemory)
{
    Catalogue catalogue;
    VideoProfileCatalogue* c = catalogue.c.get();
    ASSERT_EQ(0, BuildProfileCombinations(c, 0, kNtsc));
    c->frameRateCount = 0;
    EXPECT_EQ(24, BuildProfileCombinations(c, 0, kNtsc));
    EXPECT_EQ(0u, c->combinationCount);
    EXPECT_EQ(nullptr, c->combinations);
}

TEST(VideoProfiles, StandardsAndBits)
{
    struct Case { DWORD a, b; BOOL compatible; };
    const Case cases[] = {{0, 0, TRUE}, {0, 1, FALSE}, {1, 0, FALSE}, {0x10, 0x7F0, TRUE}, {0x7F0, 0x10, FALSE},
                          {0x807, 0x807, TRUE}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].compatible, StandardsCompatible(cases[i].a, cases[i].b)) << i;
    EXPECT_TRUE(HasAllBits(0, 0x10));
    EXPECT_TRUE(HasAllBits(0x13, 0x11));
    EXPECT_FALSE(HasAllBits(0x3, 0x11));
}

TEST(VideoProfiles, LineEditing)
{
    struct Case { const char* in; const char* stripped; const char* cleaned; };
    const Case cases[] = {
        {"a = b // c", "a = b ", "a=b"},
        {"a=\"x // y\" // z", "a=\"x // y\" ", "a=x // y"},
        {"a=/b/c", "a=/b/c", "a=/b/c"},
        {"//", "", ""},
        {"\ta=1\r\n", "\ta=1\r\n", "a=1"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        char line[64];
        strcpy(line, cases[i].in);
        StripLineComment(line);
        EXPECT_STREQ(cases[i].stripped, line) << i;
        RemoveBlanks(line);
        EXPECT_STREQ(cases[i].cleaned, line) << i;
    }
}

TEST(VideoProfiles, SequenceHeaderAndByteSwap)
{
    EXPECT_EQ(0x78563412u, SwapBytes32(0x12345678));
    std::unique_ptr<CombinedProfile> profile(new CombinedProfile());
    profile->resolution.width = 720;
    profile->resolution.height = 576;
    profile->frameRate.frameRate = 25025;
    profile->stream.aspectRatio = 3;
    const BYTE* header = nullptr;
    ASSERT_EQ(12, BuildSequenceHeader(profile.get(), &header));
    const BYTE pal[12] = {0x00, 0x00, 0x01, 0xB3, 0x2D, 0x02, 0x40, 0x23, 0xFF, 0xFF, 0xF2, 0xA8};
    EXPECT_EQ(0, memcmp(pal, header, 12));
    profile->stream.dvdCompliant = 1;
    profile->frameRate.frameRate = 12345;
    BuildSequenceHeader(profile.get(), &header);
    EXPECT_EQ(0x34, header[7]);
}

TEST(VideoProfiles, LoadsFromTheWindowsDirectoryAndLeavesAllWithoutTheFile)
{
    char folder[MAX_PATH];
    ASSERT_NE(0u, GetWindowsDirectoryA(folder, MAX_PATH));
    std::string path = std::string(folder) + "\\video_profiles.txt";
    DeleteFileA(path.c_str());

    Catalogue catalogue;
    std::unique_ptr<VideoProfileCatalogue> before(new VideoProfileCatalogue(*catalogue.c));
    std::unique_ptr<VideoProfileSet> set(new VideoProfileSet);
    memset(set.get(), 0xAB, sizeof(VideoProfileSet));
    EXPECT_FALSE(LoadVideoProfiles(catalogue.c.get(), set.get()));
    EXPECT_EQ(0, memcmp(before.get(), catalogue.c.get(), sizeof(VideoProfileCatalogue)));
    EXPECT_EQ(0xABABABABu, set->streamCount);

    WriteText(path, std::string(kMpeg1) + "fpscfg=ntsc\n" + kNtscRate + kPalSize + kRate);
    EXPECT_TRUE(LoadVideoProfiles(catalogue.c.get(), set.get()));
    EXPECT_EQ(1u, set->streamCount);
    EXPECT_EQ(1u, set->frameRateCount);
    EXPECT_EQ(1u, set->resolutionCount);
    EXPECT_EQ(1u, set->bitrateCount);
    EXPECT_EQ(2u, catalogue.c->linkCount);

    WriteText(path, "[StreamSetting]\nname=m3\ncompress_mode=3\nsequence=1\n");
    EXPECT_FALSE(LoadVideoProfiles(catalogue.c.get(), set.get()));
    EXPECT_EQ(0u, set->streamCount);
    DeleteFileA(path.c_str());
}
