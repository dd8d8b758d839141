#include <gtest/gtest.h>

#include "BusRecorder.h"
#include "ModelProbe.h"
#include "TunerFQ1216ME_5.h"
#include "TunerModelNames.h"
#include "TunerModelRecord.h"
#include "TunerPHILIPSFQ1286.h"
#include "TunerXCEIVE3028.h"

#include <strmif.h>

#include <memory>
#include <string>
#include <typeinfo>

namespace {

struct NameRow
{
    int typeId;
    const char* name;
};

// Every type the user's tuner list offers, by id.
const NameRow kNames[] = {
    {0, "MODEL_UNKNOWN"},
    {1, "TCL2002N_1"},
    {2, "TCL2002N_1F"},
    {3, "TCL2002NJ_5"},
    {4, "TCL2002MI_3"},
    {5, "TCL2002MB_3"},
    {10, "TCL2002MB_1F"},
    {11, "TCL2002MI_1F"},
    {12, "MODEL_JS_2PC"},
    {13, "JS_6B2"},
    {14, "TCL2002MB_33F"},
    {15, "TCL9809N_1F"},
    {17, "TCL9886P_WM"},
    {32, "XINFA_TDQ_6B_B"},
    {33, "XINFA_TDQ_6B_DI"},
    {34, "XINFA_TDQ_6B_N"},
    {35, "XINFA_TDQ_6B4_DI"},
    {50, "TNF8357DIF"},
    {52, "TNF8532BF"},
    {53, "TNF8532DF"},
    {54, "TNF8532MF"},
    {55, "TNF5831MFF"},
    {56, "TNF5532JF"},
    {57, "TNF5532MF"},
    {58, "TNF9835"},
    {59, "TNJ3321PF"},
    {60, "TNF9535BDF"},
    {61, "TNF7532PRF"},
    {62, "TNF9835BDFF"},
    {63, "TNJ3321MF"},
    {64, "TNF5531MF"},
    {65, "TNF5835MFF"},
    {66, "TNF5535MF"},
    {67, "TNJ3321CF"},
    {68, "TNJ7752JFF_MK5"},
    {69, "TNF9935BDFF"},
    {70, "TNJ8852CFF"},
    {71, "TNJ7357MF"},
    {72, "LGM200T"},
    {73, "LGH200T"},
    {74, "LGH202T"},
    {75, "LGS200T"},
    {90, "XCEIVE3028"},
    {91, "XCEIVE2028"},
    {92, "PHILIPS1216"},
    {93, "FQ1216ME"},
    {94, "FQ1236F"},
    {95, "PHILIPSTDA8275A"},
    {96, "PHILIPSFQ1286"},
    {97, "FQ1216ME_5"},
    {98, "FM1236MK3"},
    {100, "PANOSONIC_ENGE4326D"},
    {110, "FS5_1A5_BG1"},
    {130, "TNF9533BDF"},
    {132, "TNJ8352PF"},
    {133, "TNF9535DIF"},
    {134, "TNF8022"},
    {135, "DVBC_TUNER"},
    {136, "XCEIVE3028AF"},
    {137, "XCEIVE3028SIF"},
};

// Every type with a tuner class, and the class.
const NameRow kClasses[] = {
    {1, "CTunerTCL2002N_1"},
    {2, "CTunerTCL2002N_1F"},
    {3, "CTunerTCL2002NJ_5"},
    {4, "CTunerTCL2002MI_3"},
    {5, "CTunerTCL2002MB_3"},
    {10, "CTunerTCL2002MB_1F"},
    {11, "CTunerTCL2002MI_1F"},
    {12, "CTunerMODEL_JS_2PC"},
    {13, "CTunerJS_6B2"},
    {14, "CTunerTCL2002MB_33F"},
    {15, "CTunerTCL9809N_1F"},
    {17, "CTunerTCL9886P_WM"},
    {32, "CTunerXINFA_TDQ_6B_B"},
    {33, "CTunerXINFA_TDQ_6B_DI"},
    {34, "CTunerXINFA_TDQ_6B_N"},
    {35, "CTunerXINFA_TDQ_6B4_DI"},
    {50, "CTunerTNF8357DIF"},
    {52, "CTunerTNF8532BF"},
    {53, "CTunerTNF8532DF"},
    {54, "CTunerTNF8532MF"},
    {55, "CTunerTNF5831MFF"},
    {56, "CTunerTNF5532JF"},
    {57, "CTunerTNF5532MF"},
    {58, "CTunerTNF9835"},
    {59, "CTunerTNJ3321PF"},
    {60, "CTunerTNF9535BDF"},
    {61, "CTunerTNF7532PRF"},
    {62, "CTunerTNF9835BDFF"},
    {63, "CTunerTNJ3321MF"},
    {64, "CTunerTNF5531MF"},
    {65, "CTunerTNF5835MFF"},
    {66, "CTunerTNF5535MF"},
    {67, "CTunerTNJ3321CF"},
    {68, "CTunerTNJ7752JFF_MK5"},
    {69, "CTunerTNF9935BDFF"},
    {70, "CTunerTNJ8852CFF"},
    {71, "CTunerTNJ7357MF"},
    {72, "CTunerLGM200T"},
    {73, "CTunerLGH200T"},
    {74, "CTunerLGH202T"},
    {75, "CTunerLGS200T"},
    {90, "CTunerXCEIVE3028"},
    {91, "CTunerXCEIVE2028"},
    {92, "CTunerPHILIPS1216"},
    {93, "CTunerFQ1216ME"},
    {94, "CTunerFQ1236F"},
    {95, "CTunerPHILIPSTDA8275A"},
    {96, "CTunerPHILIPSFQ1286"},
    {97, "CTunerFQ1216ME_5"},
    {98, "CTunerFM1236MK3"},
    {100, "CTunerPANOSONIC_ENGE4326D"},
    {110, "CTunerFS5_1A5_BG1"},
    {130, "CTunerTNF9533BDF"},
    {131, "CTunerType131"},
    {132, "CTunerTNJ8352PF"},
    {133, "CTunerTNF9535DIF"},
    {134, "CTunerTNF8022"},
    {136, "CTunerXCEIVE3028AF"},
    {137, "CTunerXCEIVE3028SIF"},
};

struct TuningRow
{
    int typeId;
    float kHz;
    const char* calls;              // the bus calls in order, "; " between them
};

// One frequency in each band of every module: the lowest carrier, and exactly each split point
// (which takes the next band up). The register-table modules have no bands of their own: they
// send the mode word and the divider in 15.625 kHz steps, without the chip's address while no
// owner device gives an access mode, and the 3028 variants with their strobes. The silicon
// tuner's bands are its chip's, read through a demodulator that answers: SiliconTunerTest.
const TuningRow kTunings[] = {
    {1, 55250, "W C0 06 50 CE 01"},
    {1, 169250, "W C0 0D 70 CE 02"},
    {1, 445250, "W C0 1E B0 CE 08"},
    {2, 55250, "W C0 06 50 CE 01"},
    {2, 169250, "W C0 0D 70 CE 02"},
    {2, 445250, "W C0 1E B0 CE 08"},
    {3, 91000, "W C0 09 5C CE 01"},
    {3, 170000, "W C0 0E 4C CE 02"},
    {3, 450000, "W C0 1F CC CE 08"},
    {4, 48250, "W C0 05 72 CE 01"},
    {4, 170000, "W C0 0D 0E CE 02"},
    {4, 450000, "W C0 1E 8E CE 08"},
    {5, 48250, "W C0 05 72 CE 01"},
    {5, 170000, "W C0 0D 0E CE 02"},
    {5, 450000, "W C0 1E 8E CE 08"},
    {10, 48250, "W C0 05 72 C8 A0"},
    {10, 170000, "W C0 0D 0E C8 90"},
    {10, 450000, "W C0 1E 8E C8 30"},
    {11, 48250, "W C0 05 72 CE A0"},
    {11, 170000, "W C0 0D 0E CE 90"},
    {11, 450000, "W C0 1E 8E CE 30"},
    {12, 49750, "W C0 05 8A CE 01"},
    {12, 160250, "W C0 0C 72 CE 02"},
    {12, 464250, "W C0 1F 72 CE 04"},
    {13, 45250, "W C0 05 42 CE 01"},
    {13, 161250, "W C0 0C 82 CE 02"},
    {13, 463250, "W C0 1F 62 CE 04"},
    {14, 48250, "W C0 05 72 CE A0"},
    {14, 170000, "W C0 0D 0E CE 90"},
    {14, 450000, "W C0 1E 8E CE 30"},
    {15, 55250, "W C7 06 50 CE A0"},
    {15, 169250, "W C7 0D 70 CE 90"},
    {15, 445250, "W C7 1E B0 CE 30"},
    {17, 48250, "W C0 05 72 CE 01"},
    {17, 126250, "W C0 0A 52 CE 02"},
    {17, 359250, "W C0 18 E2 CE 08"},
    {32, 48250, "W C2 05 72 CE A0"},
    {32, 168250, "W C2 0C F2 CE 90"},
    {32, 447250, "W C2 1E 62 CE 30"},
    {33, 49750, "W C0 05 8A CE A0"},
    {33, 168250, "W C0 0C F2 CE 90"},
    {33, 448250, "W C0 1E 72 CE 30"},
    {34, 55250, "W C0 06 50 CE A0"},
    {34, 169250, "W C0 0D 70 CE 90"},
    {34, 451250, "W C0 1F 10 CE 30"},
    {35, 49750, "W C0 05 8A CE 01"},
    {35, 168250, "W C0 0C F2 CE 02"},
    {35, 448250, "W C0 1E 72 CE 08"},
    {50, 49750, "W C0 05 8A CE 01"},
    {50, 160250, "W C0 0C 72 CE 02"},
    {50, 464250, "W C0 1F 72 CE 04"},
    {52, 48250, "W C0 05 72 CE 01"},
    {52, 161250, "W C0 0C 82 CE 02"},
    {52, 463250, "W C0 1F 62 CE 08"},
    {53, 49750, "W C0 05 7C CE 01"},
    {53, 160250, "W C0 0C 64 CE 02"},
    {53, 464250, "W C0 1F 64 CE 08"},
    {54, 55250, "W C0 06 50 CE 01"},
    {54, 139250, "W C0 0B 90 CE 02"},
    {54, 391250, "W C0 1B 50 CE 08"},
    {55, 55250, "W C0 06 50 CE A0"},
    {55, 163250, "W C0 0D 10 CE 90"},
    {55, 463250, "W C0 1F D0 CE 30"},
    {56, 91250, "W C0 09 60 CE 01"},
    {56, 165250, "W C0 0E 00 CE 02"},
    {56, 463250, "W C0 20 A0 CE 08"},
    {57, 55250, "W C0 06 50 CE 01"},
    {57, 163250, "W C0 0D 10 CE 02"},
    {57, 463250, "W C0 1F D0 CE 08"},
    {58, 49250, "W C0 05 82 CE 01"},
    {58, 160250, "W C0 0C 72 CE 02"},
    {58, 464250, "W C0 1F 72 CE 08"},
    {59, 44250, "W C0 05 36 CE 01"},
    {59, 140250, "W C0 0B 36 CE 02"},
    {59, 423250, "W C0 1C E6 CE 08"},
    {60, 48250, "W C0 05 72 CE 01"},
    {60, 161250, "W C0 0C 82 CE 02"},
    {60, 464250, "W C0 1F 72 CE 08"},
    {61, 55250, "W C1 06 50 CE 01"},
    {61, 163250, "W C1 0D 10 CE 02"},
    {61, 463250, "W C1 1F D0 CE 08"},
    {62, 48250, "W C0 05 72 CE 01"},
    {62, 161250, "W C0 0C 82 CE 02"},
    {62, 463250, "W C0 1F 62 CE 08"},
    {63, 44250, "W C0 05 A4 CE 01"},
    {63, 140250, "W C0 0B A4 CE 02"},
    {63, 423250, "W C0 1D 54 CE 08"},
    {64, 55250, "W C0 06 50 CE A0"},
    {64, 163250, "W C0 0D 10 CE 90"},
    {64, 463250, "W C0 1F D0 CE 30"},
    {65, 55250, "W C0 06 50 CE 01"},
    {65, 163250, "W C0 0D 10 CE 02"},
    {65, 463250, "W C0 1F D0 CE 08"},
    {66, 55250, "W C0 06 50 CE 01"},
    {66, 163250, "W C0 0D 10 CE 02"},
    {66, 463250, "W C0 1F D0 CE 08"},
    {67, 44250, "W C0 05 36 CE 01"},
    {67, 140250, "W C0 0B 36 CE 02"},
    {67, 423250, "W C0 1C E6 CE 08"},
    {68, 91250, "W C0 09 60 CE 21"},
    {68, 165250, "W C0 0E 00 CE 22"},
    {68, 463250, "W C0 20 A0 CE 28"},
    {69, 48250, "W C0 05 72 CE 01"},
    {69, 161250, "W C0 0C 82 CE 02"},
    {69, 463250, "W C0 1F 62 CE 08"},
    {70, 44250, "W C0 05 32 CE 11"},
    {70, 161250, "W C0 0C 82 CE 12"},
    {70, 463250, "W C0 1F 62 CE 18"},
    {71, 55250, "W C0 06 50 CE 01"},
    {71, 163250, "W C0 0D 10 CE 02"},
    {71, 463250, "W C0 1F D0 CE 08"},
    {72, 49750, "W C0 05 8A 8E 01"},
    {72, 147250, "W C0 0B A2 8E 02"},
    {72, 425250, "W C0 1D 02 8E 08"},
    {73, 55250, "W C0 06 50 8E 01"},
    {73, 127250, "W C0 0A D0 8E 02"},
    {73, 361250, "W C0 19 70 8E 08"},
    {74, 55250, "W C0 06 50 CE 01"},
    {74, 127250, "W C0 0A D0 CE 02"},
    {74, 361250, "W C0 19 70 CE 08"},
    {75, 48250, "W C0 05 72 CE 01"},
    {75, 140250, "W C0 0B 32 CE 02"},
    {75, 423250, "W C0 1C E2 CE 08"},
    {90, 42750, "W 00 02 00 00; W 00 00 0A B0"},
    {90, 147250, "W 00 02 00 00; W 00 00 24 D0"},
    {90, 425250, "W 00 02 00 00; W 00 00 6A 50"},
    {91, 42750, "W 00 02 00 00; W 00 00 0A B0"},
    {91, 147250, "W 00 02 00 00; W 00 00 24 D0"},
    {91, 425250, "W 00 02 00 00; W 00 00 6A 50"},
    {92, 48250, "W C0 05 72 CE 01 A0"},
    {92, 160000, "W C0 0C 6E CE 02 A0"},
    {92, 442000, "W C0 1E 0E CE 04 A0"},
    {93, 48250, "W C0 05 72 CE 01 A0"},
    {93, 160000, "W C0 0C 6E CE 02 A0"},
    {93, 442000, "W C0 1E 0E CE 04 A0"},
    {94, 55250, "W C0 06 50 CE 01"},
    {94, 160000, "W C0 0C DC CE 02"},
    {94, 442000, "W C0 1E 7C CE 04"},
    {96, 91250, "W C0 09 60 CE 01 50"},
    {96, 160000, "W C0 0D AC CE 02 50"},
    {96, 442000, "W C0 1F 4C CE 04 50"},
    {97, 48250, "W C0 05 72 CE 01"},
    {97, 160000, "W C0 0C 6E CE 02"},
    {97, 442000, "W C0 1E 0E CE 04"},
    {98, 55250, "W C0 06 50 CE 01"},
    {98, 160000, "W C0 0C DC CE 02"},
    {98, 442000, "W C0 1E 7C CE 04"},
    {100, 91250, "W C0 09 60 CE 01"},
    {100, 165250, "W C0 0E 00 CE 02"},
    {100, 463250, "W C0 20 A0 CE 08"},
    {110, 48250, "W C0 05 72 CE 01"},
    {110, 140250, "W C0 0B 32 CE 02"},
    {110, 423250, "W C0 1C E2 CE 08"},
    {130, 48250, "W C0 05 72 CE 01"},
    {130, 161250, "W C0 0C 82 CE 02"},
    {130, 464250, "W C0 1F 72 CE 04"},
    {131, 49250, "W C0 05 74 CE 01"},
    {131, 160250, "W C0 0C 64 CE 02"},
    {131, 464250, "W C0 1F 64 CE 04"},
    {132, 44250, "W C0 05 32 CE 01"},
    {132, 161250, "W C0 0C 82 CE 02"},
    {132, 463250, "W C0 1F 62 CE 04"},
    {133, 49750, "W C0 05 8A CE 01"},
    {133, 160250, "W C0 0C 72 CE 02"},
    {133, 464250, "W C0 1F 72 CE 08"},
    {134, 49750, "W C0 05 8A CE 01"},
    {134, 160250, "W C0 0C 72 CE 02"},
    {134, 464250, "W C0 1F 72 CE 08"},
    {136, 42750, "W C2 00 02 00 00; gpio 1 0; gpio 0 0; W C2 00 00 0A B0"},
    {136, 147250, "W C2 00 02 00 00; gpio 1 0; gpio 0 0; W C2 00 00 24 D0"},
    {136, 425250, "W C2 00 02 00 00; gpio 1 0; gpio 0 0; W C2 00 00 6A 50"},
    {137, 42750, "W C2 00 02 00 00; line2 1; line2 0; W C2 00 00 0A B0"},
    {137, 147250, "W C2 00 02 00 00; line2 1; line2 0; W C2 00 00 24 D0"},
    {137, 425250, "W C2 00 02 00 00; line2 1; line2 0; W C2 00 00 6A 50"},
};

// A row's calls, one line each.
BusRecorder::Lines Split(const std::string& calls)
{
    BusRecorder::Lines lines;
    for (size_t start = 0; start < calls.size();) {
        size_t end = calls.find("; ", start);
        if (end == std::string::npos)
            end = calls.size();
        lines.push_back(calls.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The name GCC's type information gives a class: its length, then the name.
std::string MangledName(const char* name)
{
    return std::to_string(strlen(name)) + name;
}

} // namespace

TEST(TunerModelTable, NameTableHoldsEveryOfferedTypeWithItsText)
{
    InitTunerModelNames();
    InitTunerModelNames();

    const TunerModelNameMap& names = GetTunerModelNameMap();
    ASSERT_EQ(60u, names.size());
    for (const NameRow& row : kNames) {
        TunerModelNameMap::const_iterator it = names.find(row.typeId);
        ASSERT_TRUE(it != names.end()) << "type " << row.typeId;
        EXPECT_STREQ(row.name, (LPCTSTR)it->second) << "type " << row.typeId;
    }
    // Type 131 has a class but is never offered by name.
    EXPECT_TRUE(names.find(131) == names.end());
}

TEST(TunerModelTable, EveryTypeIdConstructsItsOwnClassThroughTheFactory)
{
    BusRecorder bus;
    for (const NameRow& row : kClasses) {
        std::unique_ptr<CTunerModel> model(NewTunerModel(row.typeId, &bus));
        ASSERT_TRUE(model) << "type " << row.typeId;
        EXPECT_EQ(MangledName(row.name), typeid(*model).name()) << "type " << row.typeId;
    }
    EXPECT_TRUE(bus.Calls().empty());
}

TEST(TunerModelTable, TypesWithoutAClassConstructNothing)
{
    BusRecorder bus;
    const int ids[] = {0, 135, 6, 16, 51, 99, 138, -1};
    for (int id : ids)
        EXPECT_EQ(NULL, NewTunerModel(id, &bus)) << "type " << id;
}

TEST(TunerModelTable, UnknownTypesFindTheUnknownRecord)
{
    EXPECT_EQ(0, FindTunerModelRecord(6).typeId);
    EXPECT_STREQ("MODEL_UNKNOWN", FindTunerModelRecord(-1).name);
    EXPECT_EQ(135, FindTunerModelRecord(135).typeId);
}

TEST(TunerModelTable, EveryModelTunesInEachOfItsBands)
{
    for (size_t i = 0; i < sizeof(kTunings) / sizeof(kTunings[0]); ++i) {
        const TuningRow& row = kTunings[i];
        BusRecorder bus;
        std::unique_ptr<CTunerModel> model(NewTunerModel(row.typeId, &bus));
        ASSERT_TRUE(model) << "row " << i;
        BusRecorder::Lines calls = Split(row.calls);

        EXPECT_EQ(!calls.empty(), model->SetTvFrequency(row.kHz) != FALSE) << "row " << i;
        EXPECT_EQ(calls, bus.Calls()) << "row " << i << ", type " << row.typeId << " at " << row.kHz;
    }
}

TEST(TunerModelTable, ConstructorLoadsTheModelsRow)
{
    BusRecorder bus;
    ModelProbe<CTunerPHILIPSFQ1286> fq1286(&bus);
    EXPECT_EQ(96, fq1286.TypeId());
    EXPECT_EQ(96, fq1286.SecondTypeId());
    EXPECT_EQ('P', fq1286.MakerLetter());
    EXPECT_EQ(AnalogVideo_NTSC_M_J, fq1286.Standard());
    EXPECT_TRUE(fq1286.ReapplyStandard());
    EXPECT_EQ(std::vector<int>(1, AnalogVideo_NTSC_M_J), fq1286.Standards());

    ModelProbe<CTunerFQ1216ME_5> fq1216me5(&bus);
    EXPECT_EQ(AnalogVideo_PAL_B, fq1216me5.Standard());
    const int standards[] = {AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_I, AnalogVideo_SECAM_L,
                             AnalogVideo_SECAM_L1, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G, AnalogVideo_SECAM_D,
                             AnalogVideo_SECAM_K};
    EXPECT_EQ(std::vector<int>(standards, standards + 9), fq1216me5.Standards());
}

TEST(TunerModelTable, Xceive3028KeepsItsOwnTypeIdOnThe2028)
{
    BusRecorder bus;
    ModelProbe<CTunerXCEIVE3028> model(&bus);
    EXPECT_EQ(90, model.TypeId());
    EXPECT_EQ(90, model.SecondTypeId());
    EXPECT_EQ('E', model.MakerLetter());
    EXPECT_EQ(18u, model.Standards().size());
}
