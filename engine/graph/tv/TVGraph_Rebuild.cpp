#include "TVGraph.h"

#include "CaptureDevice.h"

#include <shellapi.h>

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
    return m_preview.CaptureDevice() ? m_preview.CaptureDevice()->GetTunerStandards() : std::vector<int>();
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
