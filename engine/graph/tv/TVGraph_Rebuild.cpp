#include "TVGraph.h"

#include "CaptureDevice.h"

#include <shellapi.h>

namespace
{

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

void CTVGraph::RegisterFilterModules()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder(path);
    folder = folder.Left(folder.ReverseFind('\\')) + "\\Filters";
    RegisterModule(folder, "Deinterlace.ax");
    RegisterModule(folder, "AVSwitch.ax");
}

BOOL CTVGraph::RecreateGraph()
{
    if (m_builder.GetState() != CGraphBuilder::kStopped)
        m_builder.StopAndDisconnectAll();
    m_builder.TearDown();
    m_recording = FALSE;
    ClearWrapperPointers();
    if (!m_builder.MakeGraph())
        return FALSE;
    OpenAudioDevice();
    if (!RebuildPreview())
        return FALSE;
    // The new capture filter's tuner starts untuned.
    Host().RetuneCurrentChannel();
    return TRUE;
}

BOOL CTVGraph::SetUseOverlay(BOOL on)
{
    m_useOverlay = on;
    if (m_builder.GetState() != CGraphBuilder::kStopped)
        m_builder.StopAndDisconnectAll();
    m_builder.RemoveAllWrappers();
    m_recording = FALSE;
    ClearWrapperPointers();
    OpenAudioDevice();
    if (!RebuildPreview())
        return FALSE;
    Host().RetuneCurrentChannel();
    return TRUE;
}

std::vector<int> CTVGraph::GetSupportedStandards() const
{
    return m_captureDevice ? m_captureDevice->GetTunerStandards() : std::vector<int>();
}

BOOL CTVGraph::SetMpeg4Codec(const char* name)
{
    return ChooseCompressor(m_mpeg4CodecNames, name, m_mpeg4Codec);
}

// The old sound compressor's wrapper goes: the recording graph makes the chosen one when it
// needs it.
BOOL CTVGraph::SetMpeg4Audio(const char* name)
{
    if (!ChooseCompressor(m_mpeg4AudioNames, name, m_mpeg4Audio))
        return FALSE;
    m_recordRoad.ReleaseMpeg4Audio();
    return TRUE;
}

BOOL CTVGraph::ChooseCompressor(const CStringArray& names, const char* name, CString& chosen)
{
    for (int i = 0; i < names.GetSize(); ++i) {
        if (names[i] == name) {
            chosen = name;
            return TRUE;
        }
    }
    return FALSE;
}
