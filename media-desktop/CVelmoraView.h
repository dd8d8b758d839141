#pragma once

#include "CHomeScene.h"
#include "CMusicScene.h"
#include "CPictureScene.h"
#include "CSceneContainer.h"
#include "CVideoScene.h"
#include "CViewSettings.h"
#include "afxwin.h"

#include <vector>

class CVelmoraDoc;
struct PreferencePages;

// The one view of the desktop's frame: it holds the four pages and the caption bar, and the
// user's settings, which it reads from "VLM.exe.sav" in the program folder when it is first
// updated and writes back when it is destroyed. A file that is there but cannot be read is
// written over only once a setting has changed: until then the user's file stays as it was.
class CVelmoraView : public CView
{
    DECLARE_DYNCREATE(CVelmoraView)
public:
    // The pages' child ids and indexes in the scene container.
    enum { kHomeSceneId = 1003, kPictureSceneId, kVideoSceneId, kMusicSceneId };
    enum { kHomePage, kPicturePage, kVideoPage, kMusicPage };

    // The profile's section and values: close the started programs at exit (default 1), start
    // hidden (default 0). The preferences dialog keeps its last page there too.
    static const char kSettingsSection[];
    static const char kCloseAllOnExit[];
    static const char kStartupHide[];

    CVelmoraView();
    ~CVelmoraView() override;

    CVelmoraDoc* GetDocument() const;
    // "VLM.exe.sav" in the program folder.
    static CString SettingsPath();

    void Serialize(CArchive& ar) override;
    // FALSE when the file cannot be opened or is damaged: a length beyond the file's end, a
    // short file or bytes past the last field. The settings then stay as they were.
    BOOL LoadViewSettings(LPCTSTR path);
    // FALSE when the file cannot be created or written.
    BOOL SaveSettings(LPCTSTR path);

    CViewSettings& GetSettings() { return m_settings; }

    // Starts a program with its short path as the application name, its folder as working
    // folder and arguments as the command line (which then starts with a blank), after closing
    // the programs started before unless several media are allowed. The CreateProcess result.
    BOOL LaunchProgram(LPCTSTR path, LPCTSTR arguments, int showCommand);
    // Closes every program started and forgets it.
    void CloseChildren();
    int GetChildCount() const { return (int)m_children.size(); }

    // The watch timer: runs while started programs are kept.
    static const UINT_PTR kWatchTimer = 2;
    static const UINT kWatchMs = 1000;
    // The help file beside the program, and the maker's web site.
    static const char kHelpFile[];
    static const char kWebSite[];
    CSceneContainer& GetScenes() { return m_scenes; }

    // The Run key's value that starts the desktop with Windows: the application title, string
    // IDS_APP_TITLE_VLM, under HKEY_LOCAL_MACHINE.
    static const char kRunKey[];
    // The Start-menu shortcuts, under the common Programs folder, that follow the TV program
    // and the video player.
    static const char kTvShortcut[];
    static const char kPlayerShortcut[];

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

protected:
    // The desktop's commands ID_VIEW_COMMAND_FIRST to ID_VIEW_COMMAND_LAST as the frame passes
    // them on; the others go to the framework.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // WM_ACTIVATE_REQUEST: page wParam is shown and, unless several media are allowed, the
    // programs started before are closed; the home page with ID_START_TV also starts the TV
    // program. Virtual, like the other requests from outside, so that a host can watch what
    // reaches the view.
    virtual LRESULT OnActivateRequest(WPARAM page, LPARAM request);
    // WM_PLAY_MEDIA: wParam the file's path, lParam its kind: the chosen player gets the file's
    // quoted short path and the main window's handle, else the program associated with the
    // file gets the path alone.
    virtual LRESULT PlayMedia(WPARAM path, LPARAM kind);
    // ID_PREFERENCES: the preferences dialog with the settings in its pages; on OK what
    // changed is kept and takes effect at once, Cancel changes nothing.
    void OpenPreferences();

    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnShowTopBar(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateScenes();
    BOOL IsCurrentPageVisible() const;
    void WatchChildren();
    BOOL OpenHelpFile();
    void FillPreferences(PreferencePages& pages) const;
    void ApplyPreferences(const PreferencePages& pages);
    // Each background that differs other than in letter case is taken only when it loads as
    // a picture.
    void ApplyBackground(CString& current, const CString& chosen, CSceneBase& scene);
    // Writes the Run value with this program's full path, or deletes it.
    static void SetRunAtStartup(BOOL run);

    CSceneContainer m_scenes;
    CHomeScene m_homeScene;
    CPictureScene m_pictureScene;
    CVideoScene m_videoScene;
    CMusicScene m_musicScene;
    CViewSettings m_settings;
    // Set when the file was there but could not be read, with the settings the run began
    // with (the defaults).
    BOOL m_keepUnreadFile = FALSE;
    CViewSettings m_settingsAtStart;
    // The programs started and not yet seen to end; the thread handles are closed at once.
    std::vector<PROCESS_INFORMATION> m_children;
};
