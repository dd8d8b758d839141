#pragma once

#include "FilterWrapper.h"
#include "MpegEncoderInterfaces.h"
#include "MpegEncoderPreset.h"
#include "MuxSettingsRef.h"

// The codec vendor's MPEG encoder: video encoder, audio encoder and multiplexer in one filter,
// set through three records and two parameter tables. Every operation answers TRUE only when
// its interface is there and the call succeeds.
class CMpegEncoderFilter : public CFilterWrapper
{
public:
    enum { kVideoRecordSize = 877, kAudioRecordSize = 36, kMuxRecordSize = 108 };

    CMpegEncoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpegEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CMpegEncoderFilter() override;

    BOOL Init() override;

    BOOL GetVideoSettings(BYTE* record);
    BOOL SetVideoSettings(const BYTE* record);
    BOOL GetVideoPresetDefaults(int type, BOOL frames25, BYTE* record);
    // Reads the video record, puts value into bits 1-4 of byte 812 as ApplyPreset does and
    // writes the record back.
    BOOL SetVideoRecordBits(int value);
    BOOL GetAudioSettings(BYTE* record);
    BOOL SetAudioSettings(const BYTE* record);
    BOOL GetAudioPresetDefaults(int type, BYTE* record);
    BOOL GetMuxType(int* type);
    BOOL SetMuxType(int type);
    BOOL GetMuxSettings(BYTE* record);
    BOOL SetMuxSettings(const BYTE* record);
    BOOL GetMuxPresetDefaults(int type, BYTE* record);
    BOOL LoadMuxPreset(int type);

    // Video record, parameters and audio record from the preset, then the multiplexer preset;
    // stops at the first step that fails (nothing is rolled back).
    BOOL ApplyPreset(const MpegEncoderPreset* preset);

    BOOL SetVideoParam96(int value);
    BOOL SetVideoParam97(int value);
    BOOL GetVideoParam96(int* value);
    BOOL GetVideoParam97(int* value);
    BOOL SetAudioParam96(int value);
    BOOL GetAudioParam96(int* value);
    BOOL SetAudioParam1(int value);

    BOOL SetFileName(const char* name);
    // The current file name in the ANSI code page; FALSE when it does not fit size bytes.
    BOOL GetFileName(char* buffer, int size);

private:
    void ReleaseInterfaces();
    static void WriteVideoBits(BYTE* record, int value);

    CComRef<IMpegAudioEncoder> m_audioSettings;
    CComRef<IMpegParams> m_audioParams;
    CMuxSettingsRef m_muxSettings;
    CComRef<IFileSinkFilter> m_fileSink;
    CComRef<IMpegVideoEncoder> m_videoSettings;
    CComRef<IMpegParams> m_videoParams;
};
