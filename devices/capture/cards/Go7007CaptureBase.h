#pragma once

#include "CaptureDevice.h"
#include "VideoProfiles.h"

#include <string>
#include <vector>

class CGo7007RegisterAccess;

// The GO7007 box driver's profile interface on its capture filter. Methods 4 and 5 keep the
// driver's slot order.
struct IGo7007Profiles : public IUnknown
{
    // name: at least kProfileNameSize bytes.
    virtual HRESULT STDMETHODCALLTYPE GetCurrentProfileName(char* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    // Fills the driver's part of the catalogue: its profiles, rows and reference records.
    virtual HRESULT STDMETHODCALLTYPE GetProfileCatalogue(VideoProfileCatalogue* catalogue) = 0;
};

// {55F1E004-76CD-412E-9413-68AF75304D73}
inline constexpr IID IID_IGo7007Profiles =
    {0x55F1E004, 0x76CD, 0x412E, {0x94, 0x13, 0x68, 0xAF, 0x75, 0x30, 0x4D, 0x73}};

// The driver's media-type interface, reached from the profile interface: it takes an MPEG-4
// pin format before the pin does.
struct IGo7007MediaType : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetMediaType(AM_MEDIA_TYPE* type) = 0;
};

// {E4557E5C-BB64-4186-905E-8FC119DBA5E2}
inline constexpr IID IID_IGo7007MediaType =
    {0xE4557E5C, 0xBB64, 0x4186, {0x90, 0x5E, 0x8F, 0xC1, 0x19, 0xDB, 0xA5, 0xE2}};

#pragma pack(push, 1)
// The profile a pin encodes with; appended in this order to the pin formats.
struct Go7007Profile
{
    StreamSettingRow stream;
    FrameRateSettingRow frameRate;
    ResolutionSettingRow resolution;
    BitrateSettingRow bitrate;
};
#pragma pack(pop)
static_assert(sizeof(Go7007Profile) == 1428, "profile rows");

// The wave format of the box's audio pin, each field 32-bit.
struct Go7007AudioFormat
{
    DWORD formatTag;
    DWORD samplesPerSec;
    DWORD channels;
    DWORD bitsPerSample;
    DWORD blockAlign;
    DWORD avgBytesPerSec;
    DWORD extraSize;
};

// Where the box's debug lines go: the debugger unless a test takes them.
typedef void (*Go7007DebugSink)(const char* line);

// The box on the WIS GO7007SB encoder: MPEG-1, MPEG-2 or MPEG-4 straight from its capture
// filter, encoded with a profile of the driver's catalogue and video_profiles.txt. Its chips are
// reached through the driver's register interface.
class CGo7007CaptureBase : public CCaptureDevice
{
public:
    enum { kAccessMode = 18 };
    enum { kEeprom = 0xA0, kKeyController = 0xBB, kKeyWaiting = 48, kKeyCode = 49 };
    enum { kStatusDevice = 0x41, kStatusRegister = 31, kStatusBit = 0x20 };
    enum { kEepromLetterOffset = 17, kEepromModelOffset = 16, kEepromSize = 256 };
    enum { kFallbackModel = 72, kFallbackModelLetter = 'L' };
    enum { kMpeg1 = 0, kMpeg2 = 1, kMpeg4 = 4 };
    enum { kAnyResolution = -1 };

    CGo7007CaptureBase(CGraphBuilder* graph, REFCLSID clsid);
    CGo7007CaptureBase(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    CGo7007CaptureBase(CGraphBuilder* graph, IBaseFilter* filter);
    ~CGo7007CaptureBase() override;

    void Configure() override;
    BOOL InitDevice() override;
    // The box switches its sound itself.
    HRESULT SetAudioInput(int input, BOOL on) override;
    BOOL ReadRemoteKey(BYTE* key) override;
    HRESULT WriteI2C(BYTE* data, int length) override;
    HRESULT WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs) override;
    // Keeps only the bytes that read, packed from data[0]; *count becomes their number.
    HRESULT ReadEeprom(BYTE* data, int offset, int* count) override;
    BOOL CreateTuner() override;
    HRESULT ReadEepromInfo(int* letter, int* model) override;
    // Applies the stored standard first where the tuner model asks for it.
    virtual BOOL SetTunerFrequency(DWORD kHz);
    virtual BOOL OpenRegisterAccess();

    BOOL GetAudioFormat(Go7007AudioFormat* format);
    void SetAudioFormat(const Go7007AudioFormat& format);
    BOOL ListFrameRateNames(DWORD tvStandard, std::vector<std::string>* names);
    // The combinations of the driver's current profile under the standard mask.
    BOOL LoadCombinations(DWORD tvStandard);
    BOOL IsCombinationAllowed(int stream, int frameRate);
    // resolution kAnyResolution: with any resolution.
    BOOL IsCombinationAllowed(int stream, int frameRate, int resolution);
    BOOL IsBitrateAllowed(int resolution, int bitrate);
    BOOL GetBitrateRange(DWORD tvStandard, DWORD width, DWORD height, DWORD* maxBitrate, DWORD* minBitrate);
    // Sets "Video Capture" and "Video Preview" to the profile the arguments choose.
    BOOL ApplyProfile(DWORD tvStandard, int stream, DWORD frameRate, DWORD width, DWORD height, DWORD bitrate,
                      BOOL highestBitrate, BOOL fixedQuality, DWORD peak, BYTE quantiser);
    // 1 when the status device's bit is set, else 32.
    int ReadStatusFlag();

    const VideoProfileSet& GetProfiles() const { return *m_profiles; }
    const VideoProfileCatalogue& GetCatalogue() const { return *m_catalogue; }
    const Go7007Profile& GetCurrentProfile() const { return m_current; }

    static Go7007DebugSink SetDebugSink(Go7007DebugSink sink);

private:
    void InitBox();
    void ClearCombinations();
    CGo7007RegisterAccess* RegisterAccess() const;
    // The index of the driver profile the driver names current; -1 when none.
    int FindCurrentDriverProfile();
    BOOL SetPinFormat(IAMStreamConfig* config, const Go7007Profile& profile);
    BOOL FormatCapability(AM_MEDIA_TYPE* type, const Go7007Profile& profile);
    static void Debug(const char* format, ...);

    // Owned reference; NULL until InitDevice found it.
    IGo7007Profiles* m_driver;
    // The catalogue is the driver's size; both live on the heap.
    VideoProfileCatalogue* m_catalogue;
    VideoProfileSet* m_profiles;
    Go7007Profile m_current;
};
