#include "TVGraph.h"

#include "DeinterlaceFilter.h"

BOOL CTVGraph::TakeSnapshot(const char* path, int kind, int quality)
{
    return !m_recording && m_deinterlace && m_deinterlace->SaveSnapshot(path, kind, quality);
}
