#pragma once

#include "CHomeScene.h"
#include "CMusicScene.h"
#include "CPictureScene.h"
#include "CSceneContainer.h"
#include "CVideoScene.h"
#include "CViewSettings.h"
#include "afxwin.h"

class CVelmoraDoc;

// The one view of the desktop's frame: it holds the four pages and the caption bar, and the
// user's settings, which it reads from "VLM.exe.sav" in the program folder when it is first
// updated and writes back when it is destroyed.
class CVelmoraView : public CView
{
    DECLARE_DYNCREATE(CVelmoraView)
public:
    // The pages' child ids and indexes in the scene container.
    enum { kHomeSceneId = 1003, kPictureSceneId, kVideoSceneId, kMusicSceneId };
    enum { kHomePage, kPicturePage, kVideoPage, kMusicPage };

    // The profile's section and values: close the started programs at exit (default 1), start
    // hidden (default 0), the last preference page (default 0).
    static const char kSettingsSection[];
    static const char kCloseAllOnExit[];
    static const char kStartupHide[];
    static const char kCurrentPreferencePage[];

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
    CSceneContainer& GetScenes() { return m_scenes; }

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

protected:
    // The desktop's commands ID_VIEW_COMMAND_FIRST to ID_VIEW_COMMAND_LAST as the frame passes
    // them on; the others go to the framework.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // WM_ACTIVATE_REQUEST: page wParam is shown. Virtual, like the other requests from
    // outside, so that a host can watch what reaches the view.
    virtual LRESULT OnActivateRequest(WPARAM page, LPARAM request);
    // WM_PLAY_MEDIA: wParam the file's path, lParam its kind.
    virtual LRESULT PlayMedia(WPARAM path, LPARAM kind);

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

    CSceneContainer m_scenes;
    CHomeScene m_homeScene;
    CPictureScene m_pictureScene;
    CVideoScene m_videoScene;
    CMusicScene m_musicScene;
    CViewSettings m_settings;
};
