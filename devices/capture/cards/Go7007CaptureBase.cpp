#include "Go7007CaptureBase.h"

#include "Go7007RegisterAccess.h"
#include "NamedMutex.h"
#include "TunerModel.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <new>

namespace
{
const char kTunerFilterName[] = "WIS GO7007SB A/V Capture";
const char kRemoteMutexName[] = "Mutex_Remote_Control";
const char kLockFailedText[] = "Initfilter lock failed";
const char kVideoCapturePin[] = "Video Capture";
const char kVideoPreviewPin[] = "Video Preview";
const char kAudioCapturePin[] = "Audio Capture";
const DWORD kEepromPauseMs = 50;
const char kEepromLetters[] = "AEGPTX";

const GUID kMpeg2VideoSubtype = {0xE06D8026, 0xDB46, 0x11CF, {0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA}};
const GUID kMpeg2VideoFormat = {0xE06D80E3, 0xDB46, 0x11CF, {0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA}};

// The compression code of each MPEG-4 mode: 0x04504D57, "DX50", "MP4S", "DIVX".
const DWORD kMpeg4Codes[] = {0x04504D57, MAKEFOURCC('D', 'X', '5', '0'), MAKEFOURCC('M', 'P', '4', 'S'),
                             MAKEFOURCC('D', 'I', 'V', 'X')};

// 100-ns units per frame times 1001, as frame rates are frames per second times 1001.
const LONGLONG kFrameTimeTimes1001 = 10010000000LL;

// Within an MPEG-4 format block the rows end where the bitmap header's extension ends.
const LONG kMpeg4RowsFromBiSize = 1380;

void DebuggerSink(const char* line)
{
    OutputDebugStringA(line);
}

Go7007DebugSink g_debugSink = DebuggerSink;

void FreeMediaType(AM_MEDIA_TYPE* type)
{
    if (!type)
        return;
    if (type->cbFormat && type->pbFormat)
        CoTaskMemFree(type->pbFormat);
    if (type->pUnk)
        type->pUnk->Release();
    CoTaskMemFree(type);
}

IAMStreamConfig* StreamConfigOf(CFilterPin* pin)
{
    IAMStreamConfig* config = NULL;
    if (!pin || !pin->GetPin() ||
        FAILED(pin->GetPin()->QueryInterface(IID_IAMStreamConfig, (void**)&config)))
        return NULL;
    return config;
}
}

CGo7007CaptureBase::CGo7007CaptureBase(CGraphBuilder* graph, REFCLSID clsid) : CCaptureDevice(graph, clsid)
{
    InitBox();
}

CGo7007CaptureBase::CGo7007CaptureBase(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                       int matchMode)
    : CCaptureDevice(graph, category, friendlyName, matchMode)
{
    InitBox();
}

CGo7007CaptureBase::CGo7007CaptureBase(CGraphBuilder* graph, IBaseFilter* filter) : CCaptureDevice(graph, filter)
{
    InitBox();
}

void CGo7007CaptureBase::InitBox()
{
    m_driver = NULL;
    m_catalogue = new VideoProfileCatalogue();
    m_profiles = new VideoProfileSet();
    memset(&m_current, 0, sizeof(m_current));
}

CGo7007CaptureBase::~CGo7007CaptureBase()
{
    ClearCombinations();
    if (m_driver)
        m_driver->Release();
    CloseDeviceAccess();
    delete m_profiles;
    delete m_catalogue;
}

Go7007DebugSink CGo7007CaptureBase::SetDebugSink(Go7007DebugSink sink)
{
    Go7007DebugSink previous = g_debugSink;
    g_debugSink = sink ? sink : DebuggerSink;
    return previous;
}

void CGo7007CaptureBase::Debug(const char* format, ...)
{
    char line[kProfileLineSize];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    g_debugSink(line);
}

void CGo7007CaptureBase::ClearCombinations()
{
    free(m_catalogue->combinations);
    m_catalogue->combinations = NULL;
    m_catalogue->combinationCount = 0;
}

CGo7007RegisterAccess* CGo7007CaptureBase::RegisterAccess() const
{
    return GetAccessMode() == kAccessMode ? static_cast<CGo7007RegisterAccess*>(GetI2CAccess()) : NULL;
}

void CGo7007CaptureBase::Configure()
{
    SetTunerFilterName(kTunerFilterName);
}

BOOL CGo7007CaptureBase::InitDevice()
{
    CloseDeviceAccess();
    SetTunerInfo('N', 0);
    SetEepromOffsets(kEepromLetterOffset, kEepromModelOffset);
    ClearCombinations();
    if (!CFilterWrapper::Init() || !OpenRegisterAccess())
        return FALSE;
    CNamedMutex mutex(kRemoteMutexName, FALSE);
    if (!mutex.Lock()) {
        MessageBoxA(NULL, kLockFailedText, NULL, MB_OK);
        return FALSE;
    }
    if (m_driver) {
        m_driver->Release();
        m_driver = NULL;
    }
    BOOL result = SUCCEEDED(GetFilter()->QueryInterface(IID_IGo7007Profiles, (void**)&m_driver)) && m_driver;
    if (result) {
        m_driver->GetProfileCatalogue(m_catalogue);
        result = LoadVideoProfiles(m_catalogue, m_profiles);
    }
    if (result) {
        ReadTunerInfo();
        result = CreateTuner();
    }
    mutex.Unlock();
    return result;
}

BOOL CGo7007CaptureBase::OpenRegisterAccess()
{
    SetAccess(NULL, kNotOpen);
    CGo7007RegisterAccess* access = new (std::nothrow) CGo7007RegisterAccess();
    if (!access)
        return FALSE;
    if (FAILED(access->Attach(GetFilter(), this))) {
        delete access;
        return FALSE;
    }
    SetAccess(access, kAccessMode);
    return TRUE;
}

HRESULT CGo7007CaptureBase::SetAudioInput(int, BOOL)
{
    return S_OK;
}

BOOL CGo7007CaptureBase::ReadRemoteKey(BYTE* key)
{
    CI2CAccess* access = GetI2CAccess();
    BYTE waiting = 0;
    if (!key || !access || FAILED(access->ReadByte(kKeyController, kKeyWaiting, &waiting)) || waiting != 1)
        return FALSE;
    return SUCCEEDED(access->ReadByte(kKeyController, kKeyCode, key));
}

HRESULT CGo7007CaptureBase::WriteI2C(BYTE* data, int length)
{
    if (!data)
        return E_INVALIDARG;
    if (length < CI2CAccess::kMinWriteLength || length > CI2CAccess::kMaxBlockLength)
        return E_FAIL;
    return WriteEeprom(data, 0, &length, kEepromPauseMs);
}

HRESULT CGo7007CaptureBase::WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs)
{
    if (!data || !count || *count < 1 || offset < 0 || offset + *count > kEepromSize)
        return E_INVALIDARG;
    CGo7007RegisterAccess* access = RegisterAccess();
    if (!access)
        return E_FAIL;
    HRESULT hr = S_OK;
    for (int i = 0; i < *count; ++i) {
        hr = access->WriteRegister(kEeprom, 8, (DWORD)(offset + i), data[i], CGo7007RegisterAccess::kFlags);
        Sleep(pauseMs);
    }
    return hr;
}

HRESULT CGo7007CaptureBase::ReadEeprom(BYTE* data, int offset, int* count)
{
    if (!data || !count || *count < 1 || offset < 0 || offset + *count > kEepromSize)
        return E_INVALIDARG;
    CGo7007RegisterAccess* access = RegisterAccess();
    if (!access)
        return E_FAIL;
    HRESULT hr = E_FAIL;
    int read = 0;
    for (int i = 0; i < *count; ++i) {
        BYTE value = 0;
        hr = access->ReadRegister(kEeprom, 8, (DWORD)(offset + i), &value, CGo7007RegisterAccess::kFlags);
        if (SUCCEEDED(hr))
            data[read++] = value;
        Sleep(kEepromPauseMs);
    }
    *count = read;
    return read > 0 ? S_OK : hr;
}

HRESULT CGo7007CaptureBase::ReadEepromInfo(int* letter, int* model)
{
    CGo7007RegisterAccess* access = RegisterAccess();
    if (!access)
        return E_FAIL;
    BYTE value = 0;
    HRESULT hr = access->ReadRegister(kEeprom, 8, kEepromLetterOffset, &value, CGo7007RegisterAccess::kFlags);
    if (letter)
        *letter = SUCCEEDED(hr) && value && strchr(kEepromLetters, value) ? (int)value : (int)kFallbackModelLetter;
    Sleep(kEepromPauseMs);
    value = 0;
    hr = access->ReadRegister(kEeprom, 8, kEepromModelOffset, &value, CGo7007RegisterAccess::kFlags);
    if (model)
        *model = SUCCEEDED(hr) && value ? (int)value : (int)kFallbackModel;
    return hr;
}

BOOL CGo7007CaptureBase::CreateTuner()
{
    CTunerModel* tuner = CreateTunerModel(GetTunerModelId());
    if (!tuner) {
        tuner = CreateTunerModel(kFallbackModel);
        SetTunerInfo(kFallbackModelLetter, kFallbackModel);
    }
    return ReplaceTuner(tuner);
}

BOOL CGo7007CaptureBase::SetTunerFrequency(DWORD kHz)
{
    CTunerModel* tuner = GetTuner();
    if (!tuner)
        return FALSE;
    if (tuner->GetReapplyStandard())
        tuner->SetVideoStandard(tuner->GetVideoStandard());
    return tuner->SetTvFrequency((float)kHz);
}

int CGo7007CaptureBase::ReadStatusFlag()
{
    CGo7007RegisterAccess* access = RegisterAccess();
    BYTE value = 0;
    if (access)
        access->ReadRegister(kStatusDevice, 8, kStatusRegister, &value, CGo7007RegisterAccess::kFlags);
    return (value & kStatusBit) ? 1 : 32;
}

BOOL CGo7007CaptureBase::GetAudioFormat(Go7007AudioFormat* format)
{
    IAMStreamConfig* config = StreamConfigOf(FindPin(kAudioCapturePin));
    if (!config)
        return FALSE;
    AM_MEDIA_TYPE* type = NULL;
    BOOL wave = SUCCEEDED(config->GetFormat(&type)) && type && type->formattype == FORMAT_WaveFormatEx &&
                type->pbFormat && type->cbFormat >= sizeof(WAVEFORMATEX);
    if (wave && format) {
        const WAVEFORMATEX* w = (const WAVEFORMATEX*)type->pbFormat;
        *format = {w->wFormatTag, w->nSamplesPerSec, w->nChannels, w->wBitsPerSample, w->nBlockAlign,
                   w->nAvgBytesPerSec, 0};
    }
    FreeMediaType(type);
    config->Release();
    return wave;
}

void CGo7007CaptureBase::SetAudioFormat(const Go7007AudioFormat& format)
{
    IAMStreamConfig* config = StreamConfigOf(FindPin(kAudioCapturePin));
    if (!config)
        return;
    int count = 0, size = 0;
    if (SUCCEEDED(config->GetNumberOfCapabilities(&count, &size))) {
        std::vector<BYTE> caps(size > 0 ? size : 1);
        for (int i = 0; i < count; ++i) {
            AM_MEDIA_TYPE* type = NULL;
            if (FAILED(config->GetStreamCaps(i, &type, &caps[0])) || !type)
                continue;
            WAVEFORMATEX* w = (WAVEFORMATEX*)type->pbFormat;
            bool match = type->formattype == FORMAT_WaveFormatEx && w && type->cbFormat >= sizeof(WAVEFORMATEX) &&
                         w->wFormatTag == format.formatTag;
            if (match) {
                w->nChannels = (WORD)format.channels;
                w->nSamplesPerSec = format.samplesPerSec;
                w->wBitsPerSample = (WORD)format.bitsPerSample;
                w->nBlockAlign = (WORD)format.blockAlign;
                w->nAvgBytesPerSec = format.avgBytesPerSec;
                config->SetFormat(type);
            }
            FreeMediaType(type);
            if (match)
                break;
        }
    }
    config->Release();
}

BOOL CGo7007CaptureBase::ListFrameRateNames(DWORD tvStandard, std::vector<std::string>* names)
{
    size_t before = names->size();
    for (DWORD i = 0; i < m_profiles->frameRateCount && i < (DWORD)kProfileRowsPerKind; ++i) {
        if (m_profiles->frameRates[i].tvStandard == tvStandard)
            names->push_back(m_profiles->frameRates[i].head.name);
    }
    return names->size() > before;
}

int CGo7007CaptureBase::FindCurrentDriverProfile()
{
    char name[kProfileNameSize] = {0};
    if (!m_driver || FAILED(m_driver->GetCurrentProfileName(name)))
        return -1;
    name[kProfileNameSize - 1] = '\0';
    int found = -1;
    for (DWORD i = 0; i < m_catalogue->driverProfileCount && i < (DWORD)kDriverProfileRows; ++i) {
        if (strncmp(m_catalogue->driverProfiles[i].name, name, kProfileNameSize) == 0)
            found = (int)i;
    }
    return found;
}

BOOL CGo7007CaptureBase::LoadCombinations(DWORD tvStandard)
{
    int profile = FindCurrentDriverProfile();
    ClearCombinations();
    if (profile < 0)
        return FALSE;
    BuildProfileCombinations(m_catalogue, profile, tvStandard);
    return m_catalogue->combinationCount > 0;
}

BOOL CGo7007CaptureBase::IsCombinationAllowed(int stream, int frameRate)
{
    return IsCombinationAllowed(stream, frameRate, kAnyResolution);
}

// The table holds catalogue ids; the rows of the profile file carry the id they matched.
BOOL CGo7007CaptureBase::IsCombinationAllowed(int stream, int frameRate, int resolution)
{
    for (DWORD i = 0; i < m_catalogue->combinationCount; ++i) {
        const ProfileCombination& c = m_catalogue->combinations[i];
        if (c.stream == m_profiles->streamIndices[stream] && c.frameRate == m_profiles->frameRateIndices[frameRate] &&
            (resolution == kAnyResolution || c.resolution == m_profiles->resolutionIndices[resolution]))
            return TRUE;
    }
    return FALSE;
}

BOOL CGo7007CaptureBase::IsBitrateAllowed(int resolution, int bitrate)
{
    const ResolutionSettingRow& r = m_profiles->resolutions[resolution];
    DWORD target = m_profiles->bitrates[bitrate].targetBitrate;
    return target == 0 || (target >= r.minBitrate && target <= r.maxBitrate);
}

BOOL CGo7007CaptureBase::GetBitrateRange(DWORD tvStandard, DWORD width, DWORD height, DWORD* maxBitrate,
                                         DWORD* minBitrate)
{
    if (m_catalogue->combinationCount == 0 && !LoadCombinations(tvStandard))
        return FALSE;
    for (DWORD i = 0; i < m_profiles->resolutionCount && i < (DWORD)kProfileRowsPerKind; ++i) {
        const ResolutionSettingRow& r = m_profiles->resolutions[i];
        if ((r.tvStandard & tvStandard) && r.width == width && r.height == height) {
            *maxBitrate = r.maxBitrate;
            *minBitrate = r.minBitrate;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CGo7007CaptureBase::ApplyProfile(DWORD tvStandard, int stream, DWORD frameRate, DWORD width, DWORD height,
                                      DWORD bitrate, BOOL highestBitrate, BOOL fixedQuality, DWORD peak,
                                      BYTE quantiser)
{
    if (!LoadCombinations(tvStandard) || stream < 0 || (DWORD)stream >= m_profiles->streamCount)
        return FALSE;
    const VideoProfileSet& set = *m_profiles;
    int f = 0;
    for (; f < (int)set.frameRateCount; ++f) {
        const FrameRateSettingRow& row = set.frameRates[f];
        if ((row.tvStandard & tvStandard) && row.frameRate == frameRate && IsCombinationAllowed(stream, f))
            break;
    }
    if (f == (int)set.frameRateCount)
        return FALSE;
    int r = 0;
    for (; r < (int)set.resolutionCount; ++r) {
        const ResolutionSettingRow& row = set.resolutions[r];
        if (row.tvStandard == tvStandard && row.width == width && row.height == height &&
            IsCombinationAllowed(stream, f, r))
            break;
    }
    if (r == (int)set.resolutionCount)
        return FALSE;
    int b = -1;
    for (int i = 0; i < (int)set.bitrateCount; ++i) {
        if (!IsBitrateAllowed(r, i))
            continue;
        DWORD target = set.bitrates[i].targetBitrate;
        if (highestBitrate ? (b < 0 || target > set.bitrates[b].targetBitrate) : target == bitrate) {
            b = i;
            if (!highestBitrate)
                break;
        }
    }
    if (b < 0)
        return FALSE;
    Go7007Profile profile = {set.streams[stream], set.frameRates[f], set.resolutions[r], set.bitrates[b]};
    if ((stream == 0 || stream == 1) && fixedQuality) {
        BitrateSettingRow& rate = profile.bitrate;
        rate.targetBitrate = 0;
        rate.peakBitrate = peak;
        rate.q = 0;
        rate.lambda = 100;
        rate.iq = rate.pq = rate.bq = quantiser;
    }
    m_current = profile;
    IAMStreamConfig* capture = StreamConfigOf(FindPin(kVideoCapturePin));
    CFilterPin* previewPin = FindPin(kVideoPreviewPin);
    if (!capture || !previewPin) {
        if (capture)
            capture->Release();
        return FALSE;
    }
    BOOL result = SetPinFormat(capture, profile);
    capture->Release();
    IAMStreamConfig* preview = StreamConfigOf(previewPin);
    if (preview) {
        result = SetPinFormat(preview, profile) && result;
        preview->Release();
    }
    return result;
}

// The fields of a capability's format block that a profile sets; bitmap NULL when the
// capability is not of the stream row's kind.
struct PinFormatFields
{
    BITMAPINFOHEADER* bitmap;
    REFERENCE_TIME* frameTime;
    DWORD* bitRate;
    MPEG2VIDEOINFO* mpeg2;
    // Where the rows go and where the structure before them ends; 64-bit so no sequence-header
    // length or bitmap size can wrap them.
    LONGLONG rowsAt;
    LONGLONG headerEnd;
    const char* label;
};

static PinFormatFields FieldsOf(AM_MEDIA_TYPE* type, const StreamSettingRow& stream)
{
    PinFormatFields f = {};
    switch (stream.compressMode) {
    case CGo7007CaptureBase::kMpeg1:
        if (type->subtype == MEDIASUBTYPE_MPEG1Payload && type->formattype == FORMAT_MPEGVideo &&
            type->cbFormat >= sizeof(MPEG1VIDEOINFO)) {
            MPEG1VIDEOINFO* info = (MPEG1VIDEOINFO*)type->pbFormat;
            f = {&info->hdr.bmiHeader, &info->hdr.AvgTimePerFrame, &info->hdr.dwBitRate, NULL, 0, 0, "MPEG1"};
            f.rowsAt = f.headerEnd = (LONGLONG)offsetof(MPEG1VIDEOINFO, bSequenceHeader) + info->cbSequenceHeader;
        }
        break;
    case CGo7007CaptureBase::kMpeg2:
        if (type->subtype == kMpeg2VideoSubtype && type->formattype == kMpeg2VideoFormat &&
            type->cbFormat >= sizeof(MPEG2VIDEOINFO)) {
            MPEG2VIDEOINFO* info = (MPEG2VIDEOINFO*)type->pbFormat;
            f = {&info->hdr.bmiHeader, &info->hdr.AvgTimePerFrame, &info->hdr.dwBitRate, info, 0, 0, "MPEG2"};
            f.rowsAt = f.headerEnd = (LONGLONG)offsetof(MPEG2VIDEOINFO, dwSequenceHeader) + info->cbSequenceHeader;
        }
        break;
    case CGo7007CaptureBase::kMpeg4:
        if (type->formattype == FORMAT_VideoInfo && type->cbFormat >= sizeof(VIDEOINFOHEADER) &&
            stream.mpeg4Mode < sizeof(kMpeg4Codes) / sizeof(kMpeg4Codes[0]) &&
            ((VIDEOINFOHEADER*)type->pbFormat)->bmiHeader.biCompression == kMpeg4Codes[stream.mpeg4Mode]) {
            VIDEOINFOHEADER* info = (VIDEOINFOHEADER*)type->pbFormat;
            f = {&info->bmiHeader, &info->AvgTimePerFrame, &info->dwBitRate, NULL, 0, 0, "videoinfo"};
            f.rowsAt = (LONGLONG)info->bmiHeader.biSize - kMpeg4RowsFromBiSize;
            f.headerEnd = sizeof(VIDEOINFOHEADER);
        }
        break;
    }
    return f;
}

// The capability's format set to the profile when it is the profile's kind of stream at its size.
BOOL CGo7007CaptureBase::FormatCapability(AM_MEDIA_TYPE* type, const Go7007Profile& profile)
{
    const DWORD width = profile.resolution.width;
    const DWORD height = profile.resolution.height;
    PinFormatFields f = FieldsOf(type, profile.stream);
    if (!f.bitmap || (DWORD)f.bitmap->biWidth != width || (DWORD)f.bitmap->biHeight != height)
        return FALSE;
    if (f.mpeg2) {
        f.mpeg2->hdr.dwPictAspectRatioX = width;
        f.mpeg2->hdr.dwPictAspectRatioY = height;
    }
    // A frame rate of 0 leaves the pin's own frame time.
    if (profile.frameRate.frameRate)
        *f.frameTime = kFrameTimeTimes1001 / profile.frameRate.frameRate;
    f.bitmap->biSizeImage = width * height * 3 / 2;
    *f.bitRate = profile.bitrate.targetBitrate;
    // The rows go in only where they fit whole between the format's header and its end.
    if (f.rowsAt >= f.headerEnd && f.rowsAt + (LONGLONG)sizeof(profile) <= (LONGLONG)type->cbFormat)
        memcpy(type->pbFormat + f.rowsAt, &profile, sizeof(profile));
    if (profile.stream.compressMode == kMpeg4 && m_driver) {
        IGo7007MediaType* driverType = NULL;
        if (SUCCEEDED(m_driver->QueryInterface(IID_IGo7007MediaType, (void**)&driverType)) && driverType) {
            driverType->SetMediaType(type);
            driverType->Release();
        }
    }
    Debug("%s width: %d height: %d fps: %d bps: %d", f.label, (int)width, (int)height, (int)*f.frameTime,
          (int)*f.bitRate);
    return TRUE;
}

BOOL CGo7007CaptureBase::SetPinFormat(IAMStreamConfig* config, const Go7007Profile& profile)
{
    DWORD mode = profile.stream.compressMode;
    int count = 0, size = 0;
    if (FAILED(config->GetNumberOfCapabilities(&count, &size)))
        return FALSE;
    std::vector<BYTE> caps(size > 0 ? size : 1);
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* type = NULL;
        if (FAILED(config->GetStreamCaps(i, &type, &caps[0])) || !type) {
            Debug("[wisproxy]: GetSteamCaps Failed!");
            continue;
        }
        if (mode != kMpeg1 && mode != kMpeg2 && mode != kMpeg4) {
            FreeMediaType(type);
            return FALSE;
        }
        if (!FormatCapability(type, profile)) {
            FreeMediaType(type);
            continue;
        }
        HRESULT hr = config->SetFormat(type);
        FreeMediaType(type);
        if (FAILED(hr)) {
            Debug("wisproxy: set pin format failed");
            return FALSE;
        }
        return TRUE;
    }
    return FALSE;
}
