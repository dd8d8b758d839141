// The encoder's settings, firmware check, driver switch, text dump and image upload over a
// recording property set.
#include "EncoderCardProperties.h"
#include "EncoderParameters.h"
#include "RecordingPropertySet.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct Filter
{
    explicit Filter(bool withPropertySet = true) : set(new RecordingPropertySet(withPropertySet)) {}
    ~Filter() { EXPECT_EQ(0u, set->InnerRelease()); }
    IUnknown* Unknown() const { return set->InnerUnknown(); }
    RecordingPropertySet* operator->() const { return set; }

    RecordingPropertySet* set;
};

// The caller's storage object: it keeps a capacity and counts what reaches it.
class StorageObject : public IEncoderStorage
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = NULL;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IEncoderStorage))
            return E_NOINTERFACE;
        *out = static_cast<IEncoderStorage*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStorageCap(DWORD* value) override
    {
        ++gets;
        *value = capacity;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetStorageCap(DWORD value) override
    {
        ++sets;
        capacity = value;
        return S_OK;
    }

    ULONG refs = 1;
    DWORD capacity = 4096;
    int gets = 0, sets = 0;
};

// The driver supports every property but those, in the direction given.
void Refuse(Filter& filter, std::set<DWORD> refused, DWORD bit)
{
    filter->supportBits = [refused, bit](const GUID&, DWORD id) -> DWORD {
        return refused.count(id) ? (3 & ~bit) : 3;
    };
}

std::vector<DWORD> Ids(const std::vector<RecordingPropertySet::Request>& requests)
{
    std::vector<DWORD> ids;
    for (const auto& r : requests)
        ids.push_back(r.id);
    return ids;
}

std::vector<BYTE> Bytes(std::initializer_list<DWORD> words)
{
    std::vector<BYTE> bytes;
    for (DWORD w : words)
        for (int i = 0; i < 4; ++i)
            bytes.push_back((BYTE)(w >> (8 * i)));
    return bytes;
}

std::vector<BYTE> BitrateBlock(BYTE mode, WORD rate, DWORD variance, DWORD mux, DWORD padding)
{
    std::vector<BYTE> b = {mode, 0, 0, 0, (BYTE)rate, (BYTE)(rate >> 8)};
    auto rest = Bytes({variance, mux, padding});
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

} // namespace

TEST(EncoderParameters, GetReadsEachSupportedPropertyInTheDriversOrder)
{
    Filter filter;
    Refuse(filter, {54, 13}, KSPROPERTY_SUPPORT_GET);
    const std::vector<std::vector<BYTE>> answers = {
        Bytes({5}), Bytes({2}), Bytes({3}), Bytes({0}), Bytes({11}), Bytes({4}), Bytes({2}), Bytes({3}), {0x0E},
        Bytes({0}), Bytes({0x1234, 0x5678}), BitrateBlock(1, 8000, 7, 10080, 1),
    };
    for (const auto& a : answers)
        filter->AnswerBytes(0, a);
    std::vector<BYTE> preFilter;
    for (DWORD i = 1; i <= 27; ++i) {
        auto w = Bytes({i * 3});
        preFilter.insert(preFilter.end(), w.begin(), w.end());
    }
    filter->AnswerBytes(0, preFilter);
    StorageObject storage;
    EncoderParameters p;
    memset(&p, 0xEE, sizeof(p));
    ASSERT_TRUE(GetEncoderParameters(&p, filter.Unknown(), &storage, FALSE));

    auto requests = filter->Requests();
    EXPECT_EQ((std::vector<DWORD>{2, 4, 60, 50, 0, 3, 11, 12, 5, 7, 6, 1, 42}), Ids(requests));
    const DWORD lengths[] = {4, 4, 4, 4, 4, 4, 4, 4, 1, 4, 8, 18, 108};
    for (size_t i = 0; i < requests.size() && i < 13; ++i) {
        EXPECT_TRUE(requests[i].get);
        EXPECT_TRUE(IsEqualGUID(kEncoderCardSet, requests[i].set));
        EXPECT_EQ(lengths[i], requests[i].dataLength) << requests[i].id;
    }
    EXPECT_EQ(108u, requests.back().instanceLength);
    EXPECT_EQ(0, requests.back().instanceOffset);

    EXPECT_EQ(5, p.bVideoInMode);
    EXPECT_EQ(2, p.bTVEncodeFormat);
    EXPECT_EQ(3, p.bTVDecodeFormat);
    EXPECT_EQ(0u, p.bInverseTel);
    EXPECT_EQ(11, p.bStreamOutputMode);
    EXPECT_EQ(0, p.bTransportOutputMode);   // refused: the default
    EXPECT_EQ(4, p.bVideoResolution);
    EXPECT_EQ(2, p.bAudioSamplingRate);
    EXPECT_EQ(3, p.bAudioOutputMode);
    EXPECT_EQ(0x0E, p.bAudioDataRate);
    EXPECT_EQ(0, p.bCRCState);              // refused: the default
    EXPECT_EQ(0u, p.bClosedGOP);
    EXPECT_EQ(0x1234, p.wProperty6First);
    EXPECT_EQ(0x5678, p.wProperty6Second);
    EXPECT_EQ(1, p.bEncodingMode);
    EXPECT_EQ(8000, p.wVideoBitrate);
    EXPECT_EQ(7u, p.bVariance);
    EXPECT_EQ(10080u, p.dwMuxRate);
    EXPECT_EQ(1u, p.dwVBRPadding);
    EXPECT_EQ(3u, p.preFilter.dwDisableFilter);
    EXPECT_EQ(81u, p.preFilter.dwReserved4);
    EXPECT_EQ(4096u, p.dwStorageCap);
    EXPECT_EQ(0, p.nHue);
    EXPECT_EQ(0u, p.dwReserved);
    EXPECT_EQ(1, storage.gets);
    EXPECT_EQ(1u, storage.refs);
}

TEST(EncoderParameters, GetStartsFromTheDefaultsAndTheOldBitrateBlock)
{
    {
        // A driver that supports nothing leaves the defaults.
        Filter filter;
        Refuse(filter, {0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 42, 50, 54, 60}, KSPROPERTY_SUPPORT_GET);
        EncoderParameters p;
        memset(&p, 0xEE, sizeof(p));
        ASSERT_TRUE(GetEncoderParameters(&p, filter.Unknown(), NULL, TRUE));
        EXPECT_TRUE(filter->Requests().empty());
        EncoderParameters expected = {};
        expected.bStreamOutputMode = 10;
        expected.bTVEncodeFormat = 1;
        expected.bTVDecodeFormat = 1;
        expected.bAudioSamplingRate = 1;
        expected.bClosedGOP = 1;
        expected.bInverseTel = 1;
        expected.dwStorageCap = 2;
        EXPECT_EQ(0, memcmp(&expected, &p, sizeof(p)));
    }
    {
        // The old interface reads only the first ten bytes of the block.
        Filter filter;
        Refuse(filter, {0, 2, 3, 4, 5, 6, 7, 11, 12, 13, 42, 50, 54, 60}, KSPROPERTY_SUPPORT_GET);
        std::vector<BYTE> block = BitrateBlock(2, 6000, 9, 0, 0);
        filter->AnswerBytes(0, std::vector<BYTE>(block.begin(), block.begin() + 10));
        EncoderParameters p;
        ASSERT_TRUE(GetEncoderParametersB(&p, filter.Unknown(), TRUE));
        ASSERT_EQ(1u, filter->Requests().size());
        EXPECT_EQ(10u, filter->Requests()[0].dataLength);
        EXPECT_EQ(6000, p.wVideoBitrate);
        EXPECT_EQ(9u, p.bVariance);
        EXPECT_EQ(0u, p.dwMuxRate);
    }
    {
        Filter bare(false);
        StorageObject storage;
        EncoderParameters p;
        EXPECT_FALSE(GetEncoderParameters(&p, bare.Unknown(), &storage, FALSE));
        EXPECT_FALSE(SetEncoderParameters(&p, bare.Unknown(), &storage, FALSE));
        EXPECT_EQ(0, storage.gets + storage.sets);
        // A storage object without the storage interface.
        Filter filter;
        Filter notStorage(false);
        EXPECT_FALSE(GetEncoderParameters(&p, filter.Unknown(), notStorage.Unknown(), FALSE));
    }
}

TEST(EncoderParameters, SetWritesEachSupportedPropertyInTheDriversOrder)
{
    EncoderParameters p = {};
    p.bStreamOutputMode = 12;
    p.bVideoResolution = 3;
    p.bTransportOutputMode = 1;
    p.wProperty6First = 0xABCD;
    p.wProperty6Second = 0x0102;
    p.bAudioSamplingRate = 2;
    p.bAudioOutputMode = 1;
    p.bAudioDataRate = 0x0B;
    p.bCRCState = 1;
    p.bClosedGOP = 1;
    p.bEncodingMode = 1;
    p.wVideoBitrate = 4000;
    p.bVariance = 5;
    p.dwMuxRate = 9000;
    p.dwVBRPadding = 3;
    p.bInverseTel = 1;
    p.dwStorageCap = 77;
    {
        Filter filter;
        Refuse(filter, {54, 12}, KSPROPERTY_SUPPORT_SET);
        StorageObject storage;
        ASSERT_TRUE(SetEncoderParameters(&p, filter.Unknown(), &storage, FALSE));
        auto requests = filter->Requests();
        EXPECT_EQ((std::vector<DWORD>{0, 3, 6, 11, 5, 13, 7, 1, 50, 62}), Ids(requests));
        const std::vector<std::vector<BYTE>> data = {
            Bytes({12}), Bytes({3}), Bytes({0xABCD, 0x0102}), Bytes({2}), {0x0B}, Bytes({1}), Bytes({1}),
            BitrateBlock(1, 4000, 5, 9000, 3), Bytes({1}), std::vector<BYTE>(8, 0),
        };
        for (size_t i = 0; i < requests.size() && i < data.size(); ++i) {
            EXPECT_FALSE(requests[i].get);
            EXPECT_EQ(0u, requests[i].instanceLength);
            EXPECT_EQ(data[i], requests[i].data) << requests[i].id;
        }
        EXPECT_EQ(1, storage.sets);
        EXPECT_EQ(77u, storage.capacity);
    }
    {
        Filter filter;
        ASSERT_TRUE(SetEncoderParametersB(&p, filter.Unknown(), TRUE));
        auto requests = filter->Requests();
        EXPECT_EQ((std::vector<DWORD>{0, 3, 6, 11, 12, 5, 13, 7, 1, 62}), Ids(requests));
        ASSERT_EQ(10u, requests.size());
        auto block = BitrateBlock(1, 4000, 5, 9000, 3);
        EXPECT_EQ(std::vector<BYTE>(block.begin(), block.begin() + 10), requests[8].data);
    }
    {
        Filter filter;
        Refuse(filter, {}, 0);
        EncoderParameters read;
        ASSERT_TRUE(GetEncoderParametersB(&read, filter.Unknown(), FALSE));
        EXPECT_EQ((std::vector<DWORD>{2, 4, 60, 50, 0, 54, 3, 11, 12, 5, 13, 7, 6, 1}), Ids(filter->Requests()));
    }
}

TEST(EncoderParameters, PreFilterDefaultsGoAsOneBlock)
{
    PreFilterInfo block;
    memset(&block, 0xEE, sizeof(block));
    InitPreFilterInfo(&block);
    const DWORD expected[27] = {0, 0, 0, 255, 0, 255, 3, 1, 0, 0, 0, 200, 15, 15, 48, 4, 21, 2, 0, 0, 0, 16, 2,
                                0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(expected, &block, sizeof(block)));
    Filter filter;
    ASSERT_TRUE(SetPreFilterInfo(filter.Unknown(), &block));
    auto requests = filter->Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ(42u, requests[0].id);
    EXPECT_EQ(0, requests[0].instanceOffset);
    EXPECT_EQ(108u, requests[0].instanceLength);
    EXPECT_EQ(std::vector<BYTE>((const BYTE*)expected, (const BYTE*)expected + 108), requests[0].data);
}

TEST(EncoderParameters, DumpWritesEveryFieldInItsFormat)
{
    EncoderParameters p = {};
    p.bStreamOutputMode = 12;
    p.bVideoResolution = 2;
    p.bEncodingMode = 1;
    p.wVideoBitrate = 6000;
    p.bVariance = 3;
    p.dwMuxRate = 10080;
    p.dwVBRPadding = 1;
    p.bMPEGAudLayer = 2;
    p.bAudioSamplingRate = 1;
    p.bAudioDataRate = 14;
    p.bAudioOutputMode = 3;
    p.bCRCState = 1;
    p.bGOPStructure = 4;
    p.bAudioEncodingMode = 5;
    p.bClosedGOP = 1;
    p.dwStorageCap = 2;
    InitPreFilterInfo(&p.preFilter);
    p.bVideoInMode = 6;
    p.bTVEncodeFormat = 7;
    p.bTVDecodeFormat = 8;
    p.nSharpness = -1;
    p.nBrightness = 128;
    p.nContrast = 64;
    p.nSaturation = 32;
    p.nHue = -16;
    p.bInverseTel = 1;
    p.bTransportOutputMode = 9;
    TempFolder folder;
    std::string path = folder.FilePath("dump.txt");
    ASSERT_TRUE(DumpEncoderParameters(&p, path.c_str()));
    const char* expected =
        "Mode = SVCD\n"
        "bVideoInMode = 6\n"
        "bTVEncodeFormat = 7\n"
        "bTVDecodeFormat = 8\n"
        "dwStorageCap = 2\n"
        "wVideoBitrate =6000\n"
        "bEncodingMode= 1\n"
        "bVariance = 3\n"
        "dwMuxRate = 10080\n"
        "dwVBRPadding =1\n"
        "bVideoResolution= 2\n"
        "bStreamOutputMode= 12\n"
        "bMPEGAudLayer =2\n"
        "bAudioSamplingRate= 1\n"
        "bAudioDataRate =14\n"
        "bAudioOutputMode= 3\n"
        "bCRCState =1\n"
        "bGOPStructure= 4\n"
        "bAudioEncodingMode =5\n"
        "bClosedGOP= 1\n"
        "bInverseTel =1\n"
        "bTransportOutputMode= 9\n"
        "nSharpness =-1\n"
        "nBrightness= 128\n"
        "nContrast =64\n"
        "nSaturation= 32\n"
        "nHue =-16\n"
        "PreFilterInfo.dwDisableFilter = 0\n"
        "PreFilterInfo.dwMedianFilter = 0\n"
        "PreFilterInfo.dwMedianCoringLumaHi = 0\n"
        "PreFilterInfo.dwMedianCoringLumaLo = 255\n"
        "PreFilterInfo.dwMedianCoringChromaHi = 0\n"
        "PreFilterInfo.dwMedianCoringChromaLo = 255\n"
        "PreFilterInfo.dwLumaSpatialFlt = 3\n"
        "PreFilterInfo.dwChromaSpatialFlt = 1\n"
        "PreFilterInfo.dwDNRMode = 0\n"
        "PreFilterInfo.dwDNRSpatialFltLevel = 0\n"
        "PreFilterInfo.dwDNRTemporalFltLevel = 0\n"
        "PreFilterInfo.dwDNRSmoothFactor = 200\n"
        "PreFilterInfo.dwDNR_Ntlf_Max_Y = 15\n"
        "PreFilterInfo.dwDNR_Ntlf_Max_UV = 15\n"
        "PreFilterInfo.dwDNRTemporalMultFactor = 48\n"
        "PreFilterInfo.dwDNRTemporalAddFactor = 4\n"
        "PreFilterInfo.dwDNRSpatialMultFactor = 21\n"
        "PreFilterInfo.dwDNRSpatialSubFactor = 2\n"
        "PreFilterInfo.dwLumaNLTFLevel = 0\n"
        "PreFilterInfo.dwLumaNLTFCoEffIndex = 0\n"
        "PreFilterInfo.dwLumaNLTFCoEffValue = 0\n"
        "PreFilterInfo.dwVIMZoneWidth = 16\n"
        "PreFilterInfo.dwVIMZoneHeight = 2\n"
        "PreFilterInfo.dwReserved1 = 0\n"
        "PreFilterInfo.dwReserved2 = 0\n"
        "PreFilterInfo.dwReserved3 = 0\n"
        "PreFilterInfo.dwReserved4 = 0\n";
    // Text mode: each line ends in CR LF on disk.
    std::string onDisk;
    for (const char* c = expected; *c; ++c) {
        if (*c == '\n')
            onDisk += '\r';
        onDisk += *c;
    }
    EXPECT_EQ(onDisk, TempFolder::ReadWholeFile(path));

    const struct { BYTE type; const char* word; } words[] = {{2, "MPEG1"}, {10, "DVD"}, {11, "VCD"}, {3, "other"}};
    for (const auto& w : words) {
        p.bStreamOutputMode = w.type;
        ASSERT_TRUE(DumpEncoderParameters(&p, path.c_str()));
        std::string text = TempFolder::ReadWholeFile(path);
        EXPECT_EQ(std::string("Mode = ") + w.word + "\r\n", text.substr(0, text.find('\n') + 1));
    }
    EXPECT_FALSE(DumpEncoderParameters(&p, folder.FilePath("missing\\dump.txt").c_str()));
}

TEST(EncoderFirmware, VersionsAreAcceptedRefusedOrWaitedOn)
{
    auto text = [](const char* version) {
        std::vector<BYTE> bytes(version, version + strlen(version));
        bytes.resize(20, 0);
        return bytes;
    };
    struct Case
    {
        const char* what;
        std::vector<const char*> versions;  // NULL: the read fails
        BOOL accepted;
        size_t reads;
    };
    const Case cases[] = {
        {"older than 2.0.52 is refused", {"2.0.51"}, FALSE, 1},
        {"newer is accepted at once", {"2.1.0"}, TRUE, 1},
        {"a text that fills all twenty bytes", {"0002.0004.0000000021"}, TRUE, 1},
        {"2.0.52 waits and then reads the version the driver settled on", {"2.0.52", "2.4.21"}, TRUE, 2},
        {"the driver reads as 1 while it starts", {"2.0.52", "0.0.1", "0.0.1", "2.4.21"}, TRUE, 4},
        {"a settled version older than 2.4.21", {"2.0.52", "2.4.20"}, FALSE, 2},
        {"a failed read while waiting", {"2.0.52", NULL}, FALSE, 2},
        {"the first read fails", {NULL}, FALSE, 1},
    };
    for (const Case& c : cases) {
        Filter filter;
        for (const char* v : c.versions) {
            if (v)
                filter->AnswerBytes(0, text(v));
            else
                filter->Answer(E_FAIL);
        }
        EXPECT_EQ(c.accepted, CheckEncoderFirmware(filter.Unknown())) << c.what;
        auto requests = filter->Requests();
        EXPECT_EQ(c.reads, requests.size()) << c.what;
        for (const auto& r : requests) {
            EXPECT_TRUE(r.get && r.id == 27 && r.dataLength == 20 && r.instanceLength == 20) << c.what;
        }
    }
    {
        // Starting for longer than 80 reads.
        Filter filter;
        filter->AnswerBytes(0, text("2.0.52"));
        for (int i = 0; i < 85; ++i)
            filter->AnswerBytes(0, text("0.0.1"));
        EXPECT_FALSE(CheckEncoderFirmware(filter.Unknown()));
        EXPECT_EQ(81u, filter->Requests().size());
    }
}

TEST(EncoderDriverSwitch, OldBitrateInterfaceIsOffOnlyForAZeroValue)
{
    const char* key = "SYSTEM\\CurrentControlSet\\Services\\Conexant\\Parameters\\iVac15\\Driver";
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    EXPECT_TRUE(IsOldEncoderBitrateInterface());
    HKEY opened = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &opened, NULL));
    EXPECT_TRUE(IsOldEncoderBitrateInterface());
    DWORD value = 0;
    RegSetValueExA(opened, "OldEncoderBitrateInterface", 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    EXPECT_FALSE(IsOldEncoderBitrateInterface());
    value = 1;
    RegSetValueExA(opened, "OldEncoderBitrateInterface", 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    EXPECT_TRUE(IsOldEncoderBitrateInterface());
    RegCloseKey(opened);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
}

TEST(EncoderImage, WholeImageGoesWithItsTrailerAndAShortOneIsRefused)
{
    TempFolder folder;
    std::string image(0x40000, '\0');
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = (char)(i * 7);
    std::string path = folder.Write("image.bin", image + "extra");
    Filter filter;
    ASSERT_TRUE(SendEncoderImageFile(filter.Unknown(), path.c_str()));
    auto requests = filter->Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_TRUE(IsEqualGUID(kEncoderImageSet, requests[0].set));
    EXPECT_EQ(5u, requests[0].id);
    EXPECT_FALSE(requests[0].get);
    EXPECT_EQ(0, requests[0].instanceOffset);
    EXPECT_EQ(262156u, requests[0].instanceLength);
    ASSERT_EQ(262156u, requests[0].data.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), requests[0].data.begin(),
                           [](char a, BYTE b) { return (BYTE)a == b; }));
    EXPECT_EQ((std::vector<BYTE>{2, 0, 0, 0, 6, 0, 0, 0, 1, 0, 0, 0}),
              std::vector<BYTE>(requests[0].data.begin() + 0x40000, requests[0].data.end()));

    filter->Clear();
    std::string shortPath = folder.Write("short.bin", image.substr(1));
    EXPECT_FALSE(SendEncoderImageFile(filter.Unknown(), shortPath.c_str()));
    EXPECT_FALSE(SendEncoderImageFile(filter.Unknown(), folder.FilePath("none.bin").c_str()));
    EXPECT_TRUE(filter->Requests().empty());
    filter->Answer(S_FALSE);
    EXPECT_FALSE(SendEncoderImageFile(filter.Unknown(), path.c_str()));
}
