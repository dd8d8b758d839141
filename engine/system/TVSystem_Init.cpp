#include "TVSystem.h"

#include "CaptureDevice.h"
#include "TunerModel.h"

namespace {

const char* const kRecordFormatNames[] = {"AVI", "Mpeg1", "Mpeg2", "Mpeg4", "VCD", "SVCD", "DVD", "HIDVD"};
// By CTVSystem's source numbers.
const char* const kSourceNames[] = {"TV", "AV", "SV", "FM"};

template <size_t N> const char* NameAt(const char* const (&names)[N], int i)
{
    return i >= 0 && i < (int)N ? names[i] : "";
}

struct StandardName
{
    long standard;  // AnalogVideoStandard bit
    const char* name;
};

const StandardName kStandardNames[] = {
    {0, "None"},          {1, "NTSC_M"},        {2, "NTSC_M_J"},       {4, "NTSC_433"},
    {16, "PAL_B"},        {32, "PAL_D"},        {128, "PAL_H"},        {256, "PAL_I"},
    {512, "PAL_M"},       {1024, "PAL_N"},      {2048, "PAL_60"},      {4096, "SECAM_B"},
    {8192, "SECAM_D"},    {16384, "SECAM_G"},   {32768, "SECAM_H"},    {65536, "SECAM_K"},
    {131072, "SECAM_K1"}, {262144, "SECAM_L"},  {524288, "SECAM_L1"},
};

struct LabelRow
{
    int map;   // CTVSystem::LabelMap
    int key;
    UINT textId;  // in the program's string table
};

// The settings and schedule windows label their choices with these texts.
const LabelRow kLabels[] = {
    {CTVSystem::kQualityLabels, 0, 33845},    {CTVSystem::kQualityLabels, 1, 33846},
    {CTVSystem::kQualityLabels, 2, 33847},    {CTVSystem::kPictureLabels, 0, 33783},
    {CTVSystem::kPictureLabels, 1, 33784},    {CTVSystem::kPictureLabels, 2, 33785},
    {CTVSystem::kPictureLabels, 3, 33786},    {CTVSystem::kPictureLabels, 4, 33791},
    {CTVSystem::kProcessingLabels, 0, 33783}, {CTVSystem::kProcessingLabels, 1, 33784},
    {CTVSystem::kProcessingLabels, 2, 33785}, {CTVSystem::kProcessingLabels, 3, 33786},
    {CTVSystem::kProcessingLabels, 4, 33791}, {CTVSystem::kProcessingLabels, 5, 33787},
    {CTVSystem::kProcessingLabels, 6, 33788}, {CTVSystem::kProcessingLabels, 7, 33789},
    {CTVSystem::kProcessingLabels, 8, 33790}, {CTVSystem::kProcessingLabels, 9, 33792},
    {CTVSystem::kDayLabels, 1, 33848},        {CTVSystem::kDayLabels, 2, 33849},
    {CTVSystem::kDayLabels, 3, 33850},        {CTVSystem::kDayLabels, 4, 33851},
    {CTVSystem::kDayLabels, 5, 33852},        {CTVSystem::kDayLabels, 6, 33853},
    {CTVSystem::kDayLabels, 7, 33854},        {CTVSystem::kDayLabels, 8, 33856},
};

// Rows by the VideoSize setting: {width, height}.
const SIZE kCaptureSizes25[] = {{320, 240}, {640, 480}, {720, 576}};
const SIZE kCaptureSizes30[] = {{352, 288}, {704, 480}, {720, 480}};
const int kCaptureSizeRows = sizeof(kCaptureSizes25) / sizeof(kCaptureSizes25[0]);
static_assert(sizeof(kCaptureSizes30) == sizeof(kCaptureSizes25), "one row per VideoSize in both tables");

// {minimum, maximum, default} by property: brightness, contrast, hue, saturation, sharpness.
const CTVSystem::PropertyRange kOverlayRanges[CTVSettings::kPictureProperties] = {
    {0, 10000, 750}, {0, 20000, 10000}, {-180, 180, 0}, {0, 20000, 10000}, {0, 10, 5},
};

} // namespace

const char* CTVSystem::GetRecordFormatName(int format)
{
    return NameAt(kRecordFormatNames, format);
}

const char* CTVSystem::GetSourceName(int source)
{
    return NameAt(kSourceNames, source);
}

const char* CTVSystem::GetStandardName(long standard)
{
    for (const StandardName& row : kStandardNames)
        if (row.standard == standard)
            return row.name;
    return NULL;
}

UINT CTVSystem::GetLabelId(LabelMap map, int key)
{
    for (const LabelRow& row : kLabels)
        if (row.map == map && row.key == key)
            return row.textId;
    return 0;
}

SIZE CTVSystem::GetCaptureSizeRow(int index, BOOL frames25)
{
    if (index < 0 || index >= kCaptureSizeRows) {
        SIZE none = {0, 0};
        return none;
    }
    return frames25 ? kCaptureSizes25[index] : kCaptureSizes30[index];
}

// Until the device reports its own.
CTVSystem::PropertyRanges CTVSystem::BuiltInPictureRanges()
{
    PropertyRanges ranges = {{{0, 10000, 5020}, {0, 10000, 2235}, {0, 10000, 5020}, {0, 10000, 4980}, {0, 4, 1}}};
    return ranges;
}

const CTVSystem::PropertyRange& CTVSystem::GetOverlayRange(int property)
{
    static const PropertyRange none = {0, 100, 0};
    return property >= 0 && property < CTVSettings::kPictureProperties ? kOverlayRanges[property] : none;
}

const CTVSystem::PropertyRange& CTVSystem::GetPictureRange(int property) const
{
    static const PropertyRange none = {0, 100, 0};
    return property >= 0 && property < CTVSettings::kPictureProperties ? m_pictureRanges[property] : none;
}

void CTVSystem::RestoreChannelSelection()
{
    m_fmGroup = m_fmChannels.GetGroup(m_settings.fmUseFavor ? CChannelEntry::kFavorites
                                                            : CChannelEntry::kAllChannels);
    m_tvGroup = m_tvChannels.GetGroup(m_settings.useFavor ? CChannelEntry::kFavorites
                                                          : CChannelEntry::kAllChannels);
    m_currentTV = m_tvGroup->SetCurrent(m_settings.lastChannel);
    m_previousTV = m_currentTV;
}

BOOL CTVSystem::InitTVSystem()
{
    const CTVSettings& s = m_settings;
    m_graph.SetDisplayQuality(s.displayQuality);
    m_graph.SetCaptureSize(GetCaptureSizeRow(s.videoSize, TRUE));
    m_graph.SetVideoSource(s.videoSource, TRUE);
    m_graph.SetRecordFormat(s.recordFormat);
    m_graph.SetFMRecordFormat(s.fmRecordFormat);
    m_graph.SetRecordScheme(s.recordScheme);
    if (!m_graph.BuildPreview())
        return FALSE;
    // The graph starts with the overlay, and drops it by itself where there is none; only the
    // setting turning it off needs the preview remade.
    if (!s.useOverlay && m_graph.IsOverlayInUse())
        m_graph.SetUseOverlay(FALSE);

    CCaptureDevice* device = m_graph.GetCaptureDevice();
    m_hasFM = device && device->GetTuner() && device->GetTuner()->IsFmSupported();
    ReadPictureRanges();
    ChooseMpeg4Codecs();
    BuildScanFrequencies();
    ApplyCountry(s.country);
    m_graph.SetHighQuality(s.hightQuality);
    m_graph.SetHalfRate(s.halfRate);
    m_graph.SetNoiseReduce(s.noiseReduce);
    m_graph.SetReduceValue(s.reduceValue);
    ApplyColorSettings();
    m_graph.SetMpeg4FrameRate(s.mpeg4FrameRate);
    ApplyMpeg4State();
    SetAudioInput(s.audioInput);

    if (m_currentTV && s.videoSource != kSourceFm)
        SelectChannel(m_currentTV);
    else
        SelectChannelByIndex(s.videoSource == kSourceFm ? 0 : s.lastChannel);
    m_graph.MutePlayLine(s.muteAudioInput);
    SetAutoRunFlag(TRUE);
    return TRUE;
}

// The device's own ranges replace the built-in ones only where it reports them.
void CTVSystem::ReadPictureRanges()
{
    m_pictureRanges = BuiltInPictureRanges();
    for (int i = 0; i < CTVSettings::kPictureProperties; ++i) {
        ProcAmpValue record = {};
        if (m_graph.GetVideoProcAmpInfo(i, &record)) {
            PropertyRange device = {(int)record.min, (int)record.max, (int)record.defaultValue};
            m_pictureRanges[i] = device;
        }
    }
}

// An empty name takes the first codec the system offers; a system without any leaves it empty.
void CTVSystem::ChooseMpeg4Codecs()
{
    const CStringArray& video = m_graph.GetMpeg4CodecNames();
    const CStringArray& audio = m_graph.GetMpeg4AudioNames();
    if (m_settings.mpeg4Video.IsEmpty() && video.GetSize() > 0)
        m_settings.mpeg4Video = video[0];
    if (m_settings.mpeg4Audio.IsEmpty() && audio.GetSize() > 0)
        m_settings.mpeg4Audio = audio[0];
    m_graph.SetMpeg4Codec(m_settings.mpeg4Video);
    m_graph.SetMpeg4Audio(m_settings.mpeg4Audio);
}

// Without a kept block the user configures the codec once, and what it leaves is kept.
void CTVSystem::ApplyMpeg4State()
{
    if (HasMpeg4Block())
        m_graph.SetMpeg4CodecState(m_mpeg4Block.data(), (int)m_mpeg4Block.size());
    else
        ConfigureMpeg4(NULL);
}

void CTVSystem::ConfigureMpeg4(HWND parent)
{
    m_graph.ShowMpeg4CodecDialog(parent, TRUE);
    FetchMpeg4State();
}

BOOL CTVSystem::FetchMpeg4State()
{
    int size = 0;
    m_graph.GetMpeg4CodecState(NULL, &size);
    if (size <= 0)
        return FALSE;
    std::vector<BYTE> state(size);
    if (!m_graph.GetMpeg4CodecState(state.data(), &size))
        return FALSE;
    SetMpeg4Block(state.data(), size);
    return TRUE;
}

void CTVSystem::CloseTV()
{
    if (m_tvGroup)
        m_settings.lastChannel = m_tvGroup->GetCurrentIndex();
    m_graph.CloseTV();
}
