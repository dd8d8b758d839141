// The cards whose tuner, crossbar and TV-audio objects stand upstream of their capture filter,
// through their records over a card registered under each card's names. The driver wires the
// objects before the capture filter's input pin and puts them in no graph, so only the
// capture graph builder's search upstream finds them; the card's trace shows what they were
// told and which filter the register traffic went to. The cards' MPEG encoder devices stand in
// the prefix under their drivers' names.
#include <gtest/gtest.h>

#include "BlackbirdCapture.h"
#include "BlackbirdEncoder.h"
#include "GraphBuilder.h"
#include "RaptorCapture.h"
#include "RaptorEncoder.h"
#include "SimFamilyCard.h"

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

const DWORD kCard = 4;
typedef SimFamilyCard::Lines Lines;

const char kBlackbird[] = "BlackBird Video Capture";
const char kRaptor[] = "Conexant Raptor Video Capture";

class UpstreamTunerSimCardTest : public testing::Test
{
protected:
    void TearDown() override
    {
        m_graph.TearDown();
        m_live.Reset();
    }

    // The card through its record in a new graph, its register calls traced one by one.
    template <class T>
    T* Open(const wchar_t* line, const char* capture)
    {
        m_graph.TearDown();
        m_live.Reset();
        m_card.reset();
        EXPECT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_card.reset(new SimFamilyCard(kCard, line));
        EXPECT_EQ(S_OK, m_card->Installed());
        m_card->Control().Run("reset");
        // A filter of its own makes the card live for the trace switch.
        m_live = m_card->BindCapture(capture);
        m_card->Control()("trace level 2");
        m_from = m_card->Mark();
        return dynamic_cast<T*>(m_graph.AddFilterByName(CLSID_VideoInputDeviceCategory, capture, "Video Capture", 0, 0));
    }

    // What the wired tuner was told since the card opened.
    Lines TunerCalls() { return m_card->TraceFrom(m_from, {"Up tuner "}); }
    // Whether register traffic since the card opened reached the named filter.
    bool TrafficOn(const char* who) { return !m_card->TraceFrom(m_from, {std::string("P ") + who + " "}).empty(); }

    // How many filters of the graph answer the interface.
    int FiltersWith(REFIID iid)
    {
        int count = 0;
        CComRef<IEnumFilters> list;
        if (FAILED(m_graph.GetGraph()->EnumFilters(list.Receive())))
            return -1;
        IBaseFilter* filter = nullptr;
        while (list->Next(1, &filter, nullptr) == S_OK) {
            CComRef<IUnknown> found;
            if (SUCCEEDED(filter->QueryInterface(iid, found.ReceiveVoid())))
                ++count;
            filter->Release();
        }
        return count;
    }
    int UpstreamFiltersInGraph()
    {
        return FiltersWith(IID_IAMTVTuner) + FiltersWith(IID_IAMCrossbar) + FiltersWith(IID_IAMTVAudio);
    }

    CGraphBuilder m_graph;
    std::unique_ptr<SimFamilyCard> m_card;
    CComRef<IBaseFilter> m_live;
    DWORD m_from = 0;
};

} // namespace

TEST_F(UpstreamTunerSimCardTest, BlackbirdOpensOnItsWiredTunerAndLeavesTheGraphAsItWas)
{
    CBlackbirdCapture* device = Open<CBlackbirdCapture>(L"family=blackbird", kBlackbird);
    ASSERT_NE(nullptr, device);
    EXPECT_TRUE(device->IsValid());
    EXPECT_EQ(11, device->GetAccessMode());
    EXPECT_TRUE(device->HasTunerFilter());
    EXPECT_EQ((Lines{"Up tuner mode " + std::to_string((int)AMTUNER_MODE_TV), "Up tuner channel 1 0 0"}), TunerCalls());
    // The register traffic goes to the tuner's set; the capture filter was only searched from.
    EXPECT_TRUE(TrafficOn("tuner"));
    EXPECT_FALSE(TrafficOn("capture"));
    // Only the capture filter is in the graph: it went in and out around the search, and the
    // wired objects never entered.
    EXPECT_EQ(1, FiltersWith(IID_IBaseFilter));
    EXPECT_EQ(0, UpstreamFiltersInGraph());

    CComRef<IAMCrossbar> crossbar;
    ASSERT_EQ(S_OK, device->GetCrossbar(crossbar.Receive()));
    EXPECT_TRUE(device->RouteCrossbar(-1, 0));
    long input = 0;
    EXPECT_EQ(S_OK, crossbar->get_IsRoutedTo(0, &input));
    EXPECT_EQ(-1, input);
    CComRef<IAMTVAudio> tvAudio;
    EXPECT_EQ(S_OK, device->GetTvAudio(tvAudio.Receive()));
    EXPECT_EQ(S_OK, tvAudio->put_TVAudioMode(AMTVAUDIO_MODE_MONO));
    EXPECT_EQ((Lines{"Up crossbar route out=0 in=-1", "Up tvaudio mode 1"}),
              m_card->TraceFrom(m_from, {"Up crossbar", "Up tvaudio"}));

    // The EEPROM behind the tuner's set holds the configuration byte the card was made with.
    m_card->Control()("eeprom 7 = 5A");
    EXPECT_EQ(0x5A, device->ReadEepromConfigByte());

    crossbar.Reset();
    tvAudio.Reset();
    m_graph.RemoveAllWrappers();
    EXPECT_EQ(0, UpstreamFiltersInGraph());
}

TEST_F(UpstreamTunerSimCardTest, BlackbirdWithoutAWiredTunerOpensOnItsCaptureFilter)
{
    CBlackbirdCapture* device = Open<CBlackbirdCapture>(L"family=blackbird;Upstream=2", kBlackbird);
    ASSERT_NE(nullptr, device);
    EXPECT_TRUE(device->IsValid());
    EXPECT_EQ(11, device->GetAccessMode());
    EXPECT_FALSE(device->HasTunerFilter());
    EXPECT_TRUE(TunerCalls().empty());
    EXPECT_TRUE(TrafficOn("capture"));
    // The crossbar and the TV audio are still found.
    CComRef<IAMCrossbar> crossbar;
    EXPECT_EQ(S_OK, device->GetCrossbar(crossbar.Receive()));
    CComRef<IAMTVAudio> tvAudio;
    EXPECT_EQ(S_OK, device->GetTvAudio(tvAudio.Receive()));
    BYTE key = 0;
    EXPECT_FALSE(device->ReadRemoteKey(&key));
}

TEST_F(UpstreamTunerSimCardTest, RaptorOpensOnItsCaptureFilterAndOnlySetsTvMode)
{
    CRaptorCapture* device = Open<CRaptorCapture>(L"family=raptor", kRaptor);
    ASSERT_NE(nullptr, device);
    EXPECT_TRUE(device->IsValid());
    EXPECT_EQ(13, device->GetAccessMode());
    EXPECT_TRUE(device->HasTunerFilter());
    EXPECT_EQ((Lines{"Up tuner mode " + std::to_string((int)AMTUNER_MODE_TV)}), TunerCalls());
    EXPECT_FALSE(TrafficOn("tuner"));
    EXPECT_EQ(0, UpstreamFiltersInGraph());
    m_graph.RemoveAllWrappers();
    EXPECT_EQ(0, UpstreamFiltersInGraph());
}

TEST_F(UpstreamTunerSimCardTest, TheEncoderWrappersPropertiesReachTheirEncoderDevices)
{
    ASSERT_TRUE(m_graph.MakeGraph()) << CGraphBuilder::GetLastErrorText();
    struct Device
    {
        const char* name;
        const std::type_info& wrapper;
    };
    const Device devices[] = {
        {"BlackBird MPEG Encoder", typeid(CBlackbirdEncoder)},
        {"Conexant Raptor Encoder", typeid(CRaptorEncoder)},
    };
    DWORD value = 0x12345678;
    for (const Device& d : devices) {
        SCOPED_TRACE(d.name);
        CEncoderFilterWrapper* encoder =
            dynamic_cast<CEncoderFilterWrapper*>(m_graph.AddFilterByName(kEncoderDeviceCategory, d.name, d.name, 0, 0));
        ASSERT_NE(nullptr, encoder);
        EXPECT_TRUE(typeid(*encoder) == d.wrapper);
        // Each device answers its own driver's set only, so a round trip shows the set the
        // wrapper speaks as well as the buffer it passes.
        ++value;
        EXPECT_TRUE(encoder->SetEncoderProperty(7, &value, sizeof(value)));
        DWORD back = 0;
        EXPECT_TRUE(encoder->GetEncoderProperty(7, &back, sizeof(back)));
        EXPECT_EQ(value, back);
        EXPECT_FALSE(encoder->GetEncoderProperty(8, &back, sizeof(back)));
    }
}
