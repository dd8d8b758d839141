// The engine's registration list against the records it must hold: every record there has
// its row here (name, class identifier or device category), stands in declaration order,
// and starts out unlooked-up. A wrapper class's record joins the list with its class.
#include "FilterClassRecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

// Device categories of the records made by FriendlyName.
const GUID kVideoCapture = {0x860BB310, 0x5D01, 0x11D0, {0xBD, 0x3B, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};
const GUID kCrossbar = {0xA799A801, 0xA46D, 0x11D0, {0xA1, 0x8C, 0x00, 0xA0, 0x24, 0x01, 0xDC, 0xD4}};
const GUID kTvAudio = {0xA799A802, 0xA46D, 0x11D0, {0xA1, 0x8C, 0x00, 0xA0, 0x24, 0x01, 0xDC, 0xD4}};
const GUID kAudioCapture = {0x33D9A762, 0x90C8, 0x11D0, {0xBD, 0x43, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};
const GUID kVideoCompressor = {0x33D9A760, 0x90C8, 0x11D0, {0xBD, 0x43, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};
const GUID kEncoder = {0x19689BF6, 0xC384, 0x48FD, {0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B}};

struct ExpectedRecord
{
    const char* name;
    const char* clsid; // null for a device record
    const GUID* category; // null for a record made by class identifier
};

// In declaration order.
const ExpectedRecord kExpected[] = {
    // name, class identifier, category
    {"Audio Render", "{E30629D1-27E5-11CE-875D-00608CB78066}", nullptr},
    {"Direct Sound Filter", "{79376820-07D0-11CF-A24D-0020AFD79767}", nullptr},
    {"CLASS_FILTER", nullptr, &kAudioCapture},
    {"713x TV Card Capture", nullptr, &kVideoCapture},
    {"713x TV Card Crossbar", nullptr, &kCrossbar},
    {"713x_IO TV Card Capture", nullptr, &kVideoCapture},
    {"713x_IO TV Card Crossbar", nullptr, &kCrossbar},
    {"713x_3 TV Card Capture", nullptr, &kVideoCapture},
    {"713x_3 TV Card Crossbar", nullptr, &kCrossbar},
    {"713x_PIP TV Card Capture", nullptr, &kVideoCapture},
    {"713x_PIP TV Card Crossbar", nullptr, &kCrossbar},
    {"713x_Genius TV Card Capture", nullptr, &kVideoCapture},
    {"713x_Genius TV Card Crossbar", nullptr, &kCrossbar},
    {"Conexant 2388x Video Capture", nullptr, &kVideoCapture},
    {"Conexant 2388x Crossbar", nullptr, &kCrossbar},
    {"Conexant 2388x_1 Video Capture", nullptr, &kVideoCapture},
    {"Conexant 2388x_1 Crossbar", nullptr, &kCrossbar},
    {"Conexant 2388x_3 Video Capture", nullptr, &kVideoCapture},
    {"Conexant 2388x_3 Crossbar", nullptr, &kCrossbar},
    {"Quorvex Skyvault Capture", nullptr, &kVideoCapture},
    {"Quorvex Skyvault Crossbar", nullptr, &kCrossbar},
    {"USB 2800 Video", nullptr, &kVideoCapture},
    {"USB 2800 Crossbar", nullptr, &kCrossbar},
    {"Quorvex USB TV Box Video", nullptr, &kVideoCapture},
    {"Quorvex USB TV Box Crossbar", nullptr, &kCrossbar},
    {"USB 2820 Video", nullptr, &kVideoCapture},
    {"USB 2820 Crossbar", nullptr, &kCrossbar},
    {"USB 2821 Video", nullptr, &kVideoCapture},
    {"USB 2821 Crossbar", nullptr, &kCrossbar},
    {"USB EMP Audio Device", nullptr, &kAudioCapture},
    {"Microsoft DV Camera and VCR", nullptr, &kVideoCapture},
    {"Usb_Cam_Capture", nullptr, &kVideoCapture},
    {"TV AV Capture", nullptr, &kVideoCapture},
    {"TV AV Capture Crossbar", nullptr, &kCrossbar},
    {"TFTV Capture", nullptr, &kVideoCapture},
    {"TFTV Crossbar", nullptr, &kCrossbar},
    // Here the two records of the card with a Chinese product name (capture, crossbar): their device classes name them.
    // Here the two records of the OEM 630 card (capture, crossbar): their device classes name them.
    {"Ligos GoMotion Capture Encoder Filter (Quorvex)", "{D3E07D43-E73C-4476-BE94-637C6753CF23}", nullptr},
    {"Ligos GoMotion.MPG SDK Transcode Sample", "{FF12DF2D-9702-4438-9B45-F64D191DCE69}", nullptr},
    {"Quorvex Deinterlace Filter", "{C5683497-12D5-4ED1-BF8D-E53B349B0981}", nullptr},
    {"Quorvex Snap Picture Filter", "{CCEE5929-126A-4AF0-8535-8FA02225C4A6}", nullptr},
    {"Stelvark Demo MPEG Multiplexer", "{2BE4D180-6F2E-4B3A-B0BD-E880917238DC}", nullptr},
    {"Stelvark Demo MPEG Audio Decoder", "{2BE4D130-6F2E-4B3A-B0BD-E880917238DC}", nullptr},
    {"Stelvark Demo MPEG Audio Encoder", "{2BE4D170-6F2E-4B3A-B0BD-E880917238DC}", nullptr},
    {"Stelvark Demo MPEG Encoder", "{2BE4D150-6F2E-4B3A-B0BD-E880917238DC}", nullptr},
    {"Stelvark Demo MPEG Splitter", "{2BE4D120-6F2E-4B3A-B0BD-E880917238DC}", nullptr},
    {"Stelvark Demo MPEG Video Decoder", "{2BE4D140-6F2E-4B3A-B0BD-E880917238DC}", nullptr},
    {"Stelvark Demo MPEG Video Encoder", "{2BE4D160-6F2E-4B3A-B0BD-E880917238DC}", nullptr},
    {"Overlay Mixer", "{CD8743A1-3736-11D0-9E69-00C04FD7C15B}", nullptr},
    {"InterVideo Audio Encoder for Quorvex", "{55F19296-06C0-4A21-8DEF-597425440063}", nullptr},
    {"InterVideo Video Encoder for Quorvex", "{31864FE3-A10C-45AF-B723-E5E4905FB6A7}", nullptr},
    {"InterVideo File Writer for Quorvex", "{A5258D74-8ED8-4606-8768-DC5360E5FC8E}", nullptr},
    {"InterVideo Multiplexer for Quorvex", "{31FDD5E8-68AD-4D29-A2A5-A4290C3721A1}", nullptr},
    {"InterVideo Still Capture for Quorvex", "{14DCDA2E-E2AC-498C-A6CF-B594332F9AB7}", nullptr},
    {"InterVideo Down Scale Filter for Quorvex", "{89E60B61-B893-4EEC-86E1-A231F0E15CC0}", nullptr},
    {"File Write Filter", "{8596E5F0-0DA5-11D0-BD21-00A0C911CE86}", nullptr},
    {"Microsoft Mux Filter", "{E2510970-F137-11CE-8B67-00AA00A3F1A6}", nullptr},
    {"Quorvex AV Switch", "{15D81FE9-49E4-436B-A52E-7274E3EB4140}", nullptr},
    {"Microsoft MPEG-4  VKI  Codec V1", nullptr, &kVideoCompressor},
    {"Microsoft MPEG-4  VKI  Codec V2", nullptr, &kVideoCompressor},
    {"Microsoft MPEG-4  VKI  Codec V3", nullptr, &kVideoCompressor},
    {"SampleGrabber", "{C1F400A0-3F08-11D3-9F0B-006008039E37}", nullptr},
    {"Dump", "{36A5F770-FE4C-11CE-A8ED-00AA002FEAB5}", nullptr},
    {"Time Delay", "{0410FD12-9320-48B2-9EC5-0FB976127A4B}", nullptr},
    {"Quorvex MPEG-2 Box", nullptr, &kVideoCapture},
    {"Quorvex MPEG-2 Box Crossbar", nullptr, &kCrossbar},
    {"Color Convert", "{32EDFAC2-2540-11D6-919F-00A0CCA0F7C6}", nullptr},
    {"Mpeg2 Splitter", "{3AE86B20-7BE8-11D1-ABE6-00A0C905F375}", nullptr},
    {"InterVideo Video Decoder", "{0246CA20-776D-11D2-8010-00104B9B8592}", nullptr},
    {"ReWell RV5200 TV Capture", nullptr, &kVideoCapture},
    {"ReWell RV5200 TV Crossbar", nullptr, &kCrossbar},
    {"InterVideo Time Shift Filter for Quorvex", "{113BAC79-BF89-4693-8B66-39212CA6568B}", nullptr},
    {"Mpeg1 Splitter", "{336475D0-942A-11CE-A870-00AA002FEAB5}", nullptr},
    {"713x TV Card TV Audio (Proteus)", nullptr, &kTvAudio},
    {"713x_3 TV Card TV Audio (Proteus)", nullptr, &kTvAudio},
    {"BlackBird Video Capture", nullptr, &kVideoCapture},
    {"BlackBird Crossbar", nullptr, &kCrossbar},
    {"BlackBird MPEG Encoder", nullptr, &kEncoder},
    {"QUORVEX Mirox Audio/Video Capture", nullptr, &kVideoCapture},
    {"QUORVEX Mirox Audio Decoder", nullptr, &kTvAudio},
    {"QUORVEX Mirox Crossbar", nullptr, &kCrossbar},
    {"TridVid Capture", nullptr, &kVideoCapture},
    {"TridVid Crossbar", nullptr, &kCrossbar},
    {"Trident USB Capture", nullptr, &kVideoCapture},
    {"Trident USB Crossbar", nullptr, &kCrossbar},
    {"Trident USB TvAudio", nullptr, &kTvAudio},
    {"UT400 A/V Capture", nullptr, &kVideoCapture},
    {"UT400 CrossBar", nullptr, &kCrossbar},
    {"ACM Wrapper", "{6A08CF80-0E18-11CF-A24D-0020AFD79767}", nullptr},
    {"USB 2881 Video", nullptr, &kVideoCapture},
    {"USB 2881 Crossbar", nullptr, &kCrossbar},
    {"PC Entertainment TV Card Capture", nullptr, &kVideoCapture},
    {"PC Entertainment TV Card Crossbar", nullptr, &kCrossbar},
    // Here the two records of the further capture card (capture, crossbar): their device classes name them.
    {"2388x Video Capture", nullptr, &kVideoCapture},
    {"2388x Crossbar", nullptr, &kCrossbar},
    {"Dorin Video Capture", nullptr, &kVideoCapture},
    {"Dorin Crossbar", nullptr, &kCrossbar},
    {"Pelta Video Capture", nullptr, &kVideoCapture},
    {"Pelta Crossbar", nullptr, &kCrossbar},
    {"Quorvex Lunet Device", nullptr, &kVideoCapture},
    {"Quorvex Lunet Crossbar", nullptr, &kCrossbar},
    {"UT800 Capture", nullptr, &kVideoCapture},
    {"UT800 Crossbar", nullptr, &kCrossbar},
    {"UT810 Capture", nullptr, &kVideoCapture},
    {"UT810 Crossbar", nullptr, &kCrossbar},
    {"Conexant Raptor Crossbar", nullptr, &kCrossbar},
    {"Conexant Raptor Video Capture", nullptr, &kVideoCapture},
    {"Conexant Raptor Encoder", nullptr, &kEncoder},
    {"DVBC TS Capture", nullptr, &kVideoCapture},
    {"MPEG-2 Demultiplexer", "{AFB6C280-2C41-11D3-8A60-0000F81E0E4A}", nullptr},
    {"TimeShift", "{C234F3EE-E66E-4519-8339-C99EFAD354E0}", nullptr},
};
const size_t kExpectedCount = sizeof(kExpected) / sizeof(kExpected[0]);

int FindRow(const char* name)
{
    for (size_t i = 0; i < kExpectedCount; ++i) {
        if (strcmp(kExpected[i].name, name) == 0)
            return (int)i;
    }
    return -1;
}

TEST(FilterClassList, EveryRecordIsOneOfTheEnginesInDeclarationOrder)
{
    int previousRow = (int)kExpectedCount;
    for (CFilterClassRecord* record = CFilterClassRecord::First(); record; record = record->GetNext()) {
        SCOPED_TRACE(record->GetName());
        int row = FindRow(record->GetName());
        ASSERT_GE(row, 0) << "a record without its row";
        EXPECT_LT(row, previousRow) << "the list runs against the declaration order";
        previousRow = row;

        const ExpectedRecord& expected = kExpected[row];
        if (expected.clsid) {
            CLSID clsid;
            WCHAR text[40];
            MultiByteToWideChar(CP_ACP, 0, expected.clsid, -1, text, 40);
            ASSERT_EQ(NOERROR, CLSIDFromString(text, &clsid));
            ASSERT_NE(nullptr, record->GetClsid());
            EXPECT_TRUE(IsEqualCLSID(clsid, *record->GetClsid()));
            EXPECT_EQ(nullptr, record->GetCategory());
        } else {
            EXPECT_EQ(nullptr, record->GetClsid());
            ASSERT_NE(nullptr, record->GetCategory());
            EXPECT_TRUE(IsEqualGUID(*expected.category, *record->GetCategory()));
        }
        EXPECT_FALSE(record->IsByName());
        EXPECT_STREQ(record->GetName(), record->GetFriendlyName());
    }
}

TEST(FilterClassList, TheExpectedTableNamesEachRecordOnce)
{
    for (size_t i = 0; i < kExpectedCount; ++i)
        EXPECT_EQ((int)i, FindRow(kExpected[i].name)) << kExpected[i].name;
}

} // namespace
