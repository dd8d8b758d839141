#include <gtest/gtest.h>

#include "BusRecorder.h"
#include "ModelProbe.h"
#include "TunerFQ1216ME.h"
#include "TunerFQ1216ME_5.h"
#include "TunerJS_6B2.h"
#include "TunerLGM200T.h"
#include "TunerMODEL_JS_2PC.h"
#include "TunerPHILIPS1216.h"
#include "TunerPHILIPSFQ1286.h"
#include "TunerTCL2002MI_3.h"
#include "TunerTNJ3321CF.h"
#include "TunerTNJ3321PF.h"

#include <strmif.h>

#include <memory>

namespace {

typedef CTunerModel* (*MakeModel)(CI2CAccess* access, int standard);

// A model whose capture device has stored standard as the current one.
template <class Model>
CTunerModel* Make(CI2CAccess* access, int standard)
{
    ModelProbe<Model>* model = new ModelProbe<Model>(access);
    model->StoreStandard(standard);
    return model;
}

struct FormRow
{
    const char* form;
    MakeModel make;
    int standard;
    float kHz;
    const char* message;            // empty: refused without bus traffic
};

const FormRow kForms[] = {
    // The PLL message as the base builds it: refused outside the bands.
    {"base", Make<CTunerTCL2002MI_3>, AnalogVideo_PAL_B, 49750, "W C0 05 8A CE 01"},
    {"base", Make<CTunerLGM200T>, AnalogVideo_PAL_B, 49749, ""},
    // 250 kHz up, band choice and band check included.
    {"+250 kHz", Make<CTunerTNJ3321PF>, AnalogVideo_PAL_B, 140000, "W C0 0B 32 CE 02"},
    {"+250 kHz", Make<CTunerTNJ3321CF>, AnalogVideo_PAL_B, 863000, "W C0 38 62 CE 08"},
    {"+250 kHz", Make<CTunerTNJ3321PF>, AnalogVideo_PAL_B, 863001, ""},
    // Clamped, with the module's own IF under SECAM L' only.
    {"L' IF", Make<CTunerMODEL_JS_2PC>, AnalogVideo_SECAM_L1, 471250, "W C0 1F 92 CE 04"},
    {"L' IF", Make<CTunerMODEL_JS_2PC>, AnalogVideo_SECAM_L, 471250, "W C0 1F E2 CE 04"},
    {"L' IF", Make<CTunerJS_6B2>, AnalogVideo_SECAM_L1, 471250, "W C0 1F 93 CE 04"},
    {"L' IF", Make<CTunerMODEL_JS_2PC>, AnalogVideo_PAL_B, 40000, "W C0 05 8A CE 01"},
    {"L' IF", Make<CTunerMODEL_JS_2PC>, AnalogVideo_PAL_B, 900000, "W C0 38 62 CE 04"},
    // Six bytes: the auxiliary byte tells SECAM L and L' from the rest.
    {"six-byte", Make<CTunerPHILIPS1216>, AnalogVideo_PAL_D, 471250, "W C0 1F E2 CE 04 A0"},
    {"six-byte", Make<CTunerPHILIPS1216>, AnalogVideo_SECAM_L1, 471250, "W C0 1F 92 CE 04 20"},
    {"six-byte", Make<CTunerPHILIPS1216>, AnalogVideo_SECAM_L, 471250, "W C0 1F E2 CE 04 20"},
    {"six-byte", Make<CTunerFQ1216ME>, AnalogVideo_SECAM_L1, 471250, "W C0 1F E2 CE 04 20"},
    {"six-byte", Make<CTunerFQ1216ME>, AnalogVideo_PAL_B, 10000, "W C0 05 72 CE 01 A0"},
    {"six-byte", Make<CTunerPHILIPSFQ1286>, AnalogVideo_NTSC_M_J, 91250, "W C0 09 60 CE 01 50"},
    {"six-byte", Make<CTunerPHILIPSFQ1286>, AnalogVideo_SECAM_L, 91250, "W C0 09 60 CE 01 50"},
    // Clamped five bytes in every standard.
    {"clamped", Make<CTunerFQ1216ME_5>, AnalogVideo_SECAM_L1, 471250, "W C0 1F E2 CE 04"},
    {"clamped", Make<CTunerFQ1216ME_5>, AnalogVideo_PAL_B, 870000, "W C0 38 62 CE 04"},
};

} // namespace

TEST(TuningForms, EachFormWritesTheExactMessage)
{
    for (size_t i = 0; i < sizeof(kForms) / sizeof(kForms[0]); ++i) {
        const FormRow& row = kForms[i];
        BusRecorder bus;
        std::unique_ptr<CTunerModel> model(row.make(&bus, row.standard));
        bool expected = row.message[0] != '\0';

        EXPECT_EQ(expected, model->SetTvFrequency(row.kHz) != FALSE) << "row " << i << " (" << row.form << ")";

        BusRecorder::Lines calls;
        if (expected)
            calls.push_back(row.message);
        EXPECT_EQ(calls, bus.Calls()) << "row " << i << " (" << row.form << ")";
    }
}

TEST(TuningForms, ClampedFormsSucceedOnlyWhenTheWriteReturnsOk)
{
    const MakeModel makers[] = {Make<CTunerMODEL_JS_2PC>, Make<CTunerFQ1216ME>, Make<CTunerFQ1216ME_5>};
    for (size_t i = 0; i < 3; ++i) {
        BusRecorder bus;
        bus.FailCall(0, S_FALSE);
        std::unique_ptr<CTunerModel> model(makers[i](&bus, AnalogVideo_PAL_B));
        EXPECT_FALSE(model->SetTvFrequency(471250)) << "model " << i;
        EXPECT_EQ(1u, bus.Calls().size()) << "model " << i;
    }
}

TEST(TuningForms, NoTransportTunesNothing)
{
    std::unique_ptr<CTunerModel> model(Make<CTunerFQ1216ME>(NULL, AnalogVideo_PAL_B));
    EXPECT_FALSE(model->SetTvFrequency(471250));
}
