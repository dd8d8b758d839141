// The preview road under Wine: the deinterlace filter's YUY2 reaches the video renderer
// through the system's AVI decompressor, which finds the YUY2 codec through system.ini.
#include "StandInGraph.h"

#include <gtest/gtest.h>
#include <vfw.h>

#include <string.h>

namespace
{
const CLSID CLSID_Deinterlace = { 0xC5683497, 0x12D5, 0x4ED1, { 0xBF, 0x8D, 0xE5, 0x3B, 0x34, 0x9B, 0x09, 0x81 } };
const LONG WIDTH = 320;
const LONG HEIGHT = 240;

BITMAPINFOHEADER Header(DWORD compression, WORD bits, LONG width, LONG height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = compression;
    header.biSizeImage = width * (height < 0 ? -height : height) * bits / 8;
    return header;
}

class PreviewPathTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};
}

TEST_F(PreviewPathTest, CodecTurnsStudioRangeIntoFullRangeRgb)
{
    struct Case
    {
        DWORD fourcc;
        BYTE in[4];
        BYTE out[8];
    };
    const Case cases[] = {
        { MAKEFOURCC('Y', 'U', 'Y', '2'), { 0xEB, 0x80, 0xEB, 0x80 }, { 0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0 } },
        { MAKEFOURCC('Y', 'U', 'Y', '2'), { 0x10, 0x80, 0x10, 0x80 }, { 0, 0, 0, 0, 0, 0, 0, 0 } },
        { MAKEFOURCC('U', 'Y', 'V', 'Y'), { 0x80, 0xEB, 0x80, 0x10 }, { 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0 } },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        BITMAPINFOHEADER in = Header(cases[i].fourcc, 16, 2, 1);
        BITMAPINFOHEADER out = Header(BI_RGB, 32, 2, 1);
        HIC codec = ICLocate(ICTYPE_VIDEO, cases[i].fourcc, &in, nullptr, ICMODE_DECOMPRESS);
        ASSERT_NE(nullptr, codec) << i;
        ICINFO info = {};
        ASSERT_NE(0, ICGetInfo(codec, &info, sizeof(info))) << i;
        EXPECT_STREQ(L"Sim YUY2 decompressor", info.szDescription) << i;
        BYTE rgb[8] = { 1, 1, 1, 1, 1, 1, 1, 1 };
        ASSERT_EQ(ICERR_OK, ICDecompressBegin(codec, &in, &out)) << i;
        ASSERT_EQ(ICERR_OK, (LRESULT)ICDecompress(codec, 0, &in, const_cast<BYTE*>(cases[i].in), &out, rgb)) << i;
        ICDecompressEnd(codec);
        ICClose(codec);
        EXPECT_EQ(0, memcmp(cases[i].out, rgb, 8)) << i;
    }
    BITMAPINFOHEADER odd = Header(MAKEFOURCC('Y', 'U', 'Y', '2'), 16, 3, 1);
    EXPECT_EQ(nullptr, ICLocate(ICTYPE_VIDEO, odd.biCompression, &odd, nullptr, ICMODE_DECOMPRESS));
}

TEST_F(PreviewPathTest, DecompressorFeedsTheCardsPictureAsRgb)
{
    SampleCollector rgb;
    StandInGraph graph;
    CComRef<IBaseFilter> deinterlace, decompressor;
    ASSERT_EQ(S_OK, graph.AddCard(WIDTH, HEIGHT));
    ASSERT_EQ(S_OK, graph.AddNew(CLSID_Deinterlace, L"Quorvex Deinterlace", &deinterlace));
    ASSERT_EQ(S_OK, graph.AddNew(CLSID_AVIDec, L"AVI Decompressor", &decompressor));
    ASSERT_EQ(S_OK, graph.Connect(graph.Capture(), L"Capture", deinterlace.Get(), L"Input"));
    ASSERT_EQ(S_OK, graph.Connect(deinterlace.Get(), L"Preview", decompressor.Get(), nullptr));
    // As the video renderer does, the grabber takes RGB only.
    ASSERT_EQ(S_OK, graph.Grab(decompressor.Get(), nullptr, &rgb, &MEDIASUBTYPE_RGB32));
    ASSERT_EQ(S_OK, graph.Run());
    GrabbedSample picture;
    ASSERT_TRUE(rgb.WaitForNext(2, &picture));
    ASSERT_EQ((size_t)WIDTH * HEIGHT * 4, picture.bytes.size());
    // Bottom-up RGB32: read the ID band through a 24-bit view of each row's blue, green, red.
    std::vector<BYTE> rows((size_t)WIDTH * HEIGHT * 3);
    for (size_t p = 0; p < (size_t)WIDTH * HEIGHT; ++p)
        memcpy(&rows[p * 3], &picture.bytes[p * 4], 3);
    EXPECT_EQ(StandInGraph::STATION_ID, ReadIdWordBgr(rows.data(), WIDTH, HEIGHT, WIDTH * 3, true));
}

TEST_F(PreviewPathTest, RendererTakesThePreviewThroughTheDecompressor)
{
    StandInGraph graph;
    CComRef<IBaseFilter> deinterlace, renderer;
    ASSERT_EQ(S_OK, graph.AddCard(WIDTH, HEIGHT));
    ASSERT_EQ(S_OK, graph.AddNew(CLSID_Deinterlace, L"Quorvex Deinterlace", &deinterlace));
    ASSERT_EQ(S_OK, graph.AddNew(CLSID_VideoRenderer, L"Render", &renderer));
    ASSERT_EQ(S_OK, graph.Connect(graph.Capture(), L"Capture", deinterlace.Get(), L"Input"));
    CComRef<IPin> preview, input;
    ASSERT_EQ(S_OK, deinterlace->FindPin(L"Preview", preview.Receive()));
    CComRef<IEnumPins> pins;
    ASSERT_EQ(S_OK, renderer->EnumPins(pins.Receive()));
    ASSERT_EQ(S_OK, pins->Next(1, input.Receive(), nullptr));
    ASSERT_TRUE(SUCCEEDED(graph.Graph()->Connect(preview.Get(), input.Get())));
    CComRef<IBaseFilter> inserted;
    EXPECT_EQ(S_OK, graph.Graph()->FindFilterByName(L"AVI Decompressor", inserted.Receive()));
}
