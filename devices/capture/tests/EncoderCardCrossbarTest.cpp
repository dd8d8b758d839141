// The encoder cards' crossbar maps over a crossbar filter of a chosen pin count that records
// the routes it is asked for.
#include "BaseFilter.h"
#include "BasePin.h"
#include "BlackbirdCrossbar.h"
#include "LunetCrossbar.h"
#include "MiroxCrossbar.h"
#include "Mpeg2BoxCrossbar.h"
#include "RaptorCrossbar.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

const CLSID kRecordingCrossbar = {0x6A1C2F30, 0x41B7, 0x4D8E, {0x9C, 0x2B, 0x17, 0x5E, 0x0D, 0x3A, 0x88, 0x61}};

class CJackPin : public CBasePin
{
public:
    CJackPin(CBaseFilter& filter, PIN_DIRECTION direction) : CBasePin(filter, L"Jack", direction) {}
    HRESULT CheckMediaType(const AM_MEDIA_TYPE&) override { return S_FALSE; }
};

// Two outputs, the rest inputs; every route in range is taken and recorded (output, input).
class CRecordingCrossbar : public CBaseFilter, public IAMCrossbar
{
public:
    explicit CRecordingCrossbar(int pins) : CBaseFilter(nullptr, kRecordingCrossbar)
    {
        for (int i = 0; i < pins; ++i)
            m_pins.emplace_back(new CJackPin(*this, i < kOutputs ? PINDIR_OUTPUT : PINDIR_INPUT));
    }

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return (int)m_pins.size(); }
    CBasePin* GetPin(int index) override { return m_pins[index].get(); }

    STDMETHODIMP get_PinCounts(long* outputs, long* inputs) override
    {
        *outputs = kOutputs;
        *inputs = (long)m_pins.size() - kOutputs;
        return S_OK;
    }
    STDMETHODIMP CanRoute(long, long) override { return S_OK; }
    STDMETHODIMP Route(long output, long input) override
    {
        routes.emplace_back(output, input);
        return S_OK;
    }
    STDMETHODIMP get_IsRoutedTo(long, long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_CrossbarPinInfo(BOOL, long, long*, long*) override { return E_NOTIMPL; }

    std::vector<std::pair<long, long>> routes;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IAMCrossbar))
            return static_cast<IAMCrossbar*>(this);
        return CBaseFilter::FindInterface(iid);
    }

private:
    enum { kOutputs = 2 };
    std::vector<std::unique_ptr<CJackPin>> m_pins;
};

typedef std::function<CCrossbarWrapper*(IBaseFilter*)> MakeCrossbar;

template <class T>
MakeCrossbar Make()
{
    return [](IBaseFilter* filter) -> CCrossbarWrapper* { return new T(nullptr, filter); };
}

} // namespace

TEST(EncoderCardCrossbar, MapsFollowThePinCountAndAMissingJackRoutesNothing)
{
    const int kNone = -1;
    struct Case
    {
        const char* what;
        MakeCrossbar make;
        int pins;
        int video[3];   // tuner, composite, S-video
        int audio[3];
    };
    const Case cases[] = {
        {"BlackBird with 7 pins", Make<CBlackbirdCrossbar>(), 7, {0, 2, 1}, {3, 4, kNone}},
        {"BlackBird with more", Make<CBlackbirdCrossbar>(), 9, {1, 2, 0}, {4, 5, 6}},
        {"BlackBird with fewer", Make<CBlackbirdCrossbar>(), 6, {1, 2, 0}, {4, 5, 6}},
        {"Raptor", Make<CRaptorCrossbar>(), 10, {0, 1, 2}, {5, 6, 7}},
        {"the MPEG-2 box with more than 5 pins", Make<CMpeg2BoxCrossbar>(), 6, {2, 0, 1}, {4, 3, kNone}},
        {"the MPEG-2 box with more still", Make<CMpeg2BoxCrossbar>(), 8, {2, 0, 1}, {4, 3, kNone}},
        {"the MPEG-2 box with 5 pins has no tuner", Make<CMpeg2BoxCrossbar>(), 5, {kNone, 0, 1}, {kNone, 2, kNone}},
        {"Lunet", Make<CLunetCrossbar>(), 8, {0, 1, 2}, {3, 4, 5}},
        {"Mirox", Make<CMiroxCrossbar>(), 8, {0, 1, 2}, {3, 4, 5}},
    };
    const int sources[] = {CCrossbarWrapper::kTuner, CCrossbarWrapper::kComposite, CCrossbarWrapper::kSVideo};
    for (const Case& c : cases) {
        CRecordingCrossbar* filter = new CRecordingCrossbar(c.pins);
        std::unique_ptr<CCrossbarWrapper> crossbar(c.make(filter));
        ASSERT_EQ(c.pins, crossbar->GetPinCount()) << c.what;
        ASSERT_TRUE(crossbar->Init()) << c.what;
        std::vector<std::pair<long, long>> expected;
        for (int i = 0; i < 3; ++i) {
            // An input outside the crossbar's inputs (-1 among them) is never sent.
            bool video = c.video[i] >= 0 && c.video[i] < c.pins - 2;
            EXPECT_EQ(video, crossbar->SelectInput(sources[i]) != FALSE) << c.what << ", video source " << i;
            if (video)
                expected.emplace_back(CCrossbarWrapper::kVideoOutput, c.video[i]);
            bool audio = c.audio[i] >= 0 && c.audio[i] < c.pins - 2;
            EXPECT_EQ(audio, crossbar->SelectAudioInput(sources[i]) != FALSE) << c.what << ", audio source " << i;
            if (audio)
                expected.emplace_back(CCrossbarWrapper::kAudioOutput, c.audio[i]);
        }
        EXPECT_EQ(expected, filter->routes) << c.what;
        crossbar.reset();
        EXPECT_EQ(0u, filter->InnerRelease()) << c.what;
    }
    auto hasTuner = [](int pins) {
        CRecordingCrossbar* filter = new CRecordingCrossbar(pins);
        BOOL tuner = CMpeg2BoxCrossbar(nullptr, filter).HasTuner();
        filter->InnerRelease();
        return tuner;
    };
    EXPECT_FALSE(hasTuner(5));
    EXPECT_TRUE(hasTuner(6));
}
