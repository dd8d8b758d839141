#include "HelperProcess.h"
#include "StandInGraph.h"
#include "TempFolder.h"
#include "simifaces.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <string>

namespace
{
const CLSID CLSID_Deinterlace = { 0xC5683497, 0x12D5, 0x4ED1, { 0xBF, 0x8D, 0xE5, 0x3B, 0x34, 0x9B, 0x09, 0x81 } };
const LONG WIDTH = 320;
const LONG HEIGHT = 240;
// The last row of the ID band: odd, so rebuilt from the ID band above and the frame-number
// band below when the top field is kept.
const LONG SEAM_ROW = HEIGHT / 8 - 1;

std::wstring Wide(const std::string& text)
{
    WCHAR buffer[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH);
    return buffer;
}

BYTE LumaAt(const GrabbedSample& picture, LONG row, LONG x)
{
    return picture.bytes[((size_t)row * WIDTH + x) * 2];
}

// The preview of the deinterlace filter over the card, as the program builds it.
struct DeinterlaceGraph
{
    HRESULT Build()
    {
        HRESULT hr = graph.AddCard(WIDTH, HEIGHT);
        if (SUCCEEDED(hr))
            hr = graph.AddNew(CLSID_Deinterlace, L"Quorvex Deinterlace", &filter);
        if (SUCCEEDED(hr))
            hr = filter->QueryInterface(IID_IDeinterlaceControl, reinterpret_cast<void**>(control.Receive()));
        if (SUCCEEDED(hr))
            hr = graph.Connect(graph.Capture(), L"Capture", filter.Get(), L"Input");
        if (SUCCEEDED(hr))
            hr = graph.Grab(filter.Get(), L"Preview", &preview);
        return hr;
    }

    SampleCollector preview;
    StandInGraph graph;
    CComRef<IBaseFilter> filter;
    CComRef<IDeinterlaceControl> control;
};

class DeinterlaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(S_OK, deinterlace.Build());
    }
    void TearDown() override { CoUninitialize(); }

    // The next picture shown after the switches took effect.
    GrabbedSample NextPicture()
    {
        GrabbedSample picture;
        EXPECT_TRUE(deinterlace.preview.WaitForNext(2, &picture));
        return picture;
    }

    DeinterlaceGraph deinterlace;
};

DWORD DecodeJpegId(const std::wstring& path, UINT* width, UINT* height)
{
    CComRef<IWICImagingFactory> factory;
    CComRef<IWICBitmapDecoder> decoder;
    CComRef<IWICBitmapFrameDecode> frame;
    CComRef<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.ReceiveVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Receive())) ||
        FAILED(decoder->GetFrame(0, frame.Receive())) || FAILED(frame->GetSize(width, height)) ||
        FAILED(factory->CreateFormatConverter(converter.Receive())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return 0;
    UINT stride = (*width * 3 + 3) & ~3u;
    std::vector<BYTE> rows(stride * *height);
    if (FAILED(converter->CopyPixels(nullptr, stride, (UINT)rows.size(), rows.data())))
        return 0;
    return ReadIdWordBgr(rows.data(), *width, *height, stride, false);
}
}

TEST_F(DeinterlaceTest, HighQualityKeepsStillLinesThatLineDoublingRebuilds)
{
    ASSERT_EQ(S_OK, deinterlace.graph.Run());

    ASSERT_EQ(S_OK, deinterlace.control->SetHighQuality(0));
    GrabbedSample doubled = NextPicture();
    ASSERT_EQ((size_t)WIDTH * HEIGHT * 2, doubled.bytes.size());
    ASSERT_EQ(StandInGraph::STATION_ID, ReadIdWord(doubled.bytes.data(), WIDTH, HEIGHT));
    int blended = 0;
    for (LONG x = 0; x < WIDTH; ++x) {
        int above = LumaAt(doubled, SEAM_ROW - 1, x), below = LumaAt(doubled, SEAM_ROW + 1, x);
        EXPECT_EQ((above + below + 1) / 2, LumaAt(doubled, SEAM_ROW, x)) << x;
        blended += above != below;
    }
    EXPECT_GT(blended, 0) << "the two bands differ somewhere, so the seam shows the blend";

    ASSERT_EQ(S_OK, deinterlace.control->SetHighQuality(1));
    GrabbedSample woven = NextPicture();
    for (LONG x = 0; x < WIDTH; ++x)
        EXPECT_EQ(LumaAt(woven, SEAM_ROW - 1, x), LumaAt(woven, SEAM_ROW, x)) << x;
}

TEST_F(DeinterlaceTest, FullRateGivesEachFieldItsOwnPicture)
{
    ASSERT_EQ(S_OK, deinterlace.control->SetHalfRate(VARIANT_FALSE));
    ASSERT_EQ(S_OK, deinterlace.graph.Run());
    ASSERT_TRUE(deinterlace.preview.WaitForNext(6));
    std::vector<GrabbedSample> pictures = deinterlace.preview.Samples();
    ASSERT_GE(pictures.size(), 6u);
    for (size_t i = pictures.size() - 4; i < pictures.size(); ++i)
        EXPECT_EQ(200000, pictures[i].stop - pictures[i].start) << i;
}

TEST_F(DeinterlaceTest, SwitchesReadBackAndRefuseAStrengthOutOfRange)
{
    IDeinterlaceControl* control = deinterlace.control.Get();
    LONG value = -1;
    VARIANT_BOOL flag = 1;
    EXPECT_EQ(S_OK, control->GetHalfRate(&flag));
    EXPECT_EQ(VARIANT_TRUE, flag);
    EXPECT_EQ(S_OK, control->SetNoiseReduce(VARIANT_TRUE));
    EXPECT_EQ(S_OK, control->GetNoiseReduce(&flag));
    EXPECT_EQ(VARIANT_TRUE, flag);
    EXPECT_EQ(S_OK, control->SetReduceValue(6));
    EXPECT_EQ(E_INVALIDARG, control->SetReduceValue(11));
    EXPECT_EQ(E_INVALIDARG, control->SetReduceValue(-1));
    EXPECT_EQ(S_OK, control->GetReduceValue(&value));
    EXPECT_EQ(6, value);
    EXPECT_EQ(S_OK, control->SetSmallFrame(VARIANT_TRUE));
    EXPECT_EQ(S_OK, control->GetSmallFrame(&flag));
    EXPECT_EQ(VARIANT_TRUE, flag);
}

TEST_F(DeinterlaceTest, SnapshotsHoldThePictureShown)
{
    TempFolder folder;
    std::wstring bmp = Wide(folder.FilePath("a.bmp")), jpg = Wide(folder.FilePath("a.jpg"));
    IDeinterlaceControl* control = deinterlace.control.Get();
    EXPECT_EQ(VFW_E_NOT_RUNNING, control->SaveSnapshot(bmp.c_str(), 1, 80));
    EXPECT_EQ(E_POINTER, control->SaveSnapshot(nullptr, 1, 80));
    EXPECT_EQ(E_INVALIDARG, control->SaveSnapshot(bmp.c_str(), 3, 80));
    ASSERT_EQ(S_OK, deinterlace.graph.Run());

    ASSERT_EQ(S_OK, control->SaveSnapshot(bmp.c_str(), 1, 80));
    std::string file = folder.Read("a.bmp");
    ASSERT_EQ(54u + WIDTH * HEIGHT * 3, file.size());
    EXPECT_EQ("BM", file.substr(0, 2));
    EXPECT_EQ(54, *reinterpret_cast<const DWORD*>(file.data() + 10));
    EXPECT_EQ(StandInGraph::STATION_ID,
              ReadIdWordBgr(reinterpret_cast<const BYTE*>(file.data()) + 54, WIDTH, HEIGHT, WIDTH * 3, true));

    ASSERT_EQ(S_OK, control->SaveSnapshot(jpg.c_str(), 2, 80));
    EXPECT_EQ("\xFF\xD8\xFF", folder.Read("a.jpg").substr(0, 3));
    UINT width = 0, height = 0;
    EXPECT_EQ(StandInGraph::STATION_ID, DecodeJpegId(jpg, &width, &height));
    EXPECT_EQ((UINT)WIDTH, width);
    EXPECT_EQ((UINT)HEIGHT, height);
}

TEST_F(DeinterlaceTest, SnapshotWithoutPicturesTimesOutAndWritesNothing)
{
    TempFolder folder;
    std::wstring bmp = Wide(folder.FilePath("none.bmp"));
    CComRef<IMediaControl> media;
    ASSERT_EQ(S_OK, deinterlace.graph.Graph()->QueryInterface(IID_IMediaControl, media.ReceiveVoid()));
    // Paused, a live source sends nothing.
    ASSERT_TRUE(SUCCEEDED(media->Pause()));
    EXPECT_EQ(E_FAIL, deinterlace.control->SaveSnapshot(bmp.c_str(), 1, 80));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(bmp.c_str()));
}

// For the shell test: snapshots into the folder given, for tools outside Wine to open.
SUITE_HELPER(WriteSnapshots)
{
    if (args.size() != 1 || FAILED(CoInitialize(nullptr)))
        return 2;
    int result = 1;
    {
        DeinterlaceGraph deinterlace;
        std::wstring folder = Wide(args[0]);
        if (SUCCEEDED(deinterlace.Build()) && SUCCEEDED(deinterlace.graph.Run()) &&
            deinterlace.preview.WaitForNext(2) &&
            deinterlace.control->SaveSnapshot((folder + L"\\snap.bmp").c_str(), 1, 80) == S_OK &&
            deinterlace.control->SaveSnapshot((folder + L"\\snap.jpg").c_str(), 2, 80) == S_OK)
            result = 0;
    }
    CoUninitialize();
    return result;
}
