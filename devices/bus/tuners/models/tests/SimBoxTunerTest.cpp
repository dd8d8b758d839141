#include "SimFamilyCard.h"
#include "TunerFQ1216ME.h"
#include "TunerJS_6B2.h"
#include "TunerLGH200T.h"
#include "TunerLGM200T.h"
#include "TunerLGS200T.h"
#include "TunerPHILIPS1216.h"
#include "TunerTCL2002MI_1F.h"
#include "TunerTNF9935BDFF.h"
#include "TunerTypeTable.h"
#include "UsbBridgeI2C.h"

#include <gtest/gtest.h>

#include <strmif.h>

#include <memory>

// The USB boxes' table-driven model over the box's bridge transport, on the simulated card
// registered as a USB box.
namespace
{
const DWORD kCard = 2;
const char kBoxPrefix[] = "USB 2711";
typedef SimFamilyCard::Lines Lines;

typedef CTunerModel* (*MakeSource)();
template <class Model>
CTunerModel* Source()
{
    return new Model(NULL);
}

class SimBoxTuner : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        s_card = new SimFamilyCard(kCard, L"family=usb2800;videoname=USB 2711 Camera;audio=0");
    }

    static void TearDownTestSuite()
    {
        delete s_card;
        s_card = NULL;
        CoUninitialize();
    }

    void SetUp() override
    {
        ASSERT_EQ(S_OK, s_card->Installed());
        ASSERT_EQ(S_OK, m_bridge.Attach(NULL, (void*)kBoxPrefix));
        // Configuration commands outlive a test: each starts from the same card.
        Sim("profile eeprom");
        Sim("pll C0");
        Sim("set BoxDemod 0x42");
        Sim("reset");
    }

    std::string Sim(const std::string& command) { return s_card->Control()(command); }

    // The box's model with the parameters of the ordinary model of its type id.
    std::unique_ptr<CTunerTypeTable> BoxModel(MakeSource make, int standard = AnalogVideo_PAL_B)
    {
        std::unique_ptr<CTunerModel> source(make());
        std::unique_ptr<CTunerTypeTable> model(new CTunerTypeTable(&m_bridge));
        model->CopyModelParams(source.get());
        model->StoreVideoStandard(standard);
        return model;
    }

    static SimFamilyCard* s_card;
    CUsbBridgeI2C m_bridge;
};

SimFamilyCard* SimBoxTuner::s_card = NULL;
} // namespace

TEST_F(SimBoxTuner, EachDispatchedTypeWritesItsRoutinesBytes)
{
    struct Case
    {
        const char* name;
        MakeSource make;
        const char* pll;        // where the module's PLL answers
        int standard;
        float kHz;
        const char* write;      // 7-bit address in the trace
    };
    const Case cases[] = {
        {"72 below 147250", Source<CTunerLGM200T>, "C0", AnalogVideo_PAL_B, 147249, "W 60 0B A2 8E 01"},
        {"72 at 147250", Source<CTunerLGM200T>, "C0", AnalogVideo_PAL_B, 147250, "W 60 0B A2 8E 02"},
        {"73", Source<CTunerLGH200T>, "C0", AnalogVideo_PAL_B, 471250, "W 60 1F E2 8E 08"},
        {"75", Source<CTunerLGS200T>, "C0", AnalogVideo_PAL_B, 200000, "W 60 0E EE 8E 02"},
        {"69", Source<CTunerTNF9935BDFF>, "C6", AnalogVideo_PAL_B, 471250, "W 63 1F E2 CE 08"},
        {"93", Source<CTunerFQ1216ME>, "C6", AnalogVideo_PAL_B, 471250, "W 63 1F E2 CE 04 A0"},
        {"92 SECAM L'", Source<CTunerPHILIPS1216>, "C6", AnalogVideo_SECAM_L1, 55250, "W 63 05 92 CE 01 20"},
        // Not dispatched: the base operation with the copied constants.
        {"13", Source<CTunerJS_6B2>, "C6", AnalogVideo_PAL_B, 471250, "W 63 1F E2 CE 04"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sim(std::string("pll ") + c.pll);
        std::unique_ptr<CTunerTypeTable> model = BoxModel(c.make, c.standard);
        DWORD from = s_card->Mark();
        EXPECT_TRUE(model->SetTvFrequency(c.kHz));
        EXPECT_EQ(Lines({c.write}), s_card->TraceFrom(from, {"W ", "N "}));
    }
}

TEST_F(SimBoxTuner, TypeNinetyTwoTunesFmWithTheModulesDividerAndSetsItsStandards)
{
    Sim("profile 92");
    Sim("pll C6");
    std::unique_ptr<CTunerTypeTable> model = BoxModel(Source<CTunerPHILIPS1216>);
    DWORD from = s_card->Mark();
    EXPECT_TRUE(model->SetVideoStandard(AnalogVideo_PAL_D));
    EXPECT_TRUE(model->SetFmFrequency(100000));
    Sleep(50);
    int code = 0;
    EXPECT_TRUE(model->GetFmStatus(&code));
    EXPECT_EQ(4, code);
    Lines expected = {
        "W 43 00 16", "W 43 01 70", "W 43 02 4B",
        "W 63 08 FF 8E 01", "W 63 08 FF 8E 19", "W 43 00 5A 90 20",
        "W 63 08 A6 88 19", "T FM N=2214 t=100000 d=+0",
    };
    EXPECT_EQ(expected, s_card->TraceFrom(from, {"W ", "N ", "T FM"}));
}

TEST_F(SimBoxTuner, AnUndispatchedTypeBehavesAsTheBaseModelWithTheCopiedValues)
{
    // Type 11 has no routines: base tuning and status at the box's addresses, no standard.
    Sim("pll C6");
    std::unique_ptr<CTunerTypeTable> model = BoxModel(Source<CTunerTCL2002MI_1F>);
    DWORD from = s_card->Mark();
    EXPECT_TRUE(model->SetVideoStandard(AnalogVideo_PAL_D));
    EXPECT_TRUE(model->SetTvFrequency(471250));
    Sleep(50);
    int code = 0;
    EXPECT_TRUE(model->GetTvStatus(&code));
    EXPECT_EQ(2, code);
    EXPECT_EQ(Lines({"W 63 1F E2 CE 30", "R 63 -> 42"}), s_card->TraceFrom(from, {"W ", "R ", "N "}));
}

TEST_F(SimBoxTuner, ATunedStationReadsAsLockedThroughTheDemodulator)
{
    Sim("profile 92");
    Sim("pll C6");
    for (BYTE demod : {0x42, 0x4B}) {
        SCOPED_TRACE((int)demod);
        Sim("set BoxDemod " + std::to_string(demod));
        std::unique_ptr<CTunerTypeTable> model = BoxModel(Source<CTunerPHILIPS1216>);
        model->SetDemodAddress(demod);
        EXPECT_TRUE(model->SetTvFrequency(471250));
        Sleep(50);
        EXPECT_TRUE(model->IsTvLocked());
        EXPECT_FALSE(model->IsDemodBusy());
        // No station there.
        EXPECT_TRUE(model->SetTvFrequency(57750));
        Sleep(50);
        EXPECT_FALSE(model->IsTvLocked());
    }
}
