#include "CSkinWnd.h"

#include "BitmapRegion.h"

CSkinWnd::CSkinWnd()
    : m_hWnd(NULL), m_backColor(0), m_mode(0), m_transparent(FALSE), m_width(0), m_height(0),
      m_transparentColor(0), m_previousProc(NULL)
{
}

CSkinWnd::~CSkinWnd()
{
    Detach();
}

std::map<HWND, CSkinWnd*>& CSkinWnd::Skins()
{
    static std::map<HWND, CSkinWnd*> skins;
    return skins;
}

BOOL CSkinWnd::TakeBack(BOOL loaded, COLORREF transparentColor, BOOL transparent)
{
    if (!loaded)
        return FALSE;
    m_mode = MODE_BITMAP;
    m_transparent = transparent;
    m_transparentColor = transparentColor;
    m_width = m_back.GetWidth();
    m_height = m_back.GetHeight();
    m_region.DeleteObject();
    if (transparent)
        return CutBitmapRegion(&m_region, &m_back, transparentColor);
    return m_region.CreateRectRgn(0, 0, m_width, m_height);
}

BOOL CSkinWnd::LoadBackFile(LPCTSTR path, COLORREF transparentColor, BOOL transparent)
{
    return TakeBack(m_back.LoadFromFile(path), transparentColor, transparent);
}

BOOL CSkinWnd::LoadBackResource(UINT resourceId, COLORREF transparentColor, BOOL transparent)
{
    return TakeBack(m_back.LoadResource(resourceId), transparentColor, transparent);
}

void CSkinWnd::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
    m_region.DeleteObject();
    m_region.CreateRectRgn(0, 0, width, height);
}

void CSkinWnd::SetBackColor(COLORREF color)
{
    m_backColor = color;
    m_mode = MODE_COLOR;
}

BOOL CSkinWnd::Attach(HWND window)
{
    if (window == NULL || !IsWindow(window))
        return FALSE;
    m_hWnd = window;
    std::map<HWND, CSkinWnd*>& skins = Skins();
    auto existing = skins.find(window);
    if (existing != skins.end() && existing->second != this) {
        // Another skin's procedure is on the window already: take over its saved one rather
        // than save our own procedure as the one to call next.
        CSkinWnd* old = existing->second;
        m_previousProc = old->m_previousProc;
        old->m_previousProc = NULL;
        old->m_hWnd = NULL;
    }
    skins[window] = this;

    RECT rect;
    GetWindowRect(window, &rect);
    HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : NULL;
    MapWindowPoints(NULL, parent, (LPPOINT)&rect, 2);
    MoveWindow(window, rect.left, rect.top, m_width, m_height, TRUE);
    if (m_region.GetSafeHandle() != NULL) {
        // The window owns the region it is given: it gets a copy.
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(shape, m_region, NULL, RGN_COPY);
        SetWindowRgn(window, shape, TRUE);
    }
    if (m_previousProc == NULL)
        m_previousProc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)WindowProc);
    return TRUE;
}

void CSkinWnd::Detach()
{
    if (m_hWnd == NULL || m_previousProc == NULL)
        return;
    if (IsWindow(m_hWnd))
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_previousProc);
    std::map<HWND, CSkinWnd*>& skins = Skins();
    auto entry = skins.find(m_hWnd);
    if (entry != skins.end() && entry->second == this)
        skins.erase(entry);
    m_previousProc = NULL;
    m_hWnd = NULL;
}

void CSkinWnd::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(m_hWnd, &client);
    if (m_mode == MODE_COLOR)
        pDC->FillSolidRect(&client, m_backColor);
    else if (m_mode == MODE_BITMAP)
        m_back.DrawAt(pDC, client);
}

LRESULT CALLBACK CSkinWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::map<HWND, CSkinWnd*>& skins = Skins();
    auto entry = skins.find(window);
    if (entry == skins.end())
        return DefWindowProcA(window, message, wParam, lParam);
    CSkinWnd* skin = entry->second;
    if (message == WM_ERASEBKGND) {
        skin->Paint(CDC::FromHandle((HDC)wParam));
        return 1;
    }
    WNDPROC previous = skin->m_previousProc;
    if (message == WM_NCDESTROY) {
        // The window is going: the skin lets go of it, and the end still reaches the
        // procedure below (the framework unbinds its object there).
        skins.erase(entry);
        skin->m_previousProc = NULL;
        skin->m_hWnd = NULL;
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}
