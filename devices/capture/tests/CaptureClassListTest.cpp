// The capture library's records stand in the registration list in their declaration order,
// each under its category.
#include <gtest/gtest.h>

#include "FilterClassRecord.h"

#include <dshow.h>
#include <ks.h>
#include <ksmedia.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The cards' encoder devices. {19689BF6-C384-48FD-AD51-90E58C79F70B}
const GUID kEncoderCategory = {0x19689BF6, 0xC384, 0x48FD, {0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B}};

struct ExpectedRecord
{
    const char* name;
    const GUID* category;
};

// In declaration order.
const ExpectedRecord kCaptureRecords[] = {
    // name, category
    {"713x TV Card Capture", &CLSID_VideoInputDeviceCategory},
    {"713x TV Card Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"713x_IO TV Card Capture", &CLSID_VideoInputDeviceCategory},
    {"713x_IO TV Card Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"713x_3 TV Card Capture", &CLSID_VideoInputDeviceCategory},
    {"713x_3 TV Card Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"713x_PIP TV Card Capture", &CLSID_VideoInputDeviceCategory},
    {"713x_PIP TV Card Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"713x_Genius TV Card Capture", &CLSID_VideoInputDeviceCategory},
    {"713x_Genius TV Card Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Conexant 2388x Video Capture", &CLSID_VideoInputDeviceCategory},
    {"Conexant 2388x Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Conexant 2388x_1 Video Capture", &CLSID_VideoInputDeviceCategory},
    {"Conexant 2388x_1 Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Conexant 2388x_3 Video Capture", &CLSID_VideoInputDeviceCategory},
    {"Conexant 2388x_3 Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Quorvex Skyvault Capture", &CLSID_VideoInputDeviceCategory},
    {"Quorvex Skyvault Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"USB 2800 Video", &CLSID_VideoInputDeviceCategory},
    {"USB 2800 Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Quorvex USB TV Box Video", &CLSID_VideoInputDeviceCategory},
    {"Quorvex USB TV Box Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"USB 2820 Video", &CLSID_VideoInputDeviceCategory},
    {"USB 2820 Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"USB 2821 Video", &CLSID_VideoInputDeviceCategory},
    {"USB 2821 Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"USB EMP Audio Device", &CLSID_AudioInputDeviceCategory},
    {"Microsoft DV Camera and VCR", &CLSID_VideoInputDeviceCategory},
    {"Usb_Cam_Capture", &CLSID_VideoInputDeviceCategory},
    {"TV AV Capture", &CLSID_VideoInputDeviceCategory},
    {"TV AV Capture Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"TFTV Capture", &CLSID_VideoInputDeviceCategory},
    {"TFTV Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Jinhai TV Card Capture", &CLSID_VideoInputDeviceCategory},
    {"Jinhai TV Card Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Ravenor 630 TV Capture", &CLSID_VideoInputDeviceCategory},
    {"Ravenor 630 TV Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Quorvex MPEG-2 Box", &CLSID_VideoInputDeviceCategory},
    {"Quorvex MPEG-2 Box Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"ReWell RV5200 TV Capture", &CLSID_VideoInputDeviceCategory},
    {"ReWell RV5200 TV Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"BlackBird Video Capture", &CLSID_VideoInputDeviceCategory},
    {"BlackBird Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"BlackBird MPEG Encoder", &kEncoderCategory},
    {"QUORVEX Mirox Audio/Video Capture", &CLSID_VideoInputDeviceCategory},
    {"QUORVEX Mirox Audio Decoder", &AM_KSCATEGORY_TVAUDIO},
    {"QUORVEX Mirox Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"TridVid Capture", &CLSID_VideoInputDeviceCategory},
    {"TridVid Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Trident USB Capture", &CLSID_VideoInputDeviceCategory},
    {"Trident USB Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Trident USB TvAudio", &AM_KSCATEGORY_TVAUDIO},
    {"UT400 A/V Capture", &CLSID_VideoInputDeviceCategory},
    {"UT400 CrossBar", &AM_KSCATEGORY_CROSSBAR},
    {"USB 2881 Video", &CLSID_VideoInputDeviceCategory},
    {"USB 2881 Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"PC Entertainment TV Card Capture", &CLSID_VideoInputDeviceCategory},
    {"PC Entertainment TV Card Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Quorvex Tessel Capture Card", &CLSID_VideoInputDeviceCategory},
    {"Quorvex Tessel Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"2388x Video Capture", &CLSID_VideoInputDeviceCategory},
    {"2388x Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Dorin Video Capture", &CLSID_VideoInputDeviceCategory},
    {"Dorin Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Pelta Video Capture", &CLSID_VideoInputDeviceCategory},
    {"Pelta Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Quorvex Lunet Device", &CLSID_VideoInputDeviceCategory},
    {"Quorvex Lunet Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"UT800 Capture", &CLSID_VideoInputDeviceCategory},
    {"UT800 Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"UT810 Capture", &CLSID_VideoInputDeviceCategory},
    {"UT810 Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Conexant Raptor Crossbar", &AM_KSCATEGORY_CROSSBAR},
    {"Conexant Raptor Video Capture", &CLSID_VideoInputDeviceCategory},
    {"Conexant Raptor Encoder", &kEncoderCategory},
    {"DVBC TS Capture", &CLSID_VideoInputDeviceCategory},
};

const ExpectedRecord* Find(const char* name)
{
    for (const ExpectedRecord& row : kCaptureRecords) {
        if (strcmp(row.name, name) == 0)
            return &row;
    }
    return nullptr;
}

} // namespace

TEST(CaptureClassList, EachRecordStandsInDeclarationOrderUnderItsCategory)
{
    // The list runs from the last record declared to the first.
    std::vector<std::string> found;
    for (CFilterClassRecord* record = CFilterClassRecord::First(); record; record = record->GetNext()) {
        const ExpectedRecord* row = Find(record->GetName());
        if (!row)
            continue;
        found.insert(found.begin(), record->GetName());
        EXPECT_EQ(nullptr, record->GetClsid()) << row->name;
        ASSERT_NE(nullptr, record->GetCategory()) << row->name;
        EXPECT_TRUE(IsEqualGUID(*row->category, *record->GetCategory())) << row->name;
    }
    std::vector<std::string> expected;
    for (const ExpectedRecord& row : kCaptureRecords)
        expected.push_back(row.name);
    EXPECT_EQ(expected, found);
}
