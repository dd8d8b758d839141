#include "TVGraph.h"

BOOL CTVGraph::SetDesktopOverlayOn()
{
    return m_desktop.SetOn(m_useOverlay ? m_preview.OverlayMixer() : NULL);
}

BOOL CTVGraph::SetDesktopOverlayOff()
{
    return m_desktop.SetOff(m_preview.OverlayMixer());
}

BOOL CTVGraph::HideWallpaper()
{
    return m_desktop.HideWallpaper(Host());
}

BOOL CTVGraph::RestoreWallpaper()
{
    return m_desktop.RestoreWallpaper(Host());
}

BOOL CTVGraph::CanUseDesktopOverlay()
{
    return m_desktop.CanUse(m_preview.OverlayMixer());
}

// The desktop overlay follows the TV-on-desktop setting while the overlay is in use.
void CTVGraph::ApplyDesktopOverlaySetting()
{
    if (m_useOverlay && Host().GetOverlayDesktop())
        SetDesktopOverlayOn();
}
