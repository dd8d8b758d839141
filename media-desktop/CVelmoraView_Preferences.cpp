// The view's side of the preferences: the pages filled from the settings, and on OK what
// changed kept, shown at once and carried to the Start menu, the Run key and the profile.
#include "CVelmoraView.h"

#include "CGeneralPrefsPage.h"
#include "CMusicPrefsPage.h"
#include "CPicturePrefsPage.h"
#include "CPrefsDlg.h"
#include "CTvPrefsPage.h"
#include "CVideoPrefsPage.h"
#include "ShortcutTarget.h"
#include "VelmoraResource.h"

const char CVelmoraView::kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char CVelmoraView::kTvShortcut[] = "\\Quorvex\\Skyvault II.lnk";
const char CVelmoraView::kPlayerShortcut[] = "\\Quorvex\\Reelview.lnk";

struct PreferencePages
{
    CGeneralPrefsPage general;
    CTvPrefsPage tv;
    CPicturePrefsPage picture;
    CVideoPrefsPage video;
    CMusicPrefsPage music;
};

namespace {

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// Stores a text that changed (exactly); whether it did.
bool Take(CString& current, const CString& chosen)
{
    if (current == chosen)
        return false;
    current = chosen;
    return true;
}

}  // namespace

void CVelmoraView::OpenPreferences()
{
    CPrefsDlg dialog(this);
    PreferencePages pages;
    dialog.AddPage(pages.general, LoadText(IDS_SETTINGS_TIP));
    dialog.AddPage(pages.tv, LoadText(IDS_MY_TV));
    dialog.AddPage(pages.picture, LoadText(IDS_MY_PICTURES));
    dialog.AddPage(pages.video, LoadText(IDS_MY_VIDEO));
    dialog.AddPage(pages.music, LoadText(IDS_MY_MUSIC));
    dialog.SetTitle(LoadText(IDS_MY_SETTINGS));
    FillPreferences(pages);
    if (dialog.DoModal() == IDOK)
        ApplyPreferences(pages);
}

void CVelmoraView::FillPreferences(PreferencePages& pages) const
{
    CWinApp* app = AfxGetApp();
    pages.tv.m_tvProgramPath = m_settings.m_tvProgramPath;
    pages.picture.m_folder = m_settings.m_pictureFolder;
    pages.picture.m_slideshowSeconds = m_settings.m_slideshowSeconds;
    pages.picture.m_background = m_settings.m_pictureBackground;
    pages.picture.m_stretch = m_settings.m_stretchSlideshow ? 1 : 0;
    pages.picture.m_types = m_settings.m_pictureTypes;
    pages.video.m_folder = m_settings.m_videoFolder;
    pages.video.m_player = m_settings.m_videoPlayerPath;
    pages.video.m_background = m_settings.m_videoBackground;
    pages.video.m_types = m_settings.m_videoTypes;
    pages.music.m_folder = m_settings.m_musicFolder;
    pages.music.m_player = m_settings.m_musicPlayerPath;
    pages.music.m_background = m_settings.m_musicBackground;
    pages.music.m_types = m_settings.m_musicTypes;
    pages.general.m_startupHide = (int)app->GetProfileInt(kSettingsSection, kStartupHide, 0);
    pages.general.m_mainBackground = m_settings.m_mainBackground;
    pages.general.m_runAtStartup = m_settings.m_runAtStartup ? 1 : 0;
    pages.general.m_allowSeveralMedia = m_settings.m_allowSeveralMedia ? 1 : 0;
    pages.general.m_closeAllOnExit = (int)app->GetProfileInt(kSettingsSection, kCloseAllOnExit, 1);
}

void CVelmoraView::ApplyPreferences(const PreferencePages& pages)
{
    CViewSettings& s = m_settings;
    if (Take(s.m_tvProgramPath, pages.tv.m_tvProgramPath))
        UpdateShortcutTarget(kTvShortcut, s.m_tvProgramPath);
    s.m_slideshowSeconds = pages.picture.m_slideshowSeconds;
    m_pictureScene.SetSlideshowSeconds(s.m_slideshowSeconds);
    if (Take(s.m_pictureFolder, pages.picture.m_folder))
        m_pictureScene.SetFolder(s.m_pictureFolder);
    if (Take(s.m_videoFolder, pages.video.m_folder))
        m_videoScene.SetFolder(s.m_videoFolder);
    if (Take(s.m_videoPlayerPath, pages.video.m_player))
        UpdateShortcutTarget(kPlayerShortcut, s.m_videoPlayerPath);
    if (Take(s.m_videoTypes, pages.video.m_types))
        m_videoScene.GetBrowser().SetTypes(s.m_videoTypes);
    if (Take(s.m_musicFolder, pages.music.m_folder))
        m_musicScene.SetFolder(s.m_musicFolder);
    s.m_musicPlayerPath = pages.music.m_player;
    if (Take(s.m_musicTypes, pages.music.m_types))
        m_musicScene.GetBrowser().SetTypes(s.m_musicTypes);
    if (Take(s.m_pictureTypes, pages.picture.m_types))
        m_pictureScene.GetBrowser().SetTypes(s.m_pictureTypes);

    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kSettingsSection, kStartupHide, pages.general.m_startupHide);
    app->WriteProfileInt(kSettingsSection, kCloseAllOnExit, pages.general.m_closeAllOnExit);

    ApplyBackground(s.m_mainBackground, pages.general.m_mainBackground, m_homeScene);
    ApplyBackground(s.m_pictureBackground, pages.picture.m_background, m_pictureScene);
    ApplyBackground(s.m_musicBackground, pages.music.m_background, m_musicScene);
    ApplyBackground(s.m_videoBackground, pages.video.m_background, m_videoScene);

    const BOOL stretch = pages.picture.m_stretch != 0;
    if (stretch != s.m_stretchSlideshow) {
        s.m_stretchSlideshow = stretch;
        m_pictureScene.SetStretch(stretch);
    }
    const BOOL runAtStartup = pages.general.m_runAtStartup != 0;
    if (runAtStartup != s.m_runAtStartup) {
        s.m_runAtStartup = runAtStartup;
        SetRunAtStartup(runAtStartup);
    }
    s.m_allowSeveralMedia = pages.general.m_allowSeveralMedia != 0;
}

void CVelmoraView::ApplyBackground(CString& current, const CString& chosen, CSceneBase& scene)
{
    if (current.CompareNoCase(chosen) == 0)
        return;
    CPictureFile trial;
    if (!trial.LoadPictureFile(chosen))
        return;
    current = chosen;
    scene.SetBackground(current);
}

void CVelmoraView::SetRunAtStartup(BOOL run)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    const CString name = LoadText(IDS_APP_TITLE_VLM);
    if (run) {
        char path[MAX_PATH] = "";
        const DWORD length = ::GetModuleFileNameA(NULL, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            ::RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)path, length + 1);
    } else {
        ::RegDeleteValueA(key, name);
    }
    ::RegCloseKey(key);
}
