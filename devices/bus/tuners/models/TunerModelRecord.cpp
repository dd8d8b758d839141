#include "TunerModelRecord.h"

#include "TunerFM1236MK3.h"
#include "TunerFQ1216ME.h"
#include "TunerFQ1216ME_5.h"
#include "TunerFQ1236F.h"
#include "TunerFS5_1A5_BG1.h"
#include "TunerJS_6B2.h"
#include "TunerLGH200T.h"
#include "TunerLGH202T.h"
#include "TunerLGM200T.h"
#include "TunerLGS200T.h"
#include "TunerMODEL_JS_2PC.h"
#include "TunerPANOSONIC_ENGE4326D.h"
#include "TunerPHILIPS1216.h"
#include "TunerPHILIPSFQ1286.h"
#include "TunerPHILIPSTDA8275A.h"
#include "TunerTCL2002MB_1F.h"
#include "TunerTCL2002MB_3.h"
#include "TunerTCL2002MB_33F.h"
#include "TunerTCL2002MI_1F.h"
#include "TunerTCL2002MI_3.h"
#include "TunerTCL2002NJ_5.h"
#include "TunerTCL2002N_1.h"
#include "TunerTCL2002N_1F.h"
#include "TunerTCL9809N_1F.h"
#include "TunerTCL9886P_WM.h"
#include "TunerTNF5531MF.h"
#include "TunerTNF5532JF.h"
#include "TunerTNF5532MF.h"
#include "TunerTNF5535MF.h"
#include "TunerTNF5831MFF.h"
#include "TunerTNF5835MFF.h"
#include "TunerTNF7532PRF.h"
#include "TunerTNF8022.h"
#include "TunerTNF8357DIF.h"
#include "TunerTNF8532BF.h"
#include "TunerTNF8532DF.h"
#include "TunerTNF8532MF.h"
#include "TunerTNF9533BDF.h"
#include "TunerTNF9535BDF.h"
#include "TunerTNF9535DIF.h"
#include "TunerTNF9835.h"
#include "TunerTNF9835BDFF.h"
#include "TunerTNF9935BDFF.h"
#include "TunerTNJ3321CF.h"
#include "TunerTNJ3321MF.h"
#include "TunerTNJ3321PF.h"
#include "TunerTNJ7357MF.h"
#include "TunerTNJ7752JFF_MK5.h"
#include "TunerTNJ8352PF.h"
#include "TunerTNJ8852CFF.h"
#include "TunerType131.h"
#include "TunerXCEIVE2028.h"
#include "TunerXCEIVE3028.h"
#include "TunerXCEIVE3028AF.h"
#include "TunerXCEIVE3028SIF.h"
#include "TunerXINFA_TDQ_6B4_DI.h"
#include "TunerXINFA_TDQ_6B_B.h"
#include "TunerXINFA_TDQ_6B_DI.h"
#include "TunerXINFA_TDQ_6B_N.h"

#include <strmif.h>

#include <new>

namespace {

// AnalogVideoStandard values, short enough for the table rows.
enum Standard {
    NTSC_M = AnalogVideo_NTSC_M,
    NTSC_M_J = AnalogVideo_NTSC_M_J,
    NTSC_433 = AnalogVideo_NTSC_433,
    PAL_B = AnalogVideo_PAL_B,
    PAL_D = AnalogVideo_PAL_D,
    PAL_H = AnalogVideo_PAL_H,
    PAL_I = AnalogVideo_PAL_I,
    PAL_M = AnalogVideo_PAL_M,
    PAL_N = AnalogVideo_PAL_N,
    PAL_60 = AnalogVideo_PAL_60,
    SECAM_B = AnalogVideo_SECAM_B,
    SECAM_D = AnalogVideo_SECAM_D,
    SECAM_G = AnalogVideo_SECAM_G,
    SECAM_H = AnalogVideo_SECAM_H,
    SECAM_K = AnalogVideo_SECAM_K,
    SECAM_K1 = AnalogVideo_SECAM_K1,
    SECAM_L = AnalogVideo_SECAM_L,
    SECAM_L1 = AnalogVideo_SECAM_L1
};

// A module without an FM receiver keeps the base model's FM bytes.
constexpr TunerModelRecord::FmPart NO_FM = {FALSE, 0, 0, 0, 0xCE, 0x01};

template <class Model>
CTunerModel* CreateModel(CI2CAccess* access)
{
    return new (std::nothrow) Model(access);
}

const int kRecordCount = 61;

const TunerModelRecord kRecords[] = {
    // id, name, maker letter, bands (low 1, high 1, low 2, high 2, low 3, high 3), TV IF,
    // FM (supported, low, high, IF, control, band), band bytes 1/2/3, control, lock mask,
    // read address, write address, status codes (+125, +62.5, in tune, -62.5, -125), FM lock
    // code, re-apply standard, starting standard, standards offered, create function
    {  0, "MODEL_UNKNOWN",         'N', {48250, 170000, 170000, 450000, 450000, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC0, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {}, NULL},
    {  1, "TCL2002N_1",            'T', {55250, 169250, 175250, 445250, 451250, 801250}, 45750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTCL2002N_1>},
    {  2, "TCL2002N_1F",           'T', {55250, 169250, 175250, 445250, 451250, 801250}, 45750, {TRUE, 87000, 108000, 41250, 0x82, 0x05}, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTCL2002N_1F>},
    {  3, "TCL2002NJ_5",           'T', {91000, 170000, 170000, 450000, 450000, 765000}, 58750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC0, 0xC0, {4, 2, 3, 1, 0}, 4, FALSE, PAL_B, {NTSC_M_J}, CreateModel<CTunerTCL2002NJ_5>},
    {  4, "TCL2002MI_3",           'T', {48250, 170000, 170000, 450000, 450000, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_D, PAL_I, SECAM_D, SECAM_K}, CreateModel<CTunerTCL2002MI_3>},
    {  5, "TCL2002MB_3",           'T', {48250, 170000, 170000, 450000, 450000, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_B, PAL_D, SECAM_D, SECAM_K, SECAM_B, SECAM_G}, CreateModel<CTunerTCL2002MB_3>},
    { 10, "TCL2002MB_1F",          'T', {48250, 170000, 170000, 450000, 450000, 863250}, 38900, {TRUE, 87000, 108000, 10700, 0x8A, 0xA5}, {0xA0, 0x90, 0x30}, 0xC8, 0x40, 0xC0, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_B, PAL_D, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerTCL2002MB_1F>},
    { 11, "TCL2002MI_1F",          'T', {48250, 170000, 170000, 450000, 450000, 863250}, 38900, {TRUE, 87000, 107800, 10700, 0x8A, 0xA5}, {0xA0, 0x90, 0x30}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_D, PAL_I, SECAM_D, SECAM_K}, CreateModel<CTunerTCL2002MI_1F>},
    { 12, "MODEL_JS_2PC",          'G', {49750, 160250, 168250, 464250, 471250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0x87, 0xC0, {4, 3, 2, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_L, SECAM_L1, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerMODEL_JS_2PC>},
    { 13, "JS_6B2",                'G', {45250, 161250, 168250, 463250, 471250, 855250}, 38900, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_L, SECAM_L1, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerJS_6B2>},
    { 14, "TCL2002MB_33F",         'T', {48250, 170000, 170000, 450000, 450000, 863250}, 38900, {TRUE, 87000, 108000, 10700, 0x8A, 0xA5}, {0xA0, 0x90, 0x30}, 0xCE, 0x40, 0xC1, 0xC0, {2, 4, 3, 1, 0}, 4, FALSE, PAL_B, {PAL_B, PAL_D, SECAM_B, SECAM_D, SECAM_G, SECAM_K}, CreateModel<CTunerTCL2002MB_33F>},
    { 15, "TCL9809N_1F",           'T', {55250, 169250, 175250, 445250, 451250, 801250}, 45750, {TRUE, 87000, 108000, 10700, 0x8A, 0xA5}, {0xA0, 0x90, 0x30}, 0xCE, 0x40, 0xC6, 0xC7, {4, 3, 2, 1, 0}, 3, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTCL9809N_1F>},
    { 17, "TCL9886P_WM",           'T', {48250, 126250, 133250, 359250, 367250, 855250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, TRUE, PAL_B, {PAL_D, PAL_I, PAL_B, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerTCL9886P_WM>},
    { 32, "XINFA_TDQ_6B_B",        'X', {48250, 168250, 175250, 447250, 455250, 863250}, 38900, NO_FM, {0xA0, 0x90, 0x30}, 0xCE, 0x40, 0xC3, 0xC2, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_B, SECAM_B, SECAM_G}, CreateModel<CTunerXINFA_TDQ_6B_B>},
    { 33, "XINFA_TDQ_6B_DI",       'X', {49750, 168250, 176250, 448250, 456250, 863250}, 38900, NO_FM, {0xA0, 0x90, 0x30}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_D, PAL_I, SECAM_D, SECAM_K}, CreateModel<CTunerXINFA_TDQ_6B_DI>},
    { 34, "XINFA_TDQ_6B_N",        'X', {55250, 169250, 175250, 451250, 457250, 863250}, 45750, NO_FM, {0xA0, 0x90, 0x30}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerXINFA_TDQ_6B_N>},
    { 35, "XINFA_TDQ_6B4_DI",      'X', {49750, 168250, 176250, 448250, 456250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_D, PAL_I, SECAM_D, SECAM_K}, CreateModel<CTunerXINFA_TDQ_6B4_DI>},
    { 50, "TNF8357DIF",            'A', {49750, 160250, 168250, 464250, 471250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, FALSE, PAL_B, {PAL_D, PAL_I}, CreateModel<CTunerTNF8357DIF>},
    { 52, "TNF8532BF",             'A', {48250, 161250, 168250, 463250, 471250, 855250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_D, PAL_B, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerTNF8532BF>},
    { 53, "TNF8532DF",             'A', {49750, 160250, 168250, 464250, 471250, 855250}, 38000, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_D, SECAM_D, SECAM_K}, CreateModel<CTunerTNF8532DF>},
    { 54, "TNF8532MF",             'A', {55250, 139250, 145250, 391250, 397250, 801250}, 45750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTNF8532MF>},
    { 55, "TNF5831MFF",            'A', {55250, 163250, 169250, 463250, 469250, 855250}, 45750, {TRUE, 87500, 108000, 10700, 0x8A, 0xA5}, {0xA0, 0x90, 0x30}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTNF5831MFF>},
    { 56, "TNF5532JF",             'A', {91250, 165250, 165250, 463250, 463250, 769250}, 58750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M_J}, CreateModel<CTunerTNF5532JF>},
    { 57, "TNF5532MF",             'A', {55250, 163250, 169250, 463250, 469250, 801250}, 45750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTNF5532MF>},
    { 58, "TNF9835",               'A', {49250, 160250, 168250, 464250, 471250, 863250}, 38900, {TRUE, 87500, 108000, 10700, 0x8A, 0x11}, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 3, FALSE, PAL_B, {PAL_D, PAL_I, SECAM_D, SECAM_K}, CreateModel<CTunerTNF9835>},
    { 59, "TNJ3321PF",             'A', {44250, 140250, 137250, 423250, 431250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 1, 0, 2}, 4, TRUE, PAL_B, {PAL_D, PAL_I, PAL_B, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerTNJ3321PF>},
    { 60, "TNF9535BDF",            'A', {48250, 161250, 168250, 464250, 471250, 863250}, 38900, {FALSE, 87500, 108000, 10700, 0x8A, 0xA5}, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 1, 3, 0}, 9, FALSE, PAL_B, {PAL_B, PAL_D, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerTNF9535BDF>},
    { 61, "TNF7532PRF",            'A', {55250, 163250, 169250, 463250, 469250, 801250}, 45750, {FALSE, 87500, 108000, 10700, 0x8A, 0xA5}, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC0, 0xC1, {4, 2, 1, 3, 0}, 9, TRUE, PAL_B, {PAL_N, PAL_M}, CreateModel<CTunerTNF7532PRF>},
    { 62, "TNF9835BDFF",           'A', {48250, 161250, 168250, 463250, 471250, 863250}, 38900, {TRUE, 87500, 108000, 10700, 0x8A, 0x11}, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 3, FALSE, PAL_B, {PAL_B, PAL_D, SECAM_B, SECAM_D, SECAM_K, SECAM_G}, CreateModel<CTunerTNF9835BDFF>},
    { 63, "TNJ3321MF",             'A', {44250, 140250, 147250, 423250, 431250, 863250}, 45750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTNJ3321MF>},
    { 64, "TNF5531MF",             'A', {55250, 163250, 169250, 463250, 469250, 801250}, 45750, NO_FM, {0xA0, 0x90, 0x30}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTNF5531MF>},
    { 65, "TNF5835MFF",            'A', {55250, 163250, 169250, 463250, 469250, 801250}, 45750, {TRUE, 76000, 108000, 10700, 0x8A, 0x11}, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 3, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTNF5835MFF>},
    { 66, "TNF5535MF",             'A', {55250, 163250, 169250, 463250, 469250, 801250}, 45750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerTNF5535MF>},
    { 67, "TNJ3321CF",             'A', {44250, 140250, 147250, 423250, 431250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_L}, CreateModel<CTunerTNJ3321CF>},
    { 68, "TNJ7752JFF_MK5",        'A', {91250, 165250, 171250, 463250, 471250, 765250}, 58750, {TRUE, 76000, 91000, 10700, 0x8A, 0x11}, {0x21, 0x22, 0x28}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {NTSC_M, NTSC_M_J, PAL_M, PAL_N}, CreateModel<CTunerTNJ7752JFF_MK5>},
    { 69, "TNF9935BDFF",           'A', {48250, 161250, 168250, 463250, 471250, 863250}, 38900, {TRUE, 87500, 108000, 10700, 0x8A, 0x11}, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 2, FALSE, PAL_B, {PAL_B, PAL_D, SECAM_B, SECAM_D, SECAM_K, SECAM_G}, CreateModel<CTunerTNF9935BDFF>},
    { 70, "TNJ8852CFF",            'A', {44250, 161250, 168250, 463250, 471250, 863250}, 38900, {TRUE, 87500, 108000, 10700, 0x8A, 0x21}, {0x11, 0x12, 0x18}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_L, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerTNJ8852CFF>},
    { 71, "TNJ7357MF",             'A', {55250, 163250, 169250, 463250, 469250, 801250}, 45750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, TRUE, PAL_B, {NTSC_M}, CreateModel<CTunerTNJ7357MF>},
    { 72, "LGM200T",               'L', {49750, 147250, 147250, 425250, 425250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0x8E, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerLGM200T>},
    { 73, "LGH200T",               'L', {55250, 127250, 133250, 361250, 367250, 801250}, 45750, NO_FM, {0x01, 0x02, 0x08}, 0x8E, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, NTSC_M_J, PAL_M, PAL_N}, CreateModel<CTunerLGH200T>},
    { 74, "LGH202T",               'L', {55250, 127250, 133250, 361250, 367250, 801250}, 45750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, NTSC_M_J, PAL_M, PAL_N}, CreateModel<CTunerLGH202T>},
    { 75, "LGS200T",               'L', {48250, 140250, 147250, 423250, 431250, 855250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_L}, CreateModel<CTunerLGS200T>},
    { 90, "XCEIVE3028",            'E', {42750, 147250, 147250, 425250, 425250, 863250}, 0, NO_FM, {0x00, 0x00, 0x00}, 0x00, 0x00, 0xC3, 0xC2, {4, 2, 1, 1, 0}, 4, FALSE, PAL_B, {PAL_B, PAL_D, PAL_H, PAL_I, PAL_M, PAL_N, PAL_60, SECAM_B, SECAM_D, SECAM_G, SECAM_H, SECAM_K, SECAM_K1, SECAM_L, SECAM_L1, NTSC_M, NTSC_M_J, NTSC_433}, CreateModel<CTunerXCEIVE3028>},
    { 91, "XCEIVE2028",            'E', {42750, 147250, 147250, 425250, 425250, 863250}, 0, NO_FM, {0x00, 0x00, 0x00}, 0x00, 0x00, 0xC3, 0xC2, {4, 2, 1, 1, 0}, 4, FALSE, PAL_B, {PAL_B, PAL_D, PAL_H, PAL_I, PAL_M, PAL_N, PAL_60, SECAM_B, SECAM_D, SECAM_G, SECAM_H, SECAM_K, SECAM_K1, SECAM_L, SECAM_L1, NTSC_M, NTSC_M_J, NTSC_433}, CreateModel<CTunerXCEIVE2028>},
    { 92, "PHILIPS1216",           'P', {48250, 160000, 160000, 442000, 442000, 863250}, 38900, {TRUE, 87000, 107800, 10700, 0x88, 0x19}, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_L, SECAM_L1, SECAM_D, SECAM_K, SECAM_B, SECAM_G}, CreateModel<CTunerPHILIPS1216>},
    { 93, "FQ1216ME",              'P', {48250, 160000, 160000, 442000, 442000, 863250}, 38900, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_L, SECAM_L1, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerFQ1216ME>},
    { 94, "FQ1236F",               'P', {55250, 160000, 160000, 442000, 442000, 801250}, 45750, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerFQ1236F>},
    { 95, "PHILIPSTDA8275A",       'P', {48250, 170000, 170000, 450000, 450000, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC3, 0xC2, {4, 3, 2, 0, 1}, 4, FALSE, PAL_B, {NTSC_M, NTSC_M_J, PAL_B, PAL_D, PAL_H, PAL_I, PAL_M, PAL_N, SECAM_B, SECAM_D, SECAM_G, SECAM_H, SECAM_L, SECAM_L1}, CreateModel<CTunerPHILIPSTDA8275A>},
    { 96, "PHILIPSFQ1286",         'P', {91250, 160000, 160000, 442000, 442000, 765250}, 58750, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, TRUE, NTSC_M_J, {NTSC_M_J}, CreateModel<CTunerPHILIPSFQ1286>},
    { 97, "FQ1216ME_5",            'P', {48250, 160000, 160000, 442000, 442000, 863250}, 38900, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {PAL_B, PAL_D, PAL_I, SECAM_L, SECAM_L1, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerFQ1216ME_5>},
    { 98, "FM1236MK3",             'P', {55250, 160000, 160000, 442000, 442000, 801250}, 45750, {TRUE, 87500, 108000, 10700, 0xCE, 0x01}, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {NTSC_M, PAL_M, PAL_N}, CreateModel<CTunerFM1236MK3>},
    {100, "PANOSONIC_ENGE4326D",   'O', {91250, 165250, 171250, 463250, 471250, 765250}, 58750, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {NTSC_M_J}, CreateModel<CTunerPANOSONIC_ENGE4326D>},
    {110, "FS5_1A5_BG1",           'C', {48250, 140250, 147250, 423250, 431250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_B, SECAM_B, SECAM_G}, CreateModel<CTunerFS5_1A5_BG1>},
    {130, "TNF9533BDF",            'A', {48250, 161250, 168250, 464250, 471250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_B, PAL_D, SECAM_B, SECAM_D, SECAM_K}, CreateModel<CTunerTNF9533BDF>},
    {131, NULL,                    'A', {49250, 160250, 168250, 464250, 471250, 863250}, 38000, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_I, PAL_D, SECAM_D, SECAM_K}, CreateModel<CTunerType131>},
    {132, "TNJ8352PF",             'A', {44250, 161250, 168250, 463250, 471250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x04}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, TRUE, PAL_B, {PAL_D, PAL_I, PAL_B, SECAM_B, SECAM_G, SECAM_D, SECAM_K}, CreateModel<CTunerTNJ8352PF>},
    {133, "TNF9535DIF",            'A', {49750, 160250, 168250, 464250, 471250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 2, 3, 1, 0}, 4, FALSE, PAL_B, {PAL_D, PAL_I, SECAM_D, SECAM_K}, CreateModel<CTunerTNF9535DIF>},
    {134, "TNF8022",               'A', {49750, 160250, 168250, 464250, 471250, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC1, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {PAL_D, PAL_I, SECAM_D, SECAM_K}, CreateModel<CTunerTNF8022>},
    {135, "DVBC_TUNER",            'N', {48250, 170000, 170000, 450000, 450000, 863250}, 38900, NO_FM, {0x01, 0x02, 0x08}, 0xCE, 0x40, 0xC0, 0xC0, {4, 3, 2, 1, 0}, 4, FALSE, PAL_B, {}, NULL},
    {136, "XCEIVE3028AF",          'E', {42750, 147250, 147250, 425250, 425250, 863250}, 0, NO_FM, {0x00, 0x00, 0x00}, 0x00, 0x00, 0xC3, 0xC2, {4, 2, 1, 1, 0}, 4, FALSE, PAL_B, {PAL_B, PAL_D, PAL_H, PAL_I, PAL_M, PAL_N, PAL_60, SECAM_B, SECAM_D, SECAM_G, SECAM_H, SECAM_K, SECAM_K1, SECAM_L, SECAM_L1, NTSC_M, NTSC_M_J, NTSC_433}, CreateModel<CTunerXCEIVE3028AF>},
    {137, "XCEIVE3028SIF",         'E', {42750, 147250, 147250, 425250, 425250, 863250}, 0, NO_FM, {0x00, 0x00, 0x00}, 0x00, 0x00, 0xC3, 0xC2, {4, 2, 1, 1, 0}, 4, FALSE, PAL_B, {PAL_B, PAL_D, PAL_H, PAL_I, PAL_M, PAL_N, PAL_60, SECAM_B, SECAM_D, SECAM_G, SECAM_H, SECAM_K, SECAM_K1, SECAM_L, SECAM_L1, NTSC_M, NTSC_M_J, NTSC_433}, CreateModel<CTunerXCEIVE3028SIF>},
};
static_assert(sizeof(kRecords) / sizeof(kRecords[0]) == kRecordCount,
              "the tuner model table and its count disagree");

} // namespace

const TunerModelRecord& FindTunerModelRecord(int typeId)
{
    for (int i = 0; i < kRecordCount; ++i) {
        if (kRecords[i].typeId == typeId)
            return kRecords[i];
    }
    return kRecords[0];
}

const TunerModelRecord* TunerModelRecords(int* count)
{
    *count = kRecordCount;
    return kRecords;
}

CTunerModel* NewTunerModel(int typeId, CI2CAccess* access)
{
    const TunerModelRecord& record = FindTunerModelRecord(typeId);
    return record.create ? record.create(access) : NULL;
}
