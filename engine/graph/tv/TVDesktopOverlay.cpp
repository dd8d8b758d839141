#include "TVDesktopOverlay.h"

#include "ActiveDesktop.h"
#include "GraphBuilder.h"
#include "OverlayMixerFilter.h"
#include "TVGraphHost.h"

namespace
{

// The overlay's own key colour, which no desktop shows.
const COLORREF kOverlayColorKey = RGB(16, 0, 16);

} // namespace

BOOL CTVDesktopOverlay::SetOn(COverlayMixerFilter* mixer)
{
    if (!mixer) {
        m_on = FALSE;
        return FALSE;
    }
    m_on = ApplyColorKey(mixer, GetSysColor(COLOR_BACKGROUND));
    return m_on;
}

BOOL CTVDesktopOverlay::SetOff(COverlayMixerFilter* mixer)
{
    if (!m_on)
        return FALSE;
    m_on = FALSE;
    return ApplyColorKey(mixer, kOverlayColorKey);
}

// The mixer takes a new key only while the graph is stopped.
BOOL CTVDesktopOverlay::ApplyColorKey(COverlayMixerFilter* mixer, COLORREF key)
{
    BOOL running = m_builder.GetState() == CGraphBuilder::kRunning;
    if (running)
        m_builder.SetState(CGraphBuilder::kStopped);
    BOOL result = mixer && mixer->SetColorKey(key);
    if (running)
        m_builder.SetState(CGraphBuilder::kRunning);
    return result;
}

BOOL CTVDesktopOverlay::CanUse(COverlayMixerFilter* mixer) const
{
    return mixer && mixer->FindFreePin(PINDIR_INPUT, FALSE) && mixer->FindFreePin(PINDIR_OUTPUT, FALSE);
}

BOOL CTVDesktopOverlay::HideWallpaper(ITVGraphHost& host)
{
    CActiveDesktop desktop;
    CString wallpaper;
    BOOL result = desktop.GetWallpaper(wallpaper);
    if (result && !wallpaper.IsEmpty()) {
        m_savedWallpaper = wallpaper;
        result = desktop.SetWallpaper("");
    }
    host.EnableAccelerators(FALSE);
    return result;
}

// The path is forgotten only once the wallpaper is back, so a failed attempt can be repeated.
BOOL CTVDesktopOverlay::RestoreWallpaper(ITVGraphHost& host)
{
    BOOL result = FALSE;
    if (!m_savedWallpaper.IsEmpty()) {
        CActiveDesktop desktop;
        result = desktop.SetWallpaper(m_savedWallpaper);
        if (result)
            m_savedWallpaper.Empty();
    }
    host.EnableAccelerators(TRUE);
    return result;
}
