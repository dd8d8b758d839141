#include "TVPreviewRoad.h"

// The graph first: the framework's strings must precede the system's safe-string header.
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
#include <shellapi.h>

namespace
{

const char kCaptureName[] = "Conexant 2388x_1 Video Capture";
const char kCrossbarName[] = "Conexant 2388x_1 Crossbar";
const char kDeviceFailText[] = "设备操作失败，请重新安装驱动";

const CLSID kVideoRendererClsid = {0x70E102B0, 0x5556, 0x11CE, {0x97, 0xC0, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}};
const CLSID kAviDecompressorClsid = {0xCF49D4E0, 0x1115, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

// The card's proc-amp property the driver wants set once its crossbar exists.
const long kCrossbarReadyProperty = 6;

// Regsvr32 of a filter module that hangs must not hang the program with it.
const DWORD kRegisterWaitMs = 30000;

// Registers one module of the folder silently; the path is quoted, as a program folder may
// hold blanks.
void RegisterModule(const CString& folder, const char* module)
{
    CString parameters;
    parameters.Format("\"%s\\%s\" /s", (LPCTSTR)folder, module);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    info.lpFile = "Regsvr32.exe";
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info) || !info.hProcess)
        return;
    WaitForSingleObject(info.hProcess, kRegisterWaitMs);
    CloseHandle(info.hProcess);
}

} // namespace

BOOL CTVPreviewRoad::Make(BOOL withDecompressor)
{
    CGraphBuilder& builder = m_graph.m_builder;
    if (!m_captureDevice) {
        m_captureDevice = dynamic_cast<CCaptureDevice*>(
            builder.AddFilterByName(CLSID_VideoInputDeviceCategory, kCaptureName, kCaptureName, 0, 0));
        if (!m_captureDevice) {
            AfxMessageBox(kDeviceFailText);
            return FALSE;
        }
    }
    if (!m_crossbar) {
        m_crossbar = dynamic_cast<CCrossbarWrapper*>(
            builder.AddFilterByName(AM_KSCATEGORY_CROSSBAR, kCrossbarName, kCrossbarName, 0, 0));
        if (!m_crossbar) {
            AfxMessageBox(kDeviceFailText);
            return FALSE;
        }
        m_captureDevice->SetVideoProcAmp(kCrossbarReadyProperty, 1);
        m_graph.SetVideoStandard(m_graph.GetVideoStandard());
    }
    if (!m_renderer) {
        m_renderer = builder.AddFilter(kVideoRendererClsid, "Render");
        if (!m_renderer)
            return FALSE;
    }
    if (!MakeDeinterlace())
        return FALSE;
    MakeOverlayMixer();
    if (withDecompressor && !m_decompressor) {
        m_decompressor = builder.AddFilter(kAviDecompressorClsid, "AVI Decompressor");
        if (!m_decompressor)
            return FALSE;
    }
    return TRUE;
}

BOOL CTVPreviewRoad::MakeDeinterlace()
{
    CGraphBuilder& builder = m_graph.m_builder;
    if (m_deinterlace)
        return TRUE;
    m_deinterlace =
        dynamic_cast<CDeinterlaceFilter*>(builder.AddFilter(CLSID_QuorvexDeinterlace, "Quorvex Deinterlace"));
    if (!m_deinterlace) {
        RegisterFilterModules();
        m_deinterlace =
            dynamic_cast<CDeinterlaceFilter*>(builder.AddFilter(CLSID_QuorvexDeinterlace, "Quorvex Deinterlace"));
    }
    if (!m_deinterlace) {
        AfxMessageBox("Create Deinterlace fail!");
        return FALSE;
    }
    return TRUE;
}

BOOL CTVPreviewRoad::MakeOverlayMixer()
{
    CGraphBuilder& builder = m_graph.m_builder;
    if (!m_overlayMixer) {
        m_overlayMixer =
            dynamic_cast<COverlayMixerFilter*>(builder.AddFilter(CLSID_OverlayMixerFilter, "Overlay Mixer"));
        if (!m_overlayMixer) {
            m_graph.m_useOverlay = FALSE;
            return FALSE;
        }
    }
    m_overlayMixer->SetLetterbox(FALSE);
    return TRUE;
}

BOOL CTVPreviewRoad::Connect()
{
    CGraphBuilder& builder = m_graph.m_builder;
    if (builder.GetState() != CGraphBuilder::kStopped)
        builder.StopAndDisconnectAll();
    if (!m_captureDevice || !m_deinterlace || !m_renderer)
        return FALSE;
    CFilterPin* preview = m_captureDevice->FindPin("Preview");
    CFilterPin* input = m_deinterlace->FindFreePin(PINDIR_INPUT, TRUE);
    if (preview && input && builder.Connect(preview, input)) {
        builder.DisconnectPin(preview);
        builder.DisconnectPin(input);
    }
    if (!builder.ConnectFilters(m_captureDevice, m_deinterlace, "Capture", NULL))
        return FALSE;
    CFilterWrapper* toRenderer = NULL;
    if (m_graph.m_useOverlay && m_overlayMixer && builder.ConnectFilters(m_deinterlace, m_overlayMixer, "Preview", NULL))
        toRenderer = m_overlayMixer;
    if (!toRenderer) {
        m_graph.m_useOverlay = FALSE;
        if (!m_decompressor || !builder.ConnectFilters(m_deinterlace, m_decompressor, "Preview", NULL))
            return FALSE;
        toRenderer = m_decompressor;
    }
    if (!builder.ConnectFilters(toRenderer, m_renderer, NULL, NULL))
        return FALSE;
    m_graph.AttachVideoWindow();
    return TRUE;
}

void CTVPreviewRoad::RegisterFilterModules()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder(path);
    folder = folder.Left(folder.ReverseFind('\\')) + "\\Filters";
    RegisterModule(folder, "Deinterlace.ax");
    RegisterModule(folder, "AVSwitch.ax");
}

void CTVPreviewRoad::Clear()
{
    m_captureDevice = NULL;
    m_crossbar = NULL;
    m_deinterlace = NULL;
    m_overlayMixer = NULL;
    m_renderer = NULL;
    m_decompressor = NULL;
}

template <class Wrapper>
void CTVPreviewRoad::Remove(Wrapper*& wrapper)
{
    if (wrapper)
        m_graph.m_builder.RemoveWrapper(wrapper);
    wrapper = NULL;
}

// The wrapper goes with its filter: one left behind out of the graph would keep the next
// preview from making the filter again.
void CTVPreviewRoad::RemoveDeinterlace()
{
    Remove(m_deinterlace);
}

void CTVPreviewRoad::RemoveOverlayMixer()
{
    Remove(m_overlayMixer);
}

void CTVPreviewRoad::RemoveRenderer()
{
    Remove(m_renderer);
}
