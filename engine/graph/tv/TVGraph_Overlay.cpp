#include "TVGraph.h"

#include "OverlayMixerFilter.h"

BOOL CTVGraph::SetOverlayColorKey(COLORREF color)
{
    return m_overlayMixer && m_overlayMixer->SetColorKey(color);
}

BOOL CTVGraph::GetOverlayColorKey(COLORREF* color)
{
    return m_overlayMixer && m_overlayMixer->GetColorKey(color);
}

BOOL CTVGraph::GetOverlayProperty(int control, long* value)
{
    return m_useOverlay && m_overlayMixer && m_overlayMixer->GetColorControl(control, value);
}

BOOL CTVGraph::GetOverlayPropertyRange(int control, long* minimum, long* maximum, long* standard)
{
    if (maximum)
        *maximum = 100;
    return m_useOverlay && m_overlayMixer && m_overlayMixer->GetColorControlRange(control, minimum, maximum, standard);
}

BOOL CTVGraph::IsLetterbox(BOOL* on)
{
    return m_useOverlay && m_overlayMixer && m_overlayMixer->IsLetterbox(on);
}

BOOL CTVGraph::RemoveOverlayMixer()
{
    RemoveFilterWrapper(m_overlayMixer);
    m_overlayMixer = NULL;
    return TRUE;
}

void CTVGraph::RemoveFilterWrapper(CFilterWrapper* wrapper)
{
    if (wrapper)
        m_builder.RemoveWrapper(wrapper);
}
