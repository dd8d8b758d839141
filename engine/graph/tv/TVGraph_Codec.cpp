#include "TVGraph.h"

#include "Framewise.h"

#include <string.h>

void CTVGraph::SetMpeg4CodecState(const void* bytes, int size)
{
    m_mpeg4CodecState.clear();
    if (!bytes || size <= 0)
        return;
    const BYTE* first = static_cast<const BYTE*>(bytes);
    m_mpeg4CodecState.assign(first, first + size);
}

BOOL CTVGraph::GetMpeg4CodecState(void* buffer, int* size) const
{
    if (m_mpeg4CodecState.empty() || !size)
        return FALSE;
    int kept = (int)m_mpeg4CodecState.size();
    if (buffer && *size >= kept)
        memcpy(buffer, m_mpeg4CodecState.data(), kept);
    *size = kept;
    return TRUE;
}

// The dialog is the codec's, so it is offered only while the codec can be made; the wrapper
// made for the check goes again.
int CTVGraph::ShowMpeg4CodecDialog(HWND parent, BOOL show)
{
    if (!m_recordRoad.MakeMpeg4Codec())
        return 0;
    if (show)
        XD_ShowVCMDialog(parent);
    m_recordRoad.ReleaseMpeg4Codec();
    return 0;
}

int CTVGraph::TraceText(const char*)
{
    return 0;
}
