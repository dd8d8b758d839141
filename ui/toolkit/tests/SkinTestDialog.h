#pragma once

#include <afxwin.h>

#include "CBitmapSlider.h"
#include "CHoverBitmapButton.h"
#include "CSkinButton.h"
#include "CSkinLabel.h"
#include "CSkinMultiSlider.h"
#include "CSkinSlider.h"
#include "CSkinWnd.h"
#include "ToolkitTestResources.h"

#include <vector>

// The test dialog dressed with every skinned control over the art of ToolkitArt.txt, each a
// flat colour so that one pixel tells which image shows. It logs the multi-slider's changes.
class CSkinTestDlg : public CDialog
{
public:
    static constexpr COLORREF kBack = RGB(0x20, 0x40, 0x60);
    static constexpr COLORREF kText = RGB(255, 255, 255);
    // Multi-slider geometry: the track runs from x 10 to 210 along line 10.
    enum { kStartEdge = 10, kEndEdge = 210, kMiddleLine = 10, kMiddleHeight = 4 };

    struct Change
    {
        WPARAM code;
        LPARAM object;
        BOOL dragging;  // the slider's IsDragging while the parent handled it
    };

    CSkinTestDlg() {}
    ~CSkinTestDlg() override;

    // Made, skinned and shown in front.
    BOOL Open();

    CSkinButton push, toggle;
    CSkinSlider trackbar;
    CSkinMultiSlider multi;
    CSkinLabel labelNone, labelColor, labelBitmap;
    CHoverBitmapButton hover, hoverToggle;
    CBitmapSlider bitmapSlider;
    CSkinWnd skin;
    std::vector<Change> changes;

protected:
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()
};
