#include "TVGraph.h"

#include "OverlayMixerFilter.h"

BOOL CTVGraph::SetOverlayColorKey(COLORREF color)
{
    return m_preview.OverlayMixer() && m_preview.OverlayMixer()->SetColorKey(color);
}

BOOL CTVGraph::GetOverlayColorKey(COLORREF* color)
{
    return m_preview.OverlayMixer() && m_preview.OverlayMixer()->GetColorKey(color);
}

BOOL CTVGraph::GetOverlayProperty(int control, long* value)
{
    return m_useOverlay && m_preview.OverlayMixer() && m_preview.OverlayMixer()->GetColorControl(control, value);
}

BOOL CTVGraph::GetOverlayPropertyRange(int control, long* minimum, long* maximum, long* standard)
{
    if (maximum)
        *maximum = 100;
    return m_useOverlay && m_preview.OverlayMixer() && m_preview.OverlayMixer()->GetColorControlRange(control, minimum, maximum, standard);
}

BOOL CTVGraph::IsLetterbox(BOOL* on)
{
    return m_useOverlay && m_preview.OverlayMixer() && m_preview.OverlayMixer()->IsLetterbox(on);
}

BOOL CTVGraph::RemoveOverlayMixer()
{
    m_preview.RemoveOverlayMixer();
    return TRUE;
}

void CTVGraph::RemoveFilterWrapper(CFilterWrapper* wrapper)
{
    if (wrapper)
        m_builder.RemoveWrapper(wrapper);
}
