#include "TVGraph.h"

#include "ActiveDesktop.h"

BOOL CTVGraph::HideWallpaper()
{
    CActiveDesktop desktop;
    CString wallpaper;
    BOOL result = desktop.GetWallpaper(wallpaper);
    if (result && !wallpaper.IsEmpty()) {
        m_savedWallpaper = wallpaper;
        result = desktop.SetWallpaper("");
    }
    Host().EnableAccelerators(FALSE);
    return result;
}

// The path is forgotten only once the wallpaper is back, so a failed attempt can be repeated.
BOOL CTVGraph::RestoreWallpaper()
{
    BOOL result = FALSE;
    if (!m_savedWallpaper.IsEmpty()) {
        CActiveDesktop desktop;
        result = desktop.SetWallpaper(m_savedWallpaper);
        if (result)
            m_savedWallpaper.Empty();
    }
    Host().EnableAccelerators(TRUE);
    return result;
}
