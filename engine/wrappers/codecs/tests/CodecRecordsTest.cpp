// Every record of the codec and utility family stands in the registration list and makes its
// own wrapper class; each wrapper whose filter the prefix has is made valid.
#include "AvSwitchFilter.h"
#include "CaptureEncoderFilter.h"
#include "ColorConvertFilter.h"
#include "DeinterlaceFilter.h"
#include "DownScaleFilter.h"
#include "DumpFilter.h"
#include "FileWriteFilter.h"
#include "FilterClassRecord.h"
#include "IviAudioEncoderFilter.h"
#include "IviFileWriterFilter.h"
#include "IviMuxFilter.h"
#include "IviTimeShiftFilter.h"
#include "IviVideoDecoderFilter.h"
#include "IviVideoEncoderFilter.h"
#include "Mpeg1SplitterFilter.h"
#include "Mpeg2SplitterFilter.h"
#include "Mpeg4CodecV1Filter.h"
#include "Mpeg4CodecV2Filter.h"
#include "Mpeg4CodecV3Filter.h"
#include "MpegAudioEncoderFilter.h"
#include "MpegMuxWrapper.h"
#include "MpegSplitterFilter.h"
#include "MpegVideoEncoderFilter.h"
#include "MsMuxFilter.h"
#include "OverlayMixerFilter.h"
#include "Proteus3TvAudioFilter.h"
#include "ProteusTvAudioFilter.h"
#include "SampleGrabberFilter.h"
#include "SnapPictureFilter.h"
#include "StillCaptureFilter.h"
#include "TimeDelayFilter.h"
#include "TranscodeFilter.h"

#include "ComRef.h"

#include <gtest/gtest.h>

#include <memory>
#include <string.h>

namespace
{
template <class T> bool IsA(CFilterWrapper* wrapper)
{
    return dynamic_cast<T*>(wrapper) != nullptr;
}

struct FamilyRow
{
    const char* name;
    bool (*isClass)(CFilterWrapper*);
    // The prefix must have this filter (a stand-in, or one of Wine's own).
    bool mustExist;
    // A known gap of the filter the prefix has, which keeps its wrapper invalid; null for none.
    const char* gap;
};

const FamilyRow FAMILY[] = {
    // record name                                         wrapper class                          must exist   gap
    { "Ligos GoMotion Capture Encoder Filter (Quorvex)", IsA<CCaptureEncoderFilter>, false, nullptr },
    { "Ligos GoMotion.MPG SDK Transcode Sample", IsA<CTranscodeFilter>, false, nullptr },
    { "Quorvex Deinterlace Filter", IsA<CDeinterlaceFilter>, true, nullptr },
    { "Quorvex Snap Picture Filter", IsA<CSnapPictureFilter>, true, nullptr },
    { "Stelvark Demo MPEG Multiplexer", IsA<CMpegMuxWrapper>, false, nullptr },
    { "Stelvark Demo MPEG Audio Encoder", IsA<CMpegAudioEncoderFilter>, false, nullptr },
    { "Stelvark Demo MPEG Splitter", IsA<CMpegSplitterFilter>, false, nullptr },
    { "Stelvark Demo MPEG Video Encoder", IsA<CMpegVideoEncoderFilter>, false, nullptr },
    { "Overlay Mixer", IsA<COverlayMixerFilter>, false, nullptr },
    { "InterVideo Audio Encoder for Quorvex", IsA<CIviAudioEncoderFilter>, true, nullptr },
    { "InterVideo Video Encoder for Quorvex", IsA<CIviVideoEncoderFilter>, false, nullptr },
    { "InterVideo File Writer for Quorvex", IsA<CIviFileWriterFilter>, true, nullptr },
    { "InterVideo Multiplexer for Quorvex", IsA<CIviMuxFilter>, true, nullptr },
    { "InterVideo Still Capture for Quorvex", IsA<CStillCaptureFilter>, true, nullptr },
    { "InterVideo Down Scale Filter for Quorvex", IsA<CDownScaleFilter>, false, nullptr },
    { "File Write Filter", IsA<CFileWriteFilter>, true, nullptr },
    { "Microsoft Mux Filter", IsA<CMsMuxFilter>, true, nullptr },
    { "Quorvex AV Switch", IsA<CAvSwitchFilter>, true, nullptr },
    { "Microsoft MPEG-4  VKI  Codec V1", IsA<CMpeg4CodecV1Filter>, false, nullptr },
    { "Microsoft MPEG-4  VKI  Codec V2", IsA<CMpeg4CodecV2Filter>, false, nullptr },
    { "Microsoft MPEG-4  VKI  Codec V3", IsA<CMpeg4CodecV3Filter>, false, nullptr },
    { "SampleGrabber", IsA<CSampleGrabberFilter>, true, nullptr },
    { "Dump", IsA<CDumpFilter>, true, nullptr },
    { "Time Delay", IsA<CTimeDelayFilter>, false, nullptr },
    { "Color Convert", IsA<CColorConvertFilter>, false, nullptr },
    { "Mpeg2 Splitter", IsA<CMpeg2SplitterFilter>, false, nullptr },
    { "InterVideo Video Decoder", IsA<CIviVideoDecoderFilter>, false, nullptr },
    { "InterVideo Time Shift Filter for Quorvex", IsA<CIviTimeShiftFilter>, false, nullptr },
    { "Mpeg1 Splitter", IsA<CMpeg1SplitterFilter>, false, nullptr },
    { "713x TV Card TV Audio (Proteus)", IsA<CProteusTvAudioFilter>, false, nullptr },
    { "713x_3 TV Card TV Audio (Proteus)", IsA<CProteus3TvAudioFilter>, false, nullptr },
};

CFilterClassRecord* FindRecord(const char* name)
{
    for (CFilterClassRecord* record = CFilterClassRecord::First(); record; record = record->GetNext()) {
        if (strcmp(record->GetName(), name) == 0)
            return record;
    }
    return nullptr;
}

// Whether the prefix has the filter a record names: its class creates, or a device of its
// category has its FriendlyName.
bool FilterExists(CFilterClassRecord& record)
{
    if (record.GetClsid() != nullptr) {
        CComRef<IBaseFilter> filter;
        return SUCCEEDED(CoCreateInstance(*record.GetClsid(), nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                          filter.ReceiveVoid()));
    }
    CComRef<ICreateDevEnum> devices;
    CComRef<IEnumMoniker> monikers;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.ReceiveVoid())) ||
        devices->CreateClassEnumerator(*record.GetCategory(), monikers.Receive(), 0) != S_OK)
        return false;
    CComRef<IMoniker> moniker;
    while (monikers->Next(1, moniker.Receive(), nullptr) == S_OK) {
        CComRef<IPropertyBag> bag;
        VARIANT name;
        VariantInit(&name);
        if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.ReceiveVoid())) &&
            SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr))) {
            char narrow[128] = "";
            WideCharToMultiByte(CP_ACP, 0, name.bstrVal, -1, narrow, sizeof(narrow), nullptr, nullptr);
            VariantClear(&name);
            if (strcmp(narrow, record.GetName()) == 0)
                return true;
        }
    }
    return false;
}

class CodecRecordsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};
}

TEST_F(CodecRecordsTest, EveryRecordMakesItsWrapperValidWhereTheFilterExists)
{
    for (const FamilyRow& row : FAMILY) {
        SCOPED_TRACE(row.name);
        CFilterClassRecord* record = FindRecord(row.name);
        ASSERT_NE(nullptr, record);
        bool exists = FilterExists(*record);
        if (row.mustExist) {
            EXPECT_TRUE(exists) << "not in the prefix";
        }
        // Look the record up as the graph builder does, so its create function takes the
        // record's own constructor.
        if (record->GetClsid() != nullptr)
            ASSERT_TRUE(record->MatchClsid(*record->GetClsid()));
        else
            ASSERT_TRUE(record->MatchCategoryAndName(*record->GetCategory(), row.name));
        std::unique_ptr<CFilterWrapper> wrapper(record->Create(nullptr, 0));
        ASSERT_NE(nullptr, wrapper.get());
        EXPECT_TRUE(row.isClass(wrapper.get()));
        if (row.gap != nullptr) {
            EXPECT_TRUE(exists);
            EXPECT_FALSE(wrapper->IsValid()) << "known gap closed, drop its mark: " << row.gap;
        } else {
            EXPECT_EQ(exists, wrapper->IsValid() != FALSE);
        }
    }
}
