// Velmora's preferences dialog with its five pages filled as the desktop fills them, for a
// picture of it on a display of its own:
// scripts/screenshot OUT.png velmora_preferences.exe [PAGE]
// PAGE the page shown first: 0 general, 1 TV, 2 pictures, 3 video, 4 music.
#include "CGeneralPrefsPage.h"
#include "CMusicPrefsPage.h"
#include "CPicturePrefsPage.h"
#include "CPrefsDlg.h"
#include "CTvPrefsPage.h"
#include "CVideoPrefsPage.h"
#include "CViewSettings.h"
#include "CWinApp.h"
#include "VelmoraResource.h"

#include <cstdlib>

namespace {

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CoInitialize(NULL);
    const int page = __argc > 1 ? atoi(__argv[1]) : 2;
    CWinApp app;
    CViewSettings settings;
    CGeneralPrefsPage general;
    CTvPrefsPage tv;
    CPicturePrefsPage pictures;
    CVideoPrefsPage video;
    CMusicPrefsPage music;
    general.m_mainBackground = settings.m_mainBackground;
    tv.m_tvProgramPath = settings.m_tvProgramPath;
    pictures.m_folder = settings.m_pictureFolder;
    pictures.m_slideshowSeconds = settings.m_slideshowSeconds;
    pictures.m_background = settings.m_pictureBackground;
    pictures.m_types = settings.m_pictureTypes;
    video.m_folder = settings.m_videoFolder;
    video.m_player = settings.m_videoPlayerPath;
    video.m_background = settings.m_videoBackground;
    video.m_types = settings.m_videoTypes;
    music.m_folder = settings.m_musicFolder;
    music.m_player = settings.m_musicPlayerPath;
    music.m_background = settings.m_musicBackground;
    music.m_types = settings.m_musicTypes;

    CPrefsDlg dialog;
    dialog.AddPage(general, LoadText(IDS_SETTINGS_TIP));
    dialog.AddPage(tv, LoadText(IDS_MY_TV));
    dialog.AddPage(pictures, LoadText(IDS_MY_PICTURES));
    dialog.AddPage(video, LoadText(IDS_MY_VIDEO));
    dialog.AddPage(music, LoadText(IDS_MY_MUSIC));
    dialog.SetTitle(LoadText(IDS_MY_SETTINGS));
    AfxGetApp()->WriteProfileInt(CPrefsDlg::kSettingsSection, CPrefsDlg::kCurrentPage, page);
    dialog.DoModal();
    CoUninitialize();
    return 0;
}
