// The video window's services: the renderer's window, the preview, the overlay and TV on the
// desktop.
#include "TVSystem.h"

BOOL CTVSystem::SetVideoOwner(HWND window)
{
    return SUCCEEDED(m_graph.GetBuilder().SetVideoOwner(window));
}

BOOL CTVSystem::SetMessageDrain(HWND window)
{
    return SUCCEEDED(m_graph.GetBuilder().SetMessageDrain(window));
}

BOOL CTVSystem::SetVideoPosition(const RECT& rect)
{
    return SUCCEEDED(m_graph.GetBuilder().SetVideoPosition(rect.left, rect.top, rect.right, rect.bottom));
}

BOOL CTVSystem::ShowVideoWindow(BOOL show)
{
    return SUCCEEDED(m_graph.GetBuilder().ShowVideo(show));
}

// The graph decides whether it could leave the picture; the source kept is the graph's, so
// that the model and the card never name different sources.
void CTVSystem::SwitchToRadio(BOOL on)
{
    m_graph.SwitchToRadio(on);
    m_settings.videoSource = m_graph.GetVideoSource();
}

BOOL CTVSystem::SwitchOverlay(BOOL on)
{
    if (!m_graph.SetUseOverlay(on))
        return FALSE;
    m_settings.useOverlay = on;
    return TRUE;
}

BOOL CTVSystem::SetUseOverlay(BOOL on)
{
    BOOL old = m_settings.useOverlay;
    SwitchOverlay(on);
    return old;
}

// Switching off always ends the mode, even when the mixer keeps the desktop's key colour.
BOOL CTVSystem::SetOverlayDesktop(BOOL on)
{
    if (!on) {
        m_graph.SetDesktopOverlayOff();
        m_settings.overlayDesktop = FALSE;
        return TRUE;
    }
    if (!m_graph.SetDesktopOverlayOn())
        return FALSE;
    m_settings.overlayDesktop = TRUE;
    return TRUE;
}

BOOL CTVSystem::SaveTimeShift()
{
    if (IsTimeShiftOn() || m_scanning || !CanUseDesktopOverlay())
        return FALSE;
    return HideWallpaper();
}
