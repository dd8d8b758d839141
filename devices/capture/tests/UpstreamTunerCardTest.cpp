// The cards whose tuner, crossbar and TV-audio filters stand upstream of their capture filter,
// over stand-in filters wired as a driver's graph would have them: a capture filter whose input
// pin leads to a crossbar, and the tuner and TV-audio filters behind the crossbar. The graph is
// the system's, so the capture graph builder's own search finds them.
#include <gtest/gtest.h>

#include "AmMediaType.h"
#include "BaseFilter.h"
#include "BasePin.h"
#include "BlackbirdCapture.h"
#include "GraphBuilder.h"
#include "I2CAccess.h"
#include "PinCategorySet.h"
#include "RaptorCapture.h"

#include <ks.h>
#include <ksmedia.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

const CLSID kStandIn = {0x3D0B6E51, 0x9A27, 0x4C4F, {0x8B, 0x1E, 0x62, 0x90, 0x4D, 0xA7, 0x13, 0xC5}};

// A filter with IKsPropertySet that counts its driver calls and answers reads from a queue
// of bytes (into the byte and block reply places of the 16-byte layout).
class CStandInFilter : public CBaseFilter, public IKsPropertySet
{
public:
    CStandInFilter() : CBaseFilter(nullptr, kStandIn) {}

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return (int)m_pins.size(); }
    CBasePin* GetPin(int index) override { return m_pins[index].get(); }

    STDMETHODIMP Set(REFGUID, DWORD id, void*, DWORD, void* data, DWORD size) override
    {
        calls.push_back({false, id, std::vector<BYTE>((BYTE*)data, (BYTE*)data + size)});
        return S_OK;
    }
    STDMETHODIMP Get(REFGUID, DWORD id, void*, DWORD, void* data, DWORD size, DWORD* returned) override
    {
        calls.push_back({true, id, std::vector<BYTE>((BYTE*)data, (BYTE*)data + size)});
        BYTE* bytes = (BYTE*)data;
        if (!replies.empty() && size >= 9) {
            bytes[3] = bytes[8] = replies.front();
            replies.pop_front();
        }
        if (returned)
            *returned = size;
        return S_OK;
    }
    STDMETHODIMP QuerySupported(REFGUID, DWORD, DWORD* support) override
    {
        ++supportQueries;
        if (support)
            *support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
        return S_OK;
    }

    struct Call
    {
        bool get;
        DWORD id;
        std::vector<BYTE> data;
    };
    size_t Traffic() const { return calls.size() + supportQueries; }

    std::vector<Call> calls;
    std::deque<BYTE> replies;
    int supportQueries = 0;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IKsPropertySet))
            return static_cast<IKsPropertySet*>(this);
        return CBaseFilter::FindInterface(iid);
    }

    std::vector<std::unique_ptr<CBasePin>> m_pins;
};

// A pin that stands wired to another: connected as far as anyone asking can see.
class CWiredPin : public CBasePin
{
public:
    CWiredPin(CBaseFilter& filter, PIN_DIRECTION direction, IPin* peer = nullptr)
        : CBasePin(filter, direction == PINDIR_INPUT ? L"In" : L"Out", direction), m_peer(peer)
    {
    }
    HRESULT CheckMediaType(const AM_MEDIA_TYPE&) override { return S_FALSE; }
    STDMETHODIMP ConnectedTo(IPin** pin) override
    {
        if (!pin)
            return E_POINTER;
        *pin = m_peer;
        if (!m_peer)
            return VFW_E_NOT_CONNECTED;
        m_peer->AddRef();
        return S_OK;
    }

private:
    IPin* m_peer;   // weak: the stand-ins live as long as the test
};

// The capture pin: its category through IKsPropertySet, video its only type.
class CCapturePin : public CWiredPin
{
public:
    explicit CCapturePin(CBaseFilter& filter) : CWiredPin(filter, PINDIR_OUTPUT), m_category(*this, PIN_CATEGORY_CAPTURE) {}
    HRESULT GetMediaType(int index, CAmMediaType& type) override
    {
        if (index != 0)
            return CWiredPin::GetMediaType(index, type);
        type.Clear();
        type.majortype = MEDIATYPE_Video;
        type.subtype = MEDIASUBTYPE_YUY2;
        return S_OK;
    }

protected:
    void* FindInterface(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IKsPropertySet))
            return static_cast<IKsPropertySet*>(&m_category);
        return CWiredPin::FindInterface(iid);
    }

private:
    CPinCategorySet m_category;
};

class CTunerStandIn : public CStandInFilter, public IAMTVTuner
{
public:
    CTunerStandIn() { m_pins.emplace_back(new CWiredPin(*this, PINDIR_OUTPUT)); }

    DSHOW_DELEGATING_UNKNOWN

    IPin* Output() { return m_pins[0].get(); }

    // IAMTuner
    STDMETHODIMP put_Channel(long channel, long video, long audio) override
    {
        tunerCalls.push_back("channel " + std::to_string(channel) + " " + std::to_string(video) + " " +
                             std::to_string(audio));
        return S_OK;
    }
    STDMETHODIMP get_Channel(long*, long*, long*) override { return E_NOTIMPL; }
    STDMETHODIMP ChannelMinMax(long*, long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_CountryCode(long) override { return E_NOTIMPL; }
    STDMETHODIMP get_CountryCode(long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_TuningSpace(long) override { return E_NOTIMPL; }
    STDMETHODIMP get_TuningSpace(long*) override { return E_NOTIMPL; }
    STDMETHODIMP Logon(HANDLE) override { return E_NOTIMPL; }
    STDMETHODIMP Logout() override { return E_NOTIMPL; }
    STDMETHODIMP SignalPresent(long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Mode(AMTunerModeType mode) override
    {
        tunerCalls.push_back("mode " + std::to_string((int)mode));
        return S_OK;
    }
    STDMETHODIMP get_Mode(AMTunerModeType*) override { return E_NOTIMPL; }
    STDMETHODIMP GetAvailableModes(long*) override { return E_NOTIMPL; }
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification*, long) override { return E_NOTIMPL; }
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification*) override { return E_NOTIMPL; }
    // IAMTVTuner
    STDMETHODIMP get_AvailableTVFormats(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_TVFormat(long*) override { return E_NOTIMPL; }
    STDMETHODIMP AutoTune(long, long*) override { return E_NOTIMPL; }
    STDMETHODIMP StoreAutoTune() override { return E_NOTIMPL; }
    STDMETHODIMP get_NumInputConnections(long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_InputType(long, TunerInputType) override { return E_NOTIMPL; }
    STDMETHODIMP get_InputType(long, TunerInputType*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ConnectInput(long) override { return E_NOTIMPL; }
    STDMETHODIMP get_ConnectInput(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_VideoFrequency(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_AudioFrequency(long*) override { return E_NOTIMPL; }

    std::vector<std::string> tunerCalls;

protected:
    void* FindInterface(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IAMTVTuner) || IsEqualIID(iid, IID_IAMTuner))
            return static_cast<IAMTVTuner*>(this);
        return CStandInFilter::FindInterface(iid);
    }
};

class CTvAudioStandIn : public CStandInFilter, public IAMTVAudio
{
public:
    CTvAudioStandIn() { m_pins.emplace_back(new CWiredPin(*this, PINDIR_OUTPUT)); }

    DSHOW_DELEGATING_UNKNOWN

    IPin* Output() { return m_pins[0].get(); }

    STDMETHODIMP GetHardwareSupportedTVAudioModes(long*) override { return E_NOTIMPL; }
    STDMETHODIMP GetAvailableTVAudioModes(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_TVAudioMode(long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_TVAudioMode(long) override { return E_NOTIMPL; }
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification*, long) override { return E_NOTIMPL; }
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification*) override { return E_NOTIMPL; }

protected:
    void* FindInterface(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IAMTVAudio))
            return static_cast<IAMTVAudio*>(this);
        return CStandInFilter::FindInterface(iid);
    }
};

class CCrossbarStandIn : public CStandInFilter, public IAMCrossbar
{
public:
    // The tuner (or nothing) and the TV audio wired to its two inputs.
    CCrossbarStandIn(IPin* tuner, IPin* tvAudio)
    {
        m_pins.emplace_back(new CWiredPin(*this, PINDIR_OUTPUT));
        m_pins.emplace_back(new CWiredPin(*this, PINDIR_INPUT, tuner));
        m_pins.emplace_back(new CWiredPin(*this, PINDIR_INPUT, tvAudio));
    }

    DSHOW_DELEGATING_UNKNOWN

    IPin* Output() { return m_pins[0].get(); }

    STDMETHODIMP get_PinCounts(long* outputs, long* inputs) override
    {
        *outputs = 1;
        *inputs = 2;
        return S_OK;
    }
    STDMETHODIMP CanRoute(long, long) override { return S_OK; }
    STDMETHODIMP Route(long output, long input) override
    {
        routes.push_back({output, input});
        return S_OK;
    }
    STDMETHODIMP get_IsRoutedTo(long, long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_CrossbarPinInfo(BOOL, long, long*, long*) override { return E_NOTIMPL; }

    std::vector<std::pair<long, long>> routes;

protected:
    void* FindInterface(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IAMCrossbar))
            return static_cast<IAMCrossbar*>(this);
        return CStandInFilter::FindInterface(iid);
    }
};

class CCaptureStandIn : public CStandInFilter
{
public:
    explicit CCaptureStandIn(IPin* crossbar)
    {
        m_pins.emplace_back(new CCapturePin(*this));
        m_pins.emplace_back(new CWiredPin(*this, PINDIR_INPUT, crossbar));
    }
};

// The stand-ins, wired; the graph holds the upstream ones as the driver's set-up left them.
struct Card
{
    explicit Card(bool withTuner)
        : tuner(withTuner ? new CTunerStandIn : nullptr), tvAudio(new CTvAudioStandIn),
          crossbar(new CCrossbarStandIn(tuner ? tuner->Output() : nullptr, tvAudio->Output())),
          capture(new CCaptureStandIn(crossbar->Output()))
    {
    }
    ~Card()
    {
        capture->InnerRelease();
        crossbar->InnerRelease();
        tvAudio->InnerRelease();
        if (tuner)
            tuner->InnerRelease();
    }

    CTunerStandIn* tuner;
    CTvAudioStandIn* tvAudio;
    CCrossbarStandIn* crossbar;
    CCaptureStandIn* capture;
};

class UpstreamTunerCardTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText(); }
    void TearDown() override { m_graph.TearDown(); }

    void AddUpstream(Card& card)
    {
        IGraphBuilder* graph = m_graph.GetGraph();
        if (card.tuner) {
            ASSERT_EQ(S_OK, graph->AddFilter(card.tuner, L"Tuner"));
        }
        ASSERT_EQ(S_OK, graph->AddFilter(card.crossbar, L"Crossbar"));
        ASSERT_EQ(S_OK, graph->AddFilter(card.tvAudio, L"TV Audio"));
    }

    // The filters of the graph, in no particular order.
    std::vector<IBaseFilter*> Filters()
    {
        std::vector<IBaseFilter*> filters;
        CComRef<IEnumFilters> list;
        if (FAILED(m_graph.GetGraph()->EnumFilters(list.Receive())))
            return filters;
        IBaseFilter* filter = nullptr;
        while (list->Next(1, &filter, nullptr) == S_OK) {
            filters.push_back(filter);
            filter->Release();
        }
        return filters;
    }

    template <class T>
    std::unique_ptr<T> Open(Card& card)
    {
        std::unique_ptr<T> device(new T(&m_graph, static_cast<IBaseFilter*>(card.capture)));
        device->SetName("Video Capture");
        device->Open();
        return device;
    }

    CGraphBuilder m_graph;
};

} // namespace

TEST_F(UpstreamTunerCardTest, BlackbirdOpensOnItsTunerFilterAndLeavesTheGraphAsItWas)
{
    Card card(true);
    AddUpstream(card);
    size_t before = Filters().size();
    std::unique_ptr<CBlackbirdCapture> device = Open<CBlackbirdCapture>(card);
    EXPECT_TRUE(device->IsValid());
    EXPECT_EQ(11, device->GetAccessMode());
    EXPECT_TRUE(device->HasTunerFilter());
    EXPECT_STREQ("BlackBird Tuner", device->GetTunerFilterName());
    EXPECT_EQ(before, Filters().size());
    EXPECT_EQ((std::vector<std::string>{"mode " + std::to_string((int)AMTUNER_MODE_TV), "channel 1 0 0"}), card.tuner->tunerCalls);
    // The register traffic goes to the tuner filter, none to the capture filter.
    EXPECT_GT(card.tuner->Traffic(), 0u);
    EXPECT_EQ(0u, card.capture->Traffic());

    CComRef<IAMCrossbar> crossbar;
    EXPECT_EQ(S_OK, device->GetCrossbar(crossbar.Receive()));
    EXPECT_EQ(static_cast<IAMCrossbar*>(card.crossbar), crossbar.Get());
    EXPECT_EQ(E_POINTER, device->GetCrossbar(nullptr));
    EXPECT_TRUE(device->RouteCrossbar(1, 0));
    EXPECT_EQ((std::vector<std::pair<long, long>>{{0, 1}}), card.crossbar->routes);
    CComRef<IAMTVAudio> tvAudio;
    EXPECT_EQ(S_OK, device->GetTvAudio(tvAudio.Receive()));
    EXPECT_EQ(static_cast<IAMTVAudio*>(card.tvAudio), tvAudio.Get());

    BYTE key = 0;
    EXPECT_FALSE(device->ReadRemoteKey(&key));
    EXPECT_EQ(E_NOTIMPL, device->SetAudioInput(0, TRUE));

    // Going, the device takes its upstream filters out of the graph.
    crossbar.Reset();
    tvAudio.Reset();
    device.reset();
    EXPECT_TRUE(Filters().empty());
}

TEST_F(UpstreamTunerCardTest, BlackbirdWithoutATunerOpensOnItsCaptureFilter)
{
    Card card(false);
    AddUpstream(card);
    std::unique_ptr<CBlackbirdCapture> device = Open<CBlackbirdCapture>(card);
    EXPECT_TRUE(device->IsValid());
    EXPECT_EQ(11, device->GetAccessMode());
    EXPECT_FALSE(device->HasTunerFilter());
    EXPECT_GT(card.capture->Traffic(), 0u);
    device.reset();
    EXPECT_TRUE(Filters().empty());
}

TEST_F(UpstreamTunerCardTest, RaptorOpensOnItsCaptureFilterSetsTvModeAndReadsKeysAtBA)
{
    Card card(true);
    AddUpstream(card);
    std::unique_ptr<CRaptorCapture> device = Open<CRaptorCapture>(card);
    EXPECT_TRUE(device->IsValid());
    EXPECT_EQ(13, device->GetAccessMode());
    EXPECT_TRUE(device->HasTunerFilter());
    EXPECT_STREQ("Conexant Raptor Tuner", device->GetTunerFilterName());
    EXPECT_EQ((std::vector<std::string>{"mode " + std::to_string((int)AMTUNER_MODE_TV)}), card.tuner->tunerCalls);
    EXPECT_EQ(0u, card.tuner->Traffic());
    EXPECT_GT(card.capture->Traffic(), 0u);
    EXPECT_EQ(0, device->ReadEepromConfigByte());

    // The key controller takes its sub-address and its data in separate transfers.
    card.capture->calls.clear();
    card.capture->replies = {1, 0x42};
    BYTE key = 0;
    EXPECT_TRUE(device->ReadRemoteKey(&key));
    EXPECT_EQ(0x42, key);
    const auto& calls = card.capture->calls;
    ASSERT_EQ(4u, calls.size());
    const BYTE subs[] = {0xAA, 0xAB};
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(calls[2 * i].get);
        EXPECT_EQ(0xBA, calls[2 * i].data[1]);
        EXPECT_EQ(subs[i], calls[2 * i].data[8]);
        EXPECT_TRUE(calls[2 * i + 1].get);
        EXPECT_EQ(0xBB, calls[2 * i + 1].data[1]);
    }
    card.capture->replies = {0};
    EXPECT_FALSE(device->ReadRemoteKey(&key));

    device.reset();
    EXPECT_TRUE(Filters().empty());
}
