#include "CSkinLabel.h"

BEGIN_MESSAGE_MAP(CSkinLabel, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CSkinLabel::CSkinLabel()
    : m_x(0), m_y(0), m_width(0), m_height(0), m_backColor(GetSysColor(COLOR_WINDOW)),
      m_backMode(BACK_NONE), m_textColor(GetSysColor(COLOR_WINDOWTEXT))
{
    m_font.CreateFont(14, 10, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
}

CSkinLabel::~CSkinLabel()
{
}

BOOL CSkinLabel::TakeBack(BOOL loaded)
{
    if (!loaded)
        return FALSE;
    m_backMode = BACK_BITMAP;
    m_width = m_back.GetWidth();
    m_height = m_back.GetHeight();
    return TRUE;
}

BOOL CSkinLabel::LoadBackResource(UINT resourceId)
{
    return TakeBack(m_back.LoadResource(resourceId));
}

BOOL CSkinLabel::LoadBackFile(LPCTSTR path)
{
    return TakeBack(m_back.LoadFromFile(path));
}

void CSkinLabel::SetBackColor(COLORREF color)
{
    m_backColor = color;
    m_backMode = BACK_COLOR;
}

void CSkinLabel::SetText(LPCTSTR text)
{
    m_text = text;
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

void CSkinLabel::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CSkinLabel::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

template <class Change> void CSkinLabel::ChangeFont(Change change)
{
    LOGFONT font = {};
    m_font.GetLogFont(&font);
    change(font);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&font);
}

void CSkinLabel::SetFontSize(int width, int height)
{
    ChangeFont([&](LOGFONT& font) {
        font.lfWidth = width;
        font.lfHeight = height;
    });
}

void CSkinLabel::SetItalic(BOOL italic)
{
    ChangeFont([&](LOGFONT& font) { font.lfItalic = (BYTE)(italic != FALSE); });
}

void CSkinLabel::SetCharset(BYTE charset)
{
    ChangeFont([&](LOGFONT& font) { font.lfCharSet = charset; });
}

void CSkinLabel::SetFaceName(LPCTSTR name)
{
    ChangeFont([&](LOGFONT& font) { lstrcpynA(font.lfFaceName, name, LF_FACESIZE); });
}

void CSkinLabel::RedrawInParent()
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent == NULL)
        return;
    RECT rect;
    GetWindowRect(&rect);
    MapWindowPoints(NULL, parent, (LPPOINT)&rect, 2);
    InvalidateRect(parent, &rect, TRUE);
}

void CSkinLabel::PreSubclassWindow()
{
    SetWindowText(m_text);
    SetWindowPos(NULL, m_x, m_y, m_width, m_height, SWP_NOZORDER);
    RedrawInParent();
    CStatic::PreSubclassWindow();
}

void CSkinLabel::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (m_backMode == BACK_COLOR)
        dc.FillSolidRect(&rect, m_backColor);
    else if (m_backMode == BACK_BITMAP)
        m_back.DrawAt(&dc, rect);
    CFont* oldFont = dc.SelectObject(&m_font);
    int oldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF oldColor = dc.SetTextColor(m_textColor);
    CSize text = dc.GetTextExtent(m_text);
    if (text.cy < rect.Height()) {
        int margin = (rect.Height() - text.cy) / 2;
        rect.top += margin;
        rect.bottom -= margin;
    }
    dc.DrawText(m_text, &rect, 0);
    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
    dc.SelectObject(oldFont);
}

LRESULT CSkinLabel::OnGetFont(WPARAM, LPARAM)
{
    return (LRESULT)m_font.GetSafeHandle();
}
