#include "BasePropertyPage.h"

#include "CDebugLog.h"

#include <string.h>

CBasePropertyPage::CBasePropertyPage(IUnknown* outer, HINSTANCE module, int dialogId, int titleId)
    : CComIdentity(outer), m_module(module), m_dialogId(dialogId), m_titleId(titleId)
{
}

CBasePropertyPage::~CBasePropertyPage()
{
    if (m_window)
        DestroyWindow(m_window);
}

STDMETHODIMP CBasePropertyPage::SetPageSite(IPropertyPageSite* site)
{
    if (site && m_site)
        return E_UNEXPECTED;
    m_site = site;
    return S_OK;
}

// page is null for a dialog made only to be measured: its messages reach no hook.
HWND CBasePropertyPage::CreatePageDialog(HWND parent, CBasePropertyPage* page)
{
    return CreateDialogParamW(m_module, MAKEINTRESOURCEW(m_dialogId), parent, &CBasePropertyPage::DialogProc,
                              reinterpret_cast<LPARAM>(page));
}

STDMETHODIMP CBasePropertyPage::Activate(HWND parent, LPCRECT rect, BOOL)
{
    if (!rect)
        return E_POINTER;
    if (m_window)
        return E_UNEXPECTED;
    HWND window = CreatePageDialog(parent, this);
    if (!window) {
        m_window = nullptr;
        return HRESULT_FROM_WIN32(GetLastError());
    }
    m_window = window;
    HRESULT hr = OnActivate();
    if (FAILED(hr)) {
        DestroyWindow(m_window);
        m_window = nullptr;
        return hr;
    }
    return Move(rect);
}

STDMETHODIMP CBasePropertyPage::Deactivate()
{
    if (!m_window)
        return E_UNEXPECTED;
    HRESULT hr = OnDeactivate();
    DestroyWindow(m_window);
    m_window = nullptr;
    return hr;
}

STDMETHODIMP CBasePropertyPage::GetPageInfo(PROPPAGEINFO* info)
{
    if (!info)
        return E_POINTER;
    const WCHAR* title = nullptr;
    int length = LoadStringW(m_module, m_titleId, reinterpret_cast<LPWSTR>(&title), 0);
    info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc((length + 1) * sizeof(WCHAR)));
    if (!info->pszTitle)
        return E_OUTOFMEMORY;
    memcpy(info->pszTitle, title, length * sizeof(WCHAR));
    info->pszTitle[length] = 0;

    // The frame sizes itself to the largest page: measure the dialog in pixels.
    HWND measured = CreatePageDialog(GetDesktopWindow(), nullptr);
    RECT bounds = {};
    if (measured) {
        GetWindowRect(measured, &bounds);
        DestroyWindow(measured);
    }
    info->cb = sizeof(PROPPAGEINFO);
    info->size.cx = bounds.right - bounds.left;
    info->size.cy = bounds.bottom - bounds.top;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::SetObjects(ULONG count, IUnknown** objects)
{
    if (count > 0 && !objects)
        return E_POINTER;
    HRESULT hr = S_OK;
    if (m_connected) {
        m_connected = false;
        hr = OnDisconnect();
    }
    if (count == 0)
        return hr;
    hr = OnConnect(objects[0]);
    m_connected = SUCCEEDED(hr);
    return hr;
}

STDMETHODIMP CBasePropertyPage::Show(UINT command)
{
    if (!m_window)
        return E_UNEXPECTED;
    ShowWindow(m_window, command);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Move(LPCRECT rect)
{
    if (!rect)
        return E_POINTER;
    if (!m_window)
        return E_UNEXPECTED;
    MoveWindow(m_window, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::IsPageDirty()
{
    return m_dirty ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePropertyPage::Apply()
{
    if (!m_dirty)
        return S_OK;
    HRESULT hr = OnApplyChanges();
    if (SUCCEEDED(hr))
        m_dirty = false;
    return hr;
}

STDMETHODIMP CBasePropertyPage::Help(LPCOLESTR)
{
    static LONG reported = 0;
    return CDebugLog::NotImplemented("IPropertyPage::Help", reported);
}

STDMETHODIMP CBasePropertyPage::TranslateAccelerator(MSG*)
{
    return S_FALSE;
}

HRESULT CBasePropertyPage::OnConnect(IUnknown*)
{
    return S_OK;
}

HRESULT CBasePropertyPage::OnDisconnect()
{
    return S_OK;
}

HRESULT CBasePropertyPage::OnActivate()
{
    return S_OK;
}

HRESULT CBasePropertyPage::OnDeactivate()
{
    return S_OK;
}

HRESULT CBasePropertyPage::OnApplyChanges()
{
    return S_OK;
}

INT_PTR CBasePropertyPage::OnReceiveMessage(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void CBasePropertyPage::SetDirty()
{
    m_dirty = true;
    if (m_site)
        m_site->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

void* CBasePropertyPage::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IPropertyPage))
        return static_cast<IPropertyPage*>(this);
    return CComIdentity::FindInterface(iid);
}

INT_PTR CALLBACK CBasePropertyPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<CBasePropertyPage*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        if (!page)
            return TRUE;
        // Known before CreateDialogParam returns, so OnReceiveMessage can use Window().
        page->m_window = window;
        return page->OnReceiveMessage(window, message, wParam, lParam);
    }
    auto* page = reinterpret_cast<CBasePropertyPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return page ? page->OnReceiveMessage(window, message, wParam, lParam) : FALSE;
}
