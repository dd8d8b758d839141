// The ACM Wrapper wrapper in a graph, over the prefix's ACM Wrapper (the stand-in that
// takes PCM), and a recording of the card's sound through it.
#include "AcmWrapperFilter.h"
#include "AudioCaptureDevice.h"
#include "AudioGraphTest.h"

#include "HelperProcess.h"

#include <dshow.h>
#include <qedit.h>

#include <mutex>
#include <string>
#include <vector>

EXTERN_C const CLSID CLSID_SampleGrabber;
EXTERN_C const CLSID CLSID_NullRenderer;

namespace
{

const CLSID CLSID_AcmWrapper = {0x6A08CF80, 0x0E18, 0x11CF, {0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67}};

// The stand-ins' switches of the ACM Wrapper, set for one test and removed after it.
class AcmSwitch
{
public:
    AcmSwitch(const char* name, const char* value) : m_name(name)
    {
        HKEY key = NULL;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sim\\acm", 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
            RegCloseKey(key);
        }
    }
    ~AcmSwitch()
    {
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sim\\acm", 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, m_name.c_str());
            RegCloseKey(key);
        }
    }

private:
    std::string m_name;
};

class AcmWrapperFilterTest : public AudioGraphTest
{
protected:
    CAcmWrapperFilter* AddAcm()
    {
        return dynamic_cast<CAcmWrapperFilter*>(builder->AddFilter(CLSID_AcmWrapper, "ACM Wrapper"));
    }

    static DWORD CurrentRate(CAcmWrapperFilter* acm)
    {
        CComRef<IAMStreamConfig> config;
        AM_MEDIA_TYPE* type = nullptr;
        DWORD rate = 0;
        if (SUCCEEDED(acm->GetFilter()->QueryInterface(IID_IAMStreamConfig, config.ReceiveVoid())) &&
            SUCCEEDED(config->GetFormat(&type))) {
            rate = CAmMediaType::WaveFormatOf(*type) ? CAmMediaType::WaveFormatOf(*type)->nSamplesPerSec : 0;
            CAmMediaType::Delete(type);
        }
        return rate;
    }
};

TEST_F(AcmWrapperFilterTest, MadeThroughItsRecordInTheGraph)
{
    CAcmWrapperFilter* acm = AddAcm();
    ASSERT_NE(nullptr, acm);
    EXPECT_TRUE(acm->IsValid());
    EXPECT_TRUE(acm->IsInGraph());
    EXPECT_EQ(acm, builder->FindWrapper("ACM Wrapper"));
}

TEST_F(AcmWrapperFilterTest, FindsAndSetsTheRecordingFormats)
{
    CAcmWrapperFilter* acm = AddAcm();
    ASSERT_NE(nullptr, acm);
    struct Case
    {
        DWORD rate;
        WORD bits;
        BOOL offered;
    } cases[] = {{44100, 16, TRUE}, {48000, 16, TRUE}, {22050, 16, TRUE}, {8000, 16, TRUE},
                 {96000, 16, FALSE}, {44100, 8, FALSE}, {44100, 24, FALSE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        CAmMediaType type;
        EXPECT_EQ(c.offered, acm->FindAudioMediaType(&type, c.rate, c.bits));
        if (c.offered) {
            ASSERT_NE(nullptr, type.WaveFormat());
            EXPECT_EQ(c.rate, type.WaveFormat()->nSamplesPerSec);
            EXPECT_EQ(c.bits, type.WaveFormat()->wBitsPerSample);
            EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Audio, type.majortype));
        }
        EXPECT_EQ(c.offered, acm->SetAudioFormat(c.rate, c.bits));
    }
    ASSERT_TRUE(acm->SetAudioFormat(48000, 16));
    EXPECT_EQ(48000u, CurrentRate(acm));
    EXPECT_FALSE(acm->FindAudioMediaType(nullptr, 48000, 16));
}

TEST_F(AcmWrapperFilterTest, RatesSwitchNarrowsTheFormats)
{
    AcmSwitch rates("Rates", "44100 48000");
    CAcmWrapperFilter* acm = AddAcm();
    ASSERT_NE(nullptr, acm);
    CAmMediaType type;
    EXPECT_FALSE(acm->FindAudioMediaType(&type, 22050, 16));
    EXPECT_TRUE(acm->FindAudioMediaType(&type, 44100, 16));
    EXPECT_TRUE(acm->FindAudioMediaType(&type, 48000, 16));
}

// The input's own format comes first once the card's sound is connected.
TEST_F(AcmWrapperFilterTest, OffersTheInputsFormatOnceConnected)
{
    CAudioCaptureDevice* audio = dynamic_cast<CAudioCaptureDevice*>(
        builder->AddFilterByName(CLSID_AudioInputDeviceCategory, kCardAudio, "Audio Capture", 0, 0));
    CAcmWrapperFilter* acm = AddAcm();
    ASSERT_NE(nullptr, audio);
    ASSERT_NE(nullptr, acm);
    WAVEFORMATEX mono = {WAVE_FORMAT_PCM, 1, 32000, 64000, 2, 16, 0};
    ASSERT_TRUE(audio->SetAudioFormat(&mono));
    ASSERT_TRUE(builder->ConnectFilters(audio, acm, "Capture", NULL));
    EXPECT_EQ(32000u, CurrentRate(acm)) << "passing the sound through unchanged is the default";
    CAmMediaType type;
    ASSERT_TRUE(acm->FindAudioMediaType(&type, 11025, 16));
    EXPECT_EQ(1, type.WaveFormat()->nChannels);
    EXPECT_TRUE(acm->SetAudioFormat(11025, 16));

    WAVEFORMATEX stereo = {WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
    builder->DisconnectWrapper(acm);
    EXPECT_TRUE(audio->SetAudioFormat(&stereo));
}

TEST_F(AcmWrapperFilterTest, InvalidWithoutAStreamConfiguration)
{
    CAcmWrapperFilter tee(builder.get(), CLSID_SmartTee);
    EXPECT_FALSE(tee.IsValid());
    EXPECT_FALSE(tee.SetAudioFormat(44100, 16));
    CAcmWrapperFilter outsideAGraph(nullptr, CLSID_AcmWrapper);
    EXPECT_FALSE(outsideAGraph.IsValid()) << "the capture builder of its graph does the search";
}

// The length and time span of each sample a sample grabber sees, on the streaming thread.
class SampleSizes : public ISampleGrabberCB
{
public:
    SampleSizes() : m_enough(CreateEventA(NULL, TRUE, FALSE, NULL)) {}
    ~SampleSizes() { CloseHandle(m_enough); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_ISampleGrabberCB) || IsEqualIID(iid, IID_IUnknown) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample* sample) override
    {
        REFERENCE_TIME start = 0, stop = 0;
        sample->GetTime(&start, &stop);
        std::lock_guard<std::mutex> lock(m_lock);
        m_lengths.push_back(sample->GetActualDataLength());
        m_spans.push_back(stop - start);
        if (m_lengths.size() >= kWanted)
            SetEvent(m_enough);
        return S_OK;
    }
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    // Set by the streaming thread once kWanted samples came; the test thread waits for it.
    bool Wait() { return WaitForSingleObject(m_enough, 20000) == WAIT_OBJECT_0; }
    std::vector<long> Lengths()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return std::vector<long>(m_lengths.begin(), m_lengths.begin() + kWanted);
    }
    std::vector<REFERENCE_TIME> Spans()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return std::vector<REFERENCE_TIME>(m_spans.begin(), m_spans.begin() + kWanted);
    }

    static const size_t kWanted = 10;

private:
    HANDLE m_enough;
    std::mutex m_lock;
    std::vector<long> m_lengths;
    std::vector<REFERENCE_TIME> m_spans;
};

// The card sends 20 ms blocks of 44100 Hz stereo; at 22050 Hz each becomes 441 frames of
// 4 bytes over the same 20 ms.
TEST_F(AcmWrapperFilterTest, ConvertsTheCardsSoundToTheChosenRate)
{
    CAudioCaptureDevice* audio = dynamic_cast<CAudioCaptureDevice*>(
        builder->AddFilterByName(CLSID_AudioInputDeviceCategory, kCardAudio, "Audio Capture", 0, 0));
    CAcmWrapperFilter* acm = AddAcm();
    CFilterWrapper* grabber = builder->AddFilter(CLSID_SampleGrabber, "Grabber");
    CFilterWrapper* sink = builder->AddFilter(CLSID_NullRenderer, "Null");
    ASSERT_TRUE(audio && acm && grabber && sink);
    ASSERT_TRUE(acm->SetAudioFormat(22050, 16));
    ASSERT_TRUE(builder->ConnectFilters(audio, acm, "Capture", NULL));
    ASSERT_TRUE(builder->ConnectFilters(acm, grabber, NULL, NULL));
    ASSERT_TRUE(builder->ConnectFilters(grabber, sink, NULL, NULL));
    SampleSizes sizes;
    CComRef<ISampleGrabber> grab;
    ASSERT_HRESULT_SUCCEEDED(grabber->GetFilter()->QueryInterface(IID_ISampleGrabber, grab.ReceiveVoid()));
    ASSERT_HRESULT_SUCCEEDED(grab->SetCallback(&sizes, 0));

    ASSERT_TRUE(builder->Run());
    bool arrived = sizes.Wait();
    builder->Stop();
    grab->SetCallback(nullptr, 0);
    ASSERT_TRUE(arrived);
    EXPECT_EQ(std::vector<long>(SampleSizes::kWanted, 1764), sizes.Lengths());
    EXPECT_EQ(std::vector<REFERENCE_TIME>(SampleSizes::kWanted, 200000), sizes.Spans());
}

} // namespace
