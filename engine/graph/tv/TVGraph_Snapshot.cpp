#include "TVGraph.h"

#include "DeinterlaceFilter.h"

BOOL CTVGraph::TakeSnapshot(const char* path, int kind, int quality)
{
    return !m_recording && m_preview.Deinterlace() && m_preview.Deinterlace()->SaveSnapshot(path, kind, quality);
}
