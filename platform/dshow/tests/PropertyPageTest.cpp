// The property page base on a dialog resource, driven as a property frame drives it.
#include "BasePropertyPage.h"
#include "ComProbe.h"
#include "DshowTest.h"
#include "TestPageIds.h"
#include "TestSink.h"

#include <string>

namespace {

// A frame's page site that records the status changes it is told of.
class CRecordingSite : public CComIdentity, public IPropertyPageSite
{
public:
    CRecordingSite() : CComIdentity(nullptr) {}
    DSHOW_DELEGATING_UNKNOWN
    STDMETHODIMP OnStatusChange(DWORD flags) override
    {
        statusChanges.push_back(flags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* locale) override
    {
        *locale = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** container) override
    {
        *container = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

    std::vector<DWORD> statusChanges;

protected:
    void* FindInterface(REFIID iid) override
    {
        return IsEqualIID(iid, IID_IPropertyPageSite) ? static_cast<IPropertyPageSite*>(this)
                                                      : CComIdentity::FindInterface(iid);
    }
};

// Shows the edited filter's name; the check box makes it dirty; Apply records the box.
class CNamePage : public CBasePropertyPage
{
public:
    CNamePage() : CBasePropertyPage(nullptr, GetModuleHandleW(nullptr), IDD_TEST_PAGE, IDS_TEST_PAGE_TITLE) {}

    int applied = 0;
    bool appliedOption = false;
    bool connected = false;

protected:
    HRESULT OnConnect(IUnknown* object) override
    {
        connected = true;
        return object->QueryInterface(IID_IBaseFilter, m_filter.ReceiveVoid());
    }
    HRESULT OnDisconnect() override
    {
        connected = false;
        m_filter.Reset();
        return S_OK;
    }
    HRESULT OnActivate() override
    {
        FILTER_INFO info;
        HRESULT hr = m_filter->QueryFilterInfo(&info);
        if (FAILED(hr))
            return hr;
        SetDlgItemTextW(Window(), IDC_TEST_NAME, info.achName);
        return S_OK;
    }
    HRESULT OnApplyChanges() override
    {
        ++applied;
        appliedOption = IsDlgButtonChecked(Window(), IDC_TEST_OPTION) == BST_CHECKED;
        return S_OK;
    }
    INT_PTR OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_TEST_OPTION && HIWORD(wParam) == BN_CLICKED) {
            SetDirty();
            return TRUE;
        }
        return CBasePropertyPage::OnReceiveMessage(window, message, wParam, lParam);
    }

private:
    CComRef<IBaseFilter> m_filter;
};

using PropertyPageTest = DshowTest;

TEST_F(PropertyPageTest, PageEditsItsObjectAndReportsDirtyUntilApplied)
{
    auto* page = new CNamePage();
    auto* site = new CRecordingSite();
    auto* filter = new CTestSink();
    filter->JoinFilterGraph(nullptr, L"\x91C7\x96C6"); // "采集"
    IUnknown* object = static_cast<IBaseFilter*>(filter);
    HWND frame = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(nullptr, frame);

    PROPPAGEINFO info = {};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_EQ(std::wstring(L"\x6D4B\x8BD5\x9875"), info.pszTitle); // "测试页"
    EXPECT_GT(info.size.cx, 0);
    EXPECT_GT(info.size.cy, 0);
    CoTaskMemFree(info.pszTitle);

    ASSERT_EQ(S_OK, page->SetPageSite(site));
    EXPECT_EQ(E_UNEXPECTED, page->SetPageSite(site));
    ASSERT_EQ(S_OK, page->SetObjects(1, &object));
    EXPECT_EQ(2u, CComProbe::RefCount(object)) << "the page holds the object it edits";

    RECT rect = {0, 0, info.size.cx, info.size.cy};
    ASSERT_EQ(S_OK, page->Activate(frame, &rect, FALSE));
    HWND dialog = GetWindow(frame, GW_CHILD);
    ASSERT_NE(nullptr, dialog);
    WCHAR name[16] = {};
    GetDlgItemTextW(dialog, IDC_TEST_NAME, name, 16);
    EXPECT_EQ(std::wstring(L"\x91C7\x96C6"), name);
    EXPECT_EQ(S_OK, page->Show(SW_SHOW));

    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    CheckDlgButton(dialog, IDC_TEST_OPTION, BST_CHECKED);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_TEST_OPTION, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_TEST_OPTION)));
    EXPECT_EQ(S_OK, page->IsPageDirty());
    ASSERT_EQ(1u, site->statusChanges.size());
    EXPECT_EQ(static_cast<DWORD>(PROPPAGESTATUS_DIRTY), site->statusChanges[0]);

    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(1, page->applied);
    EXPECT_TRUE(page->appliedOption);
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(1, page->applied) << "a clean page has nothing to apply";

    EXPECT_EQ(S_OK, page->Deactivate());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(E_UNEXPECTED, page->Deactivate());
    EXPECT_EQ(S_OK, page->SetObjects(0, nullptr));
    EXPECT_FALSE(page->connected);
    EXPECT_EQ(S_OK, page->SetPageSite(nullptr));

    DestroyWindow(frame);
    EXPECT_EQ(0u, page->InnerRelease());
    EXPECT_EQ(0u, site->InnerRelease());
    EXPECT_EQ(0u, filter->Release());
}

} // namespace
