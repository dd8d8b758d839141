#include "FolderDialog.h"

CFolderDialog::CFolderDialog(LPCTSTR initialFolder, UINT flags, CWnd* parent, LPCTSTR caption)
    : m_browseWnd(NULL),
      m_initialFolder(initialFolder != NULL ? initialFolder : ""),
      m_caption(caption != NULL ? caption : "Folder")
{
    m_path[0] = '\0';
    memset(&m_browseInfo, 0, sizeof(m_browseInfo));
    m_browseInfo.hwndOwner = parent->GetSafeHwnd();
    m_browseInfo.pszDisplayName = m_path;
    m_browseInfo.lpszTitle = "Current";
    m_browseInfo.ulFlags = flags | BIF_STATUSTEXT;
    m_browseInfo.lpfn = BrowseCallback;
    m_browseInfo.lParam = (LPARAM)this;
}

CFolderDialog::~CFolderDialog() = default;

INT_PTR CFolderDialog::DoModal()
{
    m_chosenFolder.Empty();
    LPITEMIDLIST chosen = SHBrowseForFolderA(&m_browseInfo);
    m_browseWnd = NULL;
    if (chosen == NULL)
        return IDCANCEL;
    BOOL hasPath = SHGetPathFromIDListA(chosen, m_path);
    CoTaskMemFree(chosen);
    if (!hasPath)
        return IDCANCEL;
    m_chosenFolder = m_path;
    return IDOK;
}

int CALLBACK CFolderDialog::BrowseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM data)
{
    CFolderDialog* dialog = (CFolderDialog*)data;
    dialog->m_browseWnd = hWnd;
    if (message == BFFM_INITIALIZED)
        dialog->OnInitialized();
    else if (message == BFFM_SELCHANGED)
        dialog->OnSelChanged((LPITEMIDLIST)lParam);
    return 0;
}

void CFolderDialog::OnInitialized()
{
    if (!m_initialFolder.IsEmpty())
        SetSelection(m_initialFolder);
    SetStatusText(m_initialFolder);
    SetWindowTextA(m_browseWnd, m_caption);
}

void CFolderDialog::OnSelChanged(LPITEMIDLIST item)
{
    char path[MAX_PATH] = "";
    if (!SHGetPathFromIDListA(item, path))
        return;
    m_initialFolder = path;
    SetStatusText(path);
}

void CFolderDialog::EnableOK(BOOL enable)
{
    SendMessageA(m_browseWnd, BFFM_ENABLEOK, 0, enable);
}

void CFolderDialog::SetSelection(LPCITEMIDLIST item)
{
    SendMessageA(m_browseWnd, BFFM_SETSELECTIONA, FALSE, (LPARAM)item);
}

void CFolderDialog::SetSelection(LPCTSTR path)
{
    SendMessageA(m_browseWnd, BFFM_SETSELECTIONA, TRUE, (LPARAM)path);
}

void CFolderDialog::SetStatusText(LPCTSTR text)
{
    SendMessageA(m_browseWnd, BFFM_SETSTATUSTEXTA, 0, (LPARAM)(LPCTSTR)ShortStatusText(text));
}

CString CFolderDialog::ShortStatusText(LPCTSTR text)
{
    CString status(text);
    if (status.GetLength() > kStatusChars)
        status = status.Left(kStatusChars) + "...";
    return status;
}
