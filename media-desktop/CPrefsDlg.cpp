#include "CPrefsDlg.h"

#include <shellapi.h>

BEGIN_MESSAGE_MAP(CPrefsDlg, CDialog)
    ON_WM_DESTROY()
    ON_NOTIFY(TVN_SELCHANGEDA, CPrefsDlg::kTreeId, OnTreeSelChanged)
    ON_NOTIFY(TVN_GETDISPINFOA, CPrefsDlg::kTreeId, OnTreeGetDispInfo)
    ON_MESSAGE(CPrefsDlg::WM_CHANGE_PAGE, OnChangePage)
END_MESSAGE_MAP()

const char CPrefsDlg::kSettingsSection[] = "Settings";
const char CPrefsDlg::kCurrentPage[] = "nCurPage";

CPrefsDlg::CPrefsDlg(CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_current(-1), m_startPage(NULL), m_title("Untitled")
{
}

CPrefsDlg::~CPrefsDlg() = default;

BOOL CPrefsDlg::AddPage(CSAPrefsSubDlg& page, LPCTSTR caption, CSAPrefsSubDlg* parent)
{
    if (m_hWnd || (parent && IndexOf(parent) < 0))
        return FALSE;
    m_pages.push_back(PageRecord{&page, page.GetTemplateId(), caption, parent});
    return TRUE;
}

void CPrefsDlg::SetTitle(LPCTSTR title)
{
    m_title = title;
    if (m_hWnd)
        SetWindowText(m_title);
}

int CPrefsDlg::IndexOf(const CSAPrefsSubDlg* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].page == page)
            return (int)i;
    }
    return -1;
}

BOOL CPrefsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tree.SubclassDlgItem(kTreeId, this);
    m_tree.ModifyStyle(0, TVS_TRACKSELECT);
    CWnd* frame = GetDlgItem(kPageFrameId);
    if (frame) {
        frame->GetWindowRect(&m_pageRect);
        ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&m_pageRect, 2);
        m_pageRect.DeflateRect(2, 2);
    }
    SetWindowText(m_title);

    m_caption.SubclassDlgItem(kCaptionId, this);
    m_caption.SetFont("Verdana", 700, 14);
    m_caption.SetTextColor(::GetSysColor(COLOR_BTNFACE));
    m_caption.SetConstantText(m_constantText);

    FillTree();
    const int start = m_startPage ? IndexOf(m_startPage) : -1;
    ShowPage(start >= 0 ? start : 0);
    const int saved = (int)AfxGetApp()->GetProfileInt(kSettingsSection, kCurrentPage, 0);
    if (saved >= 0 && saved < GetPageCount())
        ShowPage(saved);
    // The page shown has the focus.
    return FALSE;
}

void CPrefsDlg::FillTree()
{
    char systemDir[MAX_PATH] = "";
    ::GetSystemDirectoryA(systemDir, MAX_PATH);
    SHFILEINFOA info = {};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    // The system's list is shared by every program: the tree only borrows it.
    HIMAGELIST system = (HIMAGELIST)::SHGetFileInfoA(systemDir, 0, &info, sizeof(info), flags);
    const int closedFolder = info.iIcon;
    ::SHGetFileInfoA(systemDir, 0, &info, sizeof(info), flags | SHGFI_OPENICON);
    const int openFolder = info.iIcon;
    if (system)
        m_tree.SetImageList(CImageList::FromHandle(system), TVSIL_NORMAL);

    m_items.clear();
    for (size_t i = 0; i < m_pages.size(); ++i) {
        const PageRecord& record = m_pages[i];
        TVINSERTSTRUCTA insert = {};
        insert.hParent = record.parent ? m_items[record.parent] : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = (LPSTR)(LPCTSTR)record.caption;
        insert.item.iImage = closedFolder;
        insert.item.iSelectedImage = openFolder;
        insert.item.lParam = (LPARAM)i;
        m_items[record.page] = m_tree.InsertItem(&insert);
    }
}

BOOL CPrefsDlg::ShowPage(int index)
{
    if (!m_hWnd)
        return FALSE;
    m_caption.SetWindowText("");
    if (m_current >= 0 && m_current < GetPageCount() && m_pages[m_current].page->m_hWnd)
        m_pages[m_current].page->ShowWindow(SW_HIDE);
    if (index < 0 || index >= GetPageCount())
        return FALSE;

    const PageRecord& record = m_pages[index];
    m_caption.SetWindowText(record.caption);
    CSAPrefsSubDlg* page = record.page;
    if (!page->m_hWnd && !page->Create(record.templateId, this))
        return FALSE;
    page->MoveWindow(m_pageRect.left, m_pageRect.top, m_pageRect.Width(), m_pageRect.Height());
    page->ShowWindow(SW_SHOW);
    page->SetFocus();
    // Current first, so that the tree's selection change posts nothing.
    m_current = index;
    auto item = m_items.find(page);
    if (item != m_items.end())
        m_tree.SelectItem(item->second);
    return TRUE;
}

BOOL CPrefsDlg::ShowPageOf(CSAPrefsSubDlg* page)
{
    return ShowPage(IndexOf(page));
}

void CPrefsDlg::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEWA* change = (const NMTREEVIEWA*)pNMHDR;
    *pResult = 0;
    if (!change->itemNew.hItem)
        return;
    const int index = (int)m_tree.GetItemData(change->itemNew.hItem);
    if (index != m_current)
        PostMessage(WM_CHANGE_PAGE, (WPARAM)index, 0);
}

void CPrefsDlg::OnTreeGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* info = (NMTVDISPINFOA*)pNMHDR;
    *pResult = 0;
    const int index = (int)info->item.lParam;
    if ((info->item.mask & TVIF_TEXT) && index >= 0 && index < GetPageCount() &&
        info->item.pszText && info->item.cchTextMax > 0)
        lstrcpynA(info->item.pszText, m_pages[index].caption, info->item.cchTextMax);
}

LRESULT CPrefsDlg::OnChangePage(WPARAM wParam, LPARAM)
{
    ShowPage((int)wParam);
    return 0;
}

BOOL CPrefsDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CPrefsDlg::OnOK()
{
    for (int i = 0; i < GetPageCount(); ++i) {
        CSAPrefsSubDlg* page = m_pages[i].page;
        if (page->m_hWnd && !page->UpdateData(TRUE)) {
            ShowPage(i);
            return;
        }
    }
    for (const PageRecord& record : m_pages) {
        if (record.page->m_hWnd)
            record.page->OnOK();
    }
    EndDialog(IDOK);
}

void CPrefsDlg::OnCancel()
{
    for (const PageRecord& record : m_pages) {
        if (record.page->m_hWnd)
            record.page->OnCancel();
    }
    EndDialog(IDCANCEL);
}

void CPrefsDlg::OnDestroy()
{
    AfxGetApp()->WriteProfileInt(kSettingsSection, kCurrentPage, m_current);
    CDialog::OnDestroy();
}
