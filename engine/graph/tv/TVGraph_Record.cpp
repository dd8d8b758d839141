#include "TVGraph.h"

#include "AcmWrapperFilter.h"
#include "AudioCaptureDevice.h"
#include "AvSwitchFilter.h"
#include "CaptureDevice.h"
#include "CodecClassIds.h"
#include "CrossbarWrapper.h"
#include "DeinterlaceFilter.h"
#include "DumpFilter.h"
#include "FileWriteFilter.h"
#include "MpegEncoderFilter.h"
#include "MsMuxFilter.h"
#include "OverlayMixerFilter.h"

#include <uuids.h>

BOOL CTVGraph::SetRecordFormat(int format)
{
    if (format > 8)
        return FALSE;
    m_recordFormat = format;
    return TRUE;
}

BOOL CTVGraph::SetDisplayQuality(int mode)
{
    if (mode < 0 || mode > 2)
        return FALSE;
    m_deinterlaceMode = mode;
    return TRUE;
}

BOOL CTVGraph::StartRecord()
{
    if (!m_audioCapture)
        return FALSE;
    if (m_videoSource == kFm)
        return StartFMRecord();
    if (m_recording)
        return StopRecord();
    m_builder.StopAndDisconnectAll();
    return RunRecordRoad(m_recordRoad.Build(m_recordFormat), TRUE);
}

// A record road that cannot be built, or whose graph will not run, is never left behind:
// the graph goes back to the preview and the caller hears of the failure.
BOOL CTVGraph::RunRecordRoad(BOOL built, BOOL tv)
{
    if (built && StartRecordBranch())
        return TRUE;
    if (built)
        StopEachFilter();
    StopRecord();
    if (tv)
        RebuildPreview();
    return FALSE;
}

BOOL CTVGraph::StartRecordBranch()
{
    ApplyOverlayValues();
    m_recording = TRUE;
    m_builder.DisconnectWrapper(m_preview.Crossbar());
    return m_builder.Run();
}

// A graph manager that could not run every filter may count itself stopped while some of
// them are paused, and then neither stops nor disconnects them: each is stopped by itself.
void CTVGraph::StopEachFilter()
{
    for (CFilterWrapper* wrapper = m_builder.GetFirstWrapper(); wrapper; wrapper = wrapper->GetNext()) {
        if (wrapper->GetFilter())
            wrapper->GetFilter()->Stop();
    }
}

BOOL CTVGraph::StopRecord()
{
    m_recording = FALSE;
    m_builder.StopAndDisconnectAll();
    if (m_videoSource == kFm) {
        m_fmRecordRoad.Release();
        SetVideoSource(kFm, TRUE);
        return TRUE;
    }
    m_builder.TearDown();
    ClearWrapperPointers();
    if (!m_builder.MakeGraph())
        return FALSE;
    OpenAudioDevice();
    BOOL result = RebuildPreview();
    // The new capture filter's tuner starts untuned.
    Host().RetuneCurrentChannel();
    return result;
}

BOOL CTVGraph::ConnectFilterPair(CFilterWrapper* source, CFilterWrapper* destination, const char* outputName,
                                 const char* inputName)
{
    return source && destination && m_builder.ConnectFilters(source, destination, outputName, inputName);
}

CFilterWrapper* CTVGraph::AddAudioCompressor(const char* name)
{
    return m_builder.AddFilterByName(CLSID_AudioCompressorCategory, name, name, 0, 0);
}

// The capture size, the deinterlace settings and the sound rate of an MPEG encoding.
BOOL CTVGraph::ConfigureMpegCapture(SIZE size, BOOL smallFrame, DWORD samplesPerSec)
{
    return SetRecordCaptureSize(size.cx, size.cy) && m_preview.Deinterlace() && m_preview.Deinterlace()->SetSmallFrame(smallFrame) &&
           ApplyDeinterlaceMode() && SetMpegAudioFormat(samplesPerSec);
}

BOOL CTVGraph::SetRecordCaptureSize(LONG width, LONG height)
{
    CaptureFormat format;
    if (!m_preview.CaptureDevice() || FAILED(m_preview.CaptureDevice()->GetCaptureFormat(&format, 1)))
        return FALSE;
    format.header.bmiHeader.biWidth = width;
    format.header.bmiHeader.biHeight = height;
    return m_preview.CaptureDevice()->SetCaptureFormat(format, 1) == S_OK;
}

BOOL CTVGraph::SetMpegAudioFormat(DWORD samplesPerSec)
{
    WAVEFORMATEX wave;
    if (!m_audioCapture || !m_audioCapture->GetAudioFormat(&wave))
        return FALSE;
    wave.nSamplesPerSec = samplesPerSec;
    wave.nAvgBytesPerSec = wave.nBlockAlign * wave.nSamplesPerSec;
    return m_audioCapture->SetAudioFormat(&wave);
}

BOOL CTVGraph::ApplyDeinterlaceMode()
{
    if (!m_preview.Deinterlace())
        return FALSE;
    BOOL result = m_preview.Deinterlace()->SetHighQuality(m_deinterlaceMode != 0);
    result = m_preview.Deinterlace()->SetHalfRate(TRUE) && result;
    result = m_preview.Deinterlace()->SetNoiseReduce(m_deinterlaceMode == 2) && result;
    if (m_deinterlaceMode == 2)
        result = m_preview.Deinterlace()->SetReduceValue(m_reduceValue) && result;
    return result;
}
