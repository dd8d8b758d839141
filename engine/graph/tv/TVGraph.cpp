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

const char kCaptureName[] = "Conexant 2388x_1 Video Capture";
const char kCrossbarName[] = "Conexant 2388x_1 Crossbar";
const char kDeviceFailText[] = "设备操作失败，请重新安装驱动";

const CLSID kVideoRendererClsid = {0x70E102B0, 0x5556, 0x11CE, {0x97, 0xC0, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}};
const CLSID kAviDecompressorClsid = {0xCF49D4E0, 0x1115, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

// The card's proc-amp property the driver wants set once its crossbar exists.
const long kCrossbarReadyProperty = 6;

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
    m_captureDevice = NULL;
    m_deinterlace = NULL;
    m_overlayMixer = NULL;
    m_crossbar = NULL;
    m_renderer = NULL;
    m_decompressor = NULL;
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
    if (!MakePreviewFilters(TRUE))
        return FALSE;
    ReadMixerLines();
    CFilterPin* preview = m_captureDevice->FindPin("Preview");
    CFilterPin* input = m_deinterlace->FindFreePin(PINDIR_INPUT, TRUE);
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

BOOL CTVGraph::MakePreviewFilters(BOOL withDecompressor)
{
    if (!m_captureDevice) {
        m_captureDevice = dynamic_cast<CCaptureDevice*>(
            m_builder.AddFilterByName(CLSID_VideoInputDeviceCategory, kCaptureName, kCaptureName, 0, 0));
        if (!m_captureDevice) {
            AfxMessageBox(kDeviceFailText);
            return FALSE;
        }
    }
    if (!m_crossbar) {
        m_crossbar = dynamic_cast<CCrossbarWrapper*>(
            m_builder.AddFilterByName(AM_KSCATEGORY_CROSSBAR, kCrossbarName, kCrossbarName, 0, 0));
        if (!m_crossbar) {
            AfxMessageBox(kDeviceFailText);
            return FALSE;
        }
        m_captureDevice->SetVideoProcAmp(kCrossbarReadyProperty, 1);
        SetVideoStandard(GetVideoStandard());
    }
    if (!m_renderer) {
        m_renderer = m_builder.AddFilter(kVideoRendererClsid, "Render");
        if (!m_renderer)
            return FALSE;
    }
    if (!MakeDeinterlace())
        return FALSE;
    MakeOverlayMixer();
    if (withDecompressor && !m_decompressor) {
        m_decompressor = m_builder.AddFilter(kAviDecompressorClsid, "AVI Decompressor");
        if (!m_decompressor)
            return FALSE;
    }
    return TRUE;
}

BOOL CTVGraph::MakeDeinterlace()
{
    if (m_deinterlace)
        return TRUE;
    m_deinterlace =
        dynamic_cast<CDeinterlaceFilter*>(m_builder.AddFilter(CLSID_QuorvexDeinterlace, "Quorvex Deinterlace"));
    if (!m_deinterlace) {
        RegisterFilterModules();
        m_deinterlace =
            dynamic_cast<CDeinterlaceFilter*>(m_builder.AddFilter(CLSID_QuorvexDeinterlace, "Quorvex Deinterlace"));
    }
    if (!m_deinterlace) {
        AfxMessageBox("Create Deinterlace fail!");
        return FALSE;
    }
    return TRUE;
}

void CTVGraph::RemovePreviewRenderer()
{
    if (m_renderer)
        m_builder.RemoveWrapper(m_renderer);
    m_renderer = NULL;
}

BOOL CTVGraph::MakeOverlayMixer()
{
    if (!m_overlayMixer) {
        m_overlayMixer =
            dynamic_cast<COverlayMixerFilter*>(m_builder.AddFilter(CLSID_OverlayMixerFilter, "Overlay Mixer"));
        if (!m_overlayMixer) {
            m_useOverlay = FALSE;
            return FALSE;
        }
    }
    m_overlayMixer->SetLetterbox(FALSE);
    return TRUE;
}

BOOL CTVGraph::RebuildPreview()
{
    if (m_builder.GetState() != CGraphBuilder::kStopped)
        m_builder.StopAndDisconnectAll();
    if (!MakePreviewFilters(TRUE))
        return FALSE;
    ApplyPreviewSettings();
    if (!ConnectPreview())
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
    m_builder.DisconnectWrapper(m_crossbar);
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
    if (!m_captureDevice || FAILED(m_captureDevice->GetCaptureFormat(&format, 1)))
        return FALSE;
    format.header.bmiHeader.biWidth = m_captureSize.cx;
    format.header.bmiHeader.biHeight = m_captureSize.cy;
    return SUCCEEDED(m_captureDevice->SetCaptureFormat(format, 1));
}

void CTVGraph::ApplyDeinterlaceSettings()
{
    if (!m_deinterlace)
        return;
    m_deinterlace->SetHighQuality(m_highQuality);
    m_deinterlace->SetSmallFrame(m_smallFrame);
    m_deinterlace->SetHalfRate(m_halfRate);
    m_deinterlace->SetNoiseReduce(m_noiseReduce);
    if (m_noiseReduce)
        m_deinterlace->SetReduceValue(m_reduceValue);
}

void CTVGraph::ApplyPictureValues()
{
    for (int i = 0; m_captureDevice && i < 5; ++i)
        m_captureDevice->SetVideoProcAmp(i, m_pictureValues[i]);
}

void CTVGraph::ApplyOverlayValues()
{
    for (int i = 0; m_overlayMixer && i < 5; ++i)
        m_overlayMixer->SetColorControl(i, m_overlayValues[i]);
}

BOOL CTVGraph::ConnectPreview()
{
    if (m_builder.GetState() != CGraphBuilder::kStopped)
        m_builder.StopAndDisconnectAll();
    if (!m_captureDevice || !m_deinterlace || !m_renderer)
        return FALSE;
    CFilterPin* preview = m_captureDevice->FindPin("Preview");
    CFilterPin* input = m_deinterlace->FindFreePin(PINDIR_INPUT, TRUE);
    if (preview && input && m_builder.Connect(preview, input)) {
        m_builder.DisconnectPin(preview);
        m_builder.DisconnectPin(input);
    }
    if (!m_builder.ConnectFilters(m_captureDevice, m_deinterlace, "Capture", NULL))
        return FALSE;
    CFilterWrapper* toRenderer = NULL;
    if (m_useOverlay && m_overlayMixer && m_builder.ConnectFilters(m_deinterlace, m_overlayMixer, "Preview", NULL))
        toRenderer = m_overlayMixer;
    if (!toRenderer) {
        m_useOverlay = FALSE;
        if (!m_decompressor || !m_builder.ConnectFilters(m_deinterlace, m_decompressor, "Preview", NULL))
            return FALSE;
        toRenderer = m_decompressor;
    }
    if (!m_builder.ConnectFilters(toRenderer, m_renderer, NULL, NULL))
        return FALSE;
    AttachVideoWindow();
    return TRUE;
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
    if (m_captureDevice) {
        m_captureDevice->StopRemotePoll();
        SetDeviceAudio(FALSE);
    }
    m_builder.TearDown();
    ClearWrapperPointers();
    ClearMpeg4CodecState();
    m_deviceList.Close();
}
