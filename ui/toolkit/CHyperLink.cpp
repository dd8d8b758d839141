#include "CHyperLink.h"

namespace {

const UINT kToolId = 1;
// The help program's hand cursor, the link's cursor where it still exists.
const WORD kHelpHandCursor = 106;
// The registry's texts are read at most this long.
const LONG kValueSize = 260;

// The report's text for each code the shell gives.
const struct { int code; const char* text; } kShellErrors[] = {
    // code  text
    {0, "The operating system is out\nof memory or resources."},
    {ERROR_FILE_NOT_FOUND, "The specified file was not found."},
    {ERROR_PATH_NOT_FOUND, "The specified path was not found."},
    {SE_ERR_ACCESSDENIED, "The operating system denied\naccess to the specified file."},
    {SE_ERR_OOM, "There was not enough memory to complete the operation."},
    {ERROR_BAD_FORMAT, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {SE_ERR_SHARE, "A sharing violation occurred. "},
    {SE_ERR_ASSOCINCOMPLETE, "The filename association is\nincomplete or invalid."},
    {SE_ERR_DDETIMEOUT, "The DDE transaction could not\nbe completed because the request timed out."},
    {SE_ERR_DDEFAIL, "The DDE transaction failed."},
    {SE_ERR_DDEBUSY, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {SE_ERR_NOASSOC, "There is no application associated\nwith the given filename extension."},
    {SE_ERR_DLLNOTFOUND, "The specified dynamic-link library was not found."},
};

// The default value of a key of HKEY_CLASSES_ROOT; FALSE when it cannot be read.
BOOL ReadClassValue(const CString& key, CString& value)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char data[kValueSize] = "";
    LONG size = kValueSize;
    LONG result = RegQueryValueA(hKey, NULL, data, &size);
    RegCloseKey(hKey);
    if (result != ERROR_SUCCESS)
        return FALSE;
    data[kValueSize - 1] = '\0';
    value = data;
    return TRUE;
}

} // namespace

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CHyperLink::CHyperLink() {}

CHyperLink::~CHyperLink()
{
    if (m_bOwnCursor && m_hLinkCursor)
        DestroyCursor(m_hLinkCursor);
    m_UnderlineFont.DeleteObject();
    m_StdFont.DeleteObject();
}

BOOL CHyperLink::DestroyWindow()
{
    if (GetSafeHwnd())
        KillTimer(kHoverTimer);
    return CStatic::DestroyWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.GetSafeHwnd())
        m_ToolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CHyperLink::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);

    CString text;
    GetWindowText(text);
    if (m_strURL.IsEmpty())
        m_strURL = text;
    if (text.IsEmpty())
        SetWindowText(m_strURL);

    HFONT font = (HFONT)SendMessage(WM_GETFONT);
    if (!font)
        font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    if (!font)
        font = (HFONT)GetStockObject(SYSTEM_FONT);
    LOGFONTA logFont = {};
    ::GetObjectA(font, sizeof(logFont), &logFont);
    m_StdFont.CreateFontIndirect(&logFont);
    logFont.lfUnderline = TRUE;
    m_UnderlineFont.CreateFontIndirect(&logFont);
    SendMessage(WM_SETFONT, (WPARAM)(m_nUnderline == kUnderlineAlways ? m_UnderlineFont : m_StdFont).GetSafeHandle(), FALSE);

    PositionWindow();
    SetDefaultCursor();

    CRect client;
    GetClientRect(&client);
    m_ToolTip.Create(this);
    m_ToolTip.AddTool(this, m_strURL, &client, kToolId);

    CStatic::PreSubclassWindow();
}

void CHyperLink::SetURL(const CString& address)
{
    m_strURL = address;
    if (GetSafeHwnd()) {
        PositionWindow();
        m_ToolTip.UpdateTipText(m_strURL, this, kToolId);
    }
}

void CHyperLink::SetColours(COLORREF link, COLORREF visited, COLORREF hover)
{
    m_crLinkColour = link;
    m_crVisitedColour = visited;
    m_crHoverColour = hover == kSystemHighlight ? ::GetSysColor(COLOR_HIGHLIGHT) : hover;
    if (GetSafeHwnd())
        Invalidate();
}

void CHyperLink::SetVisited(BOOL visited)
{
    m_bVisited = visited;
    if (GetSafeHwnd())
        Invalidate();
}

void CHyperLink::SetLinkCursor(HCURSOR cursor)
{
    if (m_bOwnCursor && m_hLinkCursor)
        DestroyCursor(m_hLinkCursor);
    m_bOwnCursor = FALSE;
    m_hLinkCursor = cursor;
    if (!m_hLinkCursor)
        SetDefaultCursor();
}

void CHyperLink::SetUnderline(int mode)
{
    if (m_nUnderline == mode)
        return;
    m_nUnderline = mode;
    if (GetSafeHwnd()) {
        CFont& font = mode == kUnderlineAlways ? m_UnderlineFont : m_StdFont;
        SendMessage(WM_SETFONT, (WPARAM)font.GetSafeHandle(), FALSE);
        Invalidate();
    }
}

void CHyperLink::SetAutoSize(BOOL autoSize)
{
    m_bAdjustToFit = autoSize;
    if (GetSafeHwnd())
        PositionWindow();
}

void CHyperLink::PositionWindow()
{
    if (!m_bAdjustToFit || !GetSafeHwnd())
        return;
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    CWnd* parent = GetParent();
    if (parent)
        ::MapWindowPoints(NULL, parent->GetSafeHwnd(), (POINT*)&window, 2);

    CString text;
    GetWindowText(text);
    CSize extent;
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&m_UnderlineFont);
        extent = dc.GetTextExtent(text);
        dc.SelectObject(old);
    }
    // The frame stays as it is: only the text decides the new size.
    extent.cx += window.Width() - client.Width();
    extent.cy += window.Height() - client.Height();

    DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE)
        window.top = (window.top + window.bottom - extent.cy) / 2;
    window.bottom = window.top + extent.cy;
    if ((style & SS_TYPEMASK) == SS_CENTER)
        window.left = (window.left + window.right - extent.cx) / 2;
    else if ((style & SS_TYPEMASK) == SS_RIGHT)
        window.left = window.right - extent.cx;
    window.right = window.left + extent.cx;
    SetWindowPos(NULL, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER);
}

void CHyperLink::SetDefaultCursor()
{
    if (m_hLinkCursor)
        return;
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, MAX_PATH);
    CString helpProgram = CString(path) + "\\winhlp32.exe";
    if (HMODULE module = LoadLibraryExA(helpProgram, NULL, LOAD_LIBRARY_AS_DATAFILE)) {
        if (HCURSOR hand = ::LoadCursorA(module, MAKEINTRESOURCEA(kHelpHandCursor))) {
            m_hLinkCursor = CopyCursor(hand);
            m_bOwnCursor = m_hLinkCursor != NULL;
        }
        FreeLibrary(module);
    }
    // Current systems have no help program with that cursor: the system's own hand.
    if (!m_hLinkCursor)
        m_hLinkCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_HAND);
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT)
{
    if (m_bOverControl)
        pDC->SetTextColor(m_crHoverColour);
    else if (m_bVisited)
        pDC->SetTextColor(m_crVisitedColour);
    else
        pDC->SetTextColor(m_crLinkColour);
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)GetStockObject(NULL_BRUSH);
}

BOOL CHyperLink::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bOverControl) {
        m_bOverControl = TRUE;
        if (m_nUnderline == kUnderlineHover)
            SendMessage(WM_SETFONT, (WPARAM)m_UnderlineFont.GetSafeHandle(), FALSE);
        Invalidate();
        SetTimer(kHoverTimer, 100, NULL);
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    DWORD position = ::GetMessagePos();
    CPoint point((short)LOWORD(position), (short)HIWORD(position));
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (nIDEvent == kHoverTimer && !client.PtInRect(point)) {
        m_bOverControl = FALSE;
        KillTimer(kHoverTimer);
        if (m_nUnderline != kUnderlineAlways)
            SendMessage(WM_SETFONT, (WPARAM)m_StdFont.GetSafeHandle(), FALSE);
        client.bottom += 10;
        ::InvalidateRect(m_hWnd, &client, TRUE);
    }
    CStatic::OnTimer(nIDEvent);
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!m_hLinkCursor)
        return FALSE;
    ::SetCursor(m_hLinkCursor);
    return TRUE;
}

void CHyperLink::OnClicked()
{
    m_bOverControl = FALSE;
    int result = (int)(INT_PTR)GotoURL(m_strURL, SW_SHOW);
    m_bVisited = result > HINSTANCE_ERROR;
    if (m_bVisited) {
        SetVisited();
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
        ReportError(result);
    }
}

HINSTANCE CHyperLink::GotoURL(LPCTSTR address, int showCommand)
{
    HINSTANCE result = ShellExecuteA(NULL, "open", address, NULL, NULL, showCommand);
    if ((INT_PTR)result > HINSTANCE_ERROR)
        return result;

    CString type, command;
    if (!ReadClassValue(".htm", type) || !ReadClassValue(type + "\\shell\\open\\command", command))
        return result;
    int cut = command.Find("\"%1\"");
    if (cut < 0)
        cut = command.Find("%1");
    if (cut >= 0)
        command = command.Left(cut);
    command += " ";
    command += address;
    return (HINSTANCE)(INT_PTR)WinExec(command, showCommand);
}

CString CHyperLink::ErrorText(int code)
{
    for (const auto& error : kShellErrors)
        if (error.code == code)
            return error.text;
    CString text;
    text.Format("Unknown Error (%d) occurred.", code);
    return text;
}

void CHyperLink::ReportError(int code)
{
    AfxMessageBox("Unable to open hyperlink:\n\n" + ErrorText(code), MB_ICONEXCLAMATION);
}
