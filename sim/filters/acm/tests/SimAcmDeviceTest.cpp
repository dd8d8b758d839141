// The stand-in's devices in the prefix's audio compressor category, bound by the device
// enumerator as a program binds them: each device's "Codec" decides what the filter takes
// and offers.
#include <gtest/gtest.h>

#include "CSimAcmFormats.h"

#include <dshow.h>

#include <string>
#include <vector>

namespace
{

class SimAcmDeviceTest : public testing::Test
{
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }

    // The category's devices in the enumerator's order, with the moniker of the one named.
    static std::vector<std::string> Devices(const char* wanted = nullptr, IMoniker** found = nullptr)
    {
        std::vector<std::string> names;
        ICreateDevEnum* devices = nullptr;
        IEnumMoniker* monikers = nullptr;
        if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                    (void**)&devices)))
            return names;
        if (devices->CreateClassEnumerator(CLSID_AudioCompressorCategory, &monikers, 0) == S_OK) {
            IMoniker* moniker = nullptr;
            while (monikers->Next(1, &moniker, nullptr) == S_OK) {
                std::string name = FriendlyName(moniker);
                names.push_back(name);
                if (wanted && found && !*found && name == wanted)
                    *found = moniker;
                else
                    moniker->Release();
            }
            monikers->Release();
        }
        devices->Release();
        return names;
    }

    static std::string FriendlyName(IMoniker* moniker)
    {
        IPropertyBag* bag = nullptr;
        std::string name;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, (void**)&bag)))
            return name;
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR) {
            char text[128];
            WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, text, sizeof(text), nullptr, nullptr);
            name = text;
        }
        VariantClear(&value);
        bag->Release();
        return name;
    }

    static IBaseFilter* Bind(const char* name)
    {
        IMoniker* moniker = nullptr;
        Devices(name, &moniker);
        if (!moniker)
            return nullptr;
        IBaseFilter* filter = nullptr;
        moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, (void**)&filter);
        moniker->Release();
        return filter;
    }

    static IPin* Pin(IBaseFilter* filter, const wchar_t* name)
    {
        IPin* pin = nullptr;
        filter->FindPin(name, &pin);
        return pin;
    }

    static AM_MEDIA_TYPE AudioType(WAVEFORMATEX& format)
    {
        AM_MEDIA_TYPE type = {};
        type.majortype = MEDIATYPE_Audio;
        type.subtype = MEDIASUBTYPE_PCM;
        type.formattype = FORMAT_WaveFormatEx;
        type.cbFormat = sizeof(format);
        type.pbFormat = reinterpret_cast<BYTE*>(&format);
        return type;
    }
};

TEST_F(SimAcmDeviceTest, TheCategoryListsTheStandInsDevicesFirstInKeyOrder)
{
    std::vector<std::string> names = Devices();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ("PCM", names[0]);
    EXPECT_EQ("Microsoft ADPCM", names[1]);
    EXPECT_EQ("InterVideo MP2 Audio Compressor", names[2]);
}

struct DeviceCase
{
    const char* device;
    // What "Output" offers before anything is connected.
    WORD tag;
    WORD blockAlign;
    WORD cbSize;
};

const DeviceCase kDevices[] = {
    {"PCM", WAVE_FORMAT_PCM, 4, 0},
    {"Microsoft ADPCM", WAVE_FORMAT_ADPCM, 2048, 32},
    {"InterVideo MP2 Audio Compressor", WAVE_FORMAT_MPEG, 1, 22},
};

TEST_F(SimAcmDeviceTest, EachDeviceOffersItsCodecsFormat)
{
    for (const DeviceCase& c : kDevices) {
        IBaseFilter* filter = Bind(c.device);
        ASSERT_NE(nullptr, filter) << c.device;
        IAMStreamConfig* config = nullptr;
        ASSERT_EQ(S_OK, filter->QueryInterface(IID_IAMStreamConfig, (void**)&config)) << c.device;
        AM_MEDIA_TYPE* type = nullptr;
        ASSERT_EQ(S_OK, config->GetFormat(&type)) << c.device;
        const WAVEFORMATEX* format = reinterpret_cast<const WAVEFORMATEX*>(type->pbFormat);
        EXPECT_EQ(c.tag, format->wFormatTag) << c.device;
        EXPECT_EQ(44100u, format->nSamplesPerSec) << c.device;
        EXPECT_EQ(2, format->nChannels) << c.device;
        EXPECT_EQ(c.blockAlign, format->nBlockAlign) << c.device;
        EXPECT_EQ(c.cbSize, format->wFormatTag == WAVE_FORMAT_PCM ? 0 : format->cbSize) << c.device;
        EXPECT_EQ(sizeof(WAVEFORMATEX) + c.cbSize, type->cbFormat) << c.device;
        CoTaskMemFree(type->pbFormat);
        CoTaskMemFree(type);
        config->Release();
        filter->Release();
    }
}

struct InputCase
{
    const char* device;
    DWORD rate;
    WORD channels, bits;
    bool accepted;
};

// The ADPCM codec codes 16-bit samples at the rates its blocks are made for; Layer II has
// three rates, and 224 kbit/s only in stereo.
const InputCase kInputs[] = {
    {"Microsoft ADPCM", 44100, 2, 16, true},
    {"Microsoft ADPCM", 8000, 1, 16, true},
    {"Microsoft ADPCM", 48000, 2, 16, true},
    {"Microsoft ADPCM", 44100, 2, 8, false},
    {"Microsoft ADPCM", 96000, 2, 16, false},
    {"Microsoft ADPCM", 6000, 1, 16, false},
    {"InterVideo MP2 Audio Compressor", 48000, 2, 16, true},
    {"InterVideo MP2 Audio Compressor", 22050, 2, 16, false},
    {"InterVideo MP2 Audio Compressor", 44100, 1, 16, false},
    {"PCM", 22050, 1, 8, true},
    {"PCM", 48000, 2, 16, true},
};

TEST_F(SimAcmDeviceTest, InputIsWhatTheCodecCanTake)
{
    for (const InputCase& c : kInputs) {
        IBaseFilter* filter = Bind(c.device);
        ASSERT_NE(nullptr, filter) << c.device;
        IPin* input = Pin(filter, L"Input");
        ASSERT_NE(nullptr, input) << c.device;
        WAVEFORMATEX format = CSimAcmFormats::Pcm(c.rate, c.channels, c.bits).wave;
        AM_MEDIA_TYPE type = AudioType(format);
        EXPECT_EQ(c.accepted ? S_OK : S_FALSE, input->QueryAccept(&type))
            << c.device << " " << c.rate << "/" << c.channels << "/" << c.bits;
        input->Release();
        filter->Release();
    }
}

// Made by its class, as the MPEG record roads make the ACM Wrapper, it stays the PCM converter.
TEST_F(SimAcmDeviceTest, TheWrapperMadeByItsClassStillConvertsPcm)
{
    const CLSID acmWrapper = {0x6A08CF80, 0x0E18, 0x11CF, {0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67}};
    IBaseFilter* filter = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(acmWrapper, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, (void**)&filter));
    IAMStreamConfig* config = nullptr;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IAMStreamConfig, (void**)&config));
    int count = 0, size = 0;
    EXPECT_EQ(S_OK, config->GetNumberOfCapabilities(&count, &size));
    EXPECT_EQ(7, count) << "the seven standard rates";
    config->Release();
    filter->Release();
}

} // namespace
