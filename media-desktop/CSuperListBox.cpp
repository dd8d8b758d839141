#include "CSuperListBox.h"

#include "KitBitmap.h"
#include "KitWindowClass.h"
#include "VelmoraResource.h"

BEGIN_MESSAGE_MAP(CSuperListBox, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CSuperListBox::CSuperListBox()
    : m_columns(1), m_rows(10), m_itemWidth(100), m_itemHeight(30), m_margins(4, 4, 20, 4),
      m_innerBorder(4), m_columnSpacing(2), m_rowSpacing(2), m_arrowGap(8), m_first(0),
      m_current(0), m_hover(-1), m_lastReported(-1), m_textColor(RGB(255, 255, 255)),
      m_hoverTextColor(RGB(255, 255, 255)), m_currentFocusTextColor(RGB(0, 255, 0)),
      m_currentTextColor(RGB(0, 0, 0)), m_transparentColor(RGB(255, 0, 255)), m_alpha(175),
      m_style(92), m_fontFace("新宋体"), m_fontPointSize(180), m_tracking(FALSE),
      m_upArrow(NULL), m_downArrow(NULL)
{
}

CSuperListBox::~CSuperListBox()
{
    if (m_upArrow)
        DeleteObject(m_upArrow);
    if (m_downArrow)
        DeleteObject(m_downArrow);
}

BOOL CSuperListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCSTR windowClass = RegisterKitWindowClass("SuperListBox", CS_DBLCLKS);
    return windowClass && CWnd::Create(windowClass, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CSuperListBox::SetFontSpec(LPCTSTR face, int pointSize)
{
    m_fontFace = face;
    m_fontPointSize = pointSize;
}

int CSuperListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_font.CreatePointFont(m_fontPointSize, m_fontFace);
    if (!m_upArrow)
        m_upArrow = LoadKitBitmap(IDB_LIST_UP);
    if (!m_downArrow)
        m_downArrow = LoadKitBitmap(IDB_LIST_DOWN);
    return 0;
}

int CSuperListBox::AddString(LPCTSTR text)
{
    int index = (int)m_items.Add(text);
    if (m_hWnd)
        Invalidate(FALSE);
    return index;
}

int CSuperListBox::AddString(UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    return AddString(text);
}

BOOL CSuperListBox::SetItemText(int index, LPCTSTR text)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    m_items[index] = text;
    if (m_hWnd)
        Invalidate(FALSE);
    return TRUE;
}

BOOL CSuperListBox::GetItemText(int index, CString& text) const
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    text = m_items[index];
    return TRUE;
}

void CSuperListBox::SetItemSize(int width, int height)
{
    m_itemWidth = width;
    m_itemHeight = height;
}

void CSuperListBox::SetGrid(int rows, int columns)
{
    m_rows = rows > 0 ? rows : 1;
    m_columns = columns > 0 ? columns : 1;
}

void CSuperListBox::ResetContent()
{
    m_items.RemoveAll();
    m_first = 0;
    m_current = 0;
    m_hover = -1;
    m_lastReported = -1;
    if (m_hWnd)
        Invalidate(FALSE);
}

CRect CSuperListBox::GetItemRect(int index) const
{
    if (index < m_first || index >= m_first + PageSize() || index >= GetCount())
        return CRect(0, 0, 0, 0);
    const int k = index - m_first;
    const int x = m_margins.left + (k % m_columns) * (m_itemWidth + m_columnSpacing);
    const int y = m_margins.top + (k / m_columns) * (m_itemHeight + m_rowSpacing);
    return CRect(x, y, x + m_itemWidth, y + m_itemHeight);
}

CRect CSuperListBox::GetUpArrowRect() const
{
    const SIZE size = KitBitmapSize(m_upArrow);
    const int x = m_margins.left + m_columns * (m_itemWidth + m_columnSpacing) - m_columnSpacing
                  + m_arrowGap;
    return CRect(x, m_margins.top, x + size.cx, m_margins.top + size.cy);
}

CRect CSuperListBox::GetDownArrowRect() const
{
    const SIZE size = KitBitmapSize(m_downArrow);
    const int left = GetUpArrowRect().left;
    const int bottom = m_margins.top + m_rows * (m_itemHeight + m_rowSpacing) - m_rowSpacing;
    return CRect(left, bottom - size.cy, left + size.cx, bottom);
}

int CSuperListBox::ItemFromPoint(CPoint point) const
{
    for (int i = m_first; i < m_first + PageSize() && i < GetCount(); ++i) {
        if (GetItemRect(i).PtInRect(point))
            return i;
    }
    return -1;
}

HWND CSuperListBox::NotifyTarget() const
{
    return (m_style & SLS_NOTIFY_SELF) ? m_hWnd : ::GetParent(m_hWnd);
}

LRESULT CSuperListBox::Notify(UINT message, LPARAM lParam)
{
    return ::SendMessageA(NotifyTarget(), message, (WPARAM)m_hWnd, lParam);
}

COLORREF CSuperListBox::TextColorOf(int index) const
{
    if (index == m_hover)
        return m_hoverTextColor;
    if (index == m_current)
        return ::GetFocus() == m_hWnd ? m_currentFocusTextColor : m_currentTextColor;
    return m_textColor;
}

void CSuperListBox::DrawItem(CDC* pDC, int index, const CRect& rect)
{
    const COLORREF fill = index == m_hover     ? RGB(255, 0, 0)
                          : index == m_current ? RGB(0, 255, 0)
                                               : RGB(128, 128, 128);
    pDC->FillSolidRect(&rect, fill);
    CRect text = rect;
    text.DeflateRect(m_innerBorder, m_innerBorder);
    CFont* oldFont = pDC->SelectObject(&m_font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(TextColorOf(index));
    pDC->DrawText(m_items[index], &text,
                  DT_SINGLELINE | DT_VCENTER | ((m_style & SLS_LEFT_TEXT) ? DT_LEFT : DT_CENTER));
    pDC->SelectObject(oldFont);
}

void CSuperListBox::DrawArrow(HDC dc, HBITMAP bitmap, const CRect& rect)
{
    BlendOver(dc, rect, m_alpha, [&](HDC part) {
        DrawKitBitmap(part, CRect(0, 0, rect.Width(), rect.Height()), bitmap, m_transparentColor);
    });
}

void CSuperListBox::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    HDC memory = CreateCompatibleDC(paint.m_hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(paint.m_hDC, client.Width(), client.Height());
    HGDIOBJ old = SelectObject(memory, bitmap);

    KitBackgroundRequest request = {memory, client};
    Notify(WM_KIT_PAINT_BACKGROUND, (LPARAM)&request);
    for (int i = m_first; i < m_first + PageSize() && i < GetCount(); ++i) {
        const CRect rect = GetItemRect(i);
        BlendOver(memory, rect, m_alpha, [&](HDC part) {
            CDC* dc = CDC::FromHandle(part);
            DrawItem(dc, i, CRect(0, 0, rect.Width(), rect.Height()));
        });
    }
    if (m_first > 0)
        DrawArrow(memory, m_upArrow, GetUpArrowRect());
    if (m_first + PageSize() < GetCount())
        DrawArrow(memory, m_downArrow, GetDownArrowRect());

    BitBlt(paint.m_hDC, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);

    if (m_current != m_lastReported && m_current < GetCount()) {
        m_lastReported = m_current;
        Notify(WM_KIT_SEL_CHANGE, m_current);
    }
}

BOOL CSuperListBox::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSuperListBox::SetHover(int index)
{
    if (index == m_hover)
        return;
    m_hover = index;
    Invalidate(FALSE);
}

void CSuperListBox::OnMouseMove(UINT, CPoint point)
{
    if (!m_tracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_tracking = TrackMouseEvent(&track);
    }
    SetHover(ItemFromPoint(point));
}

void CSuperListBox::OnMouseLeave()
{
    m_tracking = FALSE;
    SetHover(-1);
}

BOOL CSuperListBox::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint point;
        GetCursorPos(&point);
        ScreenToClient(&point);
        if (ItemFromPoint(point) >= 0) {
            SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_HAND));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSuperListBox::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    const int item = ItemFromPoint(point);
    if (item >= 0) {
        MoveTo(item);
        if (m_style & SLS_SINGLE_CLICK)
            Activate();
    } else if (m_first > 0 && GetUpArrowRect().PtInRect(point)) {
        Scroll(-1);
    } else if (m_first + PageSize() < GetCount() && GetDownArrowRect().PtInRect(point)) {
        Scroll(1);
    }
}

void CSuperListBox::OnLButtonDblClk(UINT, CPoint)
{
    if (m_hover < 0 || m_hover >= GetCount())
        return;
    MoveTo(m_hover);
    if (!(m_style & SLS_SINGLE_CLICK))
        Activate();
}

void CSuperListBox::Scroll(int rows)
{
    const int first = m_first + rows * m_columns;
    if (first < 0 || first >= GetCount())
        return;
    m_first = first;
    if (m_current < m_first)
        m_current = m_first;
    else if (m_current >= m_first + PageSize())
        m_current = m_first + PageSize() - 1;
    if (m_current >= GetCount())
        m_current = GetCount() - 1;
    Invalidate(FALSE);
}

void CSuperListBox::MoveTo(int index)
{
    if (GetCount() == 0)
        return;
    if (index < 0)
        index = 0;
    if (index >= GetCount())
        index = GetCount() - 1;
    m_current = index;
    const int row = index / m_columns;
    if (index < m_first)
        m_first = row * m_columns;
    else if (index >= m_first + PageSize())
        m_first = (row - m_rows + 1) * m_columns;
    Invalidate(FALSE);
}

void CSuperListBox::Activate()
{
    if (m_current >= 0 && m_current < GetCount())
        OnItemActivate(m_current);
}

void CSuperListBox::OnItemActivate(int index)
{
    Notify(WM_KIT_ACTIVATE, index);
}

BOOL CSuperListBox::FocusSibling(UINT direction)
{
    HWND sibling = ::GetWindow(m_hWnd, direction);
    while (sibling && !(::IsWindowVisible(sibling) && ::IsWindowEnabled(sibling)))
        sibling = ::GetWindow(sibling, direction);
    if (!sibling)
        return FALSE;
    ::SetFocus(sibling);
    return TRUE;
}

void CSuperListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const int column = m_current % m_columns;
    switch (nChar) {
    case VK_BACK:
        Notify(WM_KIT_BACK, 0);
        break;
    case VK_TAB:
        Notify(WM_KIT_FOCUS, GetKeyState(VK_SHIFT) < 0 ? KIT_FOCUS_PREVIOUS : KIT_FOCUS_NEXT);
        break;
    case VK_RETURN:
        Activate();
        break;
    case VK_PRIOR:
        MoveTo(m_current - PageSize());
        break;
    case VK_NEXT:
        MoveTo(m_current + PageSize());
        break;
    case VK_HOME:
        MoveTo(0);
        break;
    case VK_END:
        MoveTo(GetCount() - 1);
        break;
    case VK_LEFT:
        if (column > 0 || !FocusSibling(GW_HWNDPREV))
            MoveTo(m_current - 1);
        break;
    case VK_RIGHT: {
        const BOOL lastColumn = column == m_columns - 1 || m_current == GetCount() - 1;
        if (lastColumn && m_rows == 1 && m_current == GetCount() - 1 && (m_style & SLS_RIGHT_STAYS))
            break;
        if (!lastColumn || !FocusSibling(GW_HWNDNEXT))
            MoveTo(m_current + 1);
        break;
    }
    case VK_UP:
        MoveTo(m_current - m_columns >= 0 ? m_current - m_columns : m_current - 1);
        break;
    case VK_DOWN:
        MoveTo(m_current + m_columns < GetCount() ? m_current + m_columns : m_current + 1);
        break;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    }
}

UINT CSuperListBox::OnGetDlgCode()
{
    return (m_style & SLS_WANT_KEYS) ? DLGC_WANTTAB | DLGC_WANTALLKEYS : DLGC_STATIC;
}

void CSuperListBox::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    Notify(WM_KIT_FOCUS, KIT_FOCUS_TAKEN);
    Invalidate(FALSE);
}

void CSuperListBox::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    Invalidate(FALSE);
}
