#include <gtest/gtest.h>

#include "ChipBusRecorder.h"
#include "TunerFQ1216ME.h"
#include "TunerJS_6B2.h"
#include "TunerLGH200T.h"
#include "TunerLGM200T.h"
#include "TunerLGS200T.h"
#include "TunerPHILIPS1216.h"
#include "TunerTCL2002MI_1F.h"
#include "TunerTCL2002MI_3.h"
#include "TunerTNF9935BDFF.h"
#include "TunerTypeTable.h"

#include <strmif.h>

#include <memory>

namespace {

typedef ChipBusRecorder::Lines Lines;

typedef CTunerModel* (*MakeSource)();
template <class Model>
CTunerModel* Source()
{
    return new Model(NULL);
}

// The box's model with the parameters of the ordinary model of its type id.
std::unique_ptr<CTunerTypeTable> BoxModel(MakeSource make, CI2CAccess* bus, int standard = AnalogVideo_PAL_B)
{
    std::unique_ptr<CTunerModel> source(make());
    std::unique_ptr<CTunerTypeTable> model(new CTunerTypeTable(bus));
    model->CopyModelParams(source.get());
    model->StoreVideoStandard(standard);
    return model;
}

} // namespace

TEST(TunerTypeTable, EachDispatchedTypeWritesItsRoutinesBytes)
{
    struct Case
    {
        const char* name;
        MakeSource make;
        int standard;
        float kHz;
        const char* message;
    };
    const Case cases[] = {
        // Fixed addresses, control byte and split points, whatever the copied ones say.
        {"72 below 147250", Source<CTunerLGM200T>, AnalogVideo_PAL_B, 147249, "W C0 0B A2 8E 01"},
        {"72 at 147250", Source<CTunerLGM200T>, AnalogVideo_PAL_B, 147250, "W C0 0B A2 8E 02"},
        {"73", Source<CTunerLGH200T>, AnalogVideo_PAL_B, 471250, "W C0 1F E2 8E 08"},
        {"75", Source<CTunerLGS200T>, AnalogVideo_PAL_B, 200000, "W C0 0E EE 8E 02"},
        {"69 at 471250", Source<CTunerTNF9935BDFF>, AnalogVideo_PAL_B, 471250, "W C6 1F E2 CE 08"},
        {"69 below 168250", Source<CTunerTNF9935BDFF>, AnalogVideo_PAL_B, 168249, "W C6 0C F2 CE 01"},
        // Six bytes with the copied constants; 92 has its own IF under SECAM L'.
        {"93", Source<CTunerFQ1216ME>, AnalogVideo_PAL_B, 471250, "W C6 1F E2 CE 04 A0"},
        {"93 SECAM L'", Source<CTunerFQ1216ME>, AnalogVideo_SECAM_L1, 471250, "W C6 1F E2 CE 04 20"},
        {"92 SECAM L'", Source<CTunerPHILIPS1216>, AnalogVideo_SECAM_L1, 55250, "W C6 05 92 CE 01 20"},
        {"92 SECAM L", Source<CTunerPHILIPS1216>, AnalogVideo_SECAM_L, 55250, "W C6 05 E2 CE 01 20"},
        // Not dispatched: the base message with the copied constants, at the box's own address.
        {"13", Source<CTunerJS_6B2>, AnalogVideo_PAL_B, 471250, "W C6 1F E2 CE 04"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChipBusRecorder bus;
        std::unique_ptr<CTunerTypeTable> model = BoxModel(c.make, &bus, c.standard);
        EXPECT_TRUE(model->SetTvFrequency(c.kHz));
        EXPECT_EQ(Lines({c.message}), bus.Calls());

        bus.result = [](const std::string&) { return S_FALSE; };
        EXPECT_FALSE(model->SetTvFrequency(c.kHz));
    }
}

TEST(TunerTypeTable, StatusRoutinesDecodeTheirReads)
{
    struct Case
    {
        const char* name;
        MakeSource make;
        BYTE status;
        const char* read;
        BOOL result;
        int code;
    };
    const Case cases[] = {
        {"72 locked", Source<CTunerLGM200T>, 0x42, "R C0 1", TRUE, 2},
        {"72 unlocked", Source<CTunerLGM200T>, 0x02, "R C0 1", FALSE, 9},
        {"69 unlocked", Source<CTunerTNF9935BDFF>, 0x03, "R C6 1", FALSE, 9},
        {"69 locked", Source<CTunerTNF9935BDFF>, 0x44, "R C6 1", TRUE, 4},
        {"73 locked", Source<CTunerLGH200T>, 0x43, "R C0 1", TRUE, 3},
        {"73 unlocked", Source<CTunerLGH200T>, 0x03, "R C0 1", FALSE, CTunerModel::kNoCode},
        // a = (status >> 1) & 15 at the demodulator.
        {"92 a=0", Source<CTunerPHILIPS1216>, 0xC0, "R 87 1", TRUE, 3},
        {"92 a=15", Source<CTunerPHILIPS1216>, 0x1E, "R 87 1", TRUE, 3},
        {"92 a=2", Source<CTunerPHILIPS1216>, 0x04, "R 87 1", TRUE, 2},
        {"92 a=5", Source<CTunerPHILIPS1216>, 0x0A, "R 87 1", TRUE, 4},
        {"92 a=9", Source<CTunerPHILIPS1216>, 0x12, "R 87 1", TRUE, 0},
        {"92 a=13", Source<CTunerPHILIPS1216>, 0x1A, "R 87 1", TRUE, 1},
        {"93 a=5", Source<CTunerFQ1216ME>, 0x0A, "R 87 1", TRUE, 2},
        {"93 a=12", Source<CTunerFQ1216ME>, 0x18, "R 87 1", TRUE, 1},
        {"75 a=0", Source<CTunerLGS200T>, 0x00, "R 87 1", TRUE, 3},
        // Not dispatched: the base read at the copied read address.
        {"13", Source<CTunerJS_6B2>, 0x42, "R 86 1", TRUE, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChipBusRecorder bus;
        BYTE status = c.status;
        bus.blockAnswer = [status](int length) { return std::vector<BYTE>(length, status); };
        std::unique_ptr<CTunerTypeTable> model = BoxModel(c.make, &bus);
        int code = CTunerModel::kNoCode;
        EXPECT_EQ(c.result, model->GetTvStatus(&code));
        EXPECT_EQ(c.code, code);
        EXPECT_EQ(Lines({c.read}), bus.Calls());

        bus.result = [](const std::string&) { return E_FAIL; };
        EXPECT_FALSE(model->GetTvStatus(&code));
    }
}

TEST(TunerTypeTable, StandardRoutinesWriteTheirColumns)
{
    struct Case
    {
        const char* name;
        MakeSource make;
        int standard;
        Lines writes;
    };
    const Case cases[] = {
        {"92 PAL I", Source<CTunerPHILIPS1216>, AnalogVideo_PAL_I, {"B 86 00 16", "B 86 01 70", "B 86 02 4A"}},
        {"92 SECAM K as PAL D", Source<CTunerPHILIPS1216>, AnalogVideo_SECAM_K,
         {"B 86 00 16", "B 86 01 70", "B 86 02 4B"}},
        {"93 SECAM L'", Source<CTunerFQ1216ME>, AnalogVideo_SECAM_L1, {"B 86 00 86", "B 86 01 50", "B 86 02 53"}},
        {"93 NTSC as PAL B", Source<CTunerFQ1216ME>, AnalogVideo_NTSC_M, {"B 86 00 16", "B 86 01 70", "B 86 02 49"}},
        {"75 PAL D", Source<CTunerLGS200T>, AnalogVideo_PAL_D, {"B 86 00 D6", "B 86 01 70", "B 86 02 4A"}},
        {"75 SECAM D as PAL B", Source<CTunerLGS200T>, AnalogVideo_SECAM_D, {"B 86 00 16", "B 86 01 70", "B 86 02 49"}},
        {"75 SECAM L'", Source<CTunerLGS200T>, AnalogVideo_SECAM_L1, {"B 86 00 86", "B 86 01 70", "B 86 02 47"}},
        {"13 SECAM L", Source<CTunerJS_6B2>, AnalogVideo_SECAM_L,
         {"B 86 00 46", "B 86 01 50", "B 86 02 4B", "RB 86 00", "RB 86 01", "RB 86 02"}},
        {"72 PAL B", Source<CTunerLGM200T>, AnalogVideo_PAL_B, {"W 86 00 D6", "W 86 01 70", "W 86 02 49"}},
        {"72 PAL D", Source<CTunerLGM200T>, AnalogVideo_PAL_D, {"W 86 00 D6", "W 86 01 70", "W 86 02 4B"}},
        {"72 PAL I", Source<CTunerLGM200T>, AnalogVideo_PAL_I, {"W 86 00 D6", "W 86 01 70", "W 86 02 4A"}},
        {"undispatched", Source<CTunerTCL2002MI_3>, AnalogVideo_PAL_D, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChipBusRecorder bus;
        std::unique_ptr<CTunerTypeTable> model = BoxModel(c.make, &bus);
        EXPECT_TRUE(model->SetVideoStandard(c.standard));
        EXPECT_EQ(c.writes, bus.Calls());
    }

    // Only the third demodulator write decides; type 72 stops at its first failure.
    ChipBusRecorder bus;
    std::unique_ptr<CTunerTypeTable> p1216 = BoxModel(Source<CTunerPHILIPS1216>, &bus);
    bus.result = [](const std::string& line) { return line == "B 86 00 16" ? E_FAIL : S_OK; };
    EXPECT_TRUE(p1216->SetVideoStandard(AnalogVideo_PAL_B));
    bus.result = [](const std::string& line) { return line == "B 86 02 49" ? E_FAIL : S_OK; };
    EXPECT_FALSE(p1216->SetVideoStandard(AnalogVideo_PAL_B));
    std::unique_ptr<CTunerTypeTable> lgm = BoxModel(Source<CTunerLGM200T>, &bus);
    bus.Clear();
    bus.result = [](const std::string& line) { return line == "W 86 00 D6" ? E_FAIL : S_OK; };
    EXPECT_FALSE(lgm->SetVideoStandard(AnalogVideo_PAL_B));
    EXPECT_EQ(1u, bus.Calls().size());
}

// Type 92's radio: the module's set-up bytes, then the divider in its 50 kHz steps.
TEST(TunerTypeTable, Type92TunesTheRadioAfterItsSetUp)
{
    ChipBusRecorder bus;
    std::unique_ptr<CTunerTypeTable> model = BoxModel(Source<CTunerPHILIPS1216>, &bus);
    EXPECT_TRUE(model->SetFmFrequency(100000));
    EXPECT_EQ(Lines({"W C6 08 FF 8E 01", "W C6 08 FF 8E 19", "W 86 00 5A 90 20", "W C6 08 A6 88 19"}), bus.Calls());

    bus.Clear();
    bus.result = [](const std::string& line) { return line == "W 86 00 5A 90 20" ? E_FAIL : S_OK; };
    EXPECT_FALSE(model->SetFmFrequency(100000));
    EXPECT_EQ(3u, bus.Calls().size());

    // Other types tune the radio as the base does.
    ChipBusRecorder other;
    std::unique_ptr<CTunerTypeTable> mi1f = BoxModel(Source<CTunerTCL2002MI_1F>, &other);
    ChipBusRecorder reference;
    CTunerTCL2002MI_1F own(&reference);
    own.SetAddresses(0xC7, 0xC6);
    EXPECT_EQ(own.SetFmFrequency(100000), mi1f->SetFmFrequency(100000));
    EXPECT_EQ(reference.Calls(), other.Calls());
}

TEST(TunerTypeTable, AnUndispatchedTypeBehavesAsTheBaseWithTheCopiedValues)
{
    ChipBusRecorder box, reference;
    box.blockAnswer = reference.blockAnswer = [](int length) { return std::vector<BYTE>(length, 0x42); };
    std::unique_ptr<CTunerTypeTable> model = BoxModel(Source<CTunerTCL2002MI_3>, &box);
    // The addresses are the box's, not copied.
    CTunerTCL2002MI_3 own(&reference);
    own.SetAddresses(0xC7, 0xC6);
    EXPECT_EQ(4, model->GetTypeId());
    EXPECT_EQ(own.GetBandLow(), model->GetBandLow());
    EXPECT_EQ(own.GetSupportedStandards(), model->GetSupportedStandards());
    for (float kHz : {48249.0f, 48250.0f, 169999.0f, 170000.0f, 471250.0f, 863250.0f, 863251.0f}) {
        EXPECT_EQ(own.CTunerModel::SetTvFrequency(kHz), model->SetTvFrequency(kHz)) << kHz;
        int ownCode = -1, boxCode = -1;
        EXPECT_EQ(own.CTunerModel::GetTvStatus(&ownCode), model->GetTvStatus(&boxCode));
        EXPECT_EQ(ownCode, boxCode);
    }
    EXPECT_EQ(reference.Calls(), box.Calls());
}

TEST(TunerTypeTable, DefaultsAndCopiedParameters)
{
    CTunerTypeTable model(NULL);
    EXPECT_EQ(4, model.GetTypeId());
    EXPECT_EQ(0xC7, model.GetReadAddress());
    EXPECT_EQ(0x42, model.GetDemodAddress());
    EXPECT_TRUE(model.IsDemodBusy());
    EXPECT_FALSE(model.IsFmSupported());
    EXPECT_EQ(48250, model.GetBandLow());
    EXPECT_EQ(863250, model.GetBandHigh());

    // Type 13 reads its status at the demodulator; 72 and 73 bring their AFC codes.
    std::unique_ptr<CTunerTypeTable> js = BoxModel(Source<CTunerJS_6B2>, NULL);
    EXPECT_EQ(0x86, js->GetReadAddress());
    EXPECT_EQ(2, js->GetInTuneCode());
    std::unique_ptr<CTunerTypeTable> lgm = BoxModel(Source<CTunerLGM200T>, NULL);
    CTunerLGM200T own(NULL);
    EXPECT_EQ(own.GetInTuneCode(), lgm->GetInTuneCode());
    EXPECT_EQ(own.GetAfcCodeUp62(), lgm->GetAfcCodeUp62());
    EXPECT_EQ(0xC7, lgm->GetReadAddress());
    std::unique_ptr<CTunerTypeTable> p1216 = BoxModel(Source<CTunerPHILIPS1216>, NULL);
    EXPECT_EQ(2, p1216->GetInTuneCode()) << "the base codes stay";
    EXPECT_TRUE(p1216->IsFmSupported());
}

TEST(TunerTypeTable, TvLockComesFromTheBoxDemodulator)
{
    ChipBusRecorder bus;
    BYTE value = 0x00;
    bus.byteAnswer = [&value](BYTE, DWORD) { return value; };
    CTunerTypeTable model(&bus);
    EXPECT_TRUE(model.IsTvLocked());
    EXPECT_FALSE(model.IsDemodBusy());
    value = 0x40;
    EXPECT_FALSE(model.IsTvLocked());
    model.SetDemodAddress(0x4B);
    value = 0x00;
    EXPECT_TRUE(model.IsTvLocked());
    EXPECT_EQ(Lines({"RB 42 1F", "RB 42 1F", "RB 4B 1F"}), bus.Calls());
    bus.result = [](const std::string&) { return E_FAIL; };
    EXPECT_FALSE(model.IsTvLocked());
}
