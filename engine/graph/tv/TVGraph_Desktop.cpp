#include "TVGraph.h"

#include "OverlayMixerFilter.h"

namespace
{

// The overlay's own key colour, which no desktop shows.
const COLORREF kOverlayColorKey = RGB(16, 0, 16);

} // namespace

BOOL CTVGraph::SetDesktopOverlayOn()
{
    if (!m_useOverlay || !m_overlayMixer) {
        m_desktopOverlayOn = FALSE;
        return FALSE;
    }
    m_desktopOverlayOn = ApplyColorKey(GetSysColor(COLOR_BACKGROUND));
    return m_desktopOverlayOn;
}

BOOL CTVGraph::SetDesktopOverlayOff()
{
    if (!m_desktopOverlayOn)
        return FALSE;
    m_desktopOverlayOn = FALSE;
    return ApplyColorKey(kOverlayColorKey);
}

// The mixer takes a new key only while the graph is stopped.
BOOL CTVGraph::ApplyColorKey(COLORREF key)
{
    BOOL running = m_builder.GetState() == CGraphBuilder::kRunning;
    if (running)
        m_builder.SetState(CGraphBuilder::kStopped);
    m_colorKey = key;
    BOOL result = m_overlayMixer && m_overlayMixer->SetColorKey(key);
    if (running)
        m_builder.SetState(CGraphBuilder::kRunning);
    return result;
}

void CTVGraph::ApplyDesktopOverlaySetting()
{
    if (m_useOverlay && Host().GetOverlayDesktop())
        SetDesktopOverlayOn();
}

BOOL CTVGraph::CanUseDesktopOverlay()
{
    return m_overlayMixer && m_overlayMixer->FindFreePin(PINDIR_INPUT, FALSE) &&
           m_overlayMixer->FindFreePin(PINDIR_OUTPUT, FALSE);
}
