#include "SimFilterFixture.h"

#include "AmMediaType.h"

#include <qedit.h>

#include <mutex>
#include <vector>

namespace
{
const GUID SUBTYPE_YUY2 = { MAKEFOURCC('Y', 'U', 'Y', '2'), 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
// Wine's qedit classes; mingw's headers declare their interfaces only.
const CLSID CLSID_SampleGrabberFilter = { 0xC1F400A0, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
const CLSID CLSID_NullRendererFilter = { 0xC1F400A4, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
const LONG WIDTH = 320;
const LONG HEIGHT = 240;
const DWORD WAIT_MS = 20000;

struct Frame
{
    REFERENCE_TIME start;
    REFERENCE_TIME stop;
    long size;
    DWORD id;
    DWORD number;
    bool noise;
};

// Collects what the sample grabber sees, on the streaming thread.
class FrameCollector : public ISampleGrabberCB
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISampleGrabberCB)) {
            *out = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP SampleCB(double, IMediaSample* sample) override
    {
        Frame f = {};
        sample->GetTime(&f.start, &f.stop);
        f.size = sample->GetActualDataLength();
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        if (audio) {
            std::lock_guard<std::mutex> guard(lock);
            blocks.emplace_back(data, data + f.size);
            return S_OK;
        }
        if (f.size == WIDTH * HEIGHT * 2) {
            f.id = SimFrameReader::Band(data, WIDTH, HEIGHT, 0);
            f.number = SimFrameReader::Band(data, WIDTH, HEIGHT, 1);
            f.noise = SimFrameReader::IsNoise(data, WIDTH, HEIGHT);
        }
        std::lock_guard<std::mutex> guard(lock);
        frames.push_back(f);
        return S_OK;
    }
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    // Waits until pred holds for the frames seen so far.
    template <class P> bool WaitFor(P pred)
    {
        for (DWORD waited = 0; waited < WAIT_MS; waited += 10) {
            {
                std::lock_guard<std::mutex> guard(lock);
                if (pred(frames, blocks))
                    return true;
            }
            Sleep(10);
        }
        return false;
    }

    bool audio = false;
    std::mutex lock;
    std::vector<Frame> frames;
    std::vector<std::vector<BYTE>> blocks;
};

int ZeroCrossings(const std::vector<BYTE>& block)
{
    int crossings = 0;
    for (size_t i = 4; i + 1 < block.size(); i += 4) {
        short previous = (short)(block[i - 4] | block[i - 3] << 8);
        short current = (short)(block[i] | block[i + 1] << 8);
        if ((previous < 0) != (current < 0))
            ++crossings;
    }
    return crossings;
}
}

class SimStreamingTest : public SimFilterFixture
{
protected:
    void SetUp() override
    {
        SimFilterFixture::SetUp();
        control("tv 49750 471250");
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         graph.ReceiveVoid()));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_ICaptureGraphBuilder2, builder.ReceiveVoid()));
        ASSERT_EQ(S_OK, builder->SetFiltergraph(graph.Get()));
    }

    void TearDown() override
    {
        if (graph) {
            CComRef<IMediaControl> control;
            if (SUCCEEDED(graph->QueryInterface(IID_IMediaControl, control.ReceiveVoid())))
                control->Stop();
        }
        builder.Reset();
        graph.Reset();
        SimFilterFixture::TearDown();
    }

    // source's pin of the category -> sample grabber -> null renderer, then Run.
    void Render(IBaseFilter* source, const GUID& major)
    {
        ASSERT_EQ(S_OK, graph->AddFilter(source, L"Source"));
        CComRef<IBaseFilter> grabber, sink;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_SampleGrabberFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                         grabber.ReceiveVoid()));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_NullRendererFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                         sink.ReceiveVoid()));
        CComRef<ISampleGrabber> sampleGrabber;
        ASSERT_EQ(S_OK, grabber->QueryInterface(IID_ISampleGrabber, sampleGrabber.ReceiveVoid()));
        ASSERT_EQ(S_OK, sampleGrabber->SetCallback(&collector, 0));
        ASSERT_EQ(S_OK, graph->AddFilter(grabber.Get(), L"Grabber"));
        ASSERT_EQ(S_OK, graph->AddFilter(sink.Get(), L"Sink"));
        ASSERT_TRUE(SUCCEEDED(builder->RenderStream(&PIN_CATEGORY_CAPTURE, &major, source, grabber.Get(), sink.Get())));
        CComRef<IMediaControl> control;
        ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaControl, control.ReceiveVoid()));
        ASSERT_TRUE(SUCCEEDED(control->Run()));
    }

    void SetVideoFormat(IBaseFilter* capture)
    {
        CComRef<IAMStreamConfig> config;
        ASSERT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, capture, IID_IAMStreamConfig,
                                               config.ReceiveVoid()));
        VIDEOINFOHEADER v = {};
        v.AvgTimePerFrame = 400000;
        v.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        v.bmiHeader.biWidth = WIDTH;
        v.bmiHeader.biHeight = HEIGHT;
        CAmMediaType type;
        type.SetVideoInfo(SUBTYPE_YUY2, v);
        ASSERT_EQ(S_OK, config->SetFormat(&type));
    }

    void Tune(const std::vector<BYTE>& bytes)
    {
        SimFilterRequests bus(tuner.Get());
        ASSERT_EQ(S_OK, bus.Write(bytes));
    }

    CComRef<IGraphBuilder> graph;
    CComRef<ICaptureGraphBuilder2> builder;
    FrameCollector collector;
};

TEST_F(SimStreamingTest, CapturePinStreamsTheTunedStationAtTheSetRate)
{
    CComRef<IBaseFilter> capture = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
    ASSERT_TRUE(capture);
    SetVideoFormat(capture.Get());
    Render(capture.Get(), MEDIATYPE_Video);

    // Nothing tuned yet: noise.
    ASSERT_TRUE(collector.WaitFor([](const std::vector<Frame>& f, const std::vector<std::vector<BYTE>>&) {
        return f.size() >= 3;
    }));
    {
        std::lock_guard<std::mutex> guard(collector.lock);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(k * 400000LL, collector.frames[k].start) << k;
            EXPECT_EQ((k + 1) * 400000LL, collector.frames[k].stop) << k;
            EXPECT_EQ(WIDTH * HEIGHT * 2, collector.frames[k].size);
            EXPECT_TRUE(collector.frames[k].noise) << k;
        }
    }

    // 49750 kHz is station 0, 471250 kHz station 1 (tuner source 1 in the top bits).
    Tune({ 0xC0, 0x05, 0x8A, 0xCE, 0xA0 });
    EXPECT_TRUE(collector.WaitFor([](const std::vector<Frame>& f, const std::vector<std::vector<BYTE>>&) {
        return !f.empty() && !f.back().noise && f.back().id == 0x1000C256;
    }));
    Tune({ 0xC0, 0x1F, 0xE2, 0xCE, 0x30 });
    EXPECT_TRUE(collector.WaitFor([](const std::vector<Frame>& f, const std::vector<std::vector<BYTE>>&) {
        return !f.empty() && !f.back().noise && f.back().id == 0x101730D2;
    }));
    {
        std::lock_guard<std::mutex> guard(collector.lock);
        const Frame& last = collector.frames.back();
        EXPECT_EQ(last.start / 400000, (LONGLONG)last.number);
    }
    // Off every station again: noise.
    Tune({ 0xC0, 0x06, 0x0A, 0xCE, 0xA0 });
    EXPECT_TRUE(collector.WaitFor([](const std::vector<Frame>& f, const std::vector<std::vector<BYTE>>&) {
        return !f.empty() && f.back().noise;
    }));
}

TEST_F(SimStreamingTest, AudioPinPlaysTheStationsTone)
{
    collector.audio = true;
    CComRef<IBaseFilter> audio = Bind(CLSID_AudioInputDeviceCategory, "Conexant 2388x_1 Audio Capture");
    ASSERT_TRUE(audio);
    Tune({ 0xC0, 0x1F, 0xE2, 0xCE, 0x30 });
    Render(audio.Get(), MEDIATYPE_Audio);
    // 20 ms of 44.1 kHz stereo; station 1 plays 600 Hz: 24 zero crossings per block.
    ASSERT_TRUE(collector.WaitFor([](const std::vector<Frame>&, const std::vector<std::vector<BYTE>>& b) {
        return b.size() >= 3;
    }));
    {
        std::lock_guard<std::mutex> guard(collector.lock);
        EXPECT_EQ(3528u, collector.blocks[2].size());
        int crossings = ZeroCrossings(collector.blocks[2]);
        EXPECT_GE(crossings, 23);
        EXPECT_LE(crossings, 25);
    }
    // Mute through the GPIO audio bits: silence.
    SimFilterRequests bus(tuner.Get());
    ASSERT_EQ(S_OK, bus.WriteGpio(0x00007000, 0x00003000));
    size_t seen = 0;
    {
        std::lock_guard<std::mutex> guard(collector.lock);
        seen = collector.blocks.size();
    }
    EXPECT_TRUE(collector.WaitFor([&](const std::vector<Frame>&, const std::vector<std::vector<BYTE>>& b) {
        if (b.size() < seen + 2)
            return false;
        for (BYTE v : b.back()) {
            if (v != 0)
                return false;
        }
        return true;
    }));
}
