#pragma once

#include "ComIdentity.h"
#include "ComRef.h"

#include <ocidl.h>

// A property page on a dialog resource: IPropertyPage for a property frame, with the
// page's own work in the On* hooks. Used from the frame's (user interface) thread only,
// so it needs no lock.
class CBasePropertyPage : public CComIdentity, public IPropertyPage
{
public:
    // module holds the dialog template dialogId (WS_CHILD, not visible) and the title
    // string titleId.
    CBasePropertyPage(IUnknown* outer, HINSTANCE module, int dialogId, int titleId);
    ~CBasePropertyPage() override;

    DSHOW_DELEGATING_UNKNOWN

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR helpDirectory) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;

protected:
    // The object the page edits (the first of SetObjects), and its end.
    virtual HRESULT OnConnect(IUnknown* object);
    virtual HRESULT OnDisconnect();
    // The dialog has been created / is about to be destroyed.
    virtual HRESULT OnActivate();
    virtual HRESULT OnDeactivate();
    // The frame applies a dirty page; the page is clean again when this succeeds.
    virtual HRESULT OnApplyChanges();
    // The dialog's messages; TRUE when handled. The default answers WM_INITDIALOG with TRUE.
    virtual INT_PTR OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Marks the page changed and tells the frame, which enables its Apply button.
    void SetDirty();
    bool IsDirty() const { return m_dirty; }
    // The dialog while active, else null.
    HWND Window() const { return m_window; }

    void* FindInterface(REFIID iid) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreatePageDialog(HWND parent, CBasePropertyPage* page);

    const HINSTANCE m_module;
    const int m_dialogId;
    const int m_titleId;
    CComRef<IPropertyPageSite> m_site;
    HWND m_window = nullptr;
    bool m_dirty = false;
    bool m_connected = false;
};
