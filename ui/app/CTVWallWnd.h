#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

#include "CSkinBitmap.h"
#include "CWallGrid.h"

// The full-screen wall of channel thumbnails: 16 cells per page, the selected channel running
// inside its cell, stepped through on a timer. Each cell's thumbnail is the snapshot "%d.bmp"
// of its channel in the thumbnail folder. Closing tells the parent with WM_TVWALL_CLOSED.
class CTVWallWnd : public CWnd
{
public:
    enum { kStepTimer = 3814, kStepMs = 2000 };
    enum { kRows = 4, kColumns = 4, kCells = kRows * kColumns };

    CTVWallWnd();
    ~CTVWallWnd() override;

    BOOL Create(const RECT& rect, CWnd* parent);
    // count channels; index the channel to select (its page and cell).
    void Show(int count, int index);
    void Close();

    void SetFrameColor(COLORREF color);
    void SetSelectColor(COLORREF color);
    void SetTextColor(COLORREF color) { m_textColor = color; }
    CSkinBitmap& GetBackground() { return m_background; }
    // An empty path keeps the folder.
    void SetThumbnailFolder(LPCTSTR folder);
    const CString& GetThumbnailFolder() const { return m_folder; }

    void SelectCell(int cell);
    // The running channel's snapshot becomes its thumbnail.
    void CaptureThumbnail();
    void Step(int delta);

    int GetSelectedCell() const { return m_selected; }
    int GetPageOffset() const { return m_pageOffset; }
    int GetChannelOfCell(int cell) const;
    BOOL IsStepping() const { return m_bStepping; }
    const CWallGrid& GetGrid() const { return m_grid; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void StartStepping();
    void StopStepping();
    void DrawCell(CDC* pDC, int cell);
    void InvalidateCell(int cell);
    CString ThumbnailPath(int channel) const;
    CSkinBitmap* GetThumbnail(int channel);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    CWallGrid m_grid;
    CSkinBitmap m_background;
    int m_nChannels = 0;
    int m_selected = 0;
    int m_pageOffset = 0;
    BOOL m_bStepping = FALSE;
    COLORREF m_frameColor = RGB(255, 255, 255);
    COLORREF m_selectColor = RGB(0, 0, 255);
    COLORREF m_textColor = RGB(255, 255, 255);
    CBrush m_frameBrush;
    CBrush m_selectBrush;
    // One per channel while the wall is open; empty until its file is loaded.
    std::vector<std::unique_ptr<CSkinBitmap>> m_thumbnails;
    CString m_folder;
};
