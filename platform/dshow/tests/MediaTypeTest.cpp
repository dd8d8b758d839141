// Media-type ownership and format access.
#include "AmMediaType.h"
#include "ComProbe.h"
#include "DshowTest.h"
#include "TestSink.h"

#include <string.h>

namespace {

using MediaTypeTest = DshowTest;

TEST_F(MediaTypeTest, CopiesOwnTheirFormatAndHoldPUnk)
{
    auto* holder = new CTestSink(); // any COM object stands in for pUnk
    IUnknown* unknown = static_cast<IBaseFilter*>(holder);
    BYTE format[6] = {1, 2, 3, 4, 5, 6};
    AM_MEDIA_TYPE plain = {};
    plain.majortype = MEDIATYPE_Stream;
    plain.formattype = FORMAT_None;
    plain.cbFormat = sizeof(format);
    plain.pbFormat = format;
    plain.pUnk = unknown;
    {
        CAmMediaType copy(plain);
        EXPECT_NE(format, copy.pbFormat);
        EXPECT_EQ(0, memcmp(format, copy.pbFormat, sizeof(format)));
        EXPECT_TRUE(copy.Equals(plain));
        EXPECT_EQ(2u, CComProbe::RefCount(unknown));

        AM_MEDIA_TYPE* task = CAmMediaType::NewCopy(copy);
        EXPECT_EQ(3u, CComProbe::RefCount(unknown));
        CAmMediaType::Delete(task);
        CAmMediaType assigned;
        assigned = copy;
        EXPECT_EQ(3u, CComProbe::RefCount(unknown));
        assigned.Clear();
        EXPECT_EQ(0u, assigned.cbFormat);
        EXPECT_EQ(nullptr, assigned.pbFormat);
    }
    EXPECT_EQ(1u, CComProbe::RefCount(unknown));
    holder->Release();
}

TEST_F(MediaTypeTest, FormatAccessRefusesTheWrongTypeOrAShortBlock)
{
    BYTE block[sizeof(VIDEOINFOHEADER) + 8] = {};
    reinterpret_cast<WAVEFORMATEX*>(block)->wFormatTag = WAVE_FORMAT_PCM;
    reinterpret_cast<WAVEFORMATEX*>(block)->cbSize = 500; // ignored for PCM
    struct Case
    {
        const GUID* formatType;
        ULONG size;
        WORD tag;
        bool video;
        bool wave;
    };
    const Case cases[] = {
        // format type           size                         tag          video  wave
        {&FORMAT_VideoInfo,      sizeof(VIDEOINFOHEADER),     WAVE_FORMAT_PCM, true,  false},
        {&FORMAT_VideoInfo,      sizeof(VIDEOINFOHEADER) - 1, WAVE_FORMAT_PCM, false, false},
        {&FORMAT_WaveFormatEx,   sizeof(WAVEFORMATEX),        WAVE_FORMAT_PCM, false, true},
        {&FORMAT_WaveFormatEx,   sizeof(WAVEFORMATEX) - 2,    WAVE_FORMAT_PCM, false, false},
        {&FORMAT_WaveFormatEx,   sizeof(WAVEFORMATEX) + 8,    0x0050,          false, false},
        {&FORMAT_None,           sizeof(VIDEOINFOHEADER),     WAVE_FORMAT_PCM, false, false},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        reinterpret_cast<WAVEFORMATEX*>(block)->wFormatTag = cases[i].tag;
        AM_MEDIA_TYPE type = {};
        type.formattype = *cases[i].formatType;
        type.cbFormat = cases[i].size;
        type.pbFormat = block;
        EXPECT_EQ(cases[i].video, CAmMediaType::VideoInfoOf(type) != nullptr);
        EXPECT_EQ(cases[i].wave, CAmMediaType::WaveFormatOf(type) != nullptr);
    }
}

TEST_F(MediaTypeTest, WaveFormatsGetTheirTagsSubtypeAndExtraBytes)
{
    struct
    {
        WAVEFORMATEX format;
        BYTE extra[22];
    } mpeg = {};
    mpeg.format.wFormatTag = 0x0050;
    mpeg.format.nChannels = 2;
    mpeg.format.nBlockAlign = 1;
    mpeg.format.cbSize = 22;
    mpeg.extra[21] = 0x7E;
    WAVEFORMATEX pcm = {WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 99};

    CAmMediaType type;
    ASSERT_EQ(S_OK, type.SetWaveFormat(pcm));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_PCM, type.subtype));
    EXPECT_EQ(sizeof(WAVEFORMATEX), type.cbFormat);
    EXPECT_EQ(0, type.WaveFormat()->cbSize);
    EXPECT_EQ(4, type.lSampleSize);

    ASSERT_EQ(S_OK, type.SetWaveFormat(mpeg.format));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_MPEG1AudioPayload, type.subtype));
    EXPECT_EQ(sizeof(WAVEFORMATEX) + 22, type.cbFormat);
    EXPECT_EQ(0x7E, type.pbFormat[sizeof(WAVEFORMATEX) + 21]);
}

TEST_F(MediaTypeTest, PatternsMatchOnTheirNonNullGuids)
{
    AM_MEDIA_TYPE candidate = {};
    candidate.majortype = MEDIATYPE_Video;
    candidate.subtype = MEDIASUBTYPE_YUY2;
    candidate.formattype = FORMAT_VideoInfo;
    struct Case
    {
        GUID major, sub, format;
        bool partial;
        bool matches;
    };
    const Case cases[] = {
        {GUID_NULL, GUID_NULL, GUID_NULL, true, true},
        {MEDIATYPE_Video, GUID_NULL, GUID_NULL, true, true},
        {MEDIATYPE_Audio, GUID_NULL, GUID_NULL, true, false},
        {MEDIATYPE_Video, MEDIASUBTYPE_RGB24, GUID_NULL, true, false},
        {MEDIATYPE_Video, MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, false, true},
        {MEDIATYPE_Video, MEDIASUBTYPE_YUY2, FORMAT_VideoInfo2, false, false},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        AM_MEDIA_TYPE pattern = {};
        pattern.majortype = cases[i].major;
        pattern.subtype = cases[i].sub;
        pattern.formattype = cases[i].format;
        EXPECT_EQ(cases[i].partial, CAmMediaType::IsPartial(pattern));
        EXPECT_EQ(cases[i].matches, CAmMediaType::MatchesPattern(candidate, pattern));
    }
}

} // namespace
