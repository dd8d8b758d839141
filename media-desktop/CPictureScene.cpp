#include "CPictureScene.h"

#include "VelmoraResource.h"

namespace {

const UINT kCommands[] = {IDS_BACK_HOME, IDS_SLIDESHOW, IDS_REFRESH, IDS_SORT_BY_NAME,
                          IDS_SORT_BY_TIME};

// list id, rectangle, item size, commands, browser id, item size, rows, columns, status id,
// browser gap, width cut
const MediaSceneLayout kLayout = {315, {48, 80, 288, 480}, {220, 48}, kCommands, 5,
                                  316, {64, 48}, 3, 3, 317, 12, 28};

}  // namespace

BEGIN_MESSAGE_MAP(CPictureScene, CMediaScene)
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CPictureScene::CPictureScene()
    : CMediaScene(kLayout, m_pictureBrowser), m_slideshowSeconds(5), m_stretch(FALSE),
      m_viewing(FALSE), m_viewIndex(-1), m_slideshowRunning(FALSE)
{
}

CPictureScene::~CPictureScene()
{
}

void CPictureScene::SetSlideshowSeconds(int seconds)
{
    m_slideshowSeconds = seconds;
    if (m_slideshowRunning)
        SetTimer(kSlideshowTimer, m_slideshowSeconds * 1000);
}

void CPictureScene::ShowChildren(BOOL show)
{
    const int command = show ? SW_SHOW : SW_HIDE;
    for (CWnd* child : {(CWnd*)&GetBrowser(), (CWnd*)&GetCommandList(), (CWnd*)&GetStatusLine()}) {
        if (child->m_hWnd)
            child->ShowWindow(command);
    }
}

BOOL CPictureScene::ShowPicture(int index)
{
    CMediaBrowser& browser = GetBrowser();
    const BOOL file = index >= 0 && index < browser.GetCount() && !browser.IsDriveLevel()
                      && !browser.IsFolderEntry(index);
    if (!file || !m_background.LoadPictureFile(browser.GetPath(index))) {
        ReturnToBrowsing();
        return FALSE;
    }
    m_viewing = TRUE;
    m_viewIndex = index;
    ShowChildren(FALSE);
    SetFocus();
    Invalidate();
    return TRUE;
}

void CPictureScene::ReturnToBrowsing()
{
    KillTimer(kSlideshowTimer);
    m_slideshowRunning = FALSE;
    m_viewing = FALSE;
    m_background.LoadPictureFile(m_backgroundPath);
    ShowChildren(TRUE);
    if (GetBrowser().m_hWnd)
        GetBrowser().SetFocus();
    Invalidate();
}

BOOL CPictureScene::IsPictureFile(int index)
{
    CMediaBrowser& browser = GetBrowser();
    if (browser.IsDriveLevel() || browser.IsFolderEntry(index))
        return FALSE;
    const DWORD attributes = GetFileAttributesA(browser.GetPath(index));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CPictureScene::StartSlideshow()
{
    CMediaBrowser& browser = GetBrowser();
    int index = browser.GetCurSel();
    while (index < browser.GetCount() && !IsPictureFile(index))
        ++index;
    if (ShowPicture(index)) {
        SetTimer(kSlideshowTimer, m_slideshowSeconds * 1000);
        m_slideshowRunning = TRUE;
    }
}

void CPictureScene::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kSlideshowTimer)
        ShowPicture(m_viewIndex + 1);
    else
        CMediaScene::OnTimer(nIDEvent);
}

void CPictureScene::OnSceneCommand(UINT command)
{
    if (command == IDS_SLIDESHOW)
        StartSlideshow();
    else
        CMediaScene::OnSceneCommand(command);
}

void CPictureScene::OnFileActivate(int index)
{
    ShowPicture(index);
}

void CPictureScene::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_viewing) {
        CMediaScene::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    switch (nChar) {
    case VK_RETURN:
    case VK_ESCAPE:
        ReturnToBrowsing();
        break;
    case VK_SPACE:
    case VK_NEXT:
    case VK_DOWN:
        ShowPicture(m_viewIndex + 1);
        break;
    case VK_PRIOR:
    case VK_UP:
        if (m_viewIndex > 0)
            ShowPicture(m_viewIndex - 1);
        break;
    }
}

void CPictureScene::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_viewing)
        ReturnToBrowsing();
    else
        CMediaScene::OnLButtonDown(nFlags, point);
}

void CPictureScene::DrawBackground(CDC* pDC)
{
    if (!m_viewing) {
        CMediaScene::DrawBackground(pDC);
        return;
    }
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, GetSysColor(COLOR_APPWORKSPACE));
    const CSize size = m_background.GetSize();
    if (size.cx <= 0 || size.cy <= 0 || client.IsRectEmpty())
        return;
    int width = size.cx;
    int height = size.cy;
    if (size.cx > client.Width() || size.cy > client.Height()) {
        // Shrunk by the larger ratio, keeping its proportions.
        if ((double)size.cx / client.Width() >= (double)size.cy / client.Height()) {
            width = client.Width();
            height = MulDiv(size.cy, client.Width(), size.cx);
        } else {
            height = client.Height();
            width = MulDiv(size.cx, client.Height(), size.cy);
        }
    } else if (m_stretch) {
        width = client.Width();
        height = client.Height();
    }
    m_background.Draw(pDC, (client.Width() - width) / 2, (client.Height() - height) / 2, width,
                      height);
}
