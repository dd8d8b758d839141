#include "SimFilterFixture.h"

#include "AmMediaType.h"

namespace
{
const GUID SUBTYPE_YUY2 = { MAKEFOURCC('Y', 'U', 'Y', '2'), 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
const GUID SUBTYPE_YVU9 = { MAKEFOURCC('Y', 'V', 'U', '9'), 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };

struct MediaTypeHolder
{
    ~MediaTypeHolder() { CAmMediaType::Delete(type); }
    AM_MEDIA_TYPE* type = nullptr;
};
}

class SimStreamConfigTest : public SimFilterFixture
{
protected:
    void SetUp() override
    {
        SimFilterFixture::SetUp();
        capture = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
        ASSERT_TRUE(capture);
        ASSERT_EQ(S_OK, capture->FindPin(L"Capture", pin.Receive()));
        ASSERT_EQ(S_OK, pin->QueryInterface(IID_IAMStreamConfig, config.ReceiveVoid()));
    }

    CAmMediaType Video(REFGUID subtype, LONG width, LONG height, WORD bits, DWORD compression, DWORD size,
                       LONGLONG interval)
    {
        VIDEOINFOHEADER v = {};
        v.AvgTimePerFrame = interval;
        v.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        v.bmiHeader.biWidth = width;
        v.bmiHeader.biHeight = height;
        v.bmiHeader.biPlanes = 1;
        v.bmiHeader.biBitCount = bits;
        v.bmiHeader.biCompression = compression;
        v.bmiHeader.biSizeImage = size;
        CAmMediaType type;
        type.SetVideoInfo(subtype, v);
        return type;
    }

    CComRef<IBaseFilter> capture;
    CComRef<IPin> pin;
    CComRef<IAMStreamConfig> config;
};

TEST_F(SimStreamConfigTest, CapabilitiesListTheEightFormats)
{
    int count = 0, size = 0;
    ASSERT_EQ(S_OK, config->GetNumberOfCapabilities(&count, &size));
    EXPECT_EQ(8, count);
    EXPECT_EQ((int)sizeof(VIDEO_STREAM_CONFIG_CAPS), size);
    const struct
    {
        DWORD compression;
        WORD bits;
        DWORD size;
        LONG granularityY;
    } expected[] = {
        { MAKEFOURCC('Y', 'U', 'Y', '2'), 16, 829440, 2 }, { MAKEFOURCC('U', 'Y', 'V', 'Y'), 16, 829440, 2 },
        { MAKEFOURCC('Y', 'V', '1', '2'), 12, 622080, 2 }, { MAKEFOURCC('Y', 'V', 'U', '9'), 9, 466560, 4 },
        { BI_RGB, 24, 1244160, 2 },                        { BI_RGB, 16, 829440, 2 },
        { MAKEFOURCC('C', 'X', 'F', '1'), 16, 829440, 2 }, { MAKEFOURCC('C', 'X', 'F', '2'), 16, 829440, 2 },
    };
    for (int i = 0; i < count; ++i) {
        MediaTypeHolder holder;
        VIDEO_STREAM_CONFIG_CAPS caps = {};
        ASSERT_EQ(S_OK, config->GetStreamCaps(i, &holder.type, (BYTE*)&caps)) << i;
        const VIDEOINFOHEADER* v = CAmMediaType::VideoInfoOf(*holder.type);
        ASSERT_TRUE(v != nullptr);
        EXPECT_EQ(expected[i].compression, v->bmiHeader.biCompression) << i;
        EXPECT_EQ(expected[i].bits, v->bmiHeader.biBitCount) << i;
        EXPECT_EQ(expected[i].size, v->bmiHeader.biSizeImage) << i;
        EXPECT_EQ(720, v->bmiHeader.biWidth) << i;
        EXPECT_EQ(576, v->bmiHeader.biHeight) << i;
        EXPECT_EQ(400000, v->AvgTimePerFrame) << i;
        EXPECT_EQ(160, caps.MinOutputSize.cx);
        EXPECT_EQ(120, caps.MinOutputSize.cy);
        EXPECT_EQ(720, caps.MaxOutputSize.cx);
        EXPECT_EQ(576, caps.MaxOutputSize.cy);
        EXPECT_EQ(expected[i].granularityY, caps.OutputGranularityY) << i;
        EXPECT_EQ(333333, caps.MinFrameInterval);
        EXPECT_EQ(10000000, caps.MaxFrameInterval);
        EXPECT_EQ(0x001FFFF7u, caps.VideoStandard);
    }
}

TEST_F(SimStreamConfigTest, DefaultFollowsTheTvFormat)
{
    CComRef<IAMAnalogVideoDecoder> decoder;
    ASSERT_EQ(S_OK, capture->QueryInterface(IID_IAMAnalogVideoDecoder, decoder.ReceiveVoid()));
    ASSERT_EQ(S_OK, decoder->put_TVFormat(AnalogVideo_NTSC_M));
    MediaTypeHolder holder;
    ASSERT_EQ(S_OK, config->GetFormat(&holder.type));
    const VIDEOINFOHEADER* v = CAmMediaType::VideoInfoOf(*holder.type);
    ASSERT_TRUE(v != nullptr);
    EXPECT_EQ(720, v->bmiHeader.biWidth);
    EXPECT_EQ(480, v->bmiHeader.biHeight);
    EXPECT_EQ(333333, v->AvgTimePerFrame);
    EXPECT_TRUE(IsEqualGUID(SUBTYPE_YUY2, holder.type->subtype));
}

TEST_F(SimStreamConfigTest, SetFormatTakesWhatTheCardCanCapture)
{
    const struct
    {
        const GUID* subtype;
        LONG width;
        LONG height;
        LONGLONG interval;
        HRESULT result;
    } cases[] = {
        { &SUBTYPE_YUY2, 320, 240, 400000, S_OK },
        { &SUBTYPE_YUY2, 176, 144, 0, S_OK },
        { &SUBTYPE_YUY2, 704, 352, 333333, S_OK },
        { &MEDIASUBTYPE_RGB24, 640, -480, 400000, S_OK },
        { &SUBTYPE_YUY2, 640, -480, 400000, VFW_E_INVALIDMEDIATYPE },
        { &SUBTYPE_YUY2, 724, 480, 400000, VFW_E_INVALIDMEDIATYPE },
        { &SUBTYPE_YUY2, 152, 120, 400000, VFW_E_INVALIDMEDIATYPE },
        { &SUBTYPE_YUY2, 720, 578, 400000, VFW_E_INVALIDMEDIATYPE },
        { &SUBTYPE_YUY2, 720, 241, 400000, VFW_E_INVALIDMEDIATYPE },
        { &SUBTYPE_YVU9, 720, 242, 400000, VFW_E_INVALIDMEDIATYPE },
        { &SUBTYPE_YUY2, 320, 240, 333332, VFW_E_INVALIDMEDIATYPE },
        { &SUBTYPE_YUY2, 320, 240, 10000001, VFW_E_INVALIDMEDIATYPE },
        { &MEDIASUBTYPE_RGB32, 320, 240, 400000, VFW_E_INVALIDMEDIATYPE },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        CAmMediaType type = Video(*cases[i].subtype, cases[i].width, cases[i].height, 16, 0, 0, cases[i].interval);
        EXPECT_EQ(cases[i].result, config->SetFormat(&type)) << i;
    }
}

TEST_F(SimStreamConfigTest, SubtypeDecidesTheBitmapFields)
{
    CAmMediaType type = Video(SUBTYPE_YUY2, 320, 240, 24, BI_RGB, 5, 0);
    ASSERT_EQ(S_OK, config->SetFormat(&type));
    EXPECT_TRUE(Traced("V fixup YUY2 320x240 size=153600"));
    EXPECT_TRUE(Traced("V cap YUY2 320x240 400000"));
    MediaTypeHolder holder;
    ASSERT_EQ(S_OK, config->GetFormat(&holder.type));
    const VIDEOINFOHEADER* v = CAmMediaType::VideoInfoOf(*holder.type);
    ASSERT_TRUE(v != nullptr);
    EXPECT_EQ(16, v->bmiHeader.biBitCount);
    EXPECT_EQ(MAKEFOURCC('Y', 'U', 'Y', '2'), v->bmiHeader.biCompression);
    EXPECT_EQ(153600u, v->bmiHeader.biSizeImage);
    EXPECT_EQ(400000, v->AvgTimePerFrame);

    // Afterwards the pin offers that type alone; the preview pin keeps its own.
    CComRef<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, pin->EnumMediaTypes(types.Receive()));
    AM_MEDIA_TYPE* listed[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, types->Next(2, listed, &fetched));
    EXPECT_EQ(1u, fetched);
    for (ULONG i = 0; i < fetched; ++i)
        CAmMediaType::Delete(listed[i]);

    CComRef<IPin> preview;
    ASSERT_EQ(S_OK, capture->FindPin(L"Preview", preview.Receive()));
    CComRef<IAMStreamConfig> previewConfig;
    ASSERT_EQ(S_OK, preview->QueryInterface(IID_IAMStreamConfig, previewConfig.ReceiveVoid()));
    MediaTypeHolder previewType;
    ASSERT_EQ(S_OK, previewConfig->GetFormat(&previewType.type));
    EXPECT_EQ(720, CAmMediaType::VideoInfoOf(*previewType.type)->bmiHeader.biWidth);
}

TEST_F(SimStreamConfigTest, AudioPinOffersPcmAndItsInputLines)
{
    CComRef<IBaseFilter> audio = Bind(CLSID_AudioInputDeviceCategory, "Conexant 2388x_1 Audio Capture");
    ASSERT_TRUE(audio);
    CComRef<IPin> out;
    ASSERT_EQ(S_OK, audio->FindPin(L"Capture", out.Receive()));
    CComRef<IAMStreamConfig> audioConfig;
    ASSERT_EQ(S_OK, out->QueryInterface(IID_IAMStreamConfig, audioConfig.ReceiveVoid()));
    MediaTypeHolder holder;
    ASSERT_EQ(S_OK, audioConfig->GetFormat(&holder.type));
    const WAVEFORMATEX* f = CAmMediaType::WaveFormatOf(*holder.type);
    ASSERT_TRUE(f != nullptr);
    EXPECT_EQ(44100u, f->nSamplesPerSec);
    EXPECT_EQ(2, f->nChannels);
    EXPECT_EQ(16, f->wBitsPerSample);

    const struct
    {
        DWORD rate;
        WORD channels;
        WORD bits;
        WORD align;
        HRESULT result;
    } cases[] = {
        { 8000, 1, 8, 1, S_OK },      { 48000, 2, 16, 4, S_OK },     { 7999, 1, 8, 1, VFW_E_INVALIDMEDIATYPE },
        { 48001, 1, 8, 1, VFW_E_INVALIDMEDIATYPE }, { 22050, 3, 16, 6, VFW_E_INVALIDMEDIATYPE },
        { 22050, 2, 12, 3, VFW_E_INVALIDMEDIATYPE }, { 22050, 2, 16, 2, VFW_E_INVALIDMEDIATYPE },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        WAVEFORMATEX w = {};
        w.wFormatTag = WAVE_FORMAT_PCM;
        w.nChannels = cases[i].channels;
        w.nSamplesPerSec = cases[i].rate;
        w.wBitsPerSample = cases[i].bits;
        w.nBlockAlign = cases[i].align;
        w.nAvgBytesPerSec = cases[i].rate * cases[i].align;
        CAmMediaType type;
        type.SetWaveFormat(w);
        EXPECT_EQ(cases[i].result, audioConfig->SetFormat(&type)) << i;
    }

    for (const WCHAR* name : { L"\x7EBF\x8DEF\x8F93\x5165", L"Line In" }) {
        CComRef<IPin> line;
        ASSERT_EQ(S_OK, audio->FindPin(name, line.Receive()));
        PIN_DIRECTION direction;
        ASSERT_EQ(S_OK, line->QueryDirection(&direction));
        EXPECT_EQ(PINDIR_INPUT, direction);
        CComRef<IAMAudioInputMixer> mixer;
        ASSERT_EQ(S_OK, line->QueryInterface(IID_IAMAudioInputMixer, mixer.ReceiveVoid()));
        BOOL enabled = FALSE;
        ASSERT_EQ(S_OK, mixer->get_Enable(&enabled));
        EXPECT_TRUE(enabled);
        double level = 0;
        ASSERT_EQ(S_OK, mixer->get_MixLevel(&level));
        EXPECT_EQ(1.0, level);
        EXPECT_EQ(E_INVALIDARG, mixer->put_MixLevel(1.5));
        ASSERT_EQ(S_OK, mixer->put_MixLevel(0.25));
        ASSERT_EQ(S_OK, mixer->get_MixLevel(&level));
        EXPECT_EQ(0.25, level);
        ASSERT_EQ(S_OK, mixer->put_MixLevel(AMF_AUTOMATICGAIN));
        ASSERT_EQ(S_OK, mixer->get_MixLevel(&level));
        EXPECT_EQ(1.0, level);
        EXPECT_EQ(E_NOTIMPL, mixer->put_Mono(TRUE));
    }
}
