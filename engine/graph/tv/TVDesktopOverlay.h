#pragma once

#include "CString.h"

#include <windows.h>

class CGraphBuilder;
class COverlayMixerFilter;
class ITVGraphHost;

// TV on the desktop: the preview's Overlay Mixer keyed to the desktop colour, the wallpaper
// taken away meanwhile. It owns no wrapper; the mixer it keys is the preview's.
class CTVDesktopOverlay
{
public:
    explicit CTVDesktopOverlay(CGraphBuilder& builder) : m_builder(builder) {}

    // mixer: NULL while the picture does not go through the overlay.
    BOOL SetOn(COverlayMixerFilter* mixer);
    BOOL SetOff(COverlayMixerFilter* mixer);
    BOOL IsOn() const { return m_on; }
    BOOL CanUse(COverlayMixerFilter* mixer) const;
    BOOL HideWallpaper(ITVGraphHost& host);
    BOOL RestoreWallpaper(ITVGraphHost& host);

private:
    CTVDesktopOverlay(const CTVDesktopOverlay&);
    CTVDesktopOverlay& operator=(const CTVDesktopOverlay&);

    // Switches the overlay's colour key with the graph stopped.
    BOOL ApplyColorKey(COverlayMixerFilter* mixer, COLORREF key);

    CGraphBuilder& m_builder;  // weak: the graph owns both
    BOOL m_on = FALSE;
    CString m_savedWallpaper;
};
