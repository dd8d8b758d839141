#include "MpegEncoderFilter.h"

#include "FileSinkName.h"

#include <string.h>

namespace
{
// Video record fields the engine writes over the encoder's defaults.
const int kConstrainedField = 48;
const int kBitRateField = 64;
const int kMaxBitRateField = 72;
const int kWidthField = 408;
const int kHeightField = 412;
const int kBitsByte = 812;
const int kBitRateCopyField = 821; // unaligned
// Audio record fields.
const int kAudioCrcField = 0;
const int kAudioChannelsField = 4;
const int kAudioRateIndexField = 12;
const int kStreamTypeVcd = 1;

void Put32(BYTE* record, int offset, int value)
{
    memcpy(record + offset, &value, sizeof(value));
}

void PutDouble(BYTE* record, int offset, double value)
{
    memcpy(record + offset, &value, sizeof(value));
}

}

CMpegEncoderFilter::CMpegEncoderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegEncoderFilter::CMpegEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                       int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegEncoderFilter::~CMpegEncoderFilter()
{
    ReleaseInterfaces();
}

void CMpegEncoderFilter::ReleaseInterfaces()
{
    m_audioSettings.Reset();
    m_audioParams.Reset();
    m_muxSettings.Reset();
    m_fileSink.Reset();
    m_videoSettings.Reset();
    m_videoParams.Reset();
}

// The encoder's pins change as they connect, so they are read again after each connection.
// All six interfaces are asked for, even after one is missing.
BOOL CMpegEncoderFilter::Init()
{
    SetDynamicPins(TRUE);
    ReleaseInterfaces();
    if (!CFilterWrapper::Init())
        return FALSE;
    IBaseFilter* filter = GetFilter();
    BOOL ok = TRUE;
    ok &= SUCCEEDED(Check("QueryInterface IMpegAudioEncoder",
                          filter->QueryInterface(IID_IMpegAudioEncoder, m_audioSettings.ReceiveVoid())));
    ok &= SUCCEEDED(Check("QueryInterface IMpegAudioParams",
                          filter->QueryInterface(IID_IMpegAudioParams, m_audioParams.ReceiveVoid())));
    ok &= m_muxSettings.Attach(filter);
    ok &= SUCCEEDED(Check("QueryInterface IFileSinkFilter",
                          filter->QueryInterface(IID_IFileSinkFilter, m_fileSink.ReceiveVoid())));
    ok &= SUCCEEDED(Check("QueryInterface IMpegVideoEncoder",
                          filter->QueryInterface(IID_IMpegVideoEncoder, m_videoSettings.ReceiveVoid())));
    ok &= SUCCEEDED(Check("QueryInterface IMpegVideoParams",
                          filter->QueryInterface(IID_IMpegVideoParams, m_videoParams.ReceiveVoid())));
    return ok;
}

BOOL CMpegEncoderFilter::GetVideoSettings(BYTE* record)
{
    return m_videoSettings && SUCCEEDED(Check("GetSettings", m_videoSettings->GetSettings(record)));
}

BOOL CMpegEncoderFilter::SetVideoSettings(const BYTE* record)
{
    return m_videoSettings && SUCCEEDED(Check("SetSettings", m_videoSettings->SetSettings(record)));
}

BOOL CMpegEncoderFilter::GetVideoPresetDefaults(int type, BOOL frames25, BYTE* record)
{
    return m_videoSettings && SUCCEEDED(Check("GetPresetDefaults",
                                              m_videoSettings->GetPresetDefaults(type, frames25, record)));
}

void CMpegEncoderFilter::WriteVideoBits(BYTE* record, int value)
{
    record[kBitsByte] = (BYTE)((record[kBitsByte] & 0xE1) | (value << 1));
}

BOOL CMpegEncoderFilter::SetVideoRecordBits(int value)
{
    BYTE record[kVideoRecordSize] = {};
    if (!GetVideoSettings(record))
        return FALSE;
    WriteVideoBits(record, value);
    return SetVideoSettings(record);
}

BOOL CMpegEncoderFilter::GetAudioSettings(BYTE* record)
{
    return m_audioSettings && SUCCEEDED(Check("GetSettings", m_audioSettings->GetSettings(record)));
}

BOOL CMpegEncoderFilter::SetAudioSettings(const BYTE* record)
{
    return m_audioSettings && SUCCEEDED(Check("SetSettings", m_audioSettings->SetSettings(record)));
}

BOOL CMpegEncoderFilter::GetAudioPresetDefaults(int type, BYTE* record)
{
    return m_audioSettings && SUCCEEDED(Check("GetPresetDefaults", m_audioSettings->GetPresetDefaults(type, record)));
}

BOOL CMpegEncoderFilter::GetMuxType(int* type)
{
    return m_muxSettings.GetMuxType(type);
}

BOOL CMpegEncoderFilter::SetMuxType(int type)
{
    return m_muxSettings.SetMuxType(type);
}

BOOL CMpegEncoderFilter::GetMuxSettings(BYTE* record)
{
    return m_muxSettings.GetSettings(record);
}

BOOL CMpegEncoderFilter::SetMuxSettings(const BYTE* record)
{
    return m_muxSettings.SetSettings(record);
}

BOOL CMpegEncoderFilter::GetMuxPresetDefaults(int type, BYTE* record)
{
    return m_muxSettings.GetPresetDefaults(type, record);
}

BOOL CMpegEncoderFilter::LoadMuxPreset(int type)
{
    return m_muxSettings.LoadPreset(type);
}

BOOL CMpegEncoderFilter::ApplyPreset(const MpegEncoderPreset* preset)
{
    if (preset == NULL || !m_videoSettings)
        return FALSE;
    BYTE video[kVideoRecordSize];
    memset(video, 0, sizeof(video));
    if (!GetVideoPresetDefaults(preset->streamType, preset->frames25 != 0, video))
        return FALSE;
    if (preset->streamType == kStreamTypeVcd)
        Put32(video, kConstrainedField, 1);
    Put32(video, kWidthField, preset->width);
    Put32(video, kHeightField, preset->height);
    PutDouble(video, kBitRateField, preset->bitRate);
    PutDouble(video, kBitRateCopyField, preset->bitRate);
    PutDouble(video, kMaxBitRateField, preset->maxBitRate);
    WriteVideoBits(video, preset->videoBits);
    if (!SetVideoSettings(video))
        return FALSE;
    if (!SetVideoParam97(0) || !SetVideoParam96(1) || !SetAudioParam96(1))
        return FALSE;

    BYTE audio[kAudioRecordSize];
    memset(audio, 0, sizeof(audio));
    if (!GetAudioPresetDefaults(preset->streamType, audio))
        return FALSE;
    Put32(audio, kAudioRateIndexField, preset->audioRateIndex);
    Put32(audio, kAudioChannelsField, 2);
    Put32(audio, kAudioCrcField, 0);
    if (!SetAudioSettings(audio))
        return FALSE;
    return LoadMuxPreset(preset->streamType);
}

BOOL CMpegEncoderFilter::SetVideoParam96(int value)
{
    return m_videoParams && SUCCEEDED(Check("SetParam", m_videoParams->SetParam(96, value)));
}

BOOL CMpegEncoderFilter::SetVideoParam97(int value)
{
    return m_videoParams && SUCCEEDED(Check("SetParam", m_videoParams->SetParam(97, value)));
}

BOOL CMpegEncoderFilter::GetVideoParam96(int* value)
{
    return m_videoParams && SUCCEEDED(Check("GetParam", m_videoParams->GetParam(96, value)));
}

BOOL CMpegEncoderFilter::GetVideoParam97(int* value)
{
    return m_videoParams && SUCCEEDED(Check("GetParam", m_videoParams->GetParam(97, value)));
}

BOOL CMpegEncoderFilter::SetAudioParam96(int value)
{
    return m_audioParams && SUCCEEDED(Check("SetParam", m_audioParams->SetParam(96, value)));
}

BOOL CMpegEncoderFilter::GetAudioParam96(int* value)
{
    return m_audioParams && SUCCEEDED(Check("GetParam", m_audioParams->GetParam(96, value)));
}

BOOL CMpegEncoderFilter::SetAudioParam1(int value)
{
    return m_audioParams && SUCCEEDED(Check("SetParam", m_audioParams->SetParam(1, value)));
}

BOOL CMpegEncoderFilter::SetFileName(const char* name)
{
    return CFileSinkName::Set(m_fileSink.Get(), name);
}

BOOL CMpegEncoderFilter::GetFileName(char* buffer, int size)
{
    return CFileSinkName::Get(m_fileSink.Get(), buffer, size);
}
