#include "CGradientCaption.h"

namespace {

const int kBands = 128;
const int kTextMargin = 5;
const int kConstantHeight = 18;
const int kConstantWeight = 700;
const COLORREF kConstantColor = RGB(255, 255, 0);

}  // namespace

BEGIN_MESSAGE_MAP(CGradientCaption, CStatic)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CGradientCaption::CGradientCaption()
    : m_textColor(GetSysColor(COLOR_BTNTEXT)), m_fontWeight(FW_NORMAL), m_fontHeight(0)
{
}

CGradientCaption::~CGradientCaption()
{
}

void CGradientCaption::SetFont(LPCTSTR name, int weight, int height)
{
    m_fontName = name;
    m_fontWeight = weight;
    m_fontHeight = height;
}

void CGradientCaption::SetConstantText(LPCTSTR text)
{
    m_constantText = text;
    m_background.DeleteObject();
}

void CGradientCaption::MakeBackground(HDC dc, int width, int height)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int band = width / kBands > 0 ? width / kBands : 1;
    HDC memory = CreateCompatibleDC(dc);
    m_background.Attach(CreateCompatibleBitmap(dc, width, height));
    HGDIOBJ oldBitmap = SelectObject(memory, m_background.m_hObject);
    // Each band darkens with the square of its distance from the right edge.
    for (int x = 0; x < width; x += band) {
        const double distance = (double)(width - x) / width;
        const double level = 1.0 - distance * distance;
        RECT rect = {x, 0, x + band, height};
        HBRUSH brush = CreateSolidBrush(RGB((int)(GetRValue(face) * level), (int)(GetGValue(face) * level),
                                            (int)(GetBValue(face) * level)));
        FillRect(memory, &rect, brush);
        DeleteObject(brush);
    }
    if (!m_constantText.IsEmpty()) {
        HFONT font = CreateFontA(kConstantHeight, 0, 0, 0, kConstantWeight, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, 0, 0, 0, 0, m_fontName);
        HGDIOBJ oldFont = SelectObject(memory, font);
        SetBkMode(memory, TRANSPARENT);
        const UINT format = DT_RIGHT | DT_SINGLELINE | DT_VCENTER;
        RECT shadow = {0, -2, width - kTextMargin - 2, height - 2};
        ::SetTextColor(memory, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(memory, m_constantText, -1, &shadow, format);
        RECT text = {0, 0, width - kTextMargin, height};
        ::SetTextColor(memory, kConstantColor);
        DrawTextA(memory, m_constantText, -1, &text, format);
        SelectObject(memory, oldFont);
        DeleteObject(font);
    }
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
}

BOOL CGradientCaption::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return TRUE;
    if (!m_background.m_hObject)
        MakeBackground(pDC->m_hDC, client.Width(), client.Height());
    HDC memory = CreateCompatibleDC(pDC->m_hDC);
    HGDIOBJ old = SelectObject(memory, m_background.m_hObject);
    BitBlt(pDC->m_hDC, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return TRUE;
}

void CGradientCaption::OnPaint()
{
    CPaintDC dc(this);
    CString text;
    GetWindowText(text);
    CRect client;
    GetClientRect(&client);
    client.left += kTextMargin;
    HFONT font = NULL;
    if (!m_fontName.IsEmpty())
        font = CreateFontA(m_fontHeight, 0, 0, 0, m_fontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           0, 0, 0, 0, m_fontName);
    HGDIOBJ parentFont = GetParent() ? (HGDIOBJ)GetParent()->SendMessage(WM_GETFONT) : NULL;
    HGDIOBJ oldFont = SelectObject(dc.m_hDC, font ? (HGDIOBJ)font : parentFont ? parentFont
                                                                                : GetStockObject(DEFAULT_GUI_FONT));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColor);
    dc.DrawText(text, &client, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc.m_hDC, oldFont);
    if (font)
        DeleteObject(font);
}

LRESULT CGradientCaption::OnSetText(WPARAM, LPARAM)
{
    LRESULT result = Default();
    Invalidate();
    return result;
}
