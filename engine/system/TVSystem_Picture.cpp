#include "TVSystem.h"

#include "AudioCaptureDevice.h"

namespace {

const int kMixerFullScale = 65535;

} // namespace

int CTVSystem::SetVideoSource(int source)
{
    if (source < kSourceTuner || source > kSourceFm || (source == kSourceFm && !m_hasFM))
        source = kSourceTuner;
    int old = m_settings.videoSource;
    m_settings.videoSource = source;
    m_graph.SelectSource(source);
    return old;
}

int CTVSystem::NextVideoSource()
{
    int sources = m_hasFM ? 4 : 3;
    return SetVideoSource((m_settings.videoSource + 1) % sources);
}

int CTVSystem::SetPictureProperty(int property, int value)
{
    int old = m_settings.picture[property];
    const PropertyRange& range = m_pictureRanges[property];
    if (value >= range.minimum && value <= range.maximum) {
        m_settings.picture[property] = value;
        m_graph.SetPictureValue(property, value);
    }
    return old;
}

int CTVSystem::SetOverlayProperty(int property, int value)
{
    int old = m_settings.overlay[property];
    const PropertyRange& range = GetOverlayRange(property);
    if (value >= range.minimum && value <= range.maximum) {
        m_settings.overlay[property] = value;
        m_graph.SetOverlayValue(property, value);
    }
    return old;
}

void CTVSystem::ResetVideoColors()
{
    const int defaults[CTVSettings::kPictureProperties] = {5020, 2235, 5020, 4980, 1};
    for (int i = 0; i < CTVSettings::kPictureProperties; ++i)
        m_settings.picture[i] = defaults[i];
    ApplyColorSettings();
}

void CTVSystem::ResetOverlayColors()
{
    for (int i = 0; i < CTVSettings::kPictureProperties; ++i)
        m_settings.overlay[i] = GetOverlayRange(i).standard;
    ApplyColorSettings();
}

void CTVSystem::ApplyColorSettings()
{
    for (int i = 0; i < CTVSettings::kPictureProperties; ++i) {
        m_graph.SetPictureValue(i, m_settings.picture[i]);
        m_graph.SetOverlayValue(i, m_settings.overlay[i]);
    }
}

int CTVSystem::SetReduceValue(int value)
{
    int old = m_settings.reduceValue;
    if (value >= 0 && value <= 10) {
        m_graph.SetReduceValue(value);
        m_settings.reduceValue = value;
    }
    return old;
}

BOOL CTVSystem::SetNoiseReduce(BOOL on)
{
    BOOL old = m_settings.noiseReduce;
    if (!on != !old) {
        m_graph.SetNoiseReduce(on);
        m_settings.noiseReduce = on;
    }
    return old;
}

BOOL CTVSystem::SetHalfRate(BOOL on)
{
    BOOL old = m_settings.halfRate;
    if (!on != !old) {
        m_graph.SetHalfRate(on);
        m_settings.halfRate = on;
    }
    return old;
}

BOOL CTVSystem::SetHightQuality(BOOL on)
{
    BOOL old = m_settings.hightQuality;
    m_settings.hightQuality = on;
    m_graph.SetHighQuality(on);
    return old;
}

int CTVSystem::SetDisplayQuality(int quality)
{
    int old = m_settings.displayQuality;
    if (quality >= 0 && quality <= 2 && m_graph.SetDisplayQuality(quality))
        m_settings.displayQuality = quality;
    return old;
}

int CTVSystem::SetRecordScheme(int scheme)
{
    int old = m_settings.recordScheme;
    m_settings.recordScheme = scheme;
    m_graph.SetRecordScheme(scheme);
    return old;
}

int CTVSystem::SetRecordFormat(int format)
{
    int old = m_settings.recordFormat;
    if (m_graph.SetRecordFormat(format))
        m_settings.recordFormat = format;
    return old;
}

int CTVSystem::SetFMRecordFormat(int format)
{
    int old = m_settings.fmRecordFormat;
    if (format >= 0 && format <= 3 && m_graph.SetFMRecordFormat(format))
        m_settings.fmRecordFormat = format;
    return old;
}

BOOL CTVSystem::SetVideoSize(int index)
{
    if (index == m_settings.videoSize || GetCaptureSizeRow(index, TRUE).cx == 0)
        return FALSE;
    m_settings.videoSize = index;
    return TRUE;
}

BOOL CTVSystem::SetCaptureSize(int index)
{
    SIZE size = GetCaptureSizeRow(index, m_graph.Is50HzStandard());
    if (size.cx == 0)
        return FALSE;
    m_settings.videoSize = index;
    return m_graph.SetCaptureSize(size);
}

BOOL CTVSystem::SetMpeg4Video(const char* name)
{
    if (m_settings.mpeg4Video == name)
        return FALSE;
    m_settings.mpeg4Video = name;
    return m_graph.SetMpeg4Codec(name);
}

BOOL CTVSystem::SetMpeg4Audio(const char* name)
{
    if (m_settings.mpeg4Audio == name)
        return FALSE;
    m_settings.mpeg4Audio = name;
    return m_graph.SetMpeg4Audio(name);
}

BOOL CTVSystem::SetAudioDevice(const char* name)
{
    if (!m_graph.SetAudioDevice(name))
        return FALSE;
    m_settings.audioDevice = name;
    return TRUE;
}

void CTVSystem::SetAudioPlayDev(const char* name)
{
    m_settings.audioPlayDev = name;
    m_graph.SetPlayDevice(name);
    m_graph.SetPlayLine(m_settings.audioPlayInput);
    m_graph.ReadMixerLines();
}

void CTVSystem::SetAudioPlayInput(const char* name)
{
    m_settings.audioPlayInput = name;
    m_graph.SetPlayLine(name);
}

const CStringArray& CTVSystem::GetAudioInputList()
{
    m_audioInputs.Copy(m_graph.GetInputLineNames());
    CAudioCaptureDevice* device = m_graph.GetAudioCaptureDevice();
    if (m_audioInputs.GetSize() > 0 || device == NULL)
        return m_audioInputs;
    for (CFilterPin* pin = device->GetFirstPin(); pin != NULL; pin = pin->GetNext()) {
        PIN_DIRECTION direction;
        if (pin->QueryDirection(&direction) && direction == PINDIR_INPUT)
            m_audioInputs.Add(pin->GetName());
    }
    return m_audioInputs;
}

BOOL CTVSystem::IsInputLine(const char* name)
{
    const CStringArray& lines = GetAudioInputList();
    for (int i = 0; i < lines.GetSize(); ++i)
        if (lines[i] == name)
            return TRUE;
    return FALSE;
}

BOOL CTVSystem::SetAudioInput(const char* name)
{
    if (!IsInputLine(name))
        return FALSE;
    m_settings.audioInput = name;
    return m_graph.SetAudioInput(name);
}

BOOL CTVSystem::ApplyAudioInput()
{
    if (!IsInputLine(m_settings.audioInput))
        return FALSE;
    return m_graph.SetAudioInput(m_settings.audioInput);
}

// Rounded both ways, so a value read back and written again stays where it was.
BOOL CTVSystem::SetPlayLineVolume(int percent)
{
    if (percent < 0 || percent > 100)
        return FALSE;
    return m_graph.SetPlayLineVolume((DWORD)((percent * kMixerFullScale + 50) / 100));
}

BOOL CTVSystem::GetPlayLineVolume(int* percent)
{
    DWORD value = 0;
    if (percent == NULL || !m_graph.GetPlayLineVolume(&value))
        return FALSE;
    *percent = (int)((value * 100 + kMixerFullScale / 2) / kMixerFullScale);
    return TRUE;
}

BOOL CTVSystem::IsPlayLineMuted()
{
    BOOL muted = FALSE;
    return m_graph.IsPlayLineMuted(&muted) && muted;
}

BOOL CTVSystem::SetTVInput(int input)
{
    if (input < kTVInputCable || input > kTVInputFullRange)
        return FALSE;
    m_graph.SetTunerInput(input);
    return TRUE;
}
