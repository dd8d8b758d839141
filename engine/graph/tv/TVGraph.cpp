#include "TVGraph.h"

#include "CaptureDevice.h"
#include "CodecClassIds.h"
#include "CrossbarWrapper.h"
#include "CWinApp.h"
#include "DeinterlaceFilter.h"
#include "FilterPin.h"
#include "OverlayMixerFilter.h"

#include <ks.h>
#include <ksmedia.h>

namespace
{

// The host of a graph that no TV system owns: nothing to retune, mute or show, no settings
// file, no record size.
class CNoTVSystemHost : public ITVGraphHost
{
public:
    virtual BOOL RetuneCurrentChannel() { return FALSE; }
    virtual void SetDeviceMute(BOOL) {}
    virtual CIniFile* GetParamFile() { return NULL; }
    virtual SIZE GetMpeg4RecordSize() const { return SIZE(); }
    virtual BOOL GetOverlayDesktop() const { return FALSE; }
    virtual void EnableAccelerators(BOOL) {}
    virtual BOOL EnsureRemoteServiceRunning() { return FALSE; }
};

ITVGraphHost* g_defaultHost = NULL;

} // namespace

void CTVGraph::SetDefaultHost(ITVGraphHost* host)
{
    g_defaultHost = host;
}

ITVGraphHost& CTVGraph::Host() const
{
    static CNoTVSystemHost none;
    if (m_host)
        return *m_host;
    return g_defaultHost ? *g_defaultHost : none;
}

CTVGraph::CTVGraph()
    : m_host(NULL), m_useOverlay(TRUE), m_ownerWnd(NULL), m_tunerInput(0), m_videoSource(kTuner), m_highQuality(FALSE),
      m_smallFrame(TRUE), m_halfRate(TRUE), m_noiseReduce(TRUE), m_reduceValue(6), m_is25Frames(TRUE),
      m_remoteServiceRunning(FALSE)
{
    ClearWrapperPointers();
    m_captureSize.cx = 640;
    m_captureSize.cy = 480;
    static const long pictureDefaults[5] = {5020, 2235, 5020, 4980, 1};
    static const long overlayDefaults[5] = {750, 10000, 0, 10000, 5};
    for (int i = 0; i < 5; ++i) {
        m_pictureValues[i] = pictureDefaults[i];
        m_overlayValues[i] = overlayDefaults[i];
    }
    m_standards[kTuner] = kPalD;
    m_standards[kComposite] = kNtscM;
    m_standards[kSVideo] = kNtscM;
    SetDefaultInputLines();
}

CTVGraph::~CTVGraph()
{
}

void CTVGraph::ClearWrapperPointers()
{
    m_preview.Clear();
    m_audioCapture = NULL;
    m_recordRoad.Clear();
    m_fmRecordRoad.Clear();
    m_timeShiftRoad.Clear();
}

BOOL CTVGraph::BuildPreview()
{
    FillCompressorLists();
    m_audioDeviceNames.RemoveAll();
    EnumDeviceNames(CGraphBuilder::kAudioCapture, m_audioDeviceNames);
    OpenAudioDevice();
    if (!m_preview.Make(TRUE))
        return FALSE;
    ReadMixerLines();
    CFilterPin* preview = m_preview.CaptureDevice()->FindPin("Preview");
    CFilterPin* input = m_preview.Deinterlace()->FindFreePin(PINDIR_INPUT, TRUE);
    if (!preview || !input || !m_builder.Connect(preview, input))
        return FALSE;
    m_builder.DisconnectPin(preview);
    m_builder.DisconnectPin(input);
    SetVideoSource(m_videoSource, TRUE);
    m_remoteServiceRunning = Host().EnsureRemoteServiceRunning();
    return TRUE;
}

void CTVGraph::EnumDeviceNames(int kind, CStringArray& names)
{
    int count = 0;
    const CGraphBuilder::DeviceName* found = m_builder.EnumDeviceNames(kind, &count);
    for (int i = 0; found && i < count; ++i)
        names.Add(found[i]);
}

void CTVGraph::FillCompressorLists()
{
    CStringArray video, audio;
    EnumDeviceNames(CGraphBuilder::kVideoCompressor, video);
    m_mpeg4CodecNames.RemoveAll();
    for (int i = 0; i < video.GetSize(); ++i) {
        if (video[i].Find("MPEG-4") >= 0)
            m_mpeg4CodecNames.Add(video[i]);
    }
    EnumDeviceNames(CGraphBuilder::kAudioCompressor, audio);
    m_mpeg4AudioNames.RemoveAll();
    CString adpcm;
    for (int i = 0; i < audio.GetSize(); ++i) {
        if (audio[i].Find("InterVideo") >= 0)
            continue;
        if (audio[i].Find("Microsoft ADPCM") >= 0)
            adpcm = audio[i];
        else
            m_mpeg4AudioNames.Add(audio[i]);
    }
    if (!adpcm.IsEmpty())
        m_mpeg4AudioNames.InsertAt(0, adpcm);
}

BOOL CTVGraph::RebuildPreview()
{
    if (m_builder.GetState() != CGraphBuilder::kStopped)
        m_builder.StopAndDisconnectAll();
    if (!m_preview.Make(TRUE))
        return FALSE;
    ApplyPreviewSettings();
    if (!m_preview.Connect())
        return FALSE;
    ApplyDesktopOverlaySetting();
    return RunCaptureGraph();
}

// The last steps of every road that runs the card's picture: the card's own sound, the remote
// keys, the picture and overlay values, the crossbar's pins freed, and Run.
BOOL CTVGraph::RunCaptureGraph()
{
    SetDeviceAudio(TRUE);
    StartRemotePoll();
    ApplyPictureValues();
    ApplyOverlayValues();
    m_builder.DisconnectWrapper(m_preview.Crossbar());
    return m_builder.Run();
}

BOOL CTVGraph::ApplyPreviewSettings()
{
    BOOL result = SetVideoSource(m_videoSource, TRUE);
    result = SetVideoStandard(GetVideoStandard()) && result;
    AdjustCaptureSize();
    result = ApplyCaptureFormat() && result;
    ApplyPictureValues();
    ApplyDeinterlaceSettings();
    return result;
}

BOOL CTVGraph::ApplyCaptureFormat()
{
    CaptureFormat format;
    if (!m_preview.CaptureDevice() || FAILED(m_preview.CaptureDevice()->GetCaptureFormat(&format, 1)))
        return FALSE;
    format.header.bmiHeader.biWidth = m_captureSize.cx;
    format.header.bmiHeader.biHeight = m_captureSize.cy;
    return SUCCEEDED(m_preview.CaptureDevice()->SetCaptureFormat(format, 1));
}

void CTVGraph::ApplyDeinterlaceSettings()
{
    if (!m_preview.Deinterlace())
        return;
    m_preview.Deinterlace()->SetHighQuality(m_highQuality);
    m_preview.Deinterlace()->SetSmallFrame(m_smallFrame);
    m_preview.Deinterlace()->SetHalfRate(m_halfRate);
    m_preview.Deinterlace()->SetNoiseReduce(m_noiseReduce);
    if (m_noiseReduce)
        m_preview.Deinterlace()->SetReduceValue(m_reduceValue);
}

void CTVGraph::ApplyPictureValues()
{
    for (int i = 0; m_preview.CaptureDevice() && i < 5; ++i)
        m_preview.CaptureDevice()->SetVideoProcAmp(i, m_pictureValues[i]);
}

void CTVGraph::ApplyOverlayValues()
{
    for (int i = 0; m_preview.OverlayMixer() && i < 5; ++i)
        m_preview.OverlayMixer()->SetColorControl(i, m_overlayValues[i]);
}

void CTVGraph::AttachVideoWindow()
{
    if (!m_ownerWnd)
        return;
    m_builder.SetVideoOwner(m_ownerWnd);
    m_builder.SetMessageDrain(m_ownerWnd);
    m_builder.SetVideoWindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    RECT client;
    GetClientRect(m_ownerWnd, &client);
    m_builder.SetVideoPosition(client.left, client.top, client.right, client.bottom);
}

void CTVGraph::CloseTV()
{
    Host().SetDeviceMute(TRUE);
    if (m_preview.CaptureDevice()) {
        m_preview.CaptureDevice()->StopRemotePoll();
        SetDeviceAudio(FALSE);
    }
    m_builder.TearDown();
    ClearWrapperPointers();
    ClearMpeg4CodecState();
    m_deviceList.Close();
}
