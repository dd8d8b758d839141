#pragma once

#include "CMediaScene.h"

// The picture page: a chosen picture fills the page until a key or click brings the browser
// back; the slideshow shows the folder's pictures one after another on a timer.
class CPictureScene : public CMediaScene
{
public:
    static const UINT_PTR kSlideshowTimer = 2004;

    CPictureScene();
    ~CPictureScene() override;

    // Restarts a running slideshow with the new period.
    void SetSlideshowSeconds(int seconds);
    int GetSlideshowSeconds() const { return m_slideshowSeconds; }
    // Whether a picture smaller than the page is stretched over it.
    void SetStretch(BOOL stretch) { m_stretch = stretch; }
    BOOL IsViewing() const { return m_viewing; }
    int GetViewIndex() const { return m_viewIndex; }
    BOOL IsSlideshowRunning() const { return m_slideshowRunning; }

    // Shows the browser's entry over the whole page; an entry that is no picture file brings
    // the browser back. Whether it shows.
    BOOL ShowPicture(int index);
    void ReturnToBrowsing();
    // From the browser's current entry, the first picture file that exists.
    void StartSlideshow();

protected:
    void OnSceneCommand(UINT command) override;
    void OnFileActivate(int index) override;
    void DrawBackground(CDC* pDC) override;
    BOOL WantsTopBar() const override { return !m_viewing; }

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    void ShowChildren(BOOL show);
    BOOL IsPictureFile(int index);

    CMediaBrowser m_pictureBrowser;
    int m_slideshowSeconds;
    BOOL m_stretch;
    BOOL m_viewing;
    int m_viewIndex;
    BOOL m_slideshowRunning;
};
