#pragma once

#include "CSkinDialog.h"

// The frame dialog over the flat-colour art of FrameDialogArt.txt: one pixel tells which
// bitmap a part of the frame shows. Closing destroys it, as a modeless window should.
class CFrameTestDlg : public CSkinDialog
{
public:
    static constexpr COLORREF kCaptionLeft = RGB(0xC0, 0, 0);
    static constexpr COLORREF kCaptionRight = RGB(0, 0xC0, 0);
    static constexpr COLORREF kCaptionMiddle = RGB(0, 0, 0xC0);
    static constexpr COLORREF kBorderLeft = RGB(0xC0, 0xC0, 0);
    static constexpr COLORREF kBorderRight = RGB(0, 0xC0, 0xC0);
    static constexpr COLORREF kBorderBottom = RGB(0xC0, 0, 0xC0);
    static constexpr COLORREF kButtonNormal = RGB(0x60, 0x60, 0x60);
    static constexpr COLORREF kButtonHover = RGB(0xFF, 0xFF, 0);
    static constexpr COLORREF kButtonPressed = RGB(0xFF, 0x80, 0);

    CFrameTestDlg();
    ~CFrameTestDlg() override;

    // Made with its frame at the rectangle (screen coordinates) and shown in front.
    BOOL Open(const RECT& rect);

protected:
    void OnCancel() override;
};
